#include "bitmap/ImageCanvas.h"
#include "bitmap/Primitives.h"
#include "bitmap/SurfaceTarget.h"

#include <algorithm>
#include <limits>

namespace tobirae {

namespace {

int resolvedDepth(int bitDepth) {
    return bitDepth == -1 ? kScreenBitDepth : bitDepth;
}

bool supportedDepth(int bitDepth) {
    return bitDepth == 1 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16 || bitDepth == 24 ||
           bitDepth == 32;
}

} // namespace

void initRenderContext(RenderContext& ctx) {
    ctx.pageBitmap.reset();
    ctx.pageBitDepth = 0;
    ctx.itemSurface.reset();
    ctx.itemSurfaceWidth = 0;
    ctx.itemSurfaceHeight = 0;
    ctx.screenDpi = kLayoutDpi;
    ctx.pageDpi = ctx.screenDpi;
    ctx.pageScaleX = 1;
    ctx.pageScaleY = 1;
}

bool setPageDpi(RenderContext& ctx, int dpi) {
    if (dpi <= 0 || ctx.screenDpi <= 0)
        return false;
    ctx.pageDpi = dpi;
    const float scale = static_cast<float>(dpi) / static_cast<float>(ctx.screenDpi);
    ctx.pageScaleX = scale;
    ctx.pageScaleY = scale;
    return true;
}

void resetPageScale(RenderContext& ctx) {
    ctx.pageScaleX = 1;
    ctx.pageScaleY = 1;
}

bool setPageScale(RenderContext& ctx, float scale) {
    if (!(scale > 0))
        return false;
    ctx.pageScaleX = scale;
    ctx.pageScaleY = scale;
    return true;
}

PageScale currentPageScale(const RenderContext& ctx) {
    return {ctx.pageScaleX, ctx.pageScaleY};
}

void setClipSize(RenderContext& ctx, int width, int height) {
    ctx.clipWidth = width;
    ctx.clipHeight = height;
}

// The width steps down to the multiple of 4 below the largest one not above the rounded width:
// 2480 -> 2476, 2483 -> 2476, 2484 -> 2480.
QSize pageBitmapSize(float width, float height, float scaleX, float scaleY) {
    const int n = scalePointEven(width, scaleX);
    const int h = scalePointEven(height, scaleY);
    if (n < 0 || h < 0)
        return {0, 0};
    const int w = n - n % 4 - 4;
    return {w > 0 ? w : 0, h};
}

std::uint64_t pageBitmapBytes(QSize pixels, int bitDepth) {
    const int depth = resolvedDepth(bitDepth);
    if (pixels.width() <= 0 || pixels.height() <= 0 || !supportedDepth(depth))
        return 0;
    const std::uint64_t rowBytes =
        (static_cast<std::uint64_t>(pixels.width()) * depth + 31) / 32 * 4;
    return rowBytes * static_cast<std::uint64_t>(pixels.height());
}

bool createPageBitmap(RenderContext& ctx, float width, float height, int bitDepth) {
    if (ctx.pageBitmap)
        return false;
    const int depth = resolvedDepth(bitDepth);
    if (!supportedDepth(depth))
        return false;
    const QSize size = pageBitmapSize(width, height, ctx.pageScaleX, ctx.pageScaleY);
    if (size.isEmpty())
        return false;
    auto canvas = ctx.surfaceFactory(size.width(), size.height(), depth);
    if (!canvas)
        return false;
    ctx.pageBitmap = std::move(canvas);
    ctx.pageBitDepth = depth;
    ctx.clipWidth = size.width();
    ctx.clipHeight = size.height();
    return true;
}

void releasePageBitmap(RenderContext& ctx) {
    ctx.pageBitmap.reset();
    ctx.pageBitDepth = 0;
}

QSize itemSurfaceSize(const RenderContext& ctx, float width, float height) {
    // Sizes beyond the int range stop at its last multiple of four.
    constexpr int kLargest = std::numeric_limits<int>::max() / 4 * 4;
    int w = std::min(scalePoint(width, ctx.pageScaleX), kLargest);
    w += (4 - w % 4) % 4;
    const int h = std::min(scalePoint(height, ctx.pageScaleY), kLargest) + 1;
    return {w, h};
}

Canvas* createItemSurface(RenderContext& ctx, float width, float height, int bitDepth,
                              std::optional<QRect> window) {
    if (ctx.itemSurface)
        return nullptr;
    const int depth = resolvedDepth(bitDepth);
    if (!supportedDepth(depth))
        return nullptr;
    const QSize size = itemSurfaceSize(ctx, width, height);
    if (size.width() <= 0 || size.height() <= 0)
        return nullptr;
    // Only the window is held in memory; a window that misses the surface keeps one pixel of it.
    QRect held(QPoint(0, 0), size);
    if (window) {
        held = held.intersected(*window);
        if (held.isEmpty())
            held = QRect(0, 0, 1, 1);
    }
    auto canvas = ctx.surfaceFactory(held.width(), held.height(), depth);
    if (!canvas)
        return nullptr;
    canvas->setOrigin(held.topLeft());
    ctx.itemSurface = std::move(canvas);
    ctx.itemSurfaceWidth = size.width();
    ctx.itemSurfaceHeight = size.height();
    return ctx.itemSurface.get();
}

Canvas* createItemSurfaceInPlace(RenderContext& ctx, const DrawSurface& target, float x,
                                     float y, float width, float height, int xOffset, int yOffset,
                                     std::optional<QRect> window) {
    if (ctx.itemSurface)
        return nullptr;
    auto* bitmap = dynamic_cast<ImageCanvas*>(canvasOrPage(ctx, target.dc));
    if (!bitmap || bitmap->isNull() || bitmap->mutableImage().format() != QImage::Format_RGB32)
        return nullptr;
    const QSize size = itemSurfaceSize(ctx, width, height);
    if (size.width() <= 0 || size.height() <= 0)
        return nullptr;
    // Surface pixels the blit would copy onto pixels the bitmap holds.
    const BlitArea area = blitArea(ctx, x, y, width, height, xOffset, yOffset);
    QImage& image = bitmap->mutableImage();
    const QPoint origin = bitmap->origin();
    const std::int64_t left = std::max<std::int64_t>(0, origin.x() - area.x);
    const std::int64_t top = std::max<std::int64_t>(0, origin.y() - area.y);
    const std::int64_t right =
        std::min<std::int64_t>({area.width, origin.x() + image.width() - area.x, size.width()});
    const std::int64_t bottom =
        std::min<std::int64_t>({area.height, origin.y() + image.height() - area.y, size.height()});
    if (right <= left || bottom <= top)
        return nullptr;
    QRect held(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
               static_cast<int>(bottom - top));
    if (window)
        held = held.intersected(*window);
    if (held.isEmpty())
        return nullptr;
    const std::int64_t firstX = area.x + held.left() - origin.x();
    const std::int64_t firstY = area.y + held.top() - origin.y();
    uchar* first = image.bits() + firstY * image.bytesPerLine() + firstX * 4;
    auto canvas = std::make_unique<ImageCanvas>(
        QImage(first, held.width(), held.height(), image.bytesPerLine(), QImage::Format_RGB32),
        nullptr);
    canvas->setOrigin(held.topLeft());
    ctx.itemSurface = std::move(canvas);
    ctx.itemSurfaceWidth = size.width();
    ctx.itemSurfaceHeight = size.height();
    return ctx.itemSurface.get();
}

void releaseItemSurface(RenderContext& ctx) {
    ctx.itemSurface.reset();
    ctx.itemSurfaceWidth = 0;
    ctx.itemSurfaceHeight = 0;
}

} // namespace tobirae
