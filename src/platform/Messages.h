#pragma once
#include <QString>
#include <functional>

class QDialog;
class QWidget;

// Message kinds as the callers name them.
enum MessKind { MessInfo = 0, MessQuestion = 1, MessWarning = 2, MessError = 3 };

// Shows a modal message box. For a question the answer is 1 (yes) or 2 (no);
// the other kinds return 1.
int ShowMess(const QString& text, int kind);

// Runs a modal sub-window (editor, picker, dialog) and returns its result code.
// Every modal window goes through here so that tests can drive it without an event loop.
int execModal(QDialog* dialog);

// Places a newly created window before it is shown: 0 centred on the screen,
// 1 centred over the active window, 2 filling most of the screen.
void DispFormPos(QWidget* window, int mode);

namespace Gateways {
using MessageHandler = std::function<int(const QString& text, int kind)>;
using ModalHandler = std::function<int(QDialog* dialog)>;
void setMessageHandler(MessageHandler handler);  // empty: the real message box
void setModalHandler(ModalHandler handler);      // empty: QDialog::exec
}
