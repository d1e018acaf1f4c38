// Page rendering speed: examples/wall-calendar.CLF at 300 dpi (2476 x 3509 pixels), one page
// with its bitmap file written, the twelve pages of a year in parallel on all cores, a fiscal
// year (April to March) as one PDF (goal: under 1 s and 2 MB), and one page as a whole
// `tobirae-cli render` process (goal: at most 0.09 s on a quiet machine).
#include "QtBenchmarkMain.h"
#include "document/LayoutFile.h"
#include "render/PageExport.h"
#include "render/PdfExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
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

void BM_WallCalendarFiscalYearPdf(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fiscal.pdf"));
    using std::chrono::year;
    const auto months = monthRange(year(2027) / 4, year(2028) / 3);
    for (auto _ : state) {
        const ExportResult result = exportPdf(wallCalendar(), months, path);
        if (!result.ok)
            state.SkipWithError(qPrintable(result.error));
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK(BM_WallCalendarFiscalYearPdf)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Start-up, reading the layout, drawing and writing the file: what a script calling the tool
// waits for.
void BM_CliRenderPage300(benchmark::State& state) {
    QTemporaryDir dir;
    const QString cli = QStringLiteral(TOBIRAE_CLI_PATH);
    const QStringList args{
        QStringLiteral("render"),  QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/wall-calendar.CLF"),
        QStringLiteral("--year"),  QStringLiteral("2027"),
        QStringLiteral("--month"), QStringLiteral("5"),
        QStringLiteral("-o"),      dir.filePath(QStringLiteral("page.bmp"))};
    for (auto _ : state) {
        QProcess process;
        process.start(cli, args);
        if (!process.waitForFinished(60000) || process.exitCode() != 0)
            state.SkipWithError("tobirae-cli render failed");
    }
}
BENCHMARK(BM_CliRenderPage300)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
