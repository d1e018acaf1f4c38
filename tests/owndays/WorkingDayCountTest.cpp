#include "owndays/WorkingDayCount.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

using namespace std::chrono;

OwnDay entry(year_month_day day, OwnDayKind kind) {
    return {day, day, false, QStringLiteral("x"), kind};
}

// 年度2025 (2025-04-01 .. 2026-03-31): 261 weekdays, 15 of them national holidays (振替休日
// 05-06 and 11-24 included).
TEST(WorkingDayCount, FiscalYearAndMonthCounts) {
    const WorkingDayCount fiscal = countFiscalYearWorkingDays(2025, nullptr, kDefaultWeeklyDaysOff);
    EXPECT_EQ(fiscal.working, 246);
    EXPECT_EQ(fiscal.off, 365 - 246);
    // May 2025: 22 weekdays less 05-05 and 05-06.
    const WorkingDayCount may =
        countMonthWorkingDays(year{2025} / May, nullptr, kDefaultWeeklyDaysOff);
    EXPECT_EQ(may.working, 20);
    EXPECT_EQ(may.off, 11);

    // A 出勤日 on a holiday counts, a 休日 on a Saturday changes nothing, one on a Monday does.
    const OwnDayTable own({entry(year{2025} / 5 / 5, OwnDayKind::WorkingDay),
                           entry(year{2025} / 5 / 10, OwnDayKind::DayOff),
                           entry(year{2025} / 5 / 12, OwnDayKind::DayOff)});
    EXPECT_EQ(countMonthWorkingDays(year{2025} / May, &own, kDefaultWeeklyDaysOff).working, 20);
    EXPECT_EQ(countFiscalYearWorkingDays(2025, &own, kDefaultWeeklyDaysOff).working, 246);
    const OwnDayTable plusOne({entry(year{2025} / 5 / 5, OwnDayKind::WorkingDay)});
    EXPECT_EQ(countMonthWorkingDays(year{2025} / May, &plusOne, kDefaultWeeklyDaysOff).working, 21);
}

TEST(WorkingDayCount, NoticesNameTheFirstDayOverTheLimits) {
    const FiscalYearCheck plain = checkFiscalYear(2025, nullptr, kDefaultWeeklyDaysOff);
    EXPECT_EQ(plain.count.working, 246);
    EXPECT_FALSE(plain.overYearLimit);
    EXPECT_FALSE(plain.overRunLimit);

    // Working the weekend of 04-12/13 makes 04-07 .. 04-18 one run: its seventh day is 04-13.
    const OwnDayTable weekend({entry(year{2025} / 4 / 12, OwnDayKind::WorkingDay),
                               entry(year{2025} / 4 / 13, OwnDayKind::WorkingDay)});
    const FiscalYearCheck run = checkFiscalYear(2025, &weekend, kDefaultWeeklyDaysOff);
    ASSERT_TRUE(run.overRunLimit);
    EXPECT_EQ(*run.overRunLimit, sys_days{year{2025} / 4 / 13});

    // Only Sundays off: 365 - 52 Sundays - the holidays on other days is over 280.
    const FiscalYearCheck sixDays = checkFiscalYear(2025, nullptr, WeeklyDaysOff{1u << 0});
    ASSERT_TRUE(sixDays.overYearLimit);
    EXPECT_GT(sixDays.count.working, kMaxWorkingDaysPerYear);
    EXPECT_EQ(countWorkingDays(sys_days{year{2025} / 4 / 1}, *sixDays.overYearLimit, nullptr,
                               WeeklyDaysOff{1u << 0})
                  .working,
              kMaxWorkingDaysPerYear + 1);
    EXPECT_FALSE(sixDays.overRunLimit);
}

} // namespace
} // namespace tobirae
