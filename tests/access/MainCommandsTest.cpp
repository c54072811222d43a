#include "AccessTestSupport.h"

#include "access/OperAccess.h"
#include "access/TfrmOperLogin.h"
#include "contracts/TFrmMain.h"
#include "data/AppState.h"
#include "platform/Messages.h"

#include <QAction>
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

class MainCommands : public AccessTest {
protected:
    void signInAs(const QString& name)
    {
        AppState().OperName = name;
        AppState().CanApprove = false;
        SetLimits(frm);
    }
    // Object names of a menu's or toolbar's entries, "-" for a separator.
    static QStringList entries(const QWidget* w)
    {
        QStringList out;
        for (QAction* a : w->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        return out;
    }
    static QStringList split(const char* names) { return QString::fromLatin1(names).split(QLatin1Char(' ')); }

    TFrmMain frm;
};

TEST_F(MainCommands, CommandsArePlacedAsTheCommandTableSays)
{
    const struct {
        const char* menu;
        const char* entries;
    } menus[] = {
        {"mi100", "Action101 Action102 Action103 - Action104 Action105 Action106 Action108 - miReLogin miExit"},
        {"mi200", "Action201 Action207 Action202 Action203 Action204 Action301 - Action208 Action209 Action210 "
                  "Action211 Action212 - Action205 Action206"},
        {"mi300", "Action301 Action302 - Action303 Action307 Action304 Action305 Action306 Action308 Action309 "
                  "Action310 Action311"},
        {"mi400", "Action401 Action402 - Action403 Action404 Action405 Action406 Action407 Action408"},
        {"mi500", "Action501 Action506 Action502 Action503 - Action504"},
        {"miView", "miToolBar miNavTree miStatusBar"},
        {"miTools", "miCalc miNotepad"},
        {"miHelp", "miHelpFile miTip miFAQ - miReadme miWhatsNew - miAbout miWebSite"},
        {"PopupMenu1", "Action201 Action207 Action202 Action203 - Action204 Action301 Action205 Action206 nGGtype "
                       "nGGdept"},
    };
    for (const auto& m : menus) EXPECT_EQ(entries(child<QMenu>(&frm, m.menu)), split(m.entries)) << m.menu;
    EXPECT_EQ(entries(frm.mainToolBar()), split("tbReLogin - Action208 Action209 Action210 Action211 Action212 - "
                                                 "Action201 Action207 Action202 Action203 - tbSH Action402 - tbClose"));
    EXPECT_EQ(frm.gridMenu(), child<QMenu>(&frm, "PopupMenu1"));
    EXPECT_EQ(frm.action(101)->text(), QStringLiteral("公司信息"));
    EXPECT_EQ(frm.action(107)->text(), QStringLiteral("项目类型"));
    EXPECT_EQ(frm.action(31)->text(), QStringLiteral("导出"));
    EXPECT_EQ(frm.action(907)->text(), QStringLiteral("更名"));
    EXPECT_EQ(frm.batchTypeAction()->text(), QStringLiteral("批量修改合同类型"));
    EXPECT_EQ(frm.action(999), nullptr);
    EXPECT_EQ(frm.findChild<QAction*>(QStringLiteral("miTip"))->isVisible(), false);
    for (QAction* a : frm.mainToolBar()->actions()) EXPECT_TRUE(a->isSeparator() || !a->icon().isNull()) << a->objectName().toStdString();
}

TEST_F(MainCommands, CommandsWithoutTheirWindowStayClosed)
{
    signInAs(QStringLiteral("admin"));
    for (int code : {101, 209, 401, 901, 31}) {
        EXPECT_TRUE(frm.action(code)->isVisible()) << code;
        EXPECT_FALSE(frm.action(code)->isEnabled()) << code;
        EXPECT_EQ(frm.action(code)->toolTip(), QStringLiteral("该功能尚未开放")) << code;
    }
    for (int code : {102, 103}) EXPECT_TRUE(frm.action(code)->isEnabled()) << code;
    EXPECT_FALSE(frm.runCommand(209));

    int runs = 0;
    frm.setCommandHandler(209, [&runs] { ++runs; });
    EXPECT_TRUE(frm.action(209)->isEnabled());
    EXPECT_EQ(frm.action(209)->toolTip(), QStringLiteral("收付款项"));
    frm.action(209)->trigger();
    EXPECT_TRUE(frm.runCommand(209));
    EXPECT_EQ(runs, 2);
}

TEST_F(MainCommands, HeadingsFollowTheirCommandsAndTheSpecialEntriesTheirs)
{
    // 902 without 213/214 still offers the batch changes; 301 brings the detail export.
    addOperator({QStringLiteral("张三"), {}, {QStringLiteral("902"), QStringLiteral("301"), QStringLiteral("401")}});
    signInAs(QStringLiteral("张三"));
    int batch = 0;
    frm.setCommandHandler(213, [&batch] { ++batch; });
    EXPECT_FALSE(frm.commandShown(213));
    EXPECT_FALSE(frm.action(213)->isEnabled());
    EXPECT_TRUE(frm.batchTypeAction()->isVisible());
    EXPECT_TRUE(frm.batchDeptAction()->isVisible());
    EXPECT_TRUE(frm.batchTypeAction()->isEnabled());
    EXPECT_TRUE(frm.batchDeptAction()->isEnabled());
    frm.batchTypeAction()->trigger();
    EXPECT_EQ(batch, 1);
    EXPECT_TRUE(frm.commandShown(31));
    const bool expected[] = {false, false, true, true, false};  // 文件 编辑 输出 统计 数据
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(frm.menuHeading(100 * (i + 1))->menuAction()->isVisible(), expected[i]) << (i + 1) * 100;

    addOperator({QStringLiteral("李四"), {}, {QStringLiteral("213"), QStringLiteral("214"), QStringLiteral("108")}});
    signInAs(QStringLiteral("李四"));
    EXPECT_FALSE(frm.batchTypeAction()->isVisible());
    EXPECT_FALSE(frm.batchTypeAction()->isEnabled());
    EXPECT_FALSE(frm.commandShown(31));
    EXPECT_TRUE(frm.menuHeading(100)->menuAction()->isVisible());
    EXPECT_TRUE(frm.menuHeading(200)->menuAction()->isVisible());
    EXPECT_FALSE(frm.menuHeading(300)->menuAction()->isVisible());
}

TEST_F(MainCommands, AHiddenCommandCannotBeRunByItsKeys)
{
    int deletes = 0, edits = 0;
    frm.setCommandHandler(203, [&deletes] { ++deletes; });
    frm.setCommandHandler(202, [&edits] { ++edits; });
    addOperator({QStringLiteral("张三"), {}, {QStringLiteral("202")}});
    frm.show();
    frm.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frm));

    signInAs(QStringLiteral("张三"));
    QTest::keyClick(&frm, Qt::Key_Delete);
    QTest::keyClick(&frm, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(frm.runCommand(203));  // the grid's double click and keys ask this way
    EXPECT_EQ(deletes, 0);
    QTest::keyClick(&frm, Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(frm.runCommand(202));
    EXPECT_EQ(edits, 2);

    signInAs(QStringLiteral("admin"));
    QTest::keyClick(&frm, Qt::Key_Delete);
    QTest::keyClick(&frm, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(deletes, 2);
    frm.hide();
}

TEST_F(MainCommands, ViewToolsAndHelpItems)
{
    auto item = [this](const char* name) { return child<QAction>(&frm, name); };
    QWidget panel;
    frm.setNavigationPanel(&panel);
    frm.show();
    const struct {
        const char* item;
        QWidget* target;
    } views[] = {{"miToolBar", frm.mainToolBar()}, {"miStatusBar", frm.statusBar()}, {"miNavTree", &panel}};
    for (const auto& v : views) {
        EXPECT_TRUE(item(v.item)->isChecked()) << v.item;
        item(v.item)->trigger();
        EXPECT_FALSE(item(v.item)->isChecked()) << v.item;
        EXPECT_TRUE(v.target->isHidden()) << v.item;
        item(v.item)->trigger();
        EXPECT_FALSE(v.target->isHidden()) << v.item;
    }

    item("miCalc")->trigger();
    item("miNotepad")->trigger();
    EXPECT_EQ(desktop.started.size(), 2);
    item("miReadme")->trigger();
    item("miWhatsNew")->trigger();
    item("miHelpFile")->trigger();  // no help.CHM in the program folder: the help page
    ASSERT_EQ(desktop.opened.size(), 3);
    EXPECT_TRUE(desktop.opened[0].endsWith(QStringLiteral("/readme.txt")));
    EXPECT_TRUE(desktop.opened[1].endsWith(QStringLiteral("/whatisnew.txt")));
    EXPECT_TRUE(desktop.opened[2].endsWith(QStringLiteral("/help.html")));
    desktop.programsInstalled = false;
    messages.expect(QStringLiteral("没有找到计算器程序"), 1);
    item("miCalc")->trigger();

    // Both exit items ask first; "no" keeps the program running.
    messages.expect(QStringLiteral("真的要退出“Korvan合同管理软件 ”软件吗？"), 2);
    messages.expect(QStringLiteral("真的要退出"), 2);
    item("miExit")->trigger();
    item("tbClose")->trigger();
    EXPECT_TRUE(frm.isVisible());
    frm.hide();
}

TEST_F(MainCommands, ReloginAndTheOperatorCommandsOpenTheirWindows)
{
    QSignalSpy refresh(&frm, &TFrmMain::contractsRefreshRequested);
    QSignalSpy signedIn(&frm, &TFrmMain::signedIn);
    modals.expect("TfrmOperLogin", [](QDialog* d) {
        EXPECT_EQ(qobject_cast<TfrmOperLogin*>(d)->mode(), 1);
        child<QAbstractButton>(d, "btnCancel")->click();
        return d->result();
    });
    child<QAction>(&frm, "miReLogin")->trigger();  // the menu only signs in
    EXPECT_EQ(refresh.count(), 0);
    modals.expect("TfrmOperLogin", [](QDialog* d) {
        child<QLineEdit>(d, "edtPassWord")->clear();
        child<QComboBox>(d, "cbbOperName")->setEditText(QStringLiteral("admin"));
        child<QAbstractButton>(d, "btnOk")->click();
        return d->result();
    });
    child<QAction>(&frm, "tbReLogin")->trigger();  // the toolbar also reopens the contracts
    EXPECT_EQ(refresh.count(), 1);
    EXPECT_EQ(signedIn.count(), 1);

    modals.expect("TfrmOperGl", [](QDialog*) { return int(QDialog::Rejected); });
    modals.expect("TfrmModPass", [](QDialog*) { return int(QDialog::Rejected); });
    frm.action(103)->trigger();
    frm.action(102)->trigger();
}
