#include "render/MonthBoxGeometry.h"

#include "bitmap/Primitives.h"
#include "calendar/DateHelpers.h"
#include "render/WeekStart.h"

#include <algorithm>
#include <cmath>

namespace tobirae {

namespace {

constexpr int kTitleGroupYears = 1;
constexpr int kTitleGroupMonths = 2;

} // namespace

TitleBands titleBands(const ElementExtent& years, const ElementExtent& months) {
    TitleBands bands;
    // The year group's top plus its bottom, not its bottom alone, decides.
    if (years.top <= months.top && years.top + years.bottom < months.top) {
        bands.yearBand = years.bottom + 4;
        bands.monthBand = months.bottom - years.bottom;
    } else {
        bands.yearBand = std::max(years.bottom, months.bottom) + 4;
        bands.monthBand = 0;
    }
    bands.title = std::max(years.bottom, months.bottom) + 4;
    return bands;
}

BoxFrame MonthBoxGeometry::frame() const {
    BoxFrame box;
    box.width = static_cast<float>(fit.width);
    box.height = height;
    box.gridTop = static_cast<float>(gridTop);
    box.yearBand = yearBand;
    box.monthBand = monthBand;
    box.rows = rows;
    box.scaleY = fit.scaleY;
    box.offsetX = offsetX;
    box.offsetY = offsetY;
    box.firstWeekday = firstWeekday;
    box.gridLeft = static_cast<float>(weekColumn);
    return box;
}

std::vector<MonthBoxCell> MonthBoxGeometry::cells() const {
    std::vector<MonthBoxCell> out;
    const std::chrono::sys_days start = weekStartOn(first, firstWeekday);
    const bool fold = rows == 5 && weeks == 6;
    for (int j = 0; j < 42; ++j) {
        const std::chrono::sys_days day = start + std::chrono::days{j};
        if (day < first || day > last)
            continue; // neighbouring months are not shown
        MonthBoxCell cell{std::chrono::year_month_day{day}, j % 7, j / 7, CellHalf::Normal};
        const int week = j / 7 + 1;
        if (fold && week == 5 && day + std::chrono::days{7} <= last) {
            cell.half = CellHalf::Upper;
        } else if (fold && week == 6) {
            cell.half = CellHalf::Lower;
            cell.row = 4;
        }
        out.push_back(cell);
    }
    return out;
}

std::optional<MonthBoxGeometry> computeMonthBoxGeometry(RenderContext& ctx, const RenderArgs& args,
                                                        int rows, ContentFitting fitting) {
    const LayoutItem& item = args.item;
    const auto month = std::chrono::year{args.range.firstYear} /
                       std::chrono::month{static_cast<unsigned>(args.range.firstMonth)} /
                       std::chrono::day{1};
    if (!month.ok() || rows < 1)
        return std::nullopt;

    MonthBoxGeometry g;
    g.rows = rows;
    g.first = std::chrono::sys_days{month};
    g.last = lastDayOfMonth(g.first);
    g.firstWeekday = firstWeekdayOf(item.Ext.weekStart);
    g.weeks =
        static_cast<int>(
            (weekStartOn(g.last, g.firstWeekday) - weekStartOn(g.first, g.firstWeekday)).count() /
            7) +
        1;

    g.fit = fitContent(item, args.preview, fitting, 7, 1);
    g.offsetX = contentPlacementOffset(item.HPlacement, item.Width, static_cast<float>(g.fit.width));
    g.offsetY = contentPlacementOffset(item.VPlacement, item.Height, static_cast<float>(g.fit.height));
    const double sy = g.fit.scaleY;

    DateRange shown = args.range;
    shown.firstDay = 1;
    dayCellContentExtent(ctx, nullptr, shown, item, kTitleGroupYears, g.years);
    dayCellContentExtent(ctx, nullptr, shown, item, kTitleGroupMonths, g.months);
    const TitleBands bands = titleBands(g.years, g.months);
    g.yearBand = bands.yearBand;
    g.monthBand = bands.monthBand;
    g.title = bands.title;

    selectFont(ctx, item.element(Weekday).Font);
    g.weekdayTextHeight = static_cast<float>(
        measureScaledText(ctx, nullptr, g.fit.scaleY, QString::fromUtf16(u"日")).height);
    if (item.Ext.weekNumbers != WeekNumberColumn::None) {
        // Room for two digits with a little air, and day columns that stay equally wide.
        const int digits =
            measureScaledText(ctx, nullptr, g.weekNumberScale(), QStringLiteral("53")).width;
        const int width = g.fit.width;
        int column = std::min(digits + roundHalfEven(6 * g.fit.scaleX), width / 4);
        column += (width - column) % 7;
        g.weekColumn = std::max(column, 0);
    }

    g.headerBottom = roundHalfEven(g.title * sy + g.weekdayTextHeight);
    // 8 design pixels of space under the weekday names.
    g.gridTop = roundHalfEven(8 * sy + g.headerBottom);
    double height = g.fit.height;
    const int grid = roundHalfEven(height - 4 * sy - g.gridTop);
    g.gridHeight = grid / rows * rows;
    const int trimmed = roundHalfEven(4 * sy + g.gridTop + g.gridHeight);
    if (trimmed < height)
        height = trimmed;
    g.height = static_cast<float>(height);
    return g;
}

} // namespace tobirae
