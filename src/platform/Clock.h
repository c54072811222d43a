#pragma once
#include <QDate>
#include <QDateTime>

// The one source of "today" and "now". Tests pin it so that code generators,
// date()/now() in SQL and reminder windows see a chosen day.
namespace Clock {
QDate today();
QDateTime now();
void setFixed(const QDateTime& when);  // pin the clock (tests, screenshots)
void reset();                           // back to the system clock
}
