#include "support/Fixture.h"

#include "contracts/ContractOperations.h"

namespace {
const char* const kDetails[] = {"t_SKrec", "t_ZXrec", "t_TXrec", "t_BGrec", "t_TPrec", "t_FJrec"};
}

class ContractOps : public KorvanTest {
protected:
    qint64 addContract(int cltId, const QString& name = QStringLiteral("合同"))
    {
        db().exec(QStringLiteral("insert into Contract(F_cltID,F_name) values(?,?)"), {cltId, name});
        const qint64 id = db().lastInsertId();
        for (const char* t : kDetails)
            db().exec(QStringLiteral("insert into %1(F_cltID) values(?)").arg(QLatin1String(t)), {cltId});
        return id;
    }
    int rows(const char* table, int cltId)
    {
        return db().scalar(QStringLiteral("select count(*) from %1 where F_cltID = ?").arg(QLatin1String(table)), {cltId}).toInt();
    }
};

TEST_F(ContractOps, DeleteRemovesEveryRecordUnderTheContractOnly)
{
    const qint64 a = addContract(1);
    addContract(2);
    ASSERT_TRUE(ContractOperations::DeleteWithRecords(a, 1));
    for (const char* t : kDetails) {
        EXPECT_EQ(rows(t, 1), 0) << t;
        EXPECT_EQ(rows(t, 2), 1) << t;
    }
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from Contract")).toInt(), 1);
}

TEST_F(ContractOps, DeleteWithKeyZeroRemovesOnlyThatRow)
{
    const qint64 a = addContract(0, QStringLiteral("甲"));
    addContract(0, QStringLiteral("乙"));
    ASSERT_TRUE(ContractOperations::DeleteWithRecords(a, 0));
    EXPECT_EQ(db().scalar(QStringLiteral("select F_name from Contract")).toString(), QStringLiteral("乙"));
    EXPECT_EQ(rows("t_SKrec", 0), 0);  // detail rows with key 0 go with it
}

TEST_F(ContractOps, DeleteRollsBackWhileAnotherInstanceHoldsTheLock)
{
    const qint64 a = addContract(1);
    auto other = secondConnection();
    other->setBusyTimeout(0);
    other->exec(QStringLiteral("BEGIN IMMEDIATE"));
    QString error;
    EXPECT_FALSE(ContractOperations::DeleteWithRecords(a, 1, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("占用")));
    other->exec(QStringLiteral("ROLLBACK"));
    for (const char* t : kDetails) EXPECT_EQ(rows(t, 1), 1) << t;
}

TEST_F(ContractOps, ApproverOfADeletedContractIsRefused)
{
    const qint64 a = addContract(1);
    EXPECT_TRUE(ContractOperations::SetApprover(a, QStringLiteral("admin")));
    EXPECT_EQ(db().scalar(QStringLiteral("select F_SHemp from Contract")).toString(), QStringLiteral("admin"));
    db().exec(QStringLiteral("delete from Contract"));
    QString error;
    EXPECT_FALSE(ContractOperations::SetApprover(a, QString(), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from Contract")).toInt(), 0);
}

TEST_F(ContractOps, BatchChangeSkipsFailingRowsAndNamesThem)
{
    const qint64 a = addContract(1), b = addContract(2);
    const QString tooLong(60, QLatin1Char('d'));
    auto failed = ContractOperations::SetColumn(QStringLiteral("F_dept"), tooLong, {a});
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed[0].id, a);
    failed = ContractOperations::SetColumn(QStringLiteral("F_type"), QStringLiteral("\\\\O'Neil"), {a, 999, b});
    ASSERT_EQ(failed.size(), 1);
    EXPECT_EQ(failed[0].id, 999);
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from Contract where F_type = ?"), {QStringLiteral("\\\\O'Neil")}).toInt(), 2);
}
