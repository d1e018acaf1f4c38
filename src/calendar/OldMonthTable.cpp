// The old-calendar month table, generated at compile time from the length of every month.
// Each old year lists the first day of its first month, the lengths of its months in order
// (L = 30 days, S = 29 days, the leap month at its place) and the number of its leap month.
// Generation checks every year's first day against the months before it, so a wrong length or
// start fails the build instead of shifting every later date.
#include "calendar/OldCalendar.h"

#include <array>
#include <chrono>
#include <string_view>

namespace tobirae {

namespace {

using namespace std::chrono;

struct OldYearLengths {
    int oldYear;
    int firstYear;
    unsigned firstMonth;
    unsigned firstDay;
    std::string_view lengths;
    int leapMonth; // 0 when the year has none
};

// Old year 1949 lists only its months 11 and 12; the table ends with month 12 of 2049, which
// begins on the day after the last month listed for 2049.
constexpr std::array<OldYearLengths, 101> kOldYears{{
    {1949, 1949, 12, 20, "SL", 0},
    {1950, 1950, 2, 17, "LSLLSLSSLSLS", 0},
    {1951, 1951, 2, 6, "LSLLSLSLSLSL", 0},
    {1952, 1952, 1, 27, "SLSLSLLSLSLSL", 5},
    {1953, 1953, 2, 14, "SLSSLLSLLSLL", 0},
    {1954, 1954, 2, 4, "SSLSSLSLLSLL", 0},
    {1955, 1955, 1, 24, "LSSLSSLSLSLLL", 3},
    {1956, 1956, 2, 12, "SLSLSSLSLSLL", 0},
    {1957, 1957, 1, 31, "LSLSLSSLSLSLL", 8},
    {1958, 1958, 2, 19, "SLLSLSSLSLSL", 0},
    {1959, 1959, 2, 8, "SLLSLSLSLSLS", 0},
    {1960, 1960, 1, 28, "LSLSLLSLSLSLS", 6},
    {1961, 1961, 2, 15, "LSLSLSLLSLSL", 0},
    {1962, 1962, 2, 5, "SLSSLSLLSLLS", 0},
    {1963, 1963, 1, 25, "LSLSSLSLSLLLS", 4},
    {1964, 1964, 2, 13, "LSLSSLSLSLLL", 0},
    {1965, 1965, 2, 2, "SLSLSSLSSLLL", 0},
    {1966, 1966, 1, 22, "SLLSLSSLSSLLS", 3},
    {1967, 1967, 2, 9, "LLSLLSSLSLSL", 0},
    {1968, 1968, 1, 30, "SLLSLSLSLSLSL", 7},
    {1969, 1969, 2, 17, "SLSLSLLSLSLS", 0},
    {1970, 1970, 2, 6, "LSSLLSLSLLSL", 0},
    {1971, 1971, 1, 27, "SLSSLSLSLLLSL", 5},
    {1972, 1972, 2, 15, "SLSSLSLSLLLS", 0},
    {1973, 1973, 2, 3, "LSLSSLSSLLLS", 0},
    {1974, 1974, 1, 23, "LLSLSSLSSLLSL", 4},
    {1975, 1975, 2, 11, "LLSLSSLSSLSL", 0},
    {1976, 1976, 1, 31, "LLSLSLSLSLSSL", 8},
    {1977, 1977, 2, 18, "LSLLSLSLSLSS", 0},
    {1978, 1978, 2, 7, "LLSLSLLSLSLS", 0},
    {1979, 1979, 1, 28, "LSSLSLLSLLSLS", 6},
    {1980, 1980, 2, 16, "LSSLSLSLLSLL", 0},
    {1981, 1981, 2, 5, "SLSSLSSLLSLL", 0},
    {1982, 1982, 1, 25, "LSLSSLSSLLSLL", 4},
    {1983, 1983, 2, 13, "LSLSSLSSLSLL", 0},
    {1984, 1984, 2, 2, "LSLLSSLSSLSLL", 10},
    {1985, 1985, 2, 20, "SLLSLSLSSLSL", 0},
    {1986, 1986, 2, 9, "SLLSLLSLSLSS", 0},
    {1987, 1987, 1, 29, "LSLLSLSLLSLSL", 6},
    {1988, 1988, 2, 18, "SSLSLSLLSLLS", 0},
    {1989, 1989, 2, 6, "LSSLSLSLLSLL", 0},
    {1990, 1990, 1, 27, "SLSSLSSLLSLLL", 5},
    {1991, 1991, 2, 15, "SLSSLSSLSLLL", 0},
    {1992, 1992, 2, 4, "SLLSSLSSLSLL", 0},
    {1993, 1993, 1, 23, "SLLSLSLSSLSLS", 3},
    {1994, 1994, 2, 10, "LLLSLSLSSLSL", 0},
    {1995, 1995, 1, 31, "SLLSLLSLSLSSL", 8},
    {1996, 1996, 2, 19, "SLSLLSLSLLSL", 0},
    {1997, 1997, 2, 8, "SSLSLSLLSLLS", 0},
    {1998, 1998, 1, 28, "LSSLSSLLSLLLS", 5},
    {1999, 1999, 2, 16, "LSSLSSLSLLLS", 0},
    {2000, 2000, 2, 5, "LLSSLSSLSLLS", 0},
    {2001, 2001, 1, 24, "LLLSSLSSLSLSL", 4},
    {2002, 2002, 2, 12, "LLSLSLSSLSLS", 0},
    {2003, 2003, 2, 1, "LLSLLSLSSLSL", 0},
    {2004, 2004, 1, 22, "SLSLLSLSLSLSL", 2},
    {2005, 2005, 2, 9, "SLSLSLLSLLSS", 0},
    {2006, 2006, 1, 29, "LSLSLSLSLLSLL", 7},
    {2007, 2007, 2, 18, "SSLSSLSLLLSL", 0},
    {2008, 2008, 2, 7, "LSSLSSLSLLSL", 0},
    {2009, 2009, 1, 26, "LLSSLSSLSLSLL", 5},
    {2010, 2010, 2, 14, "LSLSLSSLSLSL", 0},
    {2011, 2011, 2, 3, "LSLLSLSSLSLS", 0},
    {2012, 2012, 1, 23, "LSLLLSLSSLSLS", 3},
    {2013, 2013, 2, 10, "LSLLSLSLSLSL", 0},
    {2014, 2014, 1, 31, "SLSLSLSLLSLSL", 9},
    {2015, 2015, 2, 19, "SLSSLSLLLSLS", 0},
    {2016, 2016, 2, 8, "LSLSSLSLLSLL", 0},
    {2017, 2017, 1, 28, "SLSLSSLSLSLLL", 5},
    {2018, 2018, 2, 16, "SLSLSSLSLSLL", 0},
    {2019, 2019, 2, 5, "LSLSLSSLSLSL", 0},
    {2020, 2020, 1, 25, "LSLLSLSSLSLSL", 4},
    {2021, 2021, 2, 12, "SLLSLSLSLSLS", 0},
    {2022, 2022, 2, 1, "LSLSLLSLSLSL", 0},
    {2023, 2023, 1, 22, "SLSLSLSLLSLSL", 2},
    {2024, 2024, 2, 10, "SLSSLSLLSLLS", 0},
    {2025, 2025, 1, 29, "LSLSSLSLSLLLS", 6},
    {2026, 2026, 2, 17, "LSLSSLSLSLLL", 0},
    {2027, 2027, 2, 7, "SLSLSSLSSLLL", 0},
    {2028, 2028, 1, 27, "SLLSLSSLSSLLS", 5},
    {2029, 2029, 2, 13, "LLSLLSSLSSLL", 0},
    {2030, 2030, 2, 3, "SLSLLSLSLSLS", 0},
    {2031, 2031, 1, 23, "LSLSLSLLSLSLS", 3},
    {2032, 2032, 2, 11, "LSSLSLLSLLSL", 0},
    {2033, 2033, 1, 31, "SLSSLSLSLLLSL", 11},
    {2034, 2034, 2, 19, "SLSSLSLSLLLS", 0},
    {2035, 2035, 2, 8, "LSLSSLSSLLSL", 0},
    {2036, 2036, 1, 28, "LLSLSSLSSLLSL", 6},
    {2037, 2037, 2, 15, "LLSLSSLSSLSL", 0},
    {2038, 2038, 2, 4, "LLSLSLSLSSLS", 0},
    {2039, 2039, 1, 24, "LLSLLSLSLSLSS", 5},
    {2040, 2040, 2, 12, "LSLLSLLSLSLS", 0},
    {2041, 2041, 2, 1, "LSSLSLLSLLSL", 0},
    {2042, 2042, 1, 22, "SLSSLSLSLLSLL", 2},
    {2043, 2043, 2, 10, "SLSSLSSLLSLL", 0},
    {2044, 2044, 1, 30, "LSLSSLSSLSLLL", 7},
    {2045, 2045, 2, 17, "LSLSSLSSLSLL", 0},
    {2046, 2046, 2, 6, "LSLLSSLSSLSL", 0},
    {2047, 2047, 1, 26, "LSLLSLSLSSLSL", 5},
    {2048, 2048, 2, 14, "SLLSLLSLSLSS", 0},
    {2049, 2049, 2, 2, "LSLSLLSLLSL", 0},
}};

constexpr std::size_t countRows() {
    std::size_t n = 1; // 2049 month 12
    for (const OldYearLengths& entry : kOldYears)
        n += entry.lengths.size();
    return n;
}

constexpr std::int32_t startNumber(sys_days date) {
    const year_month_day ymd{date};
    return static_cast<int>(ymd.year()) * 10000 +
           static_cast<int>(static_cast<unsigned>(ymd.month())) * 100 +
           static_cast<int>(static_cast<unsigned>(ymd.day()));
}

constexpr sys_days firstDayOf(const OldYearLengths& entry) {
    return sys_days{year{entry.firstYear} / month{entry.firstMonth} / day{entry.firstDay}};
}

// Throwing during constant evaluation stops the build with the failing check in the message.
constexpr void require(bool condition, const char* what) {
    if (!condition)
        throw what;
}

constexpr std::array<OldMonthRow, countRows()> generateTable() {
    std::array<OldMonthRow, countRows()> rows{};
    std::size_t n = 0;
    sys_days next = firstDayOf(kOldYears.front());
    int lastMonth = 0;
    for (const OldYearLengths& entry : kOldYears) {
        require(firstDayOf(entry) == next, "an old year does not begin where the last one ended");
        const bool firstYear = entry.oldYear == kOldYears.front().oldYear;
        const bool lastYear = entry.oldYear == kOldYears.back().oldYear;
        const std::size_t expected = firstYear  ? 2
                                     : lastYear ? 11
                                                : 12 + (entry.leapMonth != 0 ? 1 : 0);
        require(entry.lengths.size() == expected, "an old year has the wrong number of months");
        int monthNo = firstYear ? 11 : 1;
        bool leapDone = false;
        for (char length : entry.lengths) {
            require(length == 'L' || length == 'S', "a month length is neither L nor S");
            const bool leap = !leapDone && entry.leapMonth != 0 && monthNo == entry.leapMonth + 1;
            if (leap) {
                --monthNo;
                leapDone = true;
            }
            rows[n++] = {startNumber(next), static_cast<std::int16_t>(entry.oldYear),
                         static_cast<std::int16_t>(monthNo), leap};
            next += days{length == 'L' ? 30 : 29};
            lastMonth = monthNo;
            ++monthNo;
        }
        require(entry.leapMonth == 0 || leapDone, "a leap month was not placed");
    }
    require(lastMonth == 11, "the last old year does not stop before its month 12");
    rows[n++] = {startNumber(next), static_cast<std::int16_t>(kOldYears.back().oldYear), 12, false};
    require(n == rows.size(), "row count");
    return rows;
}

constexpr auto kOldMonthTable = generateTable();

static_assert(kOldMonthTable.size() == 1238);
static_assert(kOldMonthTable.front().start == 19491220);
static_assert(kOldMonthTable.back().start == 20491225);

// The table's historical organisation in blocks: every block start must be a month start.
constexpr bool isMonthStart(std::int32_t start) {
    for (const OldMonthRow& row : kOldMonthTable) {
        if (row.start == start)
            return true;
    }
    return false;
}
static_assert(isMonthStart(19550124) && isMonthStart(19600128) && isMonthStart(19650202) &&
              isMonthStart(19700206) && isMonthStart(19750211) && isMonthStart(19791219) &&
              isMonthStart(19850220) && isMonthStart(19900127) && isMonthStart(19950131) &&
              isMonthStart(20000205) && isMonthStart(20050209) && isMonthStart(20100214) &&
              isMonthStart(20150219) && isMonthStart(20200125) && isMonthStart(20250129) &&
              isMonthStart(20300203) && isMonthStart(20350208) && isMonthStart(20400212) &&
              isMonthStart(20450217));

} // namespace

std::span<const OldMonthRow> oldMonthTable() {
    return kOldMonthTable;
}

} // namespace tobirae
