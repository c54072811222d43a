#include "clients/TDlgCltXz.h"

#include "ui_TDlgCltXz.h"

#include "clients/ClientCommon.h"
#include "clients/ClientPicker.h"
#include "clients/TfrmCltEdit.h"
#include "data/DataGrid.h"
#include "platform/Messages.h"

QString PickClient(const QString& currentText, QWidget* parent)
{
    TDlgCltXz dlg(parent);
    DispFormPos(&dlg, 1);
    if (execModal(&dlg) != QDialog::Accepted || dlg.list().isEmpty()) return currentText;
    return dlg.chosenName();
}

TDlgCltXz::TDlgCltXz(QWidget* parent) : QDialog(parent), ui(new Ui::TDlgCltXz)
{
    ui->setupUi(this);
    ui->Splitter1->setStretchFactor(0, 0);
    ui->Splitter1->setStretchFactor(1, 1);
    ui->Splitter1->setSizes({170, 680});
    setupGrid();
    for (QLineEdit* e : {ui->edtCode, ui->edtName, ui->edtAddress})
        connect(e, &QLineEdit::textChanged, this, &TDlgCltXz::BuildPickerQuery);
    connect(ui->btnQuery, &QPushButton::clicked, this, &TDlgCltXz::BuildPickerQuery);
    connect(ui->btnNew, &QPushButton::clicked, this, &TDlgCltXz::btnNewClick);
    connect(ui->btnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->TreeView1, &QTreeWidget::itemDoubleClicked, this, &TDlgCltXz::TreeView1DblClick);
    connect(ui->DBGridEh1, &DataGrid::rowActivated, this, &QDialog::accept);

    LoadClientTypeTree(ui->TreeView1, QStringLiteral("客户类型"));
    BuildPickerQuery();
}

TDlgCltXz::~TDlgCltXz() { delete ui; }

DataGrid* TDlgCltXz::grid() const { return ui->DBGridEh1; }

void TDlgCltXz::setupGrid()
{
    const auto col = makeGridColumn;
    GridColumn code = col("F_Code", "编号", 80);
    code.footerType = 1;
    code.footerValue = QStringLiteral("合  计");
    // Client has no salesman column: "业务员" stays empty.
    ui->DBGridEh1->setColumns({
        code, col("F_Name", "名称", 180), col("F_Address", "地址", 180), col("F_LinkMan", "联系人", 70),
        col("F_HandPhone", "手机", 100), col("F_Fax", "传真", 90), col("F_Phone", "电话", 100),
        col("F_type", "类型", 110), col("F_EmpName", "业务员", 70), col("F_Mem", "备注", 160),
    });
    ui->DBGridEh1->setDataset(&QryMain);
}

PickerFilter TDlgCltXz::currentFilter() const
{
    return {ui->edtCode->text(), ui->edtName->text(), ui->edtAddress->text(), CurrentCategoryPath(ui->TreeView1)};
}

void TDlgCltXz::BuildPickerQuery()
{
    if (!ui->TreeView1->currentItem()) return;
    lastQuery_ = ::BuildPickerQuery(currentFilter());
    OpenClientList(lastQuery_, QryMain, ui->DBGridEh1);
}

void TDlgCltXz::reopenList() { OpenClientList(lastQuery_, QryMain, ui->DBGridEh1); }

QString TDlgCltXz::chosenName() const
{
    const int row = ui->DBGridEh1->currentRow();
    if (row < 0 || row >= QryMain.rowCount()) return {};
    return QryMain.text(row, QryMain.fieldIndex(QStringLiteral("F_Name")));
}

void TDlgCltXz::btnNewClick()
{
    TfrmCltEdit editor(this);
    editor.setCallerList(ui->DBGridEh1, [this](const QString&) { reopenList(); });
    editor.SetPickerMode();
    DispFormPos(&editor, 1);
    editor.ShowEditor(0);
}

void TDlgCltXz::TreeView1DblClick(QTreeWidgetItem* item)
{
    ui->TreeView1->setCurrentItem(item);
    BuildPickerQuery();
}
