#pragma once
#include <QString>

class DataGrid;
class QWidget;

// Prints a list grid as it shows on screen: the visible columns with their
// titles, widths and alignment, the rows with their colours and the footer row,
// under the title lines (an empty line, the title, an empty line). The header
// text is the left part of each page's header, the footer text the right part of
// each page's footer ("date" prints "打印日期：" and today). Fit mode 0 stretches
// the columns over the page width and lets rows grow with their text; fit mode 1
// keeps the columns' own widths (narrowed only when wider than the page) on
// one line per row; any other value keeps the mode used last.
//
// Shows the print preview, from which the user prints or saves a PDF file.
void PrintGrid(DataGrid* grid, const QString& title, int fitMode, const QString& footer,
               const QString& header = QString(), QWidget* parent = nullptr);

// The same printout written straight to a PDF file. False when the file could
// not be written.
bool PrintGridToPdf(DataGrid* grid, const QString& title, int fitMode, const QString& footer,
                    const QString& header, const QString& fileName);
