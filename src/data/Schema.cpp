#include "data/Schema.h"

#include "data/SeedData.h"
#include "platform/db/Connection.h"

#include <QSet>
#include <QStringList>

namespace Schema {
namespace {
using T = ColType;

Column txt(const char* n, int w) { return {n, T::Text, w}; }
Column memo(const char* n) { return {n, T::Memo, 0}; }
Column date(const char* n) { return {n, T::Date, 0}; }
Column dtime(const char* n) { return {n, T::DateTime, 0}; }
Column yesno(const char* n) { return {n, T::Bool, 0}; }
Column num(const char* n) { return {n, T::Real, 0}; }
Column integer(const char* n) { return {n, T::Integer, 0}; }
Column id() { return {"F_ID", T::AutoId, 0}; }
Column blob(const char* n) { return {n, T::Blob, 0}; }

QVector<Table> buildTables()
{
    return {
        {"Contract",
         {id(), integer("F_cltID"), txt("F_code", 50), txt("F_name", 255), txt("F_type", 255),
          txt("F_empname", 50), date("F_date"), num("F_totalPrice"), date("F_beginDate"), date("F_endDate"),
          txt("F_status", 50), memo("F_memo1"), txt("F_filePath", 255), memo("F_memo2"), yesno("F_GDflag"),
          txt("F_GDpath", 255), date("F_editDate"), txt("F_OperName", 50), txt("F_client1", 255),
          txt("F_client2", 255), txt("F_FZR1", 50), txt("F_FZR2", 50), integer("F_SFflag"),
          txt("F_priceunit", 50), txt("F_dept", 50), txt("F_ZF1", 50), txt("F_ZF2", 50), txt("F_ZF3", 50),
          txt("F_ZF4", 50), txt("F_ZF5", 50), date("F_RQ1"), date("F_RQ2"), date("F_RQ3"), date("F_RQ4"),
          date("F_RQ5"), num("F_SZ1"), num("F_SZ2"), num("F_SZ3"), num("F_SZ4"), num("F_SZ5"),
          txt("F_SHemp", 50)}},
        {"Client",
         {id(), txt("F_Code", 50), txt("F_Name", 255), txt("F_Type", 255), txt("F_LinkMan", 50),
          txt("F_Phone", 50), txt("F_Address", 255), txt("F_Postcode", 20), txt("F_fax", 50),
          txt("F_handPhone", 50), memo("F_Mem"), yesno("F_useFlag"), txt("F_bank", 255), txt("F_account", 100),
          txt("F_ratecode", 100), txt("F_homepage", 255), txt("F_Email", 255), txt("F_Enrol", 50)}},
        {"t_SKrec",
         {id(), integer("F_cltID"), date("F_date"), txt("F_OldCode", 50), num("F_YSprice"), date("F_YSdate"),
          num("F_SKprice"), date("F_SKdate"), num("F_KPprice"), memo("F_memo1"), txt("F_operName", 50)}},
        {"t_ZXrec",
         {id(), integer("F_cltID"), date("F_ZXdate"), memo("F_ZXmem"), txt("F_GZL", 255), txt("F_JD", 255),
          txt("F_empName", 50), date("F_editDate"), memo("F_Memo1"), date("F_date"), txt("F_YWemp", 50)}},
        {"t_TXrec",
         {id(), integer("F_cltID"), date("F_awokeDate"), txt("F_awokeTime", 50), txt("F_caption", 255),
          memo("F_memo1"), txt("F_editDate", 50), txt("F_operName", 50)}},
        {"t_BGrec",
         {id(), integer("F_cltID"), txt("F_HTcode", 50), txt("F_HTname", 50), txt("F_BGitem", 50),
          memo("F_BGreason"), txt("F_BGbegin", 50), txt("F_BGend", 50), txt("F_STemp", 50), date("F_STdate"),
          txt("F_PZemp", 50), date("F_PZdate"), txt("F_operName", 50), date("F_editDate"), memo("F_memo1"),
          date("F_BGdate")}},
        {"t_TPrec",
         {id(), integer("F_cltID"), txt("F_FileName", 50), txt("F_imagePath", 255), txt("F_FileExt", 50),
          blob("F_HTimage")}},
        {"t_FJrec",
         {id(), integer("F_cltID"), txt("F_fileName", 50), txt("F_filePos", 255), txt("F_fileExt", 50),
          memo("F_memo1"), txt("F_empName", 50), date("F_editDate"), blob("F_fileOLE")}},
        {"t_code", {id(), txt("F_type", 50), txt("F_name", 50)}},
        {"t_treecode",
         {id(), txt("F_code", 60), txt("F_name", 50), txt("F_likecode", 255), txt("F_flag", 50)}},
        {"OperList",
         {id(), txt("F_Name", 50), txt("F_PassWord", 255), memo("F_Mem"), yesno("F_Flag"), yesno("F_shFlag"),
          integer("F_xtFlag"), txt("F_dept", 255)}},
        {"OperLimit", {id(), txt("F_OperName", 50), txt("F_lmtName", 50)}},
        {"Limits", {id(), txt("F_code", 10), txt("F_name", 50), yesno("F_flag")}},
        {"LogRec",
         {id(), txt("F_EmpName", 50), txt("F_OperType", 100), txt("F_OperDate", 20), txt("F_OperTime", 20)}},
        {"SysInfo",
         {id(), txt("F_Code", 50), txt("F_Name", 10), txt("F_BakPath", 255), txt("F_Manager", 50),
          txt("F_Phone", 50), txt("F_HandPhone", 50), txt("F_Email", 255), txt("F_Homepage", 255),
          txt("F_Enroler", 50), txt("F_Mem", 255)}},
        {"KeyValue", {id(), txt("F_Value", 50)}},
        {"cfg_Grid",
         {id(), txt("F_name", 50), txt("F_FieldName", 50), txt("F_Caption", 100), integer("F_Width"),
          yesno("F_Visible"), yesno("F_ReadOnly"), txt("F_DisplayFormat", 50), txt("F_FooterValue", 100),
          integer("F_FooterType"), integer("F_Alignment"), integer("F_Order")}},
        {"cfg_import",
         {id(), txt("F_tablename", 50), integer("F_iFlag"), txt("S_Field", 50), txt("F_FieldName", 50),
          txt("F_Field", 100)}},
        {"tempSKrec",
         {id(), txt("F_HTcode", 50), txt("F_HTname", 255), txt("F_EmpName", 50), txt("F_dept", 50),
          txt("F_client1", 255), txt("F_client2", 255), num("F_totalPrice"), txt("F_priceUnit", 50),
          num("F_SKprice"), num("F_wSKprice"), num("F_KPprice"), num("F_wKPprice"), yesno("F_flag"),
          integer("F_operFlag")}},
        {"GCitem",
         {id(), txt("F_code", 50), txt("F_name", 255), txt("F_type", 255), date("F_date"), memo("F_memo1")}},
        {"t_GCdetail", {id(), integer("F_GCID"), txt("F_item", 255), num("F_price"), memo("F_memo1")}},
    };
}

QString columnSql(const Table& t, const Column& c)
{
    const QString name = QString::fromLatin1(c.name);
    switch (c.type) {
    case T::AutoId: return name + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
    case T::Integer: return name + QStringLiteral(" INTEGER DEFAULT 0");
    case T::Real: return name + QStringLiteral(" REAL DEFAULT 0");
    case T::Memo: return name + QStringLiteral(" MEMOTEXT COLLATE NOCASE");
    case T::Date: return name + QStringLiteral(" DATETEXT");
    case T::DateTime: return name + QStringLiteral(" DATETIMETEXT");
    case T::Bool: return name + QStringLiteral(" BOOLINT NOT NULL DEFAULT 0");
    case T::Blob: return name + QStringLiteral(" BLOB");
    case T::Text:
        // The constraint's name carries table, column and width, so that an
        // over-long value can be reported in words (see friendlyDbMessage).
        // Text compares without regard to case, as the stored names and code-list
        // types ("empName", "empname") are used.
        return QStringLiteral("%1 TEXT COLLATE NOCASE CONSTRAINT len_%2__%1__%3 CHECK(length(%1) <= %3)")
            .arg(name, QString::fromLatin1(t.name))
            .arg(c.width);
    }
    return name;
}
}

const QVector<Table>& tables()
{
    static const QVector<Table> all = buildTables();
    return all;
}

QString createSql()
{
    QString sql;
    for (const Table& t : tables()) {
        QStringList cols;
        for (const Column& c : t.columns) cols << columnSql(t, c);
        sql += QStringLiteral("CREATE TABLE %1 (\n  %2\n);\n").arg(QString::fromLatin1(t.name), cols.join(QStringLiteral(",\n  ")));
    }
    // Lookups every list makes often.
    sql += QStringLiteral(
        "CREATE INDEX ix_contract_cltid ON Contract(F_cltID);\n"
        "CREATE INDEX ix_contract_code ON Contract(F_code);\n"
        "CREATE INDEX ix_skrec_cltid ON t_SKrec(F_cltID);\n"
        "CREATE INDEX ix_zxrec_cltid ON t_ZXrec(F_cltID);\n"
        "CREATE INDEX ix_txrec_cltid ON t_TXrec(F_cltID);\n"
        "CREATE INDEX ix_bgrec_cltid ON t_BGrec(F_cltID);\n"
        "CREATE INDEX ix_tprec_cltid ON t_TPrec(F_cltID);\n"
        "CREATE INDEX ix_fjrec_cltid ON t_FJrec(F_cltID);\n"
        "CREATE INDEX ix_client_code ON Client(F_Code);\n"
        "CREATE INDEX ix_treecode_flag ON t_treecode(F_flag, F_code);\n"
        "CREATE INDEX ix_code_type ON t_code(F_type);\n"
        "CREATE INDEX ix_operlimit_oper ON OperLimit(F_OperName);\n"
        "CREATE INDEX ix_cfggrid_name ON cfg_Grid(F_name);\n");
    return sql;
}

void create(Connection& c)
{
    auto tx = c.transaction(true);
    c.execScript(createSql());
    seed(c);
    tx.commit();
}

void seed(Connection& c) { SeedData::insertAll(c); }

QStringList missingParts(Connection& c)
{
    QStringList missing;
    for (const Table& t : tables()) {
        const QString table = QString::fromLatin1(t.name);
        const Dataset info = c.query(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table));
        if (info.isEmpty()) {
            missing << QStringLiteral("表 %1").arg(table);
            continue;
        }
        QSet<QString> have;
        const int nameCol = info.fieldIndex(QStringLiteral("name"));
        for (int r = 0; r < info.rowCount(); ++r) have.insert(info.text(r, nameCol).toLower());
        for (const Column& col : t.columns)
            if (!have.contains(QString::fromLatin1(col.name).toLower()))
                missing << QStringLiteral("列 %1.%2").arg(table, QString::fromLatin1(col.name));
    }
    return missing;
}

QString databasePassword() { return QStringLiteral("plomavetri"); }
}
