// The recovery copy of a full layout (100 items, taken from the wall calendar's): what the editor
// does on the interface thread after a change (the layout's bytes and the copy's), and the whole
// write a worker then does (atomic, synced to disk). Goal: under 5 ms, so it never stalls a drag.
#include "app/RecoveryStore.h"
#include "document/AtomicFile.h"
#include "document/LayoutFile.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using namespace tobirae;

const QString kWallCalendar = QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/wall-calendar.CLF");

std::unique_ptr<LayoutDocument> hundredItems() {
    const LayoutParseResult parsed = readLayoutFileContent(kWallCalendar);
    std::vector<LayoutItem> items;
    for (std::size_t i = 0; items.size() < kMaxItemCount; ++i)
        items.push_back(parsed.content->items.at(i % parsed.content->items.size()));
    return LayoutDocument::fromRecords(parsed.content->header, items, kDefaultScreenDpi);
}

void BM_RecoveryCopyOnTheInterfaceThread(benchmark::State& state) {
    const auto document = hundredItems();
    for (auto _ : state) {
        const QByteArray copy = encodeRecoveryCopy(serializeLayout(layoutFromDocument(*document)),
                                                   document->path(), QDateTime::currentDateTime());
        benchmark::DoNotOptimize(copy.constData());
    }
}
BENCHMARK(BM_RecoveryCopyOnTheInterfaceThread)->Unit(benchmark::kMillisecond);

void BM_RecoveryCopyWrittenAndSynced(benchmark::State& state) {
    const auto document = hundredItems();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edit.recovery"));
    for (auto _ : state) {
        const QByteArray copy = encodeRecoveryCopy(serializeLayout(layoutFromDocument(*document)),
                                                   document->path(), QDateTime::currentDateTime());
        if (writeFileAtomically(path, copy, AtomicFile::Durability::Sync))
            state.SkipWithError("the copy was not written");
    }
    state.counters["bytes"] =
        static_cast<double>(serializeLayout(layoutFromDocument(*document)).size());
}
BENCHMARK(BM_RecoveryCopyWrittenAndSynced)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
