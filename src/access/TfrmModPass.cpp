#include "access/TfrmModPass.h"

#include "ui_TfrmModPass.h"

#include "access/OperAccess.h"
#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/WindowKeys.h"
#include "platform/Messages.h"
#include "platform/Password.h"

void ShowModPass(QWidget* parent)
{
    TfrmModPass frm(parent);
    DispFormPos(&frm, 1);
    execModal(&frm);
}

TfrmModPass::TfrmModPass(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmModPass)
{
    ui->setupUi(this);
    ui->lblOperName->setText(QStringLiteral("当前操作员：") + AppState().OperName + QLatin1Char(' '));
    connect(ui->btnOk, &QPushButton::clicked, this, &TfrmModPass::btnOkClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    WindowKeys::forEditor(this, ui->btnOk, ui->btnCancel);
    ui->edtOldPass->setFocus();
}

TfrmModPass::~TfrmModPass() { delete ui; }

void TfrmModPass::btnOkClick()
{
    changePassword();
    accept();
}

// Whatever the outcome, the window closes after its message.
void TfrmModPass::changePassword()
{
    Dataset oper;
    if (!dmData->OpenQuery(QStringLiteral("Select F_ID,F_PassWord From OperList Where (F_Name = ? COLLATE NOCASE)"),
                           oper, {AppState().OperName})
        || oper.isEmpty())
        return;
    if (!CheckPass(oper.text(0, 1), ui->edtOldPass->text())) {
        ShowMess(QStringLiteral("旧口令输入错误，不能更改！"), MessWarning);
        return;
    }
    // The confirmation may differ in surrounding blanks; what is stored is the first input as typed.
    if (ui->edtNewPass->text().trimmed() != ui->edtNewPass2->text().trimmed()) {
        ShowMess(QStringLiteral("新口令错误，不能更改！"), MessInfo);
        ui->edtNewPass->clear();
        ui->edtNewPass2->clear();
        return;
    }
    if (dmData->ExecSql(QStringLiteral("Update OperList Set F_PassWord = ? Where F_ID = ?"),
                        {SavePass(ui->edtNewPass->text()), oper.integer(0, 0)}))
        ShowMess(QStringLiteral("更改口令成功！"), MessInfo);
}
