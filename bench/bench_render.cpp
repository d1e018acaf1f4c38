// Page rendering speed: examples/wall-calendar.CLF at 300 dpi (2476 x 3509 pixels), one page
// with its bitmap file written, the twelve pages of a year in parallel on all cores, a fiscal
// year (April to March) as one PDF (goal: under 1 s and 2 MB), and whole `tobirae-cli render`
// processes writing one page as BMP or PNG and a year of PNG pages, next to the peer pipeline
// pcal | ghostscript writing the same kinds of page.
#include "QtBenchmarkMain.h"
#include "document/LayoutFile.h"
#include "render/PageExport.h"
#include "render/PdfExport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
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

// Runs the command until the benchmark has its iterations; a failed run ends it with an error.
void runEach(benchmark::State& state, const QString& program, const QStringList& args) {
    for (auto _ : state) {
        QProcess process;
        process.start(program, args);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
            process.exitCode() != 0) {
            state.SkipWithError(qPrintable(program + QStringLiteral(" failed")));
            return;
        }
    }
}

// Start-up, reading the layout, drawing and writing the file: what a script calling the tool
// waits for. Goals: the PNG and the 24-bit BMP page each take at most half the time of the peer
// pipeline below that writes the same kind of file.
void BM_CliRenderPage300(benchmark::State& state, const char* format, const char* depth) {
    QTemporaryDir dir;
    QStringList args{QStringLiteral("render"),
                     QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/wall-calendar.CLF"),
                     QStringLiteral("--year"),
                     QStringLiteral("2027"),
                     QStringLiteral("--month"),
                     QStringLiteral("5"),
                     QStringLiteral("--format"),
                     QString::fromLatin1(format),
                     QStringLiteral("-o"),
                     dir.filePath(QStringLiteral("page.") + QLatin1String(format))};
    if (depth)
        args << QStringLiteral("--depth") << QString::fromLatin1(depth);
    runEach(state, QStringLiteral(TOBIRAE_CLI_PATH), args);
}
BENCHMARK_CAPTURE(BM_CliRenderPage300, bmp32, "bmp", nullptr)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_CliRenderPage300, bmp24, "bmp", "24")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_CliRenderPage300, png, "png", nullptr)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The century of day facts as the command line prints them, 選日, moon and working days
// included (goal: under 0.5 s for the whole process, output read through a pipe).
void BM_CliDaysCentury(benchmark::State& state) {
    runEach(state, QStringLiteral(TOBIRAE_CLI_PATH),
            {QStringLiteral("days"), QStringLiteral("1950-01-01"), QStringLiteral("2049-12-31")});
}
BENCHMARK(BM_CliDaysCentury)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The twelve PNG pages of a year, as 一括出力 writes them (goal: under 2 s on two cores).
void BM_CliRenderYearPng300(benchmark::State& state) {
    QTemporaryDir dir;
    runEach(state, QStringLiteral(TOBIRAE_CLI_PATH),
            {QStringLiteral("render"),
             QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/wall-calendar.CLF"),
             QStringLiteral("--year"), QStringLiteral("2027"), QStringLiteral("--all-months"),
             QStringLiteral("--format"), QStringLiteral("png"), QStringLiteral("-o"), dir.path()});
}
BENCHMARK(BM_CliRenderYearPng300)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(2)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The peer pipeline the page times are held against: a month of pcal's PostScript calendar
// rasterised by ghostscript at 300 dpi on A4 (Debian packages pcal and ghostscript; skipped
// without them).
void BM_PeerPcalGhostscript300(benchmark::State& state, const char* device) {
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sh"));
    if (QStandardPaths::findExecutable(QStringLiteral("pcal")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("gs")).isEmpty()) {
        state.SkipWithError("pcal or ghostscript is not installed");
        return;
    }
    QTemporaryDir dir;
    const QString pipeline =
        QStringLiteral("pcal -P a4 5 2027 | gs -q -dSAFER -dBATCH -dNOPAUSE -sPAPERSIZE=a4 "
                       "-sDEVICE=%1 -r300 -sOutputFile=%2 -")
            .arg(QLatin1String(device), dir.filePath(QStringLiteral("page")));
    runEach(state, shell, {QStringLiteral("-c"), pipeline});
}
BENCHMARK_CAPTURE(BM_PeerPcalGhostscript300, bmp16m, "bmp16m")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_PeerPcalGhostscript300, png16m, "png16m")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
