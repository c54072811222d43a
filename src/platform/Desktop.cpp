#include "platform/Desktop.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {
Desktop g_real;
Desktop* g_current = nullptr;
}

QString Desktop::openFileName(QWidget* parent, const QString& title, const QString& dir,
                              const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, title, dir, filter);
}

QString Desktop::saveFileName(QWidget* parent, const QString& title, const QString& path,
                              const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, title, path, filter);
}

QString Desktop::existingDirectory(QWidget* parent, const QString& title, const QString& dir)
{
    return QFileDialog::getExistingDirectory(parent, title, dir);
}

bool Desktop::openDocument(const QString& pathOrUrl)
{
    const QUrl url = pathOrUrl.contains(QLatin1String("://")) || pathOrUrl.startsWith(QLatin1String("mailto:"))
                         ? QUrl(pathOrUrl)
                         : QUrl::fromLocalFile(QFileInfo(pathOrUrl).absoluteFilePath());
    return QDesktopServices::openUrl(url);
}

bool Desktop::startProgram(const QStringList& candidates, const QStringList& arguments)
{
    for (const QString& name : candidates) {
        const QString exe = QStandardPaths::findExecutable(name);
        if (!exe.isEmpty() && QProcess::startDetached(exe, arguments)) return true;
    }
    return false;
}

Desktop& Desktop::instance() { return g_current ? *g_current : g_real; }

void Desktop::install(Desktop* replacement) { g_current = replacement; }
