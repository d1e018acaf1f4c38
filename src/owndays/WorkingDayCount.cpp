#include "owndays/WorkingDayCount.h"

namespace tobirae {

using namespace std::chrono;

namespace {

bool worked(sys_days day, const OwnDayTable* own, WeeklyDaysOff off) {
    DayFacts facts;
    facts.date = year_month_day{day};
    // Only the holiday classification matters here; the full facts would cost the moon too.
    if (auto check = checkHoliday(facts.date))
        facts.holidayName = holidayNameOf(check->code).name;
    if (own && !own->empty()) {
        const OwnDayFacts o = own->lookup(facts.date);
        facts.isOwnDayOff = o.dayOff && !o.workingDay;
        facts.isOwnWorkingDay = o.workingDay;
    }
    return isWorkingDay(facts, off);
}

sys_days fiscalFirst(int fiscalYear) {
    return sys_days{year{fiscalYear} / April / 1};
}
sys_days fiscalLast(int fiscalYear) {
    return sys_days{year{fiscalYear + 1} / March / 31};
}

} // namespace

WorkingDayCount countWorkingDays(sys_days first, sys_days last, const OwnDayTable* own,
                                 WeeklyDaysOff off) {
    WorkingDayCount count;
    for (sys_days d = first; d <= last; d += days{1})
        ++(worked(d, own, off) ? count.working : count.off);
    return count;
}

WorkingDayCount countMonthWorkingDays(year_month month, const OwnDayTable* own, WeeklyDaysOff off) {
    return countWorkingDays(sys_days{month / 1}, sys_days{month / last}, own, off);
}

WorkingDayCount countFiscalYearWorkingDays(int fiscalYear, const OwnDayTable* own,
                                           WeeklyDaysOff off) {
    return countWorkingDays(fiscalFirst(fiscalYear), fiscalLast(fiscalYear), own, off);
}

FiscalYearCheck checkFiscalYear(int fiscalYear, const OwnDayTable* own, WeeklyDaysOff off) {
    FiscalYearCheck check;
    check.fiscalYear = fiscalYear;
    // A run that reaches into the 年度 from March counts from its start.
    int run = 0;
    for (sys_days d = fiscalFirst(fiscalYear) - days{kMaxWorkingDaysInARow};
         d < fiscalFirst(fiscalYear); d += days{1})
        run = worked(d, own, off) ? run + 1 : 0;
    for (sys_days d = fiscalFirst(fiscalYear); d <= fiscalLast(fiscalYear); d += days{1}) {
        if (!worked(d, own, off)) {
            ++check.count.off;
            run = 0;
            continue;
        }
        ++check.count.working;
        ++run;
        if (check.count.working == kMaxWorkingDaysPerYear + 1 && !check.overYearLimit)
            check.overYearLimit = d;
        if (run == kMaxWorkingDaysInARow + 1 && !check.overRunLimit)
            check.overRunLimit = d;
    }
    return check;
}

} // namespace tobirae
