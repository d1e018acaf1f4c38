// Date conventions shared by the calendar modules: conversions at the edges (day counts, date
// texts), weekday labels and the week/month helpers used when items lay out their days.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tobirae {

// Day counts are whole days since 1899-12-30 (day 0), the form in which dates cross module
// boundaries as numbers.
inline constexpr std::chrono::sys_days kDayCountEpoch{std::chrono::year{1899} /
                                                      std::chrono::December / 30};

// Whole day of a day count; fractions (times of day) are dropped toward the earlier day.
// Counts that are not finite give day 0; huge counts are clamped to about years -6300..10100.
std::chrono::sys_days dateFromDayCount(double dayCount);
double dayCountFromDate(std::chrono::sys_days date);

// A date from year, month and day with normalisation: day 0 is the last day of the month
// before, month 13 is January of the next year, month 0 December of the year before.
std::chrono::sys_days makeDate(int year, int month, int day);

// True for a real calendar day in years 1..9999.
bool isValidDate(int year, int month, int day);
bool isValidDate(std::chrono::year_month_day date);

// Parses "yyyy/mm/dd" (month and day may have one digit, as in "2004/3/1"); nullopt when the
// text is not exactly such a date or the date does not exist.
std::optional<std::chrono::year_month_day> parseDateText(std::string_view text);

// "yyyy/mm/dd" with four-digit year and two-digit month and day.
std::string formatDateText(std::chrono::year_month_day date);

// 0 = Sunday .. 6 = Saturday (index into label and colour tables).
int weekdayIndex(std::chrono::sys_days date);

// Label of weekday 0..6 (Sunday first) in style 0..7:
// 0 "日曜日", 1 "日曜", 2 "日", 3 "Sunday", 4 "SUNDAY", 5 "SUN", 6 "Sun", 7 "S".
// Empty for a weekday or style out of range.
std::string weekdayName(int weekday, int style);

// The Sunday on or before the date.
std::chrono::sys_days startOfWeek(std::chrono::sys_days date);

// The last day of the date's month.
std::chrono::sys_days lastDayOfMonth(std::chrono::sys_days date);

// Whole Julian day number of a Gregorian date (2000/1/1 gives 2451545).
std::int32_t julianDayNumber(int year, int month, int day);
std::int32_t julianDayNumber(std::chrono::year_month_day date);

} // namespace tobirae
