#pragma once
#include <QString>
#include <QStringList>

// The program's start: splash, data module, main window, sign-in, event loop.
namespace Startup {
// Reads --home DIR from the arguments; empty when not given.
QString homeArgument(const QStringList& args);
// Runs the program; returns the process exit code.
int run(int argc, char** argv);
}
