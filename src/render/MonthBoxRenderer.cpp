// Month boxes: not drawn yet.
#include "render/KindRenderers.h"
#include "render/RenderFrame.h"

namespace tobirae {

bool Fnc_DrawMonthBox(RenderContext&, const RenderArgs&) {
    return true;
}

std::optional<ItemExtent> Fnc_MeasureMonthBox(RenderContext& ctx, const RenderArgs& args) {
    return Fnc_ContentExtent(ctx, args.item, args.item.Width, args.item.Height);
}

bool Fnc_DrawMiniBox(RenderContext&, const RenderArgs&) {
    return true;
}

std::optional<ItemExtent> Fnc_MeasureMiniBox(RenderContext& ctx, const RenderArgs& args) {
    return Fnc_ContentExtent(ctx, args.item, args.item.Width, args.item.Height);
}

} // namespace tobirae
