#include "app/ProgramFiles.h"

#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

static void initResources() { Q_INIT_RESOURCE(korvan); }

void DeployProgramFiles()
{
    initResources();
    QDir home(ProgramFolder::path());
    for (const char* folder : {"Qr", "temp", "images"}) home.mkpath(QString::fromLatin1(folder));
    for (const char* name : {"readme.txt", "whatisnew.txt", "help.html"}) {
        const QString target = home.filePath(QString::fromLatin1(name));
        if (QFileInfo::exists(target)) continue;
        const QString source = QStringLiteral(":/korvan/") + QString::fromLatin1(name);
        if (QFile::copy(source, target))
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
}
