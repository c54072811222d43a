#pragma once
#include <QString>
#include <QVariantList>

// A statement with its bound values.
struct SqlWithParams {
    QString sql;
    QVariantList params;
};

// Bound values for "like ? ESCAPE '\'" that match the text literally: a typed
// %, _ or backslash is an ordinary character.
QString LikeBeginning(const QString& text);  // the text, then anything
QString LikeAnywhere(const QString& text);   // the text anywhere

// The clause "(col = path or col like path\%)" with its two values, shared by
// every category filter: a category selects itself and the categories below
// it, not a sibling whose name merely begins the same way.
QString CategoryClause(const QString& column, const QString& path, QVariantList& params);
