// The facts a calendar item prints for one day: the national calendar's, with the user's own
// days of the layout added (their names unless the item hides them).
#pragma once

#include "bitmap/RenderContext.h"
#include "calendar/DayFacts.h"
#include "document/LayoutItem.h"

#include <chrono>

namespace tobirae {

// Empty names for a date the calendar has no facts for.
DayFacts itemDayFacts(const RenderContext& ctx, const LayoutItem& item,
                          std::chrono::year_month_day date);

} // namespace tobirae
