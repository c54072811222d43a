#include "contracts/ContractQuery.h"

#include "data/DataDm.h"

SqlWithParams BuildContractQuery(const ContractFilter& f)
{
    SqlWithParams q;
    switch (f.scope) {
    case 1:
        q.sql = QStringLiteral("select * from Contract where (F_empName = ?)");
        q.params << f.operName;
        break;
    case 2: {
        const QStringList depts = TdmData::deptNames(f.deptList);
        q.sql = QStringLiteral("select * from Contract where (F_dept in (%1)) ")
                    .arg(TdmData::placeholders(static_cast<int>(depts.size())));
        for (const QString& d : depts) q.params << d;
        break;
    }
    default: q.sql = QStringLiteral("select * from Contract where (1=1) "); break;
    }

    static const char* searchColumns[] = {"f_code", "f_name", "f_client1", "f_client2", "F_memo1", "F_memo2"};
    if (f.searchField >= 0 && f.searchField < 6) {
        q.sql += QStringLiteral("and %1 like ? ESCAPE '\\' ").arg(QLatin1String(searchColumns[f.searchField]));
        q.params << LikeAnywhere(f.searchText);
    }
    if (!f.categoryPath.isEmpty() && f.categoryPath != QLatin1String("\\\\"))
        q.sql += QStringLiteral("and ") + CategoryClause(QStringLiteral("f_type"), f.categoryPath, q.params);
    if (f.direction == 1) q.sql += QStringLiteral("and F_SFflag = 1 ");
    else if (f.direction == 2) q.sql += QStringLiteral("and F_SFflag = -1 ");
    if (!f.includeArchived) q.sql += QStringLiteral("and F_GDflag = false ");
    if (!f.projectValue.isEmpty()) {
        static const char* projectColumns[] = {"F_status", "F_empName", "F_dept"};
        q.sql += QStringLiteral("and %1 = ? ").arg(QLatin1String(projectColumns[qBound(0, f.projectType, 2)]));
        q.params << f.projectValue;
    }
    q.sql += QStringLiteral(" order by F_date");
    return q;
}
