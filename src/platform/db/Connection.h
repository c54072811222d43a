#pragma once
#include "platform/db/Dataset.h"
#include "platform/db/DbError.h"

#include <QString>
#include <QVariant>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

// The one way to the database file: an encrypted SQLite (SQLCipher) database.
// Statements are written in the Jet forms the windows use and pass through the
// dialect; values are always bound, never pasted into the text. Failures throw
// DbError.
class Connection {
public:
    enum class OpenMode { Existing, Create };

    // Opens (or creates) the file keyed with the password. Throws DbError when
    // the file is missing, is not a database or has another key.
    static std::unique_ptr<Connection> open(const QString& path, const QString& password,
                                            OpenMode mode = OpenMode::Existing);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& path() const { return path_; }
    const QString& password() const { return password_; }
    sqlite3* handle() const { return db_; }

    // Positional values bind to ?, or to :names in the order they first appear.
    void exec(const QString& sql, const QVariantList& params = {});
    void exec(const QString& sql, const QVariantMap& named);
    Dataset query(const QString& sql, const QVariantList& params = {});
    Dataset query(const QString& sql, const QVariantMap& named);
    void requery(Dataset& ds);  // runs the dataset's statement again with its values
    // First column of the first row; a null QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {});
    // Runs a script of several statements with no values (schema creation).
    void execScript(const QString& sql);

    // A statement prepared once and run many times with new values (bulk
    // inserts). It must not outlive its connection.
    class Prepared {
    public:
        Prepared(Prepared&& other) noexcept;
        Prepared(const Prepared&) = delete;
        Prepared& operator=(const Prepared&) = delete;
        ~Prepared();
        void run(const QVariantList& params);

    private:
        friend class Connection;
        Prepared(Connection* c, sqlite3_stmt* s, QString sql) : c_(c), s_(s), sql_(std::move(sql)) {}
        Connection* c_;
        sqlite3_stmt* s_;
        QString sql_;
    };
    Prepared prepared(const QString& sql);

    qint64 lastInsertId() const;
    int changes() const;
    bool inTransaction() const;

    // How long a statement waits for another program instance's lock.
    void setBusyTimeout(int ms);

    // Copies the whole database into a new keyed file at target, consistently
    // even while other instances write. The file appears only when complete.
    void backupTo(const QString& target) const;

    // Scoped transaction: rolls back unless commit() was called. Immediate takes
    // the write lock at once, for read-max-then-insert sequences.
    class Transaction {
    public:
        Transaction(Connection& c, bool immediate);
        ~Transaction();
        void commit();
        Transaction(Transaction&& other) noexcept;
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;

    private:
        Connection* c_;
        bool done_ = false;
    };
    Transaction transaction(bool immediate = false) { return Transaction(*this, immediate); }

private:
    Connection() = default;
    struct Stmt;
    Stmt prepare(const QString& sql) const;
    void bind(Stmt& st, const QVariantList& params, const QVariantMap& named) const;
    void bindTo(sqlite3_stmt* st, const QVariantList& params, const QVariantMap& named) const;
    void run(const QString& sql, const QVariantList& params, const QVariantMap& named);
    Dataset fetch(const QString& sql, const QVariantList& params, const QVariantMap& named);
    [[noreturn]] void fail(int rc, const QString& sql) const;

    sqlite3* db_ = nullptr;
    QString path_;
    QString password_;
};

// Opens a keyed database handle on a file without the dialect or functions; used
// for backup targets and compaction.
sqlite3* openKeyedHandle(const QString& path, const QString& password, bool create);

// Turns an engine error into the text a user reads.
QString friendlyDbMessage(int code, const QString& engineText);
