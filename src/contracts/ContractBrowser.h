#pragma once
#include "contracts/ContractQuery.h"
#include "platform/db/Dataset.h"

#include <QWidget>
#include <array>

namespace Ui { class ContractBrowser; }
class DataGrid;

// The contract register as the main window shows it: the category tree and
// project list at the left, the search bar, the contract list, and below it the
// records of the current contract in six detail lists that follow it by F_cltID.
class ContractBrowser : public QWidget {
    Q_OBJECT
public:
    explicit ContractBrowser(QWidget* parent = nullptr);
    ~ContractBrowser() override;

    // First show: tree, project list, contract list, layouts and captions.
    void firstShow();

    void RefreshContracts();
    void OpenDetail(bool all);
    void FillProjectList(const QString& sql, int type, const QVariantList& params = {});
    void LoadTree();                      // reloads the contract-type tree (root selected)
    void RebuildDetailKinds();            // the detail-kind list by the operator's permissions
    void SelectDetailTab(int page);       // brings a detail page to the front and opens its list

    ContractFilter currentFilter() const;  // what the filter controls say now

    // Shows a complete statement from the advanced query (keeps the toggle down)
    // or, with an empty one, goes back to the simple filters.
    void showQueryResult(const SqlWithParams& query);

    Dataset& QryMain() { return qryMain_; }
    Dataset& QryDetail(int n) { return qryDetail_[n - 1]; }  // 1..6
    DataGrid* mainGrid() const;
    DataGrid* detailGrid(int n) const;    // 1..4 and 6; nullptr for 5 (images)
    int CurDetailTab() const { return curDetailTab_; }
    int currentCltId() const;             // F_cltID of the current contract, 0 when none
    QString countText() const;
    bool queryMode() const;               // the advanced-query toggle is down

signals:
    // The current contract changed (after scroll).
    void contractScrolled();
    // The advanced-query toggle was pressed: the owner opens the query dialog
    // and answers with showQueryResult().
    void advancedQueryRequested();

private:
    void setupGrids();
    void connectHandlers();
    void openMain(const SqlWithParams& q);
    void updateCount();
    void onMainRowChanged();
    void onTreeDoubleClicked();
    void onProjectRowClicked();
    void onListTypeChanged();
    void onSearchFieldChanged();
    void onAdvancedToggled(bool down);
    void releaseAdvanced();
    void paintTreePictures();

    Ui::ContractBrowser* ui;
    Dataset qryMain_;
    std::array<Dataset, 6> qryDetail_;
    std::array<bool, 6> detailOpen_{};
    int curDetailTab_ = 0;
    bool suspendProjectClick_ = false;
    bool suspendSearch_ = false;
};
