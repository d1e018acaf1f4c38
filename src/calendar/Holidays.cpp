#include "calendar/Holidays.h"

#include "calendar/DateHelpers.h"

#include <cmath>
#include <string_view>
#include <utility>

namespace tobirae {

using namespace std::chrono;

namespace {

// Law change dates that the rules below switch on.
constexpr sys_days kHolidayLaw{year{1948} / July / 20};     // national holidays as such
constexpr sys_days kSubstituteLaw{year{1973} / April / 12}; // Monday after a Sunday holiday
constexpr sys_days kPeoplesHolidayLaw{year{1985} / December / 27};
constexpr sys_days kExtendedSubstituteLaw{year{2007} / January / 1}; // next non-holiday day

struct DayParts {
    int y;
    int m;
    int d;
    int weekday; // 0 = Sunday
};

DayParts partsOf(sys_days date) {
    year_month_day ymd{date};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())), weekdayIndex(date)};
}

bool isNthMonday(const DayParts& p, int n) {
    return p.weekday == 1 && (p.d - 1) / 7 + 1 == n;
}

// The holiday number a day carries by name under the law of its year, or 0. Substitute and
// people's holidays are derived from these in classify().
DayCode namedHoliday(const DayParts& p) {
    using namespace holiday;
    const int y = p.y;
    const int d = p.d;
    switch (p.m) {
    case 1:
        if (d == 1 && y >= 1949)
            return kNewYear;
        if (y >= 1949 && y <= 1999 && d == 15)
            return kComingOfAge;
        if (y >= 2000 && isNthMonday(p, 2))
            return kComingOfAge;
        return 0;
    case 2:
        if (d == 11 && y >= 1967)
            return kFoundation;
        if (d == 23 && y >= 2020)
            return kEmperorFebruary;
        if (y == 1989 && d == 24)
            return kShowaFuneral;
        return 0;
    case 3:
        if (auto v = vernalEquinoxDay(y); v && d == *v)
            return kVernalEquinox;
        return 0;
    case 4:
        if (d == 29)
            return y <= 1988 ? kEmperorApril : y <= 2006 ? kGreeneryApril : kShowa;
        if (y == 1959 && d == 10)
            return kAkihitoWedding;
        return 0;
    case 5:
        if (d == 3)
            return kConstitution;
        if (d == 4 && y >= 2007)
            return kGreeneryMay;
        if (d == 5)
            return kChildren;
        if (y == 2019 && d == 1)
            return kEnthronement;
        return 0;
    case 6:
        if (y == 1993 && d == 9)
            return kNaruhitoWedding;
        return 0;
    case 7:
        // The Tokyo Olympic years moved 海の日 and スポーツの日 to the opening days.
        if (y == 2020)
            return d == 23 ? kMarine : d == 24 ? kSports : 0;
        if (y == 2021)
            return d == 22 ? kMarine : d == 23 ? kSports : 0;
        if (y >= 1996 && y <= 2002 && d == 20)
            return kMarine;
        if (y >= 2003 && isNthMonday(p, 3))
            return kMarine;
        return 0;
    case 8:
        if (y == 2020)
            return d == 10 ? kMountain : 0;
        if (y == 2021)
            return d == 8 ? kMountain : 0;
        if (y >= 2016 && d == 11)
            return kMountain;
        return 0;
    case 9:
        if (auto a = autumnalEquinoxDay(y); a && d == *a)
            return kAutumnalEquinox;
        if (y >= 1966 && y <= 2002 && d == 15)
            return kRespectForAged;
        if (y >= 2003 && isNthMonday(p, 3))
            return kRespectForAged;
        return 0;
    case 10:
        if (y >= 1966 && y <= 1999 && d == 10)
            return kHealthSports;
        if (y >= 2000 && y <= 2019 && isNthMonday(p, 2))
            return kHealthSports;
        if (y >= 2022 && isNthMonday(p, 2))
            return kSports;
        if (y == 2019 && d == 22)
            return kEnthronementCeremony;
        return 0;
    case 11:
        if (d == 3)
            return kCulture;
        if (d == 23)
            return kLabourThanksgiving;
        if (y == 1990 && d == 12)
            return kEnthronementCeremony;
        return 0;
    case 12:
        if (d == 23 && y >= 1989 && y <= 2018)
            return kEmperorDecember;
        return 0;
    default:
        return 0;
    }
}

DayCode namedHoliday(sys_days date) {
    return namedHoliday(partsOf(date));
}

bool isSubstituteHoliday(sys_days date, const DayParts& p) {
    if (date < kSubstituteLaw)
        return false;
    if (date < kExtendedSubstituteLaw) {
        // Only the Monday right after a Sunday holiday.
        return p.weekday == 1 && namedHoliday(date - days{1}) != 0;
    }
    // The first day after a Sunday holiday that is not a holiday itself: walk back over the
    // unbroken run of holidays before this day, looking for a Sunday.
    for (sys_days prev = date - days{1}; namedHoliday(prev) != 0; prev -= days{1}) {
        if (weekdayIndex(prev) == 0)
            return true;
    }
    return false;
}

bool isPeoplesHoliday(sys_days date, const DayParts& p) {
    if (date < kPeoplesHolidayLaw)
        return false;
    // Until 2006 the law left out Sundays; since 2007 any non-holiday day between two holidays.
    if (date < kExtendedSubstituteLaw && p.weekday == 0)
        return false;
    return namedHoliday(date - days{1}) != 0 && namedHoliday(date + days{1}) != 0;
}

// The name each holiday number carries.
constexpr std::pair<DayCode, std::string_view> kHolidayNames[] = {
    {holiday::kNewYear, "元日"},
    {holiday::kComingOfAge, "成人の日"},
    {holiday::kFoundation, "建国記念の日"},
    {holiday::kVernalEquinox, "春分の日"},
    {holiday::kEmperorApril, "天皇誕生日"},
    {holiday::kGreeneryApril, "みどりの日"},
    {holiday::kConstitution, "憲法記念日"},
    {holiday::kPeoples, "国民の休日"},
    {holiday::kChildren, "こどもの日"},
    {holiday::kMarine, "海の日"},
    {holiday::kRespectForAged, "敬老の日"},
    {holiday::kAutumnalEquinox, "秋分の日"},
    {holiday::kHealthSports, "体育の日"},
    {holiday::kCulture, "文化の日"},
    {holiday::kLabourThanksgiving, "勤労感謝の日"},
    {holiday::kEmperorDecember, "天皇誕生日"},
    {holiday::kShowa, "昭和の日"},
    {holiday::kGreeneryMay, "みどりの日"},
    {holiday::kMountain, "山の日"},
    {holiday::kSports, "スポーツの日"},
    {holiday::kEmperorFebruary, "天皇誕生日"},
    {holiday::kAkihitoWedding, "皇太子明仁親王の結婚の儀"},
    {holiday::kShowaFuneral, "昭和天皇の大喪の礼"},
    {holiday::kEnthronementCeremony, "即位礼正殿の儀"},
    {holiday::kNaruhitoWedding, "皇太子徳仁親王の結婚の儀"},
    {holiday::kEnthronement, "即位の日"},
};

HolidayCheckResult classify(sys_days date) {
    const DayParts p = partsOf(date);
    HolidayCheckResult result;
    // Before the holiday law took effect no day carries one of its names.
    result.code = date < kHolidayLaw ? DayCode{0} : namedHoliday(p);
    if (result.code == 0) {
        if (isSubstituteHoliday(date, p))
            result.code = holiday::kSubstitute;
        else if (isPeoplesHoliday(date, p))
            result.code = holiday::kPeoples;
    }
    if (p.weekday == 0)
        result.code = static_cast<DayCode>(result.code | holiday::kSunday);
    result.isRedDay = result.code != 0;
    return result;
}

} // namespace

std::optional<HolidayCheckResult> checkHoliday(year_month_day date) {
    if (!isValidDate(date))
        return std::nullopt;
    return classify(sys_days{date});
}

std::optional<HolidayCheckResult> checkHoliday(int year, int month, int day) {
    if (!isValidDate(year, month, day))
        return std::nullopt;
    return classify(makeDate(year, month, day));
}

std::optional<HolidayCheckResult> checkHolidayText(std::string_view text) {
    auto date = parseDateText(text);
    if (!date)
        return std::nullopt;
    return classify(sys_days{*date});
}

HolidayNameResult holidayNameOf(DayCode code) {
    HolidayNameResult result;
    const int lastDigit = code % 10;
    if (lastDigit == 1)
        result.dayType = 1;
    if (lastDigit == 2) {
        result.dayType = 2;
        result.name = "振替休日";
    }
    const int number = code - lastDigit;
    for (const auto& [holidayNumber, name] : kHolidayNames) {
        if (holidayNumber == number) {
            result.name = name;
            break;
        }
    }
    return result;
}

std::optional<int> vernalEquinoxDay(int year) {
    if (year < 1900 || year > 2099)
        return std::nullopt;
    const double y = year;
    const double k = 0.242194 * (y - 1980);
    if (year <= 1979)
        return static_cast<int>(std::trunc((20.8357 + k) - std::trunc((y - 1983) / 4)));
    return static_cast<int>(std::floor(20.8431 + k) - std::floor((y - 1980) / 4));
}

std::optional<int> autumnalEquinoxDay(int year) {
    if (year < 1900 || year > 2099)
        return std::nullopt;
    const double y = year;
    const double k = 0.242194 * (y - 1980);
    if (year <= 1979)
        return static_cast<int>(std::trunc(23.2588 + k) - std::trunc((y - 1983) / 4));
    return static_cast<int>(std::floor(23.2488 + k) - std::floor((y - 1980) / 4));
}

} // namespace tobirae
