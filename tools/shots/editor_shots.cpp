#include "shots/Shots.h"

#include "contracts/ContractCommands.h"
#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/DataGrid.h"
#include "platform/Messages.h"

#include <QDialog>
#include <QTabWidget>

namespace {
// Two contracts, the second approved and archived, once per run of the tool.
void seedContracts()
{
    Connection& c = dmData->ADOcnn();
    if (c.scalar(QStringLiteral("select count(*) from Contract where F_code like 'HT-SHOT-%'")).toInt() > 0) return;
    c.exec(QStringLiteral(
               "insert into Contract(F_cltID,F_code,F_name,F_type,F_empName,F_date,F_totalPrice,F_beginDate,"
               "F_endDate,F_status,F_memo1,F_client1,F_FZR1,F_client2,F_FZR2,F_SFflag,F_priceUnit,F_dept,F_GDflag,"
               "F_GDpath,F_editDate,F_SHemp,F_ZF1,F_RQ1) values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
           {9001, QStringLiteral("HT-SHOT-002"), QStringLiteral("浦东新区办公楼装修工程合同"),
            QStringLiteral("\\\\工程\\装修"), QStringLiteral("王建国"), QStringLiteral("2026-11-02"), 1285000.5,
            QStringLiteral("2026-11-15"), QStringLiteral("2027-06-30"), QStringLiteral("执行中"),
            QStringLiteral("办公楼三层至五层的室内装修，含水电改造与消防验收。"),
            QStringLiteral("上海东方建设集团有限公司"), QStringLiteral("王建国"), QStringLiteral("杭州西湖软件有限公司"),
            QStringLiteral("李明"), 1, QStringLiteral("人民币"), QStringLiteral("工程部"), 1,
            QStringLiteral("/srv/档案/2026/装修"), QStringLiteral("2026-11-02"), QStringLiteral("admin"),
            QStringLiteral("A级"), QStringLiteral("2026-12-01")});
}

// The captions and money format as sign-in reads them.
void loadCaptions()
{
    const Dataset rows = dmData->ADOcnn().query(QStringLiteral("select F_Value from KeyValue order by F_ID"));
    for (int r = 0; r < rows.rowCount() && r < 14; ++r) AppState().Captions[r + 1] = rows.text(r, 0);
    AppState().MoneyFormat = TdmData::NumberFormat(AppState().decimals(14), 3);
}

// Runs `open`, saving the modal window it shows instead of waiting for a person.
void shootModal(const QString& name, const std::function<void()>& open,
                const std::function<void(QDialog*)>& prepare = {})
{
    loadCaptions();
    Gateways::setModalHandler([name, prepare](QDialog* d) {
        d->resize(d->sizeHint().expandedTo(d->size()));
        if (prepare) prepare(d);
        Shots::save(d, name);
        d->hide();
        return int(QDialog::Rejected);
    });
    open();
    Gateways::setModalHandler([](QDialog*) { return int(QDialog::Rejected); });
}

struct ContractList {
    Dataset ds;
    DataGrid grid;
    ContractList()
    {
        seedContracts();
        grid.setDataset(&ds);
        ds = dmData->ADOcnn().query(QStringLiteral("select * from Contract where F_code like 'HT-SHOT-%' order by F_date"));
        grid.refresh();
        grid.setCurrentRow(0);
    }
};
}

REGISTER_SHOT("editor_new", [] {
    ContractList list;
    AppState().AutoContractCode = true;
    shootModal(QStringLiteral("editor_new"), [&] {
        NewContract(&list.grid, [] {}, nullptr, QStringLiteral("\\\\工程\\装修"));
    });
    AppState().AutoContractCode = false;
});

REGISTER_SHOT("editor_modify_approved", [] {
    ContractList list;
    shootModal(QStringLiteral("editor_modify_approved"), [&] { ModifyContract(&list.grid, [] {}, nullptr); });
    // The custom fields' page of the same contract.
    shootModal(QStringLiteral("editor_modify_custom"), [&] { ModifyContract(&list.grid, [] {}, nullptr); },
               [](QDialog* d) { d->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(2); });
});

REGISTER_SHOT("editor_settings", [] {
    shootModal(QStringLiteral("editor_settings"), [] { ShowCustomSettings(nullptr); });
    shootModal(QStringLiteral("editor_settings_captions"), [] { ShowCustomSettings(nullptr); },
               [](QDialog* d) { d->findChild<QTabWidget*>(QStringLiteral("PageControl1"))->setCurrentIndex(1); });
});

REGISTER_SHOT("editor_query", [] {
    shootModal(QStringLiteral("editor_query"), [] { RunContractQuery(nullptr); });
});
