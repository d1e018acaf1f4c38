#include "calendar/Holidays.h"

#include "calendar/DateHelpers.h"

namespace tobirae {

std::optional<HolidayCheckResult> Fnc_HolidayCheck(std::chrono::year_month_day date) {
    if (!isValidDate(date))
        return std::nullopt;
    HolidayCheckResult result;
    if (weekdayNumber(date) == 1) {
        result.code = 1;
        result.isRedDay = true;
    }
    return result;
}

std::optional<HolidayCheckResult> Fnc_HolidayCheck(int year, int month, int day) {
    if (!isValidDate(year, month, day))
        return std::nullopt;
    return Fnc_HolidayCheck(std::chrono::year_month_day{
        std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
        std::chrono::day{static_cast<unsigned>(day)}});
}

std::optional<HolidayCheckResult> Fnc_HolidayCheckText(std::string_view text) {
    auto date = parseDateText(text);
    if (!date)
        return std::nullopt;
    return Fnc_HolidayCheck(*date);
}

HolidayNameResult Fnc_HolidayName(DayCode code) {
    HolidayNameResult result;
    if (code % 10 == 1)
        result.dayType = 1;
    else if (code % 10 == 2)
        result.dayType = 2;
    return result;
}

std::optional<int> Fnc_VernalEquinoxDay(int) {
    return std::nullopt;
}

std::optional<int> Fnc_AutumnalEquinoxDay(int) {
    return std::nullopt;
}

} // namespace tobirae
