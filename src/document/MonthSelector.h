// Texts for an item's MonthSelector as the property dialog lists them ("前月", "当月", "3月", …).
#pragma once

#include <QString>
#include <cstdint>

namespace tobirae {

// Month list: 0..24 relative to the page month (12 = "当月"), 25..36 fixed months "1月".."12月".
// Empty for values outside 0..36.
QString monthSelectorLabel(std::int32_t selector);
// Year-relative list of year display items: 0..24 ("当月の年" at 12). Empty outside 0..24.
QString yearSelectorLabel(std::int32_t selector);
// The label for an item of the given category: year items use the year list (values outside it
// show the page year, "当月の年"), pictures show nothing, all others use the month list.
QString shownMonthLabel(std::int32_t category, std::int32_t selector);

} // namespace tobirae
