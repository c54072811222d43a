#include "platform/db/Connection.h"

#include "platform/db/Dialect.h"
#include "platform/db/SqlFunctions.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <sqlcipher/sqlite3.h>

namespace {
constexpr int kBusyTimeoutMs = 5000;

FieldKind kindOfDeclared(const char* decl)
{
    if (!decl) return FieldKind::Unknown;
    const QByteArray d = QByteArray(decl).toUpper();
    if (d == "DATETEXT") return FieldKind::Date;
    if (d == "DATETIMETEXT") return FieldKind::DateTime;
    if (d == "BOOLINT") return FieldKind::Bool;
    if (d == "MEMOTEXT") return FieldKind::Memo;
    if (d.contains("INT")) return FieldKind::Integer;
    if (d.contains("CHAR") || d.contains("TEXT") || d.contains("CLOB")) return FieldKind::Text;
    if (d.contains("REAL") || d.contains("DOUB") || d.contains("FLOA")) return FieldKind::Real;
    if (d.contains("BLOB")) return FieldKind::Blob;
    return FieldKind::Unknown;
}

int busyWait(void*, int attempts)
{
    // Waits up to kBusyTimeoutMs for another instance's lock, in short steps.
    if (attempts * 20 >= kBusyTimeoutMs) return 0;
    QThread::msleep(20);
    return 1;
}
}

struct Connection::Stmt {
    sqlite3_stmt* s = nullptr;
    Stmt() = default;
    Stmt(Stmt&& o) noexcept : s(o.s) { o.s = nullptr; }
    ~Stmt() { if (s) sqlite3_finalize(s); }
};

QString friendlyDbMessage(int code, const QString& engineText)
{
    const int primary = code & 0xff;
    static const QRegularExpression lengthRule(QStringLiteral("len_(\\w+?)__(\\w+?)__(\\d+)"));
    if (primary == SQLITE_CONSTRAINT) {
        const QRegularExpressionMatch m = lengthRule.match(engineText);
        if (m.hasMatch())
            return QStringLiteral("保存失败：“%1.%2”最多只能保存 %3 个字符，输入的内容超出了长度，未保存任何数据。")
                .arg(m.captured(1), m.captured(2), m.captured(3));
        return QStringLiteral("保存失败：数据不符合约束（%1），未保存任何数据。").arg(engineText);
    }
    if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED)
        return QStringLiteral("数据库正被其他用户占用，请稍后再试。");
    if (primary == SQLITE_NOTADB)
        return QStringLiteral("文件不是有效的数据库，或数据库密码不正确。");
    if (primary == SQLITE_CANTOPEN)
        return QStringLiteral("无法打开数据库文件。");
    if (primary == SQLITE_CORRUPT)
        return QStringLiteral("数据库文件已损坏。");
    if (primary == SQLITE_READONLY)
        return QStringLiteral("数据库文件只读，无法写入。");
    if (primary == SQLITE_FULL)
        return QStringLiteral("磁盘已满，无法写入数据库。");
    return engineText;
}

sqlite3* openKeyedHandle(const QString& path, const QString& password, bool create)
{
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, flags, nullptr);
    auto failWith = [&](int code, const QString& text) {
        sqlite3_close(db);
        throw DbError(code, friendlyDbMessage(code, text));
    };
    if (rc != SQLITE_OK) failWith(rc, QString::fromUtf8(sqlite3_errmsg(db)));
    sqlite3_busy_handler(db, busyWait, nullptr);
    const QByteArray key = password.toUtf8();
    rc = sqlite3_key(db, key.constData(), static_cast<int>(key.size()));
    if (rc != SQLITE_OK) failWith(rc, QString::fromUtf8(sqlite3_errmsg(db)));

    // A plain SQLite library would take the key silently and write clear text.
    sqlite3_stmt* st = nullptr;
    bool cipher = false;
    if (sqlite3_prepare_v2(db, "PRAGMA cipher_version", -1, &st, nullptr) == SQLITE_OK) {
        cipher = sqlite3_step(st) == SQLITE_ROW && sqlite3_column_text(st, 0) != nullptr;
        sqlite3_finalize(st);
    }
    if (!cipher) failWith(SQLITE_MISUSE, QStringLiteral("数据库引擎不支持加密（缺少 SQLCipher）。"));

    // Reading the schema proves the key: a wrong one reads as "not a database".
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) failWith(rc, QString::fromUtf8(sqlite3_errmsg(db)));
    return db;
}

std::unique_ptr<Connection> Connection::open(const QString& path, const QString& password, OpenMode mode)
{
    if (mode == OpenMode::Existing && !QFileInfo(path).isFile())
        throw DbError(SQLITE_CANTOPEN, QStringLiteral("数据库文件不存在：%1").arg(path));
    std::unique_ptr<Connection> c(new Connection);
    c->db_ = openKeyedHandle(path, password, mode == OpenMode::Create);
    c->path_ = QFileInfo(path).absoluteFilePath();
    c->password_ = password;
    registerJetFunctions(c->db_);
    return c;
}

Connection::~Connection()
{
    if (db_) sqlite3_close_v2(db_);
}

void Connection::setBusyTimeout(int ms) { sqlite3_busy_timeout(db_, ms); }

void Connection::fail(int rc, const QString& sql) const
{
    const QString engine = QString::fromUtf8(sqlite3_errmsg(db_));
    throw DbError(sqlite3_extended_errcode(db_) ? sqlite3_extended_errcode(db_) : rc,
                  friendlyDbMessage(rc, engine), sql);
}

Connection::Stmt Connection::prepare(const QString& sql) const
{
    Stmt st;
    const QByteArray text = Dialect::translate(sql).toUtf8();
    const int rc = sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &st.s, nullptr);
    if (rc != SQLITE_OK) fail(rc, sql);
    return st;
}

void Connection::bind(Stmt& st, const QVariantList& params, const QVariantMap& named) const
{
    bindTo(st.s, params, named);
}

void Connection::bindTo(sqlite3_stmt* s, const QVariantList& params, const QVariantMap& named) const
{
    struct { sqlite3_stmt* s; } st{s};
    const int count = sqlite3_bind_parameter_count(st.s);
    for (int i = 1; i <= count; ++i) {
        QVariant v;
        if (!named.isEmpty()) {
            const char* raw = sqlite3_bind_parameter_name(st.s, i);
            const QString name = raw ? QString::fromUtf8(raw + 1) : QString();
            bool found = false;
            for (auto it = named.constBegin(); it != named.constEnd(); ++it) {
                if (it.key().compare(name, Qt::CaseInsensitive) == 0) { v = it.value(); found = true; break; }
            }
            if (!found) throw DbError(SQLITE_RANGE, QStringLiteral("缺少参数值：%1").arg(name));
        } else if (i - 1 < params.size()) {
            v = params[i - 1];
        } else {
            throw DbError(SQLITE_RANGE, QStringLiteral("缺少第 %1 个参数值").arg(i));
        }
        int rc = SQLITE_OK;
        if (v.isNull() || !v.isValid()) {
            rc = sqlite3_bind_null(st.s, i);
        } else {
            switch (v.typeId()) {
            case QMetaType::Bool: rc = sqlite3_bind_int(st.s, i, v.toBool() ? 1 : 0); break;
            case QMetaType::Int:
            case QMetaType::UInt:
            case QMetaType::LongLong:
            case QMetaType::ULongLong: rc = sqlite3_bind_int64(st.s, i, v.toLongLong()); break;
            case QMetaType::Double:
            case QMetaType::Float: rc = sqlite3_bind_double(st.s, i, v.toDouble()); break;
            case QMetaType::QDate: {
                const QByteArray t = v.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
                rc = sqlite3_bind_text(st.s, i, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QDateTime: {
                const QByteArray t = v.toDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")).toUtf8();
                rc = sqlite3_bind_text(st.s, i, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
                break;
            }
            case QMetaType::QByteArray: {
                const QByteArray b = v.toByteArray();
                rc = sqlite3_bind_blob(st.s, i, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
                break;
            }
            default: {
                const QByteArray t = v.toString().toUtf8();
                rc = sqlite3_bind_text(st.s, i, t.constData(), static_cast<int>(t.size()), SQLITE_TRANSIENT);
                break;
            }
            }
        }
        if (rc != SQLITE_OK) fail(rc, QString());
    }
}

void Connection::run(const QString& sql, const QVariantList& params, const QVariantMap& named)
{
    Stmt st = prepare(sql);
    bind(st, params, named);
    int rc;
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW) {}
    if (rc != SQLITE_DONE) fail(rc, sql);
}

Dataset Connection::fetch(const QString& sql, const QVariantList& params, const QVariantMap& named)
{
    Stmt st = prepare(sql);
    bind(st, params, named);
    Dataset ds;
    const int cols = sqlite3_column_count(st.s);
    QVector<FieldInfo> fields(cols);
    for (int c = 0; c < cols; ++c) {
        fields[c].name = QString::fromUtf8(sqlite3_column_name(st.s, c));
        fields[c].kind = kindOfDeclared(sqlite3_column_decltype(st.s, c));
    }
    ds.setFields(std::move(fields));
    int rc;
    while ((rc = sqlite3_step(st.s)) == SQLITE_ROW) {
        for (int c = 0; c < cols; ++c) {
            switch (sqlite3_column_type(st.s, c)) {
            case SQLITE_INTEGER: ds.appendInteger(c, sqlite3_column_int64(st.s, c)); break;
            case SQLITE_FLOAT: ds.appendReal(c, sqlite3_column_double(st.s, c)); break;
            case SQLITE_TEXT: {
                const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st.s, c));
                ds.appendText(c, p, sqlite3_column_bytes(st.s, c));
                break;
            }
            case SQLITE_BLOB: {
                const void* p = sqlite3_column_blob(st.s, c);
                ds.appendBlob(c, p, sqlite3_column_bytes(st.s, c));
                break;
            }
            default: ds.appendNull(c); break;
            }
        }
        ds.finishRow();
    }
    if (rc != SQLITE_DONE) fail(rc, sql);
    ds.squeeze();
    ds.resolveUnknownKinds();
    ds.setSource(sql, params, named);
    return ds;
}

void Connection::exec(const QString& sql, const QVariantList& params) { run(sql, params, {}); }
void Connection::exec(const QString& sql, const QVariantMap& named) { run(sql, {}, named); }
Dataset Connection::query(const QString& sql, const QVariantList& params) { return fetch(sql, params, {}); }
Dataset Connection::query(const QString& sql, const QVariantMap& named) { return fetch(sql, {}, named); }

void Connection::requery(Dataset& ds)
{
    ds = fetch(ds.sql(), ds.params(), ds.namedParams());
}

QVariant Connection::scalar(const QString& sql, const QVariantList& params)
{
    Stmt st = prepare(sql);
    bind(st, params, {});
    const int rc = sqlite3_step(st.s);
    if (rc == SQLITE_DONE) return {};
    if (rc != SQLITE_ROW) fail(rc, sql);
    switch (sqlite3_column_type(st.s, 0)) {
    case SQLITE_INTEGER: return QVariant(static_cast<qint64>(sqlite3_column_int64(st.s, 0)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st.s, 0));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st.s, 0)),
                                          sqlite3_column_bytes(st.s, 0)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(st.s, 0)),
                                   sqlite3_column_bytes(st.s, 0)));
    default: return {};
    }
}

void Connection::execScript(const QString& sql)
{
    char* err = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        const QString text = err ? QString::fromUtf8(err) : QString();
        sqlite3_free(err);
        throw DbError(rc, friendlyDbMessage(rc, text), sql);
    }
}

Connection::Prepared Connection::prepared(const QString& sql)
{
    Stmt st = prepare(sql);
    sqlite3_stmt* raw = st.s;
    st.s = nullptr;
    return Prepared(this, raw, sql);
}

Connection::Prepared::Prepared(Prepared&& other) noexcept : c_(other.c_), s_(other.s_), sql_(std::move(other.sql_))
{
    other.s_ = nullptr;
}

Connection::Prepared::~Prepared()
{
    if (s_) sqlite3_finalize(s_);
}

void Connection::Prepared::run(const QVariantList& params)
{
    sqlite3_reset(s_);
    c_->bindTo(s_, params, {});
    int rc;
    while ((rc = sqlite3_step(s_)) == SQLITE_ROW) {}
    if (rc != SQLITE_DONE) c_->fail(rc, sql_);
}

qint64 Connection::lastInsertId() const { return sqlite3_last_insert_rowid(db_); }
int Connection::changes() const { return sqlite3_changes(db_); }
bool Connection::inTransaction() const { return sqlite3_get_autocommit(db_) == 0; }

void Connection::backupTo(const QString& target) const
{
    if (QFileInfo::exists(target))
        throw DbError(SQLITE_CANTOPEN, QStringLiteral("备份文件已存在：%1").arg(target));
    const QString partial = target + QStringLiteral(".part");
    QFile::remove(partial);
    sqlite3* dest = openKeyedHandle(partial, password_, true);
    sqlite3_backup* b = sqlite3_backup_init(dest, "main", db_, "main");
    int rc = b ? SQLITE_OK : sqlite3_errcode(dest);
    if (b) {
        do {
            rc = sqlite3_backup_step(b, 256);
            if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) QThread::msleep(20);
        } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
        sqlite3_backup_finish(b);
    }
    const QString engine = QString::fromUtf8(sqlite3_errmsg(dest));
    sqlite3_close(dest);
    if (rc != SQLITE_DONE || !QFile::rename(partial, target)) {
        QFile::remove(partial);
        throw DbError(rc == SQLITE_DONE ? SQLITE_CANTOPEN : rc, friendlyDbMessage(rc, engine));
    }
}

Connection::Transaction::Transaction(Connection& c, bool immediate) : c_(&c)
{
    c_->exec(immediate ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN"));
}

Connection::Transaction::Transaction(Transaction&& other) noexcept : c_(other.c_), done_(other.done_)
{
    other.done_ = true;
}

Connection::Transaction::~Transaction()
{
    if (done_) return;
    sqlite3_exec(c_->db_, "ROLLBACK", nullptr, nullptr, nullptr);
}

void Connection::Transaction::commit()
{
    c_->exec(QStringLiteral("COMMIT"));
    done_ = true;
}
