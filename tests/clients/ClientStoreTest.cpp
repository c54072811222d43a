#include "ClientTestSupport.h"

#include "clients/ClientStore.h"
#include "data/AppState.h"

#include <QThread>
#include <thread>

class ClientStore : public ClientTest {
protected:
    ClientRecord record(const QString& code, const QString& name)
    {
        ClientRecord r;
        r.code = code;
        r.name = name;
        return r;
    }
    qint64 idOf(const QString& code)
    {
        return db().scalar(QStringLiteral("select F_ID from Client where F_Code = ?"), {code}).toLongLong();
    }
};

TEST_F(ClientStore, DuplicateCodesByOption)
{
    addClient("KH0007", "甲公司");
    addClient("KH0003", "乙公司");
    const struct {
        const char* what;
        bool autoCode;
        const char* code;
        const char* modifying;  // code of the client being modified; empty for a new one
        ClientSaveStatus status;
        const char* stored;
    } cases[] = {
        {"new, taken, typed codes", false, "KH0003", "", ClientSaveStatus::Duplicate, ""},
        {"new, taken, automatic codes", true, "KH0003", "", ClientSaveStatus::Saved, "KH0008"},
        {"new, free", false, "KH0005", "", ClientSaveStatus::Saved, "KH0005"},
        {"modify keeping its own code", false, "KH0003", "KH0003", ClientSaveStatus::Saved, "KH0003"},
        {"modify keeping its own code, automatic", true, "KH0003", "KH0003", ClientSaveStatus::Saved, "KH0003"},
        {"modify to another's code", false, "KH0007", "KH0003", ClientSaveStatus::Duplicate, ""},
        {"blank code", false, "   ", "", ClientSaveStatus::EmptyCode, ""},
    };
    for (const auto& c : cases) {
        db().exec(QStringLiteral("delete from Client where F_Code not in ('KH0007','KH0003')"));
        db().exec(QStringLiteral("update Client set F_Name = '乙公司' where F_Code = 'KH0003'"));
        const int before = db().scalar(QStringLiteral("select count(*) from Client")).toInt();
        const qint64 id = *c.modifying ? idOf(QString::fromLatin1(c.modifying)) : -1;
        const ClientSaveResult r = SaveClient(*dmData, record(QString::fromLatin1(c.code), QStringLiteral("新名称")), id,
                                              c.autoCode);
        EXPECT_EQ(int(r.status), int(c.status)) << c.what;
        const int after = db().scalar(QStringLiteral("select count(*) from Client")).toInt();
        if (c.status != ClientSaveStatus::Saved) {
            EXPECT_EQ(after, before) << c.what;
            EXPECT_EQ(column(QStringLiteral("select F_Name from Client where F_Code = 'KH0003'")),
                      QStringList{QStringLiteral("乙公司")}) << c.what;
            continue;
        }
        EXPECT_EQ(r.code, QString::fromLatin1(c.stored)) << c.what;
        EXPECT_EQ(after, before + (id < 0 ? 1 : 0)) << c.what;
        EXPECT_EQ(column(QStringLiteral("select F_Name from Client where F_Code = ?"), {r.code}),
                  QStringList{QStringLiteral("新名称")}) << c.what;
    }
}

TEST_F(ClientStore, TextsTrimmedExceptCategoryContactAndRemarks)
{
    ClientRecord r;
    r.code = QStringLiteral(" KH0001 ");
    r.name = QStringLiteral(" 名称 ");
    r.type = QStringLiteral(" \\\\企业 ");
    r.linkMan = QStringLiteral(" 王五 ");
    r.mem = QStringLiteral(" 第一行\n第二行 ");
    r.address = r.postcode = r.handPhone = r.fax = r.phone = r.bank = r.account = r.rateCode = r.homepage =
        r.email = r.enrol = QStringLiteral("  x  ");
    r.useFlag = true;
    SaveClient(*dmData, r, -1, false);
    const Dataset ds = db().query(QStringLiteral("select * from Client"));
    ASSERT_EQ(ds.rowCount(), 1);
    const ClientRecord s = ClientRecord::fromRow(ds, 0);
    EXPECT_EQ(s.code, QStringLiteral("KH0001"));
    EXPECT_EQ(s.name, QStringLiteral("名称"));
    EXPECT_EQ(s.type, r.type);
    EXPECT_EQ(s.linkMan, r.linkMan);
    EXPECT_EQ(s.mem, r.mem);
    for (const QString& v : {s.address, s.postcode, s.handPhone, s.fax, s.phone, s.bank, s.account, s.rateCode,
                             s.homepage, s.email, s.enrol})
        EXPECT_EQ(v, QStringLiteral("x"));
    EXPECT_TRUE(s.useFlag);
}

TEST_F(ClientStore, OverLongTextStoresNothing)
{
    ClientRecord r = record(QStringLiteral("KH0001"), QStringLiteral("甲"));
    r.postcode = QString(21, QLatin1Char('1'));
    try {
        SaveClient(*dmData, r, -1, false);
        ADD_FAILURE() << "an over-long post code was stored";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("最多只能保存 20 个字符"))) << e.message().toStdString();
    }
    EXPECT_TRUE(storedCodes().isEmpty());
    EXPECT_FALSE(db().inTransaction());
}

// This instance shows KH0101 while another instance is in the middle of
// saving KH0101. Waiting for the other's lock, the save must see its row and
// take the next code, never store KH0101 a second time.
TEST_F(ClientStore, ConcurrentSaveTakesTheNextCode)
{
    addClient("KH0100", "起点");
    auto other = secondConnection();
    ClientRecord mine;
    mine.code = NextClientCode(*dmData);
    mine.name = QStringLiteral("本程序");
    ASSERT_EQ(mine.code, QStringLiteral("KH0101"));

    other->exec(QStringLiteral("BEGIN IMMEDIATE"));
    QString saved, failure;
    std::thread save([&] {
        try {
            saved = SaveClient(*dmData, mine, -1, true).code;
        } catch (const std::exception& e) {
            failure = QString::fromUtf8(e.what());
        }
    });
    // Gives the save time to reach the lock; were it slower, it would merely
    // find the other row already committed, and the outcome is the same.
    QThread::msleep(300);
    other->exec(QStringLiteral("insert into Client(F_Code,F_Name) values('KH0101','另一程序')"));
    other->exec(QStringLiteral("COMMIT"));
    save.join();

    EXPECT_EQ(failure.toStdString(), "");
    EXPECT_EQ(saved.toStdString(), "KH0102");
    EXPECT_EQ(storedCodes().join(QLatin1Char(',')).toStdString(), "KH0100,KH0101,KH0102");
}
