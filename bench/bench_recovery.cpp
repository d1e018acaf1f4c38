// The recovery copy of a full layout (100 items, taken from the wall calendar's): what the editor
// does on the interface thread after a change (the layout's bytes), and the whole copy a worker
// then makes of them (framed, written atomically, synced to disk). Goal: the interface thread's
// part under 5 ms, so it never stalls a drag.
#include "app/RecoveryStore.h"
#include "files/AtomicFile.h"
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
        const QByteArray bytes = serializeLayout(layoutFromDocument(*document));
        benchmark::DoNotOptimize(bytes.constData());
    }
}
BENCHMARK(BM_RecoveryCopyOnTheInterfaceThread)->Unit(benchmark::kMillisecond);

void BM_RecoveryCopyWrittenAndSynced(benchmark::State& state) {
    const auto document = hundredItems();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edit.recovery"));
    const QByteArray bytes = serializeLayout(layoutFromDocument(*document));
    for (auto _ : state) {
        const QByteArray copy =
            encodeRecoveryCopy(bytes, document->path(), QDateTime::currentDateTime());
        if (writeFileAtomically(path, copy, AtomicFile::Durability::Sync))
            state.SkipWithError("the copy was not written");
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_RecoveryCopyWrittenAndSynced)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
