// Renders the program's windows offscreen into PNG files, to be looked at.
// usage: korvan-shots OUTDIR [PROGRAM-FOLDER]
// Without a program folder a fresh one with a new database is made in OUTDIR/home.
#include "app/TfrmSplash.h"
#include "contracts/TFrmMain.h"
#include "data/AppState.h"
#include "data/DataDm.h"
#include "platform/Clock.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
QString g_out;

void save(QWidget* w, const QString& name)
{
    w->show();
    QApplication::processEvents();
    const QString path = QDir(g_out).filePath(name + QStringLiteral(".png"));
    if (w->grab().save(path)) std::printf("%s\n", path.toUtf8().constData());
    else std::fprintf(stderr, "could not write %s\n", path.toUtf8().constData());
}

struct Shot {
    const char* name;
    std::function<void()> render;
};

std::vector<Shot> shots()
{
    return {
        {"splash", [] { TfrmSplash s; save(&s, QStringLiteral("splash")); }},
        {"main", [] {
             TFrmMain m;
             m.resize(1200, 760);
             save(&m, QStringLiteral("main"));
             m.hide();
         }},
    };
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
    ProgramFolder::set(a.size() > 2 ? a[2] : QDir(g_out).filePath(QStringLiteral("home")));
    QDir().mkpath(ProgramFolder::path());
    Clock::setFixed(QDateTime(QDate(2026, 12, 11), QTime(9, 30, 0)));
    // Nothing may wait for a person here.
    Gateways::setMessageHandler([](const QString& text, int) {
        std::fprintf(stderr, "message: %s\n", text.toUtf8().constData());
        return 2;
    });
    Gateways::setModalHandler([](QDialog*) { return 0; });

    TdmData dm;
    dmData = &dm;
    if (!dm.ConnectDatabase()) {
        std::fprintf(stderr, "no database in %s\n", ProgramFolder::path().toUtf8().constData());
        return 1;
    }
    AppState().OperName = QStringLiteral("admin");
    for (const Shot& s : shots()) s.render();
    return 0;
}
