#include "platform/db/Dialect.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <QMutex>
#include <vector>

namespace {
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// A #...# literal: m/d/y forms are Jet's too, but we only write year first.
QString dateLiteral(const QString& inner)
{
    const QString t = inner.trimmed();
    const QStringList dateTime = t.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QStringList parts = dateTime.value(0).split(QRegularExpression(QStringLiteral("[-/]")));
    if (parts.size() == 3) {
        const QDate d(parts[0].toInt(), parts[1].toInt(), parts[2].toInt());
        if (d.isValid()) {
            QString out = d.toString(QStringLiteral("yyyy-MM-dd"));
            if (dateTime.size() > 1) out += QLatin1Char(' ') + dateTime[1];
            return QLatin1Char('\'') + out + QLatin1Char('\'');
        }
    }
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

QChar nextNonSpace(const QString& s, int from)
{
    while (from < s.size() && s[from].isSpace()) ++from;
    return from < s.size() ? s[from] : QChar();
}

QString translateUncached(const QString& sql)
{
    QString out;
    out.reserve(sql.size() + 16);
    // LIMIT clauses waiting for the end of their select, by parenthesis depth.
    std::vector<std::pair<int, QString>> pendingLimits;
    int depth = 0;
    QString lastWord;
    const int n = sql.size();
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            int j = i + 1;
            while (j < n) {
                if (sql[j] == close) {
                    if (close != QLatin1Char(']') && j + 1 < n && sql[j + 1] == close) { j += 2; continue; }
                    break;
                }
                ++j;
            }
            out += sql.mid(i, j - i + 1);
            i = j + 1;
            lastWord.clear();
            continue;
        }
        if (c == QLatin1Char('#')) {
            const int j = sql.indexOf(QLatin1Char('#'), i + 1);
            if (j > i) {
                out += dateLiteral(sql.mid(i + 1, j - i - 1));
                i = j + 1;
                continue;
            }
        }
        if (c == QLatin1Char('(')) { ++depth; out += c; ++i; lastWord.clear(); continue; }
        if (c == QLatin1Char(')')) {
            if (!pendingLimits.empty() && pendingLimits.back().first == depth) {
                out += QStringLiteral(" LIMIT ") + pendingLimits.back().second;
                pendingLimits.pop_back();
            }
            --depth;
            out += c;
            ++i;
            lastWord.clear();
            continue;
        }
        if (isWordChar(c) && (i == 0 || !isWordChar(sql[i - 1]))) {
            int j = i;
            while (j < n && isWordChar(sql[j])) ++j;
            const QString word = sql.mid(i, j - i);
            const bool afterParamOrDot = i > 0 && (sql[i - 1] == QLatin1Char(':') || sql[i - 1] == QLatin1Char('.')
                                                   || sql[i - 1] == QLatin1Char('@') || sql[i - 1] == QLatin1Char('$'));
            if (!afterParamOrDot && word.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) {
                out += QLatin1Char('1');
            } else if (!afterParamOrDot && word.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) {
                out += QLatin1Char('0');
            } else if (word.compare(QLatin1String("top"), Qt::CaseInsensitive) == 0
                       && (lastWord.compare(QLatin1String("select"), Qt::CaseInsensitive) == 0
                           || lastWord.compare(QLatin1String("distinct"), Qt::CaseInsensitive) == 0)) {
                int k = j;
                while (k < n && sql[k].isSpace()) ++k;
                int m = k;
                while (m < n && sql[m].isDigit()) ++m;
                if (m > k) {
                    pendingLimits.emplace_back(depth, sql.mid(k, m - k));
                    while (m < n && sql[m].isSpace()) ++m;
                    i = m;
                    lastWord = word;
                    continue;
                }
                out += word;
            } else if ((word.compare(QLatin1String("left"), Qt::CaseInsensitive) == 0
                        || word.compare(QLatin1String("right"), Qt::CaseInsensitive) == 0)
                       && nextNonSpace(sql, j) == QLatin1Char('(')) {
                // LEFT and RIGHT are join keywords to the engine; as functions they get other names.
                out += QStringLiteral("jet_") + word.toLower();
            } else {
                out += word;
            }
            lastWord = word;
            i = j;
            continue;
        }
        out += c;
        ++i;
    }
    // Close the outermost select; a trailing semicolon stays last.
    while (!pendingLimits.empty()) {
        QString tail;
        while (!out.isEmpty() && (out.back().isSpace() || out.back() == QLatin1Char(';'))) {
            tail.prepend(out.back());
            out.chop(1);
        }
        out += QStringLiteral(" LIMIT ") + pendingLimits.back().second + tail;
        pendingLimits.pop_back();
    }
    return out;
}
}

namespace Dialect {
QString translate(const QString& jetSql)
{
    static QHash<QString, QString> cache;
    static QMutex lock;
    QMutexLocker guard(&lock);
    auto it = cache.constFind(jetSql);
    if (it != cache.constEnd()) return *it;
    if (cache.size() > 4096) cache.clear();
    const QString out = translateUncached(jetSql);
    cache.insert(jetSql, out);
    return out;
}

QString likeEscape(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_')) out += QLatin1Char('\\');
        out += c;
    }
    return out;
}
}
