// One-month and weekly lists: not drawn yet.
#include "render/KindRenderers.h"
#include "render/RenderFrame.h"

namespace tobirae {

bool Fnc_DrawDayColumn(RenderContext&, const RenderArgs&) {
    return true;
}

std::optional<ItemExtent> Fnc_MeasureDayColumn(RenderContext& ctx, const RenderArgs& args) {
    return Fnc_ContentExtent(ctx, args.item, args.item.Width, args.item.Height);
}

bool Fnc_DrawDayRow(RenderContext&, const RenderArgs&) {
    return true;
}

std::optional<ItemExtent> Fnc_MeasureDayRow(RenderContext& ctx, const RenderArgs& args) {
    return Fnc_ContentExtent(ctx, args.item, args.item.Width, args.item.Height);
}

} // namespace tobirae
