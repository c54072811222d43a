#pragma once
struct sqlite3;

// Registers the Jet functions our statements use: DateDiff, date(), now(), len,
// inStr, Left, Right, Mid, Year, Month, Day, iif, nz, UCase, LCase. date() and
// now() read the program clock.
void registerJetFunctions(sqlite3* db);
