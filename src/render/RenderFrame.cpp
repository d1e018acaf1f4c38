#include "render/RenderFrame.h"

#include "render/PreviewTarget.h"

#include <exception>

namespace tobirae {

namespace {

using DrawFn = bool (*)(RenderContext&, const RenderArgs&);
using MeasureFn = std::optional<ItemExtent> (*)(RenderContext&, const RenderArgs&);

struct KindEntry {
    DrawFn draw = nullptr;
    MeasureFn measure = nullptr;
};

// Which renderer draws the item; {} for kinds that draw nothing.
KindEntry kindOf(const LayoutItem& item) {
    switch (item.Category) {
    case CategoryYear:
        return {Fnc_DrawYearItem, Fnc_MeasureYearItem};
    case CategoryMonthFamily:
        switch (item.LayoutVariant) {
        case VariantBox5:
        case VariantBox6:
            return {Fnc_DrawMonthBox, Fnc_MeasureMonthBox};
        case VariantBoxMini:
            return {Fnc_DrawMiniBox, Fnc_MeasureMiniBox};
        case VariantVertical:
            return {Fnc_DrawDayColumn, Fnc_MeasureDayColumn};
        case VariantHorizontal:
            return {Fnc_DrawDayRow, Fnc_MeasureDayRow};
        default:
            return {};
        }
    case CategoryMonthDisplay:
        return {Fnc_DrawMonthItem, Fnc_MeasureMonthItem};
    case CategoryWeekly:
        switch (item.LayoutVariant) {
        case VariantVertical:
            return {Fnc_DrawDayColumn, Fnc_MeasureDayColumn};
        case VariantHorizontal:
            return {Fnc_DrawDayRow, Fnc_MeasureDayRow};
        default:
            return {};
        }
    case CategoryPicture:
        return {Fnc_DrawImageItem, Fnc_MeasureImageItem};
    case CategoryText:
        return {Fnc_DrawTextItem, Fnc_MeasureTextItem};
    default:
        return {};
    }
}

RenderArgs makeArgs(const LayoutItem& item, PreviewTarget* preview, DateRange& range, bool autoSize,
                    DrawSurface page, int xOffset, int yOffset, const QString& layoutFolder) {
    int rows = 0;
    range = Fnc_ShownRange(item, range.firstYear, range.firstMonth, &rows);
    return RenderArgs{item,
                      preview,
                      page,
                      range,
                      autoSize && preview != nullptr,
                      roundHalfEven(item.Left),
                      roundHalfEven(item.Top),
                      xOffset,
                      yOffset,
                      rows,
                      layoutFolder};
}

} // namespace

bool Fnc_LayOutItemDraw(RenderContext& ctx, const LayoutItem& item, PreviewTarget* preview,
                        DateRange& range, bool autoSize, DrawSurface page, int xOffset, int yOffset,
                        const QString& layoutFolder) {
    try {
        const RenderArgs args =
            makeArgs(item, preview, range, autoSize, page, xOffset, yOffset, layoutFolder);
        const KindEntry kind = kindOf(item);
        if (!kind.draw)
            return true;
        return kind.draw(ctx, args);
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<ItemExtent> Fnc_LayOutItemMeasure(RenderContext& ctx, const LayoutItem& item,
                                                DateRange& range, const QString& layoutFolder) {
    try {
        const RenderArgs args =
            makeArgs(item, nullptr, range, false, DrawSurface{}, 0, 0, layoutFolder);
        const KindEntry kind = kindOf(item);
        if (!kind.measure)
            return Fnc_PageExtent(ctx, item, item.Width, item.Height);
        return kind.measure(ctx, args);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace tobirae
