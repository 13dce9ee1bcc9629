#pragma once
// What the window benchmarks share: their main's end, which runs the
// benchmarks in an application offscreen (unless QT_QPA_PLATFORM says
// otherwise), with debug output off and the window's signal types known.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLoggingCategory>

#include "app/mainform.h"

namespace zbench {

inline int runWindowBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    MainForm::registerSignalTypes();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace zbench
