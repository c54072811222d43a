#pragma once
#include <QString>
#include <stdexcept>

// A failure raised by the database layer. message() is the text shown to the
// user: the engine's words, or our own where the engine's mean nothing to an
// office user (an over-long value, a busy file, a wrong password).
class DbError : public std::runtime_error {
public:
    DbError(int code, QString message, QString sql = QString());
    int code() const { return code_; }
    const QString& message() const { return message_; }
    const QString& sql() const { return sql_; }
    bool isBusy() const;

private:
    int code_;
    QString message_;
    QString sql_;
};
