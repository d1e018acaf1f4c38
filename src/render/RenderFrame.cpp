#include "render/RenderFrame.h"

#include "render/PreviewTarget.h"

#include <cmath>
#include <exception>

namespace tobirae {

namespace {

using DrawFn = bool (*)(RenderContext&, const RenderArgs&);
using MeasureFn = std::optional<ItemExtent> (*)(RenderContext&, const RenderArgs&);
using ContentSizeFn = std::optional<QSize> (*)(RenderContext&, const RenderArgs&);

struct KindEntry {
    DrawFn draw = nullptr;
    MeasureFn measure = nullptr;
    ContentSizeFn contentSize = nullptr;
};

// Which renderer draws the item; {} for kinds that draw nothing.
KindEntry kindOf(const LayoutItem& item) {
    switch (item.Category) {
    case CategoryYear:
        return {drawYearHeading, measureYearHeading, yearHeadingContentSize};
    case CategoryMonthFamily:
        switch (item.LayoutVariant) {
        case VariantBox5:
        case VariantBox6:
            return {drawMonthBox, measureMonthBox, monthBoxContentSize};
        case VariantBoxMini:
            return {drawMiniBox, measureMiniBox, miniBoxContentSize};
        case VariantVertical:
            return {drawDayColumn, measureDayColumn, dayColumnContentSize};
        case VariantHorizontal:
            return {drawDayRow, measureDayRow, dayRowContentSize};
        default:
            return {};
        }
    case CategoryMonthDisplay:
        return {drawMonthHeading, measureMonthHeading, monthHeadingContentSize};
    case CategoryWeekly:
        switch (item.LayoutVariant) {
        case VariantVertical:
            return {drawDayColumn, measureDayColumn, dayColumnContentSize};
        case VariantHorizontal:
            return {drawDayRow, measureDayRow, dayRowContentSize};
        default:
            return {};
        }
    case CategoryPicture:
        return {drawImageItem, measureImageItem, imageItemContentSize};
    case CategoryText:
        return {drawTextItem, measureTextItem, textItemContentSize};
    default:
        return {};
    }
}

RenderArgs makeArgs(const LayoutItem& item, PreviewTarget* preview, DateRange& range,
                    DrawSurface page, int xOffset, int yOffset, const QString& layoutFolder) {
    int rows = 0;
    range = shownRange(item, range.firstYear, range.firstMonth, &rows);
    return RenderArgs{item,     preview, page,    range, item.Left,
                      item.Top, xOffset, yOffset, rows,  layoutFolder};
}

} // namespace

bool drawLayoutItem(RenderContext& ctx, const LayoutItem& item, PreviewTarget* preview,
                    DateRange& range, DrawSurface page, int xOffset, int yOffset,
                    const QString& layoutFolder) {
    try {
        const RenderArgs args =
            makeArgs(item, preview, range, page, xOffset, yOffset, layoutFolder);
        const KindEntry kind = kindOf(item);
        if (!kind.draw)
            return true;
        return kind.draw(ctx, args);
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<ItemExtent> measureLayoutItem(RenderContext& ctx, const LayoutItem& item,
                                                DateRange& range, const QString& layoutFolder) {
    try {
        const RenderArgs args = makeArgs(item, nullptr, range, DrawSurface{}, 0, 0, layoutFolder);
        const KindEntry kind = kindOf(item);
        if (!kind.measure)
            return itemPageExtent(ctx, item, item.Width, item.Height);
        return kind.measure(ctx, args);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<QSize> contentSize(RenderContext& ctx, const LayoutItem& item, DateRange& range,
                                 const QString& layoutFolder) {
    try {
        const RenderArgs args = makeArgs(item, nullptr, range, DrawSurface{}, 0, 0, layoutFolder);
        const KindEntry kind = kindOf(item);
        if (!kind.contentSize)
            return itemBoxSize(item);
        return kind.contentSize(ctx, args);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

QSize itemBoxSize(const LayoutItem& item) {
    return QSize(static_cast<int>(std::lround(item.Width)),
                 static_cast<int>(std::lround(item.Height)));
}

} // namespace tobirae
