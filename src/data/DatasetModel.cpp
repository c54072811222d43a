#include "data/DatasetModel.h"

#include "data/PubUnit.h"

#include <QBrush>

namespace {
const QString kCheckMark = QStringLiteral("√");

QVariant valueForField(const FieldInfo& f, const QVariant& input)
{
    if (input.isNull()) return {};
    const QString text = input.toString().trimmed();
    switch (f.kind) {
    case FieldKind::Integer: {
        if (text.isEmpty()) return {};
        bool ok = false;
        const qint64 v = text.toLongLong(&ok);
        return ok ? QVariant(v) : QVariant(qint64(text.toDouble()));
    }
    case FieldKind::Real: return text.isEmpty() ? QVariant() : QVariant(text.toDouble());
    case FieldKind::Bool: return QVariant(input.toBool());
    default: return input;
    }
}
}

DatasetModel::DatasetModel(QObject* parent) : QAbstractTableModel(parent) {}

void DatasetModel::setDataset(Dataset* ds)
{
    beginResetModel();
    ds_ = ds;
    bindFields();
    endResetModel();
}

void DatasetModel::setColumns(const QVector<GridColumn>& columns)
{
    beginResetModel();
    columns_ = columns;
    autoColumns_ = columns.isEmpty();
    bindFields();
    endResetModel();
}

void DatasetModel::updateColumn(int col, const GridColumn& column)
{
    if (col < 0 || col >= columns_.size()) return;
    columns_[col] = column;
    fieldOfColumn_[col] = ds_ ? ds_->fieldIndex(column.fieldName) : -1;
    emptyDateColumn_[col] = isEmptyDateField(column.fieldName);
    sumValid_[col] = false;
    emit headerDataChanged(Qt::Horizontal, col, col);
    if (rowCount() > 0) emit dataChanged(index(0, col), index(rowCount() - 1, col));
}

void DatasetModel::setEmptyDateFields(const QStringList& fieldNames)
{
    emptyDateFields_.clear();
    for (const QString& f : fieldNames) emptyDateFields_.insert(f.trimmed().toLower());
    bindFields();
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::DisplayRole});
}

bool DatasetModel::isEmptyDateField(const QString& fieldName) const
{
    return emptyDateFields_.contains(fieldName.trimmed().toLower());
}

void DatasetModel::setRowColor(RowColor callback)
{
    rowColor_ = std::move(callback);
    colorRow_ = -1;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1),
                         {Qt::ForegroundRole, Qt::BackgroundRole});
}

void DatasetModel::setEditable(bool on) { editable_ = on; }

void DatasetModel::reload()
{
    beginResetModel();
    bindFields();
    endResetModel();
}

void DatasetModel::rowChanged(int row)
{
    colorRow_ = -1;
    sumValid_.fill(false);
    if (row >= 0 && row < rowCount() && columnCount() > 0)
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
    emit valuesChanged();
}

void DatasetModel::bindFields()
{
    if (autoColumns_) {
        columns_.clear();
        if (ds_)
            for (const FieldInfo& f : ds_->fields()) {
                GridColumn c;
                c.fieldName = f.name;
                c.title = f.name;
                columns_.append(c);
            }
    }
    fieldOfColumn_.resize(columns_.size());
    emptyDateColumn_.resize(columns_.size());
    for (int c = 0; c < columns_.size(); ++c) {
        fieldOfColumn_[c] = ds_ ? ds_->fieldIndex(columns_[c].fieldName) : -1;
        emptyDateColumn_[c] = isEmptyDateField(columns_[c].fieldName);
    }
    colorRow_ = -1;
    sums_.fill(0.0, columns_.size());
    sumValid_.fill(false, columns_.size());
}

int DatasetModel::fieldOf(int col) const { return col >= 0 && col < fieldOfColumn_.size() ? fieldOfColumn_[col] : -1; }

QString DatasetModel::cellText(const Dataset& ds, int row, int field, const QString& displayFormat, bool emptyDate)
{
    if (field < 0 || row < 0 || row >= ds.rowCount() || ds.isNull(row, field)) return {};
    const FieldInfo& f = ds.field(field);
    switch (f.kind) {
    case FieldKind::Bool: return ds.integer(row, field) != 0 ? kCheckMark : QString();
    case FieldKind::Integer:
    case FieldKind::Real:
        if (!displayFormat.trimmed().isEmpty()) return FormatFloat(displayFormat, ds.number(row, field));
        return ds.text(row, field);
    case FieldKind::Blob: return {};
    default: break;
    }
    QString t = ds.text(row, field);
    if (emptyDate && IsEmptyDate(t)) return {};
    if (f.kind == FieldKind::Memo || t.contains(QLatin1Char('\n'))) {
        // A cell is one line: line breaks of a memo read as blanks.
        t.replace(QLatin1String("\r\n"), QLatin1String(" "));
        t.replace(QLatin1Char('\n'), QLatin1Char(' '));
        t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    }
    return t;
}

QString DatasetModel::displayText(int row, int col) const
{
    if (!ds_ || col < 0 || col >= columns_.size()) return {};
    return cellText(*ds_, row, fieldOfColumn_[col], columns_[col].displayFormat, emptyDateColumn_[col]);
}

int DatasetModel::effectiveAlignment(int col) const
{
    if (col < 0 || col >= columns_.size()) return 0;
    const int a = columns_[col].alignment;
    if (a >= 0 && a <= 2) return a;
    const int field = fieldOf(col);
    if (field < 0) return 0;
    const FieldInfo& f = ds_->field(field);
    if (f.isNumeric()) return 2;
    if (f.kind == FieldKind::Bool) return 1;
    return 0;
}

double DatasetModel::columnSum(int col) const
{
    if (col < 0 || col >= columns_.size()) return 0;
    if (sumValid_[col]) return sums_[col];
    double sum = 0;
    const int field = fieldOf(col);
    if (field >= 0)
        for (int r = 0, n = ds_->rowCount(); r < n; ++r)
            if (!ds_->isNull(r, field)) sum += ds_->number(r, field);
    sums_[col] = sum;
    sumValid_[col] = true;
    return sum;
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !ds_ ? 0 : ds_->rowCount();
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns_.size();
}

bool DatasetModel::rowColors(int row, QColor& text, QColor& background) const
{
    if (!rowColor_) return false;
    if (row != colorRow_) {
        colorRow_ = row;
        colorText_ = QColor();
        colorBack_ = QColor();
        colorSet_ = rowColor_(row, colorText_, colorBack_);
    }
    text = colorText_;
    background = colorBack_;
    return colorSet_;
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!ds_ || !index.isValid()) return {};
    const int row = index.row(), col = index.column();
    switch (role) {
    case Qt::DisplayRole: return displayText(row, col);
    case Qt::EditRole: {
        const int field = fieldOf(col);
        if (field < 0) return {};
        const QVariant v = ds_->value(row, field);
        return v.typeId() == QMetaType::QByteArray ? QVariant() : v;
    }
    case Qt::TextAlignmentRole: {
        static const Qt::Alignment by[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
        return QVariant::fromValue(by[effectiveAlignment(col)] | Qt::AlignVCenter);
    }
    case Qt::ForegroundRole:
    case Qt::BackgroundRole: {
        QColor text, back;
        if (!rowColors(row, text, back)) return {};
        const QColor& c = role == Qt::ForegroundRole ? text : back;
        return c.isValid() ? QVariant(QBrush(c)) : QVariant();
    }
    case Qt::ToolTipRole: {
        // Memos are cut to one line in the cell; the whole text shows on hover.
        const int field = fieldOf(col);
        if (field >= 0 && ds_->field(field).kind == FieldKind::Memo) return ds_->text(row, field);
        return {};
    }
    default: return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) return {};
    if (section < 0 || section >= columns_.size()) return {};
    if (role == Qt::DisplayRole) return columns_[section].title;
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
    return {};
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int col = index.column();
    if (editable_ && col < columns_.size() && !columns_[col].readOnly && fieldOf(col) >= 0
        && ds_->field(fieldOf(col)).kind != FieldKind::Blob)
        f |= Qt::ItemIsEditable;
    return f;
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
    const int field = fieldOf(index.column());
    ds_->setValue(index.row(), field, valueForField(ds_->field(field), value));
    rowChanged(index.row());
    return true;
}
