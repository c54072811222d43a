#include "data/TfrmRowArrangeGl.h"

#include "platform/Messages.h"
#include "ui_TfrmRowArrangeGl.h"

#include <QComboBox>
#include <QHeaderView>

namespace {
const QStringList kOrders = {QString(), QStringLiteral("升序"), QStringLiteral("降序")};
}

TfrmRowArrangeGl::TfrmRowArrangeGl(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmRowArrangeGl)
{
    ui->setupUi(this);
    ui->sgOrder->horizontalHeader()->resizeSection(0, 220);
    connect(ui->sgOrder, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { cycleOrder(row); });
    connect(ui->btnUp, &QPushButton::clicked, this, &TfrmRowArrangeGl::btnUpClick);
    connect(ui->btnDown, &QPushButton::clicked, this, &TfrmRowArrangeGl::btnDownClick);
    connect(ui->btnOK, &QPushButton::clicked, this, &TfrmRowArrangeGl::btnOKClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    DispFormPos(this, 1);
}

TfrmRowArrangeGl::~TfrmRowArrangeGl() { delete ui; }

void TfrmRowArrangeGl::setColumns(const QVector<Column>& columns)
{
    columns_ = columns;
    ui->sgOrder->setRowCount(columns.size());
    for (int r = 0; r < columns.size(); ++r) {
        ui->sgOrder->setItem(r, 0, new QTableWidgetItem(columns[r].title));
        auto* box = new QComboBox;
        box->addItems(kOrders);
        box->setFrame(false);
        ui->sgOrder->setCellWidget(r, 1, box);
    }
    if (!columns.isEmpty()) setCurrentRow(0);
}

int TfrmRowArrangeGl::rowCount() const { return ui->sgOrder->rowCount(); }

QComboBox* TfrmRowArrangeGl::orderBox(int row) const
{
    return qobject_cast<QComboBox*>(ui->sgOrder->cellWidget(row, 1));
}

QString TfrmRowArrangeGl::titleAt(int row) const
{
    const QTableWidgetItem* item = ui->sgOrder->item(row, 0);
    return item ? item->text() : QString();
}

QString TfrmRowArrangeGl::orderAt(int row) const
{
    const QComboBox* box = orderBox(row);
    return box ? box->currentText() : QString();
}

void TfrmRowArrangeGl::setOrderAt(int row, const QString& order)
{
    if (QComboBox* box = orderBox(row)) box->setCurrentIndex(qMax(0, kOrders.indexOf(order)));
}

int TfrmRowArrangeGl::currentRow() const { return ui->sgOrder->currentRow(); }

void TfrmRowArrangeGl::setCurrentRow(int row) { ui->sgOrder->setCurrentCell(row, 0); }

void TfrmRowArrangeGl::cycleOrder(int row)
{
    if (QComboBox* box = orderBox(row)) box->setCurrentIndex((box->currentIndex() + 1) % kOrders.size());
}

void TfrmRowArrangeGl::swapRows(int a, int b)
{
    const QString title = titleAt(a);
    const QString order = orderAt(a);
    ui->sgOrder->item(a, 0)->setText(titleAt(b));
    setOrderAt(a, orderAt(b));
    ui->sgOrder->item(b, 0)->setText(title);
    setOrderAt(b, order);
}

void TfrmRowArrangeGl::btnUpClick()
{
    const int row = currentRow();
    if (row <= 0) return;
    swapRows(row, row - 1);
    setCurrentRow(row - 1);
}

void TfrmRowArrangeGl::btnDownClick()
{
    const int row = currentRow();
    if (row < 0 || row >= rowCount() - 1) return;
    swapRows(row, row + 1);
    setCurrentRow(row + 1);
}

QString TfrmRowArrangeGl::resultText() const
{
    QString text;
    for (int r = 0; r < rowCount(); ++r) {
        const int order = kOrders.indexOf(orderAt(r));
        if (order <= 0) continue;
        // Rows carry only their titles: a title shared by two columns names the first.
        for (const Column& c : columns_) {
            if (c.title != titleAt(r)) continue;
            text += c.field + (order == 1 ? QStringLiteral(" ASC") : QStringLiteral(" DESC")) + QLatin1Char(',');
            break;
        }
    }
    return text;
}

void TfrmRowArrangeGl::btnOKClick() { accept(); }
