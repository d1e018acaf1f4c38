// Five-row, six-row and mini month boxes: title bands, weekday header, the day grid with its
// backgrounds and ruled lines, and the day cells.
#include "calendar/DateHelpers.h"
#include "calendar/DayFacts.h"
#include "calendar/WeekNumbers.h"
#include "render/ItemDayFacts.h"
#include "render/ItemDrawScope.h"
#include "render/KindRenderers.h"
#include "render/MonthBoxGeometry.h"
#include "render/MonthText.h"
#include "render/YearMonthText.h"

#include <cmath>

namespace tobirae {

namespace {

// Year elements 0..1 and month elements 2..5 in the title bands.
bool drawTitles(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item,
                const MonthBoxGeometry& g) {
    const float sx = g.fit.scaleX;
    const float sy = g.fit.scaleY;
    const float yearBand = (g.yearBand != 0 ? g.yearBand : g.monthBand) * sy;
    const float monthBand = (g.monthBand != 0 ? g.monthBand : g.yearBand) * sy;
    const auto firstDate = std::chrono::year_month_day{g.first};
    const int month = static_cast<int>(unsigned(firstDate.month()));
    bool ok = true;
    for (int k = Year1; k <= Month4; ++k) {
        const ContentElement& e = item.element(k);
        if (!isTrue(e.Shown))
            continue;
        const bool isYear = k <= Year2;
        const QString text =
            isYear ? yearText(e.Style, firstDate) : monthText(e.Style, month);
        if (text.isEmpty())
            continue;
        selectFont(ctx, e.Font);
        float x = static_cast<float>(e.Pos.X) * sx + static_cast<float>(g.offsetX);
        const float y = static_cast<float>(e.Pos.Y + 4) * sy + static_cast<float>(g.offsetY);
        if (!isYear) {
            const float sample = static_cast<float>(
                measureScaledText(ctx, nullptr, sy, monthSample(e.Style)).width);
            const float width = static_cast<float>(measureScaledText(ctx, nullptr, sy, text).width);
            x += sampleBoxOffset(item.Align[static_cast<std::size_t>(k)], sample, width);
        }
        float boxLeft = 0, boxWidth = 0, boxTop = 0, boxHeight = 0;
        if (isTrue(e.HCenterLock)) {
            // Over the days, as the title bands are; the week-number column stays aside.
            boxLeft = static_cast<float>(g.offsetX + g.weekColumn);
            boxWidth = static_cast<float>(g.width() - g.weekColumn);
        }
        if (item.VCenterLock[static_cast<std::size_t>(k)] != 0) {
            // A month label centres in its own band; from the content top it would land on the
            // year labels whenever the bands are separate.
            const bool ownMonthBand = !isYear && g.monthBand != 0 && g.yearBand != 0;
            boxTop = ownMonthBand ? g.yearBand * sy + static_cast<float>(g.offsetY)
                                  : static_cast<float>(g.offsetY + 1);
            boxHeight = isYear ? yearBand : monthBand;
        }
        ok &= drawScaledText(ctx, surface, sy, text, x, y, fontColour(e.Font), true, boxLeft,
                           boxWidth, boxTop, boxHeight);
    }
    return ok;
}

bool drawWeekdayNames(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item,
                      const MonthBoxGeometry& g, const BoxFrame& box) {
    const float sy = g.fit.scaleY;
    const float titleBottom = (g.title != 0 ? g.title : 1) * sy;
    const float columnWidth = g.cellWidth();
    selectFont(ctx, item.element(Weekday).Font);
    bool ok = true;
    for (int c = 0; c < 7; ++c) {
        const int weekday = box.weekdayAt(c);
        const QString name = QString::fromStdString(weekdayName(weekday, item.WeekdayStyle));
        if (name.isEmpty())
            continue;
        const auto height = static_cast<float>(measureScaledText(ctx, nullptr, sy, name).height);
        const int y =
            truncHalfUp(titleBottom + ((static_cast<float>(g.gridTop) - titleBottom) - height) / 2);
        const auto left = static_cast<float>(box.columnX(c));
        ok &= drawScaledText(ctx, surface, sy, name, left, static_cast<float>(y + g.offsetY),
                           weekdayNameColour(item, weekday), true, left, columnWidth);
    }
    return ok;
}

bool drawDayCells(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item,
                  const MonthBoxGeometry& g, const BoxFrame& box) {
    bool ok = true;
    for (const MonthBoxCell& cell : g.cells()) {
        if (cell.half == CellHalf::Lower)
            ok &= drawSplitDiagonal(ctx, surface, item, box.columnX(cell.column),
                                        box.rowY(cell.row), box.columnX(cell.column + 1),
                                        box.rowY(cell.row + 1));
        DayCellPlacement place;
        place.x0 = static_cast<float>(box.columnX(cell.column));
        place.y0 = static_cast<float>(box.rowY(cell.row));
        place.cellWidth = g.cellWidth();
        place.scaleX = g.fit.scaleX;
        place.scaleY = g.fit.scaleY;
        place.half = cell.half;
        ok &= fillDayCell(ctx, surface, item, cell.date, place);
    }
    return ok;
}

// Week numbers in their column left of the days, centred by each row, in the weekday font at
// two thirds of its size. A folded row shows its upper week.
bool drawWeekNumbers(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item,
                     const MonthBoxGeometry& g, const BoxFrame& box) {
    if (item.Ext.weekNumbers == WeekNumberColumn::None || g.weekColumn <= 0)
        return true;
    using namespace std::chrono;
    const ContentElement& font = item.element(Weekday);
    selectFont(ctx, font.Font);
    bool ok = true;
    int lastRow = -1;
    const auto left = static_cast<float>(g.offsetX);
    const auto width = static_cast<float>(box.columnX(0)) - left;
    for (const MonthBoxCell& cell : g.cells()) {
        if (cell.row == lastRow || cell.half == CellHalf::Lower)
            continue;
        lastRow = cell.row;
        const sys_days day{cell.date};
        const int number =
            item.Ext.weekNumbers == WeekNumberColumn::Iso
                ? isoWeekNumber(day + (cell.column == 0 && g.firstWeekday == 0 ? days{1} : days{0}))
                : firstJanuaryWeekNumber(day, g.firstWeekday == 1);
        const auto top = static_cast<float>(box.rowY(cell.row));
        const auto height = static_cast<float>(box.rowY(cell.row + 1)) - top;
        ok &= drawScaledText(ctx, surface, g.weekNumberScale(), QString::number(number), left, top,
                             fontColour(font.Font), true, left, width, top, height);
    }
    return ok;
}

// Mini cells: the day number alone, centred in its cell both ways.
bool drawMiniDays(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item,
                  const MonthBoxGeometry& g, const BoxFrame& box) {
    selectFont(ctx, item.element(Day).Font);
    bool ok = true;
    const auto cellWidth = static_cast<float>(roundHalfEven(static_cast<double>(g.cellWidth())));
    const float rowHeight = (g.height - static_cast<float>(g.gridTop)) / static_cast<float>(g.rows);
    for (const MonthBoxCell& cell : g.cells()) {
        const Colour colour = dayNumberColour(item, itemDayFacts(ctx, item, cell.date));
        const QString text = QString::number(static_cast<unsigned>(cell.date.day()));
        const auto left = static_cast<float>(box.columnX(cell.column));
        const auto top = static_cast<float>(box.rowY(cell.row));
        ok &= drawScaledText(ctx, surface, g.fit.scaleY, text, left, top, colour, true, left,
                           cellWidth, top, rowHeight);
    }
    return ok;
}

bool drawBox(RenderContext& ctx, const RenderArgs& args, int rows, bool mini) {
    const std::optional<MonthBoxGeometry> g = computeMonthBoxGeometry(ctx, args, rows);
    if (!g)
        return false;
    ItemDrawScope scope(ctx, args);
    if (!scope.ok())
        return false;
    const LayoutItem& item = args.item;
    const DrawSurface& surface = scope.surface();
    const BoxFrame box = g->frame();

    bool ok = drawTitleBackgrounds(scope, item, box);
    ok &= drawTitles(ctx, surface, item, *g);
    ok &= drawGridBackgrounds(ctx, scope, item, box);
    ok &= drawRuledLines(ctx, surface, item, box);
    ok &= drawWeekdayNames(ctx, surface, item, *g, box);
    ok &= mini ? drawMiniDays(ctx, surface, item, *g, box)
               : drawDayCells(ctx, surface, item, *g, box);
    ok &= drawWeekNumbers(ctx, surface, item, *g, box);
    ok &= scope.finish();
    return ok;
}

std::optional<ItemExtent> measureBox(RenderContext& ctx, const RenderArgs& args, int rows) {
    const std::optional<MonthBoxGeometry> g = computeMonthBoxGeometry(ctx, args, rows);
    if (!g)
        return std::nullopt;
    return itemPageExtent(ctx, args.item, static_cast<float>(g->width()), g->height);
}

// fit.height, not the trimmed height: the grid trims the bottom margin inside the content.
std::optional<QSize> boxContentSize(RenderContext& ctx, const RenderArgs& args, int rows) {
    const std::optional<MonthBoxGeometry> g =
        computeMonthBoxGeometry(ctx, args, rows, ContentFitting::Natural);
    if (!g)
        return std::nullopt;
    return QSize(g->fit.width, g->fit.height);
}

int boxRows(const RenderArgs& args) {
    return args.rows == 6 ? 6 : 5;
}

} // namespace

bool drawMonthBox(RenderContext& ctx, const RenderArgs& args) {
    return drawBox(ctx, args, boxRows(args), false);
}

std::optional<ItemExtent> measureMonthBox(RenderContext& ctx, const RenderArgs& args) {
    return measureBox(ctx, args, boxRows(args));
}

std::optional<QSize> monthBoxContentSize(RenderContext& ctx, const RenderArgs& args) {
    return boxContentSize(ctx, args, boxRows(args));
}

bool drawMiniBox(RenderContext& ctx, const RenderArgs& args) {
    return drawBox(ctx, args, 6, true);
}

std::optional<ItemExtent> measureMiniBox(RenderContext& ctx, const RenderArgs& args) {
    return measureBox(ctx, args, 6);
}

std::optional<QSize> miniBoxContentSize(RenderContext& ctx, const RenderArgs& args) {
    return boxContentSize(ctx, args, 6);
}

} // namespace tobirae
