#include "platform/Messages.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

namespace {
Gateways::MessageHandler g_message;
Gateways::ModalHandler g_modal;

int showMessageBox(const QString& text, int kind)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QApplication::applicationDisplayName().isEmpty()
                           ? QStringLiteral("Korvan")
                           : QApplication::applicationDisplayName());
    box.setText(text);
    switch (kind) {
    case MessQuestion: {
        box.setIcon(QMessageBox::Question);
        QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? 1 : 2;
    }
    case MessWarning: box.setIcon(QMessageBox::Warning); break;
    case MessError: box.setIcon(QMessageBox::Critical); break;
    default: box.setIcon(QMessageBox::Information); break;
    }
    box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    box.exec();
    return 1;
}
}

int ShowMess(const QString& text, int kind)
{
    if (g_message) return g_message(text, kind);
    return showMessageBox(text, kind);
}

int execModal(QDialog* dialog)
{
    if (g_modal) return g_modal(dialog);
    return dialog->exec();
}

void DispFormPos(QWidget* window, int mode)
{
    QScreen* screen = QApplication::primaryScreen();
    if (!window || !screen) return;
    const QRect area = screen->availableGeometry();
    QRect frame = window->frameGeometry();
    switch (mode) {
    case 2: {
        const QSize size(area.width() * 9 / 10, area.height() * 9 / 10);
        window->resize(size.expandedTo(window->minimumSize()));
        frame = window->frameGeometry();
        frame.moveCenter(area.center());
        break;
    }
    case 1:
        if (QWidget* active = QApplication::activeWindow(); active && active != window) {
            frame.moveCenter(active->frameGeometry().center());
            break;
        }
        [[fallthrough]];
    default:
        frame.moveCenter(area.center());
        break;
    }
    window->move(frame.topLeft());
}

namespace Gateways {
void setMessageHandler(MessageHandler handler) { g_message = std::move(handler); }
void setModalHandler(ModalHandler handler) { g_modal = std::move(handler); }
}
