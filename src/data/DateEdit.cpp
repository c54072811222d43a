#include "data/DateEdit.h"

#include "data/PubUnit.h"
#include "platform/Clock.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>

DateEdit::DateEdit(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    check_ = new QCheckBox(this);
    check_->setObjectName(QStringLiteral("tick"));
    edit_ = new QDateEdit(this);
    edit_->setObjectName(QStringLiteral("date"));
    edit_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    edit_->setCalendarPopup(true);
    edit_->setMinimumDate(QDate(1899, 12, 30));
    edit_->setDate(Clock::today());
    edit_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    layout->addWidget(check_);
    layout->addWidget(edit_, 1);
    // Both parts are in the tab chain: Space on the tick box gives or clears the date.
    check_->setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(check_, &QCheckBox::toggled, this, [this] {
        updateState();
        emit changed();
    });
    connect(edit_, &QDateEdit::dateChanged, this, &DateEdit::changed);
    updateState();
}

QDate DateEdit::date() const { return edit_->date(); }

void DateEdit::setDate(const QDate& date) { edit_->setDate(date); }

void DateEdit::setShowCheckBox(bool on)
{
    showCheckBox_ = on;
    check_->setVisible(on);
    updateState();
}

bool DateEdit::isChecked() const { return !showCheckBox_ || check_->isChecked(); }

void DateEdit::setChecked(bool on) { check_->setChecked(on); }

void DateEdit::setReadOnly(bool on)
{
    readOnly_ = on;
    updateState();
}

void DateEdit::setStoredText(const QString& text, const QString& threshold)
{
    const QString t = text.trimmed().left(10);
    const QDate d = QDate::fromString(t, QStringLiteral("yyyy-MM-dd"));
    if (t.isEmpty() || t < threshold || !d.isValid()) {
        edit_->setDate(Clock::today());
        check_->setChecked(false);
    } else {
        edit_->setDate(d);
        check_->setChecked(true);
    }
}

QString DateEdit::storedText() const
{
    return isChecked() ? edit_->date().toString(QStringLiteral("yyyy-MM-dd")) : kEmptyDate;
}

void DateEdit::updateState()
{
    check_->setEnabled(!readOnly_);
    edit_->setReadOnly(readOnly_);
    // A cleared tick box greys the date out but leaves it reachable, so that
    // ticking the box again keeps the date that was shown.
    edit_->setEnabled(isChecked());
}
