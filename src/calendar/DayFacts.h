// Everything a day cell prints about one day, gathered in one pass.
#pragma once

#include "calendar/Holidays.h"
#include "calendar/MoonPhases.h"
#include "calendar/SelectedDays.h"

#include <chrono>
#include <optional>
#include <string>

namespace tobirae {

struct DayFacts {
    std::chrono::year_month_day date{}; // set by the caller before filling
    std::string holidayName;            // "振替休日" for a substitute holiday; empty otherwise
    std::string kanshiName;             // "戊午"
    std::string kanshiReading;          // "つちのえ うま"
    std::string oldDateText;            // "2004/閏02/01"; empty outside 1950..2049
    bool isLeapMonth = false;
    std::string rokuyoName; // "大安" .. "仏滅"; empty outside 1950..2049
    // The holiday classification the name came from.
    DayCode dayCode = 0;
    bool isRedDay = false; // a holiday or a Sunday, or the user's day off; never a working day
    SelectedDayMask selectedDays = 0;   // 選日 of the day
    std::optional<MoonPhase> moonPhase; // the phase whose instant falls on this Japan-time day
    double moonAge = 0;                 // days since the latest new moon at 12:00 Japan time
    // The user's own entries for the day, added by whoever holds them.
    std::string ownName; // the user's names joined by "・"
    bool isOwnDayOff = false;
    bool isOwnWorkingDay = false;

    // Printed where the holiday name prints: the holiday's name, then the user's, joined by "・".
    std::string shownName() const;
    // Drawn in the holiday colour: a named holiday or the user's day off, but not a working day.
    bool isHolidayColoured() const;
};

// Fills every field from facts.date; false (with the fields reset) for an invalid date.
bool computeDayFacts(DayFacts& facts);
// Convenience: the facts of one date, nullopt for an invalid date.
std::optional<DayFacts> computeDayFacts(std::chrono::year_month_day date);

} // namespace tobirae
