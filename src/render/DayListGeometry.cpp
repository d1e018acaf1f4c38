#include "render/DayListGeometry.h"

#include "render/RuleBlock.h"

#include <algorithm>

namespace tobirae {

using namespace std::chrono;

namespace {

constexpr int kMonthLines = 31;
// The design size across the days when the item has none.
constexpr int kDefaultCrossDesign = 560;

} // namespace

std::optional<DayListDays> dayListDays(const LayoutItem& item, const DateRange& range,
                                           int fixedLines) {
    DayListDays out;
    int dayCount = 0;
    if (item.Category == CategoryWeekly) {
        const year_month_day first = range.first();
        const year_month_day last = range.last();
        if (!first.ok() || !last.ok())
            return std::nullopt;
        dayCount = static_cast<int>((sys_days{last} - sys_days{first}).count()) + 1;
        if (dayCount < 1)
            return std::nullopt;
        out.first = sys_days{first};
        out.lines = fixedLines > 0 ? fixedLines : dayCount;
    } else {
        const year_month shown{year{range.firstYear},
                               month{static_cast<unsigned>(range.firstMonth)}};
        if (!shown.ok())
            return std::nullopt;
        out.first = sys_days{shown / 1};
        dayCount = static_cast<int>(unsigned((shown / last).day()));
        out.lines = fixedLines > 0 ? fixedLines : kMonthLines;
    }
    out.days = std::min(dayCount, out.lines);
    return out;
}

int DayListGeometry::lineStart(int r) const {
    return r * lineSize() + alongOffset();
}

std::vector<int> DayListGeometry::dividers(const LayoutItem& item) const {
    const RuleBlockReader rules = ruleBlock(item);
    const int count = across() ? rules.hLineCountClamped() : rules.vLineCountClamped();
    std::vector<int> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto pos = static_cast<float>(across() ? rules.hLinePos(i) : rules.vLinePos(i));
        out.push_back(roundHalfEven(static_cast<double>(pos) * crossScale() + crossOffset()));
    }
    return out;
}

std::vector<int> DayListGeometry::regionEdges(const LayoutItem& item) const {
    const int nearEdge = crossOffset();
    const int farEdge = crossLength() + crossOffset();
    std::vector<int> edges = dividers(item);
    std::sort(edges.begin(), edges.end());
    for (int& e : edges)
        e = std::clamp(e, nearEdge, farEdge);
    edges.insert(edges.begin(), nearEdge);
    edges.push_back(farEdge);
    return edges;
}

std::optional<DayListGeometry> computeDayListGeometry(const RenderArgs& args, DayAxis axis,
                                                      ContentFitting fitting) {
    const std::optional<DayListDays> days = dayListDays(args.item, args.range, args.rows);
    if (!days)
        return std::nullopt;
    DayListGeometry g;
    g.axis = axis;
    g.days = *days;

    const bool across = axis == DayAxis::Across;
    const LayoutItem* item = &args.item;
    std::optional<LayoutItem> withDefault;
    if ((across ? item->DesignHeight : item->DesignWidth) == 0) {
        withDefault = args.item;
        (across ? withDefault->DesignHeight : withDefault->DesignWidth) = kDefaultCrossDesign;
        item = &*withDefault;
    }
    const int lines = g.days.lines;
    g.fit = fitContent(*item, args.preview, fitting, across ? lines : 1, across ? 1 : lines);
    g.fit.width = std::max(g.fit.width, 0);
    g.fit.height = std::max(g.fit.height, 0);
    g.offsetX =
        contentPlacementOffset(args.item.HPlacement, args.item.Width, static_cast<float>(g.fit.width));
    g.offsetY = contentPlacementOffset(args.item.VPlacement, args.item.Height,
                                    static_cast<float>(g.fit.height));
    return g;
}

} // namespace tobirae
