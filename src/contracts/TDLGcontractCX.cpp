#include "contracts/TDLGcontractCX.h"
#include "ui_TDLGcontractCX.h"

#include "contracts/ContractCommands.h"
#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/PubUnit.h"
#include "data/WindowKeys.h"
#include "platform/Clock.h"
#include "platform/Messages.h"

#include <QEvent>

namespace {
void addLike(SqlWithParams& q, const char* column, const QString& text, bool anywhere)
{
    if (text.isEmpty()) return;
    q.sql += QStringLiteral("and %1 Like ? ESCAPE '\\' ").arg(QLatin1String(column));
    q.params << (anywhere ? LikeAnywhere(text) : LikeBeginning(text));
}
}

SqlWithParams BuildAdvancedContractQuery(const ContractQueryInput& in, int scope, const QString& operName,
                                         const QString& deptList)
{
    SqlWithParams q;
    q.sql = QStringLiteral("select * from Contract where (1=1) ");
    if (scope == 1) {
        q.sql += QStringLiteral("and (F_empName = ?) ");
        q.params << operName;
    } else if (scope == 2) {
        const QStringList depts = TdmData::deptNames(deptList);
        q.sql += QStringLiteral("and (F_dept in (%1)) ").arg(TdmData::placeholders(static_cast<int>(depts.size())));
        for (const QString& d : depts) q.params << d;
    }
    addLike(q, "F_name", in.name, true);
    addLike(q, "F_code", in.code, false);
    if (!in.type.isEmpty()) q.sql += QStringLiteral("and ") + CategoryClause(QStringLiteral("F_type"), in.type, q.params);
    addLike(q, "F_empName", in.empName, false);
    addLike(q, "F_memo1", in.memo1, true);
    addLike(q, "F_memo2", in.memo2, true);
    addLike(q, "F_client1", in.client1, true);
    addLike(q, "F_client2", in.client2, true);
    addLike(q, "F_status", in.status, false);
    addLike(q, "F_dept", in.dept, false);
    static const char* zfColumns[] = {"F_ZF1", "F_ZF2", "F_ZF3", "F_ZF4", "F_ZF5"};
    for (int i = 0; i < 5; ++i) addLike(q, zfColumns[i], in.zf[i], true);
    if (in.archive == 1) q.sql += QStringLiteral("and F_GDFlag = true ");
    else if (in.archive == 2) q.sql += QStringLiteral("and F_GDFlag = false ");
    static const char* dateColumns[] = {"F_date", "F_begindate", "F_RQ1", "F_RQ2", "F_RQ3"};
    for (int i = 0; i < 5; ++i) {
        const ContractQueryInput::Range& r = in.ranges[i];
        if (!r.on) continue;
        if (r.fromOn) {
            q.sql += QStringLiteral("and %1 >= ? ").arg(QLatin1String(dateColumns[i]));
            q.params << r.from.toString(QStringLiteral("yyyy-MM-dd"));
        }
        if (r.toOn) {
            q.sql += QStringLiteral("and %1 <= ? ").arg(QLatin1String(dateColumns[i]));
            q.params << r.to.toString(QStringLiteral("yyyy-MM-dd"));
        }
    }
    return q;
}

TDLGcontractCX::TDLGcontractCX(QWidget* parent) : QDialog(parent), ui(new Ui::TDLGcontractCX)
{
    ui->setupUi(this);
    rangeBoxes_ = {ui->cbDate, ui->cbDate1, ui->cbDate2, ui->cbDate3, ui->cbDate4};
    fromEdits_ = {ui->dtpfromDate, ui->dtpfromDate1, ui->dtpfromDate2, ui->dtpfromDate3, ui->dtpfromDate4};
    toEdits_ = {ui->dtptoDate, ui->dtptoDate1, ui->dtptoDate2, ui->dtptoDate3, ui->dtptoDate4};
    for (int i = 0; i < 5; ++i) connect(rangeBoxes_[i], &QCheckBox::toggled, this, [this, i] { rangeToggled(i); });
    connect(ui->btnQuery, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->btnType, &QToolButton::clicked, this, [this] { ContractInputs::PickType(ui->cbeType, this); });
    connect(ui->btnClient1, &QToolButton::clicked, this, [this] { ContractInputs::PickParty(ui->cbeClient1, this); });
    connect(ui->btnClient2, &QToolButton::clicked, this, [this] { ContractInputs::PickParty(ui->cbeClient2, this); });
    ui->cbbStatus->installEventFilter(this);
    ui->cbbempname->installEventFilter(this);
    WindowKeys::forEditor(this, ui->btnQuery, ui->btnClose);
    FormShow();
}

TDLGcontractCX::~TDLGcontractCX() { delete ui; }

void TDLGcontractCX::FormShow()
{
    dmData->FillScopeCombos(ui->cbbempname, ui->cbbDept);
    if (AppState().ScopeFlag != 1) ui->cbbempname->setEditText(QString());
    ui->cbbDept->setEditText(QString());
    const QDate today = Clock::today();
    for (int i = 0; i < 5; ++i) {
        fromEdits_[i]->setDate(QDate(today.year(), today.month(), 1));
        toEdits_[i]->setDate(today);
        fromEdits_[i]->setChecked(true);
        toEdits_[i]->setChecked(true);
        rangeToggled(i);
    }
    QLabel* labels[] = {ui->lblZF1, ui->lblZF2, ui->lblZF3, ui->lblZF4, ui->lblZF5};
    for (int i = 0; i < 5; ++i) labels[i]->setText(ContractInputs::CustomLabel(i + 1));
    for (int i = 0; i < 3; ++i) rangeBoxes_[2 + i]->setText(AppState().Captions[9 + i] + QStringLiteral("：自"));
}

void TDLGcontractCX::rangeToggled(int row)
{
    const bool on = rangeBoxes_[row]->isChecked();
    fromEdits_[row]->setEnabled(on);
    toEdits_[row]->setEnabled(on);
}

SqlWithParams TDLGcontractCX::Query()
{
    ApplyImeToControls(this);
    if (execModal(this) != QDialog::Accepted) return {};
    return BuildAdvancedContractQuery(input(), AppState().ScopeFlag, AppState().OperName, AppState().DeptList);
}

ContractQueryInput TDLGcontractCX::input() const
{
    ContractQueryInput in;
    in.name = ui->edtName->text().trimmed();
    in.code = ui->edtcode->text().trimmed();
    in.type = ui->cbeType->text().trimmed();
    in.empName = ui->cbbempname->currentText().trimmed();
    in.memo1 = ui->Memo1->toPlainText().trimmed();
    in.memo2 = ui->Memo2->toPlainText().trimmed();
    in.client1 = ui->cbeClient1->text().trimmed();
    in.client2 = ui->cbeClient2->text().trimmed();
    in.status = ui->cbbStatus->currentText().trimmed();
    in.dept = ui->cbbDept->currentText().trimmed();
    const QLineEdit* zf[] = {ui->edtZF1, ui->edtZF2, ui->edtZF3, ui->edtZF4, ui->edtZF5};
    for (int i = 0; i < 5; ++i) in.zf[i] = zf[i]->text().trimmed();
    in.archive = ui->rbGD->isChecked() ? 1 : ui->rbNotGD->isChecked() ? 2 : 0;
    for (int i = 0; i < 5; ++i) {
        ContractQueryInput::Range& r = in.ranges[i];
        r.on = rangeBoxes_[i]->isChecked();
        r.fromOn = fromEdits_[i]->isChecked();
        r.from = fromEdits_[i]->date();
        r.toOn = toEdits_[i]->isChecked();
        r.to = toEdits_[i]->date();
    }
    return in;
}

bool TDLGcontractCX::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == ui->cbbStatus) ContractInputs::FillCodeList(ui->cbbStatus, QStringLiteral("status"));
        else if (watched == ui->cbbempname && AppState().ScopeFlag != 1)
            ContractInputs::FillCodeList(ui->cbbempname, QStringLiteral("empname"));
    }
    return QDialog::eventFilter(watched, event);
}
