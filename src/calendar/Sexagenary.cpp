#include "calendar/Sexagenary.h"

#include "calendar/DateHelpers.h"

#include <array>

namespace tobirae {

namespace {

struct Named {
    std::string_view text;
    std::string_view reading;
};

constexpr std::array<Named, 10> kStems{{
    {"甲", "きのえ"},
    {"乙", "きのと"},
    {"丙", "ひのえ"},
    {"丁", "ひのと"},
    {"戊", "つちのえ"},
    {"己", "つちのと"},
    {"庚", "かのえ"},
    {"辛", "かのと"},
    {"壬", "みずのえ"},
    {"癸", "みずのと"},
}};

constexpr std::array<Named, 12> kBranches{{
    {"子", "ね"},
    {"丑", "うし"},
    {"寅", "とら"},
    {"卯", "う"},
    {"辰", "たつ"},
    {"巳", "み"},
    {"午", "うま"},
    {"未", "ひつじ"},
    {"申", "さる"},
    {"酉", "とり"},
    {"戌", "いぬ"},
    {"亥", "い"},
}};

struct KanshiTable {
    std::array<std::string, 60> names;
    std::array<std::string, 60> readings;
};

// Built once, on first use from whichever thread gets there first; read-only afterwards.
const KanshiTable& table() {
    static const KanshiTable instance = [] {
        KanshiTable t;
        for (int i = 0; i < 60; ++i) {
            t.names[i] = std::string(kStems[i % 10].text) + std::string(kBranches[i % 12].text);
            t.readings[i] = sexagenaryReading(t.names[i]);
        }
        return t;
    }();
    return instance;
}

int positiveMod(long long value, int divisor) {
    long long r = value % divisor;
    return static_cast<int>(r < 0 ? r + divisor : r);
}

} // namespace

void initSexagenary() {
    table();
}

std::string kanshiName(int index) {
    if (index < 0 || index >= 60)
        return {};
    return table().names[index];
}

int kanshiIndex(std::chrono::year_month_day date) {
    return positiveMod(static_cast<long long>(julianDayNumber(date)) + 49, 60);
}

std::optional<KanshiResult> sexagenaryOfDay(std::chrono::year_month_day date) {
    if (!isValidDate(date))
        return std::nullopt;
    int index = kanshiIndex(date);
    return KanshiResult{table().names[index], table().readings[index]};
}

std::optional<KanshiResult> sexagenaryOfDay(int year, int month, int day) {
    if (!isValidDate(year, month, day))
        return std::nullopt;
    return sexagenaryOfDay(std::chrono::year_month_day{
        std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
        std::chrono::day{static_cast<unsigned>(day)}});
}

std::optional<KanshiResult> sexagenaryOfDateText(std::string_view dateText) {
    auto date = parseDateText(dateText);
    if (!date)
        return std::nullopt;
    return sexagenaryOfDay(*date);
}

std::string sexagenaryReading(std::string_view name) {
    std::string reading;
    for (const Named& stem : kStems) {
        if (name.starts_with(stem.text)) {
            reading = stem.reading;
            break;
        }
    }
    for (const Named& branch : kBranches) {
        if (name.ends_with(branch.text)) {
            reading += ' ';
            reading += branch.reading;
            break;
        }
    }
    return reading;
}

} // namespace tobirae
