#include "contracts/TFrmMain.h"

#include "ui_TFrmMain.h"

#include "data/AppState.h"
#include "data/DataDm.h"
#include "platform/Clock.h"
#include "platform/Messages.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QStatusBar>
#include <QTimer>

TFrmMain* FrmMain = nullptr;

namespace {
QString nowText() { return QLatin1Char(' ') + Clock::now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")); }
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

void TFrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TFrmMain::FormShow()
{
    // Dates read "yyyy-MM-dd" everywhere: the empty-date tests compare such texts.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    setWindowTitle(AppStateRecord::ProductTitle + AppStateRecord::VersionText);
    panels_[1]->setText(QLatin1Char(' ') + AppState().OperName);
    panels_[3]->setText(nowText());
    if (dmData) AppState().BackupMode = dmData->settings().readInt(QStringLiteral("config"), QStringLiteral("ibak"), 0);
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
