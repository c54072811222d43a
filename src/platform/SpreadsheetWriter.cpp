#include "platform/SpreadsheetWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>
#include <xlsxwriter.h>

SpreadsheetWriter::SpreadsheetWriter(const QString& targetPath, const QString& sheetTitle) : target_(targetPath)
{
    const QFileInfo fi(targetPath);
    temp_ = fi.dir().filePath(QStringLiteral(".%1.part").arg(fi.fileName()));
    QFile::remove(temp_);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    const QByteArray tmp = QFile::encodeName(QDir::tempPath());
    options.tmpdir = const_cast<char*>(tmp.constData());
    book_ = workbook_new_opt(QFile::encodeName(temp_).constData(), &options);
    if (!book_) {
        error_ = QStringLiteral("无法创建工作簿");
        return;
    }
    sheet_ = workbook_add_worksheet(book_, sheetName(sheetTitle).toUtf8().constData());
    text_ = workbook_add_format(book_);
    format_set_num_format(text_, "@");
    heading_ = workbook_add_format(book_);
    format_set_num_format(heading_, "@");
    format_set_bold(heading_);
    format_set_align(heading_, LXW_ALIGN_CENTER);
}

SpreadsheetWriter::~SpreadsheetWriter()
{
    if (!done_) discard();
}

QString SpreadsheetWriter::sheetName(const QString& title)
{
    QString name;
    for (const QChar c : title)
        if (!QStringLiteral("[]:*?/\\").contains(c)) name += c;
    name = name.trimmed();
    if (name.startsWith(QLatin1Char('\''))) name.remove(0, 1);
    if (name.endsWith(QLatin1Char('\''))) name.chop(1);
    name = name.left(31);
    return name.isEmpty() ? QStringLiteral("Sheet1") : name;
}

lxw_format* SpreadsheetWriter::numberFormat(const QString& format)
{
    auto it = formats_.find(format);
    if (it != formats_.end()) return it.value();
    lxw_format* f = workbook_add_format(book_);
    format_set_num_format(f, format.toUtf8().constData());
    formats_.insert(format, f);
    return f;
}

void SpreadsheetWriter::writeHeading(int row, int col, const QString& text)
{
    if (sheet_) worksheet_write_string(sheet_, row, static_cast<lxw_col_t>(col), text.toUtf8().constData(), heading_);
}

void SpreadsheetWriter::writeText(int row, int col, const QString& text)
{
    if (sheet_ && !text.isEmpty())
        worksheet_write_string(sheet_, row, static_cast<lxw_col_t>(col), text.toUtf8().constData(), text_);
}

void SpreadsheetWriter::writeNumber(int row, int col, double value, const QString& format)
{
    if (sheet_)
        worksheet_write_number(sheet_, row, static_cast<lxw_col_t>(col), value,
                               format.isEmpty() ? nullptr : numberFormat(format));
}

void SpreadsheetWriter::setColumnWidth(int col, double characters)
{
    if (sheet_) worksheet_set_column(sheet_, static_cast<lxw_col_t>(col), static_cast<lxw_col_t>(col), characters, nullptr);
}

bool SpreadsheetWriter::finish()
{
    if (!book_) {
        done_ = true;
        return false;
    }
    const lxw_error rc = workbook_close(book_);
    book_ = nullptr;
    sheet_ = nullptr;
    done_ = true;
    if (rc != LXW_NO_ERROR) {
        error_ = QString::fromUtf8(lxw_strerror(rc));
        QFile::remove(temp_);
        return false;
    }
    // rename() replaces an existing target in one step.
    std::error_code ec;
    std::filesystem::rename(QFile::encodeName(temp_).constData(), QFile::encodeName(target_).constData(), ec);
    if (ec) {
        error_ = QString::fromLocal8Bit(ec.message().c_str());
        QFile::remove(temp_);
        return false;
    }
    return true;
}

void SpreadsheetWriter::discard()
{
    if (book_) {
        // Closing is the only way to free the workbook; its output is then removed.
        workbook_close(book_);
        book_ = nullptr;
    }
    QFile::remove(temp_);
    done_ = true;
}
