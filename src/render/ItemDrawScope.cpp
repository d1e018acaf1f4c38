#include "render/ItemDrawScope.h"

#include "render/PreviewTarget.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <utility>

namespace tobirae {

namespace {

// A preview may hold only a window of the view (its origin onwards): drawing stops at its end.
void clipToPreview(RenderContext& ctx, const Canvas* canvas) {
    if (canvas)
        setClipSize(ctx, canvas->origin().x() + canvas->width(),
                        canvas->origin().y() + canvas->height());
}

} // namespace

ItemDrawScope::ItemDrawScope(RenderContext& ctx, const RenderArgs& args, float surfaceWidth,
                             float surfaceHeight, bool drawsUnder)
    : ctx_(ctx), args_(args), surfaceWidth_(surfaceWidth > 0 ? surfaceWidth : args.item.Width),
      surfaceHeight_(surfaceHeight > 0 ? surfaceHeight : args.item.Height) {
    if (args.preview) {
        // Screen: the view is cleared and drawn at its device scale (1 is the plain screen).
        args.preview->clear(args.item.BackColor);
        const float scale = args.preview->deviceScale() > 0 ? args.preview->deviceScale() : 1;
        resetPageScale(ctx);
        setPageScale(ctx, scale);
        Canvas* canvas = args.preview->canvas();
        clipToPreview(ctx, canvas);
        surface_ = DrawSurface{canvas, scale, scale};
        return;
    }
    // Only the part of the surface that lands on the page is kept: an item far larger than the
    // page costs no more memory than the page.
    const PageScale pageScale = currentPageScale(ctx);
    const std::int64_t left =
        std::int64_t{scalePointEven(static_cast<float>(args.itemLeft), pageScale.x)} +
        args.xOffset;
    const std::int64_t top =
        std::int64_t{scalePointEven(static_cast<float>(args.itemTop), pageScale.y)} +
        args.yOffset;
    const auto onPage = [](std::int64_t start, int clip) {
        return std::pair{static_cast<int>(std::clamp<std::int64_t>(-start, 0, INT_MAX)),
                         static_cast<int>(std::clamp<std::int64_t>(clip - start, 0, INT_MAX))};
    };
    const auto [x0, x1] = onPage(left, ctx.clipWidth);
    const auto [y0, y1] = onPage(top, ctx.clipHeight);
    const QRect window(QPoint(x0, y0), QPoint(x1 - 1, y1 - 1));
    // An opaque item is drawn straight onto the page: the same pixels, without a surface of its
    // own to fill and copy.
    Canvas* surface = nullptr;
    if (!isTrue(args.item.Transparent) && !drawsUnder)
        surface = createItemSurfaceInPlace(ctx, args.page, static_cast<float>(args.itemLeft),
                                               static_cast<float>(args.itemTop), surfaceWidth_,
                                               surfaceHeight_, args.xOffset, args.yOffset, window);
    inPlace_ = surface != nullptr;
    if (!surface)
        surface = createItemSurface(ctx, surfaceWidth_, surfaceHeight_, -1, window);
    if (!surface)
        return;
    ownsItemSurface_ = true;
    const PageScale scale = currentPageScale(ctx);
    surface_ = DrawSurface{surface, scale.x, scale.y};
    fillSurface(ctx, surface, ItemSurfaceSize, args.item.BackColor, BrushSolid, 0, false);
}

ItemDrawScope::~ItemDrawScope() {
    if (ownsItemSurface_)
        releaseItemSurface(ctx_);
}

bool ItemDrawScope::fillRect(float left, float top, float right, float bottom, Colour colour,
                             int brushStyle, int hatch, bool transparent) {
    if (!surface_.dc)
        return false;
    if (onScreen())
        return fillScaledRect(ctx_, surface_, left, top, right, bottom, colour, brushStyle, hatch,
                            transparent);
    return fillItemRect(ctx_, surface_, left, top, right, bottom, colour, brushStyle, hatch,
                            transparent);
}

bool ItemDrawScope::finish() {
    if (finished_)
        return true;
    finished_ = true;
    if (args_.preview) {
        args_.preview->finished();
        return surface_.dc != nullptr;
    }
    if (!ownsItemSurface_)
        return false;
    if (inPlace_) {
        releaseItemSurface(ctx_);
        ownsItemSurface_ = false;
        return true;
    }
    const bool ok = blitSurface(ctx_, args_.page, static_cast<float>(args_.itemLeft),
                             static_cast<float>(args_.itemTop), surfaceWidth_, surfaceHeight_,
                             ctx_.itemSurface.get(), 0, 0, args_.item.TransparentColor,
                             isTrue(args_.item.Transparent), args_.xOffset, args_.yOffset);
    releaseItemSurface(ctx_);
    ownsItemSurface_ = false;
    return ok;
}

} // namespace tobirae
