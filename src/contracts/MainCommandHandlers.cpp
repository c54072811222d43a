#include "contracts/MainCommandHandlers.h"

#include "clients/ClientRegister.h"
#include "codes/CategoryPicker.h"
#include "contracts/ContractBrowser.h"
#include "contracts/ContractCommands.h"
#include "contracts/ContractOperations.h"
#include "contracts/TFrmMain.h"
#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/DataGrid.h"
#include "data/GridLayout.h"
#include "data/Schema.h"
#include "platform/Compaction.h"
#include "platform/Desktop.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QStyle>

MainCommandHandlers::MainCommandHandlers(TFrmMain* frm, ContractBrowser* browser)
    : QObject(frm), frm_(frm), browser_(browser)
{
    install();
}

void MainCommandHandlers::install()
{
    TFrmMain* f = frm_;
    ContractBrowser* b = browser_;
    auto refresh = [b] { b->RefreshContracts(); };
    f->setCommandHandler(104, [f] { ShowCodeLists(f); });
    f->setCommandHandler(105, [this] { MaintainContractTypes(); });
    f->setCommandHandler(106, [f] { MaintainCategories(3, f); });
    f->setCommandHandler(107, [f] { MaintainCategories(5, f); });
    f->setCommandHandler(108, [f, b] {
        ShowCustomSettings(f);
        TdmData::ApplyCustomCaptions(*b->mainGrid());
        b->mainGrid()->columnsChanged();
    });
    f->setCommandHandler(201, [f, b, refresh] {
        NewContract(b->mainGrid(), refresh, f, b->currentFilter().categoryPath);
    });
    f->setCommandHandler(202, [f, b, refresh] { ModifyContract(b->mainGrid(), refresh, f); });
    f->setCommandHandler(207, [f, b, refresh] { CopyContract(b->mainGrid(), refresh, f); });
    f->setCommandHandler(203, [this] { DeleteContract(); });
    f->setCommandHandler(204, [this] { SortList(); });
    f->setCommandHandler(205, [this] { ChooseColumns(); });
    f->setCommandHandler(206, [this] { SaveLayout(); });
    f->setCommandHandler(208, [f] { ShowClientRegister(f); });
    f->setCommandHandler(213, [this] { BatchChange(213); });
    f->setCommandHandler(214, [this] { BatchChange(214); });
    f->setCommandHandler(301, [this] { ExportList(); });
    f->setCommandHandler(504, [this] { Compact(); });
    f->setCommandHandler(505, [this] { ChooseDatabaseFolder(); });
    f->setApproveHandler([this] { ToggleApproval(); });

    connect(b->mainGrid(), &DataGrid::rowActivated, f, [f] { f->runCommand(202); });
    connect(b, &ContractBrowser::contractScrolled, this, &MainCommandHandlers::UpdateApproveButton);
    connect(b, &ContractBrowser::advancedQueryRequested, this, [f, b] { b->showQueryResult(RunContractQuery(f)); });
    connect(f, &TFrmMain::contractsRefreshRequested, b, [b] { b->RefreshContracts(); });
    connect(f, &TFrmMain::signedIn, b, [b] { b->RebuildDetailKinds(); });
}

void MainCommandHandlers::UpdateApproveButton()
{
    QAction* sh = frm_->approveAction();
    if (!sh) return;
    Dataset& ds = browser_->QryMain();
    const bool approved = !ds.eof() && !ds.text(QStringLiteral("F_SHemp")).trimmed().isEmpty();
    sh->setText(approved ? QStringLiteral("撤消") : QStringLiteral("批准"));
    sh->setIcon(frm_->style()->standardIcon(approved ? QStyle::SP_DialogCancelButton : QStyle::SP_DialogApplyButton));
}

void MainCommandHandlers::DeleteContract()
{
    Dataset& ds = browser_->QryMain();
    if (ds.isEmpty() || ds.eof()) return;
    if (!ds.text(QStringLiteral("F_SHemp")).trimmed().isEmpty()) {
        ShowMess(QStringLiteral("合同已审批，不能再 \"删除\" ！"), MessError);
        return;
    }
    if (ShowMess(QStringLiteral("删除当前合同资料，将删除当前合同所有的相关记录，\r真的要删除当前合同“")
                     + ds.text(QStringLiteral("F_Name")) + QStringLiteral("”的相关资料吗？"),
                 MessQuestion)
        == 2)
        return;
    QString error;
    if (!ContractOperations::DeleteWithRecords(ds.integer(QStringLiteral("F_ID")), ds.integer(QStringLiteral("F_cltID")),
                                               &error)) {
        ShowMess(QStringLiteral("操作失败，请检查连接...") + QLatin1Char('\n') + error, MessError);
        return;
    }
    browser_->RefreshContracts();
}

void MainCommandHandlers::ToggleApproval()
{
    Dataset& ds = browser_->QryMain();
    if (ds.isEmpty() || ds.eof()) return;
    const int row = ds.recNo();
    const bool approved = !ds.text(QStringLiteral("F_SHemp")).trimmed().isEmpty();
    const QString value = approved ? QString() : AppState().OperName;
    QString error;
    if (!ContractOperations::SetApprover(ds.integer(QStringLiteral("F_ID")), value, &error)) {
        ShowMess(error, MessWarning);
        return;
    }
    ds.setValue(row, ds.fieldIndex(QStringLiteral("F_SHemp")), value);
    browser_->mainGrid()->refreshRow(row);
    UpdateApproveButton();
}

void MainCommandHandlers::BatchChange(int code)
{
    const bool type = code == 213;
    if (ShowMess(type ? QStringLiteral("真的要改变当前所选合同的类型吗？") : QStringLiteral("真的要改变当前所选合同的部门吗？"),
                 MessQuestion)
        == 2)
        return;
    const QString value = AskCaption(type ? QStringLiteral("类型名称") : QStringLiteral("部门名称"), QString(),
                                     type ? 2 : 8, frm_);
    if (value.trimmed().isEmpty()) return;
    DataGrid* grid = browser_->mainGrid();
    const QList<int> rows = grid->selectedRows();
    if (rows.isEmpty()) {
        ShowMess(type ? QStringLiteral("请选择需要更改合同类型的合同资料！") : QStringLiteral("请选择需要更改合同部门的合同资料！"),
                 MessInfo);
        return;
    }
    Dataset& ds = browser_->QryMain();
    const int idCol = ds.fieldIndex(QStringLiteral("F_ID"));
    const int valueCol = ds.fieldIndex(type ? QStringLiteral("F_type") : QStringLiteral("F_dept"));
    QList<qint64> ids;
    for (int r : rows) ids << ds.integer(r, idCol);
    const auto failed = ContractOperations::SetColumn(type ? QStringLiteral("F_type") : QStringLiteral("F_dept"), value, ids);
    QStringList failedNames;
    for (int r : rows) {
        const qint64 id = ds.integer(r, idCol);
        const auto f = std::find_if(failed.begin(), failed.end(), [id](const auto& x) { return x.id == id; });
        if (f == failed.end()) {
            ds.setValue(r, valueCol, value);
            grid->refreshRow(r);
        } else {
            failedNames << QStringLiteral("“%1”：%2").arg(ds.text(r, ds.fieldIndex(QStringLiteral("F_name"))), f->reason);
        }
    }
    if (!failedNames.isEmpty())
        ShowMess(QStringLiteral("以下合同未能修改：\n") + failedNames.join(QLatin1Char('\n')), MessWarning);
}

void MainCommandHandlers::SortList()
{
    browser_->mainGrid()->setSortSpec(ChooseGridSort(browser_->mainGrid()));
}

void MainCommandHandlers::ChooseColumns() { ChooseGridColumns(browser_->mainGrid()); }

void MainCommandHandlers::SaveLayout()
{
    if (ShowMess(QStringLiteral("真的要保存当前网格设置吗？"), MessQuestion) == 1)
        SaveGridLayout(browser_->mainGrid(), QStringLiteral("clientmain"));
}

void MainCommandHandlers::ExportList() { ExportGridToExcel(browser_->mainGrid(), QStringLiteral("合同管理资料"), true); }

void MainCommandHandlers::closeChildWindows()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != frm_ && w->isVisible() && !w->inherits("QMenu")) w->close();
}

bool MainCommandHandlers::reconnect(const QString& file)
{
    try {
        dmData->attach(Connection::open(file, Schema::databasePassword()));
        return true;
    } catch (const DbError& e) {
        ShowMess(QStringLiteral("无法重新连接数据库：") + e.message(), MessError);
        return false;
    }
}

void MainCommandHandlers::Compact()
{
    closeChildWindows();
    // The database in use is compacted, wherever its folder is.
    const QString file = dmData->databaseFile();
    browser_->QryMain() = Dataset();
    browser_->mainGrid()->refresh();
    dmData->disconnect();
    if (CompactDatabase(file, Schema::databasePassword()))
        ShowMess(QStringLiteral("压缩数据库成功！"), MessInfo);
    else
        ShowMess(QStringLiteral("压缩数据库失败！"), MessError);
    if (reconnect(file)) browser_->RefreshContracts();
}

void MainCommandHandlers::ChooseDatabaseFolder()
{
    const QString picked = Desktop::instance().openFileName(frm_, QStringLiteral("连接网络数据库"), ProgramFolder::path(),
                                                            QStringLiteral("Access数据库 (*.mdb *.MDB)"));
    if (picked.isEmpty()) return;
    dmData->settings().writeString(QStringLiteral("config"), QStringLiteral("ds"),
                                   QFileInfo(picked).absolutePath() + QLatin1Char('/'));
}

void MainCommandHandlers::MaintainContractTypes()
{
    if (!MaintainCategories(1, frm_)) return;
    browser_->LoadTree();
    browser_->RefreshContracts();
}
