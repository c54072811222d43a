#include "clients/ClientQuery.h"

namespace {
const QLatin1String kRootPath("\\\\");

void addCategory(ClientSql& q, const QString& path)
{
    if (path.isEmpty() || path == kRootPath) return;
    q.sql += QStringLiteral("and ") + CategoryClause(QStringLiteral("f_type"), path, q.params);
}
}

ClientSql BuildClientQuery(const ClientFilter& f)
{
    ClientSql q{QStringLiteral("select * from Client where (1=1) "), {}};
    const QString t = f.searchText.trimmed();
    // An empty text still adds its clause, so a client without that value drops out.
    switch (f.searchField) {
    case SearchCode: q.sql += QStringLiteral("and f_code like ? ESCAPE '\\' "); q.params << LikeBeginning(t); break;
    case SearchName: q.sql += QStringLiteral("and f_name like ? ESCAPE '\\' "); q.params << LikeAnywhere(t); break;
    case SearchLinkMan: q.sql += QStringLiteral("and f_linkman like ? ESCAPE '\\' "); q.params << LikeAnywhere(t); break;
    case SearchAddress: q.sql += QStringLiteral("and f_address like ? ESCAPE '\\' "); q.params << LikeAnywhere(t); break;
    default: break;
    }
    addCategory(q, f.categoryPath);
    if (!f.includeDisabled) q.sql += QStringLiteral("and F_Useflag = false ");
    q.sql += QStringLiteral("order by f_code");
    return q;
}

ClientSql BuildPickerQuery(const PickerFilter& f)
{
    ClientSql q{QStringLiteral("select * from Client where (f_useflag=false)"), {}};
    const QString code = f.code.trimmed(), name = f.name.trimmed(), address = f.address.trimmed();
    if (!code.isEmpty()) { q.sql += QStringLiteral("and F_code Like ? ESCAPE '\\' "); q.params << LikeBeginning(code); }
    if (!name.isEmpty()) { q.sql += QStringLiteral("and F_name like ? ESCAPE '\\' "); q.params << LikeAnywhere(name); }
    if (!address.isEmpty()) { q.sql += QStringLiteral("and F_address Like ? ESCAPE '\\' "); q.params << LikeAnywhere(address); }
    addCategory(q, f.categoryPath);
    q.sql += QStringLiteral("order by F_code,F_type");
    return q;
}
