// The moon's four principal phases and its age, for the day cells of wall calendars.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tobirae {

enum class MoonPhase { New = 0, FirstQuarter = 1, Full = 2, LastQuarter = 3 };

// "新月", "上弦", "満月", "下弦".
std::string_view moonPhaseName(MoonPhase phase);
// "●", "◐", "○", "◑".
std::string_view moonPhaseSymbol(MoonPhase phase);

// Universal time of the phase of lunation `lunation` (0 is the new moon of 2000-01-06).
std::chrono::sys_seconds moonPhaseInstant(long lunation, MoonPhase phase);

// Difference TT - UT in seconds for a decimal year.
double deltaTSeconds(double decimalYear);

// The phases whose instants fall on one Japan-time year, in order, with the new moons around it.
struct MoonYearTable {
    struct Instant {
        std::chrono::sys_seconds at{};
        MoonPhase phase = MoonPhase::New;
    };
    int year = 0;
    std::vector<Instant> instants; // from the last new moon before the year to after its end
};
MoonYearTable buildMoonYear(int year);

struct MoonDay {
    std::optional<MoonPhase> phase; // the phase whose instant falls on the Japan-time day
    double age = 0;                 // days since the latest new moon at 12:00 Japan time
};
MoonDay moonDayIn(const MoonYearTable& table, std::chrono::sys_days date);

// The moon of one date, computed from the few phases around it: nothing is kept between calls.
MoonDay moonDay(std::chrono::year_month_day date);

// 月齢 with one decimal, as printed: "12.3".
std::string moonAgeText(double age);

} // namespace tobirae
