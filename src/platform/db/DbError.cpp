#include "platform/db/DbError.h"

#include <sqlcipher/sqlite3.h>

DbError::DbError(int code, QString message, QString sql)
    : std::runtime_error(message.toStdString()), code_(code), message_(std::move(message)), sql_(std::move(sql))
{
}

bool DbError::isBusy() const
{
    const int primary = code_ & 0xff;
    return primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
}
