#include "codes/TFrmCodeMan.h"

#include "ui_TFrmCodeMan.h"

#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/DataGrid.h"
#include "data/PrintGrid.h"
#include "data/WindowKeys.h"
#include "platform/Messages.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLabel>
#include <QStyle>
#include <QTableView>

namespace {
constexpr int kColumnWidth = 320;
}

const QVector<TFrmCodeMan::Page>& TFrmCodeMan::pages()
{
    static const QVector<Page> all = {
        {"empname", " 业 务 员 "},  {"status", " 合同状态 "},    {"priceunit", " 合同币种 "},
        {"dept", " 部    门 "},     {"awoketime", " 提醒时间 "}, {"txcaption", " 提醒主题 "},
    };
    return all;
}

TFrmCodeMan::TFrmCodeMan(QWidget* parent) : QDialog(parent), ui(new Ui::TFrmCodeMan)
{
    ui->setupUi(this);
    for (const Page& p : pages()) ui->TabSet1->addTab(QString::fromUtf8(p.caption));
    ui->TabSet1->setExpanding(false);
    ui->TabSet1->setShape(QTabBar::RoundedSouth);

    GridColumn name;
    name.fieldName = QStringLiteral("F_Name");
    name.title = columnTitle();
    name.width = kColumnWidth;
    name.readOnly = false;
    ui->DBGridEh1->setColumns({name});
    ui->DBGridEh1->setTitleClickSort(false);
    ui->DBGridEh1->setDataset(&QryCode);

    panels_[0] = new QLabel(this);
    panels_[1] = new QLabel(AppStateRecord::MakerBanner + QStringLiteral("  "), this);
    ui->StatusBar1->addWidget(panels_[0], 1);
    ui->StatusBar1->addPermanentWidget(panels_[1]);

    setupToolbar();
    setupKeys();
    connect(ui->TabSet1, &QTabBar::currentChanged, this, &TFrmCodeMan::TabSet1Change);

    setEditMode(false);
    openList();
}

TFrmCodeMan::~TFrmCodeMan() { delete ui; }

void TFrmCodeMan::setupToolbar()
{
    const struct {
        QToolButton* button;
        QStyle::StandardPixmap icon;
        void (TFrmCodeMan::*handler)();
    } buttons[] = {
        {ui->tbNew, QStyle::SP_FileIcon, &TFrmCodeMan::tbNewClick},
        {ui->tbEdit, QStyle::SP_FileDialogDetailedView, &TFrmCodeMan::tbEditClick},
        {ui->tbDel, QStyle::SP_TrashIcon, &TFrmCodeMan::tbDelClick},
        {ui->tbSave, QStyle::SP_DialogSaveButton, &TFrmCodeMan::tbSaveClick},
        {ui->tbCancel, QStyle::SP_DialogCancelButton, &TFrmCodeMan::tbCancelClick},
        {ui->tbPrint, QStyle::SP_FileDialogContentsView, &TFrmCodeMan::tbPrintClick},
        {ui->tbRefresh, QStyle::SP_BrowserReload, &TFrmCodeMan::tbRefreshClick},
        {ui->tbExit, QStyle::SP_DialogCloseButton, nullptr},
    };
    for (const auto& b : buttons) {
        b.button->setIcon(style()->standardIcon(b.icon));
        if (b.handler) connect(b.button, &QToolButton::clicked, this, b.handler);
    }
    connect(ui->tbExit, &QToolButton::clicked, this, &QDialog::reject);
}

void TFrmCodeMan::setupKeys()
{
    auto* keys = new WindowKeys(this);
    // A command that is off leaves its key to the control: Delete and Ctrl+A
    // work in the cell being typed in.
    const auto off = WindowKeys::WhenOff::PassOn;
    keys->bind(QKeyCombination(Qt::ControlModifier, Qt::Key_A), ui->tbNew, off);
    keys->bind(QKeyCombination(Qt::ControlModifier, Qt::Key_E), ui->tbEdit, off);
    keys->bind(QKeyCombination(Qt::ControlModifier, Qt::Key_S), ui->tbSave, off);
    keys->bind(QKeyCombination(Qt::Key_Delete), ui->tbDel, off);
    // Escape in an open cell takes back that cell's typing first; then it
    // cancels the pending changes while editing, or leaves the window.
    keys->bind(QKeyCombination(Qt::Key_Escape), [](QWidget* w) { return !WindowKeys::isCellEditor(w); },
               [this] { (editing_ ? ui->tbCancel : ui->tbExit)->click(); });
    // While editing, Down on the last row appends another row (one blank new
    // row at a time).
    keys->bind(QKeyCombination(Qt::Key_Down),
               [this](QWidget* w) {
                   QTableView* view = ui->DBGridEh1->view();
                   return editing_ && (w == view || view->isAncestorOf(w))
                       && ui->DBGridEh1->currentRow() == QryCode.rowCount() - 1 && !lastRowIsNewAndBlank();
               },
               [this] { appendRow(); });
    // Enter moves on to the next input, out of the grid too; an open cell
    // keeps its own Enter, which finishes the typing.
    keys->enterMovesFocus();
}

DataGrid* TFrmCodeMan::grid() const { return ui->DBGridEh1; }

QString TFrmCodeMan::currentType() const
{
    return QString::fromLatin1(pages().value(qMax(0, ui->TabSet1->currentIndex())).type);
}

QString TFrmCodeMan::columnTitle() const
{
    return QString::fromUtf8(pages().value(qMax(0, ui->TabSet1->currentIndex())).caption).trimmed();
}

QString TFrmCodeMan::statusText(int panel) const
{
    return panel >= 0 && panel < 2 ? panels_[panel]->text() : QString();
}

void TFrmCodeMan::setEditMode(bool editing)
{
    editing_ = editing;
    for (QToolButton* b : {ui->tbNew, ui->tbEdit, ui->tbDel, ui->tbPrint, ui->tbRefresh, ui->tbExit})
        b->setEnabled(!editing);
    ui->TabSet1->setEnabled(!editing);
    ui->tbSave->setEnabled(editing);
    ui->tbCancel->setEnabled(editing);
    ui->DBGridEh1->setEditable(editing);
    panels_[0]->setText(editing ? QStringLiteral("编辑状态：修改后请按“保存”") : QStringLiteral("浏览状态"));
}

void TFrmCodeMan::openList(int row)
{
    // Types compare without regard to case: "empName" rows belong to "empname".
    dmData->OpenQuery(QStringLiteral("Select * From t_code where F_type = ? COLLATE NOCASE order by F_ID"), QryCode,
                      {currentType()});
    stored_.clear();
    const int id = QryCode.fieldIndex(QStringLiteral("F_ID"));
    const int name = QryCode.fieldIndex(QStringLiteral("F_Name"));
    const int type = QryCode.fieldIndex(QStringLiteral("F_type"));
    if (id >= 0 && name >= 0 && type >= 0)
        for (int r = 0; r < QryCode.rowCount(); ++r)
            stored_.insert(QryCode.integer(r, id), {QryCode.text(r, name), QryCode.text(r, type)});
    ui->DBGridEh1->refresh();
    if (!QryCode.isEmpty()) ui->DBGridEh1->setCurrentRow(qBound(0, row, QryCode.rowCount() - 1));
}

void TFrmCodeMan::TabSet1Change(int)
{
    ui->DBGridEh1->setColumnTitle(0, columnTitle());
    openList();
}

void TFrmCodeMan::tbNewClick()
{
    setEditMode(true);
    appendRow();
}

bool TFrmCodeMan::lastRowIsNewAndBlank() const
{
    const int last = QryCode.rowCount() - 1;
    if (last < 0) return false;
    return QryCode.isNull(last, QryCode.fieldIndex(QStringLiteral("F_ID")))
        && QryCode.text(last, QryCode.fieldIndex(QStringLiteral("F_Name"))).isEmpty();
}

void TFrmCodeMan::appendRow()
{
    postEditor();
    const int row = QryCode.appendRow();
    ui->DBGridEh1->refresh();
    ui->DBGridEh1->setCurrentRow(row);
    QTableView* view = ui->DBGridEh1->view();
    view->setFocus();
    view->edit(view->model()->index(row, 0));
}

void TFrmCodeMan::tbEditClick()
{
    if (QryCode.isEmpty()) {
        ShowMess(QStringLiteral("此表为空，没有记录需要修改！"), MessError);
        return;
    }
    setEditMode(true);
    ui->DBGridEh1->view()->setFocus();
}

void TFrmCodeMan::tbDelClick()
{
    if (QryCode.isEmpty()) {
        ShowMess(QStringLiteral("此表是空表，不需要删除！"), MessInfo);
        return;
    }
    const int row = qMax(0, ui->DBGridEh1->currentRow());
    const QString name = QryCode.text(row, QryCode.fieldIndex(QStringLiteral("F_Name")));
    const QString caption = QString::fromUtf8(pages().value(ui->TabSet1->currentIndex()).caption);
    if (ShowMess(QStringLiteral("真的要删除 \"") + caption + QLatin1Char('"') + name + QStringLiteral("吗？"), MessQuestion) == 2)
        return;
    if (!dmData->DeleteById(QStringLiteral("t_code"), QryCode.integer(row, QryCode.fieldIndex(QStringLiteral("F_ID")))))
        return;
    openList(row);
}

void TFrmCodeMan::postEditor()
{
    // The cell being typed in is taken into the list before it is saved.
    QTableView* view = ui->DBGridEh1->view();
    QWidget* editor = QApplication::focusWidget();
    if (!WindowKeys::isCellEditor(editor) || !view->isAncestorOf(editor)) return;
    QMetaObject::invokeMethod(view, "commitData", Q_ARG(QWidget*, editor));
    QMetaObject::invokeMethod(view, "closeEditor", Q_ARG(QWidget*, editor),
                              Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::NoHint));
}

bool TFrmCodeMan::writePending()
{
    const QString type = currentType();
    const int id = QryCode.fieldIndex(QStringLiteral("F_ID"));
    const int name = QryCode.fieldIndex(QStringLiteral("F_Name"));
    try {
        Connection& c = dmData->ADOcnn();
        auto tx = c.transaction(true);
        for (int r = 0; r < QryCode.rowCount(); ++r) {
            const QString text = QryCode.text(r, name);
            if (QryCode.isNull(r, id)) {
                // Every row saved here belongs to the page's list.
                c.exec(QStringLiteral("insert into t_code(F_type,F_name) values(?,?)"), {type, text});
                continue;
            }
            const auto was = stored_.value(QryCode.integer(r, id));
            if (was.first == text && was.second == type) continue;
            c.exec(QStringLiteral("update t_code set F_type = ?,F_name = ? where F_ID = ?"),
                   {type, text, QryCode.integer(r, id)});
        }
        tx.commit();
        return true;
    } catch (const DbError& e) {
        ShowMess(e.message(), MessError);
        return false;
    }
}

void TFrmCodeMan::tbSaveClick()
{
    postEditor();
    // A failed save keeps the window editing with every pending row.
    if (!writePending()) return;
    const int row = ui->DBGridEh1->currentRow();
    setEditMode(false);
    openList(row);
}

void TFrmCodeMan::tbCancelClick()
{
    QTableView* view = ui->DBGridEh1->view();
    if (QWidget* editor = QApplication::focusWidget(); WindowKeys::isCellEditor(editor) && view->isAncestorOf(editor))
        QMetaObject::invokeMethod(view, "closeEditor", Q_ARG(QWidget*, editor),
                                  Q_ARG(QAbstractItemDelegate::EndEditHint, QAbstractItemDelegate::RevertModelCache));
    const int row = ui->DBGridEh1->currentRow();
    setEditMode(false);
    openList(row);
}

void TFrmCodeMan::tbPrintClick()
{
    PrintGrid(ui->DBGridEh1, columnTitle() + QStringLiteral("设置"), 1, QStringLiteral("date"), QString(), this);
}

void TFrmCodeMan::tbRefreshClick() { openList(ui->DBGridEh1->currentRow()); }
