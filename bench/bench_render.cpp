// Page rendering speed: examples/wall-calendar.CLF at 300 dpi (2476 x 3509 pixels), one page
// with its bitmap file written, and the twelve pages of a year in parallel on all cores.
#include "QtBenchmarkMain.h"
#include "document/LayoutFile.h"
#include "render/PageExport.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <memory>

namespace {

using namespace tobirae;

const PageJob& wallCalendar() {
    static const PageJob job = [] {
        ReadResult read =
            readLayoutFile(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/wall-calendar.CLF"));
        if (!read.document) {
            std::fprintf(stderr, "cannot read the example: %s\n", qPrintable(read.error));
            std::abort();
        }
        return pageJobFromDocument(*read.document, 0x00FFFFFF);
    }();
    return job;
}

void BM_WallCalendarPage300(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.bmp"));
    int month = 0;
    for (auto _ : state) {
        const ExportResult result = exportPage(wallCalendar(), 2027, month % 12 + 1, path);
        if (!result.ok)
            state.SkipWithError(qPrintable(result.error));
        ++month;
        // A new file each time, as a user's export writes one; dropping the old one is not timed.
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WallCalendarPage300)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(6)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_WallCalendarYear300(benchmark::State& state) {
    QTemporaryDir dir;
    std::vector<int> months;
    std::vector<QString> paths;
    for (int m = 1; m <= 12; ++m) {
        months.push_back(m);
        paths.push_back(
            dir.filePath(QStringLiteral("2027-%1.bmp").arg(m, 2, 10, QLatin1Char('0'))));
    }
    for (auto _ : state) {
        const auto results = exportMonths(wallCalendar(), 2027, months, paths, {});
        for (const ExportResult& r : results)
            if (!r.ok)
                state.SkipWithError(qPrintable(r.error));
        state.PauseTiming();
        for (const QString& path : paths)
            QFile::remove(path);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WallCalendarYear300)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
