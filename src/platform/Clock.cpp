#include "platform/Clock.h"

namespace {
QDateTime g_fixed;
}

namespace Clock {
QDate today() { return now().date(); }
QDateTime now() { return g_fixed.isValid() ? g_fixed : QDateTime::currentDateTime(); }
void setFixed(const QDateTime& when) { g_fixed = when; }
void reset() { g_fixed = QDateTime(); }
}
