// The print-shop PDF of examples/picture-calendar.CLF: twelve pages (April to March) with 3 mm
// bleed and crop marks, without PDF/X (goal: under 2 s) and with PDF/X-3 through Ghostscript
// (goal: the conversion under 10 s). The counter "bytes" is the file's size. The preflight of the
// same twelve months with every calendar item at the paper's left edge, so that the texts of all
// twelve pages are drawn and looked at (it runs again in the dialog whenever the months change).
#include "QtBenchmarkMain.h"
#include "document/LayoutFile.h"
#include "render/PdfxConversion.h"
#include "render/Preflight.h"
#include "render/PrintShopPdf.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using namespace tobirae;

const PageJob& pictureCalendar() {
    static const PageJob job = [] {
        ReadResult read =
            readLayoutFile(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/picture-calendar.CLF"));
        if (!read.document) {
            std::fprintf(stderr, "cannot read the example: %s\n", qPrintable(read.error));
            std::abort();
        }
        return pageJobFromDocument(*read.document, 0x00FFFFFF);
    }();
    return job;
}

void BM_PictureCalendarPrintShopPdf(benchmark::State& state, bool pdfx) {
    if (pdfx && findGhostscript(QStringLiteral("gs")).isEmpty()) {
        state.SkipWithError("Ghostscript (gs) is not installed");
        return;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("nyuko.pdf"));
    using std::chrono::year;
    const auto months = monthRange(year(2027) / 4, year(2028) / 3);
    PrintShopOptions shop;
    shop.bleedMm = 3;
    shop.marks = true;
    shop.pdfx = pdfx;
    for (auto _ : state) {
        const PrintShopResult result = exportPrintShopPdf(pictureCalendar(), months, path, shop);
        if (!result.pages.ok)
            state.SkipWithError(qPrintable(result.pages.error));
    }
    state.counters["bytes"] = static_cast<double>(QFileInfo(path).size());
}
BENCHMARK_CAPTURE(BM_PictureCalendarPrintShopPdf, rgb, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_PictureCalendarPrintShopPdf, pdfx, true)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

void BM_PictureCalendarPreflightAtTheEdge(benchmark::State& state) {
    PageJob job = pictureCalendar();
    for (ExportEntry& entry : job.entries)
        if (entry.drawn && entry.item.Category != CategoryPicture)
            entry.box.moveLeft(0);
    using std::chrono::year;
    const auto months = monthRange(year(2027) / 4, year(2028) / 3);
    std::size_t warnings = 0;
    for (auto _ : state)
        warnings = preflight(job, months, PrintShopOptions{}).size();
    state.counters["warnings"] = static_cast<double>(warnings);
}
BENCHMARK(BM_PictureCalendarPreflightAtTheEdge)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
