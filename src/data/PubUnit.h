#pragma once
#include <QColor>
#include <QString>

class QPainter;
class QWidget;

// Small routines shared by many windows.

// Delphi-style display format: "0", "#", "," (thousands), "." and literal text,
// with optional ";" sections for negative and zero values. ",0.00##" shows
// 1234.5 as "1,234.50"; "0.##" shows 2 as "2".
QString FormatFloat(const QString& format, double value);

// The empty date: a stored date whose text sorts before "1901-08-14" (or none).
bool IsEmptyDate(const QString& dateText);
inline const QString kEmptyDate = QStringLiteral("1900-08-14");

bool IsJpegFile(const QString& fileName);
int ImageKind(const QString& fileName);  // 1 bmp, 2 jpeg, 3 gif, 0 other

// A one-pixel frame: style 1 white then grey (raised), else grey then white.
void DrawBevelFrame(QPainter& p, int left, int top, int style, int height, int width);

// Gives each text-entry control below the container the preferred input method.
// Linux input methods follow the desktop's own selection, so this records the
// preference on the controls and changes nothing else.
void ApplyImeToControls(QWidget* container);

// Enables or disables the children named tbFirst, tbPrior, tbNext, tbLast,
// tbPrint, tbSet and tbExpert.
void SetNavButtonsEnabled(QWidget* window, bool enabled);

namespace Colors {
QColor buttonFace();
QColor tooltipBackground();
inline QColor aqua() { return QColor(0x00, 0xff, 0xff); }
}
