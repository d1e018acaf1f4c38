#include "calendar/Sexagenary.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

using namespace std::chrono;

TEST(Sexagenary, KnownDays) {
    struct Case {
        year_month_day date;
        int index;
        const char* name;
        const char* reading;
    };
    const Case cases[] = {
        {year{2000} / 1 / 1, 54, "戊午", "つちのえ うま"},
        {year{2004} / 3 / 20, 34, "戊戌", "つちのえ いぬ"},
        {year{2004} / 1 / 1, 15, "己卯", "つちのと う"},
        {year{2004} / 2 / 15, 0, "甲子", "きのえ ね"},
        {year{2004} / 2 / 14, 59, "癸亥", "みずのと い"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kanshiIndex(c.date), c.index) << c.name;
        const auto result = sexagenaryOfDay(c.date);
        ASSERT_TRUE(result);
        EXPECT_EQ(result->name, c.name);
        EXPECT_EQ(result->reading, c.reading);
    }
    EXPECT_EQ(sexagenaryOfDay(2000, 1, 1)->name, "戊午");
    EXPECT_EQ(sexagenaryOfDateText("2004/03/20")->name, "戊戌");
    EXPECT_FALSE(sexagenaryOfDay(2003, 2, 29));
    EXPECT_FALSE(sexagenaryOfDateText("2004-03-20"));
}

TEST(Sexagenary, NameTable) {
    EXPECT_EQ(kanshiName(0), "甲子");
    EXPECT_EQ(kanshiName(1), "乙丑");
    EXPECT_EQ(kanshiName(10), "甲戌");
    EXPECT_EQ(kanshiName(54), "戊午");
    EXPECT_EQ(kanshiName(59), "癸亥");
    EXPECT_EQ(kanshiName(60), "");
    EXPECT_EQ(kanshiName(-1), "");
}

TEST(Sexagenary, ReadingOfPartlyUnknownNames) {
    EXPECT_EQ(sexagenaryReading("庚申"), "かのえ さる");
    EXPECT_EQ(sexagenaryReading("X申"), " さる");
    EXPECT_EQ(sexagenaryReading("庚X"), "かのえ");
    EXPECT_EQ(sexagenaryReading(""), "");
}

TEST(Sexagenary, ConsecutiveDaysAdvanceAcrossTheCentury) {
    sys_days day = sys_days{year{1950} / 1 / 1};
    int previous = kanshiIndex(year_month_day{day});
    int wraps = 0;
    for (day += days{1}; day <= sys_days{year{2049} / 12 / 31}; day += days{1}) {
        const int index = kanshiIndex(year_month_day{day});
        ASSERT_EQ(index, (previous + 1) % 60);
        if (index == 0) {
            ++wraps;
            ASSERT_EQ(sexagenaryOfDay(year_month_day{day})->name, "甲子");
        }
        previous = index;
    }
    EXPECT_EQ(wraps, 609); // 36525 days starting at 丙申 (32)
}

} // namespace
} // namespace tobirae
