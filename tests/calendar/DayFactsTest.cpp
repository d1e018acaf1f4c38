#include "calendar/DayFacts.h"

#include "calendar/SolarTerms.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

using namespace std::chrono;

TEST(DayFacts, KnownDays) {
    auto facts = computeDayFacts(year{2004} / 3 / 20);
    ASSERT_TRUE(facts);
    EXPECT_EQ(facts->holidayName, "春分の日");
    EXPECT_EQ(facts->kanshiName, "戊戌");
    EXPECT_EQ(facts->kanshiReading, "つちのえ いぬ");
    EXPECT_EQ(facts->oldDateText, "2004/02/30");
    EXPECT_FALSE(facts->isLeapMonth);
    EXPECT_EQ(facts->rokuyoName, "先勝");
    EXPECT_TRUE(facts->isRedDay);

    facts = computeDayFacts(year{2004} / 3 / 21);
    EXPECT_EQ(facts->holidayName, "");
    EXPECT_EQ(facts->oldDateText, "2004/閏02/01");
    EXPECT_TRUE(facts->isLeapMonth);
    EXPECT_EQ(facts->rokuyoName, "友引");
    EXPECT_TRUE(facts->isRedDay); // a Sunday

    facts = computeDayFacts(year{2000} / 1 / 1);
    EXPECT_EQ(facts->holidayName, "元日");
    EXPECT_EQ(facts->kanshiName, "戊午");

    EXPECT_EQ(computeDayFacts(year{2021} / 8 / 9)->holidayName, "振替休日");
}

TEST(DayFacts, OutsideTheOldCalendarNoOldDateAndNoRokuyo) {
    for (year_month_day date : {year{1949} / 12 / 31, year{2050} / 1 / 1, year{1900} / 1 / 1}) {
        const auto facts = computeDayFacts(date);
        ASSERT_TRUE(facts);
        EXPECT_EQ(facts->oldDateText, "");
        EXPECT_FALSE(facts->isLeapMonth);
        EXPECT_EQ(facts->rokuyoName, "");
        EXPECT_FALSE(facts->kanshiName.empty());
    }
}

TEST(DayFacts, RefillingARecordClearsTheOldFields) {
    DayFacts facts;
    facts.date = year{2004} / 3 / 21;
    ASSERT_TRUE(computeDayFacts(facts));
    ASSERT_TRUE(facts.isLeapMonth);
    facts.date = year{2050} / 1 / 3;
    ASSERT_TRUE(computeDayFacts(facts));
    EXPECT_FALSE(facts.isLeapMonth);
    EXPECT_EQ(facts.oldDateText, "");
    EXPECT_EQ(facts.rokuyoName, "");
    EXPECT_EQ(facts.date, year{2050} / 1 / 3);

    facts.date = year{2003} / 2 / 29;
    EXPECT_FALSE(computeDayFacts(facts));
    EXPECT_EQ(facts.kanshiName, "");
}

// The whole range the editor offers, with the old calendar's day advancing by one inside a
// month and the rokuyo following the old month and day.
TEST(DayFacts, WholeCenturyRuns) {
    int previousDay = 12; // 1950/1/1 is day 13 of its old month
    for (sys_days day = sys_days{year{1950} / 1 / 1}; day <= sys_days{year{2049} / 12 / 31};
         day += days{1}) {
        const auto facts = computeDayFacts(year_month_day{day});
        ASSERT_TRUE(facts);
        ASSERT_EQ(facts->kanshiName.size(), 6u);
        ASSERT_FALSE(facts->oldDateText.empty());
        ASSERT_FALSE(facts->rokuyoName.empty());
        const int oldDay = std::stoi(facts->oldDateText.substr(facts->oldDateText.size() - 2));
        ASSERT_TRUE(oldDay == previousDay + 1 || oldDay == 1) << facts->oldDateText;
        if (oldDay == 1) {
            ASSERT_TRUE(previousDay == 29 || previousDay == 30) << facts->oldDateText;
        }
        previousDay = oldDay;
        ASSERT_TRUE(lookupSolarTerm(year_month_day{day}));
    }
}

} // namespace
} // namespace tobirae
