#pragma once
#include <QDate>
#include <QString>
#include <QWidget>

class QCheckBox;
class QDateEdit;

// A date input with an optional tick box in front. With the tick box shown and
// cleared the date counts as "not given": it is stored as the empty date
// 1900-08-14, and the date part is greyed out. Without the tick box the date is
// always given.
class DateEdit : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool showCheckBox READ showCheckBox WRITE setShowCheckBox)
public:
    explicit DateEdit(QWidget* parent = nullptr);

    QDate date() const;
    void setDate(const QDate& date);

    bool showCheckBox() const { return showCheckBox_; }
    void setShowCheckBox(bool on);
    bool isChecked() const;        // always true without a tick box
    void setChecked(bool on);

    bool isReadOnly() const { return readOnly_; }
    void setReadOnly(bool on);

    // Loads a stored "yyyy-mm-dd" text: a text sorting before `threshold` (or no
    // text) is empty and shows today with the tick box cleared.
    void setStoredText(const QString& text, const QString& threshold = QStringLiteral("1901-08-14"));
    // "yyyy-MM-dd" when given, the empty date 1900-08-14 otherwise.
    QString storedText() const;

    QDateEdit* dateEdit() const { return edit_; }
    QCheckBox* checkBox() const { return check_; }

signals:
    void changed();

private:
    void updateState();

    QCheckBox* check_;
    QDateEdit* edit_;
    bool showCheckBox_ = true;
    bool readOnly_ = false;
};
