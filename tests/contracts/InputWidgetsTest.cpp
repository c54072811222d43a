#include "data/DateEdit.h"
#include "data/MoneyEdit.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QCheckBox>
#include <QTest>
#include <gtest/gtest.h>

TEST(MoneyEditInput, ReadsOnlyNumbers)
{
    const struct { const char* text; bool ok; double value; } cases[] = {
        {"1234.5", true, 1234.5}, {"-0.25", true, -0.25}, {"1,234.5", true, 1234.5}, {"0", true, 0},
        {"", true, 0},            {"-", true, 0},         {"12a", false, 0},         {"1.2.3", false, 0},
        {"1e5", false, 0},        {"abc", false, 0},
    };
    for (const auto& c : cases) {
        double v = -99;
        EXPECT_EQ(MoneyEdit::parse(QString::fromLatin1(c.text), &v), c.ok) << c.text;
        if (c.ok) EXPECT_DOUBLE_EQ(v, c.value) << c.text;
    }
}

TEST(MoneyEditInput, ShowsTheFormatUnfocusedAndRefusesText)
{
    QWidget window;
    auto* money = new MoneyEdit(&window);
    auto* other = new QLineEdit(&window);
    money->move(0, 0);
    other->move(0, 40);
    window.show();
    money->setDisplayFormat(QStringLiteral(",0.00"));
    money->setValue(1234.567);
    EXPECT_EQ(money->text(), QStringLiteral("1,234.57"));
    EXPECT_DOUBLE_EQ(money->value(), 1234.567);  // the value keeps its digits

    money->setDisplayFormat(QStringLiteral(",0."));
    money->setValue(-5);
    EXPECT_EQ(money->text(), QStringLiteral("-5"));

    // Typed keys: letters are refused, digits and the sign go in.
    QApplication::setActiveWindow(&window);
    money->setFocus();
    money->selectAll();
    QTest::keyClicks(money, QStringLiteral("x-12.4y"));
    EXPECT_EQ(money->text(), QStringLiteral("-12.4"));
    EXPECT_DOUBLE_EQ(money->value(), -12.4);
    other->setFocus();
    EXPECT_EQ(money->text(), QStringLiteral("-12"));

    // A text put in from elsewhere that is no number leaves the value as it was.
    money->setText(QStringLiteral("zwölf"));
    EXPECT_DOUBLE_EQ(money->value(), -12.4);
    EXPECT_EQ(money->text(), QStringLiteral("-12"));
    money->setText(QStringLiteral("0"));
    EXPECT_DOUBLE_EQ(money->value(), 0);
}

TEST(DateEditInput, StoredTextsAndTheTickBox)
{
    Clock::setFixed(QDateTime(QDate(2026, 3, 9), QTime(10, 0)));
    DateEdit d;
    d.setStoredText(QStringLiteral("2025-12-31"));
    EXPECT_TRUE(d.isChecked());
    EXPECT_EQ(d.storedText(), QStringLiteral("2025-12-31"));
    d.setStoredText(QStringLiteral("1901-08-13"));
    EXPECT_FALSE(d.isChecked());
    EXPECT_EQ(d.date(), QDate(2026, 3, 9));
    EXPECT_EQ(d.storedText(), QStringLiteral("1900-08-14"));
    d.setStoredText(QStringLiteral("1901-08-13"), QStringLiteral("1901-08-13"));
    EXPECT_TRUE(d.isChecked());
    d.setStoredText(QString());
    EXPECT_FALSE(d.isChecked());
    d.checkBox()->click();
    EXPECT_EQ(d.storedText(), QStringLiteral("2026-03-09"));

    // Without a tick box the date is always given.
    DateEdit plain;
    plain.setShowCheckBox(false);
    plain.setDate(QDate(2026, 1, 2));
    EXPECT_EQ(plain.storedText(), QStringLiteral("2026-01-02"));
    Clock::reset();
}
