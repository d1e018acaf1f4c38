#include "calendar/SelectedDays.h"

#include "calendar/DateHelpers.h"
#include "calendar/Sexagenary.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tobirae {
namespace {

using namespace std::chrono;

bool has(sys_days date, std::string_view name) {
    const int index = selectedDayIndex(name);
    return index >= 0 && (selectedDays(date) & (1u << index));
}

// Dates printed in published almanacs; a day may carry more names than those listed.
TEST(SelectedDays, PublishedDates) {
    struct Row {
        year_month_day date;
        std::vector<std::string_view> names;
    };
    const std::vector<Row> rows = {
        {year{2018} / 2 / 1, {"天赦日", "一粒万倍日"}},
        {year{2018} / 2 / 15, {"天赦日"}},
        {year{2018} / 4 / 16, {"天赦日"}},
        {year{2018} / 7 / 1, {"天赦日"}},
        {year{2018} / 9 / 13, {"天赦日"}},
        {year{2018} / 11 / 28, {"天赦日"}},
        {year{2023} / 10 / 5, {"一粒万倍日"}},
        {year{2023} / 10 / 15, {"一粒万倍日"}},
        {year{2023} / 10 / 18, {"一粒万倍日"}},
        {year{2023} / 10 / 27, {"一粒万倍日"}},
        {year{2023} / 10 / 30, {"一粒万倍日"}},
        {year{2023} / 10 / 17, {"天赦日"}},
        {year{2017} / 1 / 3, {"三隣亡", "不成就日"}},
        {year{2017} / 1 / 19, {"三隣亡", "不成就日"}},
        {year{2017} / 1 / 7, {"三隣亡"}},
        {year{2017} / 1 / 31, {"三隣亡"}},
        {year{2025} / 3 / 10, {"一粒万倍日", "天赦日", "寅の日"}},
    };
    for (const Row& row : rows) {
        for (std::string_view name : row.names)
            EXPECT_TRUE(has(sys_days{row.date}, name))
                << formatDateText(row.date) << " " << name << ": "
                << selectedDayNames(selectedDays(sys_days{row.date}));
    }
    // No other 天赦日 in 2018, and October 2023 has exactly those 一粒万倍日.
    int tensha2018 = 0;
    for (sys_days d = sys_days{year{2018} / 1 / 1}; d <= sys_days{year{2018} / 12 / 31};
         d += days{1})
        tensha2018 += has(d, "天赦日");
    EXPECT_EQ(tensha2018, 6);
    std::vector<unsigned> october;
    for (unsigned day = 1; day <= 31; ++day) {
        if (has(sys_days{year{2023} / 10 / day}, "一粒万倍日"))
            october.push_back(day);
    }
    EXPECT_EQ(october, (std::vector<unsigned>{5, 15, 18, 27, 30}));
}

TEST(SelectedDays, NamesFollowTheListOrder) {
    EXPECT_EQ(selectedDayNames(selectedDays(sys_days{year{2025} / 3 / 10})),
              "一粒万倍日、天赦日、寅の日、三隣亡"); // 寅 in solar-term month 2 is 三隣亡 too
    EXPECT_EQ(selectedDayNames(0), "");
    EXPECT_EQ(selectedDayNames(kAllSelectedDays, "/"),
              "一粒万倍日/天赦日/寅の日/巳の日/己巳の日/不成就日/三隣亡/十方暮/八専/天一天上");
    EXPECT_EQ(selectedDayIndex("八専"), 8);
    EXPECT_EQ(selectedDayIndex("大安"), -1);
}

TEST(SelectedDays, SolarTermMonthStartsOnTheDayOfTheSetsu) {
    // 2018: 立春 02-04, 啓蟄 03-06, 小寒 01-05; 2017 大雪 12-07.
    EXPECT_EQ(solarTermMonth(sys_days{year{2018} / 2 / 3}), 12);
    EXPECT_EQ(solarTermMonth(sys_days{year{2018} / 2 / 4}), 1);
    EXPECT_EQ(solarTermMonth(sys_days{year{2018} / 3 / 5}), 1);
    EXPECT_EQ(solarTermMonth(sys_days{year{2018} / 3 / 6}), 2);
    EXPECT_EQ(solarTermMonth(sys_days{year{2018} / 1 / 4}), 11);
    EXPECT_EQ(solarTermMonth(sys_days{year{2018} / 1 / 5}), 12);
    EXPECT_EQ(solarTermMonth(sys_days{year{2017} / 12 / 31}), 11);
}

TEST(SelectedDays, FujojuNeedsTheOldCalendar) {
    // The old calendar covers 1950..2049 only, so the days around it carry no 不成就日.
    const int fujoju = selectedDayIndex("不成就日");
    int outside = 0;
    for (sys_days d = sys_days{year{1949} / 12 / 1}; d <= sys_days{year{1949} / 12 / 31};
         d += days{1})
        outside += (selectedDays(d) >> fujoju) & 1;
    for (sys_days d = sys_days{year{2050} / 1 / 1}; d <= sys_days{year{2050} / 1 / 31};
         d += days{1})
        outside += (selectedDays(d) >> fujoju) & 1;
    EXPECT_EQ(outside, 0);
}

// Over 1950..2049: the cycle-bound days keep their counts in every 60 days, and every
// solar-term month has its 一粒万倍日.
TEST(SelectedDays, PropertiesOverTheCenturyOfTheOldCalendar) {
    const sys_days first{year{1950} / 1 / 1};
    const sys_days last{year{2049} / 12 / 31};
    const int tenichi = selectedDayIndex("天一天上");
    const int hassen = selectedDayIndex("八専");
    const int ichiryu = selectedDayIndex("一粒万倍日");
    // Windows of 60 days starting at every 甲子.
    sys_days start = first;
    while (kanshiIndex(year_month_day{start}) != 0)
        start += days{1};
    for (; start + days{59} <= last; start += days{60}) {
        int t = 0, h = 0;
        for (sys_days d = start; d < start + days{60}; d += days{1}) {
            const SelectedDayMask mask = selectedDays(d);
            t += (mask >> tenichi) & 1;
            h += (mask >> hassen) & 1;
        }
        ASSERT_EQ(t, 16) << formatDateText(year_month_day{start});
        ASSERT_EQ(h, 8) << formatDateText(year_month_day{start});
    }
    int month = solarTermMonth(first);
    bool seen = false;
    for (sys_days d = first; d <= last; d += days{1}) {
        const int m = solarTermMonth(d);
        if (m != month) {
            ASSERT_TRUE(seen) << "month ending " << formatDateText(year_month_day{d});
            ASSERT_EQ(m, month % 12 + 1) << formatDateText(year_month_day{d});
            month = m;
            seen = false;
        }
        seen = seen || ((selectedDays(d) >> ichiryu) & 1);
    }
}

} // namespace
} // namespace tobirae
