#include "support/Fixture.h"

#include "contracts/ContractQuery.h"

TEST(ContractQuery, StatementForEachFilter)
{
    const struct {
        const char* what;
        ContractFilter f;
        const char* sql;
        QVariantList params;
    } cases[] = {
        {"all", {}, "select * from Contract where (1=1) and F_GDflag = false  order by F_date", {}},
        {"own as salesman", {1, QStringLiteral("张三")},
         "select * from Contract where (F_empName = ?)and F_GDflag = false  order by F_date", {QStringLiteral("张三")}},
        {"departments", {2, {}, QStringLiteral("'销售部','O''Neil'")},
         "select * from Contract where (F_dept in (?,?)) and F_GDflag = false  order by F_date",
         {QStringLiteral("销售部"), QStringLiteral("O'Neil")}},
        {"no departments matches nothing", {2, {}, QString()},
         "select * from Contract where (F_dept in (NULL)) and F_GDflag = false  order by F_date", {}},
        {"search party B", {0, {}, {}, 3, QStringLiteral("50%_'a")},
         "select * from Contract where (1=1) and f_client2 like ? ESCAPE '\\' and F_GDflag = false  order by F_date",
         {QStringLiteral("%50\\%\\_'a%")}},
        {"empty search still filters", {0, {}, {}, 0, QString()},
         "select * from Contract where (1=1) and f_code like ? ESCAPE '\\' and F_GDflag = false  order by F_date",
         {QStringLiteral("%%")}},
        {"category", {0, {}, {}, -1, {}, QStringLiteral("\\\\A\\B")},
         "select * from Contract where (1=1) and (f_type = ? or f_type like ? ESCAPE '\\') and F_GDflag = false  order by F_date",
         {QStringLiteral("\\\\A\\B"), QStringLiteral("\\\\\\\\A\\\\B\\\\%")}},
        {"root is no category", {0, {}, {}, -1, {}, QStringLiteral("\\\\")},
         "select * from Contract where (1=1) and F_GDflag = false  order by F_date", {}},
        {"payable, archived included, department project",
         {0, {}, {}, -1, {}, {}, 2, true, 2, QStringLiteral("工程部")},
         "select * from Contract where (1=1) and F_SFflag = -1 and F_dept = ?  order by F_date", {QStringLiteral("工程部")}},
        {"receivable, status project", {0, {}, {}, -1, {}, {}, 1, false, 0, QStringLiteral("未执行")},
         "select * from Contract where (1=1) and F_SFflag = 1 and F_GDflag = false and F_status = ?  order by F_date",
         {QStringLiteral("未执行")}},
    };
    for (const auto& c : cases) {
        const SqlWithParams q = BuildContractQuery(c.f);
        EXPECT_EQ(q.sql.toStdString(), c.sql) << c.what;
        EXPECT_EQ(q.params, c.params) << c.what;
    }
}

class ContractQueryOnData : public KorvanTest {
protected:
    int count(const ContractFilter& f)
    {
        const SqlWithParams q = BuildContractQuery(f);
        return db().query(q.sql, q.params).rowCount();
    }
    void add(const QString& name, const QString& type, int dir = 1, bool archived = false, const QVariant& client2 = QVariant())
    {
        db().exec(QStringLiteral("insert into Contract(F_cltID,F_name,F_type,F_SFflag,F_GDflag,F_client2,F_date) "
                                 "values(?,?,?,?,?,?,'2026-01-01')"),
                  {++id_, name, type, dir, archived ? 1 : 0, client2});
    }
    int id_ = 0;
};

TEST_F(ContractQueryOnData, CategoriesQuotesAndNulls)
{
    add(QStringLiteral("O'Neil 合同"), QStringLiteral("\\\\A"));
    add(QStringLiteral("子类"), QStringLiteral("\\\\A\\B"));
    add(QStringLiteral("相邻类"), QStringLiteral("\\\\AB"), -1, false, QStringLiteral("乙方"));
    add(QStringLiteral("归档的"), QStringLiteral("\\\\A"), 1, true);

    ContractFilter f;
    f.categoryPath = QStringLiteral("\\\\A");
    EXPECT_EQ(count(f), 2);  // A and its child, not the sibling AB, not the archived one
    f.includeArchived = true;
    EXPECT_EQ(count(f), 3);
    f = {};
    f.searchField = 1;
    f.searchText = QStringLiteral("O'Neil");
    EXPECT_EQ(count(f), 1);
    f.searchField = 3;
    f.searchText = QString();
    EXPECT_EQ(count(f), 1);  // a null party B is not matched by an empty search
    f = {};
    f.direction = 2;
    EXPECT_EQ(count(f), 1);
}
