#include "data/TFrmDispFieldXZ.h"

#include "platform/Messages.h"
#include "ui_TFrmDispFieldXZ.h"

TFrmDispFieldXZ::TFrmDispFieldXZ(QWidget* parent) : QDialog(parent), ui(new Ui::TFrmDispFieldXZ)
{
    ui->setupUi(this);
    connect(ui->btnOK, &QPushButton::clicked, this, &TFrmDispFieldXZ::btnOKClick);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    DispFormPos(this, 1);
}

TFrmDispFieldXZ::~TFrmDispFieldXZ() { delete ui; }

void TFrmDispFieldXZ::setColumns(const QStringList& titles, const QVector<bool>& visible)
{
    ui->CheckListBox1->clear();
    for (int i = 0; i < titles.size(); ++i) {
        auto* item = new QListWidgetItem(titles[i], ui->CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(visible.value(i, true) ? Qt::Checked : Qt::Unchecked);
    }
    if (!titles.isEmpty()) ui->CheckListBox1->setCurrentRow(0);
}

QVector<bool> TFrmDispFieldXZ::ticked() const
{
    QVector<bool> out;
    for (int i = 0; i < ui->CheckListBox1->count(); ++i)
        out << (ui->CheckListBox1->item(i)->checkState() == Qt::Checked);
    return out;
}

void TFrmDispFieldXZ::setTicked(int i, bool on)
{
    if (QListWidgetItem* item = ui->CheckListBox1->item(i)) item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

void TFrmDispFieldXZ::btnOKClick() { accept(); }
