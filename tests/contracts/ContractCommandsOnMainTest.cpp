#include "support/Fixture.h"

#include "contracts/ContractBrowser.h"
#include "contracts/TFrmMain.h"
#include "data/AppState.h"
#include "data/DataGrid.h"
#include "data/Schema.h"
#include "platform/Compaction.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

// The main window's commands on contracts, run as a user runs them.
class MainWindowCommands : public KorvanTest {
protected:
    void SetUp() override
    {
        KorvanTest::SetUp();
        for (int i = 1; i <= 3; ++i) {
            db().exec(QStringLiteral("insert into Contract(F_cltID,F_name,F_date) values(?,?,?)"),
                      {i, QStringLiteral("合同%1").arg(i), QStringLiteral("2026-01-0%1").arg(i)});
            for (const char* t : {"t_SKrec", "t_ZXrec", "t_TXrec", "t_BGrec", "t_TPrec", "t_FJrec"})
                db().exec(QStringLiteral("insert into %1(F_cltID) values(?)").arg(QLatin1String(t)), {i});
        }
        frm = std::make_unique<TFrmMain>();
        frm->show();  // first show lists the contracts
    }
    void TearDown() override
    {
        frm.reset();
        KorvanTest::TearDown();
    }
    ContractBrowser& b() { return *frm->browser(); }
    int count(const QString& sql) { return db().scalar(sql).toInt(); }

    std::unique_ptr<TFrmMain> frm;
};

TEST_F(MainWindowCommands, DeleteAsksThenRemovesTheContractWithItsRecords)
{
    ASSERT_EQ(b().QryMain().rowCount(), 3);
    b().mainGrid()->setCurrentRow(1);
    messages.expect(QStringLiteral("真的要删除当前合同“合同2”的相关资料吗？"), 2);
    EXPECT_TRUE(frm->runCommand(203));
    EXPECT_EQ(count(QStringLiteral("select count(*) from Contract")), 3);

    messages.expect(QStringLiteral("删除当前合同资料"), 1);
    frm->runCommand(203);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Contract where F_cltID = 2")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from t_FJrec")), 2);
    EXPECT_EQ(b().countText(), QStringLiteral("合同总数： 2 个"));
}

TEST_F(MainWindowCommands, ApproveTogglesAndBlocksDelete)
{
    QAction* sh = frm->approveAction();
    b().mainGrid()->setCurrentRow(0);
    EXPECT_EQ(sh->text(), QStringLiteral("批准"));
    sh->trigger();
    EXPECT_EQ(sh->text(), QStringLiteral("撤消"));
    EXPECT_EQ(db().scalar(QStringLiteral("select F_SHemp from Contract where F_cltID = 1")).toString(), QStringLiteral("admin"));
    const int nameCol = b().mainGrid()->columnOfField(QStringLiteral("F_name"));
    QAbstractItemModel* m = b().mainGrid()->view()->model();
    EXPECT_EQ(m->data(m->index(0, nameCol), Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));

    messages.expect(QStringLiteral("合同已审批，不能再"), 1);
    frm->runCommand(203);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Contract")), 3);

    sh->trigger();
    EXPECT_EQ(sh->text(), QStringLiteral("批准"));
    EXPECT_EQ(db().scalar(QStringLiteral("select F_SHemp from Contract where F_cltID = 1")).toString(), QString());

    db().exec(QStringLiteral("delete from Contract where F_cltID = 1"));  // another instance deletes it
    messages.expect(QStringLiteral("已被其他用户删除"), 1);
    sh->trigger();
    EXPECT_EQ(count(QStringLiteral("select count(*) from Contract")), 2);
}

TEST_F(MainWindowCommands, BatchChangeOfTypeOverSelectedRows)
{
    QTableView* view = b().mainGrid()->view();
    // Cancelled value dialog: nothing changes, no further message.
    messages.expect(QStringLiteral("真的要改变当前所选合同的类型吗？"), 1);
    modals.expect(QStringLiteral("TDLGenterCaption"), [](QDialog*) { return int(QDialog::Rejected); });
    frm->runCommand(213);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Contract where F_type <> ''")), 0);

    view->selectionModel()->clearSelection();
    view->selectRow(0);
    view->selectionModel()->select(view->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    messages.expect(QStringLiteral("类型吗"), 1);
    modals.expect(QStringLiteral("TDLGenterCaption"), [](QDialog* d) {
        d->findChild<QLineEdit*>(QStringLiteral("edtCaption"))->setText(QStringLiteral("\\\\O'Neil类"));
        return int(QDialog::Accepted);
    });
    frm->runCommand(213);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Contract where F_type = '\\\\O''Neil类'")), 2);
    EXPECT_EQ(b().mainGrid()->displayText(0, b().mainGrid()->columnOfField(QStringLiteral("F_type"))),
              QStringLiteral("\\\\O'Neil类"));
}

TEST_F(MainWindowCommands, CompactionKeepsRowsAndReconnects)
{
    auto tx = db().transaction();
    for (int i = 0; i < 2000; ++i)
        db().exec(QStringLiteral("insert into t_ZXrec(F_cltID,F_ZXmem) values(99,?)"), {QString(300, QLatin1Char('z'))});
    tx.commit();
    db().exec(QStringLiteral("delete from t_ZXrec where F_cltID = 99"));
    const qint64 before = QFileInfo(dbFile()).size();
    messages.expect(QStringLiteral("压缩数据库成功！"), 1);
    frm->runCommand(504);
    EXPECT_LT(QFileInfo(dbFile()).size(), before);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Contract")), 3);
    EXPECT_EQ(b().QryMain().rowCount(), 3);

    auto other = secondConnection();
    other->exec(QStringLiteral("BEGIN IMMEDIATE"));
    messages.expect(QStringLiteral("压缩数据库失败！"), 1);
    frm->runCommand(504);
    other->exec(QStringLiteral("ROLLBACK"));
    EXPECT_EQ(count(QStringLiteral("select count(*) from t_SKrec")), 3);
}

TEST_F(MainWindowCommands, HiddenDeleteIsNotRunAndTheDatabaseFolderIsChosen)
{
    frm->setCommandShown(203, false);
    EXPECT_FALSE(frm->runCommand(203));
    EXPECT_EQ(count(QStringLiteral("select count(*) from Contract")), 3);

    desktop.answers = {QStringLiteral("/srv/share/other.mdb")};
    frm->runCommand(505);
    EXPECT_EQ(dmData->settings().readString(QStringLiteral("config"), QStringLiteral("ds")), QStringLiteral("/srv/share/"));
    EXPECT_EQ(QFileInfo(dmData->databaseFile()).canonicalFilePath(), QFileInfo(dbFile()).canonicalFilePath());
}

TEST_F(MainWindowCommands, AdvancedQueryShowsItsListUntilTheNextRefresh)
{
    auto* toggle = b().findChild<QToolButton*>(QStringLiteral("SpeedButton2"));
    ASSERT_TRUE(toggle->isEnabled());
    modals.expect(QStringLiteral("TDLGcontractCX"), [](QDialog* d) {
        d->findChild<QLineEdit*>(QStringLiteral("edtName"))->setText(QStringLiteral("合同2"));
        d->findChild<QPushButton*>(QStringLiteral("btnQuery"))->click();
        return d->result();
    });
    toggle->click();
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_TRUE(toggle->styleSheet().contains(QStringLiteral("red")));
    EXPECT_EQ(b().QryMain().rowCount(), 1);
    EXPECT_EQ(b().countText(), QStringLiteral("合同总数： 1 个"));

    toggle->click();  // released: the simple filters again
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_EQ(b().QryMain().rowCount(), 3);

    modals.expect(QStringLiteral("TDLGcontractCX"), [](QDialog*) { return int(QDialog::Rejected); });
    toggle->click();
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_EQ(b().QryMain().rowCount(), 3);
}
