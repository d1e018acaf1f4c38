#include "render/CellTextFit.h"

#include "bitmap/Primitives.h"

#include <algorithm>

namespace tobirae {

namespace {

float widthOf(RenderContext& ctx, float scale, const QString& text) {
    return static_cast<float>(measureScaledText(ctx, nullptr, scale, text).width);
}

} // namespace

FittedText fitTextInCell(RenderContext& ctx, float fontScale, const QString& text, float x,
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
    // The longest beginning that fits with the ellipsis, one character at least. Widths grow with
    // the length, so halving the lengths left finds it in a few measures, even for a long run of
    // the user's day names.
    const QString ellipsis(QChar(0x2026));
    qsizetype kept = 1;
    qsizetype shortest = 2;
    qsizetype longest = text.size() - 1;
    while (shortest <= longest) {
        const qsizetype length = shortest + (longest - shortest) / 2;
        if (widthOf(ctx, out.fontScale, text.left(length) + ellipsis) <= room) {
            kept = length;
            shortest = length + 1;
        } else {
            longest = length - 1;
        }
    }
    out.text = text.left(kept) + ellipsis;
    return out;
}

} // namespace tobirae
