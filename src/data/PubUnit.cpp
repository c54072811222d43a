#include "data/PubUnit.h"

#include "data/AppState.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QAbstractItemView>
#include <QToolButton>
#include <QRegularExpression>
#include <cmath>

namespace {
struct Section {
    QString prefix, suffix;
    int minInt = 0;        // '0' before the point
    int minDec = 0;        // '0' after the point
    int maxDec = 0;        // '0' and '#' after the point
    bool thousands = false;
    bool hasDigits = false;
};

Section parseSection(const QString& f)
{
    Section s;
    bool inNumber = false, afterPoint = false, seenNumber = false;
    QString* literal = &s.prefix;
    for (int i = 0; i < f.size(); ++i) {
        const QChar c = f[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            if (inNumber) { seenNumber = true; inNumber = false; literal = &s.suffix; }
            const int end = f.indexOf(c, i + 1);
            const QString text = end < 0 ? f.mid(i + 1) : f.mid(i + 1, end - i - 1);
            *literal += text;
            i = end < 0 ? f.size() : end;
            continue;
        }
        const bool placeholder = c == QLatin1Char('0') || c == QLatin1Char('#');
        if (placeholder || ((c == QLatin1Char(',') || c == QLatin1Char('.')) && !seenNumber) || (inNumber && (c == QLatin1Char(',') || c == QLatin1Char('.')))) {
            inNumber = true;
            if (c == QLatin1Char('.')) afterPoint = true;
            else if (c == QLatin1Char(',')) { if (!afterPoint) s.thousands = true; }
            else if (afterPoint) { ++s.maxDec; if (c == QLatin1Char('0')) s.minDec = s.maxDec; s.hasDigits = true; }
            else { if (c == QLatin1Char('0')) ++s.minInt; s.hasDigits = true; }
            continue;
        }
        if (inNumber) { seenNumber = true; inNumber = false; literal = &s.suffix; }
        *literal += c;
    }
    return s;
}

QString formatSection(const Section& s, double v)
{
    if (!s.hasDigits) return s.prefix + s.suffix;
    QString digits = QString::number(v, 'f', s.maxDec);
    QString intPart = digits, decPart;
    if (const int dot = digits.indexOf(QLatin1Char('.')); dot >= 0) {
        intPart = digits.left(dot);
        decPart = digits.mid(dot + 1);
    }
    while (decPart.size() > s.minDec && decPart.endsWith(QLatin1Char('0'))) decPart.chop(1);
    if (intPart == QLatin1String("0") && s.minInt == 0) intPart.clear();
    while (intPart.size() < s.minInt) intPart.prepend(QLatin1Char('0'));
    if (s.thousands) {
        for (int i = intPart.size() - 3; i > 0; i -= 3) intPart.insert(i, QLatin1Char(','));
    }
    QString out = intPart;
    if (!decPart.isEmpty()) out += QLatin1Char('.') + decPart;
    if (out.isEmpty()) out = QStringLiteral("0");
    return s.prefix + out + s.suffix;
}
}

QString FormatFloat(const QString& format, double value)
{
    if (format.trimmed().isEmpty()) return QString::number(value, 'g', 15);
    const QStringList sections = format.split(QLatin1Char(';'));
    if (value == 0.0 && sections.size() > 2 && !sections[2].isEmpty())
        return formatSection(parseSection(sections[2]), 0.0);
    if (value < 0 && sections.size() > 1 && !sections[1].isEmpty())
        return formatSection(parseSection(sections[1]), -value);
    const Section s = parseSection(sections[0]);
    if (!s.hasDigits && !format.contains(QLatin1Char('.'))) return s.prefix + s.suffix;
    const QString body = formatSection(s, std::fabs(value));
    // A value that rounds to zero loses its sign, as in Delphi.
    const bool showsNonZero = body.contains(QRegularExpression(QStringLiteral("[1-9]")));
    return (value < 0 && showsNonZero) ? QLatin1Char('-') + body : body;
}

bool IsEmptyDate(const QString& dateText)
{
    const QString t = dateText.trimmed();
    return t.isEmpty() || t.left(10) < QLatin1String("1901-08-14");
}

bool IsJpegFile(const QString& fileName)
{
    const QString ext = fileName.mid(fileName.lastIndexOf(QLatin1Char('.'))).toLower();
    return fileName.contains(QLatin1Char('.')) && (ext == QLatin1String(".jpg") || ext == QLatin1String(".jpeg"));
}

int ImageKind(const QString& fileName)
{
    if (!fileName.contains(QLatin1Char('.'))) return 0;
    const QString ext = fileName.mid(fileName.lastIndexOf(QLatin1Char('.'))).toLower();
    if (ext == QLatin1String(".bmp")) return 1;
    if (ext == QLatin1String(".gif")) return 3;
    if (ext == QLatin1String(".jpg") || ext == QLatin1String(".jpeg")) return 2;
    return 0;
}

void DrawBevelFrame(QPainter& p, int left, int top, int style, int height, int width)
{
    const QColor grey(128, 128, 128);
    const QColor first = style == 1 ? QColor(Qt::white) : grey;
    const QColor second = style == 1 ? grey : QColor(Qt::white);
    const int right = left + width - 1, bottom = top + height - 1;
    p.setPen(first);
    p.drawLine(left, top, right, top);
    p.drawLine(left, top, left, bottom);
    p.setPen(second);
    p.drawLine(left, bottom, right, bottom);
    p.drawLine(right, top, right, bottom);
}

void ApplyImeToControls(QWidget* container)
{
    if (!container) return;
    const QString ime = AppState().ImeName.trimmed();
    const auto widgets = container->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w)
            || qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w))
            w->setProperty("korvanIme", ime);
    }
}

void SetNavButtonsEnabled(QWidget* window, bool enabled)
{
    if (!window) return;
    static const char* names[] = {"tbFirst", "tbPrior", "tbNext", "tbLast", "tbPrint", "tbSet", "tbExpert"};
    for (const char* name : names) {
        const QString n = QString::fromLatin1(name);
        if (auto* w = window->findChild<QWidget*>(n)) w->setEnabled(enabled);
        if (auto* a = window->findChild<QAction*>(n)) a->setEnabled(enabled);
    }
}

namespace Colors {
QColor buttonFace() { return QApplication::palette().color(QPalette::Button); }
QColor tooltipBackground() { return QApplication::palette().color(QPalette::ToolTipBase); }
}
