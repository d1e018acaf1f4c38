// DateRange: the days an item shows. The caller fills the first three values with the page's
// year, month and 1; the frame rewrites them for the item (shownRange) before a kind renderer
// sees them. Month and box kinds read firstYear/firstMonth; weekly kinds read all six.
#pragma once

#include <chrono>

namespace tobirae {

struct DateRange {
    int firstYear = 0;
    int firstMonth = 0;
    int firstDay = 0;
    int lastYear = 0;
    int lastMonth = 0;
    int lastDay = 0;

    std::chrono::year_month_day first() const {
        return std::chrono::year{firstYear} / firstMonth / firstDay;
    }
    std::chrono::year_month_day last() const {
        return std::chrono::year{lastYear} / lastMonth / lastDay;
    }
    bool operator==(const DateRange&) const = default;
};

// The page's month as a range the frame starts from: (year, month, 1), no last day.
inline DateRange pageDateRange(int year, int month) {
    return DateRange{year, month, 1, 0, 0, 0};
}

} // namespace tobirae
