#include "calendar/DayFacts.h"

#include "calendar/DateHelpers.h"
#include "calendar/OldCalendar.h"
#include "calendar/Sexagenary.h"

namespace tobirae {

bool Fnc_GetDayFacts(DayFacts& facts) {
    const std::chrono::year_month_day date = facts.date;
    facts = DayFacts{};
    facts.date = date;

    auto check = Fnc_HolidayCheck(date);
    if (!check)
        return false;
    facts.dayCode = check->code;
    facts.isRedDay = check->isRedDay;
    facts.holidayName = Fnc_HolidayName(check->code).name;

    if (auto kanshi = Fnc_KanshiOfDay(date)) {
        facts.kanshiName = std::move(kanshi->name);
        facts.kanshiReading = std::move(kanshi->reading);
    }

    // Outside the old calendar's years both texts stay empty: a rokuyo without an old date
    // would be invented.
    if (auto old = Fnc_OldCalendar(date, true, true)) {
        facts.oldDateText = std::move(old->text);
        facts.isLeapMonth = old->isLeapMonth;
        facts.rokuyoName = Fnc_RokuyoName(old->rokuyo);
    }
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

std::optional<DayFacts> Fnc_GetDayFacts(std::chrono::year_month_day date) {
    DayFacts facts;
    facts.date = date;
    if (!Fnc_GetDayFacts(facts))
        return std::nullopt;
    return facts;
}

} // namespace tobirae
