#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString g_folder;
}

namespace ProgramFolder {
QString path()
{
    if (g_folder.isEmpty()) return QDir(QCoreApplication::applicationDirPath()).absolutePath();
    return g_folder;
}

void set(const QString& folder) { g_folder = QDir(folder).absolutePath(); }

QString file(const QString& relative) { return QDir(path()).filePath(relative); }

QString defaultDataFolder() { return QDir(path()).filePath(QStringLiteral("data")) + QLatin1Char('/'); }
}
