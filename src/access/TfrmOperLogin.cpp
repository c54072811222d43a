#include "access/TfrmOperLogin.h"

#include "ui_TfrmOperLogin.h"

#include "access/OperAccess.h"
#include "contracts/TFrmMain.h"
#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/WindowKeys.h"
#include "platform/Messages.h"
#include "platform/Password.h"

#include <QCloseEvent>
#include <QKeyEvent>

namespace {
// Tries before a wrong password ends the sign-in.
constexpr int kMaxWrong = 4;
}

bool OperLogin(int mode, QWidget* parent)
{
    TfrmOperLogin frm(mode, parent);
    DispFormPos(&frm, 0);
    return execModal(&frm) == QDialog::Accepted && frm.signedIn();
}

TfrmOperLogin::TfrmOperLogin(int mode, QWidget* parent)
    : QDialog(parent), ui(new Ui::TfrmOperLogin), mode_(mode)
{
    ui->setupUi(this);
    // No close box: the window is left through its buttons only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    FormCreate();
}

TfrmOperLogin::~TfrmOperLogin() { delete ui; }

bool TfrmOperLogin::isAdminName(const QString& name) { return name.trimmed().toLower() == QLatin1String("admin"); }

void TfrmOperLogin::FormCreate()
{
    wrongCount_ = 0;
    connect(ui->btnOk, &QPushButton::clicked, this, &TfrmOperLogin::btnOkClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &TfrmOperLogin::btnCancelClick);
    WindowKeys::forEditor(this, ui->btnOk, ui->btnCancel);

    dmData->FillCombo(QStringLiteral("select F_name from OperList where F_name <> '' "), ui->cbbOperName);
    ui->cbbOperName->setCurrentIndex(-1);
    const QString last = dmData->settings().readString(QStringLiteral("Config"), QStringLiteral("CurOperName"));
    ui->cbbOperName->setEditText(last);
    if (last.isEmpty()) ui->cbbOperName->setFocus();
    else ui->edtPassWord->setFocus();
}

void TfrmOperLogin::btnOkClick()
{
    const QString name = ui->cbbOperName->currentText().trimmed();
    if (name.isEmpty()) {
        ShowMess(QStringLiteral("请选择用户！"), MessInfo);
        ui->cbbOperName->setFocus();
        return;
    }
    // Names compare without regard to case, as operators have always typed them.
    if (dmData->QueryInt(QStringLiteral("select F_ID from OperList where F_name = ? COLLATE NOCASE "), {name}) <= 0) {
        ShowMess(QStringLiteral("此操作员并不存在，请重新选择操作员！"), MessInfo);
        ui->cbbOperName->setFocus();
        return;
    }
    const QString stored =
        dmData->QueryString(QStringLiteral("select f_PassWord from OperList Where F_Name = ? COLLATE NOCASE "), {name});
    if (!CheckPass(stored, ui->edtPassWord->text())) {
        wrongPassword();
        return;
    }
    if (SignIn(name)) {
        signedIn_ = true;
        done(QDialog::Accepted);
    }
}

void TfrmOperLogin::wrongPassword()
{
    ++wrongCount_;
    if (wrongCount_ < kMaxWrong) {
        ShowMess(QStringLiteral("用户名或密码不正确，请重新输入！"), MessInfo);
        ui->edtPassWord->setFocus();
        ui->edtPassWord->selectAll();
        return;
    }
    if (mode_ == 0) {
        dmData->WriteLog(QStringLiteral("登录失败！"));
        ShowMess(QStringLiteral("非法操作员!"), MessError);
    } else {
        dmData->WriteLog(QStringLiteral("更换操作员失败！"));
        ShowMess(QStringLiteral("更换操作员失败!"), MessError);
    }
    // At start-up the caller ends the program on this result.
    done(QDialog::Rejected);
}

// Fills the operator state from the database and the settings file and applies
// the permissions. Everything is read first and the state replaced only when
// all of it could be read, so that a refused sign-in leaves the previous
// operator in force.
bool TfrmOperLogin::SignIn(const QString& name)
{
    AppStateRecord next = AppState();
    next.OperName = name;
    if (!isAdminName(name)) {
        Dataset oper;
        if (!dmData->OpenQuery(
                QStringLiteral("select F_xtFlag,F_shFlag,F_dept from OperList where F_name = ? COLLATE NOCASE "), oper,
                {name})
            || oper.isEmpty())
            return false;
        next.ScopeFlag = static_cast<int>(oper.integer(0, 0));
        next.CanApprove = oper.integer(0, 1) != 0;
        next.DeptList = oper.text(0, 2);
    } else {
        next.ScopeFlag = 0;
        next.DeptList.clear();
        next.CanApprove = true;
    }
    next.CompanyName = dmData->QueryString(QStringLiteral("select f_code from SysInfo"));

    Dataset keys;
    if (!dmData->OpenQuery(QStringLiteral("select * from KeyValue order by F_ID"), keys)) return false;
    const int valueCol = keys.fieldIndex(QStringLiteral("F_Value"));
    for (int n = 1; n <= 14; ++n)
        next.Captions[n] = n <= keys.rowCount() && valueCol >= 0 ? keys.text(n - 1, valueCol) : QString();
    bool isNumber = false;
    const int moneyDecimals = next.Captions[14].trimmed().toInt(&isNumber);
    if (!isNumber) {
        ShowMess(QStringLiteral("系统参数错误：金额的小数位数“%1”不是整数，无法登录！\n"
                                "请联系系统管理员修复数据库中的自定义设置。")
                     .arg(next.Captions[14]),
                 MessError);
        return false;
    }
    next.MoneyFormat = TdmData::NumberFormat(moneyDecimals, 3);

    IniSettings& ini = dmData->settings();
    next.ImeName = ini.readString(QStringLiteral("Config"), QStringLiteral("CurImeName"));
    next.AutoClientCode = ini.readBool(QStringLiteral("sys"), QStringLiteral("bZDcode"));
    next.AutoContractCode = ini.readBool(QStringLiteral("sys"), QStringLiteral("bZDHTcode"));

    AppState() = next;
    ini.writeString(QStringLiteral("Config"), QStringLiteral("CurOperName"), name);
    if (FrmMain) {
        SetLimits(*FrmMain);
        FrmMain->SignedIn(ui->cbbOperName->currentText());
    }
    return true;
}

void TfrmOperLogin::btnCancelClick()
{
    // Mode 0: the caller ends the program; mode 1: the previous operator stays.
    done(QDialog::Rejected);
}

void TfrmOperLogin::reject() { btnCancelClick(); }

void TfrmOperLogin::closeEvent(QCloseEvent* event) { event->ignore(); }

void TfrmOperLogin::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F4 && (event->modifiers() & Qt::AltModifier)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
