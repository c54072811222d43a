// Command-line care of a Korvan database file.
#include "data/DemoData.h"
#include "data/Schema.h"
#include "platform/Clock.h"
#include "platform/db/Connection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <functional>
#include <map>

namespace {
int usage()
{
    std::fprintf(stderr,
                 "usage: korvan-admin init DIR          new database DIR/Contract.mdb with schema and seed rows\n"
                 "       korvan-admin check FILE        open with the password and verify every table and column\n"
                 "       korvan-admin backup FILE DIR   consistent copy DIR/dp<yyyymmdd>.back\n"
                 "       korvan-admin demo FILE N       fill FILE with N demo contracts\n");
    return 2;
}

int fail(const QString& text)
{
    std::fprintf(stderr, "error: %s\n", text.toUtf8().constData());
    return 1;
}

int init(const QString& dir)
{
    const QString file = QDir(dir).filePath(QStringLiteral("Contract.mdb"));
    if (QFileInfo::exists(file)) return fail(QStringLiteral("%1 already exists").arg(file));
    if (!QDir().mkpath(dir)) return fail(QStringLiteral("cannot create folder %1").arg(dir));
    auto c = Connection::open(file, Schema::databasePassword(), Connection::OpenMode::Create);
    Schema::create(*c);
    std::printf("created %s\n", file.toUtf8().constData());
    return 0;
}

int check(const QString& file)
{
    auto c = Connection::open(file, Schema::databasePassword());
    const QString integrity = c->scalar(QStringLiteral("PRAGMA integrity_check")).toString();
    if (integrity != QLatin1String("ok")) {
        const QStringList lines = integrity.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return fail(QStringLiteral("damaged database (%1 problems), first: %2").arg(lines.size()).arg(lines.value(1, lines.value(0))));
    }
    const QStringList missing = Schema::missingParts(*c);
    if (!missing.isEmpty()) return fail(QStringLiteral("missing: %1").arg(missing.join(QStringLiteral(", "))));
    std::printf("ok\n");
    return 0;
}

int backup(const QString& file, const QString& dir)
{
    auto c = Connection::open(file, Schema::databasePassword());
    if (!QDir().mkpath(dir)) return fail(QStringLiteral("cannot create folder %1").arg(dir));
    const QString target =
        QDir(dir).filePath(QStringLiteral("dp%1.back").arg(Clock::today().toString(QStringLiteral("yyyyMMdd"))));
    c->backupTo(target);
    std::printf("backed up to %s\n", target.toUtf8().constData());
    return 0;
}

int demo(const QString& file, const QString& count)
{
    bool ok = false;
    const int n = count.toInt(&ok);
    if (!ok || n < 0) return fail(QStringLiteral("not a number of contracts: %1").arg(count));
    std::unique_ptr<Connection> c;
    if (QFileInfo::exists(file)) {
        c = Connection::open(file, Schema::databasePassword());
    } else {
        const QString dir = QFileInfo(file).absolutePath();
        if (!QDir().mkpath(dir)) return fail(QStringLiteral("cannot create folder %1").arg(dir));
        c = Connection::open(file, Schema::databasePassword(), Connection::OpenMode::Create);
        Schema::create(*c);
    }
    QElapsedTimer timer;
    timer.start();
    FillDemoData(*c, n);
    std::printf("added %d demo contracts to %s in %.1f s\n", n, file.toUtf8().constData(), timer.elapsed() / 1000.0);
    return 0;
}
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() < 3) return usage();
    const QString cmd = a[1];
    try {
        if (cmd == QLatin1String("init") && a.size() == 3) return init(a[2]);
        if (cmd == QLatin1String("check") && a.size() == 3) return check(a[2]);
        if (cmd == QLatin1String("backup") && a.size() == 4) return backup(a[2], a[3]);
        if (cmd == QLatin1String("demo") && a.size() == 4) return demo(a[2], a[3]);
    } catch (const DbError& e) {
        return fail(e.message());
    }
    return usage();
}
