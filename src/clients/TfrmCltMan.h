#pragma once
#include "clients/ClientQuery.h"
#include "platform/db/Dataset.h"

#include <QDialog>

namespace Ui { class TfrmCltMan; }
class DataGrid;
class QLabel;
class QMenu;
class QTreeWidgetItem;
class WindowKeys;

// The client register: category tree, search, the list of clients and the
// commands that add, change, delete, move and export them.
class TfrmCltMan : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCltMan(QWidget* parent = nullptr);
    ~TfrmCltMan() override;

    // Builds the list statement from the search field and text, the current
    // category and "包含已停用", and opens the list. Nothing happens while no
    // category node is current.
    void BuildClientQuery();
    ClientFilter currentFilter() const;
    // Closes and opens the list with its last statement; with a code, that
    // client becomes the current row.
    void reopenList(const QString& code = QString());

    DataGrid* grid() const;
    const Dataset& list() const { return QryMain; }
    QString statusText(int panel) const;

private slots:
    void tbNewClick();
    void tbEditClick();
    void tbDelClick();
    void tbFirstClick();
    void tbPriorClick();
    void tbNextClick();
    void tbLastClick();
    void tbExpertClick();
    void ComboBox1Change();
    void TreeView1DblClick(QTreeWidgetItem* item);
    void SpeedButton2Click(bool shown);
    void N1Click();
    void N2Click();

private:
    void FormCreate();
    void setupGrid();
    void setupToolbar();
    void openEditor(int mode);
    void setMoveButtons(bool backward, bool forward);
    void showCount();

    Ui::TfrmCltMan* ui;
    WindowKeys* keys_ = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QLabel* panels_[3] = {};
    Dataset QryMain;
    ClientSql lastQuery_;
};
