#include "data/GridLayout.h"

#include "data/DataDm.h"
#include "data/DataGrid.h"
#include "data/DatasetModel.h"
#include "data/PubUnit.h"
#include "data/TFrmDispFieldXZ.h"
#include "data/TfrmRowArrangeGl.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Messages.h"
#include "platform/SpreadsheetWriter.h"

#include <QApplication>
#include <QDir>
#include <QProgressDialog>
#include <QStandardPaths>
#include <memory>

namespace {
const QString kFailed = QStringLiteral("操作失败，请检查数据连接... ");
constexpr int kProgressFromRows = 5000;

Connection* connection()
{
    return dmData && dmData->isConnected() ? &dmData->ADOcnn() : nullptr;
}

GridColumn columnFromRow(const Dataset& rows, int r)
{
    auto text = [&](const char* f) { return rows.text(r, rows.fieldIndex(QString::fromLatin1(f))); };
    auto integer = [&](const char* f) { return rows.integer(r, rows.fieldIndex(QString::fromLatin1(f))); };
    GridColumn c;
    c.fieldName = text("F_FieldName").trimmed();
    c.title = text("F_Caption");
    const int width = static_cast<int>(integer("F_Width"));
    c.width = width > 0 ? width : 80;
    c.visible = integer("F_Visible") != 0;
    c.readOnly = integer("F_ReadOnly") != 0;
    c.displayFormat = text("F_DisplayFormat");
    c.footerValue = text("F_FooterValue");
    const int footer = static_cast<int>(integer("F_FooterType"));
    c.footerType = footer == 1 || footer == 2 ? footer : 0;
    const int align = static_cast<int>(integer("F_Alignment"));
    c.alignment = align >= 0 && align <= 2 ? align : -1;
    return c;
}

// Excel's form of a Delphi section: digit placeholders, grouping, literals.
QString excelSection(const QString& f)
{
    QString prefix, suffix;
    QString* literal = &prefix;
    int minInt = 0, minDec = 0, maxDec = 0;
    bool thousands = false, afterPoint = false, inNumber = false, seenNumber = false, digits = false;
    for (int i = 0; i < f.size(); ++i) {
        const QChar c = f[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            if (inNumber) { seenNumber = true; inNumber = false; literal = &suffix; }
            const int end = f.indexOf(c, i + 1);
            *literal += end < 0 ? f.mid(i + 1) : f.mid(i + 1, end - i - 1);
            i = end < 0 ? f.size() : end;
            continue;
        }
        const bool placeholder = c == QLatin1Char('0') || c == QLatin1Char('#');
        const bool mark = c == QLatin1Char(',') || c == QLatin1Char('.');
        if (placeholder || (mark && (inNumber || !seenNumber))) {
            inNumber = true;
            if (c == QLatin1Char('.')) afterPoint = true;
            else if (c == QLatin1Char(',')) thousands = thousands || !afterPoint;
            else if (afterPoint) { ++maxDec; if (c == QLatin1Char('0')) minDec = maxDec; digits = true; }
            else { if (c == QLatin1Char('0')) ++minInt; digits = true; }
            continue;
        }
        if (inNumber) { seenNumber = true; inNumber = false; literal = &suffix; }
        *literal += c;
    }
    auto quoted = [](QString s) {
        if (s.isEmpty()) return s;
        s.replace(QLatin1Char('"'), QString());
        return QLatin1Char('"') + s + QLatin1Char('"');
    };
    if (!digits && !afterPoint) return quoted(prefix + suffix);
    QString number;
    if (thousands) {
        number = QString(qMax(0, 4 - minInt), QLatin1Char('#')) + QString(minInt, QLatin1Char('0'));
        number.insert(1, QLatin1Char(','));
    } else {
        number = minInt > 0 ? QString(minInt, QLatin1Char('0')) : QStringLiteral("#");
    }
    if (maxDec > 0)
        number += QLatin1Char('.') + QString(minDec, QLatin1Char('0')) + QString(maxDec - minDec, QLatin1Char('#'));
    return quoted(prefix) + number + quoted(suffix);
}

QString defaultExportPath(const QString& sheetTitle)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty()) dir = QDir::homePath();
    QString name = sheetTitle.trimmed();
    for (const QChar c : QStringLiteral("/\\:*?\"<>|")) name.remove(c);
    return QDir(dir).filePath(name + Clock::today().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".xlsx"));
}
}

QString SpreadsheetNumberFormat(const QString& displayFormat)
{
    QStringList out;
    for (const QString& section : displayFormat.split(QLatin1Char(';'))) out << excelSection(section);
    return out.join(QLatin1Char(';'));
}

bool LoadGridLayout(DataGrid* grid, const QString& name)
{
    Connection* c = connection();
    if (!grid || !c) return false;
    Dataset rows;
    try {
        rows = c->query(QStringLiteral("select * from cfg_Grid where (F_name = ? COLLATE NOCASE and F_FieldName <> '') "
                                       "order by F_Order"),
                        {name.trimmed()});
    } catch (const DbError& e) {
        ShowMess(kFailed + QLatin1Char('\n') + e.message(), MessError);
        return false;
    }
    if (rows.isEmpty()) return false;
    const Dataset* ds = grid->dataset();
    const bool knowsFields = ds && ds->fieldCount() > 0;
    QVector<GridColumn> columns;
    for (int r = 0; r < rows.rowCount(); ++r) {
        GridColumn col = columnFromRow(rows, r);
        // A stored column of a field this list no longer has would show nothing.
        if (knowsFields && ds->fieldIndex(col.fieldName) < 0) continue;
        columns.append(col);
    }
    grid->setColumns(columns);
    return true;
}

bool SaveGridLayout(DataGrid* grid, const QString& name)
{
    if (!grid || !dmData) return false;
    bool allOk = true;
    const QVector<GridColumn>& cols = grid->columns();
    for (int i = 0; i < cols.size(); ++i) {
        const GridColumn& col = cols[i];
        // The stored alignment is what the column shows: a default-aligned text column stays left.
        const int align = grid->effectiveAlignment(i);
        const int footer = col.footerType == 1 || col.footerType == 2 ? col.footerType : 0;
        allOk &= dmData->ExecSql(
            QStringLiteral("update cfg_grid set F_caption = ?,F_width = ?,F_readonly = ?,F_visible = ?,F_order = ?,"
                           "F_alignMent = ?,F_displayFormat = ?,F_footerValue = ?,F_footerType = ? "
                           "where (F_name = ? COLLATE NOCASE and F_fieldname = ? COLLATE NOCASE)"),
            {col.title, grid->columnWidth(i), col.readOnly ? 1 : 0, col.visible ? 1 : 0, i, align, col.displayFormat,
             col.footerValue, footer, name.trimmed(), col.fieldName});
    }
    return allOk;
}

bool ChooseGridColumns(DataGrid* grid)
{
    if (!grid) return false;
    TFrmDispFieldXZ dlg(grid->window());
    QStringList titles;
    QVector<bool> visible;
    for (const GridColumn& c : grid->columns()) {
        titles << c.title;
        visible << c.visible;
    }
    dlg.setColumns(titles, visible);
    if (execModal(&dlg) != QDialog::Accepted) return false;
    const QVector<bool> ticked = dlg.ticked();
    for (int i = 0; i < ticked.size() && i < grid->columnCount(); ++i)
        if (grid->columns()[i].visible != ticked[i]) grid->setColumnVisible(i, ticked[i]);
    return true;
}

QString ChooseGridSort(DataGrid* grid)
{
    if (!grid) return {};
    TfrmRowArrangeGl dlg(grid->window());
    QVector<TfrmRowArrangeGl::Column> cols;
    for (const GridColumn& c : grid->columns()) cols.append({c.fieldName.toLower(), c.title});
    dlg.setColumns(cols);
    if (execModal(&dlg) != QDialog::Accepted) return {};
    return dlg.resultText();
}

bool ExportGridToExcel(DataGrid* grid, const QString& sheetTitle, bool visible)
{
    if (!grid) return false;
    QString path = Desktop::instance().saveFileName(grid->window(), QStringLiteral("导出到Excel"),
                                                    defaultExportPath(sheetTitle),
                                                    QStringLiteral("Excel 工作簿 (*.xlsx)"));
    if (path.isEmpty()) return false;
    if (!path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive)) path += QStringLiteral(".xlsx");

    const QVector<GridColumn>& cols = grid->columns();
    const DatasetModel* model = grid->model();
    const Dataset* ds = grid->dataset();
    const int rows = ds ? ds->rowCount() : 0;

    SpreadsheetWriter out(path, sheetTitle);
    QVector<QString> formats(cols.size());
    QVector<bool> datesBlank(cols.size());
    for (int c = 0; c < cols.size(); ++c) {
        if (!cols[c].visible) continue;
        out.writeHeading(0, c, cols[c].title);
        out.setColumnWidth(c, qMax(4.0, grid->columnWidth(c) / 7.0));
        if (!cols[c].displayFormat.trimmed().isEmpty()) formats[c] = SpreadsheetNumberFormat(cols[c].displayFormat);
        const int field = model->fieldOf(c);
        datesBlank[c] = field >= 0 && (ds->field(field).isDate() || grid->isEmptyDateField(cols[c].fieldName));
    }

    std::unique_ptr<QProgressDialog> progress;
    if (rows > kProgressFromRows) {
        progress = std::make_unique<QProgressDialog>(QStringLiteral("正在导出到Excel ..."), QStringLiteral("取消"), 0,
                                                     rows, grid->window());
        progress->setWindowTitle(QStringLiteral("导出"));
        progress->setWindowModality(Qt::WindowModal);
        progress->setMinimumDuration(300);
    }
    for (int r = 0; r < rows; ++r) {
        if (progress && r % 500 == 0) {
            progress->setValue(r);
            if (progress->wasCanceled()) return false;  // the writer removes its partial file
        }
        for (int c = 0; c < cols.size(); ++c) {
            const int field = model->fieldOf(c);
            if (!cols[c].visible || field < 0 || ds->isNull(r, field)) continue;
            const FieldInfo& f = ds->field(field);
            if (f.isNumeric() && !formats[c].isEmpty()) {
                out.writeNumber(r + 1, c, ds->number(r, field), formats[c]);
                continue;
            }
            QString text;
            if (f.kind == FieldKind::Bool) text = ds->integer(r, field) != 0 ? QStringLiteral("是") : QStringLiteral("否");
            else if (f.kind != FieldKind::Blob) text = ds->text(r, field);
            if ((datesBlank[c] && IsEmptyDate(text)) || text.trimmed() == kEmptyDate) continue;
            out.writeText(r + 1, c, text);
        }
    }
    if (progress) progress->setValue(rows);
    if (!out.finish()) {
        ShowMess(QStringLiteral("导出失败：无法写入文件“%1”。\n%2").arg(QDir::toNativeSeparators(path), out.error()),
                 MessError);
        return false;
    }
    if (visible && !Desktop::instance().openDocument(path))
        ShowMess(QStringLiteral("已导出到“%1”，但系统中没有可以打开该文件的程序。").arg(QDir::toNativeSeparators(path)),
                 MessInfo);
    return true;
}
