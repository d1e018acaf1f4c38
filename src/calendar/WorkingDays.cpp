#include "calendar/WorkingDays.h"

#include "calendar/DateHelpers.h"

#include <array>

namespace tobirae {

using namespace std::chrono;

namespace {

constexpr std::array<std::string_view, 7> kLetters{"日", "月", "火", "水", "木", "金", "土"};

} // namespace

bool isWorkingDay(const DayFacts& facts, WeeklyDaysOff off) {
    if (facts.isOwnWorkingDay)
        return true;
    // holidayName is set for every national holiday, 振替休日 and 国民の休日 included.
    if (facts.isOwnDayOff || !facts.holidayName.empty())
        return false;
    return !isWeeklyDayOff(off, weekdayIndex(sys_days{facts.date}));
}

int fiscalYearOf(year_month_day date) {
    const int y = static_cast<int>(date.year());
    return static_cast<unsigned>(date.month()) >= 4 ? y : y - 1;
}

std::string weeklyDaysOffText(WeeklyDaysOff off, std::string_view separator) {
    std::string out;
    for (int i = 1; i <= 7; ++i) {
        const int w = i % 7; // Monday first, Sunday last
        if (!isWeeklyDayOff(off, w))
            continue;
        if (!out.empty())
            out += separator;
        out += kLetters[static_cast<std::size_t>(w)];
    }
    return out;
}

std::optional<WeeklyDaysOff> parseWeeklyDaysOff(std::string_view text) {
    WeeklyDaysOff off = 0;
    while (!text.empty()) {
        bool matched = false;
        for (std::string_view sep : {",", " ", "、", "・"}) {
            if (text.starts_with(sep)) {
                text.remove_prefix(sep.size());
                matched = true;
                break;
            }
        }
        for (std::size_t w = 0; !matched && w < kLetters.size(); ++w) {
            if (text.starts_with(kLetters[w])) {
                text.remove_prefix(kLetters[w].size());
                off = static_cast<WeeklyDaysOff>(off | (1u << w));
                matched = true;
            }
        }
        if (!matched)
            return std::nullopt;
    }
    return off;
}

} // namespace tobirae
