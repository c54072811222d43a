#include "access/TFrmLimitGl.h"

#include "ui_TFrmLimitGl.h"

#include "access/CheckList.h"
#include "access/TDLGselectDeptSTR.h"
#include "data/DataDm.h"
#include "data/WindowKeys.h"
#include "platform/Messages.h"
#include "platform/Password.h"

#include <QEvent>
#include <QSet>

namespace {
const QString kKeepPassword = QStringLiteral("(不修改)");

QString field(const Dataset& ds, int row, const char* name) { return ds.text(row, ds.fieldIndex(QLatin1String(name))); }
qint64 number(const Dataset& ds, int row, const char* name)
{
    const int col = ds.fieldIndex(QLatin1String(name));
    return col < 0 ? 0 : ds.integer(row, col);
}
}

OperRecord OperRecord::fromRow(const Dataset& ds, int row)
{
    OperRecord r;
    if (row < 0 || row >= ds.rowCount()) return r;
    r.id = number(ds, row, "F_ID");
    r.name = field(ds, row, "F_Name");
    r.mem = field(ds, row, "F_Mem");
    r.dept = field(ds, row, "F_dept");
    r.disabled = number(ds, row, "F_Flag") != 0;
    r.approve = number(ds, row, "F_shFlag") != 0;
    r.scope = static_cast<int>(number(ds, row, "F_xtFlag"));
    return r;
}

TFrmLimitGl::TFrmLimitGl(QWidget* parent) : QDialog(parent), ui(new Ui::TFrmLimitGl)
{
    ui->setupUi(this);
    FormCreate();
}

TFrmLimitGl::~TFrmLimitGl() { delete ui; }

void TFrmLimitGl::FormCreate()
{
    CheckList::makeTwoColumns(ui->clbLimits);
    connect(ui->btnSave, &QPushButton::clicked, this, &TFrmLimitGl::btnSaveClick);
    connect(ui->btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->btnAll, &QPushButton::clicked, this, &TFrmLimitGl::btnAllClick);
    connect(ui->btnClear, &QPushButton::clicked, this, &TFrmLimitGl::btnClearClick);
    connect(ui->btnDept, &QToolButton::clicked, this, &TFrmLimitGl::btnDeptClick);
    for (QRadioButton* rb : {ui->rbScope0, ui->rbScope1, ui->rbScope2})
        connect(rb, &QRadioButton::toggled, this, &TFrmLimitGl::rgScopeClick);
    ui->cbbName->installEventFilter(this);
    WindowKeys::forEditor(this, ui->btnSave, ui->btnClose);

    Dataset limits;
    dmData->OpenQuery(QStringLiteral("select * from limits where F_flag = true order by F_ID"), limits);
    QStringList names;
    for (int r = 0; r < limits.rowCount(); ++r) names << field(limits, r, "F_name");
    CheckList::fill(ui->clbLimits, names);
    SetEditMode(NewMode);
}

void TFrmLimitGl::clearInputs()
{
    ui->cbbName->setEditText(QString());
    ui->edtPass->clear();
    ui->edtPass2->clear();
    ui->memMem->clear();
    ui->chkFlag->setChecked(false);
    ui->chkSH->setChecked(false);
    ui->edtDept->clear();
    CheckList::setAllChecked(ui->clbLimits, false);
    setScope(0);
}

void TFrmLimitGl::SetEditMode(int mode, const OperRecord& oper)
{
    mode_ = mode;
    oper_ = oper;
    clearInputs();
    // A stored password cannot be shown: empty boxes keep it.
    const QString placeholder = mode == EditMode ? kKeepPassword : QString();
    ui->edtPass->setPlaceholderText(placeholder);
    ui->edtPass2->setPlaceholderText(placeholder);
    if (mode == EditMode) {
        ui->cbbName->setEditText(oper.name);
        ui->memMem->setPlainText(oper.mem);
        ui->chkFlag->setChecked(oper.disabled);
        ui->chkSH->setChecked(oper.approve);
        ui->edtDept->setText(oper.scope == 2 ? oper.dept : QString());
        setScope(oper.scope);
        Dataset held;
        dmData->OpenQuery(QStringLiteral("select * from OperLimit where F_OperName = ? COLLATE NOCASE "), held,
                          {oper.name.trimmed()});
        QSet<QString> names;
        for (int r = 0; r < held.rowCount(); ++r) names.insert(field(held, r, "F_lmtName"));
        for (int i = 0; i < ui->clbLimits->count(); ++i)
            CheckList::setChecked(ui->clbLimits, i, names.contains(ui->clbLimits->item(i)->text()));
    }
    ui->cbbName->setFocus();
}

int TFrmLimitGl::scope() const
{
    if (ui->rbScope1->isChecked()) return 1;
    if (ui->rbScope2->isChecked()) return 2;
    return 0;
}

void TFrmLimitGl::setScope(int scope)
{
    (scope == 1 ? ui->rbScope1 : scope == 2 ? ui->rbScope2 : ui->rbScope0)->setChecked(true);
    rgScopeClick();
}

void TFrmLimitGl::rgScopeClick() { ui->pnlDept->setVisible(scope() == 2); }

// Operators are usually named after salesmen: entering the name box offers them.
bool TFrmLimitGl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->cbbName && event->type() == QEvent::FocusIn) fillNameList();
    return QDialog::eventFilter(watched, event);
}

void TFrmLimitGl::fillNameList()
{
    const QString typed = ui->cbbName->currentText();
    dmData->FillCombo(QStringLiteral("select distinct F_name from t_code where (F_name <> '') and F_type = 'empname' "
                                     "COLLATE NOCASE "),
                      ui->cbbName);
    ui->cbbName->setCurrentIndex(-1);
    ui->cbbName->setEditText(typed);
}

void TFrmLimitGl::btnAllClick() { CheckList::setAllChecked(ui->clbLimits, true); }
void TFrmLimitGl::btnClearClick() { CheckList::setAllChecked(ui->clbLimits, false); }

void TFrmLimitGl::btnDeptClick()
{
    QString text = ui->edtDept->text();
    if (TDLGselectDeptSTR::Select(text, this)) ui->edtDept->setText(text);
}

void TFrmLimitGl::btnSaveClick()
{
    const QString name = ui->cbbName->currentText().trimmed();
    if (name.isEmpty()) {
        ShowMess(QStringLiteral("操作员名称不能为空！"), MessInfo);
        ui->cbbName->setFocus();
        return;
    }
    if (ui->edtPass2->text() != ui->edtPass->text()) {
        ShowMess(QStringLiteral("验正码不正确，请重新确认输入！"), MessInfo);
        ui->edtPass2->setFocus();
        return;
    }
    // Names differing only in case are the same operator at sign-in.
    const qint64 self = mode_ == EditMode ? oper_.id : -1;
    if (dmData->QueryInt(QStringLiteral("Select count(*) from OperList Where F_Name = ? COLLATE NOCASE and F_ID <> ?"),
                         {name, self})
        > 0) {
        ShowMess(QStringLiteral("操作员名称重复，请重新输入！"), MessInfo);
        ui->cbbName->setFocus();
        return;
    }
    if (!saveOperator(name)) return;
    if (reopen_) reopen_(name);
    if (mode_ == NewMode) {
        clearInputs();
        ui->cbbName->setFocus();
    } else {
        accept();
    }
}

// The operator row and its permission rows in one transaction.
bool TFrmLimitGl::saveOperator(const QString& name)
{
    const bool keepPassword = mode_ == EditMode && ui->edtPass->text().isEmpty() && ui->edtPass2->text().isEmpty();
    QVariantMap values{{QStringLiteral("fName"), name},
                       {QStringLiteral("mem"), ui->memMem->toPlainText()},
                       {QStringLiteral("fFlag"), ui->chkFlag->isChecked() ? 1 : 0},
                       {QStringLiteral("xtFlag"), scope()},
                       {QStringLiteral("SHflag"), ui->chkSH->isChecked() ? 1 : 0},
                       {QStringLiteral("dept"), scope() == 2 ? ui->edtDept->text().trimmed() : QString()}};
    if (!keepPassword) values.insert(QStringLiteral("fPassword"), SavePass(ui->edtPass->text()));
    try {
        Connection& c = dmData->ADOcnn();
        auto tx = c.transaction(true);
        if (mode_ == EditMode) {
            values.insert(QStringLiteral("iID"), oper_.id);
            c.exec(QStringLiteral("Update OperList Set F_Name = :fName,") +
                       (keepPassword ? QString() : QStringLiteral("F_Password = :fPassword,")) +
                       QStringLiteral(" F_mem = :mem,F_Flag = :fFlag,F_xtFlag = :xtFlag,F_SHflag = :SHflag, "
                                      "F_dept = :dept Where F_ID = :iID"),
                   values);
            if (c.changes() == 0) throw DbError(0, QStringLiteral("该操作员已被删除。"));
        } else {
            c.exec(QStringLiteral("Insert into OperList(F_Name,F_password,F_mem,F_flag,F_xtFlag, F_SHflag,F_dept) "
                                  "Values(:fName,:fPassword,:mem,:fFlag,:xtFlag,:SHflag,:dept) "),
                   values);
        }
        // Rows held under another spelling of the name belong to this operator too.
        c.exec(QStringLiteral("delete from OperLimit where F_OperName = ? COLLATE NOCASE "), {name});
        for (const QString& permission : CheckList::checkedTexts(ui->clbLimits))
            c.exec(QStringLiteral("insert into OperLimit(F_OperName,F_lmtName)Values(?,?)"), {name, permission});
        tx.commit();
        return true;
    } catch (const DbError& e) {
        ShowMess(QStringLiteral("保存失败，请检测数据库连接！\n") + e.message(), MessError);
        return false;
    }
}
