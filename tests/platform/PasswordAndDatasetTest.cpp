#include "platform/Password.h"
#include "platform/db/Dataset.h"

#include <gtest/gtest.h>

TEST(Password, HashesReadBackOnlyAsTheExactPassword)
{
    for (const QString& p : {QString(), QStringLiteral("Secret"), QStringLiteral("密码 'x' %\\")}) {
        const QString stored = SavePass(p);
        EXPECT_NE(stored, p);
        EXPECT_LE(stored.size(), 255);
        EXPECT_TRUE(CheckPass(stored, p));
        EXPECT_FALSE(CheckPass(stored, p + QLatin1Char(' ')));
    }
    EXPECT_FALSE(CheckPass(SavePass(QStringLiteral("Secret")), QStringLiteral("secret")));
    EXPECT_FALSE(CheckPass(QStringLiteral("plain text"), QStringLiteral("plain text")));
}

namespace {
Dataset sample()
{
    Dataset ds;
    ds.setFields({{QStringLiteral("F_code"), FieldKind::Text},
                  {QStringLiteral("F_date"), FieldKind::Date},
                  {QStringLiteral("F_totalPrice"), FieldKind::Real}});
    const struct { const char* code; const char* date; double price; } rows[] = {
        {"B", "2026-01-02", 5}, {"A", "2026-01-03", 7.5}, {"C", "2026-01-02", -1}, {"A", "2025-12-31", 7.5}};
    for (const auto& r : rows) {
        ds.appendText(0, r.code, int(strlen(r.code)));
        ds.appendText(1, r.date, int(strlen(r.date)));
        ds.appendReal(2, r.price);
        ds.finishRow();
    }
    return ds;
}

QString codes(const Dataset& ds)
{
    QString s;
    for (int r = 0; r < ds.rowCount(); ++r) s += ds.text(r, 0) + ds.text(r, 1).right(2);
    return s;
}
}

TEST(Dataset, SortBySpecText)
{
    Dataset ds = sample();
    ds.sort(QStringLiteral("F_date ASC,F_code DESC,"));
    EXPECT_EQ(codes(ds), QStringLiteral("A31C02B02A03"));
    ds.sort(QStringLiteral("f_totalprice desc, nosuch ASC"));
    EXPECT_EQ(codes(ds), QStringLiteral("A31A03B02C02"));  // equal prices keep their order
    ds.sort(QString());
    EXPECT_EQ(codes(ds), QStringLiteral("B02A03C02A31"));
    EXPECT_TRUE(ds.sortSpec().isEmpty());
}

TEST(Dataset, LocateEditAndKeepCursorAcrossSort)
{
    Dataset ds = sample();
    ASSERT_TRUE(ds.locate(QStringLiteral("F_code"), QStringLiteral("C")));
    EXPECT_EQ(ds.recNo(), 2);
    ds.sort(QStringLiteral("F_code ASC"));
    EXPECT_EQ(ds.text(QStringLiteral("F_code")), QStringLiteral("C"));
    EXPECT_FALSE(ds.locate(QStringLiteral("F_code"), QStringLiteral("Z")));
    EXPECT_TRUE(ds.locate(QStringLiteral("F_totalPrice"), 5));
    ds.setValue(ds.recNo(), 0, QStringLiteral("批准"));
    EXPECT_EQ(ds.text(QStringLiteral("F_code")), QStringLiteral("批准"));
    ds.setValue(ds.recNo(), 2, QVariant());
    EXPECT_TRUE(ds.isNull(ds.recNo(), 2));
    EXPECT_EQ(ds.number(QStringLiteral("F_totalPrice")), 0.0);
    const int added = ds.appendRow();
    EXPECT_EQ(ds.rowCount(), 5);
    EXPECT_TRUE(ds.isNull(added, 0));
    ds.removeRow(0);
    EXPECT_EQ(ds.rowCount(), 4);
}
