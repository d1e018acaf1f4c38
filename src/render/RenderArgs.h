// RenderArgs: what the frame hands a kind renderer. The range is already rewritten for the item;
// preview == nullptr means the page target (export). Renderers open an ItemDrawScope with these
// args and draw through it.
#pragma once

#include "bitmap/Primitives.h"
#include "document/LayoutItem.h"
#include "render/DateRange.h"

#include <QString>

namespace tobirae {

class PreviewTarget;

struct RenderArgs {
    const LayoutItem& item;
    PreviewTarget* preview = nullptr; // nullptr: page target
    DrawSurface page;                 // page target: dc nullptr = the context's page bitmap
    DateRange range;
    // The item's Left and Top as they are, not rounded to a layout pixel: a centred item can sit
    // on a half pixel, which the page resolves.
    float itemLeft = 0;
    float itemTop = 0;
    int xOffset = 0; // page pixels added when placing on the page
    int yOffset = 0;
    int rows = 0;         // box kinds: 5 or 6; weekly: fixed row count or 0
    QString layoutFolder; // for picture paths relative to the layout file

    bool onScreen() const { return preview != nullptr; }
};

} // namespace tobirae
