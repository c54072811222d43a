#include "support/Fixture.h"

#include "data/AppState.h"
#include "data/Schema.h"
#include "contracts/TFrmMain.h"
#include "platform/Clock.h"
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

// The connect-and-prompt loop of start-up, on folders of its own.
class Connect : public KorvanTest {
protected:
    QString makeDatabaseFolder(const QString& name)
    {
        const QString folder = QDir(home()).filePath(name);
        QDir().mkpath(folder);
        QFile::copy(templateFile(), QDir(folder).filePath(QStringLiteral("Contract.mdb")));
        return folder;
    }
    void writeDs(const QString& value)
    {
        IniSettings(ProgramFolder::file(QStringLiteral("config.ini"))).writeString(QStringLiteral("config"), QStringLiteral("ds"), value);
    }
    QString storedDs() const
    {
        return IniSettings(ProgramFolder::file(QStringLiteral("config.ini"))).readString(QStringLiteral("config"), QStringLiteral("ds"));
    }
};

TEST_F(Connect, FirstStartCreatesTheDefaultDatabase)
{
    const QString fresh = QDir(home()).filePath(QStringLiteral("fresh"));
    ProgramFolder::set(fresh);
    QDir().mkpath(fresh);
    TdmData dm;
    EXPECT_TRUE(dm.ConnectDatabase());
    EXPECT_TRUE(dm.ConnectOk);
    EXPECT_TRUE(QFileInfo::exists(QDir(fresh).filePath(QStringLiteral("data/Contract.mdb"))));
    EXPECT_EQ(dm.QueryInt(QStringLiteral("select count(*) from OperList where F_Name = 'admin'")), 1);
    EXPECT_TRUE(desktop.dialogTitles.isEmpty());
}

TEST_F(Connect, BlankDsUsesTheDefaultFolder)
{
    writeDs(QStringLiteral("   "));
    TdmData dm;
    EXPECT_TRUE(dm.ConnectDatabase());
    EXPECT_EQ(QFileInfo(dm.databaseFile()).canonicalFilePath(), QFileInfo(dbFile()).canonicalFilePath());
}

TEST_F(Connect, DsWithoutTrailingSeparatorFailsThenAPickedFileSetsTheFolder)
{
    const QString x = makeDatabaseFolder(QStringLiteral("x"));
    writeDs(x);  // x + "Contract.mdb" names a file that does not exist
    desktop.answers = {QDir(x).filePath(QStringLiteral("other.mdb"))};
    TdmData dm;
    QStringList splash;
    dm.onSplashVisible = [&](bool v) { splash << (v ? QStringLiteral("show") : QStringLiteral("hide")); };
    EXPECT_TRUE(dm.ConnectDatabase());
    EXPECT_EQ(desktop.dialogTitles, QStringList{QStringLiteral("连接网络数据库")});
    EXPECT_EQ(storedDs(), x + QLatin1Char('/'));
    EXPECT_EQ(QFileInfo(dm.databaseFile()).canonicalFilePath(),
              QFileInfo(QDir(x).filePath(QStringLiteral("Contract.mdb"))).canonicalFilePath());
    EXPECT_EQ(splash, (QStringList{QStringLiteral("hide"), QStringLiteral("show")}));
}

TEST_F(Connect, NotADatabaseOrWrongKeyAsksAgainAndCancelEnds)
{
    const QString bad = QDir(home()).filePath(QStringLiteral("bad"));
    QDir().mkpath(bad);
    QFile junk(QDir(bad).filePath(QStringLiteral("Contract.mdb")));
    junk.open(QIODevice::WriteOnly);
    junk.write(QByteArray(4096, 'j'));
    junk.close();
    const QString other = QDir(home()).filePath(QStringLiteral("otherkey"));
    QDir().mkpath(other);
    Connection::open(QDir(other).filePath(QStringLiteral("Contract.mdb")), QStringLiteral("another"),
                     Connection::OpenMode::Create)->exec(QStringLiteral("create table Contract(F_ID integer)"));

    writeDs(bad + QLatin1Char('/'));
    desktop.answers = {QDir(other).filePath(QStringLiteral("Contract.mdb")), QString()};
    TdmData dm;
    EXPECT_FALSE(dm.ConnectDatabase());
    EXPECT_FALSE(dm.ConnectOk);
    EXPECT_EQ(desktop.dialogTitles.size(), 2);
}

TEST(BackupDecision, ByModeAndDay)
{
    const QDate monday(2026, 3, 9), tuesday(2026, 3, 10), first(2026, 4, 1), second(2026, 4, 2);
    EXPECT_FALSE(TFrmMain::backupDue(0, monday));
    EXPECT_TRUE(TFrmMain::backupDue(1, tuesday));
    EXPECT_TRUE(TFrmMain::backupDue(2, monday));
    EXPECT_FALSE(TFrmMain::backupDue(2, tuesday));
    EXPECT_TRUE(TFrmMain::backupDue(3, first));
    EXPECT_FALSE(TFrmMain::backupDue(3, second));
}

class Backup : public KorvanTest {};

TEST_F(Backup, CopiesOncePerDayIntoAKeyedFile)
{
    const QString dir = QDir(home()).filePath(QStringLiteral("bak/deeper"));
    db().exec(QStringLiteral("update SysInfo set F_BakPath = ?"), {dir});
    db().exec(QStringLiteral("insert into Contract(F_cltID,F_name) values(1,'第一份')"));
    messages.expect(QStringLiteral("不存在，是否创建"), 1);
    dmData->BackupOnExit();
    const QString target = QDir(dir).filePath(QStringLiteral("dp20260309.back"));
    ASSERT_TRUE(QFileInfo::exists(target));
    const qint64 firstSize = QFileInfo(target).size();

    db().exec(QStringLiteral("insert into Contract(F_cltID,F_name) values(2,'第二份')"));
    dmData->BackupOnExit();  // same day: the first copy stays as it was
    auto copy = Connection::open(target, Schema::databasePassword());
    EXPECT_EQ(copy->scalar(QStringLiteral("select count(*) from Contract")).toInt(), 1);
    EXPECT_EQ(QFileInfo(target).size(), firstSize);
    EXPECT_THROW(Connection::open(target, QStringLiteral("wrong")), DbError);
    EXPECT_FALSE(QFileInfo::exists(target + QStringLiteral(".part")));
}

TEST_F(Backup, FolderThatCannotBeCreatedOrDeclined)
{
    QFile blocker(QDir(home()).filePath(QStringLiteral("file")));
    blocker.open(QIODevice::WriteOnly);
    blocker.close();
    db().exec(QStringLiteral("update SysInfo set F_BakPath = ?"), {blocker.fileName() + QStringLiteral("/sub")});
    messages.expect(QStringLiteral("不存在，是否创建"), 1).expect(QStringLiteral("创建失败,请检测路径是否合法"), 1);
    dmData->BackupOnExit();
    messages.expect(QStringLiteral("不存在，是否创建"), 2);
    dmData->BackupOnExit();
    EXPECT_EQ(messages.kinds(), (QList<int>{1, 3, 1}));
}

TEST_F(Backup, ConsistentWhileAnotherInstanceHoldsAWriteLock)
{
    const QString dir = QDir(home()).filePath(QStringLiteral("bak"));
    QDir().mkpath(dir);
    db().exec(QStringLiteral("update SysInfo set F_BakPath = ?"), {dir});
    db().exec(QStringLiteral("insert into Contract(F_cltID,F_name) values(1,'已提交')"));
    auto other = secondConnection();
    other->exec(QStringLiteral("BEGIN IMMEDIATE"));
    other->exec(QStringLiteral("insert into Contract(F_cltID,F_name) values(2,'未提交')"));
    dmData->BackupOnExit();
    other->exec(QStringLiteral("ROLLBACK"));
    auto copy = Connection::open(QDir(dir).filePath(QStringLiteral("dp20260309.back")), Schema::databasePassword());
    EXPECT_EQ(copy->scalar(QStringLiteral("select count(*) from Contract")).toInt(), 1);
    EXPECT_EQ(copy->scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
}
