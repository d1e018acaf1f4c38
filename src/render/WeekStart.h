// Weeks that begin on Sunday or on Monday, for the month grids and the weekly ranges.
#pragma once

#include "calendar/DateHelpers.h"
#include "document/LayoutExtension.h"

#include <chrono>

namespace tobirae {

// 0 when the item's weeks begin on Sunday, 1 on Monday.
inline int firstWeekdayOf(WeekStart start) {
    return start == WeekStart::Monday ? 1 : 0;
}

// The first day of the date's week for weeks that begin on firstWeekday (0 Sunday, 1 Monday).
inline std::chrono::sys_days weekStartOn(std::chrono::sys_days date, int firstWeekday) {
    return date - std::chrono::days{(weekdayIndex(date) - firstWeekday + 7) % 7};
}

// Monday of ISO 8601 week n of the ISO year (week 1 holds 4 January).
inline std::chrono::sys_days isoWeekMonday(int isoYear, int n) {
    using namespace std::chrono;
    return weekStartOn(sys_days{year{isoYear} / January / 4}, 1) + days{7 * (n - 1)};
}

} // namespace tobirae
