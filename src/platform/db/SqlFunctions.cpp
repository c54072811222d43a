#include "platform/db/SqlFunctions.h"

#include "platform/Clock.h"

#include <QDateTime>
#include <QString>
#include <sqlcipher/sqlite3.h>

namespace {
QString argText(sqlite3_value* v)
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? QString::fromUtf8(p, sqlite3_value_bytes(v)) : QString();
}

void resultText(sqlite3_context* ctx, const QString& s)
{
    const QByteArray u = s.toUtf8();
    sqlite3_result_text(ctx, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
}

QDateTime argDateTime(sqlite3_value* v)
{
    const QString t = argText(v).trimmed();
    QDateTime dt = QDateTime::fromString(t.left(19), QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    if (!dt.isValid()) dt = QDateTime(QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd")), QTime(0, 0));
    return dt;
}

bool anyNull(int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
    return false;
}

void dateDiff(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    const QString interval = argText(argv[0]).trimmed().toLower();
    const QDateTime a = argDateTime(argv[1]), b = argDateTime(argv[2]);
    if (!a.isValid() || !b.isValid()) { sqlite3_result_null(ctx); return; }
    qint64 r = 0;
    if (interval == QLatin1String("d") || interval == QLatin1String("y") || interval == QLatin1String("w"))
        r = a.date().daysTo(b.date());
    else if (interval == QLatin1String("ww"))
        r = a.date().daysTo(b.date()) / 7;
    else if (interval == QLatin1String("m"))
        r = (b.date().year() - a.date().year()) * 12 + (b.date().month() - a.date().month());
    else if (interval == QLatin1String("yyyy"))
        r = b.date().year() - a.date().year();
    else if (interval == QLatin1String("h"))
        r = a.secsTo(b) / 3600;
    else if (interval == QLatin1String("n"))
        r = a.secsTo(b) / 60;
    else if (interval == QLatin1String("s"))
        r = a.secsTo(b);
    else { sqlite3_result_error(ctx, "DateDiff: unknown interval", -1); return; }
    sqlite3_result_int64(ctx, r);
}

void today(sqlite3_context* ctx, int, sqlite3_value**)
{
    resultText(ctx, Clock::today().toString(QStringLiteral("yyyy-MM-dd")));
}

void now(sqlite3_context* ctx, int, sqlite3_value**)
{
    resultText(ctx, Clock::now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
}

void len(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    sqlite3_result_int(ctx, static_cast<int>(argText(argv[0]).size()));
}

// Jet's InStr([start,] text, sought) compares without regard to case.
void inStr(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    int start = 1, at = 0;
    if (argc == 3) { start = sqlite3_value_int(argv[0]); at = 1; }
    const QString text = argText(argv[at]), sought = argText(argv[at + 1]);
    const int pos = text.indexOf(sought, qMax(0, start - 1), Qt::CaseInsensitive);
    sqlite3_result_int(ctx, pos + 1);
}

void left(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    resultText(ctx, argText(argv[0]).left(qMax(0, sqlite3_value_int(argv[1]))));
}

void right(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    resultText(ctx, argText(argv[0]).right(qMax(0, sqlite3_value_int(argv[1]))));
}

void mid(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    const int from = qMax(1, sqlite3_value_int(argv[1])) - 1;
    resultText(ctx, argc == 3 ? argText(argv[0]).mid(from, qMax(0, sqlite3_value_int(argv[2])))
                              : argText(argv[0]).mid(from));
}

template <int Part>
void datePart(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    const QDate d = argDateTime(argv[0]).date();
    if (!d.isValid()) { sqlite3_result_null(ctx); return; }
    sqlite3_result_int(ctx, Part == 0 ? d.year() : Part == 1 ? d.month() : d.day());
}

void iif(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const bool cond = sqlite3_value_type(argv[0]) != SQLITE_NULL && sqlite3_value_double(argv[0]) != 0.0;
    sqlite3_result_value(ctx, cond ? argv[1] : argv[2]);
}

void nz(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) != SQLITE_NULL) sqlite3_result_value(ctx, argv[0]);
    else if (argc > 1) sqlite3_result_value(ctx, argv[1]);
    else sqlite3_result_int(ctx, 0);
}

template <bool Upper>
void changeCase(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (anyNull(argc, argv)) { sqlite3_result_null(ctx); return; }
    resultText(ctx, Upper ? argText(argv[0]).toUpper() : argText(argv[0]).toLower());
}

void add(sqlite3* db, const char* name, int args, void (*fn)(sqlite3_context*, int, sqlite3_value**),
         bool deterministic = true)
{
    sqlite3_create_function(db, name, args, SQLITE_UTF8 | (deterministic ? SQLITE_DETERMINISTIC : 0), nullptr,
                            fn, nullptr, nullptr);
}
}

void registerJetFunctions(sqlite3* db)
{
    add(db, "datediff", 3, dateDiff);
    add(db, "date", 0, today, false);
    add(db, "now", 0, now, false);
    add(db, "len", 1, len);
    add(db, "instr", 2, inStr);
    add(db, "instr", 3, inStr);
    add(db, "jet_left", 2, left);
    add(db, "jet_right", 2, right);
    add(db, "mid", 2, mid);
    add(db, "mid", 3, mid);
    add(db, "year", 1, datePart<0>);
    add(db, "month", 1, datePart<1>);
    add(db, "day", 1, datePart<2>);
    add(db, "iif", 3, iif);
    add(db, "nz", 1, nz);
    add(db, "nz", 2, nz);
    add(db, "ucase", 1, changeCase<true>);
    add(db, "lcase", 1, changeCase<false>);
}
