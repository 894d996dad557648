#pragma once
// main() of a test suite: the program's own application object (with its
// error handler) on Qt's offscreen platform, then QTest.

#include <QTest>

#include "ui/application.h"

#define TABEL_TEST_MAIN(TestClass)                                 \
    int main(int argc, char** argv)                                \
    {                                                              \
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen")); \
        ui::Application app(argc, argv);                           \
        TestClass tc;                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                 \
        return QTest::qExec(&tc, argc, argv);                      \
    }
