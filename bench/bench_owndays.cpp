// What the user's own days cost a 12-page export: the wall calendar's April-to-March PDF with no
// days file, and with a days file of 10,000 entries read afresh for each export, as a linked
// file is. Goal: the file adds under 50 ms.
// Then hostile files, each read or refused as the editor reads a linked file (whole expansion
// range) and followed by a month of look-ups. Goal: under 1 s and 200 MB each; peak_rss_mb is
// the process's peak so far, so the last one bounds them all.
#include "QtBenchmarkMain.h"
#include "document/ExtensionBlock.h"
#include "document/LayoutFile.h"
#include "owndays/DaysFile.h"
#include "owndays/OwnDayTable.h"
#include "render/PageExport.h"
#include "render/PdfExport.h"

#include <QCborArray>
#include <QCborMap>
#include <QCborValue>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>

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

QByteArray calendar(const QString& body) {
    return (QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n") + body +
            QStringLiteral("END:VCALENDAR\r\n"))
        .toUtf8();
}

QByteArray neverMatching(const char* freq) {
    return calendar(QStringLiteral("BEGIN:VEVENT\r\nUID:x\r\nSUMMARY:x\r\n"
                                   "DTSTART:20270101T000000Z\r\nRRULE:FREQ=%1;BYMONTH=2;"
                                   "BYMONTHDAY=30;COUNT=3\r\nEND:VEVENT\r\n")
                        .arg(QLatin1String(freq)));
}

QByteArray runawayZone() {
    return calendar(QStringLiteral(
        "BEGIN:VTIMEZONE\r\nTZID:Bad\r\nBEGIN:STANDARD\r\nDTSTART:19000101T000000\r\n"
        "RRULE:FREQ=SECONDLY\r\nTZOFFSETFROM:+0900\r\nTZOFFSETTO:+0900\r\nEND:STANDARD\r\n"
        "END:VTIMEZONE\r\nBEGIN:VEVENT\r\nUID:z\r\nSUMMARY:z\r\n"
        "DTSTART;TZID=Bad:20270101T100000\r\nEND:VEVENT\r\n"));
}

QByteArray dailyEvents(int count) {
    QString body;
    for (int i = 0; i < count; ++i)
        body += QStringLiteral("BEGIN:VEVENT\r\nUID:%1\r\nDTSTART;VALUE=DATE:19000101\r\n"
                               "RRULE:FREQ=DAILY\r\nSUMMARY:毎日%1\r\nEND:VEVENT\r\n")
                    .arg(i);
    return calendar(body);
}

QByteArray overlappingEntries() {
    QByteArray out = QStringLiteral("日付,名前,種類\n").toUtf8();
    for (int i = 0; i < 100000; ++i)
        out += QStringLiteral("2027-01-01..2027-12-31,名前%1,記念日\n").arg(i).toUtf8();
    return out;
}

double peakRssMb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Reads the file as the editor reads a linked one, then looks up every day of a month page.
void readHostile(benchmark::State& state, const QString& path) {
    std::size_t entries = 0;
    for (auto _ : state) {
        const DaysReadResult read = readDaysFile(path);
        const OwnDayTable table(read.days);
        for (int d = 1; d <= 31; ++d)
            benchmark::DoNotOptimize(table.lookup(2027y / 3 / d));
        entries = read.days.size();
    }
    state.counters["entries"] = double(entries);
    state.counters["peak_rss_mb"] = peakRssMb();
}

void readHostileBytes(benchmark::State& state, const QByteArray& bytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("hostile"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        state.SkipWithError("cannot write the file");
    file.close();
    readHostile(state, path);
}

void BM_HostileMinutelyRule(benchmark::State& state) {
    readHostileBytes(state, neverMatching("MINUTELY"));
}
void BM_HostileSecondlyRule(benchmark::State& state) {
    readHostileBytes(state, neverMatching("SECONDLY"));
}
void BM_HostileSecondlyZone(benchmark::State& state) {
    readHostileBytes(state, runawayZone());
}
void BM_Hostile300DailyEvents(benchmark::State& state) {
    readHostileBytes(state, dailyEvents(300));
}
void BM_Hostile1000DailyEvents(benchmark::State& state) {
    readHostileBytes(state, dailyEvents(1000));
}
void BM_Hostile100000OverlappingEntries(benchmark::State& state) {
    readHostileBytes(state, overlappingEntries());
}
void BM_HostileProcPagemap(benchmark::State& state) {
    readHostile(state, QStringLiteral("/proc/self/pagemap"));
}
void BM_HostileFifo(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fifo.csv"));
    if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
        state.SkipWithError("cannot make a FIFO");
    readHostile(state, path);
}
// The extension block of a layout with 60,000 text items (17 MB).
void BM_Hostile60000TextItems(benchmark::State& state) {
    QCborArray items;
    const QCborMap item{{QStringLiteral("Order"), 0}, {QStringLiteral("Text"), QString(200, 'x')}};
    for (int i = 0; i < 60000; ++i)
        items.append(item);
    const QByteArray bytes =
        QByteArray(32, '\0') +
        frameExtensionBlock(QCborValue(QCborMap{{QStringLiteral("TextItems"), items}}).toCbor());
    for (auto _ : state)
        benchmark::DoNotOptimize(parseLayoutBytes(bytes));
    state.counters["peak_rss_mb"] = peakRssMb();
}

#define HOSTILE(name) BENCHMARK(name)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2)
HOSTILE(BM_HostileMinutelyRule);
HOSTILE(BM_HostileSecondlyRule);
HOSTILE(BM_HostileSecondlyZone);
HOSTILE(BM_Hostile300DailyEvents);
HOSTILE(BM_Hostile1000DailyEvents);
HOSTILE(BM_Hostile100000OverlappingEntries);
HOSTILE(BM_HostileProcPagemap);
HOSTILE(BM_HostileFifo);
HOSTILE(BM_Hostile60000TextItems);

} // namespace

int main(int argc, char** argv) {
    return runQtBenchmarks(argc, argv);
}
