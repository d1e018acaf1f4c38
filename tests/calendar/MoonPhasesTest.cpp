#include "calendar/MoonPhases.h"

#include "calendar/OldCalendar.h"

#include <cmath>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

using namespace std::chrono;

sys_seconds utc(int y, unsigned m, unsigned d, int hh, int mm) {
    return sys_seconds{sys_days{year{y} / month{m} / day{d}}} + hours{hh} + minutes{mm};
}

// The nearest instant of the phase to `near`.
sys_seconds nearestPhase(sys_seconds near, MoonPhase phase) {
    const double days = duration<double>(near - utc(2000, 1, 6, 18, 14)).count() / 86400.0;
    const long lunation = std::lround(days / 29.530588861 - static_cast<int>(phase) * 0.25);
    sys_seconds best = moonPhaseInstant(lunation, phase);
    for (long k : {lunation - 1, lunation + 1}) {
        const sys_seconds at = moonPhaseInstant(k, phase);
        if (abs(at - near) < abs(best - near))
            best = at;
    }
    return best;
}

// Instants (UT, to the minute) from the U.S. Naval Observatory's "Phases of the Moon" tables.
TEST(MoonPhases, AgreeWithTheNavalObservatoryWithinTwoMinutes) {
    struct Row {
        sys_seconds at;
        MoonPhase phase;
    };
    const Row rows[] = {
        {utc(1999, 8, 11, 11, 8), MoonPhase::New},
        {utc(2000, 1, 6, 18, 14), MoonPhase::New},
        {utc(2000, 1, 14, 13, 34), MoonPhase::FirstQuarter},
        {utc(2000, 1, 21, 4, 40), MoonPhase::Full},
        {utc(2000, 1, 28, 7, 57), MoonPhase::LastQuarter},
        {utc(2015, 9, 28, 2, 50), MoonPhase::Full},
        {utc(2017, 8, 21, 18, 30), MoonPhase::New},
        {utc(2024, 4, 8, 18, 21), MoonPhase::New},
    };
    for (const Row& row : rows) {
        const sys_seconds computed = nearestPhase(row.at, row.phase);
        EXPECT_LE(abs(computed - row.at), minutes{2})
            << moonPhaseName(row.phase) << " off by " << (computed - row.at).count() << " s";
    }
}

// Meeus, Astronomical Algorithms, example 49.a: the new moon of 1977 February, JDE 2443192.65118
// (18 February 3:37:42 TD); ΔT of 1977 is about 48 s.
TEST(MoonPhases, MeeusWorkedExample) {
    const sys_seconds computed = moonPhaseInstant(-283, MoonPhase::New);
    const sys_seconds expected = utc(1977, 2, 18, 3, 37) + seconds{42 - 48};
    EXPECT_LE(abs(computed - expected), seconds{10});
}

TEST(MoonPhases, PhaseBelongsToTheJapanDayOfItsInstant) {
    // Full moon 2000-01-21 04:40 UT is 13:40 in Japan; new moon 2000-01-06 18:14 UT is already
    // 01-07 03:14 in Japan.
    EXPECT_EQ(moonDay(year{2000} / 1 / 21).phase, MoonPhase::Full);
    EXPECT_FALSE(moonDay(year{2000} / 1 / 20).phase);
    EXPECT_EQ(moonDay(year{2000} / 1 / 7).phase, MoonPhase::New);
    EXPECT_FALSE(moonDay(year{2000} / 1 / 6).phase);
}

TEST(MoonPhases, AgeCountsFromTheLatestNewMoonAtJapanNoon) {
    // New moon 2000-01-07 03:14 JST: at noon 8.77 hours later.
    EXPECT_EQ(moonAgeText(moonDay(year{2000} / 1 / 7).age), "0.4");
    EXPECT_EQ(moonAgeText(moonDay(year{2000} / 1 / 21).age), "14.4");
    // The day before, the lunation that began 1999-12-08 goes on.
    EXPECT_GT(moonDay(year{2000} / 1 / 6).age, 29.0);
    // Across the year end the table of the year before is not needed.
    EXPECT_GT(moonDay(year{2000} / 1 / 1).age, 23.0);
}

TEST(MoonPhases, EveryYearHasItsPhasesInOrder) {
    for (int y = 1950; y <= 2049; ++y) {
        const MoonYearTable table = buildMoonYear(y);
        ASSERT_GE(table.instants.size(), 49u);
        for (std::size_t i = 1; i < table.instants.size(); ++i) {
            ASSERT_LT(table.instants[i - 1].at, table.instants[i].at) << y;
            ASSERT_EQ(static_cast<int>(table.instants[i].phase),
                      (static_cast<int>(table.instants[i - 1].phase) + 1) % 4)
                << y;
        }
        ASSERT_EQ(table.instants.front().phase, MoonPhase::New);
    }
}

// The day's moon is worked out from the few phases around it; the whole-year tables, built
// from every instant in order, must agree with it on every day of the century.
TEST(MoonPhases, EachDayAgreesWithTheYearTables) {
    for (int y = 1950; y <= 2049; ++y) {
        const MoonYearTable table = buildMoonYear(y);
        for (sys_days d{year{y} / 1 / 1}; d < sys_days{year{y + 1} / 1 / 1}; d += days{1}) {
            const MoonDay fromTable = moonDayIn(table, d);
            const MoonDay direct = moonDay(year_month_day{d});
            ASSERT_EQ(direct.phase, fromTable.phase) << d.time_since_epoch().count();
            ASSERT_DOUBLE_EQ(direct.age, fromTable.age) << d.time_since_epoch().count();
        }
    }
}

// The old calendar begins each month on the Japan-time day of a new moon, so its table and the
// computed phases check each other over the whole century.
TEST(MoonPhases, EveryOldCalendarMonthBeginsOnANewMoonDay) {
    for (const OldMonthRow& row : oldMonthTable()) {
        const year_month_day first{year{row.start / 10000},
                                   month{static_cast<unsigned>(row.start / 100 % 100)},
                                   day{static_cast<unsigned>(row.start % 100)}};
        if (static_cast<int>(first.year()) < 1950)
            continue;
        ASSERT_EQ(moonDay(first).phase, MoonPhase::New) << row.start;
    }
}

} // namespace
} // namespace tobirae
