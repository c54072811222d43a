#include "support/Fixture.h"

#include "data/DataGrid.h"

// The list snapshot's compact storage: texts of every length come back as they
// went in, and a loaded snapshot keeps no spare room.
TEST_F(KorvanTest, DatasetKeepsTextsOfEveryLengthExactly)
{
    const int lengths[] = {0, 1, 127, 128, 129, 16383, 16384, 70000, 2100000};
    for (int n : lengths)
        db().exec(QStringLiteral("insert into Contract(F_cltID,F_memo1,F_memo2) values(?,?,?)"),
                  {n, QString(n, QChar(u'合')), QString(n % 200, QLatin1Char('x'))});
    Dataset ds = db().query(QStringLiteral("select F_cltID,F_memo1,F_memo2 from Contract order by F_cltID desc"));
    ASSERT_EQ(ds.rowCount(), 9);
    for (int r = 0; r < ds.rowCount(); ++r) {
        const int n = static_cast<int>(ds.integer(r, 0));
        EXPECT_EQ(ds.text(r, 1), QString(n, QChar(u'合'))) << n;
        EXPECT_EQ(ds.text(r, 2), QString(n % 200, QLatin1Char('x'))) << n;
    }
    // Sorting compares whole texts: the longer of two equal prefixes sorts last.
    ds.sort(QStringLiteral("F_memo1 ASC"));
    for (int r = 0; r < ds.rowCount(); ++r) EXPECT_EQ(ds.integer(r, 0), lengths[r]);
    size_t content = 0;
    for (int n : lengths) content += size_t(n) * 3 + size_t(n % 200) + 3 * 16;
    EXPECT_LT(ds.memoryBytes(), content + content / 8);

    ds.setValue(0, 1, QString(300, QLatin1Char('y')));
    EXPECT_EQ(ds.text(0, 1), QString(300, QLatin1Char('y')));

}
