// The sixty-day cycle (干支) naming each day, with readings in hiragana.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tobirae {

struct KanshiResult {
    std::string name;    // e.g. "戊午"
    std::string reading; // stem reading, one space, branch reading: "つちのえ うま"
};

// Prepares the sixty names (done on first use as well; safe from any thread). Always true.
void initSexagenary();

// Name of cycle position 0..59 (0 "甲子", 59 "癸亥"); empty outside that range.
std::string kanshiName(int index);

// Cycle position 0..59 of a day (2000/1/1 is 54).
int kanshiIndex(std::chrono::year_month_day date);

// Name and reading of a day; nullopt for an invalid date.
std::optional<KanshiResult> sexagenaryOfDay(int year, int month, int day);
std::optional<KanshiResult> sexagenaryOfDay(std::chrono::year_month_day date);
// The same for a "yyyy/mm/dd" text.
std::optional<KanshiResult> sexagenaryOfDateText(std::string_view dateText);

// Reading of a two-character name: the stem's reading, then " " and the branch's reading.
// An unknown stem leaves the stem part empty; an unknown branch leaves only the stem reading.
std::string sexagenaryReading(std::string_view name);

} // namespace tobirae
