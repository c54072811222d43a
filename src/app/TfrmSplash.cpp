#include "app/TfrmSplash.h"

#include "ui_TfrmSplash.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

TfrmSplash::TfrmSplash(QWidget* parent) : QDialog(parent), ui(new Ui::TfrmSplash)
{
    ui->setupUi(this);
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setFixedSize(470, 294);
    if (QScreen* screen = QApplication::primaryScreen()) {
        QRect r = frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        move(r.topLeft());
    }
}

TfrmSplash::~TfrmSplash() { delete ui; }

void TfrmSplash::setStatus(const QString& text)
{
    ui->Label1->setText(text);
    if (isVisible()) repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QString TfrmSplash::status() const { return ui->Label1->text(); }

void TfrmSplash::paintEvent(QPaintEvent*)
{
    // The splash picture: drawn, so it stays sharp at any scale.
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, QColor(0x1f, 0x4e, 0x8c));
    g.setColorAt(1, QColor(0x0c, 0x24, 0x48));
    p.fillRect(rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 60), 1));
    for (int i = 0; i < 6; ++i) p.drawLine(300 + i * 30, 0, 470, 170 - i * 30);
    p.setPen(Qt::white);
    QFont title = font();
    title.setPointSize(26);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(30, 60, 420, 50), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Korvan"));
    QFont sub = font();
    sub.setPointSize(15);
    p.setFont(sub);
    p.drawText(QRect(30, 115, 420, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("合同管理软件（企业版）"));
    QFont ver = font();
    ver.setPointSize(10);
    p.setFont(ver);
    p.setPen(QColor(0xc8, 0xd8, 0xf0));
    p.drawText(QRect(30, 152, 420, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("v2.20"));
}
