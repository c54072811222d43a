#include "contracts/TfrmContractEdit.h"
#include "ui_TfrmContractEdit.h"

#include "contracts/ContractCommands.h"
#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/DataGrid.h"
#include "data/PubUnit.h"
#include "data/WindowKeys.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Messages.h"

#include <QEvent>

namespace {
const QColor kGeneratedCode(163, 149, 242);

// The end date alone reads as empty only below this day.
const QString kEndDateThreshold = QStringLiteral("1901-08-13");

void paintBase(QWidget* w, const QColor& color)
{
    if (!color.isValid()) {
        w->setPalette(QPalette());  // back to the window's own colours
        return;
    }
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Base, color);
        p.setColor(group, QPalette::Button, color);
    }
    // A locked value must stay readable: disabled texts keep the normal colour.
    for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role));
    w->setPalette(p);
}

// Read-only (or disabled where there is no read-only form) and aqua, or back.
void setLocked(QWidget* w, bool locked)
{
    if (auto* e = qobject_cast<QLineEdit*>(w)) e->setReadOnly(locked);
    else if (auto* m = qobject_cast<QPlainTextEdit*>(w)) m->setReadOnly(locked);
    else if (auto* d = qobject_cast<DateEdit*>(w)) d->setReadOnly(locked);
    else w->setEnabled(!locked);
    paintBase(w, locked ? Colors::aqua() : QColor());
}

const QString kCodeHolderSql = QStringLiteral("Select F_ID From contract Where F_Code = ? and F_ID <> ? ");
}

TfrmContractEdit::TfrmContractEdit(DataGrid* list, std::function<void()> refreshList, QWidget* parent)
    : QDialog(parent), ui(new Ui::TfrmContractEdit), list_(list), refreshList_(std::move(refreshList))
{
    ui->setupUi(this);
    ui->DBNavigator1->setGrid(list_);
    ui->rceSZ1->setDisplayFormat(QStringLiteral(",0.########"));
    ui->rceSZ2->setDisplayFormat(QStringLiteral(",0.########"));
    ui->rceSZ3->setDisplayFormat(QStringLiteral(",0.########"));

    connect(ui->btnOK, &QPushButton::clicked, this, &TfrmContractEdit::btnOKClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &TfrmContractEdit::btnCancelClick);
    connect(ui->btnType, &QToolButton::clicked, this, &TfrmContractEdit::btnTypeClick);
    connect(ui->btnClient1, &QToolButton::clicked, this, [this] { btnClientClick(1); });
    connect(ui->btnClient2, &QToolButton::clicked, this, [this] { btnClientClick(2); });
    connect(ui->btnFilePath, &QToolButton::clicked, this, &TfrmContractEdit::btnFilePathClick);
    connect(ui->btnGDpath, &QToolButton::clicked, this, &TfrmContractEdit::btnGDpathClick);
    connect(ui->btnOpenFile, &QPushButton::clicked, this, [this] { btnOpenClick(ui->cbeFilePath->text()); });
    connect(ui->btnOpenGD, &QPushButton::clicked, this, [this] { btnOpenClick(ui->cbeGDpath->text()); });
    connect(ui->cbGDflag, &QCheckBox::clicked, this, &TfrmContractEdit::cbGDflagClick);
    connect(ui->DBNavigator1, &RecordNavigator::moved, this, &TfrmContractEdit::onNavigatorMoved);
    ui->cbbStatus->installEventFilter(this);
    ui->cbbPriceUnit->installEventFilter(this);
    WindowKeys::forEditor(this, ui->btnOK, ui->btnCancel);
    applyCaptions();
}

TfrmContractEdit::~TfrmContractEdit() { delete ui; }

int TfrmContractEdit::ShowEditor(int mode)
{
    switch (mode) {
    case ModeModify:
        SetEditMode(true);
        LoadFields(true);
        break;
    case ModeCopy:
        SetEditMode(false);
        LoadFields(true);
        LockApproved(QString());
        editCltId_ = dmData->QueryInt(QStringLiteral("select max(F_cltID) from Contract")) + 1;
        if (AppState().AutoContractCode) fillGeneratedCode();
        else ui->edtcode->clear();
        break;
    default:
        SetEditMode(false);
        LoadFields(false);
        break;
    }
    fillScopeLists();
    applyCaptions();
    ApplyImeToControls(this);
    execModal(this);
    return 0;
}

void TfrmContractEdit::SetEditMode(bool modify)
{
    editMode_ = modify;
    ui->CheckBox1->setVisible(!modify);
    ui->DBNavigator1->setVisible(modify);
    setWindowTitle(modify ? QStringLiteral("合同档案 - 修改") : QStringLiteral("合同档案 - 新增"));
}

void TfrmContractEdit::LoadFields(bool fromRecord)
{
    if (fromRecord) {
        const Dataset* ds = list_ ? list_->dataset() : nullptr;
        const int row = list_ ? list_->currentRow() : -1;
        if (!ds || row < 0) return;
        auto text = [&](const char* field) {
            const int col = ds->fieldIndex(QString::fromLatin1(field));
            return col < 0 ? QString() : ds->text(row, col);
        };
        auto number = [&](const char* field) {
            const int col = ds->fieldIndex(QString::fromLatin1(field));
            return col < 0 ? 0.0 : ds->number(row, col);
        };
        auto dateOr = [&](const char* field) {
            const QDate d = QDate::fromString(text(field).left(10), QStringLiteral("yyyy-MM-dd"));
            return d.isValid() ? d : Clock::today();
        };
        ui->edtcode->setText(text("F_code"));
        ui->edtName->setText(text("F_name"));
        ui->cbeType->setText(text("F_type"));
        ui->cbbEmpName->setEditText(text("F_empName"));
        ui->dtpDate->setDate(dateOr("F_date"));
        ui->ceTotalPrice->setValue(number("F_totalPrice"));
        ui->dtpBeginDate->setStoredText(text("F_beginDate"));
        ui->dtpEndDate->setStoredText(text("F_endDate"), kEndDateThreshold);
        ui->cbbStatus->setEditText(text("F_status"));
        ui->Memo1->setPlainText(text("F_memo1"));
        ui->cbeFilePath->setText(text("F_filePath"));
        ui->Memo2->setPlainText(text("F_memo2"));
        ui->cbGDflag->setChecked(number("F_GDflag") != 0);
        ui->cbeGDpath->setText(text("F_GDpath"));
        ui->dtpeditdate->setDate(dateOr("F_editDate"));
        ui->cbeClient1->setText(text("F_client1"));
        ui->cbeClient2->setText(text("F_client2"));
        ui->edtFZR1->setText(text("F_FZR1"));
        ui->edtFZR2->setText(text("F_FZR2"));
        (number("F_SFflag") == -1 ? ui->rbFK : ui->rbSK)->setChecked(true);
        ui->cbbPriceUnit->setEditText(text("F_priceUnit"));
        ui->cbbDept->setEditText(text("F_dept"));
        QLineEdit* zf[] = {ui->edtZF1, ui->edtZF2, ui->edtZF3, ui->edtZF4, ui->edtZF5};
        for (int i = 0; i < 5; ++i) zf[i]->setText(text(QStringLiteral("F_ZF%1").arg(i + 1).toLatin1().constData()));
        MoneyEdit* sz[] = {ui->rceSZ1, ui->rceSZ2, ui->rceSZ3};
        DateEdit* rq[] = {ui->dtpRQ1, ui->dtpRQ2, ui->dtpRQ3};
        for (int i = 0; i < 3; ++i) {
            sz[i]->setValue(number(QStringLiteral("F_SZ%1").arg(i + 1).toLatin1().constData()));
            rq[i]->setStoredText(text(QStringLiteral("F_RQ%1").arg(i + 1).toLatin1().constData()));
        }
        editCltId_ = static_cast<qint64>(number("F_cltID"));  // a null key reads 0
        LockApproved(text("F_SHemp"));
    } else {
        editCltId_ = dmData->QueryInt(QStringLiteral("select max(F_cltID) from Contract")) + 1;
        if (AppState().AutoContractCode) fillGeneratedCode();
        else ui->edtcode->clear();
        if (!defaultType_.isEmpty() && defaultType_ != QLatin1String("\\\\")) ui->cbeType->setText(defaultType_);
        for (QLineEdit* e : {ui->edtName, ui->cbeFilePath, ui->cbeGDpath, ui->cbeClient1, ui->cbeClient2, ui->edtFZR1,
                             ui->edtFZR2, ui->edtZF1, ui->edtZF2, ui->edtZF3, ui->edtZF4, ui->edtZF5})
            e->clear();
        for (QComboBox* c : {ui->cbbEmpName, ui->cbbPriceUnit, ui->cbbDept}) c->setEditText(QString());
        ui->cbbStatus->setEditText(QStringLiteral("未执行"));
        ui->Memo1->clear();
        ui->Memo2->clear();
        ui->ceTotalPrice->setValue(0);
        for (MoneyEdit* m : {ui->rceSZ1, ui->rceSZ2, ui->rceSZ3}) m->setValue(0);
        ui->dtpDate->setDate(Clock::today());
        ui->dtpeditdate->setDate(Clock::today());
        for (DateEdit* d : {ui->dtpBeginDate, ui->dtpEndDate, ui->dtpRQ1, ui->dtpRQ2, ui->dtpRQ3}) {
            d->setDate(Clock::today());
            d->setChecked(false);
        }
        ui->cbGDflag->setChecked(false);
        ui->rbSK->setChecked(true);
    }
    if (!ui->cbGDflag->isChecked()) ui->cbeGDpath->clear();
    showArchivePath(ui->cbGDflag->isChecked());
    keepScopeSalesman();
}

void TfrmContractEdit::LockApproved(const QString& approver)
{
    const bool locked = !approver.trimmed().isEmpty();
    QWidget* inputs[] = {ui->edtcode, ui->edtName, ui->cbeType, ui->btnType, ui->cbbEmpName, ui->dtpDate,
                         ui->ceTotalPrice, ui->cbbPriceUnit, ui->cbbDept, ui->dtpBeginDate, ui->dtpEndDate,
                         ui->Memo1, ui->Memo2, ui->cbeClient1, ui->btnClient1, ui->cbeClient2, ui->btnClient2,
                         ui->edtFZR1, ui->edtFZR2, ui->RadioGroup1, ui->dtpeditdate};
    for (QWidget* w : inputs) setLocked(w, locked);
    ui->edtcode->setFocusPolicy(Qt::StrongFocus);
    keepScopeSalesman();
}

// --- pieces ---

void TfrmContractEdit::applyCaptions()
{
    QLabel* labels[] = {ui->lblZF1, ui->lblZF2, ui->lblZF3, ui->lblZF4, ui->lblZF5, ui->lblSZ1,
                        ui->lblSZ2, ui->lblSZ3, ui->lblRQ1, ui->lblRQ2, ui->lblRQ3};
    for (int i = 0; i < 11; ++i) labels[i]->setText(ContractInputs::CustomLabel(i + 1));
    ui->ceTotalPrice->setDisplayFormat(AppState().MoneyFormat);
}

void TfrmContractEdit::fillScopeLists()
{
    const QString salesman = ui->cbbEmpName->currentText();
    const QString dept = ui->cbbDept->currentText();
    dmData->FillScopeCombos(ui->cbbEmpName, ui->cbbDept);
    ui->cbbEmpName->setEditText(salesman);
    ui->cbbDept->setEditText(dept);
    keepScopeSalesman();
}

// An operator who sees only their own contracts is the salesman of every
// contract they enter, whatever the mode or the record shown.
void TfrmContractEdit::keepScopeSalesman()
{
    if (AppState().ScopeFlag != 1) return;
    ui->cbbEmpName->setEditText(AppState().OperName);
    setLocked(ui->cbbEmpName, true);
}

void TfrmContractEdit::fillGeneratedCode()
{
    try {
        ui->edtcode->setText(NextContractCode(*dmData));
        setCodeGenerated(true);
    } catch (const CodeError& e) {
        ui->edtcode->clear();
        setCodeGenerated(false);
        ShowMess(e.message(), MessWarning);
    } catch (const DbError& e) {
        ui->edtcode->clear();
        setCodeGenerated(false);
        ShowMess(QStringLiteral("操作失败，请检查数据连接... ") + QLatin1Char('\n') + e.message(), MessError);
    }
}

void TfrmContractEdit::setCodeGenerated(bool generated)
{
    ui->edtcode->setReadOnly(generated);
    ui->edtcode->setFocusPolicy(generated ? Qt::ClickFocus : Qt::StrongFocus);
    paintBase(ui->edtcode, generated ? kGeneratedCode : QColor());
}

void TfrmContractEdit::showArchivePath(bool visible)
{
    for (QWidget* w : {static_cast<QWidget*>(ui->cbeGDpath), static_cast<QWidget*>(ui->lblGDpath),
                       static_cast<QWidget*>(ui->btnGDpath), static_cast<QWidget*>(ui->btnOpenGD)})
        w->setVisible(visible);
}

qint64 TfrmContractEdit::currentId() const
{
    if (!editMode_ || !list_ || !list_->dataset() || list_->currentRow() < 0) return 0;
    const Dataset* ds = list_->dataset();
    return ds->integer(list_->currentRow(), ds->fieldIndex(QStringLiteral("F_ID")));
}

QVariantMap TfrmContractEdit::collectValues() const
{
    auto t = [](const QString& s) { return QVariant(s.trimmed()); };
    QVariantMap v{
        {QStringLiteral("cltID"), editCltId_},
        {QStringLiteral("code"), t(ui->edtcode->text())},
        {QStringLiteral("name"), t(ui->edtName->text())},
        {QStringLiteral("Type"), t(ui->cbeType->text())},
        {QStringLiteral("empName"), t(ui->cbbEmpName->currentText())},
        {QStringLiteral("date"), ui->dtpDate->date().toString(QStringLiteral("yyyy-MM-dd"))},
        {QStringLiteral("totalPrice"), ui->ceTotalPrice->value()},
        {QStringLiteral("beginDate"), ui->dtpBeginDate->storedText()},
        {QStringLiteral("endDate"), ui->dtpEndDate->storedText()},
        {QStringLiteral("status"), t(ui->cbbStatus->currentText())},
        {QStringLiteral("memo1"), t(ui->Memo1->toPlainText())},
        {QStringLiteral("filePath"), t(ui->cbeFilePath->text())},
        {QStringLiteral("memo2"), t(ui->Memo2->toPlainText())},
        {QStringLiteral("GDflag"), ui->cbGDflag->isChecked()},
        {QStringLiteral("GDpath"), t(ui->cbeGDpath->text())},
        {QStringLiteral("editDate"), ui->dtpeditdate->date().toString(QStringLiteral("yyyy-MM-dd"))},
        {QStringLiteral("client1"), t(ui->cbeClient1->text())},
        {QStringLiteral("client2"), t(ui->cbeClient2->text())},
        {QStringLiteral("FZR1"), t(ui->edtFZR1->text())},
        {QStringLiteral("FZR2"), t(ui->edtFZR2->text())},
        {QStringLiteral("SFflag"), ui->rbFK->isChecked() ? -1 : 1},
        {QStringLiteral("priceUnit"), t(ui->cbbPriceUnit->currentText())},
        {QStringLiteral("dept"), t(ui->cbbDept->currentText())},
        {QStringLiteral("ZF1"), ui->edtZF1->text()},
        {QStringLiteral("ZF2"), ui->edtZF2->text()},
        {QStringLiteral("ZF3"), ui->edtZF3->text()},
        {QStringLiteral("ZF4"), ui->edtZF4->text()},
        {QStringLiteral("ZF5"), ui->edtZF5->text()},
        {QStringLiteral("SZ1"), ui->rceSZ1->value()},
        {QStringLiteral("SZ2"), ui->rceSZ2->value()},
        {QStringLiteral("SZ3"), ui->rceSZ3->value()},
        {QStringLiteral("RQ1"), ui->dtpRQ1->storedText()},
        {QStringLiteral("RQ2"), ui->dtpRQ2->storedText()},
        {QStringLiteral("RQ3"), ui->dtpRQ3->storedText()},
    };
    return v;
}

void TfrmContractEdit::positionList(qint64 id)
{
    if (!list_ || !list_->dataset()) return;
    Dataset* ds = list_->dataset();
    const int row = ds->find(ds->fieldIndex(QStringLiteral("F_ID")), id);
    if (row >= 0) list_->setCurrentRow(row);
    else if (!ds->isEmpty()) list_->setCurrentRow(ds->rowCount() - 1);
}

// --- the write ---

QString TfrmContractEdit::NextContractCode(TdmData& dm)
{
    const QString prefix = QStringLiteral("HT-") + Clock::today().toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('-');
    return dm.NextDatedCode(QStringLiteral("select max(F_code) from Contract where F_code Like ? "),
                            QStringLiteral("HT-"), 3, {prefix + QLatin1Char('%')});
}

TfrmContractEdit::Saved TfrmContractEdit::WriteContract(TdmData& dm, QVariantMap values, bool modify, qint64 id,
                                                        bool autoCode)
{
    Connection& c = dm.ADOcnn();
    // Immediate: from the checks below to the commit no other instance can
    // take the same code or link key.
    auto tx = c.transaction(true);
    Saved saved;
    saved.code = values.value(QStringLiteral("code")).toString();
    if (!saved.code.isEmpty() && c.scalar(kCodeHolderSql, {saved.code, id}).toLongLong() > 0) {
        if (!autoCode) throw DuplicateCode();
        saved.code = NextContractCode(dm);
        if (c.scalar(kCodeHolderSql, {saved.code, id}).toLongLong() > 0)
            throw CodeError(QStringLiteral("自动生成的合同编号“%1”已被使用，请手工输入合同编号。").arg(saved.code));
        values[QStringLiteral("code")] = saved.code;
    }
    saved.cltId = values.value(QStringLiteral("cltID")).toLongLong();
    if (!modify
        && c.scalar(QStringLiteral("Select F_ID From contract Where F_cltID = ? "), {saved.cltId}).toLongLong() > 0) {
        saved.cltId = c.scalar(QStringLiteral("select max(F_cltID) from contract")).toLongLong() + 1;
        values[QStringLiteral("cltID")] = saved.cltId;
    }
    if (modify) {
        values[QStringLiteral("ID")] = id;
        c.exec(QStringLiteral(
                   "Update Contract Set F_cltID = :cltID,F_code = :code,F_name = :name, F_Type = :Type,"
                   "F_empName = :empName,F_date = :date,F_totalPrice = :totalPrice, F_beginDate = :beginDate,"
                   "F_endDate = :endDate,F_status = :status, F_memo1 = :memo1,F_filePath = :filePath,"
                   "F_memo2 = :memo2,F_GDflag = :GDflag, F_GDpath = :GDpath,F_editDate = :editDate,"
                   "F_client1 = :Client1, F_client2 = :client2,F_FZR1 = :FZR1,F_FZR2 = :FZR2,F_SFflag = :SFflag, "
                   "F_priceUnit = :priceUnit,F_dept = :dept,F_ZF1 = :ZF1,F_ZF2 = :ZF2, F_ZF3 = :ZF3,F_ZF4 = :ZF4,"
                   "F_ZF5 = :ZF5,F_SZ1 = :SZ1,F_SZ2 = :SZ2, F_SZ3 = :SZ3,F_RQ1 = :RQ1,F_RQ2 = :RQ2,F_RQ3 = :RQ3 "
                   "Where F_ID = :ID"),
               values);
        saved.id = id;
    } else {
        c.exec(QStringLiteral(
                   "Insert into Contract(F_cltID,F_Code,F_Name,F_Type,F_empName, F_date,F_totalPrice,F_beginDate,"
                   "F_endDate,F_status,F_memo1,F_filePath, F_memo2,F_GDflag,F_GDpath,F_editDate,F_client1,"
                   "F_client2,F_FZR1, F_FZR2,F_SFflag,F_priceUnit,F_dept,F_ZF1,F_ZF2,F_ZF3,F_ZF4,F_ZF5, "
                   "F_SZ1,F_SZ2,F_SZ3,F_RQ1,F_RQ2,F_RQ3) "
                   "Values(:cltID,:Code,:Name,:Type,:empName,:date,:totalPrice,:beginDate, :endDate,:status,"
                   ":memo1,:filePath,:memo2,:GDflag,:GDpath,:editDate, :client1,:client2,:FZR1,:FZR2,:SFflag,"
                   ":priceUnit,:dept, :ZF1,:ZF2,:ZF3,:ZF4,:ZF5,:SZ1,:SZ2,:SZ3,:RQ1,:RQ2,:RQ3) "),
               values);
        saved.id = c.lastInsertId();
    }
    tx.commit();
    return saved;
}

// --- handlers ---

void TfrmContractEdit::btnOKClick()
{
    const qint64 id = currentId();
    if (editCltId_ < 1) editCltId_ = id;  // a contract stored without a link key takes its own F_ID
    const QString name = ui->edtName->text().trimmed();
    if (name.isEmpty()) {
        ShowMess(QStringLiteral("当前合同名称不能为空！"), MessInfo);
        ui->edtName->setFocus();
        return;
    }
    const bool autoCode = AppState().AutoContractCode;
    const QString code = ui->edtcode->text().trimmed();
    if (!code.isEmpty() && dmData->QueryInt(kCodeHolderSql, {code, id}) > 0) {
        if (!autoCode) {
            ShowMess(QStringLiteral("合同编号重复，请重新输入！"), MessInfo);
            ui->edtcode->setFocus();
            return;
        }
        fillGeneratedCode();
        if (ui->edtcode->text().isEmpty()) {
            ui->edtcode->setFocus();
            return;
        }
    }
    if (dmData->QueryInt(QStringLiteral("Select F_ID From contract Where F_name = ? and F_ID <> ? "), {name, id}) > 0
        && ShowMess(QStringLiteral("合同名称“") + ui->edtName->text() + QStringLiteral("”重复，重新输入吗？"),
                    MessQuestion)
               == 1) {
        ui->edtName->setFocus();
        return;
    }

    Saved saved;
    try {
        saved = WriteContract(*dmData, collectValues(), editMode_, id, autoCode);
    } catch (const DuplicateCode&) {
        ShowMess(QStringLiteral("合同编号重复，请重新输入！"), MessInfo);
        ui->edtcode->setFocus();
        return;
    } catch (const CodeError& e) {
        // The code of the day cannot be counted on: let the operator type one.
        setCodeGenerated(false);
        ShowMess(e.message(), MessWarning);
        ui->edtcode->setFocus();
        return;
    } catch (const DbError& e) {
        ShowMess(QStringLiteral("保存失败，请检测数据库连接！") + QLatin1Char('\n') + e.message(), MessError);
        return;
    }
    ui->edtcode->setText(saved.code);
    editCltId_ = saved.cltId;

    if (refreshList_) refreshList_();
    positionList(saved.id);

    const bool stayOpen = !editMode_ && ui->CheckBox1->isChecked();
    editMode_ = false;
    if (!stayOpen) {
        accept();
        return;
    }
    LoadFields(false);
    (autoCode ? ui->edtName : ui->edtcode)->setFocus();
}

void TfrmContractEdit::btnCancelClick() { reject(); }

void TfrmContractEdit::btnTypeClick() { ContractInputs::PickType(ui->cbeType, this); }

void TfrmContractEdit::btnClientClick(int party)
{
    QLineEdit* box = party == 1 ? ui->cbeClient1 : ui->cbeClient2;
    QLineEdit* person = party == 1 ? ui->edtFZR1 : ui->edtFZR2;
    if (ContractInputs::PickParty(box, this)) person->setText(ContractInputs::ClientLinkMan(box->text()));
}

void TfrmContractEdit::btnFilePathClick()
{
    const QString file = Desktop::instance().openFileName(this, QStringLiteral("请选择文件"),
                                                          ui->cbeFilePath->text().trimmed(),
                                                          QStringLiteral("所有文件 (*.*)"));
    if (!file.isEmpty()) ui->cbeFilePath->setText(file);
}

void TfrmContractEdit::btnGDpathClick()
{
    const QString current = ui->cbeGDpath->text().trimmed();
    const QString dir = Desktop::instance().existingDirectory(this, QStringLiteral("选择文件路径"), current);
    if (!dir.isEmpty() && dir != current) ui->cbeGDpath->setText(dir);
}

void TfrmContractEdit::btnOpenClick(const QString& path)
{
    const QString p = path.trimmed();
    if (p.isEmpty()) return;
    if (!Desktop::instance().openDocument(p)) ShowMess(QStringLiteral("无法打开“") + p + QStringLiteral("”！"), MessWarning);
}

void TfrmContractEdit::cbGDflagClick() { showArchivePath(ui->cbGDflag->isChecked()); }

void TfrmContractEdit::onNavigatorMoved() { LoadFields(true); }

bool TfrmContractEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == ui->cbbStatus) ContractInputs::FillCodeList(ui->cbbStatus, QStringLiteral("status"));
        else if (watched == ui->cbbPriceUnit) ContractInputs::FillCodeList(ui->cbbPriceUnit, QStringLiteral("priceunit"));
    }
    return QDialog::eventFilter(watched, event);
}
