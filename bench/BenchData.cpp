#include "BenchData.h"

#include "data/DemoData.h"
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace BenchData {
QString demoFile(int contracts)
{
    const QString dir = qEnvironmentVariableIsEmpty("KORVAN_BENCH_CACHE")
                            ? QStringLiteral(KORVAN_BENCH_CACHE)
                            : qEnvironmentVariable("KORVAN_BENCH_CACHE");
    QDir().mkpath(dir);
    // The generator's version is part of the name: a changed generator makes new files.
    const QString file = QDir(dir).filePath(QStringLiteral("demo1-%1.mdb").arg(contracts));
    if (QFileInfo::exists(file)) return file;
    const QString partial = file + QStringLiteral(".part");
    QFile::remove(partial);
    std::fprintf(stderr, "making demo database of %d contracts ...\n", contracts);
    {
        auto c = Connection::open(partial, Schema::databasePassword(), Connection::OpenMode::Create);
        Schema::create(*c);
        FillDemoData(*c, contracts);
    }
    QFile::rename(partial, file);
    return file;
}

std::unique_ptr<Connection> open(int contracts)
{
    return Connection::open(demoFile(contracts), Schema::databasePassword());
}

QString listSql(bool withSearch)
{
    QString sql = QStringLiteral("select * from Contract where (F_GDflag = false) ");
    if (withSearch) sql += QStringLiteral("and F_name like ? ");
    return sql + QStringLiteral("order by F_ID");
}

QString searchPattern() { return QStringLiteral("%A%"); }
}
