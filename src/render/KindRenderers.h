// The kind renderers the frame dispatches to, each with two measuring twins that run the same
// geometry function without drawing. A renderer takes the context and the RenderArgs, opens an
// ItemDrawScope, draws, finishes the scope and returns true on success. measure* twins return
// the right and bottom edge the page drawing would reach (page pixels); *ContentSize twins the
// layout pixels the content takes at its design size (what an item that fits its contents
// becomes). Both give nullopt on failure.
#pragma once

#include "bitmap/RenderContext.h"
#include "render/RenderArgs.h"

#include <QSize>
#include <optional>

namespace tobirae {

struct ItemExtent {
    float right = 0;
    float bottom = 0;
};

// Five-row, six-row and mini month boxes (MonthBoxRenderer.cpp).
bool drawMonthBox(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> measureMonthBox(RenderContext& ctx, const RenderArgs& args);
std::optional<QSize> monthBoxContentSize(RenderContext& ctx, const RenderArgs& args);
bool drawMiniBox(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> measureMiniBox(RenderContext& ctx, const RenderArgs& args);
std::optional<QSize> miniBoxContentSize(RenderContext& ctx, const RenderArgs& args);

// One-month and weekly lists, vertical and horizontal (DayListRenderer.cpp).
bool drawDayColumn(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> measureDayColumn(RenderContext& ctx, const RenderArgs& args);
std::optional<QSize> dayColumnContentSize(RenderContext& ctx, const RenderArgs& args);
bool drawDayRow(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> measureDayRow(RenderContext& ctx, const RenderArgs& args);
std::optional<QSize> dayRowContentSize(RenderContext& ctx, const RenderArgs& args);

// Year and month display (YearMonthDisplayRenderer.cpp).
bool drawYearHeading(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> measureYearHeading(RenderContext& ctx, const RenderArgs& args);
std::optional<QSize> yearHeadingContentSize(RenderContext& ctx, const RenderArgs& args);
bool drawMonthHeading(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> measureMonthHeading(RenderContext& ctx, const RenderArgs& args);
std::optional<QSize> monthHeadingContentSize(RenderContext& ctx, const RenderArgs& args);

// Text items with their fields (TextItemRenderer.cpp).
bool drawTextItem(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> measureTextItem(RenderContext& ctx, const RenderArgs& args);
std::optional<QSize> textItemContentSize(RenderContext& ctx, const RenderArgs& args);

// Pictures (ImageItemRenderer.cpp).
bool drawImageItem(RenderContext& ctx, const RenderArgs& args);
std::optional<ItemExtent> measureImageItem(RenderContext& ctx, const RenderArgs& args);
std::optional<QSize> imageItemContentSize(RenderContext& ctx, const RenderArgs& args);

} // namespace tobirae
