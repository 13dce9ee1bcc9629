#pragma once
// main() of a QtTest program that drives widgets.
//
// The offscreen platform never frees its screen objects, which the leak
// checker would report at exit; a global pointer keeps them reachable, so
// that every leak it reports is one of ours. The thread checker cannot see
// inside the Qt libraries, so the test library's own watchdog thread looks
// racy to it; those two reports are silenced, nothing of ours.

#include <QApplication>
#include <QScreen>
#include <QtTest>

namespace zt {
inline QScreen* volatile keptScreen = nullptr;
}

#define ZT_GUI_TEST_MAIN(TestObject)                                                               \
    extern "C" const char* __tsan_default_suppressions() {                                         \
        return "race:QWaitCondition::~QWaitCondition\n"                                           \
               "race:QTest::qRun\n";                                                              \
    }                                                                                              \
    int main(int argc, char** argv) {                                                              \
        QApplication app(argc, argv);                                                              \
        zt::keptScreen = QGuiApplication::primaryScreen();                                         \
        TestObject tc;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&tc, argc, argv);                                                      \
    }
