#include "access/CheckList.h"

#include <QEvent>
#include <QListWidget>
#include <QStyle>

namespace {
// Keeps the grid cells half the width of the list, so there are always two columns.
class TwoColumns : public QObject {
public:
    explicit TwoColumns(QListWidget* list) : QObject(list), list_(list) { list->viewport()->installEventFilter(this); }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) relayout();
        return false;
    }

    void relayout()
    {
        // The view keeps room for a vertical scroll bar when it lays out rows.
        const int room = list_->viewport()->width() - list_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 4;
        const int width = qMax(40, room / 2);
        const QSize cell(width, list_->fontMetrics().height() + 8);
        if (cell == list_->gridSize()) return;
        list_->setGridSize(cell);
        list_->doItemsLayout();  // now, not on the next turn of the event loop
    }

private:
    QListWidget* list_;
};
}

namespace CheckList {
void makeTwoColumns(QListWidget* list)
{
    list->setViewMode(QListView::ListMode);
    list->setFlow(QListView::LeftToRight);
    list->setWrapping(true);
    list->setResizeMode(QListView::Adjust);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    (new TwoColumns(list))->relayout();
}

void fill(QListWidget* list, const QStringList& texts)
{
    list->clear();
    for (const QString& t : texts) {
        auto* item = new QListWidgetItem(t, list);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
}

QStringList checkedTexts(const QListWidget* list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked) out << list->item(i)->text();
    return out;
}

void setAllChecked(QListWidget* list, bool checked)
{
    for (int i = 0; i < list->count(); ++i) setChecked(list, i, checked);
}

void setChecked(QListWidget* list, int row, bool checked)
{
    if (QListWidgetItem* item = list->item(row)) item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

bool isChecked(const QListWidget* list, int row)
{
    const QListWidgetItem* item = list->item(row);
    return item && item->checkState() == Qt::Checked;
}
}
