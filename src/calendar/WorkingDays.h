// Working days of a company calendar: every day but the weekly days off, the national holidays
// and the user's days off, unless the user marks it a working day.
#pragma once

#include "calendar/DayFacts.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tobirae {

// Bit w (0 = Sunday … 6 = Saturday) set for a weekly day off.
using WeeklyDaysOff = std::uint8_t;
inline constexpr WeeklyDaysOff kDefaultWeeklyDaysOff = (1u << 0) | (1u << 6); // 土・日

inline constexpr bool isWeeklyDayOff(WeeklyDaysOff off, int weekdayIndex) {
    return weekdayIndex >= 0 && weekdayIndex < 7 && (off >> weekdayIndex) & 1u;
}

// A day's facts (with the user's days added) say whether it is worked.
bool isWorkingDay(const DayFacts& facts, WeeklyDaysOff off);

// The 年度 (April to March) holding a date: its first year.
int fiscalYearOf(std::chrono::year_month_day date);

// Weekday letters of the mask in the order 月…日, joined: "土,日" with separator ",".
std::string weeklyDaysOffText(WeeklyDaysOff off, std::string_view separator);
// Reads "土,日", "土・日" or "" (no day off); the letters 日 月 火 水 木 金 土 separated by
// "," "、" "・" or spaces. nullopt for anything else.
std::optional<WeeklyDaysOff> parseWeeklyDaysOff(std::string_view text);

} // namespace tobirae
