#include "calendar/Holidays.h"

#include "calendar/DateHelpers.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tobirae {
namespace {

using namespace std::chrono;

struct HolidayCase {
    int y, m, d;
    int code;
    const char* name;
};

void expectCases(const std::vector<HolidayCase>& cases) {
    for (const HolidayCase& c : cases) {
        const std::string where =
            std::to_string(c.y) + "/" + std::to_string(c.m) + "/" + std::to_string(c.d);
        auto check = checkHoliday(c.y, c.m, c.d);
        ASSERT_TRUE(check) << where;
        EXPECT_EQ(check->code, c.code) << where;
        EXPECT_EQ(check->isRedDay, c.code != 0) << where;
        EXPECT_EQ(holidayNameOf(check->code).name, c.name) << where;
    }
}

TEST(Holidays, ClassicRulesAndTheirEdges) {
    expectCases({
        {2003, 9, 15, 110, "敬老の日"},
        {2002, 9, 15, 111, "敬老の日"}, // on a Sunday
        {2002, 9, 16, 2, "振替休日"},
        {2004, 5, 4, 80, "国民の休日"},
        {1998, 5, 4, 2, "振替休日"},
        {1986, 5, 4, 1, ""}, // a Sunday between two holidays before 2007
        {1988, 5, 4, 80, "国民の休日"},
        {1987, 5, 4, 2, "振替休日"},
        {1989, 4, 29, 60, "みどりの日"},
        {1988, 4, 29, 50, "天皇誕生日"},
        {1973, 4, 30, 2, "振替休日"},
        {1973, 2, 12, 0, ""}, // Sunday 建国記念の日 before substitute days existed
        {1967, 1, 2, 0, ""},
        {1978, 1, 2, 2, "振替休日"},
        {2006, 1, 1, 11, "元日"},
        {2004, 3, 20, 40, "春分の日"},
        {2004, 9, 23, 120, "秋分の日"},
        {1999, 1, 15, 20, "成人の日"},
        {2000, 1, 15, 0, ""},
        {2000, 1, 10, 20, "成人の日"},
        {1965, 9, 15, 0, ""},
        {1966, 9, 15, 110, "敬老の日"},
        {1966, 2, 11, 0, ""},
        {1967, 2, 11, 30, "建国記念の日"},
        {2004, 11, 3, 140, "文化の日"},
        {2004, 11, 23, 150, "勤労感謝の日"},
        {2004, 1, 4, 1, ""},
        {2004, 1, 5, 0, ""},
    });
}

TEST(Holidays, HolidayLawTakesEffectIn1948) {
    expectCases({
        {1948, 5, 5, 0, ""},
        {1948, 3, 21, 1, ""},
        {1948, 9, 23, 120, "秋分の日"},
        {1948, 11, 3, 140, "文化の日"},
        {1920, 4, 29, 0, ""},
        {1949, 1, 1, 10, "元日"},
        {1949, 1, 15, 20, "成人の日"},
    });
}

TEST(Holidays, ShowaDayAndGreeneryDay) {
    expectCases({
        {2006, 4, 29, 60, "みどりの日"},
        {2007, 4, 29, 171, "昭和の日"}, // a Sunday
        {2007, 4, 30, 2, "振替休日"},
        {2008, 4, 29, 170, "昭和の日"},
        {2006, 5, 4, 80, "国民の休日"},
        {2007, 5, 4, 180, "みどりの日"},
        {2008, 5, 4, 181, "みどりの日"},
    });
}

TEST(Holidays, SubstituteHolidayFrom2007IsTheNextNonHoliday) {
    expectCases({
        {1997, 5, 4, 1, ""}, // Sunday, not yet a holiday
        {1997, 5, 6, 0, ""},
        {2003, 5, 6, 0, ""},
        {2008, 5, 6, 2, "振替休日"}, // 5/4 on a Sunday
        {2009, 5, 6, 2, "振替休日"}, // 5/3 on a Sunday
        {2019, 5, 6, 2, "振替休日"}, // 5/5 on a Sunday
        {2020, 5, 6, 2, "振替休日"},
        {2020, 2, 24, 2, "振替休日"},
        {2024, 9, 23, 2, "振替休日"},
        {2025, 11, 24, 2, "振替休日"},
    });
}

TEST(Holidays, PeoplesHolidayBetweenTwoHolidays) {
    expectCases({
        {2009, 9, 22, 80, "国民の休日"},
        {2015, 9, 22, 80, "国民の休日"},
        {2026, 9, 22, 80, "国民の休日"},
        {2019, 4, 30, 80, "国民の休日"},
        {2019, 5, 2, 80, "国民の休日"},
        {2020, 9, 21, 110, "敬老の日"},
        {2020, 9, 22, 120, "秋分の日"},
        {2032, 9, 21, 80, "国民の休日"},
    });
}

TEST(Holidays, MarineDay) {
    expectCases({
        {1995, 7, 20, 0, ""},
        {1996, 7, 20, 100, "海の日"},
        {1997, 7, 20, 101, "海の日"},
        {1997, 7, 21, 2, "振替休日"},
        {2002, 7, 20, 100, "海の日"},
        {2003, 7, 20, 1, ""},
        {2003, 7, 21, 100, "海の日"},
        {2019, 7, 15, 100, "海の日"},
        {2020, 7, 20, 0, ""},
        {2020, 7, 23, 100, "海の日"},
        {2021, 7, 19, 0, ""},
        {2021, 7, 22, 100, "海の日"},
        {2022, 7, 18, 100, "海の日"},
    });
}

TEST(Holidays, MountainDay) {
    expectCases({
        {2015, 8, 11, 0, ""},
        {2016, 8, 11, 190, "山の日"},
        {2019, 8, 11, 191, "山の日"},
        {2019, 8, 12, 2, "振替休日"},
        {2020, 8, 10, 190, "山の日"},
        {2020, 8, 11, 0, ""},
        {2021, 8, 8, 191, "山の日"},
        {2021, 8, 9, 2, "振替休日"},
        {2021, 8, 11, 0, ""},
        {2022, 8, 11, 190, "山の日"},
    });
}

TEST(Holidays, HealthAndSportsDay) {
    expectCases({
        {1965, 10, 10, 1, ""},
        {1966, 10, 10, 130, "体育の日"},
        {1999, 10, 10, 131, "体育の日"},
        {1999, 10, 11, 2, "振替休日"},
        {2000, 10, 10, 0, ""},
        {2000, 10, 9, 130, "体育の日"},
        {2019, 10, 14, 130, "体育の日"},
        {2020, 10, 12, 0, ""},
        {2020, 7, 24, 200, "スポーツの日"},
        {2021, 7, 23, 200, "スポーツの日"},
        {2021, 10, 11, 0, ""},
        {2022, 10, 10, 200, "スポーツの日"},
        {2049, 10, 11, 200, "スポーツの日"},
    });
}

TEST(Holidays, EmperorsBirthday) {
    expectCases({
        {1988, 12, 23, 0, ""},
        {1989, 12, 23, 160, "天皇誕生日"},
        {2018, 12, 23, 161, "天皇誕生日"},
        {2018, 12, 24, 2, "振替休日"},
        {2019, 12, 23, 0, ""},
        {2019, 2, 23, 0, ""},
        {2020, 2, 23, 211, "天皇誕生日"},
        {2021, 2, 23, 210, "天皇誕生日"},
    });
}

TEST(Holidays, SingleDays) {
    expectCases({
        {1959, 4, 10, 220, "皇太子明仁親王の結婚の儀"},
        {1960, 4, 10, 1, ""},
        {1989, 2, 24, 230, "昭和天皇の大喪の礼"},
        {1990, 2, 24, 0, ""},
        {1990, 11, 12, 240, "即位礼正殿の儀"},
        {1993, 6, 9, 250, "皇太子徳仁親王の結婚の儀"},
        {2019, 5, 1, 260, "即位の日"},
        {2019, 10, 22, 240, "即位礼正殿の儀"},
        {2020, 5, 1, 0, ""},
        {2020, 10, 22, 0, ""},
    });
}

std::vector<std::string> holidaysOfYear(int y) {
    std::vector<std::string> found;
    for (sys_days day = sys_days{year{y} / 1 / 1}; day <= sys_days{year{y} / 12 / 31};
         day += days{1}) {
        const DayCode code = checkHoliday(year_month_day{day})->code;
        if (code != 0 && code != 1)
            found.push_back(formatDateText(day).substr(5) + " " + holidayNameOf(code).name);
    }
    return found;
}

// Whole years catch holidays appearing where the law has none.
TEST(Holidays, CompleteYears) {
    EXPECT_EQ(
        holidaysOfYear(2019),
        (std::vector<std::string>{
            "01/01 元日",       "01/14 成人の日",    "02/11 建国記念の日",   "03/21 春分の日",
            "04/29 昭和の日",   "04/30 国民の休日",  "05/01 即位の日",       "05/02 国民の休日",
            "05/03 憲法記念日", "05/04 みどりの日",  "05/05 こどもの日",     "05/06 振替休日",
            "07/15 海の日",     "08/11 山の日",      "08/12 振替休日",       "09/16 敬老の日",
            "09/23 秋分の日",   "10/14 体育の日",    "10/22 即位礼正殿の儀", "11/03 文化の日",
            "11/04 振替休日",   "11/23 勤労感謝の日"}));
    EXPECT_EQ(
        holidaysOfYear(2024),
        (std::vector<std::string>{"01/01 元日",       "01/08 成人の日",   "02/11 建国記念の日",
                                  "02/12 振替休日",   "02/23 天皇誕生日", "03/20 春分の日",
                                  "04/29 昭和の日",   "05/03 憲法記念日", "05/04 みどりの日",
                                  "05/05 こどもの日", "05/06 振替休日",   "07/15 海の日",
                                  "08/11 山の日",     "08/12 振替休日",   "09/16 敬老の日",
                                  "09/22 秋分の日",   "09/23 振替休日",   "10/14 スポーツの日",
                                  "11/03 文化の日",   "11/04 振替休日",   "11/23 勤労感謝の日"}));
    EXPECT_EQ(holidaysOfYear(1990),
              (std::vector<std::string>{
                  "01/01 元日", "01/15 成人の日", "02/11 建国記念の日", "02/12 振替休日",
                  "03/21 春分の日", "04/29 みどりの日", "04/30 振替休日", "05/03 憲法記念日",
                  "05/04 国民の休日", "05/05 こどもの日", "09/15 敬老の日", "09/23 秋分の日",
                  "09/24 振替休日", "10/10 体育の日", "11/03 文化の日", "11/12 即位礼正殿の儀",
                  "11/23 勤労感謝の日", "12/23 天皇誕生日", "12/24 振替休日"}));
}

TEST(Holidays, EveryDayOfTheCenturyIsConsistent) {
    for (sys_days day = sys_days{year{1950} / 1 / 1}; day <= sys_days{year{2049} / 12 / 31};
         day += days{1}) {
        const auto check = checkHoliday(year_month_day{day});
        ASSERT_TRUE(check);
        const bool sunday = weekdayIndex(day) == 0;
        const HolidayNameResult name = holidayNameOf(check->code);
        ASSERT_EQ(check->code % 10, sunday ? 1 : check->code == 2 ? 2 : 0) << formatDateText(day);
        ASSERT_EQ(check->isRedDay, check->code != 0) << formatDateText(day);
        ASSERT_EQ(name.name.empty(), check->code == 0 || check->code == 1) << formatDateText(day);
    }
}

TEST(Holidays, EquinoxFormulas) {
    const std::vector<std::pair<int, int>> vernal{{1900, 21}, {1950, 21}, {1979, 21}, {1980, 20},
                                                  {2000, 20}, {2003, 21}, {2012, 20}, {2099, 20}};
    for (auto [y, d] : vernal)
        EXPECT_EQ(vernalEquinoxDay(y), d) << y;
    const std::vector<std::pair<int, int>> autumnal{{1979, 24}, {2000, 23}, {2012, 22},
                                                    {2049, 22}, {2024, 22}, {2025, 23}};
    for (auto [y, d] : autumnal)
        EXPECT_EQ(autumnalEquinoxDay(y), d) << y;
    EXPECT_FALSE(vernalEquinoxDay(1899));
    EXPECT_FALSE(autumnalEquinoxDay(2100));
}

TEST(Holidays, InvalidDatesGiveNoResult) {
    EXPECT_FALSE(checkHoliday(2003, 2, 30));
    EXPECT_FALSE(checkHoliday(2004, 13, 1));
    EXPECT_FALSE(checkHoliday(2004, 0, 1));
    EXPECT_FALSE(checkHolidayText("2003/2/30"));
    EXPECT_FALSE(checkHolidayText("not a date"));
    ASSERT_TRUE(checkHolidayText("2004/3/20"));
    EXPECT_EQ(checkHolidayText("2004/03/20")->code, 40);
}

TEST(Holidays, NamesOfCodes) {
    EXPECT_EQ(holidayNameOf(2).dayType, 2);
    EXPECT_EQ(holidayNameOf(2).name, "振替休日");
    EXPECT_EQ(holidayNameOf(111).dayType, 1);
    EXPECT_EQ(holidayNameOf(111).name, "敬老の日");
    EXPECT_EQ(holidayNameOf(1).name, "");
    EXPECT_EQ(holidayNameOf(0).dayType, 0);
    EXPECT_EQ(holidayNameOf(990).name, "");
    EXPECT_EQ(holidayNameOf(50).name, holidayNameOf(160).name);
}

} // namespace
} // namespace tobirae
