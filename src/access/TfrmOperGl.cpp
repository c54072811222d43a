#include "access/TfrmOperGl.h"

#include "ui_TfrmOperGl.h"

#include "access/OperAccess.h"
#include "access/TFrmLimitGl.h"
#include "access/TfrmOperLogin.h"
#include "data/DataDm.h"
#include "data/DataGrid.h"
#include "data/PubUnit.h"
#include "platform/Messages.h"

void ShowOperList(QWidget* parent)
{
    TfrmOperGl frm(parent);
    DispFormPos(&frm, 1);
    execModal(&frm);
}

TfrmOperGl::TfrmOperGl(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmOperGl)
{
    ui->setupUi(this);
    FormCreate();
}

TfrmOperGl::~TfrmOperGl() { delete ui; }

DataGrid* TfrmOperGl::grid() const { return ui->DBGridEh1; }

void TfrmOperGl::FormCreate()
{
    // The views beside the list show the current operator; they take no input.
    for (QWidget* w : {static_cast<QWidget*>(ui->DBCheckBox1), static_cast<QWidget*>(ui->rbView0),
                       static_cast<QWidget*>(ui->rbView1), static_cast<QWidget*>(ui->rbView2)}) {
        w->setAttribute(Qt::WA_TransparentForMouseEvents);
        w->setFocusPolicy(Qt::NoFocus);
    }
    setupGrid();
    connect(ui->btnAdd, &QPushButton::clicked, this, &TfrmOperGl::btnAddClick);
    connect(ui->btnEdit, &QPushButton::clicked, this, &TfrmOperGl::btnEditClick);
    connect(ui->btnDel, &QPushButton::clicked, this, &TfrmOperGl::btnDelClick);
    connect(ui->btnClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->CheckBox1, &QCheckBox::toggled, this, [this] { OpenList(); });
    OpenList();
}

void TfrmOperGl::setupGrid()
{
    GridColumn name;
    name.fieldName = QStringLiteral("F_Name");
    name.title = QStringLiteral("操作员");
    name.width = 180;
    ui->DBGridEh1->setColumns({name});
    ui->DBGridEh1->setDataset(&QryOper);
    ui->DBGridEh1->setRowColor([this](int row, QColor& text, QColor& background) {
        const int flag = QryOper.fieldIndex(QStringLiteral("F_Flag"));
        if (flag < 0 || QryOper.integer(row, flag) == 0) return false;
        text = Qt::red;
        background = Colors::buttonFace();
        return true;
    });
    connect(ui->DBGridEh1, &DataGrid::currentRowChanged, this, &TfrmOperGl::showCurrent);
    connect(ui->DBGridEh1, &DataGrid::rowActivated, this, &TfrmOperGl::btnEditClick);
}

void TfrmOperGl::OpenList(const QString& locateName)
{
    QString sql = QStringLiteral("select * from OperList where (1=1) ");
    if (!ui->CheckBox1->isChecked()) sql += QStringLiteral("and F_flag = false ");
    sql += QStringLiteral("order by F_ID");
    dmData->OpenQuery(sql, QryOper);
    ui->DBGridEh1->refresh();
    if (!QryOper.isEmpty()) {
        const int row = locateName.isEmpty() ? -1 : QryOper.find(QryOper.fieldIndex(QStringLiteral("F_Name")), locateName);
        ui->DBGridEh1->setCurrentRow(row >= 0 ? row : 0);
    }
    showCurrent();
}

QString TfrmOperGl::currentName() const
{
    return OperRecord::fromRow(QryOper, ui->DBGridEh1->currentRow()).name;
}

void TfrmOperGl::showCurrent()
{
    const OperRecord oper = OperRecord::fromRow(QryOper, ui->DBGridEh1->currentRow());
    ui->DBMemo1->setPlainText(oper.mem);
    ui->DBCheckBox1->setChecked(oper.approve);
    QRadioButton* scopes[] = {ui->rbView0, ui->rbView1, ui->rbView2};
    for (int i = 0; i < 3; ++i) scopes[i]->setChecked(!QryOper.isEmpty() && oper.scope == i);
    ui->DBEdit1->setVisible(oper.scope == 2);
    ui->DBEdit1->setText(oper.scope == 2 ? oper.dept : QString());
}

void TfrmOperGl::openEditor(int mode, const OperRecord& oper)
{
    TFrmLimitGl editor(this);
    editor.SetEditMode(mode, oper);
    editor.setCallerList([this](const QString& name) { OpenList(name); });
    DispFormPos(&editor, 1);
    execModal(&editor);
}

void TfrmOperGl::btnAddClick() { openEditor(TFrmLimitGl::NewMode, OperRecord()); }

void TfrmOperGl::btnEditClick()
{
    if (QryOper.isEmpty()) {
        ShowMess(QStringLiteral("此表为空，没有记录需要修改！"), MessError);
        return;
    }
    if (TfrmOperLogin::isAdminName(currentName())) {
        ShowMess(QStringLiteral("此用户为系统默认用户，不能修改和编辑！"), MessError);
        return;
    }
    openEditor(TFrmLimitGl::EditMode, OperRecord::fromRow(QryOper, ui->DBGridEh1->currentRow()));
}

void TfrmOperGl::btnDelClick()
{
    if (QryOper.isEmpty()) return;
    const OperRecord oper = OperRecord::fromRow(QryOper, ui->DBGridEh1->currentRow());
    if (TfrmOperLogin::isAdminName(oper.name)) {
        ShowMess(QStringLiteral("此用户为系统默认用户，不能删除！"), MessError);
        return;
    }
    if (ShowMess(QStringLiteral("真的要删除当前操作员 \"") + oper.name + QStringLiteral("\" 吗？"), MessQuestion) != 1)
        return;
    // Its permission rows stay; saving an operator of that name replaces them.
    if (dmData->DeleteById(QStringLiteral("OperList"), oper.id)) OpenList();
}
