#pragma once
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QVariant>
#include <QVector>
#include <cstdint>
#include <vector>

// What a column holds, from its declared type or, for expressions, its values.
enum class FieldKind { Unknown, Integer, Real, Text, Memo, Date, DateTime, Bool, Blob };

struct FieldInfo {
    QString name;
    FieldKind kind = FieldKind::Unknown;
    bool isDate() const { return kind == FieldKind::Date || kind == FieldKind::DateTime; }
    bool isNumeric() const { return kind == FieldKind::Integer || kind == FieldKind::Real; }
};

// A static snapshot of a result: columns, typed values and a current row.
// Rows are kept compactly, column by column in byte arenas (no QVariant or
// QString per cell), so that 100,000 contracts cost a few tens of megabytes.
// Row numbers in this interface are positions in the current sort order.
class Dataset {
public:
    Dataset() = default;

    // --- building (used by Connection) ---
    void setFields(QVector<FieldInfo> fields);
    void reserveRows(int rows);
    void appendNull(int col);
    void appendInteger(int col, qint64 v);
    void appendReal(int col, double v);
    void appendText(int col, const char* utf8, int bytes);
    void appendBlob(int col, const void* data, int bytes);
    void finishRow();  // every column must have had one append
    void resolveUnknownKinds();
    void squeeze();  // gives back spare capacity once all rows are in
    void setSource(QString sql, QVariantList params, QVariantMap named);

    // --- shape ---
    int rowCount() const { return static_cast<int>(order_.size()); }
    int fieldCount() const { return fields_.size(); }
    bool isEmpty() const { return order_.empty(); }
    const FieldInfo& field(int col) const { return fields_[col]; }
    const QVector<FieldInfo>& fields() const { return fields_; }
    int fieldIndex(const QString& name) const;  // case-insensitive; -1 when absent

    // --- values by row position ---
    bool isNull(int row, int col) const;
    QVariant value(int row, int col) const;  // qint64, double, bool, QString or QByteArray; null QVariant
    QString text(int row, int col) const;    // numbers in plain decimal notation, null as empty
    double number(int row, int col) const;   // text converted where it holds a number; null 0
    qint64 integer(int row, int col) const;
    QByteArray blob(int row, int col) const;
    QDate date(int row, int col) const;      // from "yyyy-MM-dd[ hh:mm:ss]"; invalid when not a date

    // --- the current row ---
    int recNo() const { return cursor_; }  // -1 when empty
    void setRecNo(int row);
    bool eof() const { return cursor_ < 0 || cursor_ >= rowCount(); }
    void first() { setRecNo(0); }
    void last() { setRecNo(rowCount() - 1); }
    void next();
    void prior();
    QVariant value(const QString& fieldName) const;  // at the current row; null when absent or no row
    QString text(const QString& fieldName) const;
    double number(const QString& fieldName) const;
    qint64 integer(const QString& fieldName) const;

    // --- in-memory edits (no database write) ---
    void setValue(int row, int col, const QVariant& v);
    int appendRow();  // a row of nulls at the end; returns its position
    void removeRow(int row);

    // --- order and search ---
    // "F_date ASC,F_code DESC," — a trailing comma is ignored, unknown fields are
    // skipped, an empty text restores the order of the statement.
    void sort(const QString& spec);
    const QString& sortSpec() const { return sortSpec_; }
    int find(int col, const QVariant& v) const;          // first position holding v, or -1
    bool locate(const QString& fieldName, const QVariant& v);  // moves the current row

    // --- source, for reopening ---
    const QString& sql() const { return sql_; }
    const QVariantList& params() const { return params_; }
    const QVariantMap& namedParams() const { return named_; }

    size_t memoryBytes() const;
    int storedRow(int row) const { return static_cast<int>(order_[row]); }

private:
    enum Tag : char { TagInt = 1, TagReal = 2, TagText = 3, TagBlob = 4 };
    static constexpr uint32_t kNull = 0xffffffffu;
    struct Column {
        std::vector<uint32_t> offsets;  // per stored row; kNull for null
        std::vector<char> arena;        // tag byte, then 8 bytes or a length and bytes
    };
    void appendTagged(int col, Tag tag, const void* data, uint32_t bytes, bool withLength);
    Tag tagAt(int stored, int col) const;
    const char* payload(int stored, int col, uint32_t* bytes) const;
    QVariant storedValue(int stored, int col) const;
    int compareCells(int a, int b, int col) const;

    QVector<FieldInfo> fields_;
    std::vector<Column> columns_;
    std::vector<uint32_t> order_;  // position -> stored row
    int storedRows_ = 0;
    int cursor_ = -1;
    QString sortSpec_;
    QString sql_;
    QVariantList params_;
    QVariantMap named_;
};
