#include "support/Fixture.h"

#include "data/DemoData.h"
#include "data/PubUnit.h"
#include "data/Schema.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {
class DemoDataTest : public KorvanTest {
protected:
    QSet<QString> column(const QString& sql)
    {
        const Dataset ds = db().query(sql);
        QSet<QString> out;
        for (int r = 0; r < ds.rowCount(); ++r) out.insert(ds.text(r, 0));
        return out;
    }
    int count(const QString& sql) { return db().scalar(sql).toInt(); }

    static QByteArray digest(Connection& c)
    {
        QCryptographicHash h(QCryptographicHash::Sha1);
        for (const char* table : {"Contract", "Client", "t_SKrec", "t_ZXrec", "t_TXrec", "t_BGrec", "t_treecode", "t_code"}) {
            const Dataset ds = c.query(QStringLiteral("select * from %1 order by F_ID").arg(QString::fromLatin1(table)));
            for (int r = 0; r < ds.rowCount(); ++r)
                for (int col = 0; col < ds.fieldCount(); ++col) h.addData(ds.text(r, col).toUtf8() + '\x1f');
        }
        return h.result();
    }
};
}

TEST_F(DemoDataTest, ContractsDrawOnTheirCodeListsTreesAndClients)
{
    FillDemoData(db(), 60);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Contract")), 60);
    EXPECT_EQ(count(QStringLiteral("select count(distinct F_cltID) from Contract")), 60);
    EXPECT_EQ(count(QStringLiteral("select count(distinct F_code) from Contract")), 60);
    const int receipts = count(QStringLiteral("select count(*) from t_SKrec"));
    EXPECT_GE(receipts, 6 * 60);
    EXPECT_LE(receipts, 14 * 60);
    for (const char* table : {"t_SKrec", "t_ZXrec", "t_TXrec", "t_BGrec"}) {
        SCOPED_TRACE(table);
        EXPECT_GT(count(QStringLiteral("select count(*) from %1").arg(QString::fromLatin1(table))), 0);
        EXPECT_EQ(count(QStringLiteral("select count(*) from %1 where F_cltID not in (select F_cltID from Contract)")
                            .arg(QString::fromLatin1(table))), 0);
    }

    const QRegularExpression code(QStringLiteral("^HT-\\d{8}-\\d{3}$"));
    for (const QString& c : column(QStringLiteral("select F_code from Contract"))) EXPECT_TRUE(code.match(c).hasMatch()) << c.toStdString();

    // Category paths are those of the stored tree, and every level's path continues its parent's.
    const QSet<QString> typePaths = column(QStringLiteral("select F_likecode from t_treecode where F_flag = 'type'"));
    EXPECT_TRUE(typePaths.contains(QStringLiteral("\\\\销售合同\\设备销售\\大型设备")));
    EXPECT_TRUE(column(QStringLiteral("select F_type from Contract")).subtract(typePaths).isEmpty());
    EXPECT_EQ(count(QStringLiteral("select count(*) from t_treecode t where F_flag = 'type' and length(F_code) > 3 and "
                                   "not exists (select 1 from t_treecode p where p.F_flag = 'type' and "
                                   "p.F_code = substr(t.F_code, 1, length(t.F_code) - 3) and "
                                   "t.F_likecode = p.F_likecode || '\\' || t.F_name)")), 0);
    EXPECT_TRUE(column(QStringLiteral("select F_Type from Client"))
                    .subtract(column(QStringLiteral("select F_likecode from t_treecode where F_flag = 'clttype'")))
                    .isEmpty());

    EXPECT_TRUE(column(QStringLiteral("select F_empname from Contract"))
                    .subtract(column(QStringLiteral("select F_name from t_code where F_type = 'empname'")))
                    .isEmpty());
    EXPECT_TRUE(column(QStringLiteral("select F_dept from Contract"))
                    .subtract(column(QStringLiteral("select F_name from t_code where F_type = 'dept'")))
                    .isEmpty());
    EXPECT_TRUE(column(QStringLiteral("select F_status from Contract"))
                    .subtract(column(QStringLiteral("select F_name from t_code where F_type = 'status'")))
                    .isEmpty());
    // One party is a client; receivable contracts have the client as party A.
    EXPECT_EQ(count(QStringLiteral("select count(*) from Contract where F_SFflag = 1 and F_client1 not in (select F_Name from Client)")), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Contract where F_SFflag = -1 and F_client2 not in (select F_Name from Client)")), 0);
    EXPECT_GT(count(QStringLiteral("select count(*) from Contract where F_SFflag = -1")), 0);
    EXPECT_GT(count(QStringLiteral("select count(*) from Contract where F_SHemp <> ''")), 0);
    EXPECT_GT(count(QStringLiteral("select count(*) from Contract where F_SHemp is null or F_SHemp = ''")), 0);
    EXPECT_GT(count(QStringLiteral("select count(*) from Contract where F_GDflag = 1")), 0);
    // Unpaid instalments carry the empty date; the custom fields are filled.
    EXPECT_GT(db().scalar(QStringLiteral("select count(*) from t_SKrec where F_SKdate = ?"), {kEmptyDate}).toInt(), 0);
    EXPECT_EQ(count(QStringLiteral("select count(*) from Contract where F_ZF1 = '' or F_ZF2 is null")), 0);
}

TEST_F(DemoDataTest, SameNumberGivesTheSameRows)
{
    const QString other = QDir(home()).filePath(QStringLiteral("other.mdb"));
    ASSERT_TRUE(QFile::copy(templateFile(), other));
    auto second = Connection::open(other, Schema::databasePassword());
    FillDemoData(db(), 25);
    FillDemoData(*second, 25);
    EXPECT_EQ(digest(db()), digest(*second));

    // Run again on the same file: more contracts with new link numbers, the trees not doubled.
    FillDemoData(db(), 5);
    EXPECT_EQ(count(QStringLiteral("select count(distinct F_cltID) from Contract")), 30);
    EXPECT_EQ(count(QStringLiteral("select count(distinct F_code) from Contract")), 30);
    EXPECT_EQ(count(QStringLiteral("select count(*) from t_treecode where F_flag = 'type'")), 17);
    EXPECT_EQ(count(QStringLiteral("select count(*) from t_code where F_type = 'empname'")), 12);
}
