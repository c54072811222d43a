#include "platform/db/Dataset.h"

#include <algorithm>
#include <cstring>

void Dataset::setFields(QVector<FieldInfo> fields)
{
    fields_ = std::move(fields);
    columns_.assign(fields_.size(), Column{});
    order_.clear();
    storedRows_ = 0;
    cursor_ = -1;
}

void Dataset::reserveRows(int rows)
{
    for (Column& c : columns_) c.offsets.reserve(rows);
    order_.reserve(rows);
}

void Dataset::appendTagged(int col, Tag tag, const void* data, uint32_t bytes, bool withLength)
{
    Column& c = columns_[col];
    const auto at = static_cast<uint32_t>(c.arena.size());
    c.offsets.push_back(at);
    c.arena.push_back(tag);
    if (withLength) {
        // Lengths are stored in 7-bit groups: most texts need one byte, not four.
        uint32_t n = bytes;
        while (n >= 0x80) {
            c.arena.push_back(static_cast<char>((n & 0x7f) | 0x80));
            n >>= 7;
        }
        c.arena.push_back(static_cast<char>(n));
    }
    const char* p = static_cast<const char*>(data);
    c.arena.insert(c.arena.end(), p, p + bytes);
}

void Dataset::appendNull(int col) { columns_[col].offsets.push_back(kNull); }
void Dataset::appendInteger(int col, qint64 v) { appendTagged(col, TagInt, &v, sizeof v, false); }
void Dataset::appendReal(int col, double v) { appendTagged(col, TagReal, &v, sizeof v, false); }
void Dataset::appendText(int col, const char* utf8, int bytes)
{
    appendTagged(col, TagText, utf8, static_cast<uint32_t>(bytes), true);
}
void Dataset::appendBlob(int col, const void* data, int bytes)
{
    appendTagged(col, TagBlob, data, static_cast<uint32_t>(bytes), true);
}

void Dataset::squeeze()
{
    // Arenas grow by doubling while rows come in; a held snapshot keeps only what it uses.
    for (Column& c : columns_) {
        c.offsets.shrink_to_fit();
        c.arena.shrink_to_fit();
    }
    order_.shrink_to_fit();
}

void Dataset::finishRow()
{
    order_.push_back(static_cast<uint32_t>(storedRows_++));
    if (cursor_ < 0) cursor_ = 0;
}

void Dataset::resolveUnknownKinds()
{
    for (int col = 0; col < fields_.size(); ++col) {
        if (fields_[col].kind != FieldKind::Unknown) continue;
        for (int r = 0; r < storedRows_; ++r) {
            if (columns_[col].offsets[r] == kNull) continue;
            switch (tagAt(r, col)) {
            case TagInt: fields_[col].kind = FieldKind::Integer; break;
            case TagReal: fields_[col].kind = FieldKind::Real; break;
            case TagText: fields_[col].kind = FieldKind::Text; break;
            case TagBlob: fields_[col].kind = FieldKind::Blob; break;
            }
            break;
        }
    }
}

void Dataset::setSource(QString sql, QVariantList params, QVariantMap named)
{
    sql_ = std::move(sql);
    params_ = std::move(params);
    named_ = std::move(named);
}

int Dataset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

Dataset::Tag Dataset::tagAt(int stored, int col) const
{
    return static_cast<Tag>(columns_[col].arena[columns_[col].offsets[stored]]);
}

const char* Dataset::payload(int stored, int col, uint32_t* bytes) const
{
    const Column& c = columns_[col];
    const char* p = c.arena.data() + c.offsets[stored];
    const Tag tag = static_cast<Tag>(*p++);
    if (tag == TagInt || tag == TagReal) {
        *bytes = 8;
        return p;
    }
    uint32_t n = 0;
    for (int shift = 0;; shift += 7) {
        const auto b = static_cast<unsigned char>(*p++);
        n |= static_cast<uint32_t>(b & 0x7f) << shift;
        if (!(b & 0x80)) break;
    }
    *bytes = n;
    return p;
}

QVariant Dataset::storedValue(int stored, int col) const
{
    if (columns_[col].offsets[stored] == kNull) return {};
    uint32_t bytes = 0;
    const char* p = payload(stored, col, &bytes);
    switch (tagAt(stored, col)) {
    case TagInt: {
        qint64 v;
        std::memcpy(&v, p, 8);
        if (fields_[col].kind == FieldKind::Bool) return QVariant(v != 0);
        return QVariant(v);
    }
    case TagReal: {
        double v;
        std::memcpy(&v, p, 8);
        return QVariant(v);
    }
    case TagText: return QVariant(QString::fromUtf8(p, static_cast<int>(bytes)));
    case TagBlob: return QVariant(QByteArray(p, static_cast<int>(bytes)));
    }
    return {};
}

bool Dataset::isNull(int row, int col) const { return columns_[col].offsets[order_[row]] == kNull; }

QVariant Dataset::value(int row, int col) const { return storedValue(static_cast<int>(order_[row]), col); }

QString Dataset::text(int row, int col) const
{
    const QVariant v = value(row, col);
    switch (v.typeId()) {
    case QMetaType::Double: return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::Bool: return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::QByteArray: return QString();
    default: return v.toString();
    }
}

double Dataset::number(int row, int col) const
{
    const QVariant v = value(row, col);
    if (v.typeId() == QMetaType::QString) return v.toString().trimmed().toDouble();
    return v.toDouble();
}

qint64 Dataset::integer(int row, int col) const
{
    const QVariant v = value(row, col);
    if (v.typeId() == QMetaType::Double) return static_cast<qint64>(v.toDouble());
    if (v.typeId() == QMetaType::QString) return v.toString().trimmed().toLongLong();
    return v.toLongLong();
}

QByteArray Dataset::blob(int row, int col) const
{
    const QVariant v = value(row, col);
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
}

QDate Dataset::date(int row, int col) const
{
    const QString t = text(row, col);
    return QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
}

void Dataset::setRecNo(int row)
{
    if (order_.empty()) { cursor_ = -1; return; }
    cursor_ = std::clamp(row, 0, rowCount() - 1);
}

void Dataset::next()
{
    if (cursor_ >= 0 && cursor_ < rowCount()) ++cursor_;
}

void Dataset::prior()
{
    if (cursor_ > 0) --cursor_;
}

QVariant Dataset::value(const QString& fieldName) const
{
    const int col = fieldIndex(fieldName);
    if (col < 0 || eof()) return {};
    return value(cursor_, col);
}

QString Dataset::text(const QString& fieldName) const
{
    const int col = fieldIndex(fieldName);
    if (col < 0 || eof()) return {};
    return text(cursor_, col);
}

double Dataset::number(const QString& fieldName) const
{
    const int col = fieldIndex(fieldName);
    if (col < 0 || eof()) return 0;
    return number(cursor_, col);
}

qint64 Dataset::integer(const QString& fieldName) const
{
    const int col = fieldIndex(fieldName);
    if (col < 0 || eof()) return 0;
    return integer(cursor_, col);
}

void Dataset::setValue(int row, int col, const QVariant& v)
{
    // The old payload stays in the arena unused; edits are few.
    Column& c = columns_[col];
    const uint32_t stored = order_[row];
    const size_t before = c.offsets.size();
    if (v.isNull()) {
        c.offsets[stored] = kNull;
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong: appendInteger(col, v.toLongLong()); break;
    case QMetaType::Double:
    case QMetaType::Float: appendReal(col, v.toDouble()); break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        appendBlob(col, b.constData(), static_cast<int>(b.size()));
        break;
    }
    default: {
        const QByteArray u = v.toString().toUtf8();
        appendText(col, u.constData(), static_cast<int>(u.size()));
        break;
    }
    }
    c.offsets[stored] = c.offsets.back();
    c.offsets.resize(before);
}

int Dataset::appendRow()
{
    for (int col = 0; col < fields_.size(); ++col) appendNull(col);
    finishRow();
    cursor_ = rowCount() - 1;
    return cursor_;
}

void Dataset::removeRow(int row)
{
    if (row < 0 || row >= rowCount()) return;
    order_.erase(order_.begin() + row);
    if (cursor_ >= rowCount()) cursor_ = rowCount() - 1;
}

int Dataset::compareCells(int a, int b, int col) const
{
    const Column& c = columns_[col];
    const bool na = c.offsets[a] == kNull, nb = c.offsets[b] == kNull;
    if (na || nb) return na == nb ? 0 : (na ? -1 : 1);
    const Tag ta = tagAt(a, col), tb = tagAt(b, col);
    const bool numA = ta == TagInt || ta == TagReal, numB = tb == TagInt || tb == TagReal;
    if (numA && numB) {
        uint32_t len;
        double x, y;
        if (ta == TagInt) { qint64 i; std::memcpy(&i, payload(a, col, &len), 8); x = double(i); }
        else std::memcpy(&x, payload(a, col, &len), 8);
        if (tb == TagInt) { qint64 i; std::memcpy(&i, payload(b, col, &len), 8); y = double(i); }
        else std::memcpy(&y, payload(b, col, &len), 8);
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    if (numA != numB) return numA ? -1 : 1;
    uint32_t la, lb;
    const char* pa = payload(a, col, &la);
    const char* pb = payload(b, col, &lb);
    const int r = std::memcmp(pa, pb, std::min(la, lb));
    if (r != 0) return r;
    return la < lb ? -1 : (la > lb ? 1 : 0);
}

void Dataset::sort(const QString& spec)
{
    struct Key { int col; bool desc; };
    std::vector<Key> keys;
    for (const QString& part : spec.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList words = part.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty()) continue;
        const int col = fieldIndex(words[0]);
        if (col < 0) continue;
        const bool desc = words.size() > 1 && words[1].compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
        keys.push_back({col, desc});
    }
    const int currentStored = eof() ? -1 : static_cast<int>(order_[cursor_]);
    sortSpec_ = spec.trimmed();
    if (keys.empty()) {
        sortSpec_.clear();
        std::sort(order_.begin(), order_.end());
    } else {
        std::stable_sort(order_.begin(), order_.end(), [&](uint32_t a, uint32_t b) {
            for (const Key& k : keys) {
                const int r = compareCells(int(a), int(b), k.col);
                if (r != 0) return k.desc ? r > 0 : r < 0;
            }
            return false;
        });
    }
    if (currentStored >= 0)
        cursor_ = static_cast<int>(std::find(order_.begin(), order_.end(), uint32_t(currentStored)) - order_.begin());
}

int Dataset::find(int col, const QVariant& v) const
{
    if (col < 0 || col >= fields_.size()) return -1;
    const bool numeric = v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong
                         || v.typeId() == QMetaType::Double || v.typeId() == QMetaType::UInt;
    const QString wanted = v.toString();
    for (int row = 0; row < rowCount(); ++row) {
        if (isNull(row, col)) {
            if (v.isNull()) return row;
            continue;
        }
        if (numeric ? number(row, col) == v.toDouble() : text(row, col) == wanted) return row;
    }
    return -1;
}

bool Dataset::locate(const QString& fieldName, const QVariant& v)
{
    const int row = find(fieldIndex(fieldName), v);
    if (row < 0) return false;
    cursor_ = row;
    return true;
}

size_t Dataset::memoryBytes() const
{
    size_t total = order_.capacity() * sizeof(uint32_t);
    for (const Column& c : columns_) total += c.offsets.capacity() * sizeof(uint32_t) + c.arena.capacity();
    return total;
}
