// Feeds arbitrary bytes as a layout file to the page renderer: whatever the reader accepts is
// drawn for a month at 72 dots per inch. Drawing must end, stay within memory and never touch
// memory it does not own; a refusal must say why.
#include "document/LayoutFile.h"
#include "render/PageExport.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<QTemporaryDir> gDir;

// Pages stay small so a run tries many layouts: A4 at 72 dpi is 2 MB of pixels.
constexpr std::uint64_t kMaxFuzzPageBytes = 8u << 20;

} // namespace

// Fontconfig keeps its caches for the life of the process; they are not leaks of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept to the end of the process: libFuzzer leaves through exit(), after Qt's own statics
    // are gone, where destroying the application would crash.
    new QGuiApplication(*argc, *argv);
    gDir = std::make_unique<QTemporaryDir>();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const tobirae::LayoutParseResult parsed = tobirae::parseLayoutBytes(bytes);
    if (!parsed.content)
        return 0;
    const auto document =
        tobirae::LayoutDocument::fromRecords(parsed.content->header, parsed.content->items, 96);
    const tobirae::PageJob job = tobirae::pageJobFromDocument(*document, 0x00FFFFFF);
    tobirae::ExportOptions options;
    options.dpi = 72;
    options.maxPageBytes = kMaxFuzzPageBytes;
    // The month follows the first byte, so every month's shape gets its turn.
    const int month = size > 0 ? 1 + data[0] % 12 : 1;
    const tobirae::ExportResult result =
        tobirae::exportPage(job, 2027, month, gDir->filePath(QStringLiteral("page.bmp")), options);
    if (!result.ok && !result.cancelled && result.error.isEmpty())
        std::abort();
    return 0;
}
