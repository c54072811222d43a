#include "platform/db/Dialect.h"

#include <gtest/gtest.h>

TEST(Dialect, TranslatesJetForms)
{
    const struct { const char* jet; const char* sqlite; } cases[] = {
        {"select * from t where F_date <= #1901-08-14#", "select * from t where F_date <= '1901-08-14'"},
        {"select * from t where d = #2026-3-9#", "select * from t where d = '2026-03-09'"},
        {"update c set F_GDflag = true where x = False", "update c set F_GDflag = 1 where x = 0"},
        {"select top 5 F_name from t order by F_ID", "select F_name from t order by F_ID LIMIT 5"},
        {"select top 1 F_name from t;", "select F_name from t LIMIT 1;"},
        {"select * from t where F_ID in (select top 2 F_ID from u) and a=1",
         "select * from t where F_ID in (select F_ID from u LIMIT 2) and a=1"},
        {"select Right(F_code, 3), Left (x,1) from a left join b on a.i=b.i",
         "select jet_right(F_code, 3), jet_left (x,1) from a left join b on a.i=b.i"},
        // Text in quotes and bound names stay as they are.
        {"select 'true #1#' , F_true, :true from t", "select 'true #1#' , F_true, :true from t"},
        {"select 'it''s true' from t", "select 'it''s true' from t"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Dialect::translate(QString::fromUtf8(c.jet)).toStdString(), c.sqlite) << c.jet;
}

TEST(Dialect, LikeEscapeKeepsWildcardsLiteral)
{
    EXPECT_EQ(Dialect::likeEscape(QStringLiteral("50%_a\\b")), QStringLiteral("50\\%\\_a\\\\b"));
}
