// Export of one page to an image file, without any user interface: the editor's
// "画像ファイル作成" and `tobirae-cli render` both call exportPage. It draws every live item in
// drawing order at the page resolution, keeps items that share a right or bottom edge on the
// canvas aligned on the page, reports N + 4 progress steps, honours a cancel flag, refuses pages
// too large for memory before allocating, and writes through a temporary file (no partial file).
// paintPage draws the same page, with the same steps, through a QPainter (PDF and printing).
#pragma once

#include "bitmap/ImageFile.h"
#include "bitmap/ImagePool.h"
#include "bitmap/PictureCache.h"
#include "document/LayoutDocument.h"
#include "document/LayoutItem.h"

#include <QImage>
#include <QPoint>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

namespace tobirae {

class Canvas;
class FontCache;
class OwnDayTable;

// One drawing-order entry as the export sees it.
struct ExportEntry {
    LayoutItem item;
    bool drawn = false; // the slot is live
    QRectF box;         // where the item is drawn, canvas units: its drawing area and frame
};

// Everything a page needs; a copy, so pages can be rendered on several threads at once.
struct PageJob {
    QSize canvas;   // layout pixels of the page
    QSizeF paperMm; // paper as oriented; empty: the canvas at 96 dots per inch
    int dpi = 300;  // page resolution
    Colour pageBackColor = 0x00FFFFFF;
    std::vector<ExportEntry> entries; // drawing order, including entries that are not drawn
    QString layoutFolder;             // for picture paths
    // The user's own days: the layout's and those of its days files, read when the job was
    // made; nullptr: none.
    std::shared_ptr<const OwnDayTable> ownDays;
    QStringList ownDaysProblems; // days files or lines that could not be read
    QString ownDaysTimeZone;     // where timed events of days files count; empty: Asia/Tokyo
    WeeklyDaysOff weeklyDaysOff = kDefaultWeeklyDaysOff; // for the working-day counts
    // Shared by the copies of the job: each picture is decoded once for all its pages, and PDF
    // pages draw the same image, which the file then holds once.
    std::shared_ptr<PictureCache> pictures = std::make_shared<PictureCache>();
};

// Adds days files to the job's own days (relative paths from the current folder); what cannot
// be read goes to ownDaysProblems.
void addDaysFiles(PageJob& job, const QStringList& files);

// The job for a document: every live item is drawn into its Left, Top, Width and Height with the
// item frame around them. The canvas is the document's canvas, or the paper size at 96 dots per
// inch when none is set.
PageJob pageJobFromDocument(const LayoutDocument& document, Colour pageBackColor);

struct ExportProgress {
    int step = 0;  // 1 .. total
    int total = 0; // N + 4, N = the entries drawn
    QString
        text; // "ビットマップの作成中", "背景色の設定中", "アイテムk の描画中", "ファイル作成中"
};

// Pages above this many bytes of pixels are refused (an A0 page at 300 dpi needs about 560 MB).
inline constexpr std::uint64_t kMaxPageBytes = 1ull << 30;

struct ExportOptions {
    std::optional<int> dpi; // overrides the job's resolution
    ImageFileOptions file;  // format and depth; its dpi is set from the page
    std::function<void(const ExportProgress&)> progress;
    const std::atomic<bool>* cancel = nullptr;
    std::uint64_t maxPageBytes = kMaxPageBytes;
    // Pixel memory to reuse from page to page (one pool per thread); nullptr: fresh memory.
    ImagePool* imagePool = nullptr;
    // Pages painted for a print shop: called before each entry is drawn, with the item as drawn
    // and its page offset; true when it drew the entry itself. Empty: every entry as usual.
    std::function<bool(std::size_t index, const LayoutItem& item, QPoint offset)> drawEntry;
    // Pages painted through a QPainter: the canvas the items are drawn on, sized `pixels`, with
    // the fonts of their surfaces. Empty: a PainterCanvas on the painter.
    std::function<std::unique_ptr<Canvas>(QPainter& painter, QSize pixels,
                                          std::shared_ptr<FontCache> fonts)>
        pageCanvas;
};

struct ExportResult {
    bool ok = false;
    bool cancelled = false;
    QString error; // empty on success and on cancel
    QSize pixels;  // size of the page bitmap
    int itemsDrawn = 0;
    int pages = 0; // pages of a multi-page file written
};

ExportResult exportPage(const PageJob& job, int year, int month, const QString& outputPath,
                        const ExportOptions& options = {});

// Draws the page through the painter, one painter unit per page pixel, (0, 0) the paper's top-left
// corner: texts stay text, lines and rectangles vectors, pictures keep their resolution. Same
// drawing order, alignment, checks and N + 4 steps as exportPage ("ページの作成中",
// "背景色の設定中", "アイテムk の描画中", "ページの出力中"); the page background covers the whole
// paper.
ExportResult paintPage(const PageJob& job, int year, int month, QPainter& painter,
                       const ExportOptions& options = {});

// The paper in page pixels at the resolution.
QSizeF paperPixels(const PageJob& job, int dpi);

// The whole paper as a picture at `dpi`: the page bitmap exportPage writes at that resolution,
// pixel for pixel, on paper of the page colour (a page without items is the blank paper). A null
// image when the picture cannot be made; `result` says how the drawing went.
QImage pageImage(const PageJob& job, int year, int month, int dpi, ExportResult* result = nullptr);

// "2027-04": how pages, files and messages name a month.
QString monthName(std::chrono::year_month month);

// Every month from `from` to `to`, both included; empty when `to` comes first.
std::vector<std::chrono::year_month> monthRange(std::chrono::year_month from,
                                                std::chrono::year_month to);

// Pages of any months, each on its own render context, spread over `threads` worker threads (0:
// one per core). paths[i] is the file of months[i]. onPage is called from the worker that
// finished page i. A failed page does not stop the others; the results of pages not rendered
// (after a cancel) say cancelled.
std::vector<ExportResult>
exportPages(const PageJob& job, const std::vector<std::chrono::year_month>& months,
            const std::vector<QString>& paths, const ExportOptions& options, unsigned threads = 0,
            const std::function<void(std::size_t index, const ExportResult&)>& onPage = {});

// Several months of one year, each page on its own render context, spread over `threads` worker
// threads (0: one per core), fewer when the pages would not fit into the memory available.
// paths[i] is the file of months[i]. onPage is called from the worker that finished the page. A
// failed page does not stop the others; after a cancel the pages not rendered say cancelled.
std::vector<ExportResult>
exportMonths(const PageJob& job, int year, const std::vector<int>& months,
             const std::vector<QString>& paths, const ExportOptions& options, unsigned threads = 0,
             const std::function<void(int month, const ExportResult&)>& onPage = {});

// Bytes of memory available to new pages (0 when unknown).
std::uint64_t availableMemory();
// Pages rendered at once: at most one per thread and per page, and no more than half the available
// memory holds (a page's bitmap and its item surface); always at least one.
unsigned pagesInFlight(unsigned threads, std::size_t pages, std::uint64_t pageBytes,
                       std::uint64_t available);

// The page offsets of step "alignment": for each entry, the (x, y) page-pixel offset that keeps
// shared right and bottom edges aligned, from the measured right and bottom ends. Entries not
// drawn get (0, 0). Exposed for tests and for the editor's preview of the page.
struct MeasuredEnd {
    float right = 0;
    float bottom = 0;
};
std::vector<QPoint> alignmentOffsets(const std::vector<ExportEntry>& entries,
                                     const std::vector<MeasuredEnd>& measured);

} // namespace tobirae
