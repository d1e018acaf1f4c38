#include "calendar/SelectedDays.h"

#include "calendar/OldCalendar.h"
#include "calendar/Sexagenary.h"
#include "calendar/SolarTerms.h"

#include <array>

namespace tobirae {

using namespace std::chrono;

namespace {

constexpr std::array<std::string_view, kSelectedDayCount> kNames{
    "一粒万倍日", "天赦日", "寅の日", "巳の日", "己巳の日",
    "不成就日",   "三隣亡", "十方暮", "八専",   "天一天上",
};

// The twelve 節 by solar-term code, with the month each begins.
struct SetsuStart {
    SekkiCode code;
    int month;
};
constexpr std::array<SetsuStart, 12> kSetsu{{
    {1, 12},
    {5, 1},
    {7, 2},
    {12, 3},
    {16, 4},
    {18, 5},
    {22, 6},
    {25, 7},
    {28, 8},
    {34, 9},
    {37, 10},
    {39, 11},
}};

int setsuMonth(SekkiCode code) {
    for (const SetsuStart& s : kSetsu) {
        if (s.code == code)
            return s.month;
    }
    return 0;
}

// Branch pairs of 一粒万倍日 by solar-term month (子 = 0 … 亥 = 11), as most publishers print.
constexpr std::array<std::array<int, 2>, 12> kIchiryumanbai{{
    {1, 6},
    {2, 9},
    {0, 3},
    {3, 4},
    {5, 6},
    {9, 6},
    {0, 7},
    {3, 8},
    {9, 6},
    {9, 10},
    {11, 0},
    {3, 0},
}};

// 天赦日 by season (spring first): 戊寅, 甲午, 戊申, 甲子.
constexpr std::array<int, 4> kTensha{14, 30, 44, 0};

// 三隣亡 by (solar-term month - 1) mod 3: 亥, 寅, 午.
constexpr std::array<int, 3> kSanrinbo{11, 2, 6};

// First day of 不成就日 by old-calendar month mod 6 (months 6 and 12 at index 0); it recurs every
// eight days.
constexpr std::array<int, 6> kFujojuFirst{6, 3, 2, 1, 4, 5};

constexpr int kTsuchinotomi = 5; // 己巳

bool isHassen(int kanshi) {
    // 壬子 … 癸亥 without the 間日 癸丑, 丙辰, 戊午, 壬戌.
    return kanshi >= 48 && kanshi != 49 && kanshi != 52 && kanshi != 54 && kanshi != 58;
}

} // namespace

std::string_view selectedDayName(int index) {
    return index >= 0 && index < kSelectedDayCount ? kNames[static_cast<std::size_t>(index)]
                                                   : std::string_view{};
}

int selectedDayIndex(std::string_view name) {
    for (int i = 0; i < kSelectedDayCount; ++i) {
        if (kNames[static_cast<std::size_t>(i)] == name)
            return i;
    }
    return -1;
}

int solarTermMonth(sys_days date) {
    const int y = static_cast<int>(year_month_day{date}.year());
    const auto table = sekkiYearCache().table(y);
    int month = 11; // before 小寒 the month of the last 大雪 goes on
    sys_days latest{};
    bool found = false;
    if (table) {
        for (int i = 0; i < table->count; ++i) {
            const auto& entry = table->entries[static_cast<std::size_t>(i)];
            const int m = setsuMonth(entry.code);
            if (m == 0 || entry.date > date || (found && entry.date < latest))
                continue;
            latest = entry.date;
            month = m;
            found = true;
        }
    }
    return month;
}

SelectedDayMask selectedDays(sys_days date) {
    const year_month_day ymd{date};
    if (!ymd.ok())
        return 0;
    const int kanshi = kanshiIndex(ymd);
    const int branch = kanshi % 12;
    const int month = solarTermMonth(date);
    SelectedDayMask mask = 0;
    auto set = [&mask](SelectedDay day) { mask |= static_cast<SelectedDayMask>(day); };

    const auto& pair = kIchiryumanbai[static_cast<std::size_t>(month - 1)];
    if (branch == pair[0] || branch == pair[1])
        set(SelectedDay::Ichiryumanbai);
    if (kanshi == kTensha[static_cast<std::size_t>((month - 1) / 3)])
        set(SelectedDay::Tensha);
    if (branch == 2)
        set(SelectedDay::Tora);
    if (branch == 5)
        set(SelectedDay::Mi);
    if (kanshi == kTsuchinotomi)
        set(SelectedDay::Tsuchinotomi);
    // A leap month carries the number of the month it follows, so it counts as that month.
    if (auto old = oldCalendarDate(ymd, false, false)) {
        const int first = kFujojuFirst[static_cast<std::size_t>(old->month % 6)];
        if (old->day >= first && (old->day - first) % 8 == 0)
            set(SelectedDay::Fujoju);
    }
    if (branch == kSanrinbo[static_cast<std::size_t>((month - 1) % 3)])
        set(SelectedDay::Sanrinbo);
    if (kanshi >= 20 && kanshi <= 29) // 甲申 … 癸巳
        set(SelectedDay::Jippogure);
    if (isHassen(kanshi))
        set(SelectedDay::Hassen);
    if (kanshi >= 29 && kanshi <= 44) // 癸巳 … 戊申
        set(SelectedDay::Tenichitenjo);
    return mask;
}

std::string selectedDayNames(SelectedDayMask mask, std::string_view separator) {
    std::string out;
    for (int i = 0; i < kSelectedDayCount; ++i) {
        if (!(mask & (1u << i)))
            continue;
        if (!out.empty())
            out += separator;
        out += kNames[static_cast<std::size_t>(i)];
    }
    return out;
}

} // namespace tobirae
