// Counts of a company calendar's working days over a month or a 年度, and the two limits of the
// one-year variable working-hours scheme that such calendars are checked against.
#pragma once

#include "calendar/WorkingDays.h"
#include "owndays/OwnDayTable.h"

#include <chrono>
#include <optional>

namespace tobirae {

struct WorkingDayCount {
    int working = 0;
    int off = 0;
};

// Days from first to last (both included); own may be nullptr (no user's days).
WorkingDayCount countWorkingDays(std::chrono::sys_days first, std::chrono::sys_days last,
                                 const OwnDayTable* own, WeeklyDaysOff off);
// The month, and the 年度 (April to March) that holds it.
WorkingDayCount countMonthWorkingDays(std::chrono::year_month month, const OwnDayTable* own,
                                      WeeklyDaysOff off);
WorkingDayCount countFiscalYearWorkingDays(int fiscalYear, const OwnDayTable* own,
                                           WeeklyDaysOff off);

inline constexpr int kMaxWorkingDaysPerYear = 280;
inline constexpr int kMaxWorkingDaysInARow = 6;

struct FiscalYearCheck {
    int fiscalYear = 0;
    WorkingDayCount count;
    // The 281st working day of the 年度, when there is one.
    std::optional<std::chrono::sys_days> overYearLimit;
    // The seventh working day in a row (the run may begin in the 年度 before).
    std::optional<std::chrono::sys_days> overRunLimit;
};
FiscalYearCheck checkFiscalYear(int fiscalYear, const OwnDayTable* own, WeeklyDaysOff off);

} // namespace tobirae
