#pragma once
#include <QString>

// Turns the Jet forms our statements are written in into the engine's SQL:
// #yyyy-mm-dd# date literals become date texts, true/false become 1/0 and
// "select top N" becomes a LIMIT clause. Text inside quotes is left alone.
namespace Dialect {
QString translate(const QString& jetSql);

// Escapes a value for use inside a like pattern with ESCAPE '\'.
QString likeEscape(const QString& value);
}
