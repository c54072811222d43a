#include "support/Fixture.h"

#include "codes/CategoryPicker.h"
#include "codes/TFrmCodeMan.h"
#include "data/AppState.h"
#include "data/DataGrid.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace {
class CodeListTest : public KorvanTest {
protected:
    static QToolButton* button(TFrmCodeMan& w, const char* name)
    {
        return w.findChild<QToolButton*>(QString::fromLatin1(name));
    }
    static void click(TFrmCodeMan& w, const char* name) { button(w, name)->click(); }
    static QTabBar* pages(TFrmCodeMan& w) { return w.findChild<QTabBar*>(QStringLiteral("TabSet1")); }

    static QStringList shown(TFrmCodeMan& w)
    {
        QStringList out;
        for (int r = 0; r < w.list().rowCount(); ++r) out << w.grid()->displayText(r, 0);
        return out;
    }

    // Types a name into a row of the grid, as the cell editor does.
    static void type(TFrmCodeMan& w, int row, const QString& text)
    {
        QAbstractItemModel* m = w.grid()->view()->model();
        ASSERT_TRUE(m->setData(m->index(row, 0), text)) << "row " << row << " not editable";
    }

    QStringList stored(const QString& type)
    {
        QStringList out;
        const Dataset ds = db().query(QStringLiteral("select F_name from t_code where F_type = ? order by F_ID"), {type});
        for (int r = 0; r < ds.rowCount(); ++r) out << ds.text(r, 0);
        return out;
    }

    QStringList storedAnyCase(const QString& type)
    {
        QStringList out;
        const Dataset ds = db().query(
            QStringLiteral("select F_name from t_code where lower(F_type) = ? order by F_ID"), {type});
        for (int r = 0; r < ds.rowCount(); ++r) out << ds.text(r, 0);
        return out;
    }

    // Which buttons are enabled, in toolbar order, as a string of 0 and 1.
    static QString states(TFrmCodeMan& w)
    {
        QString s;
        for (const char* n : {"tbNew", "tbEdit", "tbDel", "tbSave", "tbCancel", "tbPrint", "tbRefresh", "tbExit"})
            s += button(w, n)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        return s + (pages(w)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0'));
    }
};
}

TEST_F(CodeListTest, OpensOnTheSalesmenAndSwitchesPages)
{
    db().exec(QStringLiteral("insert into t_code(F_type,F_name) values('empName','张三'),('empname','李四'),('dept','财务部')"));
    TFrmCodeMan w;
    EXPECT_EQ(w.windowTitle(), QStringLiteral("选项设置..."));
    EXPECT_EQ(w.currentType(), QStringLiteral("empname"));
    EXPECT_EQ(w.grid()->columns()[0].title, QStringLiteral("业 务 员"));
    EXPECT_EQ(states(w), QStringLiteral("111001111"));
    EXPECT_FALSE(w.isEditing());
    // The type is compared without regard to case.
    EXPECT_EQ(shown(w), (QStringList{QStringLiteral("张三"), QStringLiteral("李四")}));
    EXPECT_TRUE(w.statusText(1).startsWith(AppStateRecord::MakerBanner));

    const QStringList types = {"empname", "status", "priceunit", "dept", "awoketime", "txcaption"};
    ASSERT_EQ(pages(w)->count(), types.size());
    for (int i = 0; i < types.size(); ++i) {
        pages(w)->setCurrentIndex(i);
        EXPECT_EQ(w.currentType(), types[i]);
        EXPECT_EQ(w.grid()->columns()[0].title, pages(w)->tabText(i).trimmed());
        EXPECT_EQ(shown(w), storedAnyCase(types[i])) << types[i].toStdString();
    }
    EXPECT_EQ(pages(w)->tabText(3), QStringLiteral(" 部    门 "));
}

TEST_F(CodeListTest, AppendedRowsAreSavedAtOnceWithThePageType)
{
    db().exec(QStringLiteral("insert into t_code(F_type,F_name) values('dept','旧名')"));
    TFrmCodeMan w;
    pages(w)->setCurrentIndex(3);
    click(w, "tbNew");
    EXPECT_TRUE(w.isEditing());
    EXPECT_EQ(states(w), QStringLiteral("000110000"));
    // While editing, a page change or a refresh cannot drop the pending rows.
    type(w, 1, QStringLiteral("销售部"));
    QTest::keyClick(w.grid()->view(), Qt::Key_A, Qt::ControlModifier);  // 新增 is off while editing
    EXPECT_EQ(w.list().rowCount(), 2);
    click(w, "tbSave");
    EXPECT_FALSE(w.isEditing());

    click(w, "tbEdit");
    type(w, 0, QStringLiteral("O'Neil \"部\""));
    click(w, "tbNew");  // off while editing: more rows come with Down on the last row
    QTest::keyClick(w.grid()->view(), Qt::Key_Down);
    type(w, 2, QStringLiteral("研发部"));
    QTest::keyClick(w.grid()->view(), Qt::Key_Down);  // left blank: stored, never offered by the readers
    QTest::keyClick(w.grid()->view(), Qt::Key_Down);  // a blank new row is not followed by another
    EXPECT_EQ(w.list().rowCount(), 4);
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from t_code where F_type='dept'")).toInt(), 2);  // still pending
    QTest::keyClick(w.grid()->view(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(w.isEditing());
    EXPECT_EQ(stored(QStringLiteral("dept")),
              (QStringList{QStringLiteral("O'Neil \"部\""), QStringLiteral("销售部"), QStringLiteral("研发部"), QString()}));
    EXPECT_EQ(shown(w), stored(QStringLiteral("dept")));
    EXPECT_EQ(stored(QStringLiteral("empname")), QStringList());
}

TEST_F(CodeListTest, CancelDropsThePendingChanges)
{
    db().exec(QStringLiteral("insert into t_code(F_type,F_name) values('status','未执行')"));
    TFrmCodeMan w;
    pages(w)->setCurrentIndex(1);
    const QStringList before = stored(QStringLiteral("status"));
    click(w, "tbEdit");
    type(w, 0, QStringLiteral("改过"));
    w.grid()->setCurrentRow(w.list().rowCount() - 1);
    QTest::keyClick(w.grid()->view(), Qt::Key_Down);
    type(w, w.list().rowCount() - 1, QStringLiteral("新的"));
    QTest::keyClick(w.grid()->view(), Qt::Key_Escape);  // presses 取消 while editing
    EXPECT_FALSE(w.isEditing());
    EXPECT_EQ(stored(QStringLiteral("status")), before);
    EXPECT_EQ(shown(w), before);
}

TEST_F(CodeListTest, AFailedSaveKeepsThePendingRows)
{
    TFrmCodeMan w;
    click(w, "tbNew");
    type(w, 0, QStringLiteral("王五"));
    QTest::keyClick(w.grid()->view(), Qt::Key_Down);
    type(w, 1, QString(51, QChar(0x540D)));  // one more than t_code.F_name holds
    messages.expect("最多只能保存 50 个字符");
    click(w, "tbSave");
    EXPECT_EQ(messages.kinds(), QList<int>{3});
    EXPECT_TRUE(w.isEditing());
    EXPECT_EQ(shown(w), (QStringList{QStringLiteral("王五"), QString(51, QChar(0x540D))}));
    EXPECT_EQ(stored(QStringLiteral("empname")), QStringList());  // nothing half-written

    type(w, 1, QStringLiteral("赵六"));
    click(w, "tbSave");
    EXPECT_EQ(stored(QStringLiteral("empname")), (QStringList{QStringLiteral("王五"), QStringLiteral("赵六")}));
}

TEST_F(CodeListTest, EmptyListsAndDeletionAsk)
{
    TFrmCodeMan w;
    messages.expect("此表为空，没有记录需要修改！");
    click(w, "tbEdit");
    messages.expect("此表是空表，不需要删除！");
    QTest::keyClick(w.grid()->view(), Qt::Key_Delete);
    EXPECT_EQ(messages.kinds(), (QList<int>{3, 0}));
    EXPECT_FALSE(w.isEditing());

    db().exec(QStringLiteral("insert into t_code(F_type,F_name) values('empname','张三'),('empname','李四')"));
    click(w, "tbRefresh");
    w.grid()->setCurrentRow(1);
    messages.expect(QStringLiteral("真的要删除 \" 业 务 员 \"李四吗？"), 2);
    click(w, "tbDel");
    EXPECT_EQ(stored(QStringLiteral("empname")).size(), 2);
    messages.expect(QStringLiteral("真的要删除 \" 业 务 员 \"李四吗？"), 1);
    click(w, "tbDel");
    EXPECT_EQ(stored(QStringLiteral("empname")), QStringList{QStringLiteral("张三")});
    EXPECT_EQ(shown(w), QStringList{QStringLiteral("张三")});
}

TEST_F(CodeListTest, PrintShowsThePreviewAndEscapeLeaves)
{
    db().exec(QStringLiteral("insert into t_code(F_type,F_name) values('empname','张三')"));
    modals.expect("TFrmCodeMan", [](QDialog* d) {
        auto& w = static_cast<TFrmCodeMan&>(*d);
        w.findChild<QToolButton*>(QStringLiteral("tbPrint"))->click();
        QTest::keyClick(w.grid()->view(), Qt::Key_Escape);  // 退出 while browsing
        return w.result();
    });
    modals.expect("QPrintPreviewDialog", [](QDialog* d) {
        EXPECT_TRUE(d->windowTitle().contains(QStringLiteral("业 务 员设置")));
        return int(QDialog::Rejected);
    });
    ShowCodeLists();
}

TEST_F(CodeListTest, SaveTakesTheCellBeingTyped)
{
    TFrmCodeMan w;
    w.show();
    w.activateWindow();
    QApplication::setActiveWindow(&w);
    click(w, "tbNew");
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr) << "no cell editor open";
    editor->setText(QStringLiteral("正在输入"));
    click(w, "tbSave");
    EXPECT_EQ(stored(QStringLiteral("empname")), QStringList{QStringLiteral("正在输入")});
}
