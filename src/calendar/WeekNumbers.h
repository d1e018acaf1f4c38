// Week numbers printed beside month grids and in day lists.
#pragma once

#include <chrono>

namespace tobirae {

enum class WeekNumbering {
    Iso = 0,          // ISO 8601: weeks from Monday, week 1 holds the year's first Thursday
    FirstJanuary = 1, // the week holding 1 January is week 1, weeks from the given first day
};

// ISO 8601 week number 1..53 (2021-01-03 is week 53 of 2020).
int isoWeekNumber(std::chrono::sys_days date);

// Week 1..54 of the date's year, week 1 being the week holding 1 January; weeks start on
// Monday when mondayFirst, else on Sunday.
int firstJanuaryWeekNumber(std::chrono::sys_days date, bool mondayFirst);

int weekNumber(std::chrono::sys_days date, WeekNumbering numbering, bool mondayFirst);

} // namespace tobirae
