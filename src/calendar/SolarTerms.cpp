#include "calendar/SolarTerms.h"

#include "calendar/DateHelpers.h"
#include "calendar/Sexagenary.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace tobirae {

using namespace std::chrono;

namespace {

struct SekkiInfo {
    std::string_view name;
    std::string_view reading;
    bool isTerm;
};

// Indexed by code - 1.
constexpr std::array<SekkiInfo, 40> kSekki{{
    {"小寒", "しょうかん", true},
    {"冬の土用", "ふゆのどよう", false},
    {"大寒", "だいかん", true},
    {"節分", "せつぶん", false},
    {"立春", "りっしゅん", true},
    {"雨水", "うすい", true},
    {"啓蟄", "けいちつ", true},
    {"春の彼岸の入", "はるのひがんのいり", false},
    {"春社日", "はるしゃにち", false},
    {"春分", "しゅんぶん", true},
    {"春の彼岸の明", "はるのひがんのあけ", false},
    {"清明", "せいめい", true},
    {"春の土用", "はるのどよう", false},
    {"穀雨", "こくう", true},
    {"八十八夜", "はちじゅうはちや", false},
    {"立夏", "りっか", true},
    {"小満", "しょうまん", true},
    {"芒種", "ぼうしゅ", true},
    {"入梅", "にゅうばい", false},
    {"夏至", "げし", true},
    {"半夏生", "はんげしょう", false},
    {"小暑", "しょうしょ", true},
    {"夏の土用", "なつのどよう", false},
    {"大暑", "たいしょ", true},
    {"立秋", "りっしゅう", true},
    {"処暑", "しょしょ", true},
    {"二百十日", "にひゃくとおか", false},
    {"白露", "はくろ", true},
    {"二百二十日", "にひゃくはつか", false},
    {"秋の彼岸の入", "あきのひがんのいり", false},
    {"秋社日", "あきしゃにち", false},
    {"秋分", "しゅうぶん", true},
    {"秋の彼岸の明", "あきのひがんのあけ", false},
    {"寒露", "かんろ", true},
    {"秋の土用", "あきのどよう", false},
    {"霜降", "そうこう", true},
    {"立冬", "りっとう", true},
    {"小雪", "しょうせつ", true},
    {"大雪", "たいせつ", true},
    {"冬至", "とうじ", true},
}};

// Entries found by the sun's longitude: code, longitude in degrees, approximate month and day.
struct SearchedEntry {
    SekkiCode code;
    int degrees;
    unsigned month;
    unsigned day;
};

constexpr SearchedEntry searched(SekkiCode code) {
    constexpr std::array<SearchedEntry, 28> kSearched{{
        {1, 285, 1, 5},    {2, 297, 1, 17},  {3, 300, 1, 20},   {5, 315, 2, 4},    {6, 330, 2, 19},
        {7, 345, 3, 6},    {10, 0, 3, 21},   {12, 15, 4, 5},    {13, 27, 4, 17},   {14, 30, 4, 20},
        {16, 45, 5, 6},    {17, 60, 5, 21},  {18, 75, 6, 6},    {20, 90, 6, 21},   {22, 105, 7, 7},
        {23, 117, 7, 20},  {24, 120, 7, 23}, {25, 135, 8, 8},   {26, 150, 8, 23},  {28, 165, 9, 8},
        {32, 180, 9, 23},  {34, 195, 10, 8}, {35, 207, 10, 21}, {36, 210, 10, 23}, {37, 225, 11, 7},
        {38, 240, 11, 22}, {39, 255, 12, 7}, {40, 270, 12, 22},
    }};
    for (const SearchedEntry& e : kSearched) {
        if (e.code == code)
            return e;
    }
    return {0, 0, 1, 1};
}

constexpr double kPi = 3.14159265358979;

double sinDeg(double degrees) {
    return std::sin(degrees * kPi / 180.0);
}

// Fills one year's entries in their fixed order.
class YearBuilder {
public:
    explicit YearBuilder(int year) { table_.year = year; }

    SekkiYearTable take() { return table_; }

    void add(sys_days date, SekkiCode code) {
        if (table_.count < static_cast<int>(table_.entries.size()))
            table_.entries[table_.count++] = {date, code};
    }

    std::optional<sys_days> search(SekkiCode code) {
        const SearchedEntry e = searched(code);
        return searchSolarTerm(year_month_day{year{table_.year}, month{e.month}, day{e.day}},
                               e.degrees);
    }

    // Searches an entry and stores it when found.
    std::optional<sys_days> searchAndAdd(SekkiCode code) {
        auto date = search(code);
        if (date)
            add(*date, code);
        return date;
    }

    // An equinox with its 彼岸 and 社日, ordered so that the earlier slot wins on a shared day.
    void addEquinox(SekkiCode equinoxCode) {
        auto equinox = search(equinoxCode);
        if (!equinox)
            return;
        const SekkiCode entryCode = equinoxCode - 2;
        const SekkiCode shanichiCode = equinoxCode - 1;
        const SekkiCode endCode = equinoxCode + 1;
        const sys_days entry = *equinox - days{3};
        const sys_days end = *equinox + days{3};
        const ShanichiResult s = findShanichi(*equinox);
        if (s.side < 0 && s.date < entry) {
            add(s.date, shanichiCode);
            add(entry, entryCode);
            add(*equinox, equinoxCode);
            add(end, endCode);
        } else if (s.side <= 0) {
            add(entry, entryCode);
            add(s.date, shanichiCode);
            add(*equinox, equinoxCode);
            add(end, endCode);
        } else if (s.date >= end) {
            add(entry, entryCode);
            add(*equinox, equinoxCode);
            add(end, endCode);
            add(s.date, shanichiCode);
        } else {
            add(entry, entryCode);
            add(*equinox, equinoxCode);
            add(s.date, shanichiCode);
            add(end, endCode);
        }
    }

private:
    SekkiYearTable table_;
};

SekkiEntry entryOf(SekkiCode code) {
    const SekkiInfo& info = kSekki[code - 1];
    return {code, std::string(info.name), std::string(info.reading)};
}

} // namespace

std::optional<SekkiNameResult> solarTermName(SekkiCode code) {
    if (code < 1 || code > 40)
        return std::nullopt;
    const SekkiInfo& info = kSekki[code - 1];
    return SekkiNameResult{std::string(info.name), std::string(info.reading)};
}

bool isSolarTerm(SekkiCode code) {
    return code >= 1 && code <= 40 && kSekki[code - 1].isTerm;
}

double solarLongitude(year_month_day date) {
    const double y = static_cast<int>(date.year());
    const double m = static_cast<unsigned>(date.month());
    const double d = static_cast<unsigned>(date.day());

    // Days since 1974-12-31 counted with a leap day every fourth year, as the series expects.
    const double q = (y - 1900) / 4;
    const double r = q - std::trunc(q);
    const double a = std::floor((std::floor(q) + r) * 1461);
    const double w = std::floor((m + 7) / 10);
    const double l = std::floor(1 - r);
    const double t = std::floor((m + 4.4) * 0.44);
    double n = 31 * m + a + d + (w - 1) * l - t * w - 27424;
    if ((y == 1900 && m < 3) || y <= 1899)
        n += 1;
    if ((y == 2100 && m >= 3) || y >= 2101)
        n -= 1;

    // Julian years from the epoch at 0:00 Japan time.
    double jt = (n + (-9.0 / 24.0)) / 365.25;
    jt = jt + (0.0317 * jt + 1.43) * 1e-6;

    double lambda = 360.00769 * jt + 279.0358;
    lambda += (1.9159 - 0.00005 * jt) * sinDeg(359.991 * jt + 356.531);
    lambda += 0.02 * sinDeg(719.981 * jt + 353.06);
    lambda -= 0.0048 * sinDeg(248.64 - 19.341 * jt);
    lambda += 0.002 * sinDeg(329.64 * jt + 285);
    lambda += 0.0018 * sinDeg(334.2 - 4452.67 * jt);
    lambda += 0.0018 * sinDeg(293.7 - 0.2 * jt);
    lambda += 0.0015 * sinDeg(450.37 * jt + 242.4);
    lambda += 0.0013 * sinDeg(225.18 * jt + 211.1);
    lambda += 0.0008 * sinDeg(659.29 * jt + 208);
    lambda += 0.0007 * sinDeg(90.38 * jt + 53.5);
    lambda += 0.0007 * sinDeg(12.1 - 30.35 * jt);
    lambda += 0.0006 * sinDeg(337.18 * jt + 239.1);
    lambda += 0.0005 * sinDeg(10.1 - 1.5 * jt);
    lambda += 0.0005 * sinDeg(99.1 - 22.81 * jt);
    lambda += 0.0004 * sinDeg(315.56 * jt + 264.8);
    lambda += 0.0004 * sinDeg(299.3 * jt + 233.8);
    lambda -= 0.0004 * sinDeg(720.02 * jt + 198.1);
    lambda += 0.0003 * sinDeg(1079.97 * jt + 349.6);
    lambda += 0.0003 * sinDeg(241.2 - 44.43 * jt);

    // The series drifts by whole turns over the decades; a single fmod keeps it bounded.
    lambda = std::fmod(lambda, 360.0);
    if (lambda < 0)
        lambda += 360.0;
    if (lambda >= 360.0)
        lambda -= 360.0;
    return lambda;
}

std::optional<sys_days> searchSolarTerm(year_month_day approximate, int targetDegrees) {
    const sys_days first = sys_days{approximate} - days{4};
    std::array<double, 9> lambda{};
    for (int j = 0; j < 9; ++j)
        lambda[j] = solarLongitude(year_month_day{first + days{j}});
    const double target = targetDegrees;
    for (int j = 0; j < 8; ++j) {
        const bool crosses = targetDegrees == 0 ? lambda[j] > 180 && lambda[j + 1] < 180
                                                : lambda[j] <= target && target <= lambda[j + 1];
        if (crosses)
            return first + days{j};
    }
    return std::nullopt;
}

std::string dayStem(year_month_day date) {
    static constexpr std::array<const char*, 10> kStems{"甲", "乙", "丙", "丁", "戊",
                                                        "己", "庚", "辛", "壬", "癸"};
    return kStems[kanshiIndex(date) % 10];
}

ShanichiResult findShanichi(sys_days date) {
    // 戊 days repeat every ten days, so one is always within five days either side.
    auto isBoDay = [](sys_days d) { return kanshiIndex(year_month_day{d}) % 10 == 4; };
    for (int c = 0; c <= 5; ++c) {
        if (isBoDay(date - days{c}))
            return {date - days{c}, c == 0 ? 0 : -1};
        if (isBoDay(date + days{c}))
            return {date + days{c}, 1};
    }
    return {date, 0}; // unreachable: a ten-day cycle always has a 戊 day within five days
}

SekkiYearTable buildSolarTermYear(int year) {
    YearBuilder b(year);
    b.searchAndAdd(1);
    b.searchAndAdd(2);
    b.searchAndAdd(3);

    auto risshun = b.search(5);
    if (risshun) {
        b.add(*risshun - days{1}, 4);
        b.add(*risshun, 5);
    }
    b.searchAndAdd(6);
    b.searchAndAdd(7);
    b.addEquinox(kSekkiVernalEquinox);
    b.searchAndAdd(12);
    b.searchAndAdd(13);
    b.searchAndAdd(14);
    // Days counted from 立春 exist only when 立春 itself was found.
    if (risshun)
        b.add(*risshun + days{87}, 15);
    b.searchAndAdd(16);
    b.searchAndAdd(17);
    if (auto boshu = b.searchAndAdd(18))
        b.add(*boshu + days{5}, 19);
    if (auto geshi = b.searchAndAdd(20))
        b.add(*geshi + days{10}, 21);
    b.searchAndAdd(22);
    b.searchAndAdd(23);
    b.searchAndAdd(24);
    b.searchAndAdd(25);
    b.searchAndAdd(26);
    if (risshun)
        b.add(*risshun + days{209}, 27);
    b.searchAndAdd(28);
    if (risshun)
        b.add(*risshun + days{219}, 29);
    b.addEquinox(kSekkiAutumnalEquinox);
    for (SekkiCode code : {34, 35, 36, 37, 38, 39, 40})
        b.searchAndAdd(code);
    return b.take();
}

SekkiLookupResult sekkiLookupIn(const SekkiYearTable& table, sys_days date) {
    SekkiLookupResult result;
    bool haveFirst = false;
    for (int i = 0; i < table.count; ++i) {
        const auto& slot = table.entries[i];
        if (slot.code < 1 || slot.date != date)
            continue;
        if (!haveFirst) {
            result.first = entryOf(slot.code);
            haveFirst = true;
        } else {
            result.second = entryOf(slot.code);
            break;
        }
    }
    return result;
}

SekkiYearCache::SekkiYearCache() = default;
SekkiYearCache::~SekkiYearCache() = default;

std::shared_ptr<const SekkiYearTable> SekkiYearCache::table(int year) {
    std::lock_guard lock(mutex_);
    ++useClock_;
    for (int i = 0; i < kYears; ++i) {
        if (tables_[i] && tables_[i]->year == year) {
            lastUse_[i] = useClock_;
            return tables_[i];
        }
    }
    // Replace the least recently used year. Building takes microseconds, so it is done under
    // the lock rather than risking two threads building the same year.
    const int victim =
        static_cast<int>(std::min_element(lastUse_.begin(), lastUse_.end()) - lastUse_.begin());
    tables_[victim] = std::make_shared<const SekkiYearTable>(buildSolarTermYear(year));
    lastUse_[victim] = useClock_;
    ++builds_;
    return tables_[victim];
}

SekkiLookupResult SekkiYearCache::lookup(sys_days date) {
    const auto yearTable = table(static_cast<int>(year_month_day{date}.year()));
    return sekkiLookupIn(*yearTable, date);
}

long SekkiYearCache::buildCount() const {
    std::lock_guard lock(mutex_);
    return builds_;
}

SekkiYearCache& sekkiYearCache() {
    static SekkiYearCache cache;
    return cache;
}

std::optional<SekkiLookupResult> lookupSolarTerm(year_month_day date) {
    if (!isValidDate(date))
        return std::nullopt;
    return sekkiYearCache().lookup(sys_days{date});
}

} // namespace tobirae
