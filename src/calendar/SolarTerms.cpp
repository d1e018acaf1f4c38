#include "calendar/SolarTerms.h"

#include "calendar/DateHelpers.h"

namespace tobirae {

std::optional<SekkiNameResult> Fnc_SekkiName(SekkiCode) {
    return std::nullopt;
}

bool Fnc_IsNijuushiSekki(SekkiCode) {
    return false;
}

SekkiYearTable Fnc_SekkiBuildYear(int year) {
    SekkiYearTable table;
    table.year = year;
    return table;
}

SekkiLookupResult sekkiLookupIn(const SekkiYearTable&, std::chrono::sys_days) {
    return {};
}

SekkiYearCache::SekkiYearCache() = default;
SekkiYearCache::~SekkiYearCache() = default;

std::shared_ptr<const SekkiYearTable> SekkiYearCache::table(int year) {
    return std::make_shared<const SekkiYearTable>(Fnc_SekkiBuildYear(year));
}

SekkiLookupResult SekkiYearCache::lookup(std::chrono::sys_days date) {
    return sekkiLookupIn(*table(static_cast<int>(std::chrono::year_month_day{date}.year())), date);
}

long SekkiYearCache::buildCount() const {
    std::lock_guard lock(mutex_);
    return builds_;
}

SekkiYearCache& sekkiYearCache() {
    static SekkiYearCache cache;
    return cache;
}

std::optional<SekkiLookupResult> Fnc_SekkiLookup(std::chrono::year_month_day date) {
    return sekkiYearCache().lookup(date);
}

std::optional<std::chrono::sys_days> Fnc_SekkiSearch(std::chrono::year_month_day, int) {
    return std::nullopt;
}

double Fnc_SolarLongitude(std::chrono::year_month_day) {
    return 0.0;
}

ShanichiResult Fnc_ShanichiSearch(std::chrono::sys_days date) {
    return {date, 0};
}

std::string Fnc_DayStem(std::chrono::year_month_day) {
    return {};
}

} // namespace tobirae
