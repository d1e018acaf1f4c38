#include "calendar/SolarTerms.h"

#include "calendar/DateHelpers.h"
#include "calendar/Holidays.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace tobirae {
namespace {

using namespace std::chrono;

constexpr sys_days date(int y, unsigned m, unsigned d) {
    return sys_days{year{y} / month{m} / day{d}};
}

// Date of an entry in its year's table; the epoch when the entry is missing.
sys_days dateOf(int y, SekkiCode code) {
    const SekkiYearTable table = buildSolarTermYear(y);
    for (int i = 0; i < table.count; ++i) {
        if (table.entries[i].code == code)
            return table.entries[i].date;
    }
    return sys_days{};
}

TEST(SolarTerms, DatesOfKnownYears) {
    struct Case {
        int y;
        SekkiCode code;
        sys_days expected;
    };
    const std::vector<Case> cases{
        {2004, 5, date(2004, 2, 4)},    {2004, 10, date(2004, 3, 20)},
        {2004, 20, date(2004, 6, 21)},  {2004, 32, date(2004, 9, 23)},
        {2004, 40, date(2004, 12, 21)}, {2004, 1, date(2004, 1, 6)},
        {2004, 2, date(2004, 1, 18)},   {2026, 40, date(2026, 12, 22)},
        {2004, 4, date(2004, 2, 3)},    {2004, 15, date(2004, 5, 1)},
        {2004, 21, date(2004, 7, 1)},   {2004, 27, date(2004, 8, 31)},
        {2004, 29, date(2004, 9, 10)},  {2003, 9, date(2003, 3, 16)},
        {2021, 5, date(2021, 2, 3)},    {2021, 4, date(2021, 2, 2)},
        {1984, 5, date(1984, 2, 5)},    {2025, 5, date(2025, 2, 3)},
        {2024, 32, date(2024, 9, 22)},  {2004, 19, date(2004, 6, 10)},
        {2004, 7, date(2004, 3, 5)},    {2004, 8, date(2004, 3, 17)},
        {2004, 11, date(2004, 3, 23)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dateOf(c.y, c.code), c.expected) << c.y << " code " << c.code;
}

struct LookupCase {
    sys_days day;
    SekkiCode first;
    SekkiCode second;
};

TEST(SolarTerms, LookupOrdersEntriesSharingADay) {
    const std::vector<LookupCase> cases{
        {date(2004, 3, 20), 9, 10},  // 戊 day on the equinox: 社日 before 春分
        {date(1995, 3, 18), 8, 9},   // 社日 on 彼岸の入
        {date(2004, 9, 26), 33, 31}, // 社日 on 彼岸の明
        {date(2004, 2, 4), 5, kNoSekki}, {date(2004, 3, 1), kNoSekki, kNoSekki},
    };
    for (const LookupCase& c : cases) {
        const auto result = lookupSolarTerm(year_month_day{c.day});
        ASSERT_TRUE(result) << formatDateText(c.day);
        EXPECT_EQ(result->first.code, c.first) << formatDateText(c.day);
        EXPECT_EQ(result->second.code, c.second) << formatDateText(c.day);
    }
    const auto both = lookupSolarTerm(year_month_day{date(2004, 3, 20)});
    EXPECT_EQ(both->first.name, "春社日");
    EXPECT_EQ(both->second.name, "春分");
    EXPECT_EQ(both->second.reading, "しゅんぶん");
    const auto none = lookupSolarTerm(year_month_day{date(2004, 3, 1)});
    EXPECT_TRUE(none->first.name.empty());
    EXPECT_TRUE(none->second.reading.empty());
}

TEST(SolarTerms, EveryYearFillsAllFortySlotsAndAgreesWithTheEquinoxHolidays) {
    for (int y = 1900; y <= 2099; ++y) {
        const SekkiYearTable table = buildSolarTermYear(y);
        ASSERT_EQ(table.count, 40) << y;
        for (int i = 0; i < table.count; ++i) {
            const year_month_day d{table.entries[i].date};
            // Only the days counted from 冬至's neighbours could leave the year; none do.
            ASSERT_EQ(static_cast<int>(d.year()), y) << y << " slot " << i;
        }
        EXPECT_EQ(dateOf(y, kSekkiVernalEquinox),
                  date(y, 3, static_cast<unsigned>(*vernalEquinoxDay(y))))
            << y;
        EXPECT_EQ(dateOf(y, kSekkiAutumnalEquinox),
                  date(y, 9, static_cast<unsigned>(*autumnalEquinoxDay(y))))
            << y;
    }
}

TEST(SolarTerms, NamesAndTerms) {
    EXPECT_EQ(solarTermName(1)->name, "小寒");
    EXPECT_EQ(solarTermName(1)->reading, "しょうかん");
    EXPECT_EQ(solarTermName(40)->name, "冬至");
    EXPECT_EQ(solarTermName(27)->reading, "にひゃくとおか");
    EXPECT_FALSE(solarTermName(0));
    EXPECT_FALSE(solarTermName(41));
    EXPECT_FALSE(solarTermName(kNoSekki));

    const std::vector<SekkiCode> terms{1,  3,  5,  6,  7,  10, 12, 14, 16, 17, 18, 20,
                                       22, 24, 25, 26, 28, 32, 34, 36, 37, 38, 39, 40};
    for (SekkiCode code = -1; code <= 41; ++code) {
        const bool expected = std::find(terms.begin(), terms.end(), code) != terms.end();
        EXPECT_EQ(isSolarTerm(code), expected) << code;
    }
}

TEST(SolarTerms, LongitudeStaysInRangeAndCrossesZeroAtTheEquinox) {
    EXPECT_GT(solarLongitude(year_month_day{date(2004, 3, 20)}), 359.0);
    EXPECT_LT(solarLongitude(year_month_day{date(2004, 3, 21)}), 1.0);
    for (sys_days d = date(1900, 1, 1); d <= date(2099, 12, 31); d += days{97}) {
        const double lambda = solarLongitude(year_month_day{d});
        ASSERT_GE(lambda, 0.0);
        ASSERT_LT(lambda, 360.0);
    }
    EXPECT_FALSE(searchSolarTerm(year{2004} / 7 / 1, 0)); // no crossing near that day
}

TEST(SolarTerms, StemsAndNearestBoDay) {
    EXPECT_EQ(dayStem(year{2000} / 1 / 1), "戊");
    EXPECT_EQ(dayStem(year{2000} / 1 / 2), "己");
    EXPECT_EQ(dayStem(year{1999} / 12 / 31), "丁");

    const ShanichiResult same = findShanichi(date(2004, 3, 20));
    EXPECT_EQ(same.date, date(2004, 3, 20));
    EXPECT_EQ(same.side, 0);
    const ShanichiResult tie = findShanichi(date(2003, 3, 21)); // 3/16 and 3/26
    EXPECT_EQ(tie.date, date(2003, 3, 16));
    EXPECT_EQ(tie.side, -1);
    const ShanichiResult after = findShanichi(date(2004, 9, 22));
    EXPECT_EQ(after.date, date(2004, 9, 26));
    EXPECT_EQ(after.side, 1);
}

TEST(SolarTermsCache, AlternatingYearsBuildEachYearOnce) {
    SekkiYearCache cache;
    EXPECT_EQ(cache.lookup(date(2003, 12, 22)).first.code, 40);
    EXPECT_EQ(cache.buildCount(), 1);
    EXPECT_EQ(cache.lookup(date(2004, 1, 6)).first.code, 1);
    EXPECT_EQ(cache.buildCount(), 2);
    for (int i = 0; i < 50; ++i) {
        cache.lookup(date(2003, 12, 31));
        cache.lookup(date(2004, 1, 1));
    }
    EXPECT_EQ(cache.buildCount(), 2);
}

TEST(SolarTermsCache, ConcurrentLookupsOverManyYearsMatchFreshTables) {
    SekkiYearCache cache;
    auto worker = [&cache](int firstYear, std::vector<SekkiCode>& codes) {
        for (int round = 0; round < 3; ++round) {
            for (int y = firstYear; y < firstYear + 12; ++y) {
                for (sys_days d = date(y, 3, 15); d <= date(y, 3, 25); d += days{1})
                    codes.push_back(cache.lookup(d).first.code);
            }
        }
    };
    std::vector<SekkiCode> a;
    std::vector<SekkiCode> b;
    std::thread first(worker, 2000, std::ref(a));
    std::thread second(worker, 2006, std::ref(b));
    first.join();
    second.join();

    auto expected = [](int firstYear) {
        std::vector<SekkiCode> codes;
        for (int round = 0; round < 3; ++round) {
            for (int y = firstYear; y < firstYear + 12; ++y) {
                const SekkiYearTable table = buildSolarTermYear(y);
                for (sys_days d = date(y, 3, 15); d <= date(y, 3, 25); d += days{1})
                    codes.push_back(sekkiLookupIn(table, d).first.code);
            }
        }
        return codes;
    };
    EXPECT_EQ(a, expected(2000));
    EXPECT_EQ(b, expected(2006));
}

} // namespace
} // namespace tobirae
