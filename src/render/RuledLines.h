// Backgrounds and ruled lines of the month-box kinds: which entry of CellBackColor and of the
// ruled-line table paints or draws what, in which order.
#pragma once

#include "bitmap/Primitives.h"
#include "document/LayoutItem.h"

namespace tobirae {

class ItemDrawScope;

// The grid the backgrounds and lines follow. Sizes are layout pixels; bands are design pixels
// multiplied by scaleY where used. Every derived coordinate has the placement offset added and is
// rounded to the nearest integer (ties to even).
struct BoxFrame {
    float width = 0;      // W, a multiple of 7
    float height = 0;     // H
    float gridTop = 0;    // G
    float yearBand = 0;   // Ty
    float monthBand = 0;  // Tm
    int rows = 5;         // R
    float scaleY = 1;     // sy
    int offsetX = 0;      // hx
    int offsetY = 0;      // vy
    int firstWeekday = 0; // weekday of column 0: 0 Sunday, 1 Monday
    float gridLeft = 0;   // the week-number column left of column 0; the days share the rest

    // Weekday 0 = Sunday .. 6 of column c: header and cell colours stay with their days.
    int weekdayAt(int c) const { return (c + firstWeekday) % 7; }

    // x of column edge c = 0..7 (0 left edge, 7 right edge).
    int columnX(int c) const;
    // y of row edge r = 0..rows (0 the grid top, 1 when G is 0; rows the bottom H).
    int rowY(int r) const;
    // y of a title-band edge given in design pixels (scaled by sy).
    int bandY(float designY) const;
    // Top of the year band (1 x sy), top of the month band and top of the weekday header.
    int yearBandTop() const { return bandY(1); }
    int monthBandTop() const;
    int headerTop() const;
    int headerBottom() const; // G
};

// Year and month band backgrounds (entries 0 and 1).
bool drawTitleBackgrounds(ItemDrawScope& scope, const LayoutItem& item, const BoxFrame& box);
// Weekday header cells (entries 2..8, Sunday to Saturday) and the day cells of rows 0..R-1
// (entry 9 + 7 x row + weekday), each in the column of its weekday.
bool drawGridBackgrounds(RenderContext& ctx, ItemDrawScope& scope, const LayoutItem& item,
                             const BoxFrame& box);
// Entries 0..15 when DrawRules is on: vertical lines left to right, then the horizontal ones top
// to bottom.
bool drawRuledLines(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item,
                        const BoxFrame& box);
// One line of a ruled-line entry with the entry's colour and width, when the entry is on (the
// caller checks DrawRules). The list kinds draw their entries 0..5 through it.
bool drawRuleEntry(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item,
                       int entry, int x1, int y1, int x2, int y2);
// Entry 16 from the top-right to the bottom-left corner of a shared cell, when DrawRules and the
// entry are on.
bool drawSplitDiagonal(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item,
                           int left, int top, int right, int bottom);

} // namespace tobirae
