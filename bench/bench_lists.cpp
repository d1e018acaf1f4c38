// Page rendering speed of the list examples at 300 dpi, bitmap file written: the weekly planner
// (four weekly strips), the one-month list down the page and the one across it.
#include "QtBenchmarkMain.h"
#include "document/LayoutFile.h"
#include "render/PageExport.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace tobirae;

PageJob exampleJob(const char* name) {
    const QString path = QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/") + QLatin1String(name);
    ReadResult read = readLayoutFile(path);
    if (!read.document) {
        std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(path), qPrintable(read.error));
        std::abort();
    }
    return pageJobFromDocument(*read.document, 0x00FFFFFF);
}

void renderPages(benchmark::State& state, const PageJob& job) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.bmp"));
    int month = 0;
    for (auto _ : state) {
        const ExportResult result = exportPage(job, 2027, month % 12 + 1, path);
        if (!result.ok)
            state.SkipWithError(qPrintable(result.error));
        ++month;
    }
}

void BM_WeeklyPlannerPage300(benchmark::State& state) {
    static const PageJob job = exampleJob("weekly-planner.CLF");
    renderPages(state, job);
}

void BM_MonthListPage300(benchmark::State& state) {
    static const PageJob job = exampleJob("month-list.CLF");
    renderPages(state, job);
}

void BM_HorizontalListPage300(benchmark::State& state) {
    static const PageJob job = exampleJob("horizontal-list.CLF");
    renderPages(state, job);
}

// Twelve months in turn, so every week layout of the year is timed.
BENCHMARK(BM_WeeklyPlannerPage300)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(12)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_MonthListPage300)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(12)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_HorizontalListPage300)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(12)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
