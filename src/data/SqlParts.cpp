#include "data/SqlParts.h"

#include "platform/db/Dialect.h"

QString LikeBeginning(const QString& text) { return Dialect::likeEscape(text) + QLatin1Char('%'); }

QString LikeAnywhere(const QString& text) { return QLatin1Char('%') + LikeBeginning(text); }

QString CategoryClause(const QString& column, const QString& path, QVariantList& params)
{
    params << path << LikeBeginning(path + QLatin1Char('\\'));
    return QStringLiteral("(%1 = ? or %1 like ? ESCAPE '\\') ").arg(column);
}
