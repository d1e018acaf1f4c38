// The old Japanese lunisolar calendar (旧暦) for 1950..2049, and the rokuyo derived from it.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tobirae {

// One old-calendar month: it lasts from its start to the day before the next row's start.
struct OldMonthRow {
    std::int32_t start; // Gregorian first day as the number YYYYMMDD
    std::int16_t oldYear;
    std::int16_t month; // 1..12; a leap month carries the number of the month it follows
    bool leap;
};

// All months from old 1949/11 (1949/12/20) to old 2049/12 (2049/12/25), in date order.
std::span<const OldMonthRow> oldMonthTable();

inline constexpr int kOldCalendarFirstYear = 1950; // Gregorian years the conversion covers
inline constexpr int kOldCalendarLastYear = 2049;

struct OldCalendarResult {
    std::string text;         // "2004/閏02/01", "2004/閏2/1", "2004/02/01" ... by the flags
    bool isLeapMonth = false; // also set when the marker is not shown
    int rokuyo = 0;           // 0..5, see rokuyoNameOf
    int oldYear = 0;
    int month = 0;
    int day = 0;
};

// Converts a date of 1950/1/1..2049/12/31; nullopt outside that range or for an invalid date.
// showLeap puts "閏" before the month of a leap month; twoDigits pads month and day to two digits.
std::optional<OldCalendarResult> oldCalendarDate(std::chrono::year_month_day date, bool showLeap,
                                                 bool twoDigits);
// The same for a "yyyy/mm/dd" text.
std::optional<OldCalendarResult> oldCalendarDate(std::string_view dateText, bool showLeap,
                                                 bool twoDigits);

// 0 "大安", 1 "赤口", 2 "先勝", 3 "友引", 4 "先負", 5 "仏滅"; empty outside 0..5.
std::string rokuyoNameOf(int index);

} // namespace tobirae
