#pragma once
#include "data/DataGrid.h"
#include "platform/db/Dataset.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QSet>
#include <QVector>
#include <functional>

// A table model over a Dataset snapshot (not owned). It keeps no text per cell:
// the strings a view asks for are made from the dataset when a cell is painted,
// so a 100,000-row list costs only the dataset itself. Columns are grid columns
// bound to fields by name; with no columns set, every field of the dataset is
// shown under its own name.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using RowColor = DataGrid::RowColor;

    explicit DatasetModel(QObject* parent = nullptr);

    void setDataset(Dataset* ds);  // resets the model
    Dataset* dataset() const { return ds_; }
    void setColumns(const QVector<GridColumn>& columns);  // resets the model; empty: every field
    // Changes one column's title, format, alignment or read-only flag in place
    // (no reset: the current row and the selection stay).
    void updateColumn(int col, const GridColumn& column);
    const QVector<GridColumn>& columns() const { return columns_; }
    void setEmptyDateFields(const QStringList& fieldNames);
    bool isEmptyDateField(const QString& fieldName) const;
    void setRowColor(RowColor callback);
    void setEditable(bool on);
    bool editable() const { return editable_; }

    // The dataset was reopened or re-sorted: drops every cached value.
    void reload();
    void rowChanged(int row);

    // The dataset field of a model column, -1 when the dataset lacks it.
    int fieldOf(int col) const;
    // The text a cell shows; the same rules for every list and for export.
    QString displayText(int row, int col) const;
    // 0 left, 1 centre, 2 right: the column's own or, by default, by field kind.
    int effectiveAlignment(int col) const;
    // The sum of a column over every row (cached until the data changes).
    double columnSum(int col) const;

    // Cell text by the display rules, for callers without a model.
    static QString cellText(const Dataset& ds, int row, int field, const QString& displayFormat,
                            bool emptyDate);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    void valuesChanged();  // an edit or a row refresh changed values (footer sums follow)

private:
    void bindFields();
    bool rowColors(int row, QColor& text, QColor& background) const;

    Dataset* ds_ = nullptr;
    QVector<GridColumn> columns_;
    bool autoColumns_ = true;  // no columns given: one per dataset field
    QVector<int> fieldOfColumn_;
    QVector<bool> emptyDateColumn_;
    QSet<QString> emptyDateFields_;  // lower case
    RowColor rowColor_;
    bool editable_ = false;

    // Painting asks for foreground and background of every cell of a row in turn:
    // the row's colours are asked of the callback once.
    mutable int colorRow_ = -1;
    mutable bool colorSet_ = false;
    mutable QColor colorText_, colorBack_;
    mutable QVector<double> sums_;
    mutable QVector<bool> sumValid_;
};
