// What the user's own days cost a 12-page export: the wall calendar's April-to-March PDF with no
// days file, and with a days file of 10,000 entries read afresh for each export, as a linked
// file is. Goal: the file adds under 50 ms.
#include "QtBenchmarkMain.h"
#include "document/LayoutFile.h"
#include "owndays/DaysFile.h"
#include "render/PageExport.h"
#include "render/PdfExport.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>

namespace {

using namespace tobirae;
using namespace std::chrono;

constexpr int kEntries = 10000;

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

// Days off, ranges, named days and every-year dates spread over 2020..2035.
QByteArray daysFile() {
    std::mt19937 random(25);
    std::vector<OwnDay> days;
    const sys_days base{2020y / 1 / 1};
    for (int i = 0; i < kEntries; ++i) {
        const sys_days first = base + std::chrono::days{random() % (16 * 365)};
        const auto length = std::chrono::days{i % 7 == 0 ? random() % 10 : 0};
        OwnDay d{year_month_day{first}, year_month_day{first + length}, i % 10 == 0,
                 QStringLiteral("予定%1").arg(i), OwnDayKind(i % 3)};
        if (d.everyYear)
            d.last = d.first = kRepeatYear / d.first.month() / std::min(d.first.day(), day{28});
        days.push_back(d);
    }
    return writeDaysCsv(days);
}

void exportYear(benchmark::State& state, bool withDays) {
    QTemporaryDir dir;
    const QString days = dir.filePath(QStringLiteral("days.csv"));
    QFile file(days);
    if (!file.open(QIODevice::WriteOnly) || file.write(daysFile()) < 0)
        state.SkipWithError("cannot write the days file");
    file.close();
    const QString pdf = dir.filePath(QStringLiteral("year.pdf"));
    const auto months = monthRange(2027y / April, 2028y / March);
    for (auto _ : state) {
        PageJob job = wallCalendar();
        if (withDays)
            addDaysFiles(job, {days});
        const ExportResult result = exportPdf(job, months, pdf, {});
        if (!result.ok || !job.ownDaysProblems.isEmpty())
            state.SkipWithError("the export failed");
    }
}

void BM_TwelvePagesWithoutDays(benchmark::State& state) {
    exportYear(state, false);
}
void BM_TwelvePagesWith10000Days(benchmark::State& state) {
    exportYear(state, true);
}
BENCHMARK(BM_TwelvePagesWithoutDays)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_TwelvePagesWith10000Days)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
