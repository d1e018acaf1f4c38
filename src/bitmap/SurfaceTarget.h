// Internal: the canvas and scales a DrawSurface stands for.
#pragma once

#include "bitmap/Primitives.h"

namespace tobirae {

struct ResolvedTarget {
    Canvas* canvas = nullptr;
    float scaleX = 1;
    float scaleY = 1;
};

// dc nullptr: the page bitmap with the page scale. A scale of 0 counts as 1.
inline ResolvedTarget resolveTarget(RenderContext& ctx, const DrawSurface& surface) {
    if (!surface.dc)
        return {ctx.pageBitmap.get(), ctx.pageScaleX == 0 ? 1 : ctx.pageScaleX,
                ctx.pageScaleY == 0 ? 1 : ctx.pageScaleY};
    return {surface.dc, surface.scaleX == 0 ? 1 : surface.scaleX,
            surface.scaleY == 0 ? 1 : surface.scaleY};
}

inline Canvas* canvasOrPage(RenderContext& ctx, Canvas* dc) {
    return dc ? dc : ctx.pageBitmap.get();
}

} // namespace tobirae
