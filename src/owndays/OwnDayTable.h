// The user's own days of a layout, indexed for the renderer's one-day-at-a-time questions.
#pragma once

#include "calendar/DayFacts.h"
#include "owndays/OwnDay.h"

#include <QStringList>
#include <array>
#include <chrono>
#include <vector>

namespace tobirae {

// What the user's entries say about one day. A working day wins over a day off: it is the
// more specific entry ("the office is open on this day of the summer closure").
// No day cell shows more; a day with further names ends in "…".
inline constexpr qsizetype kMaxNamesPerDay = 8;

struct OwnDayFacts {
    QStringList names; // in the order of the entries, each name once, at most
                       // kMaxNamesPerDay and then "…"
    bool dayOff = false;
    bool workingDay = false;

    bool empty() const { return names.isEmpty() && !dayOff && !workingDay; }
};

class OwnDayTable {
public:
    OwnDayTable() = default;
    explicit OwnDayTable(std::vector<OwnDay> days);

    const std::vector<OwnDay>& days() const { return days_; }
    bool empty() const { return days_.empty(); }

    OwnDayFacts lookup(std::chrono::year_month_day date) const;

private:
    std::vector<OwnDay> days_;
    // Dated entries by first day; reach_[i] is the latest last day among the first i + 1.
    std::vector<std::size_t> dated_;
    std::vector<int> datedFirst_;
    std::vector<int> reach_;
    // Every-year single days by month * 32 + day, and every-year ranges.
    std::array<std::vector<std::size_t>, 13 * 32> yearlyDays_{};
    std::vector<std::size_t> yearlyRanges_;
};

// Adds the user's entries to the facts of a day: the names after the national holiday's (when
// withNames), the day off and the working day, and the red of the day.
void addOwnDays(DayFacts& facts, const OwnDayFacts& own, bool withNames = true);

} // namespace tobirae
