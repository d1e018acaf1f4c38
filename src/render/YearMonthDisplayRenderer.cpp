// Year and month display items: not drawn yet.
#include "render/KindRenderers.h"
#include "render/RenderFrame.h"

namespace tobirae {

bool Fnc_DrawYearItem(RenderContext&, const RenderArgs&) {
    return true;
}

std::optional<ItemExtent> Fnc_MeasureYearItem(RenderContext& ctx, const RenderArgs& args) {
    return Fnc_ContentExtent(ctx, args.item, args.item.Width, args.item.Height);
}

bool Fnc_DrawMonthItem(RenderContext&, const RenderArgs&) {
    return true;
}

std::optional<ItemExtent> Fnc_MeasureMonthItem(RenderContext& ctx, const RenderArgs& args) {
    return Fnc_ContentExtent(ctx, args.item, args.item.Width, args.item.Height);
}

} // namespace tobirae
