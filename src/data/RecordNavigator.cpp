#include "data/RecordNavigator.h"

#include "data/DataGrid.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

RecordNavigator::RecordNavigator(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    const struct { const char* name; const char* tip; QStyle::StandardPixmap icon; void (RecordNavigator::*slot)(); } spec[] = {
        {"nbFirst", "第一条", QStyle::SP_MediaSkipBackward, &RecordNavigator::first},
        {"nbPrior", "上一条", QStyle::SP_MediaSeekBackward, &RecordNavigator::prior},
        {"nbNext", "下一条", QStyle::SP_MediaSeekForward, &RecordNavigator::next},
        {"nbLast", "最后一条", QStyle::SP_MediaSkipForward, &RecordNavigator::last},
    };
    for (int i = 0; i < 4; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(spec[i].name));
        b->setToolTip(QString::fromUtf8(spec[i].tip));
        b->setIcon(style()->standardIcon(spec[i].icon));
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, spec[i].slot);
        layout->addWidget(b);
        buttons_[i] = b;
    }
    updateButtons();
}

void RecordNavigator::setGrid(DataGrid* grid)
{
    grid_ = grid;
    updateButtons();
}

void RecordNavigator::first() { moveTo(0); }
void RecordNavigator::prior() { if (grid_) moveTo(grid_->currentRow() - 1); }
void RecordNavigator::next() { if (grid_) moveTo(grid_->currentRow() + 1); }
void RecordNavigator::last() { if (grid_ && grid_->dataset()) moveTo(grid_->dataset()->rowCount() - 1); }

void RecordNavigator::moveTo(int row)
{
    if (!grid_ || !grid_->dataset() || grid_->dataset()->isEmpty()) return;
    row = qBound(0, row, grid_->dataset()->rowCount() - 1);
    if (row == grid_->currentRow()) return;
    grid_->setCurrentRow(row);
    updateButtons();
    emit moved(row);
}

void RecordNavigator::updateButtons()
{
    const int rows = grid_ && grid_->dataset() ? grid_->dataset()->rowCount() : 0;
    const int row = grid_ ? grid_->currentRow() : -1;
    buttons_[0]->setEnabled(rows > 0 && row > 0);
    buttons_[1]->setEnabled(rows > 0 && row > 0);
    buttons_[2]->setEnabled(rows > 0 && row < rows - 1);
    buttons_[3]->setEnabled(rows > 0 && row < rows - 1);
}
