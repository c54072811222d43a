#include "data/PrintGrid.h"

#include "data/DataGrid.h"
#include "data/DatasetModel.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Messages.h"

#include <QAction>
#include <QBrush>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace {
// The mode a call with another value than 0 or 1 keeps.
int g_fitMode = 1;

// What is printed, taken from the grid once.
struct GridSnapshot {
    struct Column {
        QString title;
        double width = 0;  // screen pixels
        int align = 0;     // 0 left, 1 centre, 2 right
    };
    QVector<Column> columns;  // the visible ones, in shown order
    QVector<QStringList> cells;
    QVector<QColor> text, back;  // per row; invalid: plain black on white
    QStringList footer;
    bool hasFooter = false;
};

QColor colourOf(const QVariant& v)
{
    if (!v.isValid()) return {};
    if (v.typeId() == QMetaType::QBrush) return qvariant_cast<QBrush>(v).color();
    return v.value<QColor>();
}

GridSnapshot takeSnapshot(DataGrid* grid)
{
    GridSnapshot s;
    QVector<int> shown;
    for (int c = 0; c < grid->columnCount(); ++c) {
        const GridColumn& col = grid->columns()[c];
        if (!col.visible) continue;
        shown << c;
        const int w = grid->columnWidth(c);
        s.columns.push_back({col.title, double(w > 0 ? w : col.width), grid->effectiveAlignment(c)});
        s.footer << grid->footerText(c);
        if (col.footerType == 1 || col.footerType == 2) s.hasFooter = true;
    }
    const int rows = grid->dataset() ? grid->dataset()->rowCount() : 0;
    const QAbstractItemModel* model = grid->model();
    s.cells.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        QStringList line;
        line.reserve(shown.size());
        for (int c : shown) line << grid->displayText(r, c);
        s.cells << line;
        // Row colours are per row: the first shown cell tells them.
        const QModelIndex i = shown.isEmpty() ? QModelIndex() : model->index(r, shown.first());
        s.text << colourOf(model->data(i, Qt::ForegroundRole));
        s.back << colourOf(model->data(i, Qt::BackgroundRole));
    }
    return s;
}

QFont printFont(double points, bool bold = false)
{
    QFont f;
    f.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("WenQuanYi Micro Hei"),
                   QStringLiteral("Noto Sans CJK SC")});
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

Qt::Alignment alignmentOf(int align)
{
    switch (align) {
    case 1: return Qt::AlignHCenter | Qt::AlignVCenter;
    case 2: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// Lays the snapshot out on pages and paints it.
class GridPrintout {
public:
    GridPrintout(GridSnapshot s, QString title, int fitMode, QString footer, QString header)
        : s_(std::move(s)), title_(std::move(title)), fit_(fitMode), header_(std::move(header))
    {
        footer_ = footer.trimmed() == QLatin1String("date")
            ? QStringLiteral("打印日期：") + Clock::today().toString(QStringLiteral("yyyy年MM月dd日"))
            : footer;
    }

    void paint(QPrinter* printer)
    {
        QPainter p;
        if (!p.begin(printer)) return;
        measure(printer);
        paginate();
        for (int i = 0; i < pages_.size(); ++i) {
            if (i > 0) printer->newPage();
            paintPage(p, i);
        }
        p.end();
    }

private:
    struct Page {
        int first = 0;
        int end = 0;          // one past the last row
        bool titled = false;  // carries the title lines
        bool footerRow = false;
    };

    double mm(double v) const { return v * res_ / 25.4; }

    void measure(QPrinter* printer)
    {
        res_ = printer->resolution();
        area_ = QRectF(QPointF(0, 0), printer->pageLayout().paintRectPixels(printer->resolution()).size());
        body_ = printFont(9);
        bold_ = printFont(9, true);
        head_ = printFont(9);  // page header and footer
        titleFont_ = printFont(14, true);
        pad_ = mm(0.8);
        const QFontMetricsF fm(body_, printer);
        line_ = fm.height();

        // Screen pixels to the printer's; fit mode 0 always fills the page
        // width, fit mode 1 only narrows a grid wider than the page.
        double total = 0;
        widths_.clear();
        for (const auto& c : s_.columns) {
            widths_ << c.width * res_ / 96.0;
            total += widths_.last();
        }
        if (total > 0 && (fit_ == 0 || total > area_.width()))
            for (double& w : widths_) w *= area_.width() / total;

        rowHeights_.clear();
        rowHeights_.reserve(s_.cells.size());
        for (const QStringList& row : s_.cells) {
            double h = line_;
            if (fit_ == 0)
                for (int c = 0; c < row.size(); ++c)
                    h = qMax(h, fm.boundingRect(QRectF(0, 0, qMax(1.0, widths_[c] - 2 * pad_), 1e9),
                                                Qt::TextWordWrap, row[c])
                                    .height());
            rowHeights_ << h + 2 * pad_;
        }
        const QFontMetricsF hm(head_, printer);
        headerH_ = header_.trimmed().isEmpty() ? 0 : hm.height() + 2 * pad_;
        footerH_ = hm.height() + 2 * pad_;
        titleLine_ = QFontMetricsF(titleFont_, printer).height();
        titleH_ = line_ + titleLine_ + line_;  // an empty line, the title, an empty line
        titleRowH_ = line_ + 2 * pad_;
    }

    void paginate()
    {
        pages_.clear();
        const int n = static_cast<int>(s_.cells.size());
        int r = 0;
        double used = 0;
        do {
            Page page;
            page.first = r;
            page.titled = pages_.isEmpty();
            const double room = area_.height() - headerH_ - footerH_ - titleRowH_ - (page.titled ? titleH_ : 0);
            used = 0;
            // At least one row per page, even one taller than the page.
            while (r < n && (r == page.first || used + rowHeights_[r] <= room)) used += rowHeights_[r++];
            page.end = r;
            pages_ << page;
            if (r == n && s_.hasFooter) {
                if (used + titleRowH_ <= room) pages_.last().footerRow = true;
                else pages_ << Page{n, n, false, true};
            }
        } while (r < n);
    }

    void cell(QPainter& p, const QRectF& rect, const QString& text, Qt::Alignment align, bool wrap,
              const QColor& back, const QColor& ink)
    {
        if (back.isValid()) p.fillRect(rect, back);
        p.setPen(QPen(Qt::black, mm(0.15)));
        p.drawRect(rect);
        p.setPen(ink.isValid() ? ink : QColor(Qt::black));
        const QRectF inner = rect.adjusted(pad_, pad_, -pad_, -pad_);
        if (wrap) {
            p.drawText(inner, int(align) | Qt::TextWordWrap, text);
        } else {
            const QString shown = QFontMetricsF(p.font(), p.device()).elidedText(text, Qt::ElideRight, inner.width());
            p.drawText(inner, int(align), shown);
        }
    }

    void paintRow(QPainter& p, double y, double h, const QStringList& texts, const QVector<Qt::Alignment>& aligns,
                  bool wrap, const QColor& back = QColor(), const QColor& ink = QColor())
    {
        double x = area_.left();
        for (int c = 0; c < widths_.size(); ++c) {
            cell(p, QRectF(x, y, widths_[c], h), texts.value(c), aligns.value(c), wrap, back, ink);
            x += widths_[c];
        }
    }

    void paintPage(QPainter& p, int index)
    {
        const Page& page = pages_[index];
        double y = area_.top();

        p.setPen(Qt::black);
        p.setFont(head_);
        if (headerH_ > 0) {
            p.drawText(QRectF(area_.left(), y, area_.width(), headerH_), Qt::AlignLeft | Qt::AlignVCenter, header_);
            y += headerH_;
        }
        if (page.titled) {
            p.setFont(titleFont_);
            p.drawText(QRectF(area_.left(), y + line_, area_.width(), titleLine_), Qt::AlignCenter, title_);
            y += titleH_;
        }

        QVector<Qt::Alignment> centred, aligns;
        QStringList titles;
        for (const auto& c : s_.columns) {
            centred << (Qt::AlignHCenter | Qt::AlignVCenter);
            aligns << alignmentOf(c.align);
            titles << c.title;
        }
        p.setFont(bold_);
        paintRow(p, y, titleRowH_, titles, centred, false, QColor(0xe4, 0xe4, 0xe4));
        y += titleRowH_;

        p.setFont(body_);
        for (int r = page.first; r < page.end; ++r) {
            paintRow(p, y, rowHeights_[r], s_.cells[r], aligns, fit_ == 0, s_.back[r], s_.text[r]);
            y += rowHeights_[r];
        }
        if (page.footerRow) {
            p.setFont(bold_);
            paintRow(p, y, titleRowH_, s_.footer, aligns, false, QColor(0xf0, 0xf0, 0xf0));
        }

        p.setPen(Qt::black);
        p.setFont(head_);
        const QRectF foot(area_.left(), area_.bottom() - footerH_, area_.width(), footerH_);
        p.drawText(foot, Qt::AlignHCenter | Qt::AlignVCenter,
                   QStringLiteral("第 %1 页，共 %2 页").arg(index + 1).arg(pages_.size()));
        if (!footer_.trimmed().isEmpty()) p.drawText(foot, Qt::AlignRight | Qt::AlignVCenter, footer_);
    }

    GridSnapshot s_;
    QString title_;
    int fit_;
    QString footer_;
    QString header_;

    double res_ = 96;
    QRectF area_;
    QFont body_, bold_, head_, titleFont_;
    double pad_ = 0, line_ = 0, headerH_ = 0, footerH_ = 0, titleLine_ = 0, titleH_ = 0, titleRowH_ = 0;
    QVector<double> widths_, rowHeights_;
    QVector<Page> pages_;
};

int fitModeFor(int requested)
{
    if (requested == 0 || requested == 1) g_fitMode = requested;
    return g_fitMode;
}

void preparePrinter(QPrinter& printer, const QString& title)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("Korvan"));
}

bool writePdf(GridPrintout& out, const QString& title, const QString& fileName)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    preparePrinter(printer, title);
    out.paint(&printer);
    return QFileInfo(fileName).isFile() && QFileInfo(fileName).size() > 0;
}
}

void PrintGrid(DataGrid* grid, const QString& title, int fitMode, const QString& footer, const QString& header,
               QWidget* parent)
{
    if (!grid) return;
    GridPrintout out(takeSnapshot(grid), title, fitModeFor(fitMode), footer, header);
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, title);
    QPrintPreviewDialog preview(&printer, parent ? parent : grid->window());
    preview.setWindowTitle(QStringLiteral("打印预览 - ") + title);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&out](QPrinter* p) { out.paint(p); });
    if (QToolBar* bar = preview.findChild<QToolBar*>()) {
        bar->addSeparator();
        QAction* pdf = bar->addAction(QStringLiteral("另存为PDF"));
        pdf->setObjectName(QStringLiteral("actSavePdf"));
        QObject::connect(pdf, &QAction::triggered, &preview, [&] {
            const QString file = Desktop::instance().saveFileName(&preview, QStringLiteral("另存为PDF"),
                                                                  title + QStringLiteral(".pdf"),
                                                                  QStringLiteral("PDF 文件 (*.pdf)"));
            if (file.isEmpty()) return;
            if (!writePdf(out, title, file))
                ShowMess(QStringLiteral("文件“") + file + QStringLiteral("”无法写入，请检查路径是否正确！"), MessError);
        });
    }
    execModal(&preview);
}

bool PrintGridToPdf(DataGrid* grid, const QString& title, int fitMode, const QString& footer, const QString& header,
                    const QString& fileName)
{
    if (!grid) return false;
    GridPrintout out(takeSnapshot(grid), title, fitModeFor(fitMode), footer, header);
    return writePdf(out, title, fileName);
}
