#pragma once
#include <QString>

// Compacts the keyed database file in place (rebuilds it without free pages).
// True on success. Fails, leaving the file as it was, while another program
// instance holds a lock on it. The caller closes its own connection first.
bool CompactDatabase(const QString& file, const QString& password);
