#pragma once
#include "clients/ClientQuery.h"
#include "platform/db/Dataset.h"

#include <QDialog>

namespace Ui { class TDlgCltXz; }
class DataGrid;
class QTreeWidgetItem;

// The client picker: lists the clients in use by category and search texts
// and lets the operator choose one, or add one through the client editor.
class TDlgCltXz : public QDialog {
    Q_OBJECT
public:
    explicit TDlgCltXz(QWidget* parent = nullptr);
    ~TDlgCltXz() override;

    // Nothing happens while no category node is current.
    void BuildPickerQuery();
    PickerFilter currentFilter() const;
    void reopenList();

    DataGrid* grid() const;
    const Dataset& list() const { return QryMain; }
    // The name of the current client; empty when the list is empty.
    QString chosenName() const;

private slots:
    void btnNewClick();
    void TreeView1DblClick(QTreeWidgetItem* item);

private:
    void setupGrid();

    Ui::TDlgCltXz* ui;
    Dataset QryMain;
    ClientSql lastQuery_;
};
