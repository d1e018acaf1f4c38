#include "calendar/OldCalendar.h"

#include "calendar/DateHelpers.h"

#include <algorithm>
#include <cstdio>

namespace tobirae {

using namespace std::chrono;

namespace {

sys_days dateOfStart(std::int32_t start) {
    return sys_days{year{start / 10000} / month{static_cast<unsigned>(start / 100 % 100)} /
                    day{static_cast<unsigned>(start % 100)}};
}

} // namespace

std::optional<OldCalendarResult> oldCalendarDate(year_month_day date, bool showLeap,
                                                 bool twoDigits) {
    if (!isValidDate(date))
        return std::nullopt;
    const int y = static_cast<int>(date.year());
    if (y < kOldCalendarFirstYear || y > kOldCalendarLastYear)
        return std::nullopt;
    const std::int32_t number = y * 10000 +
                                static_cast<int>(static_cast<unsigned>(date.month())) * 100 +
                                static_cast<int>(static_cast<unsigned>(date.day()));

    // The row with the greatest start not after the date.
    const auto table = oldMonthTable();
    auto it =
        std::upper_bound(table.begin(), table.end(), number,
                         [](std::int32_t n, const OldMonthRow& row) { return n < row.start; });
    if (it == table.begin())
        return std::nullopt;
    const OldMonthRow& row = *(it - 1);

    OldCalendarResult result;
    result.oldYear = row.oldYear;
    result.month = row.month;
    result.day = static_cast<int>((sys_days{date} - dateOfStart(row.start)).count()) + 1;
    result.isLeapMonth = row.leap;
    result.rokuyo = (result.month + result.day) % 6;

    char buffer[48];
    std::snprintf(buffer, sizeof buffer, twoDigits ? "%d/%s%02d/%02d" : "%d/%s%d/%d",
                  result.oldYear, row.leap && showLeap ? "閏" : "", result.month, result.day);
    result.text = buffer;
    return result;
}

std::optional<OldCalendarResult> oldCalendarDate(std::string_view dateText, bool showLeap,
                                                 bool twoDigits) {
    auto date = parseDateText(dateText);
    if (!date)
        return std::nullopt;
    return oldCalendarDate(*date, showLeap, twoDigits);
}

std::string rokuyoNameOf(int index) {
    static constexpr const char* kNames[] = {"大安", "赤口", "先勝", "友引", "先負", "仏滅"};
    if (index < 0 || index > 5)
        return {};
    return kNames[index];
}

} // namespace tobirae
