// main() of every test program: a QApplication on the offscreen platform.
#include <QApplication>
#include <gtest/gtest.h>

#include "platform/Password.h"

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Operators made by tests need not cost a real hash each.
    setPasswordCost(PasswordCost::Fast);
    return RUN_ALL_TESTS();
}
