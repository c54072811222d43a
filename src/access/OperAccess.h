#pragma once
#include <QString>
#include <QStringList>

class QWidget;
class TFrmMain;

// Sign-in, permissions, operators and passwords: what the rest of the program calls.

// Shows the login window: mode 0 at start-up, 1 to change the operator. True
// when an operator signed in. At start-up false means the program must end; a
// failed or cancelled change of operator leaves the previous one in force.
bool OperLogin(int mode, QWidget* parent = nullptr);

// Shows exactly the main-window commands the signed-in operator holds.
void SetLimits(TFrmMain& frm);

// Command 103: the operator list with its editor.
void ShowOperList(QWidget* parent);

// Command 102: the signed-in operator changes their own password.
void ShowModPass(QWidget* parent);

// An operator's departments in their stored form, 'A','B': each name in single
// quotes, a quote inside a name doubled ('O''Neil'), so that
// TdmData::deptNames reads the same names back.
QString DeptListText(const QStringList& names);
