#pragma once
// The main function of a benchmark that draws with Qt: the offscreen platform
// unless another is chosen, an application object, then every benchmark
// asked for on the command line.

#include <QGuiApplication>
#include <benchmark/benchmark.h>

inline int runGuiBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
