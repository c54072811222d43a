#include "data/DataGrid.h"

#include "data/DatasetModel.h"
#include "data/PubUnit.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

namespace {
enum Mark { MarkNone = 0, MarkAsc = 1, MarkDesc = 2 };

bool isMemoField(const QString& fieldName) { return fieldName.toLower().contains(QLatin1String("mem")); }

// The list's table view: Home and End go to the first and last row (not column),
// Enter activates the current row.
class GridView : public QTableView {
public:
    std::function<void(int)> onActivate;

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        const int rows = model() ? model()->rowCount() : 0;
        if (rows > 0 && (action == MoveHome || action == MoveEnd)) {
            const int col = currentIndex().isValid() ? currentIndex().column() : firstVisibleColumn();
            return model()->index(action == MoveHome ? 0 : rows - 1, col);
        }
        return QTableView::moveCursor(action, modifiers);
    }

    void keyPressEvent(QKeyEvent* e) override
    {
        if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && state() != EditingState
            && currentIndex().isValid()) {
            if (onActivate) onActivate(currentIndex().row());
            e->accept();
            return;
        }
        QTableView::keyPressEvent(e);
    }

private:
    int firstVisibleColumn() const
    {
        for (int c = 0; model() && c < model()->columnCount(); ++c)
            if (!isColumnHidden(c)) return c;
        return 0;
    }
};

// Column titles with the sort marks of the grid drawn at their right end.
class SortHeader : public QHeaderView {
public:
    explicit SortHeader(const QVector<int>* marks) : QHeaderView(Qt::Horizontal), marks_(marks) {}

protected:
    void paintSection(QPainter* p, const QRect& rect, int logical) const override
    {
        p->save();
        QHeaderView::paintSection(p, rect, logical);
        p->restore();
        const int mark = logical < marks_->size() ? (*marks_)[logical] : MarkNone;
        if (mark == MarkNone || rect.width() < 14) return;
        const int cx = rect.right() - 7, cy = rect.center().y();
        QPolygon tri;
        if (mark == MarkAsc) tri << QPoint(cx - 4, cy + 2) << QPoint(cx + 4, cy + 2) << QPoint(cx, cy - 3);
        else tri << QPoint(cx - 4, cy - 2) << QPoint(cx + 4, cy - 2) << QPoint(cx, cy + 3);
        p->save();
        p->setRenderHint(QPainter::Antialiasing);
        p->setPen(Qt::NoPen);
        p->setBrush(palette().color(QPalette::ButtonText));
        p->drawPolygon(tri);
        p->restore();
    }

private:
    const QVector<int>* marks_;
};

// The footer row: one cell under each visible column, following the column
// widths, order and horizontal scrolling of the view above it.
class FooterStrip : public QWidget {
public:
    FooterStrip(DataGrid* grid, QTableView* view) : grid_(grid), view_(view)
    {
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Button);
    }
    QSize sizeHint() const override { return {100, fontMetrics().height() + 8}; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const QHeaderView* h = view_->horizontalHeader();
        const int origin = view_->viewport()->mapTo(parentWidget(), QPoint(0, 0)).x() - x();
        const int right = origin + view_->viewport()->width();
        p.setClipRect(QRect(origin, 0, right - origin, height()));
        const QColor line = palette().color(QPalette::Mid);
        for (int c = 0; c < h->count(); ++c) {
            if (h->isSectionHidden(c)) continue;
            const int x = origin + h->sectionViewportPosition(c);
            const int w = h->sectionSize(c);
            if (x + w < origin || x > right) continue;
            const QRect cell(x, 0, w, height());
            p.setPen(line);
            p.drawLine(cell.topRight(), cell.bottomRight());
            const QString text = grid_->footerText(c);
            if (text.isEmpty()) continue;
            static const Qt::Alignment by[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
            const int a = grid_->footerAlignment(c);
            p.setPen(palette().color(QPalette::ButtonText));
            const QRect inner = cell.adjusted(3, 0, -4, 0);
            p.drawText(inner, by[a] | Qt::AlignVCenter,
                       fontMetrics().elidedText(text, Qt::ElideRight, inner.width()));
        }
        p.setPen(line);
        p.drawLine(origin, 0, right, 0);
    }

private:
    DataGrid* grid_;
    QTableView* view_;
};
}

struct DataGrid::Private {
    QVector<GridColumn> columns;
    bool autoColumns = true;
    QVector<int> marks;
    Dataset* ds = nullptr;
    DatasetModel* model = nullptr;
    GridView* view = nullptr;
    SortHeader* header = nullptr;
    FooterStrip* footer = nullptr;
    QScrollBar* hbar = nullptr;
    int footerMode = -1;  // -1 when some column has a footer, 0 never, 1 always
    bool titleClickSort = true;
    bool syncing = false;  // header changes made by the grid itself
    bool quiet = false;    // current-row moves made while rebuilding
    int lastRow = -1;
};

DataGrid::DataGrid(QWidget* parent) : QWidget(parent), d(new Private)
{
    d->model = new DatasetModel(this);
    d->view = new GridView;
    d->view->setObjectName(QStringLiteral("gridView"));
    d->header = new SortHeader(&d->marks);
    d->view->setHorizontalHeader(d->header);
    d->view->setModel(d->model);
    d->view->setSelectionBehavior(QAbstractItemView::SelectRows);
    d->view->setSelectionMode(QAbstractItemView::SingleSelection);
    d->view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    d->view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    d->view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    d->view->setWordWrap(false);
    d->view->setAlternatingRowColors(false);
    d->view->verticalHeader()->hide();
    d->view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    d->view->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    d->header->setSectionsClickable(true);
    d->header->setSectionsMovable(true);
    d->header->setHighlightSections(false);
    d->header->setDefaultAlignment(Qt::AlignCenter);
    d->header->setMinimumSectionSize(8);
    d->header->setStretchLastSection(false);
    d->view->onActivate = [this](int row) { emit rowActivated(row); };

    d->footer = new FooterStrip(this, d->view);
    d->footer->setObjectName(QStringLiteral("gridFooter"));
    d->hbar = new QScrollBar(Qt::Horizontal);
    d->hbar->setObjectName(QStringLiteral("gridHScroll"));
    d->hbar->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(d->view, 1);
    layout->addWidget(d->footer);
    layout->addWidget(d->hbar);
    d->footer->hide();

    // The view's own horizontal bar stays hidden; the one below the footer drives it.
    QScrollBar* inner = d->view->horizontalScrollBar();
    connect(inner, &QScrollBar::rangeChanged, this, [this, inner](int min, int max) {
        d->hbar->setRange(min, max);
        d->hbar->setPageStep(inner->pageStep());
        d->hbar->setSingleStep(inner->singleStep());
        d->hbar->setVisible(max > min);
        d->footer->update();
    });
    connect(inner, &QScrollBar::valueChanged, this, [this](int v) {
        d->hbar->setValue(v);
        d->footer->update();
    });
    connect(d->hbar, &QScrollBar::valueChanged, inner, &QScrollBar::setValue);
    connect(d->header, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!d->syncing && size > 0 && logical < d->columns.size()) d->columns[logical].width = size;
        d->footer->update();
    });
    connect(d->header, &QHeaderView::geometriesChanged, d->footer, qOverload<>(&QWidget::update));
    connect(d->header, &QHeaderView::sectionMoved, this, [this](int, int from, int to) {
        if (d->syncing) return;
        // Keep the column list in shown order: put the section back and move the column instead.
        d->syncing = true;
        d->header->moveSection(to, from);
        d->syncing = false;
        d->columns.move(from, to);
        d->marks.move(from, to);
        d->autoColumns = false;
        columnsChanged();
    });
    connect(d->header, &QHeaderView::sectionClicked, this, [this](int col) {
        emit titleClicked(col);
        if (!d->titleClickSort || col < 0 || col >= d->columns.size()) return;
        // No mark or descending becomes ascending; ascending becomes descending.
        const int next = d->marks.value(col) == MarkAsc ? MarkDesc : MarkAsc;
        d->marks.fill(MarkNone);
        d->marks[col] = next;
        d->header->viewport()->update();
        const QString field = d->columns[col].fieldName;
        if (!d->ds || isMemoField(field)) return;
        d->ds->sort(next == MarkNone ? QString() : field + (next == MarkAsc ? QStringLiteral(" ASC") : QStringLiteral(" DESC")));
        const int row = d->ds->recNo();
        d->quiet = true;
        d->model->reload();
        d->quiet = false;
        setCurrentRow(row);
    });
    connect(d->view, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid()) emit rowActivated(index.row());
    });
    connect(d->model, &DatasetModel::valuesChanged, d->footer, qOverload<>(&QWidget::update));
    connect(d->model, &QAbstractItemModel::modelReset, d->footer, qOverload<>(&QWidget::update));
    connect(d->view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                const int row = current.isValid() ? current.row() : -1;
                if (d->ds && row >= 0) d->ds->setRecNo(row);
                if (d->quiet || row == d->lastRow) return;
                d->lastRow = row;
                emit currentRowChanged(row);
            });
}

DataGrid::~DataGrid()
{
    delete d;
}

// --- columns ---

void DataGrid::setColumns(const QVector<GridColumn>& columns)
{
    d->columns = columns;
    d->autoColumns = columns.isEmpty();
    d->marks.fill(MarkNone, columns.size());
    columnsChanged();
}

const QVector<GridColumn>& DataGrid::columns() const { return d->columns; }

GridColumn& DataGrid::column(int i) { return d->columns[i]; }

void DataGrid::columnsChanged()
{
    const int row = currentRow();
    d->quiet = true;
    d->model->setColumns(d->autoColumns ? QVector<GridColumn>() : d->columns);
    if (d->autoColumns) d->columns = d->model->columns();
    d->marks.resize(d->columns.size());
    d->syncing = true;
    for (int c = 0; c < d->columns.size(); ++c) {
        d->header->resizeSection(c, d->columns[c].width > 0 ? d->columns[c].width : 80);
        d->view->setColumnHidden(c, !d->columns[c].visible);
    }
    d->syncing = false;
    if (row >= 0 && d->ds && row < d->ds->rowCount())
        d->view->setCurrentIndex(d->model->index(row, 0));
    d->quiet = false;
    updateFooterVisibility();
    d->footer->update();
}

int DataGrid::columnCount() const { return d->columns.size(); }

int DataGrid::columnOfField(const QString& fieldName) const
{
    for (int c = 0; c < d->columns.size(); ++c)
        if (d->columns[c].fieldName.compare(fieldName, Qt::CaseInsensitive) == 0) return c;
    return -1;
}

void DataGrid::setColumnTitle(int i, const QString& title)
{
    if (i < 0 || i >= d->columns.size()) return;
    d->columns[i].title = title;
    d->model->updateColumn(i, d->columns[i]);
}

void DataGrid::setColumnVisible(int i, bool visible)
{
    if (i < 0 || i >= d->columns.size()) return;
    d->columns[i].visible = visible;
    d->syncing = true;
    d->view->setColumnHidden(i, !visible);
    if (visible && d->header->sectionSize(i) <= 0) d->header->resizeSection(i, d->columns[i].width > 0 ? d->columns[i].width : 80);
    d->syncing = false;
    updateFooterVisibility();
    d->footer->update();
}

int DataGrid::columnWidth(int i) const
{
    if (i < 0 || i >= d->columns.size()) return 0;
    const int shown = d->view->isColumnHidden(i) ? 0 : d->header->sectionSize(i);
    return shown > 0 ? shown : d->columns[i].width;
}

// --- data ---

void DataGrid::setDataset(Dataset* ds)
{
    d->ds = ds;
    d->model->setDataset(ds);
    refresh();
}

Dataset* DataGrid::dataset() const { return d->ds; }

void DataGrid::refresh()
{
    d->quiet = true;
    d->model->reload();
    if (d->autoColumns) {
        d->columns = d->model->columns();
        columnsChanged();
        d->quiet = true;
    }
    // A reopened dataset comes in the statement's order: the marks go with the sort.
    if (!d->ds || d->ds->sortSpec().isEmpty()) d->marks.fill(MarkNone, d->columns.size());
    d->header->viewport()->update();
    const int row = d->ds && !d->ds->isEmpty() ? qMax(0, d->ds->recNo()) : -1;
    if (row >= 0) d->view->setCurrentIndex(d->model->index(row, 0));
    d->quiet = false;
    d->lastRow = row;
    d->footer->update();
    emit currentRowChanged(row);
}

void DataGrid::refreshRow(int row) { d->model->rowChanged(row); }

int DataGrid::currentRow() const
{
    if (!d->ds || d->ds->isEmpty()) return -1;
    const QModelIndex i = d->view->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void DataGrid::setCurrentRow(int row)
{
    if (!d->ds || d->ds->isEmpty()) return;
    row = qBound(0, row, d->ds->rowCount() - 1);
    d->ds->setRecNo(row);
    const int col = d->view->currentIndex().isValid() ? d->view->currentIndex().column() : 0;
    const QModelIndex target = d->model->index(row, col);
    if (d->view->selectionMode() == QAbstractItemView::SingleSelection || d->view->currentIndex().row() != row)
        d->view->selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    d->view->scrollTo(target);
    if (d->lastRow != row) {
        // Moves made while the model was being rebuilt still count as moves.
        d->lastRow = row;
        emit currentRowChanged(row);
    }
}

QList<int> DataGrid::selectedRows() const
{
    QList<int> rows;
    const QModelIndexList list = d->view->selectionModel()->selectedRows();
    for (const QModelIndex& i : list) rows << i.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

void DataGrid::setMultiSelect(bool on)
{
    d->view->setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

void DataGrid::setEditable(bool on)
{
    d->model->setEditable(on);
    d->view->setEditTriggers(on ? QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                                      | QAbstractItemView::SelectedClicked
                                : QAbstractItemView::NoEditTriggers);
}

// --- display ---

QString DataGrid::displayText(int row, int col) const { return d->model->displayText(row, col); }

QString DataGrid::footerText(int col) const
{
    if (col < 0 || col >= d->columns.size()) return {};
    const GridColumn& c = d->columns[col];
    if (c.footerType == 1) return c.footerValue;
    if (c.footerType == 2) return FormatFloat(c.displayFormat, d->model->columnSum(col));
    return {};
}

int DataGrid::footerAlignment(int col) const { return d->model->effectiveAlignment(col); }

int DataGrid::effectiveAlignment(int col) const { return d->model->effectiveAlignment(col); }

void DataGrid::setEmptyDateFields(const QStringList& fieldNames) { d->model->setEmptyDateFields(fieldNames); }

bool DataGrid::isEmptyDateField(const QString& fieldName) const { return d->model->isEmptyDateField(fieldName); }

void DataGrid::setRowColor(RowColor callback) { d->model->setRowColor(std::move(callback)); }

void DataGrid::setFooterVisible(int mode)
{
    d->footerMode = mode;
    updateFooterVisibility();
}

void DataGrid::updateFooterVisibility()
{
    bool any = false;
    for (const GridColumn& c : d->columns)
        if (c.visible && (c.footerType == 1 || c.footerType == 2)) any = true;
    d->footer->setVisible(d->footerMode == 1 || (d->footerMode < 0 && any));
}

// --- sorting ---

void DataGrid::setSortSpec(const QString& spec)
{
    d->marks.fill(MarkNone, d->columns.size());
    for (const QString& part : spec.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList words = part.trimmed().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.isEmpty()) continue;
        const int col = columnOfField(words[0]);
        if (col < 0 || d->marks[col] != MarkNone) continue;
        const bool desc = words.size() > 1 && words[1].compare(QLatin1String("DESC"), Qt::CaseInsensitive) == 0;
        d->marks[col] = desc ? MarkDesc : MarkAsc;
    }
    d->header->viewport()->update();
    if (!d->ds) return;
    d->ds->sort(spec);
    const int row = d->ds->recNo();
    d->quiet = true;
    d->model->reload();
    d->quiet = false;
    setCurrentRow(row);
}

QString DataGrid::sortSpec() const { return d->ds ? d->ds->sortSpec() : QString(); }

void DataGrid::setTitleClickSort(bool on) { d->titleClickSort = on; }

int DataGrid::sortMark(int col) const { return d->marks.value(col, MarkNone); }

QTableView* DataGrid::view() const { return d->view; }

DatasetModel* DataGrid::model() const { return d->model; }

// --- ColumnTitles ---

int DataGrid::titleCount() const { return columnCount(); }

QString DataGrid::titleFieldName(int i) const { return i >= 0 && i < d->columns.size() ? d->columns[i].fieldName : QString(); }

void DataGrid::setTitleText(int i, const QString& title) { setColumnTitle(i, title); }
