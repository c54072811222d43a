#pragma once
#include <QString>

// The program folder: config.ini, data/, Qr/, temp/, images/ and the help files.
// The executable's folder unless --home names another.
namespace ProgramFolder {
QString path();                        // absolute, without a trailing separator
void set(const QString& folder);
QString file(const QString& relative); // path() joined with a relative path
QString defaultDataFolder();           // path()/data/ with its trailing separator
}
