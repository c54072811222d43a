#pragma once
#include <QObject>

class ContractBrowser;
class TFrmMain;

// The main window's commands that act on contracts and on the window itself,
// wired to the contract list: new, modify, copy, delete, approve, batch
// changes, sort, columns, layout, export, compaction, the database folder, and
// the windows of the other subsystems.
class MainCommandHandlers : public QObject {
    Q_OBJECT
public:
    MainCommandHandlers(TFrmMain* frm, ContractBrowser* browser);

    void DeleteContract();        // 203
    void ToggleApproval();        // tbSH
    void BatchChange(int code);   // 213 type, 214 department
    void SortList();              // 204
    void ChooseColumns();         // 205
    void SaveLayout();            // 206
    void ExportList();            // 301
    void Compact();               // 504
    void ChooseDatabaseFolder();  // 505
    void MaintainContractTypes(); // 105
    void UpdateApproveButton();   // after scroll: "批准" or "撤消"

private:
    void install();
    void closeChildWindows();
    bool reconnect(const QString& file);

    TFrmMain* frm_;
    ContractBrowser* browser_;
};
