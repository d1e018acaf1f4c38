// Picture items: not drawn yet.
#include "render/KindRenderers.h"
#include "render/RenderFrame.h"

namespace tobirae {

bool Fnc_DrawImageItem(RenderContext&, const RenderArgs&) {
    return true;
}

std::optional<ItemExtent> Fnc_MeasureImageItem(RenderContext& ctx, const RenderArgs& args) {
    return Fnc_ContentExtent(ctx, args.item, args.item.Width, args.item.Height);
}

} // namespace tobirae
