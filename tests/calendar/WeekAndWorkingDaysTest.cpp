#include "calendar/WeekNumbers.h"
#include "calendar/WorkingDays.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

using namespace std::chrono;

int iso(int y, unsigned m, unsigned d) {
    return isoWeekNumber(sys_days{year{y} / month{m} / day{d}});
}

TEST(WeekNumbers, IsoWeeksAtYearEnds) {
    EXPECT_EQ(iso(2020, 12, 31), 53);
    EXPECT_EQ(iso(2021, 1, 3), 53);
    EXPECT_EQ(iso(2021, 1, 4), 1);
    EXPECT_EQ(iso(2019, 12, 30), 1); // a Monday whose Thursday is in 2020
    EXPECT_EQ(iso(2018, 12, 31), 1);
    EXPECT_EQ(iso(2016, 1, 3), 53);
    EXPECT_EQ(iso(2026, 12, 31), 53);
    EXPECT_EQ(iso(2027, 1, 1), 53);
    EXPECT_EQ(iso(2025, 12, 29), 1);
}

TEST(WeekNumbers, FirstJanuaryStyleFollowsTheWeekStart) {
    // 2021-01-01 is a Friday: Sunday weeks begin again on 01-03, Monday weeks on 01-04.
    const auto week = [](unsigned m, unsigned d, bool monday) {
        return firstJanuaryWeekNumber(sys_days{year{2021} / month{m} / day{d}}, monday);
    };
    EXPECT_EQ(week(1, 1, false), 1);
    EXPECT_EQ(week(1, 2, false), 1);
    EXPECT_EQ(week(1, 3, false), 2);
    EXPECT_EQ(week(1, 3, true), 1);
    EXPECT_EQ(week(1, 4, true), 2);
    EXPECT_EQ(week(12, 31, false), 53);
    EXPECT_EQ(weekNumber(sys_days{year{2021} / 1 / 3}, WeekNumbering::Iso, false), 53);
}

DayFacts factsOf(int y, unsigned m, unsigned d) {
    return *computeDayFacts(year{y} / month{m} / day{d});
}

TEST(WorkingDays, HolidaysWeeklyDaysOffAndTheUsersDays) {
    EXPECT_TRUE(isWorkingDay(factsOf(2025, 3, 10), kDefaultWeeklyDaysOff));  // Monday
    EXPECT_FALSE(isWorkingDay(factsOf(2025, 3, 8), kDefaultWeeklyDaysOff));  // Saturday
    EXPECT_FALSE(isWorkingDay(factsOf(2025, 3, 20), kDefaultWeeklyDaysOff)); // 春分の日
    EXPECT_FALSE(isWorkingDay(factsOf(2021, 8, 9), kDefaultWeeklyDaysOff));  // 振替休日
    EXPECT_FALSE(isWorkingDay(factsOf(2019, 4, 30), kDefaultWeeklyDaysOff)); // 国民の休日
    // A shop closed on Wednesdays works on Saturdays.
    const WeeklyDaysOff wednesday = 1u << 3;
    EXPECT_TRUE(isWorkingDay(factsOf(2025, 3, 8), wednesday));
    EXPECT_FALSE(isWorkingDay(factsOf(2025, 3, 12), wednesday));

    DayFacts holidayWorked = factsOf(2025, 3, 20);
    holidayWorked.isOwnWorkingDay = true;
    EXPECT_TRUE(isWorkingDay(holidayWorked, kDefaultWeeklyDaysOff));
    DayFacts saturdayOff = factsOf(2025, 3, 8);
    saturdayOff.isOwnDayOff = true;
    EXPECT_FALSE(isWorkingDay(saturdayOff, kDefaultWeeklyDaysOff));
    DayFacts mondayOff = factsOf(2025, 3, 10);
    mondayOff.isOwnDayOff = true;
    EXPECT_FALSE(isWorkingDay(mondayOff, kDefaultWeeklyDaysOff));
}

TEST(WorkingDays, FiscalYearAndWeeklyTexts) {
    EXPECT_EQ(fiscalYearOf(year{2025} / 3 / 31), 2024);
    EXPECT_EQ(fiscalYearOf(year{2025} / 4 / 1), 2025);
    EXPECT_EQ(weeklyDaysOffText(kDefaultWeeklyDaysOff, ","), "土,日");
    EXPECT_EQ(weeklyDaysOffText(0, ","), "");
    EXPECT_EQ(parseWeeklyDaysOff("土,日"), kDefaultWeeklyDaysOff);
    EXPECT_EQ(parseWeeklyDaysOff("日、土"), kDefaultWeeklyDaysOff);
    EXPECT_EQ(parseWeeklyDaysOff("水"), WeeklyDaysOff{1u << 3});
    EXPECT_EQ(parseWeeklyDaysOff(""), WeeklyDaysOff{0});
    EXPECT_FALSE(parseWeeklyDaysOff("土,x"));
    EXPECT_FALSE(parseWeeklyDaysOff("Sat"));
}

} // namespace
} // namespace tobirae
