#include "bitmap/Primitives.h"
#include "bitmap/SurfaceTarget.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <exception>

namespace tobirae {

bool drawPixelLine(RenderContext& ctx, Canvas* dc, int x1, int y1, int x2, int y2, Colour colour,
                     int penWidth, int penStyle, bool transparent) {
    try {
        Canvas* canvas = canvasOrPage(ctx, dc);
        if (!canvas)
            return false;
        return canvas->drawLine(x1, y1, x2, y2, colour, penWidth, penStyle, transparent);
    } catch (const std::exception&) {
        return false;
    }
}

bool drawScaledLine(RenderContext& ctx, const DrawSurface& surface, float x1, float y1, float x2,
                  float y2, Colour colour, int penWidth, int penStyle, bool transparent) {
    try {
        const ResolvedTarget target = resolveTarget(ctx, surface);
        if (!target.canvas)
            return false;
        return target.canvas->drawLine(
            scalePoint(x1, target.scaleX), scalePoint(y1, target.scaleY),
            scalePoint(x2, target.scaleX), scalePoint(y2, target.scaleY), colour, penWidth,
            penStyle, transparent);
    } catch (const std::exception&) {
        return false;
    }
}

namespace {

// The brush fills the interior; the edges are then drawn as single-pixel lines in the same colour.
bool fillClamped(Canvas& canvas, int left, int top, int right, int bottom, int clipWidth,
                 int clipHeight, Colour colour, int brushStyle, int hatch, bool transparent) {
    left = std::min(left, clipWidth);
    right = std::min(right, clipWidth);
    top = std::min(top, clipHeight);
    bottom = std::min(bottom, clipHeight);
    // An empty rectangle draws nothing (its edge lines would paint a stray pixel column).
    if (right <= left || bottom <= top)
        return true;
    bool ok = canvas.fillRect(left, top, right, bottom, colour, brushStyle, hatch, transparent);
    ok = canvas.drawLine(left, top, right - 1, top, colour, 1, PenSolid, transparent) && ok;
    ok = canvas.drawLine(right - 1, top, right - 1, bottom - 1, colour, 1, PenSolid, transparent) &&
         ok;
    ok = canvas.drawLine(left, bottom - 1, right - 1, bottom - 1, colour, 1, PenSolid,
                         transparent) &&
         ok;
    ok = canvas.drawLine(left, top, left, bottom - 1, colour, 1, PenSolid, transparent) && ok;
    return ok;
}

bool fillScaled(RenderContext& ctx, const DrawSurface& surface, float left, float top, float right,
                float bottom, int clipWidth, int clipHeight, Colour colour, int brushStyle,
                int hatch, bool transparent) {
    try {
        const ResolvedTarget target = resolveTarget(ctx, surface);
        if (!target.canvas)
            return false;
        return fillClamped(*target.canvas, scalePoint(left, target.scaleX),
                           scalePoint(top, target.scaleY), scalePoint(right, target.scaleX),
                           scalePoint(bottom, target.scaleY), clipWidth, clipHeight, colour,
                           brushStyle, hatch, transparent);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

bool fillScaledRect(RenderContext& ctx, const DrawSurface& surface, float left, float top,
                  float right, float bottom, Colour colour, int brushStyle, int hatch,
                  bool transparent) {
    return fillScaled(ctx, surface, left, top, right, bottom, ctx.clipWidth, ctx.clipHeight, colour,
                      brushStyle, hatch, transparent);
}

bool fillItemRect(RenderContext& ctx, const DrawSurface& surface, float left, float top,
                      float right, float bottom, Colour colour, int brushStyle, int hatch,
                      bool transparent) {
    return fillScaled(ctx, surface, left, top, right, bottom, ctx.itemSurfaceWidth,
                      ctx.itemSurfaceHeight, colour, brushStyle, hatch, transparent);
}

bool fillSurface(RenderContext& ctx, Canvas* dc, int whichSize, Colour colour, int brushStyle,
                     int hatch, bool transparent) {
    try {
        Canvas* canvas = canvasOrPage(ctx, dc);
        if (!canvas)
            return false;
        const int width = whichSize == ItemSurfaceSize ? ctx.itemSurfaceWidth : ctx.clipWidth;
        const int height = whichSize == ItemSurfaceSize ? ctx.itemSurfaceHeight : ctx.clipHeight;
        return canvas->fillRect(-1, -1, width + 1, height + 1, colour, brushStyle, hatch,
                                transparent);
    } catch (const std::exception&) {
        return false;
    }
}

BlitArea blitArea(const RenderContext& ctx, float x, float y, float width, float height,
                      int xOffset, int yOffset) {
    const float sx = ctx.pageScaleX == 0 ? 1 : ctx.pageScaleX;
    const float sy = ctx.pageScaleY == 0 ? 1 : ctx.pageScaleY;
    const std::int64_t bx = scalePointEven(x, sx);
    const std::int64_t by = scalePointEven(y, sy);
    // The clip cuts the size at the unshifted position, the offsets move what is left.
    return {bx + xOffset, by + yOffset,
            std::min(std::int64_t{scalePoint(width, sx)} + 1, ctx.clipWidth - bx),
            std::min(std::int64_t{scalePoint(height, sy)} + 1, ctx.clipHeight - by)};
}

bool blitSurface(RenderContext& ctx, const DrawSurface& target, float x, float y, float width,
              float height, const Canvas* source, int sourceX, int sourceY,
              Colour transparentColour, bool transparent, int xOffset, int yOffset) {
    try {
        Canvas* canvas = canvasOrPage(ctx, target.dc);
        if (!canvas || !source)
            return false;
        const BlitArea area = blitArea(ctx, x, y, width, height, xOffset, yOffset);
        const std::int64_t w = area.width;
        const std::int64_t h = area.height;
        const std::int64_t tx = area.x;
        const std::int64_t ty = area.y;
        // Nothing of it can land on a target whose coordinates are ints.
        if (w <= 0 || h <= 0 || tx > INT_MAX || ty > INT_MAX || tx + w <= 0 || ty + h <= 0)
            return true;
        // A start beyond the int range is cut off here; the target clips the rest.
        const std::int64_t cutX = std::max<std::int64_t>(0, std::int64_t{INT_MIN} - tx);
        const std::int64_t cutY = std::max<std::int64_t>(0, std::int64_t{INT_MIN} - ty);
        return canvas->blit(
            static_cast<int>(tx + cutX), static_cast<int>(ty + cutY),
            static_cast<int>(std::min<std::int64_t>(w - cutX, INT_MAX)),
            static_cast<int>(std::min<std::int64_t>(h - cutY, INT_MAX)), *source,
            static_cast<int>(std::clamp<std::int64_t>(sourceX + cutX, INT_MIN, INT_MAX)),
            static_cast<int>(std::clamp<std::int64_t>(sourceY + cutY, INT_MIN, INT_MAX)),
            transparent ? std::optional<Colour>(transparentColour) : std::nullopt);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace tobirae
