#include "clients/TfrmCltEdit.h"

#include "ui_TfrmCltEdit.h"

#include "clients/ClientStore.h"
#include "codes/CategoryPicker.h"
#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/DataGrid.h"
#include "data/PubUnit.h"
#include "data/WindowKeys.h"
#include "platform/Messages.h"

#include <sqlcipher/sqlite3.h>

namespace {
// The colour of a code the program fills in itself.
const QColor kGeneratedCode(163, 149, 242);
// The category picker's client-category mode.
constexpr int kClientCategories = 4;
}

TfrmCltEdit::TfrmCltEdit(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmCltEdit)
{
    ui->setupUi(this);
    codePalette_ = ui->edtCode->palette();
    WindowKeys::forEditor(this, ui->Button1, ui->Button2);
    connect(ui->Button1, &QPushButton::clicked, this, &TfrmCltEdit::Button1Click);
    connect(ui->Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->btnType, &QToolButton::clicked, this, &TfrmCltEdit::btnTypeClick);
    connect(ui->DBNavigator1, &RecordNavigator::moved, this, &TfrmCltEdit::navigatorMoved);
    SetEditMode(0);
}

TfrmCltEdit::~TfrmCltEdit() { delete ui; }

void TfrmCltEdit::setCallerList(DataGrid* grid, std::function<void(const QString&)> reopen)
{
    grid_ = grid;
    reopen_ = std::move(reopen);
    ui->DBNavigator1->setGrid(grid);
}

bool TfrmCltEdit::ShowEditor(int mode)
{
    SetEditMode(mode);
    LoadFields(mode == 1);
    ApplyImeToControls(this);
    return execModal(this) == QDialog::Accepted;
}

void TfrmCltEdit::SetEditMode(int mode)
{
    mode_ = mode;
    setWindowTitle(mode == 1 ? QStringLiteral("客户档案 - 修改") : QStringLiteral("客户档案 - 新增"));
    ui->CheckBox1->setVisible(mode == 0 && !picker_);
    ui->DBNavigator1->setVisible(mode == 1 && !picker_);
}

void TfrmCltEdit::SetPickerMode()
{
    picker_ = true;
    ui->CheckBox1->setVisible(false);
    ui->DBNavigator1->setVisible(false);
    // Cleared here; the code is generated when ShowEditor loads the inputs.
    showRecord(ClientRecord{});
}

void TfrmCltEdit::setCodeLocked(bool locked)
{
    ui->edtCode->setReadOnly(locked);
    QPalette p = codePalette_;
    if (locked) p.setColor(QPalette::Base, kGeneratedCode);
    ui->edtCode->setPalette(p);
    // A generated code is skipped by Tab and Enter.
    ui->edtCode->setFocusPolicy(locked ? Qt::ClickFocus : Qt::StrongFocus);
}

void TfrmCltEdit::LoadFields(bool fromRecord)
{
    const bool autoCode = AppState().AutoClientCode;
    manualCode_ = false;
    if (fromRecord) {
        setCodeLocked(autoCode);
        const Dataset* ds = grid_ ? grid_->dataset() : nullptr;
        const int row = grid_ ? grid_->currentRow() : -1;
        if (ds && row >= 0 && row < ds->rowCount()) showRecord(ClientRecord::fromRow(*ds, row));
        return;
    }
    showRecord(ClientRecord{});
    setCodeLocked(false);
    if (!autoCode) return;
    try {
        ui->edtCode->setText(NextClientCode(*dmData));
        setCodeLocked(true);
    } catch (const CodeError& e) {
        // The editor stays usable: the code is typed by hand this time.
        manualCode_ = true;
        ShowMess(e.message(), MessWarning);
    } catch (const DbError& e) {
        manualCode_ = true;
        ShowMess(QStringLiteral("打开操作失败，请检查数据连接... ") + QLatin1Char('\n') + e.message(), MessError);
    }
}

void TfrmCltEdit::showRecord(const ClientRecord& r)
{
    ui->edtCode->setText(r.code);
    ui->edtName->setText(r.name);
    ui->edtType->setText(r.type);
    ui->edtLinkMan->setText(r.linkMan);
    ui->edtAddress->setText(r.address);
    ui->edtPostcode->setText(r.postcode);
    ui->edtHandPhone->setText(r.handPhone);
    ui->edtFax->setText(r.fax);
    ui->edtPhone->setText(r.phone);
    ui->edtBank->setText(r.bank);
    ui->edtAccount->setText(r.account);
    ui->edtRateCode->setText(r.rateCode);
    ui->edtHomepage->setText(r.homepage);
    ui->edtEmail->setText(r.email);
    ui->edtEnrol->setText(r.enrol);
    ui->memMem->setPlainText(r.mem);
    ui->cbUseFlag->setChecked(r.useFlag);
}

ClientRecord TfrmCltEdit::inputs() const
{
    ClientRecord r;
    r.code = ui->edtCode->text();
    r.name = ui->edtName->text();
    r.type = ui->edtType->text();
    r.linkMan = ui->edtLinkMan->text();
    r.address = ui->edtAddress->text();
    r.postcode = ui->edtPostcode->text();
    r.handPhone = ui->edtHandPhone->text();
    r.fax = ui->edtFax->text();
    r.phone = ui->edtPhone->text();
    r.bank = ui->edtBank->text();
    r.account = ui->edtAccount->text();
    r.rateCode = ui->edtRateCode->text();
    r.homepage = ui->edtHomepage->text();
    r.email = ui->edtEmail->text();
    r.enrol = ui->edtEnrol->text();
    r.mem = ui->memMem->toPlainText();
    r.useFlag = ui->cbUseFlag->isChecked();
    return r;
}

qint64 TfrmCltEdit::currentId() const
{
    const Dataset* ds = grid_ ? grid_->dataset() : nullptr;
    const int row = grid_ ? grid_->currentRow() : -1;
    const int col = ds ? ds->fieldIndex(QStringLiteral("F_ID")) : -1;
    if (!ds || col < 0 || row < 0 || row >= ds->rowCount()) return -1;
    return ds->integer(row, col);
}

void TfrmCltEdit::Button1Click()
{
    const bool modify = mode_ == 1 && !picker_;
    const qint64 id = modify ? currentId() : -1;
    if (modify && id < 0) return;  // the list behind has no current client any more
    if (ui->edtCode->text().trimmed().isEmpty()) {
        ShowMess(QStringLiteral("当前客户编号不能为空！"), MessInfo);
        ui->edtCode->setFocus();
        return;
    }

    ClientSaveResult saved;
    try {
        saved = SaveClient(*dmData, inputs(), id, AppState().AutoClientCode && !manualCode_);
    } catch (const CodeError& e) {
        ShowMess(e.message(), MessWarning);
        ui->edtCode->setFocus();
        return;
    } catch (const DbError& e) {
        // An over-long text names its column and limit; anything else is the connection's.
        if ((e.code() & 0xff) == SQLITE_CONSTRAINT) ShowMess(e.message(), MessError);
        else ShowMess(QStringLiteral("保存失败，请检测数据库连接！") + QLatin1Char('\n') + e.message(), MessError);
        return;
    }
    if (saved.status == ClientSaveStatus::Duplicate) {
        ShowMess(QStringLiteral("客户编号重复，请重新输入！"), MessInfo);
        ui->edtCode->setFocus();
        return;
    }
    ui->edtCode->setText(saved.code);
    if (reopen_) reopen_(saved.code);

    if (picker_ || mode_ == 1 || !ui->CheckBox1->isChecked()) {
        SetEditMode(0);
        accept();
        return;
    }
    SetEditMode(0);
    LoadFields(false);
    if (AppState().AutoClientCode && !manualCode_) ui->edtName->setFocus();
    else ui->edtCode->setFocus();
}

void TfrmCltEdit::btnTypeClick()
{
    QString path = ui->edtType->text();
    if (PickCategory(kClientCategories, path, this)) ui->edtType->setText(path);
}

void TfrmCltEdit::navigatorMoved() { LoadFields(true); }
