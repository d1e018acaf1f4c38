// Geometry of the one-month and weekly lists, the one computation that drawing and measuring
// share. The vertical list runs its days down the item, one row each; the horizontal list runs
// them across, one column each. Everything here is written along the day axis ("along") and
// across it ("cross"), so the two lists are the same code with the axes exchanged.
#pragma once

#include "document/LayoutItem.h"
#include "render/RenderArgs.h"
#include "render/RenderFrame.h"

#include <chrono>
#include <optional>
#include <vector>

namespace tobirae {

enum class DayAxis {
    Down,   // vertical list: one row per day
    Across, // horizontal list: one column per day
};

// The days a list shows and the number of lines it lays out.
struct DayListDays {
    std::chrono::sys_days first{};
    int days = 0;  // D: consecutive dates from first, never more than lines
    int lines = 0; // N
};

// One-month lists show the shown month in 31 lines; weekly lists the range's days in the frame's
// fixed line count, or one line per day when it is 0. A range longer than its lines (29～末日
// of a common-year February runs on to the end of March) shows only the days that fit.
std::optional<DayListDays> dayListDays(const LayoutItem& item, const DateRange& range,
                                           int fixedLines);

struct DayListGeometry {
    DayAxis axis = DayAxis::Down;
    DayListDays days;
    ContentFit fit;  // content W x H in layout pixels; the day axis a multiple of the lines
    int offsetX = 0; // placement offsets hx, vy
    int offsetY = 0;

    bool across() const { return axis == DayAxis::Across; }
    // Content length along the day axis (H, or W for the horizontal list) and across it.
    int alongLength() const { return across() ? fit.width : fit.height; }
    int crossLength() const { return across() ? fit.height : fit.width; }
    float alongScale() const { return across() ? fit.scaleX : fit.scaleY; }
    float crossScale() const { return across() ? fit.scaleY : fit.scaleX; }
    int alongOffset() const { return across() ? offsetX : offsetY; }
    int crossOffset() const { return across() ? offsetY : offsetX; }
    // Every line is this long along the day axis.
    int lineSize() const { return days.lines > 0 ? alongLength() / days.lines : 0; }
    // Start of line r (0..N) along the day axis, offset included; line N is the far edge.
    int lineStart(int r) const;
    // The user dividing lines (HLinePos for the horizontal list, VLinePos for the vertical one)
    // across the day axis in layout pixels with the offset, in the item's order.
    std::vector<int> dividers(const LayoutItem& item) const;
    // Edges of the background regions across the day axis: the content's near edge, the
    // dividing lines in ascending order held inside the content, and its far edge. Region i
    // spans edges i..i+1 and is painted with background entry i.
    std::vector<int> regionEdges(const LayoutItem& item) const;

    // (x, y) of a point given along and across the day axis.
    float x(float along, float cross) const { return across() ? along : cross; }
    float y(float along, float cross) const { return across() ? cross : along; }
};

// Days, fit and placement of the list; nullopt when the range is not a real date.
std::optional<DayListGeometry>
computeDayListGeometry(const RenderArgs& args, DayAxis axis,
                       ContentFitting fitting = ContentFitting::ToTarget);

} // namespace tobirae
