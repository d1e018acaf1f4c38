#include "render/RuledLines.h"

#include "render/ItemDrawScope.h"
#include "render/RenderFrame.h"
#include "render/RuleBlock.h"

namespace tobirae {

namespace {

constexpr int kYearBandEntry = 0;
constexpr int kMonthBandEntry = 1;
constexpr int kHeaderEntry = 2; // + column
constexpr int kCellEntry = 9;   // + 7 x row + column

int nearest(double value) {
    return roundHalfEven(value);
}

Colour entryColour(const LayoutItem& item, int entry) {
    return item.CellBackColor[static_cast<std::size_t>(entry)];
}

struct LineDrawer {
    RenderContext& ctx;
    const DrawSurface& surface;
    RuleBlockReader rules;
    bool ok = true;

    void draw(int entry, int x1, int y1, int x2, int y2, bool fixedWidth = false) {
        if (!rules.ruleOn(entry))
            return;
        const int width = fixedWidth ? 1 : rules.ruleWidth(entry);
        ok &= drawScaledLine(ctx, surface, static_cast<float>(x1), static_cast<float>(y1),
                           static_cast<float>(x2), static_cast<float>(y2), rules.ruleColor(entry),
                           width, PenSolid, true);
    }
};

} // namespace

int BoxFrame::columnX(int c) const {
    return nearest(gridLeft + static_cast<double>(c) / 7.0 * (width - gridLeft) + offsetX);
}

int BoxFrame::rowY(int r) const {
    if (r == 0)
        return nearest((gridTop == 0 ? 1.0 : gridTop) + offsetY);
    if (r >= rows)
        return nearest(static_cast<double>(height) + offsetY);
    return nearest((static_cast<double>(height) - gridTop) / rows * r + gridTop + offsetY);
}

int BoxFrame::bandY(float designY) const {
    return nearest(static_cast<double>(designY) * scaleY + offsetY);
}

int BoxFrame::monthBandTop() const {
    return yearBand == 0 ? bandY(1) : bandY(yearBand);
}

int BoxFrame::headerTop() const {
    const float title = yearBand + monthBand;
    return title == 0 ? bandY(1) : bandY(title);
}

int BoxFrame::headerBottom() const {
    return nearest(static_cast<double>(gridTop) + offsetY);
}

bool drawTitleBackgrounds(ItemDrawScope& scope, const LayoutItem& item, const BoxFrame& box) {
    bool ok = true;
    const auto left = static_cast<float>(box.columnX(0));
    const auto right = static_cast<float>(box.columnX(7));
    const Colour year = entryColour(item, kYearBandEntry);
    if (box.yearBand > 0 && cellBackPainted(item, year))
        ok &= scope.fillRect(left, static_cast<float>(box.yearBandTop()), right,
                             static_cast<float>(box.bandY(box.yearBand)), year);
    const Colour month = entryColour(item, kMonthBandEntry);
    if (box.monthBand > 0 && cellBackPainted(item, month))
        ok &= scope.fillRect(left, static_cast<float>(box.monthBandTop()), right,
                             static_cast<float>(box.bandY(box.yearBand + box.monthBand)), month);
    return ok;
}

bool drawGridBackgrounds(RenderContext& ctx, ItemDrawScope& scope, const LayoutItem& item,
                             const BoxFrame& box) {
    bool ok = true;
    const auto top = static_cast<float>(box.headerTop());
    const auto bottom = static_cast<float>(box.headerBottom());
    for (int c = 0; c < 7; ++c) {
        const Colour colour = entryColour(item, kHeaderEntry + box.weekdayAt(c));
        if (!cellBackPainted(item, colour))
            continue;
        const auto left = static_cast<float>(box.columnX(c));
        const auto right = static_cast<float>(box.columnX(c + 1));
        ok &= scope.fillRect(left, top, right, bottom, colour);
        // The rectangle leaves out its right edge; the last header cell closes it.
        if (c == 6)
            ok &= drawScaledLine(ctx, scope.surface(), right, top, right, bottom, colour, 1, PenSolid,
                               true);
    }
    for (int r = 0; r < box.rows && r < 6; ++r) {
        for (int c = 0; c < 7; ++c) {
            const Colour colour = entryColour(item, kCellEntry + 7 * r + box.weekdayAt(c));
            if (!cellBackPainted(item, colour))
                continue;
            ok &=
                scope.fillRect(static_cast<float>(box.columnX(c)), static_cast<float>(box.rowY(r)),
                               static_cast<float>(box.columnX(c + 1)),
                               static_cast<float>(box.rowY(r + 1)), colour);
        }
    }
    return ok;
}

bool drawRuledLines(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item,
                        const BoxFrame& box) {
    LineDrawer lines{ctx, surface, ruleBlock(item)};
    if (!lines.rules.drawRules())
        return true;
    const bool hasYear = box.yearBand > 0;
    const bool hasMonth = box.monthBand > 0;
    const int yearTop = box.yearBandTop();
    const int yearBottom = box.bandY(box.yearBand);
    const int monthTop = box.monthBandTop();
    const int monthBottom = box.bandY(box.yearBand + box.monthBand);
    const int headerTop = box.headerTop();
    const int gridTop = box.rowY(0);
    const int headerBottom = box.headerBottom();
    const int bottom = box.rowY(box.rows);

    for (int c = 0; c <= 7; ++c) {
        const int x = box.columnX(c);
        if (c == 0 || c == 7) {
            const int base = c == 0 ? RuleLeftYear : RuleRightYear;
            if (hasYear)
                lines.draw(base, x, yearTop, x, yearBottom);
            if (hasMonth)
                lines.draw(base + 1, x, monthTop, x, monthBottom);
            lines.draw(base + 2, x, headerTop, x, headerBottom);
            lines.draw(base + 3, x, gridTop, x, bottom);
        } else {
            lines.draw(RuleInnerHeader, x, headerTop, x, headerBottom);
            lines.draw(RuleInnerGrid, x, gridTop, x, bottom);
        }
    }

    const int left = box.columnX(0);
    const int right = box.columnX(7);
    lines.draw(RuleTop, left, yearTop, right, yearTop, true);
    if (hasYear)
        lines.draw(RuleUnderYear, left, yearBottom, right, yearBottom, true);
    if (hasMonth)
        lines.draw(RuleUnderMonth, left, monthBottom, right, monthBottom, true);
    lines.draw(RuleUnderHeader, left, headerBottom, right, headerBottom, true);
    for (int r = 1; r < box.rows; ++r) {
        const int y = box.rowY(r);
        lines.draw(RuleInnerRows, left, y, right, y);
    }
    lines.draw(RuleBottom, left, bottom, right, bottom);
    return lines.ok;
}

bool drawRuleEntry(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item,
                       int entry, int x1, int y1, int x2, int y2) {
    LineDrawer lines{ctx, surface, ruleBlock(item)};
    lines.draw(entry, x1, y1, x2, y2);
    return lines.ok;
}

bool drawSplitDiagonal(RenderContext& ctx, const DrawSurface& surface, const LayoutItem& item,
                           int left, int top, int right, int bottom) {
    LineDrawer lines{ctx, surface, ruleBlock(item)};
    if (!lines.rules.drawRules())
        return true;
    lines.draw(RuleDiagonal, right, top, left, bottom);
    return lines.ok;
}

} // namespace tobirae
