#pragma once
// main() of a QtTest program that drives widgets.
//
// The offscreen platform never frees its screen objects, which the leak
// checker would report at exit; a global pointer keeps them reachable, so
// that every leak it reports is one of ours. (The thread checker runs with
// ignore_noninstrumented_modules, so accesses inside the Qt libraries, such
// as the test library's watchdog thread, are not reported.)

#include <QApplication>
#include <QScreen>
#include <QtTest>

namespace zt {
inline QScreen* volatile keptScreen = nullptr;
}

#define ZT_GUI_TEST_MAIN(TestObject)                                                               \
    int main(int argc, char** argv) {                                                              \
        QApplication app(argc, argv);                                                              \
        zt::keptScreen = QGuiApplication::primaryScreen();                                         \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
