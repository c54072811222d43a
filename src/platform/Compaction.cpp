#include "platform/Compaction.h"

#include "platform/db/Connection.h"

#include <sqlcipher/sqlite3.h>

bool CompactDatabase(const QString& file, const QString& password)
{
    sqlite3* db = nullptr;
    try {
        db = openKeyedHandle(file, password, false);
    } catch (const DbError&) {
        return false;
    }
    // VACUUM runs in its own transaction: it either rewrites the whole file or
    // changes nothing. Do not wait long for another instance's lock.
    sqlite3_busy_timeout(db, 1000);
    const int rc = sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr);
    bool ok = rc == SQLITE_OK;
    if (ok) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &st, nullptr) == SQLITE_OK) {
            ok = sqlite3_step(st) == SQLITE_ROW
                 && QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) == QLatin1String("ok");
            sqlite3_finalize(st);
        }
    }
    sqlite3_close(db);
    return ok;
}
