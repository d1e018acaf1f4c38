#include "render/ItemDayFacts.h"

#include "owndays/OwnDayTable.h"

namespace tobirae {

DayFacts itemDayFacts(const RenderContext& ctx, const LayoutItem& item,
                          std::chrono::year_month_day date) {
    DayFacts facts;
    facts.date = date;
    computeDayFacts(facts);
    if (ctx.ownDays && !ctx.ownDays->empty())
        addOwnDays(facts, ctx.ownDays->lookup(date), !item.Ext.hideOwnNames);
    return facts;
}

} // namespace tobirae
