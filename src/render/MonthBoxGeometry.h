// Geometry of the five-row, six-row and mini month boxes: the one computation that drawing and
// measuring share.
#pragma once

#include "bitmap/RenderContext.h"
#include "render/DayCell.h"
#include "render/RenderArgs.h"
#include "render/RenderFrame.h"
#include "render/RuledLines.h"

#include <chrono>
#include <optional>

namespace tobirae {

// Where one date of the shown month sits in the grid.
struct MonthBoxCell {
    std::chrono::year_month_day date;
    int column = 0; // 0 the first day of the week (Sunday or Monday) .. 6 the last
    int row = 0;    // drawn row (a folded sixth week is drawn in row 4)
    CellHalf half = CellHalf::Normal;
};

struct MonthBoxGeometry {
    ContentFit fit;  // W = fit.width; fit.height is H before the grid trims it
    int offsetX = 0; // placement offsets hx, vy
    int offsetY = 0;
    int rows = 5;                  // R
    std::chrono::sys_days first{}; // F, the 1st of the shown month
    std::chrono::sys_days last{};  // L
    int firstWeekday = 0;          // 0 weeks from Sunday, 1 from Monday
    int weeks = 0;                 // weeks the month touches (4, 5 or 6)
    ElementExtent years;           // extents of the year and month title groups
    ElementExtent months;
    float yearBand = 0;          // Ty (design pixels)
    float monthBand = 0;         // Tm
    float title = 0;             // T
    float weekdayTextHeight = 0; // h_w
    int headerBottom = 0;        // hb
    int gridTop = 0;             // G
    int gridHeight = 0;          // Hg, a multiple of R
    float height = 0;            // H after the grid has trimmed the bottom margin
    int weekColumn = 0;          // week numbers: their column's width at the left of the days

    int width() const { return fit.width; }
    // The width of one day column: the seven share what the week-number column leaves.
    float cellWidth() const { return static_cast<float>(fit.width - weekColumn) / 7; }
    float weekNumberScale() const { return fit.scaleY * 2 / 3; }
    BoxFrame frame() const;
    // The dates of the month with their cells; folding happens only with 5 rows and 6 weeks.
    std::vector<MonthBoxCell> cells() const;
};

// The geometry for the item of the args with R rows. Measures the title elements and the
// weekday header font; nullopt when the shown month is not a valid date.
std::optional<MonthBoxGeometry>
computeMonthBoxGeometry(RenderContext& ctx, const RenderArgs& args, int rows,
                        ContentFitting fitting = ContentFitting::ToTarget);

// Title bands from the two title group extents: separate bands when the year group ends above
// the month group, else one band. Returns {Ty, Tm, T}.
struct TitleBands {
    float yearBand = 0;
    float monthBand = 0;
    float title = 0;
};
TitleBands titleBands(const ElementExtent& years, const ElementExtent& months);

} // namespace tobirae
