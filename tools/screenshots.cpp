// Renders the program's windows offscreen into PNG files, to be looked at.
// usage: korvan-shots OUTDIR [PROGRAM-FOLDER] [NAME-FILTER]
// Without a program folder a fresh one with a new database is made in OUTDIR/home.
#include "shots/Shots.h"

#include "data/AppState.h"
#include "data/DataDm.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <cstdio>
#include <map>
#include <string>

namespace {
QString g_out;

std::map<std::string, std::function<void()>>& registry()
{
    static std::map<std::string, std::function<void()>> all;
    return all;
}
}

namespace Shots {
void add(const char* name, std::function<void()> render) { registry()[name] = std::move(render); }

void save(QWidget* w, const QString& name)
{
    w->show();
    QApplication::processEvents();
    const QString path = QDir(g_out).filePath(name + QStringLiteral(".png"));
    if (w->grab().save(path)) std::printf("%s\n", path.toUtf8().constData());
    else std::fprintf(stderr, "could not write %s\n", path.toUtf8().constData());
}
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(AppStateRecord::ApplicationTitle);
    const QStringList a = app.arguments();
    g_out = a.value(1, QStringLiteral("build/shots"));
    QDir().mkpath(g_out);
    ProgramFolder::set(a.size() > 2 && !a[2].isEmpty() ? a[2] : QDir(g_out).filePath(QStringLiteral("home")));
    const QString filter = a.value(3);
    QDir().mkpath(ProgramFolder::path());
    Clock::setFixed(QDateTime(QDate(2026, 12, 11), QTime(9, 30, 0)));
    // Nothing may wait for a person here.
    Gateways::setMessageHandler([](const QString& text, int) {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
        return 2;
    });
    Gateways::setModalHandler([](QDialog*) { return int(QDialog::Rejected); });

    TdmData dm;
    dmData = &dm;
    if (!dm.ConnectDatabase()) {
        std::fprintf(stderr, "no database in %s\n", ProgramFolder::path().toUtf8().constData());
        return 1;
    }
    AppState().OperName = QStringLiteral("admin");
    AppState().CanApprove = true;
    for (const auto& [name, render] : registry())
        if (filter.isEmpty() || QString::fromStdString(name).contains(filter)) render();
    return 0;
}
