#include "platform/Compaction.h"
#include "platform/db/Connection.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Compaction, ShrinksAfterDeletionsKeepsRowsAndFailsWhileLocked)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("c.mdb"));
    const QString key = QStringLiteral("k");
    {
        auto c = Connection::open(file, key, Connection::OpenMode::Create);
        c->exec(QStringLiteral("create table t(id integer primary key, v text)"));
        auto tx = c->transaction();
        for (int i = 0; i < 3000; ++i) c->exec(QStringLiteral("insert into t(v) values(?)"), {QString(200, QLatin1Char('x'))});
        tx.commit();
        c->exec(QStringLiteral("delete from t where id > 100"));
    }
    const qint64 before = QFileInfo(file).size();

    auto other = Connection::open(file, key);
    other->exec(QStringLiteral("BEGIN IMMEDIATE"));
    EXPECT_FALSE(CompactDatabase(file, key));
    other->exec(QStringLiteral("ROLLBACK"));
    EXPECT_EQ(QFileInfo(file).size(), before);
    other.reset();

    EXPECT_TRUE(CompactDatabase(file, key));
    EXPECT_LT(QFileInfo(file).size(), before / 4);
    auto c = Connection::open(file, key);
    EXPECT_EQ(c->scalar(QStringLiteral("select count(*) from t")).toInt(), 100);
    EXPECT_FALSE(CompactDatabase(dir.filePath(QStringLiteral("missing.mdb")), key));
    EXPECT_FALSE(CompactDatabase(file, QStringLiteral("wrong")));
}
