#pragma once
#include <QLineEdit>
#include <QString>

// An amount input. Without the focus it shows the value in its display format
// (",0.00##" shows 1234.5 as "1,234.50"); with the focus it shows the plain
// number for editing. Only a number can be typed: a text that is not a number
// is refused and the value stays what it was. Negative and zero amounts are
// numbers like any other.
class MoneyEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MoneyEdit(QWidget* parent = nullptr);

    double value() const { return value_; }
    void setValue(double v);

    QString displayFormat() const { return format_; }
    void setDisplayFormat(const QString& format);

    // Whether a text reads as an amount: digits with an optional sign, point and
    // thousands separators. The empty text and a lone sign read as 0.
    static bool parse(const QString& text, double* out);

signals:
    void valueChanged(double value);

protected:
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    void onTextChanged(const QString& text);
    void showValue();       // the display form, or the edit form while focused
    void setShownText(const QString& text);

    double value_ = 0.0;
    QString format_ = QStringLiteral(",0.00##");
    bool showing_ = false;  // our own text change, not the user's
};
