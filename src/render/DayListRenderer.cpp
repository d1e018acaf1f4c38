// One-month and weekly lists, vertical and horizontal: backgrounds of the regions between the
// user's dividing lines, ruled lines 0..5, and one line of texts per day. The two list kinds
// are one algorithm over DayListGeometry with the axes exchanged.
#include "calendar/DateHelpers.h"
#include "calendar/DayFacts.h"
#include "render/CellTextFit.h"
#include "render/DayCell.h"
#include "render/DayListGeometry.h"
#include "render/DayListText.h"
#include "render/DayTextBuilders.h"
#include "render/ItemDayFacts.h"
#include "render/ItemDrawScope.h"
#include "render/KindRenderers.h"
#include "render/MonthText.h"
#include "render/RuleBlock.h"
#include "render/RuledLines.h"
#include "render/YearMonthText.h"

namespace tobirae {

using namespace std::chrono;

namespace {

enum RuleListEntry : int {
    RuleListNearEdge = 0, // left edge of the vertical list, top edge of the horizontal one
    RuleListFarEdge = 1,
    RuleListDividers = 2,
    RuleListFirst = 3, // before the first day
    RuleListBetween = 4,
    RuleListLast = 5, // after the last line
};

// A list honours only the centre lock along its days: the vertical lock centres a text in its
// row, the horizontal lock in its column.
bool lockedAlong(const LayoutItem& item, int k, DayAxis axis) {
    if (axis == DayAxis::Across)
        return k == Holiday ? item.VCenterLock[kHolidayHLockSlot] != 0
                            : isTrue(item.element(k).HCenterLock);
    if (k == Holiday)
        return item.VCenterLock[kHolidayVLockSlot] != 0;
    if (isTitleElement(k))
        return item.VCenterLock[static_cast<std::size_t>(k)] != 0;
    return item.element(k).VCenterLock != 0;
}

class ListPainter {
public:
    ListPainter(RenderContext& ctx, ItemDrawScope& scope, const LayoutItem& item,
                const DayListGeometry& g)
        : ctx_(ctx), scope_(scope), item_(item), g_(g) {}

    bool backgrounds() {
        const std::vector<int> edges = g_.regionEdges(item_);
        const auto a0 = static_cast<float>(g_.lineStart(0));
        const auto a1 = static_cast<float>(g_.lineStart(g_.days.lines));
        bool ok = true;
        for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
            const Colour colour = item_.CellBackColor[i];
            if (!cellBackPainted(item_, colour) || edges[i + 1] <= edges[i])
                continue;
            const auto c0 = static_cast<float>(edges[i]);
            const auto c1 = static_cast<float>(edges[i + 1]);
            ok &= scope_.fillRect(g_.x(a0, c0), g_.y(a0, c0), g_.x(a1, c1), g_.y(a1, c1), colour);
        }
        return ok;
    }

    bool ruledLines() {
        if (!ruleBlock(item_).drawRules())
            return true;
        const int nearEdge = g_.crossOffset();
        const int farEdge = g_.crossLength() + g_.crossOffset();
        bool ok = alongDays(RuleListNearEdge, nearEdge);
        ok &= alongDays(RuleListFarEdge, farEdge);
        for (int d : g_.dividers(item_))
            ok &= alongDays(RuleListDividers, d);
        ok &= acrossDays(RuleListFirst, g_.lineStart(0));
        for (int r = 1; r < g_.days.lines; ++r)
            ok &= acrossDays(RuleListBetween, g_.lineStart(r));
        ok &= acrossDays(RuleListLast, g_.lineStart(g_.days.lines));
        return ok;
    }

    bool days() {
        bool ok = true;
        for (int r = 0; r < g_.days.days; ++r) {
            const year_month_day date{g_.days.first + std::chrono::days{r}};
            const year_month_day before{g_.days.first + std::chrono::days{r - 1}};
            ok &= day(r, date, r == 0 || before.year() != date.year(),
                      r == 0 || before.month() != date.month());
        }
        return ok;
    }

private:
    // A line running along the days at the given position across them, and one across the
    // days at the given position along them.
    bool alongDays(int entry, int cross) {
        const int a0 = g_.lineStart(0);
        const int a1 = g_.lineStart(g_.days.lines);
        return line(entry, a0, cross, a1, cross);
    }
    bool acrossDays(int entry, int along) {
        return line(entry, along, g_.crossOffset(), along, g_.crossLength() + g_.crossOffset());
    }
    bool line(int entry, int along1, int cross1, int along2, int cross2) {
        const bool across = g_.across();
        return drawRuleEntry(ctx_, scope_.surface(), item_, entry, across ? along1 : cross1,
                                 across ? cross1 : along1, across ? along2 : cross2,
                                 across ? cross2 : along2);
    }

    bool day(int r, year_month_day date, bool newYear, bool newMonth) {
        const sys_days d{date};
        // No facts: the names stay empty and draw nothing.
        const DayFacts facts = itemDayFacts(ctx_, item_, date);
        const QString holiday = QString::fromStdString(facts.shownName());
        bool ok = true;
        if (newYear)
            for (int k : {Year1, Year2})
                if (shown(k))
                    ok &= element(r, k, yearText(item_.element(k).Style, date));
        if (newMonth)
            for (int k : {Month1, Month2, Month3, Month4})
                if (shown(k)) {
                    const int style = item_.element(k).Style;
                    ok &= element(r, k, monthText(style, int(unsigned(date.month()))),
                                  monthSample(style));
                }
        ok &= element(r, Day, listDayNumberText(item_.DayTextMode, int(unsigned(date.day()))),
                      {}, dayNumberColour(item_, facts));
        if (shown(Weekday)) {
            const int w = weekdayIndex(d);
            ok &=
                element(r, Weekday, QString::fromStdString(weekdayName(w, item_.WeekdayStyle)),
                        weekdaySample(item_.WeekdayStyle), weekdayNameColour(item_, w));
        }
        if (shown(Rokuyo))
            ok &= element(r, Rokuyo, QString::fromStdString(facts.rokuyoName));
        if (shown(Eto))
            ok &= element(r, Eto, QString::fromStdString(facts.kanshiName));
        if (shown(OldCalendar))
            ok &= element(r, OldCalendar, oldDateTextFor(item_.OldCalendarStyle, date),
                          oldDateSample(item_.OldCalendarStyle));
        if (shown(SolarTerm))
            ok &= element(r, SolarTerm, solarTermText(item_.SekkiSelection, date),
                          solarTermSample(item_.SekkiSelection));
        if (shown(Holiday) && !holiday.isEmpty())
            ok &= element(r, Holiday, holiday, holidaySample(), std::nullopt,
                          !facts.ownName.empty());
        // 選日, 月齢 and the moon phase: kept inside their line or between the dividers, as the
        // day cells keep them inside their cell.
        for (int extra = 0; extra < kExtraElementCount; ++extra) {
            const ContentElement& e = item_.ExtraElements[static_cast<std::size_t>(extra)];
            if (isTrue(e.Shown))
                ok &= text(r, e, extraLocked(e), extraElementText(item_, extra, facts), {},
                           std::nullopt, true);
        }
        return ok;
    }

    bool extraLocked(const ContentElement& e) const {
        return g_.across() ? isTrue(e.HCenterLock) : e.VCenterLock != 0;
    }

    bool shown(int k) const { return isTrue(item_.element(k).Shown); }

    // Where a text starting at x may run: its line when the days run across, else from the near
    // edge to the first divider after x or the far edge.
    std::pair<float, float> textRoom(float lineStart, float lineSize, float x) const {
        if (g_.across())
            return {lineStart, lineStart + lineSize};
        auto nearEdge = static_cast<float>(g_.crossOffset());
        auto farEdge = static_cast<float>(g_.crossLength() + g_.crossOffset());
        for (int divider : g_.dividers(item_)) {
            const auto d = static_cast<float>(divider);
            if (d > x)
                farEdge = std::min(farEdge, d);
            else
                nearEdge = std::max(nearEdge, d);
        }
        return {nearEdge, farEdge};
    }

    // Element k of line r at its position from the line's start; styled elements are aligned
    // in their sample box. Under the lock along the days the text is centred in the line. A
    // fitted text (a holiday with the user's names) is kept inside its line (across) or between
    // the dividers or edges around it.
    bool element(int r, int k, QString text, const QString& sample = {},
                 std::optional<Colour> colour = std::nullopt, bool fitted = false) {
        return this->text(r, item_.element(k), lockedAlong(item_, k, g_.axis), std::move(text),
                          sample, colour, fitted, item_.Align[static_cast<std::size_t>(k)]);
    }

    bool text(int r, const ContentElement& e, bool locked, QString text, const QString& sample,
              std::optional<Colour> colour, bool fitted, int align = 0) {
        if (text.isEmpty())
            return true;
        const bool across = g_.across();
        const float sy = g_.fit.scaleY;
        selectFont(ctx_, e.Font);
    bool ok = true;
        const auto lineStart = static_cast<float>(g_.lineStart(r));
        const auto lineSize = static_cast<float>(g_.lineSize());
        const float along =
            lineStart + static_cast<float>(across ? e.Pos.X : e.Pos.Y) * g_.alongScale();
        const float cross = static_cast<float>(across ? e.Pos.Y : e.Pos.X) * g_.crossScale() +
                            static_cast<float>(g_.crossOffset());
        float x = g_.x(along, cross);
        const float y = g_.y(along, cross);
        float boxLeft = 0, boxWidth = 0, boxTop = 0, boxHeight = 0;
        if (locked && across) {
            boxLeft = lineStart;
            boxWidth = lineSize;
            text = text.trimmed();
        } else if (locked) {
            boxTop = lineStart;
            boxHeight = lineSize;
        }
        if (!sample.isEmpty() && !(locked && across)) {
            const auto sampleWidth =
                static_cast<float>(measureScaledText(ctx_, nullptr, sy, sample).width);
            const auto width = static_cast<float>(measureScaledText(ctx_, nullptr, sy, text).width);
            x += sampleBoxOffset(align, sampleWidth, width);
        }
        float scale = sy;
        if (fitted && !(locked && across)) {
            const auto [left, right] = textRoom(lineStart, lineSize, x);
            const FittedText fit = fitTextInCell(ctx_, sy, text, x, left, right);
            text = fit.text;
            x = fit.x;
            scale = fit.fontScale;
        }
        ok &= drawScaledText(ctx_, scope_.surface(), scale, text, x, y,
                           colour ? *colour : fontColour(e.Font), true, boxLeft, boxWidth,
                           boxTop, boxHeight);
        return ok;
    }

    RenderContext& ctx_;
    ItemDrawScope& scope_;
    const LayoutItem& item_;
    const DayListGeometry& g_;
};

bool drawList(RenderContext& ctx, const RenderArgs& args, DayAxis axis) {
    const std::optional<DayListGeometry> g = computeDayListGeometry(args, axis);
    if (!g)
        return false;
    ItemDrawScope scope(ctx, args);
    if (!scope.ok())
        return false;
    ListPainter painter(ctx, scope, args.item, *g);
    bool ok = painter.backgrounds();
    ok &= painter.ruledLines();
    ok &= painter.days();
    ok &= scope.finish();
    return ok;
}

std::optional<ItemExtent> measureList(RenderContext& ctx, const RenderArgs& args, DayAxis axis) {
    const std::optional<DayListGeometry> g = computeDayListGeometry(args, axis);
    if (!g)
        return std::nullopt;
    return itemPageExtent(ctx, args.item, static_cast<float>(g->fit.width),
                          static_cast<float>(g->fit.height));
}

std::optional<QSize> listContentSize(const RenderArgs& args, DayAxis axis) {
    const std::optional<DayListGeometry> g =
        computeDayListGeometry(args, axis, ContentFitting::Natural);
    if (!g)
        return std::nullopt;
    return QSize(g->fit.width, g->fit.height);
}

} // namespace

bool drawDayColumn(RenderContext& ctx, const RenderArgs& args) {
    return drawList(ctx, args, DayAxis::Down);
}

std::optional<ItemExtent> measureDayColumn(RenderContext& ctx, const RenderArgs& args) {
    return measureList(ctx, args, DayAxis::Down);
}

std::optional<QSize> dayColumnContentSize(RenderContext&, const RenderArgs& args) {
    return listContentSize(args, DayAxis::Down);
}

bool drawDayRow(RenderContext& ctx, const RenderArgs& args) {
    return drawList(ctx, args, DayAxis::Across);
}

std::optional<ItemExtent> measureDayRow(RenderContext& ctx, const RenderArgs& args) {
    return measureList(ctx, args, DayAxis::Across);
}

std::optional<QSize> dayRowContentSize(RenderContext&, const RenderArgs& args) {
    return listContentSize(args, DayAxis::Across);
}

} // namespace tobirae
