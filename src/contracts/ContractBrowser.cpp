#include "contracts/ContractBrowser.h"

#include "ui_ContractBrowser.h"

#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/DataGrid.h"
#include "data/GridLayout.h"
#include "data/PubUnit.h"

#include <QKeyEvent>
#include <QStyle>
#include <QTreeWidget>

namespace {
GridColumn col(const char* field, const char* title, int width = 80) { return makeGridColumn(field, title, width); }

QVector<GridColumn> mainColumns()
{
    QVector<GridColumn> cols = {
        col("F_code", "合同编号", 91),      col("F_name", "合同名称", 130),     col("F_type", "合同类型", 110),
        col("F_empname", "业务员", 68),     col("F_date", "签订日期", 91),      col("F_totalPrice", "合同金额", 69),
        col("F_priceunit", "币种", 80),     col("F_dept", "部门", 80),          col("F_beginDate", "合同开始日期"),
        col("F_endDate", "合同截止日期"),   col("F_status", "合同状态", 79),    col("F_memo1", "合同主要内容", 132),
        col("F_memo2", "合同异常描述", 119), col("F_client1", "甲方单位", 80),   col("F_FZR1", "负责人", 80),
        col("F_client2", "乙方单位", 80),   col("F_FZR2", "负责人", 80),        col("F_GDflag", "归档", 32),
    };
    for (const char* f : {"F_ZF1", "F_ZF2", "F_ZF3", "F_ZF4", "F_ZF5", "F_SZ1", "F_SZ2", "F_SZ3", "F_RQ1", "F_RQ2", "F_RQ3"})
        cols << col(f, "");
    return cols;
}

QVector<GridColumn> detailColumns(int n)
{
    switch (n) {
    case 1:
        return {col("F_date", "发生日期", 87), col("F_OldCode", "票据号码", 118), col("F_YSprice", "应收金额", 75),
                col("F_YSdate", "应收日期", 89), col("F_SKprice", "收款金额", 92), col("F_SKdate", "收款日期", 84),
                col("F_KPprice", "开票金额", 86)};
    case 2:
        return {col("F_ZXdate", "执行时间"), col("F_ZXmem", "执行情况"), col("F_GZL", "执行工作量"), col("F_JD", "执行进度"),
                col("F_empName", "业务员"), col("F_editDate", "编辑日期"), col("F_Memo1", "备注")};
    case 3:
        return {col("F_awokeDate", "提醒日期"), col("F_awokeTime", "提醒时间"), col("F_caption", "事务主题"),
                col("F_memo1", "详细描述"), col("F_editDate", "编辑日期"), col("F_operName", "录入人员")};
    case 4:
        return {col("F_HTcode", "合同编号"), col("F_HTname", "合同名称"), col("F_BGitem", "变更项目"),
                col("F_BGreason", "变更理由"), col("F_BGbegin", "变 更 前"), col("F_BGend", "变 更 后"),
                col("F_STemp", "申请人"), col("F_STdate", "申请日期"), col("F_PZemp", "批准人"),
                col("F_PZdate", "批准日期"), col("F_operName", "操作员"), col("F_editDate", "制单日期"),
                col("F_memo1", "备注")};
    case 6:
        return {col("F_fileName", "文件名", 80), col("F_filePos", "所在位置", 122), col("F_fileExt", "文件类型", 80),
                col("F_memo1", "主要内容", 163)};
    default: return {};
    }
}

const char* const kDetailTables[] = {"t_SKrec", "t_ZXrec", "t_TXrec", "t_BGrec", "t_TPrec", "t_FJrec"};
const char* const kDetailLayouts[] = {"detail2", "detail3", "detail4", "detail5", "", "detail6"};
}

ContractBrowser::ContractBrowser(QWidget* parent) : QWidget(parent), ui(new Ui::ContractBrowser)
{
    ui->setupUi(this);
    ui->splitterMain->setStretchFactor(0, 0);
    ui->splitterMain->setStretchFactor(1, 1);
    ui->splitterMain->setSizes({200, 900});
    ui->splitterRight->setSizes({420, 220});
    ui->ComboBox1->setCurrentIndex(-1);
    ui->vleList->setColumnCount(2);
    ui->vleList->setColumnWidth(0, 36);
    ui->BitBtn1->setShortcut(Qt::Key_F3);
    setupGrids();
    connectHandlers();
}

ContractBrowser::~ContractBrowser() { delete ui; }

DataGrid* ContractBrowser::mainGrid() const { return ui->DBGridEh1; }

DataGrid* ContractBrowser::detailGrid(int n) const
{
    switch (n) {
    case 1: return ui->DBGridEh2;
    case 2: return ui->DBGridEh3;
    case 3: return ui->DBGridEh4;
    case 4: return ui->DBGridEh5;
    case 6: return ui->DBGridEh6;
    default: return nullptr;
    }
}

void ContractBrowser::setupGrids()
{
    DataGrid* g = ui->DBGridEh1;
    QVector<GridColumn> cols = mainColumns();
    for (GridColumn& c : cols)
        if (c.fieldName == QLatin1String("F_totalPrice")) c.displayFormat = AppState().MoneyFormat;
    g->setColumns(cols);
    g->setMultiSelect(true);
    g->setEmptyDateFields({QStringLiteral("F_beginDate"), QStringLiteral("F_endDate"), QStringLiteral("F_editDate"),
                           QStringLiteral("F_RQ1"), QStringLiteral("F_RQ2"), QStringLiteral("F_RQ3")});
    g->setRowColor([this](int row, QColor& text, QColor& background) {
        const int sh = qryMain_.fieldIndex(QStringLiteral("F_SHemp"));
        const int gd = qryMain_.fieldIndex(QStringLiteral("F_GDflag"));
        if (sh >= 0 && !qryMain_.text(row, sh).trimmed().isEmpty()) {
            text = Qt::blue;
            background = Colors::tooltipBackground();
            return true;
        }
        if (gd >= 0 && qryMain_.integer(row, gd) != 0) {
            text = Qt::red;
            background = Colors::buttonFace();
            return true;
        }
        return false;
    });
    g->setDataset(&qryMain_);

    for (int n : {1, 2, 3, 4, 6}) {
        DataGrid* d = detailGrid(n);
        QVector<GridColumn> dc = detailColumns(n);
        for (GridColumn& c : dc)
            if (c.fieldName.endsWith(QLatin1String("price"), Qt::CaseInsensitive)) c.displayFormat = AppState().MoneyFormat;
        d->setColumns(dc);
        d->setDataset(&qryDetail_[n - 1]);
    }
    ui->DBGridEh2->setEmptyDateFields({QStringLiteral("F_YSdate"), QStringLiteral("F_SKdate")});
    ui->DBGridEh4->setEmptyDateFields({QStringLiteral("F_awokeDate")});
}

void ContractBrowser::connectHandlers()
{
    connect(ui->DBGridEh1, &DataGrid::currentRowChanged, this, [this] { onMainRowChanged(); });
    connect(ui->tvTree, &QTreeWidget::itemDoubleClicked, this, [this] { onTreeDoubleClicked(); });
    connect(ui->tvTree, &QTreeWidget::currentItemChanged, this, [this] { paintTreePictures(); });
    connect(ui->vleList, &QTableWidget::cellClicked, this, [this] { onProjectRowClicked(); });
    connect(ui->cbbListType, &QComboBox::currentIndexChanged, this, [this] { onListTypeChanged(); });
    connect(ui->btnRefreshList, &QPushButton::clicked, this, [this] { onListTypeChanged(); });
    connect(ui->ComboBox1, &QComboBox::currentIndexChanged, this, [this] { onSearchFieldChanged(); });
    connect(ui->Edit1, &QLineEdit::textChanged, this, [this] { if (!suspendSearch_) RefreshContracts(); });
    connect(ui->BitBtn1, &QPushButton::clicked, this, [this] { RefreshContracts(); });
    connect(ui->CheckBox1, &QCheckBox::clicked, this, [this] { RefreshContracts(); });
    for (QRadioButton* rb : {ui->rbAll, ui->rbReceive, ui->rbPay})
        connect(rb, &QRadioButton::clicked, this, [this] { RefreshContracts(); });
    connect(ui->SpeedButton2, &QToolButton::clicked, this, [this](bool down) { onAdvancedToggled(down); });
    connect(ui->ListView1, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) SelectDetailTab(item->data(Qt::UserRole).toInt());
    });
}

void ContractBrowser::firstShow()
{
    LoadTree();
    ui->cbbListType->blockSignals(true);
    ui->cbbListType->setCurrentIndex(0);
    ui->cbbListType->blockSignals(false);
    onListTypeChanged();  // fills the project list, which refreshes the contracts
    RebuildDetailKinds();
    LoadGridLayout(ui->DBGridEh1, QStringLiteral("clientmain"));
    for (int n : {1, 2, 3, 4, 6}) LoadGridLayout(detailGrid(n), QString::fromLatin1(kDetailLayouts[n - 1]));
    TdmData::ApplyCustomCaptions(*ui->DBGridEh1);
    ui->DBGridEh1->columnsChanged();
    if (ui->ListView1->count() > 0) ui->ListView1->setCurrentRow(0);
    else SelectDetailTab(0);
}

void ContractBrowser::LoadTree()
{
    dmData->LoadCodeTree(ui->tvTree, QStringLiteral("合同类型"), QStringLiteral("type"));
    if (QTreeWidgetItem* root = ui->tvTree->topLevelItem(0)) {
        root->setExpanded(true);
        ui->tvTree->setCurrentItem(root);
    }
    paintTreePictures();
}

void ContractBrowser::paintTreePictures()
{
    QStyle* st = style();
    const QIcon rootIcon = st->standardIcon(QStyle::SP_DriveHDIcon);
    const QIcon folder = st->standardIcon(QStyle::SP_DirClosedIcon);
    const QIcon folderOpen = st->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon leaf = st->standardIcon(QStyle::SP_FileIcon);
    const QIcon chosen = st->standardIcon(QStyle::SP_DialogApplyButton);
    QTreeWidgetItem* current = ui->tvTree->currentItem();
    std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int level) {
        QIcon icon;
        if (level == 0) icon = rootIcon;
        else if (level == 1 && item->childCount() > 0) icon = item == current ? folderOpen : folder;
        else icon = item == current ? chosen : leaf;
        item->setIcon(0, icon);
        for (int i = 0; i < item->childCount(); ++i) walk(item->child(i), level + 1);
    };
    for (int i = 0; i < ui->tvTree->topLevelItemCount(); ++i) walk(ui->tvTree->topLevelItem(i), 0);
}

ContractFilter ContractBrowser::currentFilter() const
{
    ContractFilter f;
    f.scope = AppState().isAdmin() ? 0 : AppState().ScopeFlag;
    f.operName = AppState().OperName;
    f.deptList = AppState().DeptList;
    f.searchField = ui->ComboBox1->currentIndex();
    f.searchText = ui->Edit1->text().trimmed();
    if (QTreeWidgetItem* node = ui->tvTree->currentItem(); node && node->parent())
        f.categoryPath = TreeNodeData::of(node).likeCode;
    f.direction = ui->rbReceive->isChecked() ? 1 : ui->rbPay->isChecked() ? 2 : 0;
    f.includeArchived = ui->CheckBox1->isChecked();
    f.projectType = ui->cbbListType->currentIndex();
    const int row = ui->vleList->currentRow();
    if (row > 0 && ui->vleList->item(row, 1)) f.projectValue = ui->vleList->item(row, 1)->text();
    return f;
}

void ContractBrowser::releaseAdvanced()
{
    if (!ui->SpeedButton2->isChecked()) return;
    ui->SpeedButton2->setChecked(false);
    ui->SpeedButton2->setStyleSheet(QString());
}

bool ContractBrowser::queryMode() const { return ui->SpeedButton2->isChecked(); }

void ContractBrowser::RefreshContracts()
{
    releaseAdvanced();
    openMain(BuildContractQuery(currentFilter()));
}

void ContractBrowser::openMain(const SqlWithParams& q)
{
    const int keepCltId = currentCltId();
    if (!dmData->OpenQuery(q.sql, qryMain_, q.params)) qryMain_ = Dataset();
    ui->DBGridEh1->refresh();
    if (keepCltId > 0) {
        const int row = qryMain_.find(qryMain_.fieldIndex(QStringLiteral("F_cltID")), keepCltId);
        if (row >= 0) ui->DBGridEh1->setCurrentRow(row);
    }
    OpenDetail(false);
    updateCount();
    emit contractScrolled();
}

void ContractBrowser::showQueryResult(const SqlWithParams& query)
{
    if (query.sql.trimmed().isEmpty()) {
        ui->SpeedButton2->setChecked(false);
        ui->SpeedButton2->setStyleSheet(QString());
        return;
    }
    ui->SpeedButton2->setChecked(true);
    ui->SpeedButton2->setStyleSheet(QStringLiteral("color: red;"));
    openMain(query);
}

void ContractBrowser::onAdvancedToggled(bool down)
{
    if (down) {
        emit advancedQueryRequested();
    } else {
        ui->SpeedButton2->setStyleSheet(QString());
        RefreshContracts();
    }
}

void ContractBrowser::updateCount() { ui->lblHTnum->setText(countText()); }

QString ContractBrowser::countText() const
{
    return QStringLiteral("合同总数： %1 个").arg(qryMain_.rowCount());
}

int ContractBrowser::currentCltId() const
{
    if (qryMain_.eof()) return 0;
    return static_cast<int>(qryMain_.integer(QStringLiteral("F_cltID")));
}

void ContractBrowser::onMainRowChanged()
{
    OpenDetail(false);
    emit contractScrolled();
}

void ContractBrowser::OpenDetail(bool all)
{
    const int cltId = currentCltId();
    // Lists not in front are brought up to date when their page is shown.
    for (int n = 1; n <= 6; ++n) {
        if (!all && n != curDetailTab_) continue;
        Dataset& ds = qryDetail_[n - 1];
        dmData->OpenQuery(QStringLiteral("select * from %1 where F_cltID = ?").arg(QLatin1String(kDetailTables[n - 1])), ds,
                          {cltId});
        detailOpen_[n - 1] = true;
        if (DataGrid* g = detailGrid(n)) g->refresh();
    }
}

void ContractBrowser::FillProjectList(const QString& sql, int type, const QVariantList& params)
{
    Dataset rows;
    dmData->OpenQuery(sql, rows, params);
    ui->vleList->setRowCount(0);
    ui->vleList->setRowCount(1);
    ui->vleList->setItem(0, 0, new QTableWidgetItem(QStringLiteral("0")));
    ui->vleList->setItem(0, 1, new QTableWidgetItem(QStringLiteral("全部")));
    suspendProjectClick_ = true;
    ui->vleList->setCurrentCell(0, 1);
    RefreshContracts();
    suspendProjectClick_ = false;
    static const char* titles[] = {"合同状态", "业 务 员", "部    门"};
    ui->vleList->setHorizontalHeaderLabels({QString(), QString::fromUtf8(titles[qBound(1, type, 3) - 1])});
    ui->vleList->setRowCount(rows.rowCount() + 1);
    for (int r = 0; r < rows.rowCount(); ++r) {
        ui->vleList->setItem(r + 1, 0, new QTableWidgetItem(QString::number(r + 1)));
        ui->vleList->setItem(r + 1, 1, new QTableWidgetItem(rows.text(r, 0)));
    }
}

void ContractBrowser::onProjectRowClicked()
{
    if (!suspendProjectClick_) RefreshContracts();
}

void ContractBrowser::onListTypeChanged()
{
    switch (ui->cbbListType->currentIndex()) {
    case 1:
        FillProjectList(QStringLiteral("select F_name from t_code where (F_name <> '') and F_type = 'empName' order by F_ID"), 2);
        break;
    case 2:
        if (!AppState().isAdmin() && AppState().ScopeFlag == 2) {
            const QStringList names = TdmData::deptNames(AppState().DeptList);
            QVariantList params;
            for (const QString& n : names) params << n;
            FillProjectList(QStringLiteral("select F_name from t_code where (F_name <> '') and F_type = 'dept' and (F_name in (%1)) order by F_ID")
                                .arg(TdmData::placeholders(static_cast<int>(names.size()))),
                            3, params);
        } else {
            FillProjectList(QStringLiteral("select F_name from t_code where (F_name <> '') and F_type = 'dept' order by F_ID"), 3);
        }
        break;
    default:
        FillProjectList(QStringLiteral("select F_name from t_code where (F_name <> '') and F_type = 'status' order by F_ID"), 1);
        break;
    }
}

void ContractBrowser::onSearchFieldChanged()
{
    // Another field starts an empty search, which refreshes the list.
    if (ui->Edit1->text().isEmpty()) RefreshContracts();
    else ui->Edit1->clear();
}

void ContractBrowser::onTreeDoubleClicked() { RefreshContracts(); }

void ContractBrowser::RebuildDetailKinds()
{
    struct Kind { const char* caption; int page; const char* code; };
    static const Kind kinds[] = {{"收付款项", 0, "209"}, {"执行情况", 1, "210"}, {"合同提醒", 2, nullptr},
                                 {"合同变更", 3, "211"}, {"合同扫描", 4, nullptr}, {"合同附件", 5, "212"}};
    const bool admin = AppState().isAdmin();
    ui->ListView1->blockSignals(true);
    ui->ListView1->clear();
    for (const Kind& k : kinds) {
        if (k.code && !admin && !dmData->HasPermission(QString::fromLatin1(k.code))) continue;
        auto* item = new QListWidgetItem(QString::fromUtf8(k.caption), ui->ListView1);
        item->setData(Qt::UserRole, k.page);
    }
    ui->ListView1->blockSignals(false);
}

void ContractBrowser::SelectDetailTab(int page)
{
    ui->pcDetail->setCurrentIndex(page);
    curDetailTab_ = page + 1;
    OpenDetail(false);
}
