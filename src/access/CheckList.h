#pragma once
#include <QStringList>

class QListWidget;

// The check lists of the operator editor and the department dialog: items with
// tick boxes shown in two columns, filled row by row.
namespace CheckList {
void makeTwoColumns(QListWidget* list);
void fill(QListWidget* list, const QStringList& texts);  // all unticked
QStringList checkedTexts(const QListWidget* list);          // in list order
void setAllChecked(QListWidget* list, bool checked);
void setChecked(QListWidget* list, int row, bool checked);
bool isChecked(const QListWidget* list, int row);
}
