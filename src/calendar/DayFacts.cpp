#include "calendar/DayFacts.h"

#include "calendar/DateHelpers.h"
#include "calendar/OldCalendar.h"
#include "calendar/Sexagenary.h"

namespace tobirae {

using std::chrono::sys_days;

bool computeDayFacts(DayFacts& facts) {
    const std::chrono::year_month_day date = facts.date;
    facts = DayFacts{};
    facts.date = date;

    auto check = checkHoliday(date);
    if (!check)
        return false;
    facts.dayCode = check->code;
    facts.isRedDay = check->isRedDay;
    facts.holidayName = holidayNameOf(check->code).name;

    if (auto kanshi = sexagenaryOfDay(date)) {
        facts.kanshiName = std::move(kanshi->name);
        facts.kanshiReading = std::move(kanshi->reading);
    }

    // Outside the old calendar's years both texts stay empty: a rokuyo without an old date
    // would be invented.
    if (auto old = oldCalendarDate(date, true, true)) {
        facts.oldDateText = std::move(old->text);
        facts.isLeapMonth = old->isLeapMonth;
        facts.rokuyoName = rokuyoNameOf(old->rokuyo);
    }
    facts.selectedDays = selectedDays(sys_days{date});
    const MoonDay moon = moonDay(date);
    facts.moonPhase = moon.phase;
    facts.moonAge = moon.age;
    return true;
}

std::string DayFacts::shownName() const {
    if (holidayName.empty() || ownName.empty())
        return holidayName.empty() ? ownName : holidayName;
    return holidayName + "・" + ownName;
}

bool DayFacts::isHolidayColoured() const {
    return !isOwnWorkingDay && (isOwnDayOff || !holidayName.empty());
}

std::optional<DayFacts> computeDayFacts(std::chrono::year_month_day date) {
    DayFacts facts;
    facts.date = date;
    if (!computeDayFacts(facts))
        return std::nullopt;
    return facts;
}

} // namespace tobirae
