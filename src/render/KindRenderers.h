// The kind renderers the frame dispatches to, each with a measuring twin that runs the same
// geometry function without drawing. A renderer takes the context and the RenderArgs, opens an
// ItemDrawScope, draws, finishes the scope and returns true on success. Measuring twins return
// the right and bottom edge the drawing would reach (page pixels) or nullopt on failure.
#pragma once

#include "bitmap/RenderContext.h"
#include "render/RenderArgs.h"

#include <optional>

namespace tobirae {

struct ItemExtent {
    float right = 0;
    float bottom = 0;
};

// Five-row, six-row and mini month boxes (MonthBoxRenderer.cpp).
bool Fnc_DrawMonthBox(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> Fnc_MeasureMonthBox(RenderContext& ctx, const RenderArgs& args);
bool Fnc_DrawMiniBox(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> Fnc_MeasureMiniBox(RenderContext& ctx, const RenderArgs& args);

// One-month and weekly lists, vertical and horizontal (DayListRenderer.cpp).
bool Fnc_DrawDayColumn(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> Fnc_MeasureDayColumn(RenderContext& ctx, const RenderArgs& args);
bool Fnc_DrawDayRow(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> Fnc_MeasureDayRow(RenderContext& ctx, const RenderArgs& args);

// Year and month display (YearMonthDisplayRenderer.cpp).
bool Fnc_DrawYearItem(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> Fnc_MeasureYearItem(RenderContext& ctx, const RenderArgs& args);
bool Fnc_DrawMonthItem(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> Fnc_MeasureMonthItem(RenderContext& ctx, const RenderArgs& args);

// Text items with their fields (TextItemRenderer.cpp).
bool Fnc_DrawTextItem(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> Fnc_MeasureTextItem(RenderContext& ctx, const RenderArgs& args);

// Pictures (ImageItemRenderer.cpp).
bool Fnc_DrawImageItem(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> Fnc_MeasureImageItem(RenderContext& ctx, const RenderArgs& args);

} // namespace tobirae
