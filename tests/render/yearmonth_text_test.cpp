#include "render/YearMonthText.h"

#include <chrono>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

using namespace std::chrono;

struct EraCase {
    year_month_day date;
    const char* era;
    int eraYear;
};

TEST(JapaneseEra, SwitchesOnTheFirstDayOfEachEra) {
    const EraCase cases[] = {
        {year{1868} / 1 / 1, "明治", 1},   {year{1912} / 7 / 29, "明治", 45},
        {year{1912} / 7 / 30, "大正", 1},  {year{1926} / 12 / 24, "大正", 15},
        {year{1926} / 12 / 25, "昭和", 1}, {year{1989} / 1 / 7, "昭和", 64},
        {year{1989} / 1 / 8, "平成", 1},   {year{2019} / 4 / 30, "平成", 31},
        {year{2019} / 5 / 1, "令和", 1},   {year{2049} / 12 / 31, "令和", 31},
    };
    for (const EraCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.date.year()));
        const auto era = japaneseEra(c.date);
        ASSERT_TRUE(era.has_value());
        EXPECT_EQ(era->name, QString::fromUtf8(c.era));
        EXPECT_EQ(era->year, c.eraYear);
    }
}

TEST(JapaneseEra, NoneBeforeMeijiOrForAnInvalidDate) {
    EXPECT_FALSE(japaneseEra(year{1867} / 12 / 31).has_value());
    EXPECT_FALSE(japaneseEra(year{2019} / 2 / 30).has_value());
}

struct StyleCase {
    int style;
    year_month_day date;
    const char* text;
};

// A few styles of every group, on both sides of the era changes.
TEST(YearText, StyleTable) {
    const auto d2004 = year{2004} / 1 / 1;
    const auto showa64 = year{1989} / 1 / 7;
    const auto heisei1 = year{1989} / 1 / 8;
    const auto heisei31 = year{2019} / 4 / 30;
    const auto reiwa1 = year{2019} / 5 / 1;
    const StyleCase cases[] = {
        // 0..15: plain
        {0, d2004, "2004"},
        {1, d2004, "平成 16"},
        {1, heisei1, "平成 01"},
        {2, reiwa1, "令和01"},
        {3, d2004, "平成 十六"},
        {4, showa64, "昭和六十四"},
        {4, heisei1, "平成元"},
        {5, d2004, "2004年"},
        {6, heisei31, "平成 31年"},
        {7, d2004, "平成16年"},
        {8, reiwa1, "令和 元年"},
        {9, reiwa1, "令和元年"},
        {9, heisei31, "平成三十一年"},
        {10, d2004, "04"},
        {10, year{2000} / 1 / 1, "00"},
        {11, showa64, "64"},
        {11, reiwa1, "01"},
        {12, year{2030} / 1 / 1, "十二"},
        {13, d2004, "04年"},
        {14, heisei1, "01年"},
        {15, d2004, "十六年"},
        {15, year{1930} / 1 / 1, "五年"},
        // 16..23: styles 0..4 and 10..12 with a slash
        {16, d2004, "2004/"},
        {17, d2004, "平成 16/"},
        {18, showa64, "昭和64/"},
        {19, reiwa1, "令和 元/"},
        {20, d2004, "平成十六/"},
        {21, d2004, "04/"},
        {22, heisei31, "31/"},
        {23, year{2020} / 1 / 1, "二/"},
        // 24..39: styles 0..15 in brackets
        {24, d2004, "(2004)"},
        {25, d2004, "(平成 16)"},
        {28, reiwa1, "(令和元)"},
        {29, d2004, "(2004年)"},
        {33, d2004, "(平成十六年)"},
        {34, d2004, "(04)"},
        {35, heisei1, "(01)"},
        {36, year{1950} / 1 / 1, "(二十五)"},
        {37, d2004, "(04年)"},
        {39, reiwa1, "(元年)"},
    };
    for (const StyleCase& c : cases) {
        SCOPED_TRACE(c.style);
        EXPECT_EQ(yearText(c.style, c.date), QString::fromUtf8(c.text));
    }
}

TEST(YearText, StylesOutsideTheTableAreEmpty) {
    for (int style : {-1, 44, 1000})
        EXPECT_TRUE(yearText(style, year{2004} / 1 / 1).isEmpty()) << style;
}

TEST(YearText, EraStylesAreEmptyWithoutAnEraWesternStylesAreNot) {
    const auto before = year{1850} / 6 / 1;
    EXPECT_EQ(yearText(0, before), "1850");
    EXPECT_EQ(yearText(37, before), QString::fromUtf8("(50年)"));
    for (int style : {1, 4, 11, 12, 20, 23, 25, 39})
        EXPECT_TRUE(yearText(style, before).isEmpty()) << style;
}

} // namespace
} // namespace tobirae
