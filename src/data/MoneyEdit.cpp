#include "data/MoneyEdit.h"

#include "data/PubUnit.h"

#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <cmath>

namespace {
const QRegularExpression& amountPattern()
{
    static const QRegularExpression re(QStringLiteral("^\\s*[-+]?[0-9,]*(\\.[0-9]*)?\\s*$"));
    return re;
}

// The edit form: enough digits to round-trip the value, no exponent.
QString plainText(double v)
{
    QString t = QString::number(v, 'f', 8);
    if (t.contains(QLatin1Char('.'))) {
        while (t.endsWith(QLatin1Char('0'))) t.chop(1);
        if (t.endsWith(QLatin1Char('.'))) t.chop(1);
    }
    return t == QLatin1String("-0") ? QStringLiteral("0") : t;
}
}

MoneyEdit::MoneyEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(new QRegularExpressionValidator(amountPattern(), this));
    connect(this, &QLineEdit::textChanged, this, &MoneyEdit::onTextChanged);
    showValue();
}

bool MoneyEdit::parse(const QString& text, double* out)
{
    if (!amountPattern().match(text).hasMatch()) return false;
    QString t = text.trimmed();
    t.remove(QLatin1Char(','));
    if (t.isEmpty() || t == QLatin1String("-") || t == QLatin1String("+") || t == QLatin1String(".")
        || t == QLatin1String("-.") || t == QLatin1String("+.")) {
        *out = 0.0;
        return true;
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return false;
    *out = v;
    return true;
}

void MoneyEdit::setValue(double v)
{
    const bool differs = v != value_;
    value_ = v;
    showValue();
    if (differs) emit valueChanged(v);
}

void MoneyEdit::setDisplayFormat(const QString& format)
{
    format_ = format;
    showValue();
}

void MoneyEdit::focusInEvent(QFocusEvent* e)
{
    QLineEdit::focusInEvent(e);
    if (!isReadOnly()) {
        setShownText(plainText(value_));
        selectAll();
    }
}

void MoneyEdit::focusOutEvent(QFocusEvent* e)
{
    QLineEdit::focusOutEvent(e);
    showValue();
}

void MoneyEdit::onTextChanged(const QString& text)
{
    if (showing_) return;
    double v = 0.0;
    if (parse(text, &v)) {
        const bool differs = v != value_;
        value_ = v;
        if (differs) emit valueChanged(v);
        if (!hasFocus()) showValue();
    } else {
        // Only a text put in from outside the keyboard gets here: refuse it.
        showValue();
    }
}

void MoneyEdit::showValue()
{
    setShownText(hasFocus() && !isReadOnly() ? plainText(value_) : FormatFloat(format_, value_));
}

void MoneyEdit::setShownText(const QString& text)
{
    showing_ = true;
    setText(text);
    showing_ = false;
}
