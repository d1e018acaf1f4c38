// Japanese national holidays as the law stands, with substitute and people's holidays.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tobirae {

// Classification of one day: the tens part is the holiday number (0 for none); the last digit
// is 1 for a Sunday, 2 for a substitute holiday (code exactly 2), 0 otherwise. A named holiday
// on a Sunday carries its number plus 1.
using DayCode = std::int16_t;

namespace holiday {
inline constexpr DayCode kSunday = 1;
inline constexpr DayCode kSubstitute = 2;

inline constexpr DayCode kNewYear = 10;             // 元日
inline constexpr DayCode kComingOfAge = 20;         // 成人の日
inline constexpr DayCode kFoundation = 30;          // 建国記念の日
inline constexpr DayCode kVernalEquinox = 40;       // 春分の日
inline constexpr DayCode kEmperorApril = 50;        // 天皇誕生日 (29 April, up to 1988)
inline constexpr DayCode kGreeneryApril = 60;       // みどりの日 (29 April, 1989..2006)
inline constexpr DayCode kConstitution = 70;        // 憲法記念日
inline constexpr DayCode kPeoples = 80;             // 国民の休日
inline constexpr DayCode kChildren = 90;            // こどもの日
inline constexpr DayCode kMarine = 100;             // 海の日
inline constexpr DayCode kRespectForAged = 110;     // 敬老の日
inline constexpr DayCode kAutumnalEquinox = 120;    // 秋分の日
inline constexpr DayCode kHealthSports = 130;       // 体育の日 (up to 2019)
inline constexpr DayCode kCulture = 140;            // 文化の日
inline constexpr DayCode kLabourThanksgiving = 150; // 勤労感謝の日
inline constexpr DayCode kEmperorDecember = 160;    // 天皇誕生日 (23 December, 1989..2018)
inline constexpr DayCode kShowa = 170;              // 昭和の日 (29 April, from 2007)
inline constexpr DayCode kGreeneryMay = 180;        // みどりの日 (4 May, from 2007)
inline constexpr DayCode kMountain = 190;           // 山の日
inline constexpr DayCode kSports = 200;             // スポーツの日 (from 2020)
inline constexpr DayCode kEmperorFebruary = 210;    // 天皇誕生日 (23 February, from 2020)
inline constexpr DayCode kAkihitoWedding = 220; // 皇太子明仁親王の結婚の儀 (1959/4/10)
inline constexpr DayCode kShowaFuneral = 230;   // 昭和天皇の大喪の礼 (1989/2/24)
inline constexpr DayCode kEnthronementCeremony = 240; // 即位礼正殿の儀 (1990/11/12, 2019/10/22)
inline constexpr DayCode kNaruhitoWedding = 250; // 皇太子徳仁親王の結婚の儀 (1993/6/9)
inline constexpr DayCode kEnthronement = 260;    // 即位の日 (2019/5/1)
} // namespace holiday

struct HolidayCheckResult {
    bool isRedDay = false; // holiday, substitute or people's holiday, or Sunday
    DayCode code = 0;
};

// Classifies a date; nullopt when year/month/day is not a valid date.
std::optional<HolidayCheckResult> checkHoliday(int year, int month, int day);
std::optional<HolidayCheckResult> checkHoliday(std::chrono::year_month_day date);
// The same for a "yyyy/mm/dd" text.
std::optional<HolidayCheckResult> checkHolidayText(std::string_view text);

struct HolidayNameResult {
    int dayType = 0;  // 1 Sunday, 2 substitute holiday, 0 otherwise
    std::string name; // empty for an ordinary day or a Sunday that is no holiday
};

// Name of a day code: "振替休日" for a substitute holiday, else the holiday number's name.
HolidayNameResult holidayNameOf(DayCode code);

// Day of March / September of the equinox holiday; nullopt outside 1900..2099.
std::optional<int> vernalEquinoxDay(int year);
std::optional<int> autumnalEquinoxDay(int year);

} // namespace tobirae
