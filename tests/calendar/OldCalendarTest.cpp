#include "calendar/OldCalendar.h"

#include "calendar/DateHelpers.h"
#include "calendar/SolarTerms.h"
#include "support/TestDates.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace tobirae {
namespace {

using namespace std::chrono;

using test::ymd;

sys_days startDate(const OldMonthRow& row) {
    return sys_days{year{row.start / 10000} / month{static_cast<unsigned>(row.start / 100 % 100)} /
                    day{static_cast<unsigned>(row.start % 100)}};
}

TEST(OldCalendar, TableShape) {
    const auto table = oldMonthTable();
    ASSERT_EQ(table.size(), 1238u);
    EXPECT_EQ(table.front().start, 19491220);
    EXPECT_EQ(table.front().month, 11);
    EXPECT_EQ(table.back().start, 20491225);
    EXPECT_EQ(table.back().oldYear, 2049);
    EXPECT_EQ(table.back().month, 12);
    for (std::size_t i = 1; i < table.size(); ++i) {
        const auto length = (startDate(table[i]) - startDate(table[i - 1])).count();
        ASSERT_TRUE(length == 29 || length == 30) << table[i - 1].start;
        // Months follow each other: the same number again only for the leap month.
        const auto& prev = table[i - 1];
        const auto& row = table[i];
        if (row.leap)
            ASSERT_EQ(row.month, prev.month) << row.start;
        else
            ASSERT_EQ(row.month, prev.month % 12 + 1) << row.start;
        ASSERT_EQ(row.oldYear, prev.oldYear + (row.month == 1 && !row.leap ? 1 : 0)) << row.start;
    }
}

TEST(OldCalendar, LeapMonthsStartWhereKnown) {
    const std::vector<std::pair<year_month_day, const char*>> cases{
        {ymd(2004, 3, 21), "2004/閏02/01"},  {ymd(2023, 3, 22), "2023/閏02/01"},
        {ymd(2025, 7, 25), "2025/閏06/01"},  {ymd(2033, 12, 22), "2033/閏11/01"},
        {ymd(2012, 4, 21), "2012/閏03/01"},  {ymd(2014, 10, 24), "2014/閏09/01"},
        {ymd(2017, 6, 24), "2017/閏05/01"},  {ymd(2020, 5, 23), "2020/閏04/01"},
        {ymd(1984, 11, 23), "1984/閏10/01"}, {ymd(2023, 3, 21), "2023/02/30"},
    };
    for (const auto& [date, text] : cases) {
        const auto result = oldCalendarDate(date, true, true);
        ASSERT_TRUE(result) << text;
        EXPECT_EQ(result->text, text);
    }
}

TEST(OldCalendar, EdgeDaysAndFormats) {
    auto r = oldCalendarDate(ymd(2004, 3, 20), true, true);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->text, "2004/02/30");
    EXPECT_FALSE(r->isLeapMonth);
    EXPECT_EQ(r->rokuyo, 2);
    EXPECT_EQ(rokuyoNameOf(r->rokuyo), "先勝");

    EXPECT_EQ(oldCalendarDate(ymd(2004, 3, 21), true, true)->text, "2004/閏02/01");
    EXPECT_EQ(oldCalendarDate(ymd(2004, 3, 21), true, false)->text, "2004/閏2/1");
    r = oldCalendarDate(ymd(2004, 3, 21), false, true);
    EXPECT_EQ(r->text, "2004/02/01");
    EXPECT_TRUE(r->isLeapMonth);
    EXPECT_EQ(r->rokuyo, 3);
    EXPECT_EQ(rokuyoNameOf(r->rokuyo), "友引");

    r = oldCalendarDate(ymd(2004, 1, 21), true, true);
    EXPECT_EQ(r->oldYear, 2003);
    EXPECT_EQ(r->text, "2003/12/30");
    EXPECT_EQ(oldCalendarDate(ymd(2004, 1, 22), true, false)->text, "2004/1/1");

    r = oldCalendarDate(ymd(1950, 1, 1), true, true);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->text, "1949/11/13");
    EXPECT_EQ(oldCalendarDate(ymd(1950, 1, 18), true, true)->text, "1949/12/01");
    EXPECT_EQ(oldCalendarDate(ymd(2049, 12, 31), true, true)->text, "2049/12/07");
    EXPECT_FALSE(oldCalendarDate(ymd(1949, 12, 31), true, true));
    EXPECT_FALSE(oldCalendarDate(ymd(2050, 1, 1), true, true));

    r = oldCalendarDate(ymd(2033, 12, 22), true, true);
    EXPECT_TRUE(r->isLeapMonth);
    EXPECT_EQ(rokuyoNameOf(r->rokuyo), "大安");

    EXPECT_EQ(oldCalendarDate("2004/3/21", true, true)->text, "2004/閏02/01");
    EXPECT_FALSE(oldCalendarDate("2004/2/30", true, true));
    EXPECT_EQ(rokuyoNameOf(6), "");
    EXPECT_EQ(rokuyoNameOf(-1), "");
    EXPECT_EQ(rokuyoNameOf(5), "仏滅");
}

// Mean new moon with the main periodic terms (lunar theory after Meeus); good to a few minutes.
double newMoonJulianDay(double k) {
    const double rad = 3.14159265358979 / 180.0;
    const double t = k / 1236.85;
    const double e = 1 - 0.002516 * t - 0.0000074 * t * t;
    const double m = (2.5534 + 29.10535670 * k - 0.0000014 * t * t) * rad;
    const double mp = (201.5643 + 385.81693528 * k + 0.0107582 * t * t) * rad;
    const double f = (160.7108 + 390.67050284 * k - 0.0016118 * t * t) * rad;
    const double om = (124.7746 - 1.56375588 * k + 0.0020672 * t * t) * rad;
    return 2451550.09766 + 29.530588861 * k + 0.00015437 * t * t - 0.40720 * std::sin(mp) +
           0.17241 * e * std::sin(m) + 0.01608 * std::sin(2 * mp) + 0.01039 * std::sin(2 * f) +
           0.00739 * e * std::sin(mp - m) - 0.00514 * e * std::sin(mp + m) +
           0.00208 * e * e * std::sin(2 * m) - 0.00111 * std::sin(mp - 2 * f) -
           0.00057 * std::sin(mp + 2 * f) + 0.00056 * e * std::sin(2 * mp + m) -
           0.00042 * std::sin(3 * mp) + 0.00042 * e * std::sin(m + 2 * f) +
           0.00038 * e * std::sin(m - 2 * f) - 0.00024 * e * std::sin(2 * mp - m) -
           0.00017 * std::sin(om);
}

// An old month begins on the day (Japan time) of a new moon; a slipped length in the table
// would move every start up to the next year's anchor by a day.
TEST(OldCalendar, EveryMonthBeginsOnANewMoon) {
    const double unixEpochJd = 2440587.5;
    const double deltaT = 60.0 / 86400.0; // dynamical minus universal time, about a minute
    const double minutes10 = 10.0 / 1440.0;
    double k = std::floor((1949.9 - 2000) * 12.3685) - 2;
    for (const OldMonthRow& row : oldMonthTable()) {
        const double midnightJst =
            unixEpochJd + startDate(row).time_since_epoch().count() - 9.0 / 24.0;
        while (newMoonJulianDay(k + 1) - deltaT < midnightJst + 1 + minutes10)
            k += 1;
        const double offset = newMoonJulianDay(k) - deltaT - midnightJst;
        // Within the day, allowing for the model's error right at midnight.
        EXPECT_TRUE(offset > -minutes10 && offset < 1 + minutes10)
            << row.start << " offset " << offset;
    }
}

// A leap month holds no principal term; every other month holds the one of its number. The
// known exceptions are the years where the rules collide (1965, 1984-85, 2033-34).
TEST(OldCalendar, LeapMonthsHoldNoPrincipalTerm) {
    const std::vector<std::int32_t> irregular{19650925, 19651024, 19841222, 19850121,
                                              19850220, 20330825, 20330923, 20331023,
                                              20331122, 20340120, 20340219};
    const auto table = oldMonthTable();
    for (std::size_t i = 0; i + 1 < table.size(); ++i) {
        std::vector<int> terms;
        for (sys_days d = startDate(table[i]); d < startDate(table[i + 1]); d += days{1}) {
            double l0 = solarLongitude(year_month_day{d});
            double l1 = solarLongitude(year_month_day{d + days{1}});
            if (l1 < l0)
                l1 += 360;
            for (int t = 0; t <= 360; t += 30) {
                if (l0 < t && t <= l1)
                    terms.push_back(t % 360);
            }
        }
        const bool skip =
            std::find(irregular.begin(), irregular.end(), table[i].start) != irregular.end();
        if (skip)
            continue;
        if (table[i].leap) {
            EXPECT_TRUE(terms.empty()) << table[i].start;
        } else {
            EXPECT_EQ(terms, std::vector<int>{((table[i].month - 2) * 30 + 360) % 360})
                << table[i].start;
        }
    }
}

} // namespace
} // namespace tobirae
