#include "calendar/OldCalendar.h"

#include "calendar/DateHelpers.h"

namespace tobirae {

std::span<const OldMonthRow> oldMonthTable() {
    return {};
}

std::optional<OldCalendarResult> Fnc_OldCalendar(std::chrono::year_month_day, bool, bool) {
    return std::nullopt;
}

std::optional<OldCalendarResult> Fnc_OldCalendar(std::string_view dateText, bool showLeap,
                                                 bool twoDigits) {
    auto date = parseDateText(dateText);
    if (!date)
        return std::nullopt;
    return Fnc_OldCalendar(*date, showLeap, twoDigits);
}

std::string Fnc_RokuyoName(int index) {
    static constexpr const char* kNames[] = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
    if (index < 0 || index > 5)
        return {};
    return kNames[index];
}

} // namespace tobirae
