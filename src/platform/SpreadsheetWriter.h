#pragma once
#include <QHash>
#include <QString>

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// Writes one worksheet of an .xlsx file row by row, keeping little in memory.
// The workbook goes to a temporary name beside the target and takes the
// target's name only once it is complete, so a failed or cancelled export
// leaves nothing half-written behind.
class SpreadsheetWriter {
public:
    SpreadsheetWriter(const QString& targetPath, const QString& sheetTitle);
    ~SpreadsheetWriter();  // discards the work unless finish() succeeded
    SpreadsheetWriter(const SpreadsheetWriter&) = delete;
    SpreadsheetWriter& operator=(const SpreadsheetWriter&) = delete;

    // Rows must be written in increasing order. Row and column count from 0.
    void writeHeading(int row, int col, const QString& text);
    void writeText(int row, int col, const QString& text);  // a text cell (format "@")
    void writeNumber(int row, int col, double value, const QString& numberFormat);
    void setColumnWidth(int col, double characters);

    // Closes the workbook and moves it onto the target. False with the reason in
    // error() when it could not be written.
    bool finish();
    void discard();
    const QString& error() const { return error_; }
    const QString& targetPath() const { return target_; }

    // A worksheet name the format accepts: no []:*?/\ and at most 31 characters.
    static QString sheetName(const QString& title);

private:
    lxw_format* numberFormat(const QString& format);

    QString target_, temp_, error_;
    lxw_workbook* book_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* text_ = nullptr;
    lxw_format* heading_ = nullptr;
    QHash<QString, lxw_format*> formats_;
    bool done_ = false;
};
