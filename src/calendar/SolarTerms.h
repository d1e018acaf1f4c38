// The 24 solar terms and the seasonal days derived from them (雑節), per calendar day.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace tobirae {

// 1..40 names one entry of the solar-term table (1 小寒 .. 40 冬至); -1 means no entry.
using SekkiCode = std::int32_t;
inline constexpr SekkiCode kNoSekki = -1;
inline constexpr SekkiCode kSekkiVernalEquinox = 10;   // 春分
inline constexpr SekkiCode kSekkiAutumnalEquinox = 32; // 秋分

struct SekkiNameResult {
    std::string name;    // e.g. "春分"
    std::string reading; // e.g. "しゅんぶん"
};

// Name and reading of a code; nullopt for codes outside 1..40.
std::optional<SekkiNameResult> solarTermName(SekkiCode code);

// True exactly for the 24 solar terms (not for the seasonal days).
bool isSolarTerm(SekkiCode code);

struct SekkiEntry {
    SekkiCode code = kNoSekki;
    std::string name;    // empty when code is kNoSekki
    std::string reading; // empty when code is kNoSekki
};

struct SekkiLookupResult {
    SekkiEntry first;  // the entry listed first for the day, or none
    SekkiEntry second; // a second entry on the same day, or none
};

// One year's entries in their fixed order; unfilled entries hold code 0 and never match a day.
struct SekkiYearTable {
    struct Slot {
        std::chrono::sys_days date{};
        SekkiCode code = 0;
    };
    int year = 0;
    std::array<Slot, 40> entries{};
    int count = 0;
};

// The entries of one year, computed afresh.
SekkiYearTable buildSolarTermYear(int year);

// Entries falling on a date, read from a prepared year table (the table's year must match).
SekkiLookupResult sekkiLookupIn(const SekkiYearTable& table, std::chrono::sys_days date);

// Keeps the tables of the last few years asked for, so that a page showing months of two years
// does not rebuild on every call. Safe to use from several threads at once.
class SekkiYearCache {
public:
    SekkiYearCache();
    ~SekkiYearCache();
    SekkiYearCache(const SekkiYearCache&) = delete;
    SekkiYearCache& operator=(const SekkiYearCache&) = delete;

    std::shared_ptr<const SekkiYearTable> table(int year);
    SekkiLookupResult lookup(std::chrono::sys_days date);
    // Number of year tables built so far (for tests and diagnostics).
    long buildCount() const;

private:
    static constexpr int kYears = 4;
    mutable std::mutex mutex_;
    std::array<std::shared_ptr<const SekkiYearTable>, kYears> tables_;
    std::array<unsigned long, kYears> lastUse_{};
    unsigned long useClock_ = 0;
    long builds_ = 0;
};

// The process-wide cache behind lookupSolarTerm.
SekkiYearCache& sekkiYearCache();

// First and second entry falling on the date (codes kNoSekki when absent); nullopt only when
// the year's table could not be built.
std::optional<SekkiLookupResult> lookupSolarTerm(std::chrono::year_month_day date);

// Day on which the sun reaches the target longitude (whole degrees) within four days either side
// of the approximate date; nullopt when that window holds no crossing.
std::optional<std::chrono::sys_days> searchSolarTerm(std::chrono::year_month_day approximate,
                                                     int targetDegrees);

// Apparent ecliptic longitude of the sun in degrees [0, 360) at 0:00 Japan time of the date.
double solarLongitude(std::chrono::year_month_day date);

struct ShanichiResult {
    std::chrono::sys_days date{};
    int side = 0; // -1 before the date, 0 the date itself, +1 after
};

// The 戊 day nearest to the date; the earlier one when two are equally near.
ShanichiResult findShanichi(std::chrono::sys_days date);

// Heavenly stem of the day: "甲" .. "癸".
std::string dayStem(std::chrono::year_month_day date);

} // namespace tobirae
