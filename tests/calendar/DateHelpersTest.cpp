#include "calendar/DateHelpers.h"

#include "support/TestDates.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

using namespace std::chrono;

using test::ymd;

TEST(JulianDayNumber, KnownDays) {
    EXPECT_EQ(julianDayNumber(2000, 1, 1), 2451545);
    EXPECT_EQ(julianDayNumber(1900, 3, 1), 2415080);
    EXPECT_EQ(julianDayNumber(2004, 3, 20), 2453085);
    EXPECT_EQ(julianDayNumber(ymd(2004, 3, 20)), 2453085);
}

TEST(JulianDayNumber, AdvancesByOneEveryDayOfTwoCenturies) {
    sys_days day = sys_days{ymd(1900, 1, 1)};
    std::int32_t previous = julianDayNumber(year_month_day{day});
    for (day += days{1}; day <= sys_days{ymd(2099, 12, 31)}; day += days{1}) {
        const std::int32_t jdn = julianDayNumber(year_month_day{day});
        ASSERT_EQ(jdn, previous + 1) << formatDateText(day);
        previous = jdn;
    }
}

TEST(WeekdayName, TableCornersAndOutOfRange) {
    EXPECT_EQ(weekdayName(0, 0), "日曜日");
    EXPECT_EQ(weekdayName(6, 2), "土");
    EXPECT_EQ(weekdayName(3, 4), "WEDNESDAY");
    EXPECT_EQ(weekdayName(4, 7), "T"); // Thursday shares Tuesday's letter
    EXPECT_EQ(weekdayName(2, 7), "T");
    EXPECT_EQ(weekdayName(6, 6), "Sat");
    EXPECT_EQ(weekdayName(7, 0), "");
    EXPECT_EQ(weekdayName(0, 8), "");
    EXPECT_EQ(weekdayName(-1, 0), "");
}

TEST(WeekStartAndMonthEnd, EdgeDays) {
    EXPECT_EQ(startOfWeek(sys_days{ymd(2004, 1, 4)}), sys_days{ymd(2004, 1, 4)}); // Sunday
    EXPECT_EQ(startOfWeek(sys_days{ymd(2004, 1, 3)}), sys_days{ymd(2003, 12, 28)});
    EXPECT_EQ(lastDayOfMonth(sys_days{ymd(2004, 2, 10)}), sys_days{ymd(2004, 2, 29)});
    EXPECT_EQ(lastDayOfMonth(sys_days{ymd(2003, 2, 10)}), sys_days{ymd(2003, 2, 28)});
    EXPECT_EQ(lastDayOfMonth(sys_days{ymd(2004, 12, 31)}), sys_days{ymd(2004, 12, 31)});
}

TEST(DateConventions, MakeDateNormalises) {
    EXPECT_EQ(makeDate(2004, 3, 0), sys_days{ymd(2004, 2, 29)});
    EXPECT_EQ(makeDate(2004, 13, 1), sys_days{ymd(2005, 1, 1)});
    EXPECT_EQ(makeDate(2004, 0, 1), sys_days{ymd(2003, 12, 1)});
    EXPECT_EQ(makeDate(2004, -11, 1), sys_days{ymd(2003, 1, 1)});
    EXPECT_EQ(makeDate(2004, 1, 32), sys_days{ymd(2004, 2, 1)});
    EXPECT_EQ(makeDate(2004, 3, -1), sys_days{ymd(2004, 2, 28)});
}

TEST(DateConventions, DayCountsStartAt18991230) {
    EXPECT_EQ(dateFromDayCount(0), sys_days{ymd(1899, 12, 30)});
    EXPECT_EQ(dateFromDayCount(36526), sys_days{ymd(2000, 1, 1)});
    EXPECT_EQ(dateFromDayCount(36526.75), sys_days{ymd(2000, 1, 1)}); // time of day ignored
    EXPECT_EQ(dateFromDayCount(-1), sys_days{ymd(1899, 12, 29)});
    EXPECT_DOUBLE_EQ(dayCountFromDate(sys_days{ymd(2004, 3, 20)}), 38066);
    EXPECT_EQ(dateFromDayCount(std::nan("")), sys_days{ymd(1899, 12, 30)});
    EXPECT_LT(dateFromDayCount(1e300), sys_days{ymd(20000, 1, 1)});
}

TEST(DateConventions, DateTexts) {
    EXPECT_EQ(formatDateText(ymd(2004, 3, 1)), "2004/03/01");
    EXPECT_EQ(parseDateText("2004/03/01"), ymd(2004, 3, 1));
    EXPECT_EQ(parseDateText("2004/3/1"), ymd(2004, 3, 1));
    EXPECT_EQ(parseDateText("2004/2/29"), ymd(2004, 2, 29));
    for (const char* bad :
         {"2003/2/29", "2003/02/30", "2004/13/01", "2004/00/10", "2004/1/0", "2004-01-01",
          "2004/01/01 ", "2004/01", "", "abcd/01/01", "20040/1/1", "2004/001/1", "2004//1"}) {
        EXPECT_FALSE(parseDateText(bad)) << bad;
    }
}

} // namespace
} // namespace tobirae
