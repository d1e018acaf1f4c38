#include "render/PageExport.h"

#include "bitmap/ImageCanvas.h"
#include "bitmap/PainterCanvas.h"
#include "bitmap/Primitives.h"
#include "document/ItemFrame.h"
#include "document/ResolutionTable.h"
#include "owndays/OwnDaysLoad.h"
#include "render/RenderFrame.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <exception>
#include <thread>

namespace tobirae {

PageJob pageJobFromDocument(const LayoutDocument& document, Colour pageBackColor) {
    PageJob job;
    const PageValues& page = document.page;
    job.canvas = page.CanvasWidth > 0 && page.CanvasHeight > 0
                     ? QSize(page.CanvasWidth, page.CanvasHeight)
                     : canvasSizeForPaper(page.PaperWidth, page.PaperHeight);
    job.dpi = page.ResolutionDpi > 0
                  ? page.ResolutionDpi
                  : resolutionIndexToDpi(page.ResolutionIndex, kDefaultScreenDpi);
    job.paperMm = QSizeF(page.PaperWidth, page.PaperHeight);
    job.pageBackColor = pageBackColor;
    if (!document.path().isEmpty())
        job.layoutFolder = QFileInfo(document.path()).absolutePath();
    for (const ListEntry& entry : document.drawingOrder()) {
        ExportEntry e;
        if (entry.slot >= 0 && entry.slot < kSlotCount) {
            e.item = document.item(entry.slot);
            e.drawn = document.isLive(entry.slot);
            e.box = QRectF(e.item.Left, e.item.Top, e.item.Width + kItemFrame,
                           e.item.Height + kItemFrame);
        }
        job.entries.push_back(std::move(e));
    }
    // Linked days files are read here, at every render, so a shared file stays current.
    const OwnDaysSettings& own = document.extension.ownDays;
    job.ownDaysTimeZone = own.timeZone;
    job.weeklyDaysOff = own.weeklyDaysOffOrDefault();
    if (!own.isEmpty()) {
        LoadedOwnDays loaded = loadOwnDays(own, job.layoutFolder);
        job.ownDays = std::move(loaded.table);
        job.ownDaysProblems = std::move(loaded.problems);
    }
    return job;
}

void addDaysFiles(PageJob& job, const QStringList& files) {
    if (files.isEmpty())
        return;
    LoadedOwnDays loaded = loadOwnDays(job.ownDays ? job.ownDays->days() : std::vector<OwnDay>{},
                                       files, {}, daysReadOptions(job.ownDaysTimeZone));
    job.ownDays = std::move(loaded.table);
    job.ownDaysProblems += loaded.problems;
}

namespace {

// Edges compare exactly: a fraction of a unit apart is not shared.
struct Groups {
    std::vector<int> group;     // group id (its first member's index) or -1
    std::vector<int> reference; // per group id: the reference member or -1
};

Groups groupBy(const std::vector<ExportEntry>& entries, float (*edge)(const ExportEntry&),
               bool (*locked)(const ExportEntry&)) {
    const int n = static_cast<int>(entries.size());
    Groups g{std::vector<int>(entries.size(), -1), std::vector<int>(entries.size(), -1)};
    for (int i = 0; i < n; ++i) {
        if (!entries[i].drawn)
            continue;
        for (int j = i + 1; j < n; ++j) {
            if (!entries[j].drawn || edge(entries[i]) != edge(entries[j]))
                continue;
            if (g.group[i] < 0)
                g.group[i] = i;
            g.group[j] = g.group[i];
        }
    }
    // The reference comes from the pairs (first member, other member) in list order: a locked
    // first member takes it, then a locked other member takes it over.
    for (int first = 0; first < n; ++first) {
        if (g.group[first] != first)
            continue;
        for (int j = first + 1; j < n; ++j) {
            if (g.group[j] != first)
                continue;
            if (locked(entries[first]))
                g.reference[first] = first;
            if (locked(entries[j]))
                g.reference[first] = j;
        }
    }
    return g;
}

float bottomEdge(const ExportEntry& e) {
    return static_cast<float>(e.box.top() + e.box.height());
}
float rightEdge(const ExportEntry& e) {
    return static_cast<float>(e.box.left() + e.box.width());
}
bool verticallyLocked(const ExportEntry& e) {
    return isTrue(e.item.VCenterLocked);
}
bool horizontallyLocked(const ExportEntry& e) {
    return isTrue(e.item.HCenterLocked);
}

std::vector<int> offsetsFor(const Groups& g, const std::vector<float>& own) {
    const std::size_t n = own.size();
    std::vector<float> groupMax(n, 0);
    std::vector<bool> seen(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        const int id = g.group[i];
        if (id < 0)
            continue;
        const auto k = static_cast<std::size_t>(id);
        groupMax[k] = seen[k] ? std::max(groupMax[k], own[i]) : own[i];
        seen[k] = true;
    }
    std::vector<int> offsets(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const int id = g.group[i];
        if (id < 0)
            continue;
        const int ref = g.reference[static_cast<std::size_t>(id)];
        const float target =
            ref >= 0 ? own[static_cast<std::size_t>(ref)] : groupMax[static_cast<std::size_t>(id)];
        offsets[i] = roundHalfEven(static_cast<double>(target) - own[i]);
    }
    return offsets;
}

// The item as drawn on the page: its geometry is its box.
LayoutItem withBoxGeometry(const ExportEntry& entry) {
    LayoutItem item = entry.item;
    item.Top = static_cast<float>(entry.box.top());
    item.Left = static_cast<float>(entry.box.left());
    item.Height = static_cast<float>(entry.box.height());
    item.Width = static_cast<float>(entry.box.width());
    return item;
}

} // namespace

std::vector<QPoint> alignmentOffsets(const std::vector<ExportEntry>& entries,
                                     const std::vector<MeasuredEnd>& measured) {
    const Groups bottoms = groupBy(entries, bottomEdge, verticallyLocked);
    const Groups rights = groupBy(entries, rightEdge, horizontallyLocked);
    std::vector<float> ownBottom;
    std::vector<float> ownRight;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ownBottom.push_back(i < measured.size() ? measured[i].bottom : 0);
        ownRight.push_back(i < measured.size() ? measured[i].right : 0);
    }
    const std::vector<int> dy = offsetsFor(bottoms, ownBottom);
    const std::vector<int> dx = offsetsFor(rights, ownRight);
    std::vector<QPoint> offsets;
    for (std::size_t i = 0; i < entries.size(); ++i)
        offsets.emplace_back(dx[i], dy[i]);
    return offsets;
}

namespace {

// One page on its way: its progress steps, the cancel flag and what it came to.
class PageRun {
public:
    PageRun(const PageJob& job, const ExportOptions& options) : options_(options) {
        for (const ExportEntry& e : job.entries)
            drawnCount_ += e.drawn ? 1 : 0;
    }
    int drawnCount() const { return drawnCount_; }
    void advance(const QString& text) {
        ++step_;
        if (options_.progress)
            options_.progress(ExportProgress{step_, drawnCount_ + 4, text});
    }
    bool cancelled() {
        if (options_.cancel && options_.cancel->load())
            result.cancelled = true;
        return result.cancelled;
    }
    ExportResult failed(const QString& message) {
        result.error = message;
        return result;
    }
    ExportResult result;

private:
    const ExportOptions& options_;
    int drawnCount_ = 0;
    int step_ = 0;
};

// Checks the request and sets the context's page resolution; the page's pixel size, or nothing
// with the run's error set.
std::optional<QSize> startPage(const PageJob& job, int year, int month, RenderContext& ctx,
                               const ExportOptions& options, PageRun& run) {
    auto fail = [&](const QString& message) -> std::optional<QSize> {
        run.failed(message);
        return std::nullopt;
    };
    if (run.drawnCount() == 0)
        return fail(QStringLiteral("描画するアイテムがありません。"));
    if (year < 1 || year > 9999 || month < 1 || month > 12)
        return fail(QStringLiteral("%1年%2月は出力できません。").arg(year).arg(month));
    const int dpi = options.dpi.value_or(job.dpi);
    if (dpi <= 0 || dpi > 4800)
        return fail(QStringLiteral("解像度 %1 dpi では出力できません。").arg(dpi));
    initRenderContext(ctx);
    setPageDpi(ctx, dpi);
    ctx.pictures = job.pictures.get();
    // Refuse before allocating: the page must fit comfortably into memory.
    const QSize pixels =
        pageBitmapSize(static_cast<float>(job.canvas.width()),
                           static_cast<float>(job.canvas.height()), ctx.pageScaleX, ctx.pageScaleY);
    const std::uint64_t bytes = pageBitmapBytes(pixels, -1);
    if (bytes == 0)
        return fail(QStringLiteral("用紙に大きさがありません (%1 x %2 ピクセル)。")
                        .arg(job.canvas.width())
                        .arg(job.canvas.height()));
    if (bytes > options.maxPageBytes)
        return fail(
            QStringLiteral("ページが %1 x %2 ピクセル (%3 MB) になり、1 ページの上限 %4 MB を"
                           "超えます。解像度を下げるか用紙を小さくしてください。")
                .arg(pixels.width())
                .arg(pixels.height())
                .arg(bytes >> 20)
                .arg(options.maxPageBytes >> 20));
    run.result.pixels = pixels;
    return pixels;
}

// Measures every entry, aligns shared edges and draws the entries in drawing order onto the
// context's page, one progress step per entry drawn. False on failure or cancel.
bool drawEntries(const PageJob& job, int year, int month, RenderContext& ctx,
                 const ExportOptions& options, PageRun& run) {
    ctx.ownDays = job.ownDays.get();
    ctx.weeklyDaysOff = job.weeklyDaysOff;
    std::vector<MeasuredEnd> measured(job.entries.size());
    for (std::size_t i = 0; i < job.entries.size(); ++i) {
        const ExportEntry& entry = job.entries[i];
        if (!entry.drawn)
            continue;
        DateRange range = pageDateRange(year, month);
        const auto extent =
            measureLayoutItem(ctx, withBoxGeometry(entry), range, job.layoutFolder);
        if (!extent) {
            run.failed(QStringLiteral("アイテム%1の大きさを求められませんでした。").arg(i + 1));
            return false;
        }
        measured[i] = MeasuredEnd{extent->right, extent->bottom};
    }
    const std::vector<QPoint> offsets = alignmentOffsets(job.entries, measured);

    for (std::size_t i = 0; i < job.entries.size(); ++i) {
        const ExportEntry& entry = job.entries[i];
        if (!entry.drawn)
            continue;
        if (run.cancelled())
            return false;
        run.advance(QStringLiteral("アイテム%1の描画中").arg(i + 1));
        if (options.drawEntry && options.drawEntry(i, withBoxGeometry(entry), offsets[i])) {
            ++run.result.itemsDrawn;
            continue;
        }
        DateRange range = pageDateRange(year, month);
        if (!drawLayoutItem(ctx, withBoxGeometry(entry), nullptr, range, DrawSurface{},
                            offsets[i].x(), offsets[i].y(), job.layoutFolder)) {
            run.failed(QStringLiteral("アイテム%1を描画できませんでした。").arg(i + 1));
            return false;
        }
        ++run.result.itemsDrawn;
    }
    return !run.cancelled();
}

} // namespace

namespace {

// Draws the page onto the context's page bitmap, with the run's progress steps up to the last
// item. False, with the run's error or cancel set, when it did not get that far.
bool drawPageBitmap(const PageJob& job, int year, int month, RenderContext& ctx,
                    const ExportOptions& options, PageRun& run) {
    ctx.imagePool = options.imagePool;
    const auto pixels = startPage(job, year, month, ctx, options, run);
    if (!pixels)
        return false;
    run.advance(QStringLiteral("ビットマップの作成中"));
    if (!createPageBitmap(ctx, static_cast<float>(job.canvas.width()),
                              static_cast<float>(job.canvas.height()), -1)) {
        run.failed(QStringLiteral("%1 x %2 ピクセルのページを作るメモリーが足りません。")
                       .arg(pixels->width())
                       .arg(pixels->height()));
        return false;
    }
    if (run.cancelled())
        return false;
    run.advance(QStringLiteral("背景色の設定中"));
    fillSurface(ctx, nullptr, ClipSize, job.pageBackColor, BrushSolid, 0, false);
    return drawEntries(job, year, month, ctx, options, run) && ctx.pageBitmap->image();
}

} // namespace

ExportResult exportPage(const PageJob& job, int year, int month, const QString& outputPath,
                        const ExportOptions& options) {
    PageRun run(job, options);
    try {
        RenderContext ctx;
        if (!drawPageBitmap(job, year, month, ctx, options, run))
            return run.result;
        run.advance(QStringLiteral("ファイル作成中"));
        ImageFileOptions file = options.file;
        file.dpi = ctx.pageDpi;
        QString error;
        if (!writeImageFile(*ctx.pageBitmap->image(), outputPath, file, &error))
            return run.failed(error);
        releasePageBitmap(ctx);
        run.advance(QStringLiteral("ファイル作成中"));
        run.result.ok = true;
        return run.result;
    } catch (const std::exception& e) {
        return run.failed(
            QStringLiteral("出力できませんでした: %1").arg(QString::fromLocal8Bit(e.what())));
    }
}

QSizeF paperPixels(const PageJob& job, int dpi) {
    const QSizeF inches =
        job.paperMm.isEmpty() ? QSizeF(job.canvas) / kLayoutDpi : job.paperMm / 25.4;
    return inches * dpi;
}

QImage pageImage(const PageJob& job, int year, int month, int dpi, ExportResult* result) {
    const QSizeF paper = paperPixels(job, dpi);
    const QSize size(static_cast<int>(std::ceil(paper.width())),
                     static_cast<int>(std::ceil(paper.height())));
    ExportOptions options;
    options.dpi = dpi;
    PageRun run(job, options);
    QImage image;
    try {
        // The page bitmap itself, so a preview shows the pixels of the file; the paper beyond the
        // bitmap's width is the page colour.
        RenderContext ctx;
        const bool drawn = drawPageBitmap(job, year, month, ctx, options, run);
        image = QImage(size, QImage::Format_RGB32);
        if (image.isNull()) {
            run.failed(QStringLiteral("%1 x %2 ピクセルのページを作るメモリーが足りません。")
                           .arg(size.width())
                           .arg(size.height()));
        } else {
            image.fill(rgbFromColour(job.pageBackColor));
            if (drawn) {
                QPainter painter(&image);
                painter.setCompositionMode(QPainter::CompositionMode_Source);
                painter.drawImage(0, 0, *ctx.pageBitmap->image());
                run.result.ok = true;
            }
        }
    } catch (const std::exception& e) {
        run.failed(
            QStringLiteral("出力できませんでした: %1").arg(QString::fromLocal8Bit(e.what())));
    }
    if (result)
        *result = run.result;
    return image;
}

ExportResult paintPage(const PageJob& job, int year, int month, QPainter& painter,
                       const ExportOptions& options) {
    PageRun run(job, options);
    try {
        RenderContext ctx;
        const auto pixels = startPage(job, year, month, ctx, options, run);
        if (!pixels)
            return run.result;
        run.advance(QStringLiteral("ページの作成中"));
        if (!painter.isActive())
            return run.failed(QStringLiteral("ページを描けません。"));
        // The page and its item surfaces measure each text once between them.
        const auto fonts = std::make_shared<FontCache>();
        useDeferredSurfaces(ctx, fonts);
        ctx.pageBitmap = options.pageCanvas
                             ? options.pageCanvas(painter, *pixels, fonts)
                             : std::make_unique<PainterCanvas>(painter, *pixels, fonts);
        if (!ctx.pageBitmap)
            return run.failed(QStringLiteral("ページを描けません。"));
        ctx.pageBitDepth = kScreenBitDepth;
        setClipSize(ctx, pixels->width(), pixels->height());
        if (run.cancelled())
            return run.result;

        // The background covers the whole paper, also the strip the bitmap leaves out.
        run.advance(QStringLiteral("背景色の設定中"));
        painter.fillRect(QRectF(QPointF(0, 0), paperPixels(job, ctx.pageDpi)),
                         QColor::fromRgb(rgbFromColour(job.pageBackColor)));
        if (!drawEntries(job, year, month, ctx, options, run))
            return run.result;
        run.advance(QStringLiteral("ページの出力中"));
        releasePageBitmap(ctx);
        run.advance(QStringLiteral("ページの出力中"));
        run.result.ok = true;
        return run.result;
    } catch (const std::exception& e) {
        return run.failed(
            QStringLiteral("出力できませんでした: %1").arg(QString::fromLocal8Bit(e.what())));
    }
}

std::uint64_t availableMemory() {
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : meminfo.readAll().split('\n')) {
        if (line.startsWith("MemAvailable:"))
            return line.mid(13).trimmed().split(' ').value(0).toULongLong() * 1024;
    }
    return 0;
}

unsigned pagesInFlight(unsigned threads, std::size_t pages, std::uint64_t pageBytes,
                       std::uint64_t available) {
    std::uint64_t n = std::min<std::uint64_t>(threads, std::max<std::size_t>(pages, 1));
    // A page in flight holds its bitmap and at most one item surface of the same size.
    if (available > 0 && pageBytes > 0)
        n = std::min<std::uint64_t>(n, available / (2 * pageBytes));
    return static_cast<unsigned>(std::max<std::uint64_t>(n, 1));
}

std::vector<ExportResult>
exportPages(const PageJob& job, const std::vector<std::chrono::year_month>& months,
            const std::vector<QString>& paths, const ExportOptions& options, unsigned threads,
            const std::function<void(std::size_t index, const ExportResult&)>& onPage) {
    const std::size_t count = std::min(months.size(), paths.size());
    std::vector<ExportResult> results(count);
    for (ExportResult& r : results)
        r.cancelled = true;
    std::atomic<std::size_t> next{0};
    // A page that fails does not keep the others from being written.
    auto worker = [&] {
        ImagePool pool;
        for (std::size_t i = next++; i < count; i = next++) {
            if (options.cancel && options.cancel->load())
                return;
            ExportOptions pageOptions = options;
            pageOptions.progress = nullptr;
            pageOptions.imagePool = &pool;
            results[i] = exportPage(job, static_cast<int>(months[i].year()),
                                    static_cast<int>(static_cast<unsigned>(months[i].month())),
                                    paths[i], pageOptions);
            if (onPage)
                onPage(i, results[i]);
        }
    };
    if (threads == 0)
        threads = std::max(1u, std::thread::hardware_concurrency());
    const float scale = static_cast<float>(options.dpi.value_or(job.dpi)) / kLayoutDpi;
    const std::uint64_t pageBytes = pageBitmapBytes(
        pageBitmapSize(static_cast<float>(job.canvas.width()),
                           static_cast<float>(job.canvas.height()), scale, scale),
        -1);
    threads = pagesInFlight(threads, count, pageBytes, availableMemory());
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(worker);
    worker();
    for (std::thread& thread : pool)
        thread.join();
    return results;
}

std::vector<ExportResult>
exportMonths(const PageJob& job, int year, const std::vector<int>& months,
             const std::vector<QString>& paths, const ExportOptions& options, unsigned threads,
             const std::function<void(int month, const ExportResult&)>& onPage) {
    std::vector<std::chrono::year_month> pages;
    for (int month : months)
        pages.emplace_back(std::chrono::year(year),
                           std::chrono::month(static_cast<unsigned>(month)));
    return exportPages(job, pages, paths, options, threads,
                       [&](std::size_t i, const ExportResult& result) {
                           if (onPage)
                               onPage(months[i], result);
                       });
}

QString monthName(std::chrono::year_month month) {
    return QStringLiteral("%1-%2")
        .arg(static_cast<int>(month.year()))
        .arg(static_cast<unsigned>(month.month()), 2, 10, QLatin1Char('0'));
}

std::vector<std::chrono::year_month> monthRange(std::chrono::year_month from,
                                                std::chrono::year_month to) {
    std::vector<std::chrono::year_month> months;
    if (!from.ok() || !to.ok())
        return months;
    for (auto month = from; month <= to; month += std::chrono::months(1))
        months.push_back(month);
    return months;
}

} // namespace tobirae
