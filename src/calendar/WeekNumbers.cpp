#include "calendar/WeekNumbers.h"

namespace tobirae {

using namespace std::chrono;

namespace {

sys_days weekStart(sys_days date, bool mondayFirst) {
    const weekday first = mondayFirst ? Monday : Sunday;
    return date - (weekday{date} - first);
}

} // namespace

int isoWeekNumber(sys_days date) {
    const sys_days thursday = weekStart(date, true) + days{3};
    const sys_days firstOfYear{year_month_day{thursday}.year() / January / 1};
    return static_cast<int>((thursday - firstOfYear).count() / 7) + 1;
}

int firstJanuaryWeekNumber(sys_days date, bool mondayFirst) {
    const sys_days firstOfYear{year_month_day{date}.year() / January / 1};
    return static_cast<int>(
               (weekStart(date, mondayFirst) - weekStart(firstOfYear, mondayFirst)).count() / 7) +
           1;
}

int weekNumber(sys_days date, WeekNumbering numbering, bool mondayFirst) {
    return numbering == WeekNumbering::Iso ? isoWeekNumber(date)
                                           : firstJanuaryWeekNumber(date, mondayFirst);
}

} // namespace tobirae
