#include "contracts/TFrmMain.h"

#include "ui_TFrmMain.h"

#include "contracts/ContractBrowser.h"
#include "contracts/MainCommandHandlers.h"
#include "data/DataGrid.h"

#include <QTableView>

#include "access/OperAccess.h"
#include "data/AppState.h"
#include "data/DataDm.h"
#include "data/SeedData.h"
#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Messages.h"
#include "platform/ProgramFolder.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

TFrmMain* FrmMain = nullptr;

namespace {
const QString kNotOpen = QStringLiteral("该功能尚未开放");

QString nowText() { return QLatin1Char(' ') + Clock::now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")); }

// Toolbar pictures: one character on a coloured tile, so that no picture
// files are needed and every button reads at a glance.
QIcon glyphIcon(const QString& glyph, const QColor& colour)
{
    QIcon icon;
    for (int size : {16, 28, 32}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath tile;
        tile.addRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 5.0, size / 5.0);
        p.fillPath(tile, colour);
        p.setPen(colour.darker(140));
        p.drawPath(tile);
        QFont f = p.font();
        f.setPixelSize(size * 5 / 8);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, glyph);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

struct Picture {
    const char* name;   // object name of the action
    const char* glyph;
    QRgb colour;
};
const Picture kPictures[] = {
    {"tbReLogin", "登", 0x2e7d32}, {"Action208", "客", 0x00838f}, {"Action209", "款", 0xef6c00},
    {"Action210", "执", 0x6a1b9a}, {"Action211", "变", 0xad1457}, {"Action212", "附", 0x4e342e},
    {"Action201", "新", 0x1565c0}, {"Action207", "复", 0x0277bd}, {"Action202", "改", 0x283593},
    {"Action203", "删", 0xc62828}, {"tbSH", "审", 0x558b2f},       {"Action402", "醒", 0xf9a825},
    {"tbClose", "关", 0x616161},   {"tbPZ", "批", 0x558b2f},
};
}

TFrmMain::TFrmMain(QWidget* parent) : QMainWindow(parent), ui(new Ui::TFrmMain)
{
    ui->setupUi(this);
    FormCreate();
}

TFrmMain::~TFrmMain()
{
    if (FrmMain == this) FrmMain = nullptr;
    delete ui;
}

void TFrmMain::FormCreate()
{
    FrmMain = this;
    // One settings object for the process; read again now that the window exists.
    if (dmData) dmData->reloadSettings();
    buildStatusBar();
    buildCommands();
    buildMenus();
    buildToolBar();
    buildGridMenu();
    wireOwnItems();
    buildContractArea();
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TFrmMain::Timer1Timer);
}

void TFrmMain::buildStatusBar()
{
    const char* names[] = {"StatusPanel0", "StatusPanel1", "StatusPanel2", "StatusPanel3", "StatusPanel4"};
    const QString texts[] = {QStringLiteral(" 当前用户"), QString(), QStringLiteral(" 当前日期时间"), QString(),
                             AppStateRecord::MakerBanner};
    const int widths[] = {70, 120, 100, 160, 0};
    for (int i = 0; i < 5; ++i) {
        auto* l = new QLabel(texts[i], this);
        l->setObjectName(QString::fromLatin1(names[i]));
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        if (widths[i]) l->setMinimumWidth(widths[i]);
        panels_[i] = l;
        if (i == 4) {
            l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            statusBar()->addWidget(l, 1);
        } else {
            statusBar()->addWidget(l);
        }
    }
}

QLabel* TFrmMain::statusPanel(int i) const { return i >= 0 && i < 5 ? panels_[i] : nullptr; }

// --- commands ---

const QVector<int>& TFrmMain::commandCodes()
{
    static const QVector<int> all = [] {
        QVector<int> codes;
        for (const SeedData::Permission& p : SeedData::permissions()) {
            const int code = QString::fromLatin1(p.code).toInt();
            if (code == 108) codes << 107;  // 项目类型 sits between 单位类型 and 自定义设置
            codes << code;
        }
        codes << 31;
        return codes;
    }();
    return all;
}

QAction* TFrmMain::makeAction(const QString& name, const QString& caption)
{
    auto* a = new QAction(caption, this);
    a->setObjectName(name);
    return a;
}

void TFrmMain::buildCommands()
{
    QHash<int, QString> captions;
    for (const SeedData::Permission& p : SeedData::permissions())
        captions.insert(QString::fromLatin1(p.code).toInt(), QString::fromUtf8(p.caption));
    captions.insert(107, QStringLiteral("项目类型"));
    captions.insert(31, QStringLiteral("导出"));

    for (int code : commandCodes()) {
        QAction* a = makeAction(QStringLiteral("Action%1").arg(code), captions.value(code));
        commands_.insert(code, a);
        entries_.insert(a, Entry{a});
        connect(a, &QAction::triggered, this, [this, a] { if (const Entry* e = entryOf(a)) trigger(*e); });
    }
    // The main window's keys; they reach a command only while it is shown
    // and available, because a disabled action takes no shortcut.
    commands_[201]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    commands_[202]->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    commands_[203]->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::Key_Delete)});
    addActions({commands_[201], commands_[202], commands_[203]});

    tbSH = makeAction(QStringLiteral("tbSH"), QStringLiteral("审批"));
    tbPZ = makeAction(QStringLiteral("tbPZ"), QStringLiteral("批准"));
    nGGtype = makeAction(QStringLiteral("nGGtype"), commands_[213]->text());
    nGGdept = makeAction(QStringLiteral("nGGdept"), commands_[214]->text());
    for (QAction* a : {tbSH, tbPZ, nGGtype, nGGdept}) {
        entries_.insert(a, Entry{a});
        connect(a, &QAction::triggered, this, [this, a] { if (const Entry* e = entryOf(a)) trigger(*e); });
    }
    entries_[nGGtype].follows = 213;
    entries_[nGGdept].follows = 214;

    for (Entry& e : entries_) updateEntry(e);
}

void TFrmMain::buildMenus()
{
    auto place = [this](QMenu* menu, std::initializer_list<int> codes) {
        for (int code : codes) {
            if (code == 0) menu->addSeparator();
            else menu->addAction(commands_[code]);
        }
    };
    for (QMenu* m : {ui->mi100, ui->mi200, ui->mi300, ui->mi400, ui->mi500, ui->miView, ui->miTools, ui->miHelp})
        m->setToolTipsVisible(true);

    place(ui->mi100, {101, 102, 103, 0, 104, 105, 106, 108, 0});
    ui->mi100->addAction(makeAction(QStringLiteral("miReLogin"), QStringLiteral("重新登录")));
    ui->mi100->addAction(makeAction(QStringLiteral("miExit"), QStringLiteral("退出系统")));
    place(ui->mi200, {201, 207, 202, 203, 204, 301, 0, 208, 209, 210, 211, 212, 0, 205, 206});
    place(ui->mi300, {301, 302, 0, 303, 307, 304, 305, 306, 308, 309, 310, 311});
    place(ui->mi400, {401, 402, 0, 403, 404, 405, 406, 407, 408});
    place(ui->mi500, {501, 506, 502, 503, 0, 504});

    const std::pair<const char*, const char*> views[] = {
        {"miToolBar", "工具栏"}, {"miNavTree", "导航树"}, {"miStatusBar", "状态栏"}};
    for (const auto& [name, caption] : views) {
        QAction* a = makeAction(QString::fromLatin1(name), QString::fromUtf8(caption));
        a->setCheckable(true);
        a->setChecked(true);
        ui->miView->addAction(a);
    }
    ui->miTools->addAction(makeAction(QStringLiteral("miCalc"), QStringLiteral("计算器")));
    ui->miTools->addAction(makeAction(QStringLiteral("miNotepad"), QStringLiteral("笔记本")));
    ui->miHelp->addAction(makeAction(QStringLiteral("miHelpFile"), QStringLiteral("帮助文件")));
    QAction* tip = makeAction(QStringLiteral("miTip"), QStringLiteral("每日一贴"));
    tip->setVisible(false);
    ui->miHelp->addAction(tip);
    ui->miHelp->addAction(makeAction(QStringLiteral("miFAQ"), QStringLiteral("常见问题")));
    ui->miHelp->addSeparator();
    ui->miHelp->addAction(makeAction(QStringLiteral("miReadme"), QStringLiteral("自述文件")));
    ui->miHelp->addAction(makeAction(QStringLiteral("miWhatsNew"), QStringLiteral("最新功能")));
    ui->miHelp->addSeparator();
    ui->miHelp->addAction(makeAction(QStringLiteral("miAbout"), QStringLiteral("关于我们")));
    ui->miHelp->addAction(makeAction(QStringLiteral("miWebSite"), QStringLiteral("浏览作者的网站")));
}

void TFrmMain::buildToolBar()
{
    QToolBar* bar = ui->ToolBar1;
    QAction* reLogin = makeAction(QStringLiteral("tbReLogin"), QStringLiteral("重新登录"));
    QAction* closeAction = makeAction(QStringLiteral("tbClose"), QStringLiteral("关闭"));
    bar->addAction(reLogin);
    bar->addSeparator();
    for (int code : {208, 209, 210, 211, 212}) bar->addAction(commands_[code]);
    bar->addSeparator();
    for (int code : {201, 207, 202, 203}) bar->addAction(commands_[code]);
    bar->addSeparator();
    bar->addAction(tbSH);
    bar->addAction(commands_[402]);
    bar->addSeparator();
    bar->addAction(closeAction);
    for (const Picture& p : kPictures)
        if (auto* a = findChild<QAction*>(QLatin1String(p.name)))
            a->setIcon(glyphIcon(QString::fromUtf8(p.glyph), QColor(p.colour)));
}

void TFrmMain::buildGridMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->setToolTipsVisible(true);
    for (int code : {201, 207, 202, 203}) PopupMenu1->addAction(commands_[code]);
    PopupMenu1->addSeparator();
    for (int code : {204, 301, 205, 206}) PopupMenu1->addAction(commands_[code]);
    PopupMenu1->addAction(nGGtype);
    PopupMenu1->addAction(nGGdept);
}

// The items that are no numbered commands: re-login, exit, view, tools, help.
void TFrmMain::wireOwnItems()
{
    auto item = [this](const char* name) { return findChild<QAction*>(QLatin1String(name)); };
    connect(item("miReLogin"), &QAction::triggered, this, &TFrmMain::miReLoginClick);
    connect(item("tbReLogin"), &QAction::triggered, this, &TFrmMain::tbReLoginClick);
    connect(item("miExit"), &QAction::triggered, this, &QWidget::close);
    connect(item("tbClose"), &QAction::triggered, this, &QWidget::close);

    connect(item("miToolBar"), &QAction::toggled, ui->ToolBar1, &QWidget::setVisible);
    connect(item("miStatusBar"), &QAction::toggled, ui->StatusBar1, &QWidget::setVisible);
    connect(item("miNavTree"), &QAction::toggled, this, [this](bool on) {
        if (navigationPanel_) navigationPanel_->setVisible(on);
    });

    connect(item("miCalc"), &QAction::triggered, this, [] {
        if (!Desktop::instance().startProgram({QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                               QStringLiteral("galculator"), QStringLiteral("mate-calc"),
                                               QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")}))
            ShowMess(QStringLiteral("系统中没有找到计算器程序，请先安装一个计算器（例如 gnome-calculator）。"), MessWarning);
    });
    connect(item("miNotepad"), &QAction::triggered, this, [] {
        if (!Desktop::instance().startProgram({QStringLiteral("gedit"), QStringLiteral("gnome-text-editor"),
                                               QStringLiteral("kate"), QStringLiteral("kwrite"), QStringLiteral("mousepad"),
                                               QStringLiteral("pluma"), QStringLiteral("xed"), QStringLiteral("leafpad")}))
            ShowMess(QStringLiteral("系统中没有找到文本编辑程序，请先安装一个文本编辑器（例如 gedit）。"), MessWarning);
    });
    connect(item("miHelpFile"), &QAction::triggered, this, [] {
        // The help comes as help.html; a help.CHM placed in the program folder is opened instead.
        const QString chm = ProgramFolder::file(QStringLiteral("help.CHM"));
        const QString html = ProgramFolder::file(QStringLiteral("help.html"));
        Desktop::instance().openDocument(QFileInfo::exists(chm) ? chm : html);
    });
    connect(item("miReadme"), &QAction::triggered, this,
            [] { Desktop::instance().openDocument(ProgramFolder::file(QStringLiteral("readme.txt"))); });
    connect(item("miWhatsNew"), &QAction::triggered, this,
            [] { Desktop::instance().openDocument(ProgramFolder::file(QStringLiteral("whatisnew.txt"))); });
    // 常见问题 does nothing by design; the about box and the web site come later.
    for (const char* name : {"miAbout", "miWebSite"}) {
        item(name)->setEnabled(false);
        item(name)->setToolTip(kNotOpen);
    }


    setCommandHandler(102, [this] { ShowModPass(this); });
    setCommandHandler(103, [this] { ShowOperList(this); });
}

TFrmMain::Entry* TFrmMain::entryOf(QAction* a)
{
    auto it = entries_.find(a);
    return it == entries_.end() ? nullptr : &it.value();
}

const TFrmMain::Entry* TFrmMain::entryOf(QAction* a) const
{
    auto it = entries_.constFind(a);
    return it == entries_.constEnd() ? nullptr : &it.value();
}

void TFrmMain::updateEntry(Entry& e)
{
    const Entry* runs = e.follows ? entryOf(commands_.value(e.follows)) : &e;
    const bool available = runs && static_cast<bool>(runs->handler);
    e.action->setVisible(e.shown);
    // A hidden action added to a visible widget would still take its
    // shortcut: hidden means disabled too.
    e.action->setEnabled(e.shown && available);
    e.action->setToolTip(available ? e.action->text() : kNotOpen);
}

void TFrmMain::trigger(const Entry& e)
{
    if (!e.shown) return;
    const Entry* runs = e.follows ? entryOf(commands_.value(e.follows)) : &e;
    if (runs && runs->handler) runs->handler();
}

QAction* TFrmMain::action(int code) const { return commands_.value(code); }

void TFrmMain::setCommandHandler(int code, std::function<void()> handler)
{
    Entry* e = entryOf(commands_.value(code));
    if (!e) return;
    e->handler = std::move(handler);
    updateEntry(*e);
    for (Entry& other : entries_)
        if (other.follows == code) updateEntry(other);
}

bool TFrmMain::commandAvailable(int code) const
{
    const Entry* e = entryOf(commands_.value(code));
    return e && e->handler;
}

void TFrmMain::setCommandShown(int code, bool shown)
{
    if (Entry* e = entryOf(commands_.value(code))) {
        e->shown = shown;
        updateEntry(*e);
    }
}

bool TFrmMain::commandShown(int code) const
{
    const Entry* e = entryOf(commands_.value(code));
    return e && e->shown;
}

bool TFrmMain::runCommand(int code)
{
    const Entry* e = entryOf(commands_.value(code));
    if (!e || !e->shown || !e->handler) return false;
    e->handler();
    return true;
}

QAction* TFrmMain::approveAction() const { return tbSH; }
QAction* TFrmMain::changeApproveAction() const { return tbPZ; }
QAction* TFrmMain::batchTypeAction() const { return nGGtype; }
QAction* TFrmMain::batchDeptAction() const { return nGGdept; }

void TFrmMain::setApproveHandler(std::function<void()> handler)
{
    Entry& e = entries_[tbSH];
    e.handler = std::move(handler);
    updateEntry(e);
}

void TFrmMain::setChangeApproveHandler(std::function<void()> handler)
{
    Entry& e = entries_[tbPZ];
    e.handler = std::move(handler);
    updateEntry(e);
}

void TFrmMain::setApproveShown(bool shown)
{
    for (QAction* a : {tbSH, tbPZ}) {
        Entry& e = entries_[a];
        e.shown = shown;
        updateEntry(e);
    }
}

void TFrmMain::setBatchEntriesShown(bool shown)
{
    for (QAction* a : {nGGtype, nGGdept}) {
        Entry& e = entries_[a];
        e.shown = shown;
        updateEntry(e);
    }
}

QMenu* TFrmMain::menuHeading(int hundred) const
{
    switch (hundred) {
    case 100: return ui->mi100;
    case 200: return ui->mi200;
    case 300: return ui->mi300;
    case 400: return ui->mi400;
    case 500: return ui->mi500;
    default: return nullptr;
    }
}

QMenu* TFrmMain::gridMenu() const { return PopupMenu1; }
QToolBar* TFrmMain::mainToolBar() const { return ui->ToolBar1; }
QWidget* TFrmMain::contractArea() const { return ui->centralwidget; }

void TFrmMain::setNavigationPanel(QWidget* panel)
{
    navigationPanel_ = panel;
    if (panel) panel->setVisible(findChild<QAction*>(QStringLiteral("miNavTree"))->isChecked());
}

void TFrmMain::SignedIn(const QString& enteredName)
{
    panels_[1]->setText(enteredName);
    emit signedIn();
}

void TFrmMain::miReLoginClick() { OperLogin(1, this); }

void TFrmMain::tbReLoginClick()
{
    OperLogin(1, this);
    emit contractsRefreshRequested();
}

// --- life cycle ---

void TFrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TFrmMain::buildContractArea()
{
    browser_ = new ContractBrowser(contractArea());
    browser_->setObjectName(QStringLiteral("ContractBrowser"));
    ui->mainLayout->addWidget(browser_);
    setNavigationPanel(browser_->findChild<QWidget*>(QStringLiteral("leftPanel")));
    QAbstractItemView* grid = browser_->mainGrid()->view();
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QWidget::customContextMenuRequested, this,
            [this, grid](const QPoint& at) { gridMenu()->popup(grid->viewport()->mapToGlobal(at)); });
    contractCommands_ = new MainCommandHandlers(this, browser_);
}

void TFrmMain::FormShow()
{
    // Dates read "yyyy-MM-dd" everywhere: the empty-date tests compare such texts.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    setWindowTitle(AppStateRecord::ProductTitle + AppStateRecord::VersionText);
    panels_[1]->setText(QLatin1Char(' ') + AppState().OperName);
    panels_[3]->setText(nowText());
    if (dmData) AppState().BackupMode = dmData->settings().readInt(QStringLiteral("config"), QStringLiteral("ibak"), 0);
    if (dmData && dmData->isConnected()) browser_->firstShow();
    Timer1->start();
}

void TFrmMain::Timer1Timer() { panels_[3]->setText(nowText()); }

bool TFrmMain::backupDue(int mode, const QDate& today)
{
    switch (mode) {
    case 1: return true;
    case 2: return today.dayOfWeek() == Qt::Monday;
    case 3: return today.day() == 1;
    default: return false;
    }
}

bool TFrmMain::FormCloseQuery()
{
    return ShowMess(QStringLiteral("真的要退出“") + AppStateRecord::ProductTitle + QStringLiteral("”软件吗？"),
                    MessQuestion)
           == 1;
}

void TFrmMain::FormClose()
{
    Timer1->stop();
    if (dmData && dmData->isConnected() && backupDue(AppState().BackupMode, Clock::today())
        && ShowMess(QStringLiteral("软件关闭，要备份当前数据吗？"), MessQuestion) == 1)
        dmData->BackupOnExit();
}

void TFrmMain::closeEvent(QCloseEvent* event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TFrmMain::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}
