// Month-box geometry: which day sits in which cell, the title bands and the grid, through the
// recording surface with its fixed text metrics.
#include "monthbox_support.h"
#include "render/KindRenderers.h"
#include "render/MonthBoxGeometry.h"
#include "render/RenderFrame.h"

#include <gtest/gtest.h>
#include <map>

namespace tobirae {
namespace {

using namespace std::chrono;
using test::newBoxItem;

struct Placed {
    int column, row;
    CellHalf half;
};

std::map<int, Placed> cellsOf(const LayoutItem& item, int year, int month, int rows) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    const RenderArgs args = test::pageArgs(item, year, month);
    const auto g = computeMonthBoxGeometry(ctx, args, rows);
    EXPECT_TRUE(g.has_value());
    std::map<int, Placed> byDay;
    if (!g)
        return byDay;
    for (const MonthBoxCell& c : g->cells())
        byDay[static_cast<int>(unsigned(c.date.day()))] = {c.column, c.row, c.half};
    return byDay;
}

const CellHalf N = CellHalf::Normal;
const CellHalf U = CellHalf::Upper;
const CellHalf L = CellHalf::Lower;

TEST(MonthBoxCells, FiveRowFoldCases) {
    const struct {
        const char* name;
        int year, month;
        std::vector<std::pair<int, Placed>> expected;
    } cases[] = {
        {"31 days from a Saturday",
         2022,
         1,
         {{1, {6, 0, N}},
          {22, {6, 3, N}},
          {23, {0, 4, U}},
          {30, {0, 4, L}},
          {24, {1, 4, U}},
          {31, {1, 4, L}},
          {25, {2, 4, N}},
          {29, {6, 4, N}}}},
        {"30 days from a Saturday",
         2023,
         4,
         {{23, {0, 4, U}}, {30, {0, 4, L}}, {24, {1, 4, N}}, {29, {6, 4, N}}}},
        {"31 days from a Friday",
         2021,
         1,
         {{24, {0, 4, U}}, {31, {0, 4, L}}, {25, {1, 4, N}}, {30, {6, 4, N}}}},
        {"February in four weeks", 2015, 2, {{1, {0, 0, N}}, {28, {6, 3, N}}}},
        {"five weeks", 2022, 6, {{26, {0, 4, N}}, {30, {4, 4, N}}}},
    };
    for (const auto& c : cases) {
        const auto cells = cellsOf(newBoxItem(), c.year, c.month, 5);
        for (const auto& [day, want] : c.expected) {
            ASSERT_TRUE(cells.count(day)) << c.name << " day " << day;
            const Placed got = cells.at(day);
            EXPECT_EQ(got.column, want.column) << c.name << " day " << day;
            EXPECT_EQ(got.row, want.row) << c.name << " day " << day;
            EXPECT_EQ(got.half, want.half) << c.name << " day " << day;
        }
    }
}

TEST(MonthBoxCells, MondayFirstWeeks) {
    // Column 0 is Monday. 2027-02 starts on a Monday (28 days), 2027-08 on a Sunday (31 days,
    // six Monday weeks), 2028-02 on a Tuesday (29 days), 2022-01 on a Saturday.
    const struct {
        const char* name;
        int variant;
        int year, month, rows;
        std::vector<std::pair<int, Placed>> expected;
        std::size_t days;
    } cases[] = {
        {"common February from a Monday",
         VariantBox5,
         2027,
         2,
         5,
         {{1, {0, 0, N}}, {7, {6, 0, N}}, {8, {0, 1, N}}, {28, {6, 3, N}}},
         28},
        {"from a Sunday, folded",
         VariantBox5,
         2027,
         8,
         5,
         {{1, {6, 0, N}},
          {2, {0, 1, N}},
          {23, {0, 4, U}},
          {30, {0, 4, L}},
          {24, {1, 4, U}},
          {31, {1, 4, L}},
          {25, {2, 4, N}},
          {29, {6, 4, N}}},
         31},
        {"six rows never fold",
         VariantBox6,
         2027,
         8,
         6,
         {{23, {0, 4, N}}, {30, {0, 5, N}}, {31, {1, 5, N}}},
         31},
        {"mini box", VariantBoxMini, 2027, 8, 6, {{1, {6, 0, N}}, {30, {0, 5, N}}}, 31},
        {"leap February from a Tuesday",
         VariantBox5,
         2028,
         2,
         5,
         {{1, {1, 0, N}}, {6, {6, 0, N}}, {7, {0, 1, N}}, {28, {0, 4, N}}, {29, {1, 4, N}}},
         29},
        {"from a Saturday: only the 31st folds",
         VariantBox5,
         2022,
         1,
         5,
         {{1, {5, 0, N}},
          {2, {6, 0, N}},
          {3, {0, 1, N}},
          {24, {0, 4, U}},
          {31, {0, 4, L}},
          {25, {1, 4, N}},
          {30, {6, 4, N}}},
         31},
    };
    for (const auto& c : cases) {
        LayoutItem item = newBoxItem(c.variant);
        item.Ext.weekStart = WeekStart::Monday;
        const auto cells = cellsOf(item, c.year, c.month, c.rows);
        EXPECT_EQ(cells.size(), c.days) << c.name;
        for (const auto& [day, want] : c.expected) {
            ASSERT_TRUE(cells.count(day)) << c.name << " day " << day;
            const Placed got = cells.at(day);
            EXPECT_EQ(got.column, want.column) << c.name << " day " << day;
            EXPECT_EQ(got.row, want.row) << c.name << " day " << day;
            EXPECT_EQ(got.half, want.half) << c.name << " day " << day;
        }
    }
}

TEST(MonthBoxCells, OnlyDaysOfTheMonthAndNoFoldWithSixRows) {
    const auto five = cellsOf(newBoxItem(), 2015, 2, 5);
    EXPECT_EQ(five.size(), 28u);
    for (const auto& [day, cell] : five)
        EXPECT_LT(cell.row, 4) << day; // rows 4 and 5 stay empty

    const auto six = cellsOf(newBoxItem(VariantBox6), 2022, 1, 6);
    EXPECT_EQ(six.size(), 31u);
    for (const auto& [day, cell] : six)
        EXPECT_EQ(cell.half, N) << day;
    EXPECT_EQ(six.at(30).row, 5);
    EXPECT_EQ(six.at(31).column, 1);
}

TEST(TitleBands, SeparateOrSingle) {
    const struct {
        const char* name;
        ElementExtent years, months;
        float yearBand, monthBand, title;
    } cases[] = {
        {"year above month", {21, 40, 0, 0}, {43, 30, 22, 0}, 25, 22, 47},
        // top A + bottom A (10 + 30) is not above top B (35) although bottom A is.
        {"sum decides", {30, 40, 10, 0}, {50, 30, 35, 0}, 54, 0, 54},
        {"month above year", {41, 40, 20, 0}, {18, 30, 0, 0}, 45, 0, 45},
        {"touching", {21, 40, 0, 0}, {42, 30, 21, 0}, 46, 0, 46},
        {"nothing shown", {0, 0, 0, 0}, {0, 0, 0, 0}, 4, 0, 4},
    };
    for (const auto& c : cases) {
        const TitleBands b = titleBands(c.years, c.months);
        EXPECT_EQ(b.yearBand, c.yearBand) << c.name;
        EXPECT_EQ(b.monthBand, c.monthBand) << c.name;
        EXPECT_EQ(b.title, c.title) << c.name;
    }
}

// Default five-row box: 年① "2022" at (0, 0) and 月① "1月" at (0, 21), both 16 pt: height
// Fix(-21 + 0.5) = -20, so 20 pixels high in the recording metrics, like the weekday names.
TEST(MonthBoxGeometry, DefaultFiveRowBox) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    const LayoutItem item = newBoxItem();
    const RenderArgs args = test::pageArgs(item, 2022, 1);
    const auto g = computeMonthBoxGeometry(ctx, args, 5);
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(g->years.bottom, 20);
    EXPECT_EQ(g->months.top, 21);
    EXPECT_EQ(g->months.bottom, 41);
    EXPECT_EQ(g->yearBand, 24); // the month group starts below the year group: two bands
    EXPECT_EQ(g->monthBand, 21);
    EXPECT_EQ(g->title, 45);
    EXPECT_EQ(g->weekdayTextHeight, 20);
    EXPECT_EQ(g->headerBottom, 65);
    EXPECT_EQ(g->gridTop, 73);
    EXPECT_EQ(g->gridHeight, 470);
    EXPECT_EQ(g->height, 547); // the grid divides evenly; the bottom margin shrinks H
    EXPECT_EQ(g->weeks, 6);
    const BoxFrame box = g->frame();
    const int rowEdges[] = {73, 168, 263, 357, 452, 547}; // (547 - 73) / 5 per row, to nearest
    for (int r = 0; r <= 5; ++r)
        EXPECT_EQ(box.rowY(r), rowEdges[r]) << r;
    EXPECT_EQ(box.columnX(3), 300);
    EXPECT_EQ(box.columnX(7), 700);
}

// Week numbers take a column at the left; the seven day columns share the rest evenly, and the
// content size does not change. Without them nothing moves.
TEST(MonthBoxGeometry, WeekNumberColumnNarrowsTheDaysNotTheBox) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    LayoutItem item = newBoxItem();
    const auto plain = computeMonthBoxGeometry(ctx, test::pageArgs(item, 2022, 1), 5);
    item.Ext.weekNumbers = WeekNumberColumn::FirstJanuary;
    const auto numbered = computeMonthBoxGeometry(ctx, test::pageArgs(item, 2022, 1), 5);
    ASSERT_TRUE(plain && numbered);
    EXPECT_EQ(plain->weekColumn, 0);
    EXPECT_EQ(plain->cellWidth(), 100);
    // "53" in the weekday font at two thirds (ASCII 7 wide) and 6 pixels of air, then as much
    // more as keeps the day columns equal: 14 + 6 = 20, 700 - 20 = 680 → 21 and 97 per day.
    EXPECT_EQ(numbered->weekColumn, 21);
    EXPECT_EQ(numbered->cellWidth(), 97);
    EXPECT_EQ(numbered->width(), plain->width());
    EXPECT_EQ(numbered->height, plain->height);
    const BoxFrame box = numbered->frame();
    EXPECT_EQ(box.columnX(0), 21);
    EXPECT_EQ(box.columnX(1), 118);
    EXPECT_EQ(box.columnX(7), 700);
    EXPECT_EQ(monthBoxContentSize(ctx, test::pageArgs(item, 2022, 1)),
              monthBoxContentSize(ctx, test::pageArgs(newBoxItem(), 2022, 1)));
}

TEST(MonthBoxGeometry, MonthGroupTouchingTheYearGroupMakesOneBand) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    LayoutItem item = newBoxItem();
    item.element(Month1).Pos.Y = 20; // top B = top A + bottom A
    const RenderArgs args = test::pageArgs(item, 2022, 1);
    const auto g = computeMonthBoxGeometry(ctx, args, 5);
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(g->yearBand, 44);
    EXPECT_EQ(g->monthBand, 0);
    EXPECT_EQ(g->title, 44);
}

TEST(MonthBoxGeometry, EveryTitleHiddenLeavesAFourPixelBand) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    LayoutItem item = newBoxItem();
    for (int k = Year1; k <= Month4; ++k)
        item.element(k).Shown = kFalse;
    const RenderArgs args = test::pageArgs(item, 2022, 1);
    const auto g = computeMonthBoxGeometry(ctx, args, 5);
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(g->title, 4);
    EXPECT_EQ(g->yearBand, 4);
    EXPECT_EQ(g->monthBand, 0);
    EXPECT_EQ(g->gridTop, 32); // round(8 + round(4 + 20))
}

TEST(MonthBoxGeometry, FitScalesBandsAndPlacementOffsets) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    LayoutItem item = newBoxItem();
    item.FitToRect = kTrue;
    item.Width = 360; // available 360 x 550: both scales become 360 / 700
    item.HPlacement = 1;
    item.VPlacement = 2;
    const RenderArgs args = test::pageArgs(item, 2022, 1);
    const auto g = computeMonthBoxGeometry(ctx, args, 5);
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(g->width(), 357);           // 360 cut to a multiple of 7
    EXPECT_EQ(g->fit.height, 283);        // 550 x 360 / 700, to nearest
    EXPECT_EQ(g->offsetX, 2);             // (360 - 357) / 2, ties to even
    EXPECT_EQ(g->offsetY, 550 - 283 - 1); // bottom placement
    const BoxFrame box = g->frame();
    EXPECT_EQ(box.columnX(0), 2);
    EXPECT_EQ(box.columnX(7), 359);
    EXPECT_EQ(box.rowY(5), static_cast<int>(g->height) + g->offsetY);
}

TEST(MonthBoxMeasure, ExtentIsPositionPlusTrimmedContentAtPageScale) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    ASSERT_TRUE(setPageDpi(ctx, 300));
    LayoutItem item = newBoxItem();
    // Drawn at its design size: a box fitted to its frame reaches the frame instead.
    item.FitToRect = kFalse;
    DateRange range = pageDateRange(2022, 1);
    const auto extent = measureLayoutItem(ctx, item, range);
    ASSERT_TRUE(extent.has_value());
    const float scale = 300.0f / 96.0f;
    EXPECT_FLOAT_EQ(extent->right, (10 + 700) * scale);
    EXPECT_FLOAT_EQ(extent->bottom, (20 + 547) * scale);

    item.LayoutVariant = VariantBoxMini;
    item.DesignWidth = 150;
    item.DesignHeight = 180;
    range = pageDateRange(2022, 1);
    const auto mini = measureLayoutItem(ctx, item, range);
    ASSERT_TRUE(mini.has_value());
    EXPECT_FLOAT_EQ(mini->right, (10 + 147) * scale);
}

} // namespace
} // namespace tobirae
