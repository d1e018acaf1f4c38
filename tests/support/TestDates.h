// Dates in tests, written as the calendar reads them.
#pragma once

#include <chrono>

namespace tobirae::test {

constexpr std::chrono::year_month_day ymd(int y, unsigned m, unsigned d) {
    return std::chrono::year{y} / std::chrono::month{m} / std::chrono::day{d};
}

} // namespace tobirae::test
