#include "render/CellTextFit.h"

#include "bitmap/Primitives.h"

#include <algorithm>

namespace tobirae {

namespace {

float widthOf(RenderContext& ctx, float scale, const QString& text) {
    return static_cast<float>(Fnc_MeasureText(ctx, nullptr, scale, text).width);
}

} // namespace

FittedText Fnc_FitTextInCell(RenderContext& ctx, float fontScale, const QString& text, float x,
                             float left, float right) {
    FittedText out{text, x, fontScale};
    const float room = right - left;
    float width = widthOf(ctx, fontScale, text);
    if (text.isEmpty() || room <= 0 || x + width <= right)
        return out;
    if (width <= room) {
        out.x = std::max(left, right - width);
        return out;
    }
    out.x = left;
    out.fontScale = std::max(fontScale * kMinFitShare, fontScale * room / width);
    width = widthOf(ctx, out.fontScale, text);
    // Text extents are whole pixels: shrink a step further while rounding keeps it too wide.
    for (int i = 0; i < 4 && width > room && out.fontScale > fontScale * kMinFitShare; ++i) {
        out.fontScale = std::max(fontScale * kMinFitShare, out.fontScale * 0.95f);
        width = widthOf(ctx, out.fontScale, text);
    }
    if (width <= room)
        return out;
    const QString ellipsis(QChar(0x2026));
    QString cut = text;
    while (cut.size() > 1 && widthOf(ctx, out.fontScale, cut + ellipsis) > room)
        cut.chop(1);
    out.text = cut + ellipsis;
    return out;
}

} // namespace tobirae
