#include "support/Fixture.h"

#include "data/AppState.h"
#include "data/PubUnit.h"
#include "data/Schema.h"
#include "platform/Clock.h"

#include <QComboBox>
#include <QTreeWidget>

class DataServices : public KorvanTest {};

TEST_F(DataServices, ScalarLookupsOnNullAndNoRow)
{
    EXPECT_EQ(dmData->QueryInt(QStringLiteral("select max(F_cltID) from Contract")), 0);
    EXPECT_EQ(dmData->QueryString(QStringLiteral("select max(F_code) from Contract")), QString());
    EXPECT_EQ(dmData->QueryInt(QStringLiteral("select F_ID from Contract where F_ID = 5")), 0);
    EXPECT_EQ(dmData->QueryString(QStringLiteral("select F_name from Contract where F_ID = 5")), QString());
    EXPECT_EQ(dmData->QueryInt(QStringLiteral("select count(*) from Limits")), 53);
    EXPECT_EQ(dmData->QueryString(QStringLiteral("select F_Value from KeyValue order by F_ID desc")), QStringLiteral("2"));
}

TEST_F(DataServices, FailuresAreReportedAndReturnEmpty)
{
    messages.expect(QStringLiteral("操作失败，请检查数据连接"), 1).expect(QStringLiteral("操作失败，请检查数据连接"), 1)
        .expect(QStringLiteral("删除操作失败"), 1).expect(QStringLiteral("打开操作失败"), 1);
    EXPECT_EQ(dmData->QueryInt(QStringLiteral("select nosuch from Contract")), 0);
    EXPECT_FALSE(dmData->ExecSql(QStringLiteral("update nosuch set a = 1")));
    EXPECT_FALSE(dmData->DeleteById(QStringLiteral("nosuch"), 1));
    Dataset ds;
    EXPECT_FALSE(dmData->OpenQuery(QStringLiteral("select * from nosuch"), ds));
    EXPECT_EQ(messages.kinds(), (QList<int>{3, 3, 3, 3}));
}

TEST_F(DataServices, ValuesWithQuotesAreBoundNotPasted)
{
    const QString name = QStringLiteral("O'Neil 100% \\ 合同");
    ASSERT_TRUE(dmData->ExecSql(QStringLiteral("insert into Contract(F_cltID,F_name) values(?,?)"), {1, name}));
    EXPECT_EQ(dmData->QueryString(QStringLiteral("select F_name from Contract where F_name = ?"), {name}), name);
    EXPECT_TRUE(dmData->DeleteById(QStringLiteral("Contract"), dmData->QueryInt(QStringLiteral("select F_ID from Contract"))));
    EXPECT_EQ(dmData->QueryInt(QStringLiteral("select count(*) from Contract")), 0);
}

TEST_F(DataServices, OverLongTextIsRefusedWithItsLimitAndNothingStored)
{
    messages.expect(QStringLiteral("最多只能保存 50 个字符"), 1);
    const QString longCode(51, QLatin1Char('x'));
    EXPECT_FALSE(dmData->ExecSql(QStringLiteral("insert into Contract(F_cltID,F_code) values(1,?)"), {longCode}));
    EXPECT_EQ(dmData->QueryInt(QStringLiteral("select count(*) from Contract")), 0);
    // Width counts characters, not bytes.
    EXPECT_TRUE(dmData->ExecSql(QStringLiteral("insert into Contract(F_cltID,F_code) values(1,?)"),
                                {QString(50, QChar(0x5408))}));
}

TEST_F(DataServices, FillComboSkipsBlanksKeepsDuplicatesAndRowOrder)
{
    for (const QString& n : {QStringLiteral("李四"), QStringLiteral("  "), QStringLiteral("张三"), QStringLiteral("李四"),
                             QStringLiteral(" 王五 ")})
        db().exec(QStringLiteral("insert into t_code(F_type,F_name) values('empname',?)"), {n});
    QComboBox box;
    box.addItem(QStringLiteral("old"));
    dmData->FillCombo(QStringLiteral("select F_name from t_code where F_type = 'empname' order by F_ID"), &box);
    QStringList items;
    for (int i = 0; i < box.count(); ++i) items << box.itemText(i);
    EXPECT_EQ(items, (QStringList{QStringLiteral("李四"), QStringLiteral("张三"), QStringLiteral("李四"),
                                  QStringLiteral(" 王五 ")}));
}

TEST_F(DataServices, DatedCodesRollOverAndStartAtOne)
{
    const QString sql = QStringLiteral("select max(F_code) from Contract where F_code Like ?");
    const QVariantList today{QStringLiteral("HT-20260309-%")};
    EXPECT_EQ(dmData->NextDatedCode(sql, QStringLiteral("HT-"), 3, today), QStringLiteral("HT-20260309-001"));
    db().exec(QStringLiteral("insert into Contract(F_cltID,F_code) values(1,'HT-20260309-041')"));
    EXPECT_EQ(dmData->NextDatedCode(sql, QStringLiteral("HT-"), 3, today), QStringLiteral("HT-20260309-042"));
    db().exec(QStringLiteral("insert into Contract(F_cltID,F_code) values(2,'HT-20260309-999')"));
    EXPECT_EQ(dmData->NextDatedCode(sql, QStringLiteral("HT-"), 3, today), QStringLiteral("HT-20260309-000"));
    db().exec(QStringLiteral("insert into Contract(F_cltID,F_code) values(3,'HT-20260309-ZZ')"));
    EXPECT_THROW(dmData->NextDatedCode(sql, QStringLiteral("HT-"), 3, today), CodeError);
}

TEST_F(DataServices, SerialCodes)
{
    const QString sql = QStringLiteral("select max(F_Code) from Client");
    EXPECT_EQ(dmData->NextSerialCode(sql, 4), QStringLiteral("0001"));
    db().exec(QStringLiteral("insert into Client(F_Code) values('KH0012')"));
    EXPECT_EQ(dmData->NextSerialCode(sql, 4), QStringLiteral("KH0013"));
    db().exec(QStringLiteral("delete from Client"));
    db().exec(QStringLiteral("insert into Client(F_Code) values('9999')"));
    EXPECT_EQ(dmData->NextSerialCode(sql, 4), QStringLiteral("0000"));
    db().exec(QStringLiteral("insert into Client(F_Code) values('KH00AB')"));
    EXPECT_THROW(dmData->NextSerialCode(sql, 4), CodeError);
}

namespace {
void addCategory(Connection& c, const QString& code, const QString& name, const QString& path,
                 const QString& flag = QStringLiteral("type"))
{
    c.exec(QStringLiteral("insert into t_treecode(F_code,F_name,F_likecode,F_flag) values(?,?,?,?)"),
           {code, name, path, flag});
}
}

TEST_F(DataServices, TreeCodes)
{
    const QString type = QStringLiteral("type");
    EXPECT_EQ(dmData->NextTreeCode(QStringLiteral("000"), type, 2), QStringLiteral("001"));  // first below the root
    addCategory(db(), QStringLiteral("001"), QStringLiteral("A"), QStringLiteral("\\\\A"));
    addCategory(db(), QStringLiteral("001001"), QStringLiteral("B"), QStringLiteral("\\\\A\\B"));
    addCategory(db(), QStringLiteral("001001001"), QStringLiteral("C"), QStringLiteral("\\\\A\\B\\C"));
    addCategory(db(), QStringLiteral("001003"), QStringLiteral("D"), QStringLiteral("\\\\A\\D"));
    addCategory(db(), QStringLiteral("002"), QStringLiteral("E"), QStringLiteral("\\\\E"), QStringLiteral("dept"));
    EXPECT_EQ(dmData->NextTreeCode(QStringLiteral("001"), type, 1), QStringLiteral("002"));
    EXPECT_EQ(dmData->NextTreeCode(QStringLiteral("001"), type, 2), QStringLiteral("001004"));
    EXPECT_EQ(dmData->NextTreeCode(QStringLiteral("001001"), type, 1), QStringLiteral("001004"));
    EXPECT_EQ(dmData->NextTreeCode(QStringLiteral("001003"), type, 2), QStringLiteral("001003001"));  // no child yet
    EXPECT_EQ(dmData->NextTreeCode(QStringLiteral("001001"), type, 2), QStringLiteral("001001002"));
}

TEST_F(DataServices, LoadCodeTreeAndPaths)
{
    addCategory(db(), QStringLiteral("001"), QStringLiteral("A"), QStringLiteral("\\\\A"));
    addCategory(db(), QStringLiteral("001001"), QStringLiteral("B"), QStringLiteral("\\\\A\\B"));
    addCategory(db(), QStringLiteral("001001001"), QStringLiteral("C"), QStringLiteral("\\\\A\\B\\C"));
    addCategory(db(), QStringLiteral("001002"), QStringLiteral("D"), QStringLiteral("\\\\A\\D"));
    addCategory(db(), QStringLiteral("002"), QStringLiteral("E"), QStringLiteral("\\\\E"));
    addCategory(db(), QStringLiteral("003"), QStringLiteral("X"), QStringLiteral("\\\\X"), QStringLiteral("dept"));
    QTreeWidget tree;
    dmData->LoadCodeTree(&tree, QStringLiteral("合同类型"), QStringLiteral("type"));
    ASSERT_EQ(tree.topLevelItemCount(), 1);
    QTreeWidgetItem* root = tree.topLevelItem(0);
    EXPECT_EQ(TreeNodeData::of(root).likeCode, QStringLiteral("\\\\"));
    EXPECT_EQ(TreeNodeData::of(root).code, QStringLiteral("000"));
    ASSERT_EQ(root->childCount(), 2);
    QTreeWidgetItem* a = root->child(0);
    EXPECT_EQ(a->text(0), QStringLiteral("A"));
    EXPECT_TRUE(a->isExpanded());
    ASSERT_EQ(a->childCount(), 2);
    QTreeWidgetItem* c = a->child(0)->child(0);
    EXPECT_EQ(c->text(0), QStringLiteral("C"));
    EXPECT_EQ(a->child(1)->text(0), QStringLiteral("D"));
    EXPECT_EQ(root->child(1)->text(0), QStringLiteral("E"));
    EXPECT_EQ(TreeNodeData::of(c).levelLength, 9);

    EXPECT_EQ(TdmData::TreeNodePath(c, 1), QStringLiteral("\\\\A\\B\\C"));
    EXPECT_EQ(TdmData::TreeNodePath(c, 2), QStringLiteral("\\\\A\\B"));
    EXPECT_EQ(TdmData::TreeNodePath(a, 1), QStringLiteral("\\\\A"));
    EXPECT_EQ(TdmData::TreeNodePath(a->child(0), 1), TreeNodeData::of(a->child(0)).likeCode);
}

TEST_F(DataServices, PermissionTestJoinsNameToCode)
{
    AppState().OperName = QStringLiteral("张三");
    const QString name = dmData->QueryString(QStringLiteral("select F_name from Limits where F_code = '201'"));
    db().exec(QStringLiteral("insert into OperLimit(F_OperName,F_lmtName) values('张三',?)"), {name});
    EXPECT_TRUE(dmData->HasPermission(QStringLiteral("201")));
    EXPECT_FALSE(dmData->HasPermission(QStringLiteral("202")));
    AppState().OperName = QStringLiteral("李四");
    EXPECT_FALSE(dmData->HasPermission(QStringLiteral("201")));
}

TEST_F(DataServices, WriteLogRecordsOperatorDateAndTime)
{
    AppState().OperName = QString();
    dmData->WriteLog(QStringLiteral("登录失败！"));
    Dataset ds = db().query(QStringLiteral("select * from LogRec"));
    ASSERT_EQ(ds.rowCount(), 1);
    EXPECT_EQ(ds.text(QStringLiteral("F_EmpName")), QString());
    EXPECT_EQ(ds.text(QStringLiteral("F_OperType")), QStringLiteral("登录失败！"));
    EXPECT_EQ(ds.text(QStringLiteral("F_OperDate")), QStringLiteral("2026-03-09"));
    EXPECT_EQ(ds.text(QStringLiteral("F_OperTime")), QStringLiteral("10:00:00"));
}

TEST_F(DataServices, JetFunctionsAroundToday)
{
    db().exec(QStringLiteral("insert into t_SKrec(F_cltID,F_YSdate,F_SKdate) values(1,'2026-03-12','1900-08-14')"));
    db().exec(QStringLiteral("insert into t_SKrec(F_cltID,F_YSdate,F_SKdate) values(2,'2026-03-08','2026-03-01')"));
    db().exec(QStringLiteral("insert into t_SKrec(F_cltID,F_YSdate,F_SKdate) values(3,'2026-03-09','1901-08-14')"));
    // Due within the next 3 days and not yet received.
    const Dataset due = db().query(QStringLiteral(
        "select F_cltID, DateDiff('d', date(), F_YSdate) as d from t_SKrec "
        "where F_SKdate <= #1901-08-14# and DateDiff('d',date(),F_YSdate) between 0 and 3 order by F_cltID"));
    ASSERT_EQ(due.rowCount(), 2);
    EXPECT_EQ(due.integer(0, 0), 1);
    EXPECT_EQ(due.integer(0, 1), 3);
    EXPECT_EQ(due.integer(1, 0), 3);  // 1901-08-14 itself counts as not yet set in queries
    EXPECT_EQ(db().scalar(QStringLiteral("select DateDiff('y', '2026-03-09', '2025-03-09')")).toInt(), -365);
    EXPECT_EQ(db().scalar(QStringLiteral("select len('合同AB') + inStr('abcD','cd') * 10")).toInt(), 34);
    EXPECT_EQ(db().scalar(QStringLiteral("select Right('HT-20260309-007', 3)")).toString(), QStringLiteral("007"));
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from Limits where F_flag = true")).toInt(), 53);
    EXPECT_EQ(db().scalar(QStringLiteral("select top 1 F_code from Limits order by F_code desc")).toString(),
              QStringLiteral("907"));
}

TEST_F(DataServices, SeedRows)
{
    EXPECT_EQ(db().scalar(QStringLiteral("select count(distinct F_name) from Limits")).toInt(), 53);
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from KeyValue")).toInt(), 14);
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from SysInfo")).toInt(), 1);
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from t_code where F_type = 'bgitem'")).toInt(), 12);
    EXPECT_GT(db().scalar(QStringLiteral("select count(*) from cfg_import where F_tablename = 'contract' and F_iFlag = 1")).toInt(), 10);
    EXPECT_GT(db().scalar(QStringLiteral("select count(*) from cfg_import where F_tablename = 'client' and F_iFlag = 1")).toInt(), 10);
    EXPECT_EQ(db().scalar(QStringLiteral("select count(*) from t_code where F_type = 'status' and F_name = '未执行'")).toInt(), 1);
    EXPECT_TRUE(Schema::missingParts(db()).isEmpty());
}
