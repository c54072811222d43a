#include "clients/TfrmCltMan.h"

#include "ui_TfrmCltMan.h"

#include "clients/ClientCommon.h"
#include "clients/ClientRegister.h"
#include "clients/TfrmCltEdit.h"
#include "data/DataDm.h"
#include "data/DataGrid.h"
#include "data/GridLayout.h"
#include "data/PubUnit.h"
#include "data/WindowKeys.h"
#include "platform/Messages.h"

#include <QLabel>
#include <QMenu>
#include <QStyle>
#include <QTableView>

namespace {
const QString kGridName = QStringLiteral("cltman");
}

void ShowClientRegister(QWidget* parent)
{
    TfrmCltMan frm(parent);
    DispFormPos(&frm, 2);
    execModal(&frm);
}

TfrmCltMan::TfrmCltMan(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmCltMan)
{
    ui->setupUi(this);
    FormCreate();
}

TfrmCltMan::~TfrmCltMan() { delete ui; }

DataGrid* TfrmCltMan::grid() const { return ui->DBGridEh1; }

QString TfrmCltMan::statusText(int panel) const
{
    return panel >= 0 && panel < 3 ? panels_[panel]->text() : QString();
}

void TfrmCltMan::FormCreate()
{
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(ui->StatusBar1);
        panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        panels_[i]->setMinimumWidth(i == 2 ? 160 : 120);
        ui->StatusBar1->addWidget(panels_[i], i == 2 ? 1 : 0);
    }
    panels_[0]->setText(QStringLiteral("往来单位"));
    ui->Splitter1->setStretchFactor(0, 0);
    ui->Splitter1->setStretchFactor(1, 1);
    ui->Splitter1->setSizes({180, 800});
    setupToolbar();
    setupGrid();
    ui->ComboBox1->setCurrentIndex(-1);  // no search field until one is chosen
    LoadGridLayout(ui->DBGridEh1, kGridName);

    connect(ui->Edit1, &QLineEdit::textChanged, this, &TfrmCltMan::BuildClientQuery);
    connect(ui->SpeedButton1, &QToolButton::clicked, this, &TfrmCltMan::BuildClientQuery);
    connect(ui->chkUseFlag, &QCheckBox::clicked, this, &TfrmCltMan::BuildClientQuery);
    connect(ui->ComboBox1, &QComboBox::currentIndexChanged, this, &TfrmCltMan::ComboBox1Change);
    connect(ui->TreeView1, &QTreeWidget::itemDoubleClicked, this, &TfrmCltMan::TreeView1DblClick);
    connect(ui->SpeedButton2, &QToolButton::toggled, this, &TfrmCltMan::SpeedButton2Click);

    keys_ = new WindowKeys(this);
    keys_->bind(QKeyCombination(Qt::ControlModifier, Qt::Key_A), ui->tbNew);
    keys_->bind(QKeyCombination(Qt::ControlModifier, Qt::Key_E), ui->tbEdit);
    keys_->bind(QKeyCombination(Qt::Key_Escape), ui->tbExit);
    keys_->bind(QKeyCombination(Qt::Key_PageUp), ui->tbPrior);
    keys_->bind(QKeyCombination(Qt::Key_PageDown), ui->tbNext);
    keys_->bind(QKeyCombination(Qt::Key_End), ui->tbLast);
    keys_->bind(QKeyCombination(Qt::Key_Home), ui->tbFirst);
    keys_->bind(QKeyCombination(Qt::Key_Delete), ui->tbDel);
    keys_->enterMovesFocus();

    LoadClientTypeTree(ui->TreeView1, QStringLiteral("往来单位类型"));
    BuildClientQuery();
}

void TfrmCltMan::setupToolbar()
{
    const struct { QToolButton* button; QStyle::StandardPixmap icon; void (TfrmCltMan::*slot)(); } tools[] = {
        {ui->tbNew, QStyle::SP_FileIcon, &TfrmCltMan::tbNewClick},
        {ui->tbEdit, QStyle::SP_FileDialogDetailedView, &TfrmCltMan::tbEditClick},
        {ui->tbDel, QStyle::SP_TrashIcon, &TfrmCltMan::tbDelClick},
        {ui->tbFirst, QStyle::SP_MediaSkipBackward, &TfrmCltMan::tbFirstClick},
        {ui->tbPrior, QStyle::SP_MediaSeekBackward, &TfrmCltMan::tbPriorClick},
        {ui->tbNext, QStyle::SP_MediaSeekForward, &TfrmCltMan::tbNextClick},
        {ui->tbLast, QStyle::SP_MediaSkipForward, &TfrmCltMan::tbLastClick},
        {ui->tbPrint, QStyle::SP_FileDialogContentsView, nullptr},
        {ui->tbSet, QStyle::SP_FileDialogListView, nullptr},
        {ui->tbExpert, QStyle::SP_DialogSaveButton, &TfrmCltMan::tbExpertClick},
        {ui->tbExit, QStyle::SP_DialogCloseButton, nullptr},
    };
    for (const auto& t : tools) {
        t.button->setIcon(style()->standardIcon(t.icon));
        if (t.slot) connect(t.button, &QToolButton::clicked, this, t.slot);
    }
    connect(ui->tbExit, &QToolButton::clicked, this, &QDialog::reject);
    // Printing through report templates is not offered yet.
    ui->tbPrint->setEnabled(false);
    ui->tbSet->setEnabled(false);
}

void TfrmCltMan::setupGrid()
{
    const auto col = makeGridColumn;
    ui->DBGridEh1->setColumns({
        col("F_type", "单位类型", 120), col("F_Code", "单位编码", 80), col("F_Name", "单位名称", 200),
        col("F_LinkMan", "联 系 人", 70), col("F_HandPhone", "手    机", 100), col("F_Fax", "传   真", 100),
        col("F_PostCode", "邮    编", 60), col("F_Address", "地    址", 200), col("F_Phone", "电    话", 100),
        col("F_Bank", "开户银行", 150), col("F_Homepage", "公司主页", 140), col("F_Email", "电子邮箱", 140),
        col("F_Enrol", "法    人", 70), col("F_Mem", "备    注", 200),
    });
    ui->DBGridEh1->setDataset(&QryMain);
    ui->DBGridEh1->setRowColor([this](int row, QColor& text, QColor& background) {
        const int flag = QryMain.fieldIndex(QStringLiteral("F_useFlag"));
        if (flag < 0 || QryMain.integer(row, flag) == 0) return false;
        text = Qt::red;
        background = Colors::buttonFace();
        return true;
    });
    connect(ui->DBGridEh1, &DataGrid::rowActivated, this, [this] { tbEditClick(); });

    PopupMenu1 = new QMenu(this);
    QAction* n1 = PopupMenu1->addAction(QStringLiteral("显示字段列表"), this, &TfrmCltMan::N1Click);
    n1->setObjectName(QStringLiteral("N1"));
    QAction* n2 = PopupMenu1->addAction(QStringLiteral("保存当前设置"), this, &TfrmCltMan::N2Click);
    n2->setObjectName(QStringLiteral("N2"));
    QTableView* view = ui->DBGridEh1->view();
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint& pos) { PopupMenu1->popup(view->viewport()->mapToGlobal(pos)); });
}

ClientFilter TfrmCltMan::currentFilter() const
{
    ClientFilter f;
    f.searchField = ui->ComboBox1->currentIndex();
    f.searchText = ui->Edit1->text();
    f.categoryPath = CurrentCategoryPath(ui->TreeView1);
    f.includeDisabled = ui->chkUseFlag->isChecked();
    return f;
}

void TfrmCltMan::BuildClientQuery()
{
    if (!ui->TreeView1->currentItem()) return;
    lastQuery_ = ::BuildClientQuery(currentFilter());
    OpenClientList(lastQuery_, QryMain, ui->DBGridEh1);
    setMoveButtons(true, true);
    showCount();
}

void TfrmCltMan::reopenList(const QString& code)
{
    OpenClientList(lastQuery_, QryMain, ui->DBGridEh1);
    if (!code.isEmpty()) {
        const int row = QryMain.find(QryMain.fieldIndex(QStringLiteral("F_code")), code);
        if (row >= 0) ui->DBGridEh1->setCurrentRow(row);
    }
    showCount();
}

void TfrmCltMan::showCount() { panels_[2]->setText(QStringLiteral("记录数：%1").arg(QryMain.rowCount())); }

void TfrmCltMan::openEditor(int mode)
{
    TfrmCltEdit editor(this);
    editor.setCallerList(ui->DBGridEh1, [this](const QString& code) { reopenList(code); });
    DispFormPos(&editor, 1);
    editor.ShowEditor(mode);
}

void TfrmCltMan::tbNewClick() { openEditor(0); }

void TfrmCltMan::tbEditClick()
{
    if (QryMain.isEmpty()) {
        ShowMess(QStringLiteral("此表为空，没有记录需要修改！"), MessError);
        return;
    }
    openEditor(1);
}

void TfrmCltMan::tbDelClick()
{
    const int row = ui->DBGridEh1->currentRow();
    if (QryMain.isEmpty() || row < 0) return;
    const QString name = QryMain.text(row, QryMain.fieldIndex(QStringLiteral("F_Name")));
    if (ShowMess(QStringLiteral("真的要删除当前客户") + name + QStringLiteral("吗？"), MessQuestion) != 1) return;
    if (dmData->DeleteById(QStringLiteral("Client"), QryMain.integer(row, QryMain.fieldIndex(QStringLiteral("F_ID")))))
        reopenList();
}

void TfrmCltMan::setMoveButtons(bool backward, bool forward)
{
    ui->tbFirst->setEnabled(backward);
    ui->tbPrior->setEnabled(backward);
    ui->tbNext->setEnabled(forward);
    ui->tbLast->setEnabled(forward);
}

void TfrmCltMan::tbFirstClick()
{
    if (!QryMain.isEmpty()) ui->DBGridEh1->setCurrentRow(0);
    setMoveButtons(false, true);
}

void TfrmCltMan::tbLastClick()
{
    if (!QryMain.isEmpty()) ui->DBGridEh1->setCurrentRow(QryMain.rowCount() - 1);
    setMoveButtons(true, false);
}

void TfrmCltMan::tbPriorClick()
{
    const int row = ui->DBGridEh1->currentRow();
    if (row <= 0) {
        setMoveButtons(false, true);
        return;
    }
    ui->DBGridEh1->setCurrentRow(row - 1);
    ui->tbNext->setEnabled(true);
    ui->tbLast->setEnabled(true);
}

void TfrmCltMan::tbNextClick()
{
    const int row = ui->DBGridEh1->currentRow();
    if (row < 0 || row >= QryMain.rowCount() - 1) {
        setMoveButtons(true, false);
        return;
    }
    ui->DBGridEh1->setCurrentRow(row + 1);
    ui->tbFirst->setEnabled(true);
    ui->tbPrior->setEnabled(true);
}

void TfrmCltMan::tbExpertClick()
{
    ExportGridToExcel(ui->DBGridEh1, QStringLiteral("往来单位资料"), true);
}

void TfrmCltMan::ComboBox1Change()
{
    // Another field starts a new search.
    ui->Edit1->clear();
}

void TfrmCltMan::TreeView1DblClick(QTreeWidgetItem* item)
{
    ui->TreeView1->setCurrentItem(item);
    BuildClientQuery();
}

void TfrmCltMan::SpeedButton2Click(bool shown) { ui->TreeView1->setVisible(shown); }

void TfrmCltMan::N1Click() { ChooseGridColumns(ui->DBGridEh1); }

void TfrmCltMan::N2Click()
{
    if (ShowMess(QStringLiteral("真的要保存当前网格设置吗？"), MessQuestion) != 1) return;
    SaveGridLayout(ui->DBGridEh1, kGridName);
}
