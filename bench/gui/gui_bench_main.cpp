// The GUI benchmarks' program: one QApplication for all of them (offscreen
// unless a platform is given), or the child process of the peak-memory one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstring>

#include "bench_window.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], quizloom::bench::kWindowPeakChildOption) == 0)
        return quizloom::bench::windowPeakChild(argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
