#include "AccessTestSupport.h"

#include "access/OperAccess.h"
#include "access/TfrmOperLogin.h"
#include "contracts/TFrmMain.h"
#include "data/AppState.h"
#include "platform/IniSettings.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>

class Login : public AccessTest {
protected:
    void SetUp() override
    {
        AccessTest::SetUp();
        frm = std::make_unique<TFrmMain>();
    }
    void TearDown() override
    {
        frm.reset();
        AccessTest::TearDown();
    }

    // Types a name and a password into the login window and presses "确定".
    static void attempt(QDialog* d, const QString& name, const QString& password)
    {
        child<QComboBox>(d, "cbbOperName")->setEditText(name);
        child<QLineEdit>(d, "edtPassWord")->setText(password);
        child<QPushButton>(d, "btnOk")->click();
    }
    // One login window: the given attempts in order; returns whether it signed in.
    bool login(int mode, const QList<QPair<QString, QString>>& attempts)
    {
        modals.expect("TfrmOperLogin", [&attempts](QDialog* d) {
            for (const auto& [name, password] : attempts) attempt(d, name, password);
            return d->result();
        });
        return OperLogin(mode);
    }
    QString setting(const char* section, const char* key)
    {
        return IniSettings(ProgramFolder::file(QStringLiteral("config.ini")))
            .readString(QLatin1String(section), QLatin1String(key));
    }
    int logRows() { return db().scalar(QStringLiteral("select count(*) from LogRec")).toInt(); }

    std::unique_ptr<TFrmMain> frm;
};

TEST_F(Login, EmptyAndUnknownNamesAreNotWrongPasswords)
{
    addOperator({QStringLiteral("张三"), QStringLiteral("pw")});
    messages.expect(QStringLiteral("请选择用户！"));
    for (int i = 0; i < 5; ++i) messages.expect(QStringLiteral("此操作员并不存在，请重新选择操作员！"));
    modals.expect("TfrmOperLogin", [](QDialog* d) {
        attempt(d, QStringLiteral("   "), QString());
        for (int i = 0; i < 5; ++i) attempt(d, QStringLiteral("李四"), QStringLiteral("pw"));
        EXPECT_EQ(qobject_cast<TfrmOperLogin*>(d)->wrongCount(), 0);
        attempt(d, QStringLiteral(" 张三 "), QStringLiteral("pw"));
        return d->result();
    });
    EXPECT_TRUE(OperLogin(0));
    EXPECT_EQ(AppState().OperName, QStringLiteral("张三"));
    EXPECT_EQ(logRows(), 0);
    EXPECT_EQ(messages.kinds(), QList<int>(6, MessInfo));
}

TEST_F(Login, ThreeWrongPasswordsThenTheRightOneSignIn)
{
    // The password ends in a blank, which must be typed.
    addOperator({QStringLiteral("张三"), QStringLiteral("pw "), {QStringLiteral("201")}, 2,
                 QStringLiteral("'销售部','O''Neil'"), true});
    db().exec(QStringLiteral("update SysInfo set F_Code = ?"), {QStringLiteral("星河贸易公司")});
    db().exec(QStringLiteral("update KeyValue set F_Value = '3' where F_ID = (select max(F_ID) from KeyValue)"));
    db().exec(QStringLiteral("update KeyValue set F_Value = '备用号' where F_ID = (select min(F_ID) from KeyValue)"));
    dmData->settings().writeString(QStringLiteral("Config"), QStringLiteral("CurImeName"), QStringLiteral("fcitx"));
    dmData->settings().writeBool(QStringLiteral("sys"), QStringLiteral("bZDcode"), true);
    for (int i = 0; i < 3; ++i) messages.expect(QStringLiteral("用户名或密码不正确，请重新输入！"));
    EXPECT_TRUE(login(0, {{QStringLiteral("张三"), QStringLiteral("pw")},
                          {QStringLiteral("张三"), QStringLiteral("PW ")},
                          {QStringLiteral("张三"), QString()},
                          {QStringLiteral("张三"), QStringLiteral("pw ")}}));

    const AppStateRecord& s = AppState();
    EXPECT_EQ(s.OperName, QStringLiteral("张三"));
    EXPECT_EQ(s.ScopeFlag, 2);
    EXPECT_EQ(s.DeptList, QStringLiteral("'销售部','O''Neil'"));
    EXPECT_TRUE(s.CanApprove);
    EXPECT_EQ(s.CompanyName, QStringLiteral("星河贸易公司"));
    EXPECT_EQ(s.Captions[1], QStringLiteral("备用号"));
    EXPECT_EQ(s.Captions[5], QStringLiteral("自定义文本5"));
    EXPECT_EQ(s.Captions[14], QStringLiteral("3"));
    EXPECT_EQ(s.MoneyFormat, QStringLiteral(",0.00#"));
    EXPECT_EQ(s.ImeName, QStringLiteral("fcitx"));
    EXPECT_TRUE(s.AutoClientCode);
    EXPECT_FALSE(s.AutoContractCode);
    EXPECT_EQ(setting("config", "CurOperName"), QStringLiteral("张三"));
    EXPECT_EQ(frm->statusPanel(1)->text(), QStringLiteral("张三"));
    EXPECT_EQ(logRows(), 0);
}

TEST_F(Login, FourthWrongPasswordIsLoggedAndEndsTheLogin)
{
    const struct {
        int mode;
        const char* logText;
        const char* message;
    } cases[] = {{0, "登录失败！", "非法操作员!"}, {1, "更换操作员失败！", "更换操作员失败!"}};
    addOperator({QStringLiteral("张三"), QStringLiteral("pw")});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        db().exec(QStringLiteral("delete from LogRec"));
        for (int i = 0; i < 3; ++i) messages.expect(QStringLiteral("用户名或密码不正确"));
        messages.expect(QString::fromUtf8(c.message));
        messages.clear();
        QList<QPair<QString, QString>> wrong(4, {QStringLiteral("张三"), QStringLiteral("bad")});
        EXPECT_FALSE(login(c.mode, wrong));
        EXPECT_EQ(messages.kinds().last(), MessError);
        // The previous operator is the one the log names, and stays signed in.
        const Dataset log = db().query(QStringLiteral("select F_EmpName,F_OperType,F_OperDate,F_OperTime from LogRec"));
        ASSERT_EQ(log.rowCount(), 1);
        EXPECT_EQ(log.text(0, 0), QStringLiteral("admin"));
        EXPECT_EQ(log.text(0, 1), QString::fromUtf8(c.logText));
        EXPECT_EQ(log.text(0, 2), QStringLiteral("2026-03-09"));
        EXPECT_EQ(log.text(0, 3), QStringLiteral("10:00:00"));
        EXPECT_EQ(AppState().OperName, QStringLiteral("admin"));
    }
}

TEST_F(Login, AdminInAnyCaseWithBlanksIsTheAdministrator)
{
    addOperator({QStringLiteral("张三"), QString()});
    EXPECT_TRUE(login(1, {{QStringLiteral("张三"), QString()}}));
    EXPECT_FALSE(frm->commandShown(201));
    EXPECT_FALSE(AppState().CanApprove);

    EXPECT_TRUE(login(1, {{QStringLiteral("  AdMiN "), QString()}}));
    EXPECT_EQ(AppState().OperName, QStringLiteral("AdMiN"));
    EXPECT_TRUE(AppState().isAdmin());
    EXPECT_EQ(AppState().ScopeFlag, 0);
    EXPECT_TRUE(AppState().DeptList.isEmpty());
    EXPECT_TRUE(AppState().CanApprove);
    for (int code : TFrmMain::commandCodes()) EXPECT_TRUE(frm->commandShown(code)) << code;
    for (int heading : {100, 200, 300, 400, 500}) EXPECT_TRUE(frm->menuHeading(heading)->menuAction()->isVisible());
    EXPECT_TRUE(frm->approveAction()->isVisible());
    EXPECT_EQ(frm->statusPanel(1)->text(), QStringLiteral("  AdMiN "));
}

TEST_F(Login, OperatorWithoutPermissionsSeesNoGatedMenu)
{
    addOperator({QStringLiteral("王五"), QStringLiteral("x")});
    addOperator({QStringLiteral("赵六"), QStringLiteral("x"), {}, 0, {}, true, true});  // approves; disabled signs in too
    for (const char* name : {"王五", "赵六"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(login(1, {{QString::fromUtf8(name), QStringLiteral("x")}}));
        for (int heading : {100, 200, 300, 400, 500})
            EXPECT_FALSE(frm->menuHeading(heading)->menuAction()->isVisible()) << heading;
        for (const SeedData::Permission& p : SeedData::permissions())
            EXPECT_FALSE(frm->commandShown(QString::fromLatin1(p.code).toInt())) << p.code;
        EXPECT_FALSE(frm->commandShown(31));
        EXPECT_TRUE(frm->commandShown(107));  // 项目类型 is never hidden
        EXPECT_FALSE(frm->batchTypeAction()->isVisible());
        const bool approves = QString::fromUtf8(name) == QStringLiteral("赵六");
        EXPECT_EQ(frm->approveAction()->isVisible(), approves);
        EXPECT_EQ(frm->changeApproveAction()->isVisible(), approves);
    }
}

TEST_F(Login, FailedOrCancelledReloginKeepsThePreviousOperator)
{
    addOperator({QStringLiteral("张三"), QStringLiteral("pw"), {QStringLiteral("401")}, 1});
    ASSERT_TRUE(login(1, {{QStringLiteral("张三"), QStringLiteral("pw")}}));
    const AppStateRecord before = AppState();

    modals.expect("TfrmOperLogin", [](QDialog* d) {
        child<QPushButton>(d, "btnCancel")->click();
        return d->result();
    });
    EXPECT_FALSE(OperLogin(1));

    // Money decimals (the 14th KeyValue entry) that are no integer refuse every sign-in.
    db().exec(QStringLiteral("update KeyValue set F_Value = '两位' where F_ID = (select max(F_ID) from KeyValue)"));
    messages.expect(QStringLiteral("不是整数"));
    modals.expect("TfrmOperLogin", [](QDialog* d) {
        QSignalSpy finished(d, &QDialog::finished);
        attempt(d, QStringLiteral("admin"), QString());
        EXPECT_EQ(finished.count(), 0);  // the window stays open
        child<QPushButton>(d, "btnCancel")->click();
        EXPECT_EQ(finished.count(), 1);
        return d->result();
    });
    EXPECT_FALSE(OperLogin(1));

    EXPECT_EQ(AppState().OperName, before.OperName);
    EXPECT_EQ(AppState().ScopeFlag, 1);
    EXPECT_EQ(AppState().Captions[14], before.Captions[14]);
    EXPECT_TRUE(frm->commandShown(401));
    EXPECT_FALSE(frm->commandShown(201));
    EXPECT_FALSE(frm->menuHeading(100)->menuAction()->isVisible());
    EXPECT_EQ(setting("config", "CurOperName"), QStringLiteral("张三"));
}

TEST_F(Login, OffersTheOperatorsAndTheLastNameAndCannotBeClosedOtherwise)
{
    addOperator({QStringLiteral("张三"), QStringLiteral("pw")});
    dmData->settings().writeString(QStringLiteral("Config"), QStringLiteral("CurOperName"), QStringLiteral("张三"));
    TfrmOperLogin f(0);
    auto* names = child<QComboBox>(&f, "cbbOperName");
    QStringList offered;
    for (int i = 0; i < names->count(); ++i) offered << names->itemText(i);
    EXPECT_EQ(offered, (QStringList{QStringLiteral("admin"), QStringLiteral("张三")}));
    EXPECT_EQ(names->currentText(), QStringLiteral("张三"));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("登录窗口"));
    EXPECT_FALSE(f.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(child<QLineEdit>(&f, "edtPassWord")->echoMode(), QLineEdit::Password);

    f.show();
    EXPECT_FALSE(f.close());  // Alt+F4 and the window manager's close do nothing
    EXPECT_TRUE(f.isVisible());
}

TEST_F(Login, AnOperatorTypedInAnotherCaseKeepsTheirPermissions)
{
    addOperator({QStringLiteral("Zhang"), QStringLiteral("pw"), {QStringLiteral("402")}, 1});
    ASSERT_TRUE(login(1, {{QStringLiteral("zHANG"), QStringLiteral("pw")}}));
    EXPECT_EQ(AppState().OperName, QStringLiteral("zHANG"));
    EXPECT_EQ(AppState().ScopeFlag, 1);
    EXPECT_TRUE(frm->commandShown(402));
    EXPECT_TRUE(frm->menuHeading(400)->menuAction()->isVisible());
    EXPECT_FALSE(frm->commandShown(401));
}
