#include "render/RenderFrame.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

using namespace std::chrono;

LayoutItem itemOf(int category, int variant, int monthSelector, int weekRange = 0) {
    LayoutItem item;
    item.Category = category;
    item.LayoutVariant = variant;
    item.MonthSelector = monthSelector;
    item.WeekRange = weekRange;
    return item;
}

TEST(ShownRange, MonthSelectorPicksTheMonth) {
    struct Case {
        int selector, pageYear, pageMonth;
        int year, month;
    };
    const Case cases[] = {
        {12, 2027, 1, 2027, 1},  // the page month
        {0, 2027, 1, 2026, 1},   // twelve months earlier
        {11, 2027, 1, 2026, 12}, // previous month across the year
        {13, 2027, 12, 2028, 1}, // next month across the year
        {24, 2027, 5, 2028, 5},  //
        {36, 2027, 1, 2027, 12}, // fixed December of the page year
        {25, 2027, 9, 2027, 1},  // fixed January
        {37, 2027, 9, 2027, 9},  // out of range: the page month
        {-1, 2027, 9, 2027, 9},  //
    };
    for (const Case& c : cases) {
        for (int category : {CategoryMonthFamily, CategoryMonthDisplay}) {
            const DateRange r =
                shownRange(itemOf(category, VariantBox5, c.selector), c.pageYear, c.pageMonth);
            EXPECT_EQ(r.firstYear, c.year) << c.selector << " category " << category;
            EXPECT_EQ(r.firstMonth, c.month) << c.selector << " category " << category;
            EXPECT_EQ(r.firstDay, 1);
        }
    }
}

TEST(ShownRange, YearDisplayShowsTheYearOfTheShiftedMonth) {
    EXPECT_EQ(shownRange(itemOf(CategoryYear, 0, 12), 2027, 1).firstYear, 2027);
    EXPECT_EQ(shownRange(itemOf(CategoryYear, 0, 11), 2027, 1).firstYear, 2026);
    EXPECT_EQ(shownRange(itemOf(CategoryYear, 0, 13), 2027, 12).firstYear, 2028);
    EXPECT_EQ(shownRange(itemOf(CategoryYear, 0, 0), 2027, 6).firstYear, 2026);
    // Fixed months keep the page year for a year display.
    EXPECT_EQ(shownRange(itemOf(CategoryYear, 0, 36), 2027, 1).firstYear, 2027);
    EXPECT_EQ(shownYearOf(24, 2027, 1), 2028);
}

TEST(ShownRange, BoxKindsGetTheirRowCounts) {
    const std::pair<int, int> cases[] = {
        {VariantBox5, 5}, {VariantBox6, 6}, {VariantBoxMini, 6}, {VariantVertical, 0}};
    for (const auto& [variant, rows] : cases) {
        int got = -1;
        shownRange(itemOf(CategoryMonthFamily, variant, 12), 2027, 1, &got);
        EXPECT_EQ(got, rows) << variant;
    }
}

TEST(WeekStartDate, SundayOnOrBeforeTheBasePlusWeeks) {
    const sys_days date{2027y / May / 19};
    // 1 January 2027 is a Friday; 1 May 2027 a Saturday.
    EXPECT_EQ(weekStartDate(0, 1, date), sys_days{2026y / December / 27});
    EXPECT_EQ(weekStartDate(0, 2, date), sys_days{2027y / January / 3});
    EXPECT_EQ(weekStartDate(1, 1, date), sys_days{2027y / April / 25});
    EXPECT_EQ(weekStartDate(1, 3, date), sys_days{2027y / May / 9});
    // A base that is a Sunday is its own week start (1 August 2027).
    EXPECT_EQ(weekStartDate(1, 1, sys_days{2027y / August / 20}), sys_days{2027y / August / 1});
}

struct WeekCase {
    int weekRange;
    year_month month;
    year_month_day first, last;
    int rows;
};

TEST(WeekRanges, DaysAndRowsOfEveryChoice) {
    const WeekCase cases[] = {
        // Week 1 of a month starting on Friday begins in the previous month.
        {0, 2027y / January, 2026y / December / 27, 2027y / January / 2, 0},
        // A month that starts on Sunday begins on its 1st.
        {0, 2027y / August, 2027y / August / 1, 2027y / August / 7, 0},
        {4, 2027y / January, 2027y / January / 24, 2027y / January / 30, 0},
        {5, 2027y / April, 2027y / April / 1, 2027y / April / 7, 0},
        {8, 2027y / April, 2027y / April / 22, 2027y / April / 28, 0},
        // 29 to the end of a 30-day month still lays out three rows.
        {9, 2027y / April, 2027y / April / 29, 2027y / April / 30, 3},
        // Day 29 of a short February is 1 March, and the range runs to the end of March.
        {9, 2027y / February, 2027y / March / 1, 2027y / March / 31, 3},
        {9, 2028y / February, 2028y / February / 29, 2028y / February / 29, 3},
        {10, 2027y / April, 2027y / April / 1, 2027y / April / 16, 0},
        {11, 2027y / April, 2027y / April / 17, 2027y / April / 30, 16},
        {12, 2027y / February, 2027y / February / 1, 2027y / February / 15, 16},
        {13, 2027y / February, 2027y / February / 16, 2027y / February / 28, 16},
    };
    for (const WeekCase& c : cases) {
        const LayoutItem item = itemOf(CategoryWeekly, VariantVertical, 12, c.weekRange);
        int rows = -1;
        const DateRange r =
            shownRange(item, static_cast<int>(c.month.year()),
                           static_cast<int>(static_cast<unsigned>(c.month.month())), &rows);
        EXPECT_EQ(r.first(), c.first) << "week range " << c.weekRange;
        EXPECT_EQ(r.last(), c.last) << "week range " << c.weekRange;
        EXPECT_EQ(rows, c.rows) << "week range " << c.weekRange;
    }
}

TEST(WeekRanges, MondayWeeksForTheFiveWeekChoices) {
    const WeekCase cases[] = {
        // 2027-01 starts on a Friday, 2027-02 on a Monday, 2027-08 on a Sunday.
        {0, 2027y / January, 2026y / December / 28, 2027y / January / 3, 0},
        {0, 2027y / February, 2027y / February / 1, 2027y / February / 7, 0},
        {0, 2027y / August, 2027y / July / 26, 2027y / August / 1, 0},
        // The fifth week of a common February from a Monday lies entirely in March.
        {4, 2027y / February, 2027y / March / 1, 2027y / March / 7, 0},
        // The fixed day ranges do not depend on the week.
        {5, 2027y / August, 2027y / August / 1, 2027y / August / 7, 0},
    };
    for (const WeekCase& c : cases) {
        LayoutItem item = itemOf(CategoryWeekly, VariantVertical, 12, c.weekRange);
        item.Ext.weekStart = WeekStart::Monday;
        const DateRange r =
            shownRange(item, static_cast<int>(c.month.year()),
                           static_cast<int>(static_cast<unsigned>(c.month.month())));
        EXPECT_EQ(r.first(), c.first) << "week range " << c.weekRange;
        EXPECT_EQ(r.last(), c.last) << "week range " << c.weekRange;
    }
}

TEST(WeekStartDate, MondayWeeksOfTheYearAreIsoWeeks) {
    // ISO week 1 holds 4 January: 2027 starts on Monday 4 January, 2026 on 29 December 2025.
    EXPECT_EQ(weekStartDate(0, 1, sys_days{2027y / May / 19}, 1),
              sys_days{2027y / January / 4});
    EXPECT_EQ(weekStartDate(0, 20, sys_days{2027y / May / 19}, 1), sys_days{2027y / May / 17});
    EXPECT_EQ(weekStartDate(0, 1, sys_days{2026y / June / 1}, 1),
              sys_days{2025y / December / 29});
    EXPECT_EQ(weekStartDate(1, 1, sys_days{2027y / August / 20}, 1),
              sys_days{2027y / July / 26});
}

TEST(ShownRange, TextItemsReadThePageMonth) {
    const DateRange r = shownRange(itemOf(CategoryText, 0, 0), 2028, 2);
    EXPECT_EQ(r.firstYear, 2028);
    EXPECT_EQ(r.firstMonth, 2);
}

TEST(WeekRanges, WeeklyItemsFollowTheirMonthSelector) {
    const LayoutItem item = itemOf(CategoryWeekly, VariantHorizontal, 13, 5);
    const DateRange r = shownRange(item, 2027, 12);
    EXPECT_EQ(r.first(), 2028y / January / 1);
    EXPECT_EQ(r.last(), 2028y / January / 7);
}

} // namespace
} // namespace tobirae
