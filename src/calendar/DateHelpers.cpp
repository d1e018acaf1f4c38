#include "calendar/DateHelpers.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace tobirae {

using namespace std::chrono;

sys_days dateFromDayCount(double dayCount) {
    // Counts from damaged input must not overflow the conversion: keep them within years 1..9999.
    constexpr double kLimit = 3'000'000;
    if (!std::isfinite(dayCount))
        return kDayCountEpoch;
    return kDayCountEpoch +
           days{static_cast<long>(std::floor(std::clamp(dayCount, -kLimit, kLimit)))};
}

double dayCountFromDate(sys_days date) {
    return static_cast<double>((date - kDayCountEpoch).count());
}

sys_days makeDate(int year, int month, int day) {
    // Months run 0-based for the carry so that month 0 and negative months borrow years.
    long m0 = static_cast<long>(month) - 1;
    long carry = m0 >= 0 ? m0 / 12 : -((-m0 + 11) / 12);
    long monthIndex = m0 - carry * 12;
    year_month_day first{std::chrono::year{static_cast<int>(year + carry)},
                         std::chrono::month{static_cast<unsigned>(monthIndex + 1)},
                         std::chrono::day{1}};
    return sys_days{first} + days{static_cast<long>(day) - 1};
}

bool isValidDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    return year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                          std::chrono::day{static_cast<unsigned>(day)}}
        .ok();
}

bool isValidDate(year_month_day date) {
    return date.ok() && static_cast<int>(date.year()) >= 1 && static_cast<int>(date.year()) <= 9999;
}

namespace {

// Reads 1..maxDigits decimal digits at pos; -1 when there are none or too many.
int readNumber(std::string_view text, std::size_t& pos, std::size_t maxDigits) {
    std::size_t start = pos;
    int value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        if (pos - start == maxDigits)
            return -1;
        value = value * 10 + (text[pos] - '0');
        ++pos;
    }
    return pos == start ? -1 : value;
}

} // namespace

std::optional<year_month_day> parseDateText(std::string_view text) {
    std::size_t pos = 0;
    int y = readNumber(text, pos, 4);
    if (y < 0 || pos >= text.size() || text[pos++] != '/')
        return std::nullopt;
    int m = readNumber(text, pos, 2);
    if (m < 0 || pos >= text.size() || text[pos++] != '/')
        return std::nullopt;
    int d = readNumber(text, pos, 2);
    if (d < 0 || pos != text.size() || !isValidDate(y, m, d))
        return std::nullopt;
    return year_month_day{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                          std::chrono::day{static_cast<unsigned>(d)}};
}

std::string formatDateText(year_month_day date) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d/%02u/%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return buffer;
}

int weekdayIndex(sys_days date) {
    return static_cast<int>(weekday{date}.c_encoding());
}

std::string weekdayName(int weekday, int style) {
    static constexpr std::array<std::array<const char*, 8>, 7> kNames{{
        {"日曜日", "日曜", "日", "Sunday", "SUNDAY", "SUN", "Sun", "S"},
        {"月曜日", "月曜", "月", "Monday", "MONDAY", "MON", "Mon", "M"},
        {"火曜日", "火曜", "火", "Tuesday", "TUESDAY", "TUE", "Tue", "T"},
        {"水曜日", "水曜", "水", "Wednesday", "WEDNESDAY", "WED", "Wed", "W"},
        {"木曜日", "木曜", "木", "Thursday", "THURSDAY", "THU", "Thu", "T"},
        {"金曜日", "金曜", "金", "Friday", "FRIDAY", "FRI", "Fri", "F"},
        {"土曜日", "土曜", "土", "Saturday", "SATURDAY", "SAT", "Sat", "S"},
    }};
    if (weekday < 0 || weekday > 6 || style < 0 || style > 7)
        return {};
    return kNames[weekday][style];
}

sys_days startOfWeek(sys_days date) {
    return date - days{weekdayIndex(date)};
}

sys_days lastDayOfMonth(sys_days date) {
    year_month_day ymd{date};
    return sys_days{ymd.year() / ymd.month() / last};
}

std::int32_t julianDayNumber(int year, int month, int day) {
    double y = year;
    double m = month;
    if (month < 3) {
        y -= 1;
        m += 12;
    }
    // Fix for the century, Int (floor) for the rest, all in double precision.
    double centuries = std::trunc(y / 100.0);
    double yearInCentury = std::fmod(y, 100.0);
    double jdn = std::floor(centuries * 36524.25) + std::floor(yearInCentury * 365.25) +
                 std::floor((m + 1) * 30.6) + day + 1720997;
    return static_cast<std::int32_t>(jdn);
}

std::int32_t julianDayNumber(year_month_day date) {
    return julianDayNumber(static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                               static_cast<unsigned>(date.day()));
}

} // namespace tobirae
