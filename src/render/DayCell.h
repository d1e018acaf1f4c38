// Filling one day cell with its elements, and the extent of a group of content elements.
#pragma once

#include "bitmap/Primitives.h"
#include "calendar/DayFacts.h"
#include "document/LayoutItem.h"
#include "render/DateRange.h"

#include <chrono>

namespace tobirae {

// A cell that holds one day, or one of the two days folded into a shared cell.
enum class CellHalf { Normal, Upper, Lower };

struct DayCellPlacement {
    float x0 = 0; // cell origin, layout pixels, placement offsets included
    float y0 = 0;
    float cellWidth = 0;
    float scaleX = 1; // fit scales; scaleY is also the font scale
    float scaleY = 1;
    CellHalf half = CellHalf::Normal;
};

// Day-number colour: the holiday entry for a named holiday, else the weekday's entry.
Colour dayNumberColour(const LayoutItem& item, std::chrono::sys_days date, bool holiday);
// The same for a day's facts: the holiday entry also for the user's day off; a working day takes
// the Monday entry when it falls on a Sunday, so it is never red.
Colour dayNumberColour(const LayoutItem& item, const DayFacts& facts);
// Weekday-name colour of column 0..6 (Sunday first).
Colour weekdayNameColour(const LayoutItem& item, int weekday);

// What an extra element (ExtraSelectedDays …) prints for a day: the 選日 the item names, joined
// by "・"; the 月齢 with one decimal; the phase as ●◐○◑ or (Style 1) its name; empty for none.
QString extraElementText(const LayoutItem& item, int extra, const DayFacts& facts);

// Draws the day number (always), then rokuyo, sexagenary name, old-calendar date, solar term
// and holiday when shown, then the shown extra elements, each in its own font, transparently, at
// the cell's positions.
bool fillDayCell(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item,
                     std::chrono::year_month_day date, const DayCellPlacement& cell);

// Bounds of the shown elements of a group at scale 1, normal positions:
// group 0 all thirteen, 1 the year elements, 2 the month elements, anything else Year1 only.
struct ElementExtent {
    float bottom = 0;
    float right = 0;
    float top = 0; // 0 with left when no element of the group is shown
    float left = 0;
};
bool dayCellContentExtent(RenderContext& ctx, Canvas* surface, const DateRange& range,
                       const LayoutItem& item, int group, ElementExtent& out);

} // namespace tobirae
