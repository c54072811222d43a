#pragma once
#include "data/DataDm.h"
#include "platform/db/Dataset.h"

#include <QColor>
#include <QStringList>
#include <QTableView>
#include <QVector>
#include <QWidget>
#include <functional>

class DatasetModel;

// One column of a list grid, bound to a dataset field.
struct GridColumn {
    QString fieldName;
    QString title;
    int width = 80;
    bool visible = true;
    bool readOnly = true;
    QString displayFormat;  // Delphi-style number format (FormatFloat); empty: the field's own text
    QString footerValue;    // shown when footerType is 1
    int footerType = 0;     // 1 fixed text, 2 sum of the column, other: none
    int alignment = -1;     // 0 left, 1 centre, 2 right; -1 by field kind (numbers right)
};

// A column of a window's built-in layout: field, title and width.
inline GridColumn makeGridColumn(const char* field, const char* title, int width = 80)
{
    GridColumn c;
    c.fieldName = QString::fromLatin1(field);
    c.title = QString::fromUtf8(title);
    c.width = width;
    return c;
}

// The list grid of every list window: a table view over a Dataset with a footer
// row, column titles (centred), widths, visibility, display formats, whole-row
// and multi-row selection, title-click sort marks, a per-row colour callback and
// the empty-date rule for named date columns. Display strings are made only
// for the cells being painted.
class DataGrid : public QWidget, public ColumnTitles {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    ~DataGrid() override;

    // --- columns ---
    void setColumns(const QVector<GridColumn>& columns);
    const QVector<GridColumn>& columns() const;
    GridColumn& column(int i);        // change, then call columnsChanged()
    void columnsChanged();            // re-applies titles, widths, visibility, footers
    int columnCount() const;
    int columnOfField(const QString& fieldName) const;  // -1 when absent
    void setColumnTitle(int i, const QString& title);
    void setColumnVisible(int i, bool visible);
    int columnWidth(int i) const;     // the width as shown now (the user may drag it)

    // --- data ---
    void setDataset(Dataset* ds);     // not owned; call refresh() after the dataset is reopened
    Dataset* dataset() const;
    void refresh();                   // the dataset was replaced or reopened; keeps nothing
    void refreshRow(int row);         // one row's values or colour changed in the dataset
    int currentRow() const;           // position in the dataset's order, -1 when empty
    void setCurrentRow(int row);      // also moves the dataset's current row
    QList<int> selectedRows() const;  // ascending
    void setMultiSelect(bool on);
    void setEditable(bool on);        // cells of columns not read-only accept input into the dataset

    // --- display ---
    QString displayText(int row, int col) const;  // what the cell shows
    QString footerText(int col) const;            // what the footer cell shows
    void setEmptyDateFields(const QStringList& fieldNames);  // blank for dates before 1901-08-14
    // Returns true when it set colours for the row (row is a dataset position).
    using RowColor = std::function<bool(int row, QColor& text, QColor& background)>;
    void setRowColor(RowColor callback);
    bool isEmptyDateField(const QString& fieldName) const;
    int effectiveAlignment(int col) const;  // 0 left, 1 centre, 2 right, after the default by field kind
    int footerAlignment(int col) const;
    // -1 (default): the footer row shows when a visible column has a footer; 0 never; 1 always.
    void setFooterVisible(int mode);

    // --- sorting ---
    // Applies "f_date ASC,f_code DESC," to the dataset and marks the titles.
    void setSortSpec(const QString& spec);
    QString sortSpec() const;
    // Title clicks cycle ascending, descending, none on one column. Columns whose
    // field name contains "mem" get the mark but are not sorted. On by default.
    void setTitleClickSort(bool on);
    int sortMark(int col) const;  // 0 none, 1 ascending, 2 descending

    QTableView* view() const;
    DatasetModel* model() const;

    // ColumnTitles, for ApplyCustomCaptions
    int titleCount() const override;
    QString titleFieldName(int i) const override;
    void setTitleText(int i, const QString& title) override;

signals:
    void currentRowChanged(int row);  // after scroll: the current row moved
    void rowActivated(int row);       // double click or Enter on a row
    void titleClicked(int col);

private:
    void updateFooterVisibility();
    struct Private;
    Private* d;
};
