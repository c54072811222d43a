#include "ClientTestSupport.h"

#include "clients/ClientQuery.h"

TEST(ClientQuery, RegisterStatementForEachFilter)
{
    const QString cat = QStringLiteral("(f_type = ? or f_type like ? ESCAPE '\\') ");
    const struct {
        const char* what;
        ClientFilter f;
        QString sql;
        QVariantList params;
    } cases[] = {
        {"no field", {}, "select * from Client where (1=1) and F_Useflag = false order by f_code", {}},
        {"code begins with, trimmed", {SearchCode, QStringLiteral("  K ")},
         "select * from Client where (1=1) and f_code like ? ESCAPE '\\' and F_Useflag = false order by f_code",
         {QStringLiteral("K%")}},
        {"name contains, literal wildcards", {SearchName, QStringLiteral("5%_'\\")},
         "select * from Client where (1=1) and f_name like ? ESCAPE '\\' and F_Useflag = false order by f_code",
         {QStringLiteral("%5\\%\\_'\\\\%")}},
        {"contact person", {SearchLinkMan, QStringLiteral("王")},
         "select * from Client where (1=1) and f_linkman like ? ESCAPE '\\' and F_Useflag = false order by f_code",
         {QStringLiteral("%王%")}},
        {"address, empty text still filters", {SearchAddress, QString()},
         "select * from Client where (1=1) and f_address like ? ESCAPE '\\' and F_Useflag = false order by f_code",
         {QStringLiteral("%%")}},
        {"category, disabled included", {SearchNone, {}, QStringLiteral("\\\\企业"), true},
         "select * from Client where (1=1) and " + cat + "order by f_code",
         {QStringLiteral("\\\\企业"), QStringLiteral("\\\\\\\\企业\\\\%")}},
        {"root is every category", {SearchNone, {}, QStringLiteral("\\\\"), true},
         "select * from Client where (1=1) order by f_code", {}},
    };
    for (const auto& c : cases) {
        const ClientSql q = BuildClientQuery(c.f);
        EXPECT_EQ(q.sql.toStdString(), c.sql.toStdString()) << c.what;
        EXPECT_EQ(q.params, c.params) << c.what;
    }
}

TEST(ClientQuery, PickerStatementAddsOnlyNonBlankTexts)
{
    PickerFilter f;
    EXPECT_EQ(BuildPickerQuery(f).sql, QStringLiteral("select * from Client where (f_useflag=false)order by F_code,F_type"));
    f = {QStringLiteral(" 12 "), QStringLiteral("  "), QStringLiteral("路"), QStringLiteral("\\\\个人")};
    const ClientSql q = BuildPickerQuery(f);
    EXPECT_EQ(q.sql, QStringLiteral("select * from Client where (f_useflag=false)and F_code Like ? ESCAPE '\\' "
                                    "and F_address Like ? ESCAPE '\\' and (f_type = ? or f_type like ? ESCAPE '\\') "
                                    "order by F_code,F_type"));
    EXPECT_EQ(q.params, (QVariantList{QStringLiteral("12%"), QStringLiteral("%路%"), QStringLiteral("\\\\个人"),
                                      QStringLiteral("\\\\\\\\个人\\\\%")}));
}

class ClientQueryOnData : public ClientTest {
protected:
    void SetUp() override
    {
        ClientTest::SetUp();
        addClient("KH0002", "华东公司", "\\\\企业", false, "王五", "上海路1号");
        addClient("KH0001", "国营工厂", "\\\\企业\\国企", false, "李四", "北京路");
        addClient("GR0001", "张三个人", "\\\\个人", false, QString(), "南京路");
        addClient("KH0003", "集团公司", "\\\\企业集团", false, "王二", QString());
        addClient("KH0004", "停用公司", "\\\\企业", true);
        addClient("KH_05", "O'Neil 100% 公司", "\\\\个人");
    }
    QStringList codes(const ClientFilter& f)
    {
        const ClientSql q = BuildClientQuery(f);
        QStringList out;
        const Dataset ds = db().query(q.sql, q.params);
        for (int r = 0; r < ds.rowCount(); ++r) out << field(ds, r, "F_Code");
        return out;
    }
    QStringList picked(const PickerFilter& f)
    {
        const ClientSql q = BuildPickerQuery(f);
        QStringList out;
        const Dataset ds = db().query(q.sql, q.params);
        for (int r = 0; r < ds.rowCount(); ++r) out << field(ds, r, "F_Code");
        return out;
    }
};

TEST_F(ClientQueryOnData, RegisterSearchesCategoriesAndDisabled)
{
    const struct {
        const char* what;
        ClientFilter f;
        QStringList codes;
    } cases[] = {
        {"all in use, by code", {}, {"GR0001", "KH0001", "KH0002", "KH0003", "KH_05"}},
        {"code begins with K", {SearchCode, QStringLiteral("K")}, {"KH0001", "KH0002", "KH0003", "KH_05"}},
        {"underscore is no wildcard", {SearchCode, QStringLiteral("KH_")}, {"KH_05"}},
        {"name contains 公司", {SearchName, QStringLiteral("公司")}, {"KH0002", "KH0003", "KH_05"}},
        {"quote and percent literal", {SearchName, QStringLiteral("O'Neil 100%")}, {"KH_05"}},
        {"percent alone is no wildcard", {SearchName, QStringLiteral("%")}, {"KH_05"}},
        {"contact person", {SearchLinkMan, QStringLiteral("王")}, {"KH0002", "KH0003"}},
        {"address", {SearchAddress, QStringLiteral("路")}, {"GR0001", "KH0001", "KH0002"}},
        {"category with its sub-category, not the sibling 企业集团", {SearchNone, {}, QStringLiteral("\\\\企业")},
         {"KH0001", "KH0002"}},
        {"the sibling alone", {SearchNone, {}, QStringLiteral("\\\\企业集团")}, {"KH0003"}},
        {"disabled included", {SearchNone, {}, QStringLiteral("\\\\企业"), true}, {"KH0001", "KH0002", "KH0004"}},
    };
    for (const auto& c : cases) EXPECT_EQ(codes(c.f), c.codes) << c.what;
}

TEST_F(ClientQueryOnData, PickerNeverOffersDisabledClients)
{
    EXPECT_EQ(picked({}), (QStringList{"GR0001", "KH0001", "KH0002", "KH0003", "KH_05"}));
    EXPECT_EQ(picked({QStringLiteral("KH000")}), (QStringList{"KH0001", "KH0002", "KH0003"}));
    EXPECT_EQ(picked({{}, QStringLiteral("停用")}), QStringList{});
    EXPECT_EQ(picked({{}, QStringLiteral("公司"), QStringLiteral("上海")}), QStringList{"KH0002"});
    EXPECT_EQ(picked({{}, {}, {}, QStringLiteral("\\\\企业")}), (QStringList{"KH0001", "KH0002"}));
}
