// The selected days (選日) that 開運 calendars print: days named by the sexagenary cycle, the
// solar-term month and the old calendar.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace tobirae {

// One bit per selected day, in the order in which they are listed and printed.
enum class SelectedDay : std::uint16_t {
    Ichiryumanbai = 1 << 0, // 一粒万倍日
    Tensha = 1 << 1,        // 天赦日
    Tora = 1 << 2,          // 寅の日
    Mi = 1 << 3,            // 巳の日
    Tsuchinotomi = 1 << 4,  // 己巳の日
    Fujoju = 1 << 5,        // 不成就日
    Sanrinbo = 1 << 6,      // 三隣亡
    Jippogure = 1 << 7,     // 十方暮
    Hassen = 1 << 8,        // 八専
    Tenichitenjo = 1 << 9,  // 天一天上
};
using SelectedDayMask = std::uint16_t;
inline constexpr int kSelectedDayCount = 10;
inline constexpr SelectedDayMask kAllSelectedDays = (1u << kSelectedDayCount) - 1;

// Name of the selected day at position 0..9 of the list ("一粒万倍日" … "天一天上"); empty
// outside.
std::string_view selectedDayName(int index);
// Position 0..9 of a name, -1 for an unknown one.
int selectedDayIndex(std::string_view name);

// The solar-term month 1..12 (1 from 立春, 12 from 小寒), counted from the day of the 節.
int solarTermMonth(std::chrono::sys_days date);

// The selected days of a date. 不成就日 needs the old calendar and is not given outside its years.
SelectedDayMask selectedDays(std::chrono::sys_days date);

// The names of the mask's days in list order, joined by the separator.
std::string selectedDayNames(SelectedDayMask mask, std::string_view separator = "、");

} // namespace tobirae
