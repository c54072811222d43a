#pragma once
#include <QString>

class DataGrid;

// Stored grid layouts (table cfg_Grid, one row per column of a named grid) and
// the grid services every list window offers: the column chooser, the sort
// dialog and the export to a spreadsheet.

// Rebuilds the grid's columns from the rows stored under the name (compared
// without regard to case). With no stored row the designed columns stay. Rows
// naming a field the grid's dataset lacks are skipped. True when a layout was applied.
bool LoadGridLayout(DataGrid* grid, const QString& name);

// Writes each column's title, width, flags, position, format, footer and
// alignment into its existing row; columns without a row are not stored. A
// failing column is reported and the others are still written. True when every
// statement ran.
bool SaveGridLayout(DataGrid* grid, const QString& name);

// The column chooser "字段列表": on OK every column is shown exactly when ticked.
// True when the user pressed OK.
bool ChooseGridColumns(DataGrid* grid);

// The sort dialog "排序对话框": returns a sort text such as "f_date ASC,f_code DESC,"
// or an empty text when cancelled. The caller applies it to the grid.
QString ChooseGridSort(DataGrid* grid);

// Writes the grid (title row, one row per record, the columns' display formats
// as number formats) to an .xlsx file the user names, then opens it when
// visible is set. True when the file was written.
bool ExportGridToExcel(DataGrid* grid, const QString& sheetTitle, bool visible = true);

// Delphi display format (",0.00##") as a spreadsheet number format ("#,##0.00##").
QString SpreadsheetNumberFormat(const QString& displayFormat);
