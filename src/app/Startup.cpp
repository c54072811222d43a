#include "app/Startup.h"

#include "access/OperAccess.h"
#include "app/ProgramFiles.h"
#include "app/TfrmSplash.h"
#include "contracts/TFrmMain.h"
#include "data/AppState.h"
#include "data/DataDm.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QThread>
#include <memory>

namespace Startup {
QString homeArgument(const QStringList& args)
{
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--home") && i + 1 < args.size()) return args[i + 1];
        if (args[i].startsWith(QLatin1String("--home="))) return args[i].mid(7);
    }
    return {};
}

int run(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString home = homeArgument(app.arguments());
    if (!home.isEmpty()) {
        QDir().mkpath(home);
        ProgramFolder::set(home);
    }

    auto splash = std::make_unique<TfrmSplash>();
    splash->show();
    splash->setStatus(splash->status());
    QApplication::setApplicationDisplayName(AppStateRecord::ApplicationTitle);

    TdmData dm;
    dmData = &dm;
    dm.onSplashText = [&](const QString& text) { if (splash) splash->setStatus(text); };
    dm.onSplashVisible = [&](bool visible) {
        if (!visible) {
            splash.reset();
        } else if (!splash) {
            splash = std::make_unique<TfrmSplash>();
            splash->show();
        }
    };
    if (!dm.ConnectDatabase()) return 0;
    DeployProgramFiles();
    if (!splash) {
        splash = std::make_unique<TfrmSplash>();
        splash->show();
    }

    splash->setStatus(QStringLiteral("连接成功，正在登录 ....."));
    TFrmMain mainWindow;
    splash->setStatus(QStringLiteral("连接成功，正在登录 ..."));
    QThread::msleep(20);
    splash->setStatus(QStringLiteral("连接成功，正在登录 ....."));
    splash.reset();
    dm.onSplashText = nullptr;
    dm.onSplashVisible = nullptr;

    // Cancelling the sign-in, or failing it too often, ends the program
    // before the main window is ever shown.
    if (!OperLogin(0)) return 0;

    mainWindow.show();
    return app.exec();
}
}
