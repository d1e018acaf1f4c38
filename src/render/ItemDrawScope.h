// ItemDrawScope: the target handling every kind renderer needs, as one RAII object. Open it at
// the start of a drawKind, draw on scope.surface() with scope.fillRect() for filled
// rectangles, and call scope.finish(): on screen it clears the view, sets scale and clip size; on
// the page it creates the item surface, fills it with BackColor and on finish blits it onto the
// page (leaving out TransparentColor when asked) and releases it; an opaque item's surface is the
// part of the page it covers, so nothing is left to copy. Destroyed unfinished: released
// without a blit (what an opaque item drew stays, as a failed drawing leaves what it drew).
#pragma once

#include "bitmap/Primitives.h"
#include "render/RenderArgs.h"

#include <QSize>

namespace tobirae {

class ItemDrawScope {
public:
    // Page target: the item surface is the item's Width x Height (or the given size when
    // positive). Screen target: the view is cleared to the item's BackColor.
    // drawsUnder: the renderer also draws on the page under the item, which the copy of an
    // opaque surface covers; the item then gets a surface of its own even when opaque.
    ItemDrawScope(RenderContext& ctx, const RenderArgs& args, float surfaceWidth = 0,
                  float surfaceHeight = 0, bool drawsUnder = false);
    ~ItemDrawScope();
    ItemDrawScope(const ItemDrawScope&) = delete;
    ItemDrawScope& operator=(const ItemDrawScope&) = delete;

    // False when the target could not be set up (no surface); draw nothing then.
    bool ok() const { return surface_.dc != nullptr; }
    bool onScreen() const { return args_.preview != nullptr; }

    // Where to draw: coordinates relative to the item, layout pixels.
    const DrawSurface& surface() const { return surface_; }
    Canvas* canvas() const { return surface_.dc; }

    // fillScaledRect on screen, fillItemRect on the page.
    bool fillRect(float left, float top, float right, float bottom, Colour colour,
                  int brushStyle = BrushSolid, int hatch = 0, bool transparent = false);

    // Page: blit onto the page at the item's scaled position plus offsets, then release.
    // Screen: tells the view it is done. Returns false when the blit failed.
    bool finish();

private:
    RenderContext& ctx_;
    const RenderArgs& args_;
    DrawSurface surface_;
    float surfaceWidth_ = 0;
    float surfaceHeight_ = 0;
    bool ownsItemSurface_ = false;
    bool inPlace_ = false; // the item surface is the part of the page it covers
    bool finished_ = false;
};

} // namespace tobirae
