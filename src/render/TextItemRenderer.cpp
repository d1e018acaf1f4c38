// Text items: the lines of the item's text with their fields replaced for the page's month,
// placed in the item box by HPlacement and VPlacement. Vertical writing sets the lines as
// columns from right to left. With a background the item is drawn like any other (its surface
// filled, the transparent colour left out); without one the letters alone reach the page.
#include "bitmap/SurfaceTarget.h"
#include "render/ItemDrawScope.h"
#include "render/KindRenderers.h"
#include "render/RenderFrame.h"
#include "render/TextFields.h"

#include <cmath>
#include <QRegularExpression>
#include <algorithm>
#include <exception>

namespace tobirae {

namespace {

// Text items keep their style in the first element's font.
constexpr int kTextFontElement = Year1;

struct PlacedLine {
    QString text;
    float x = 0;
    float y = 0;
};

float placed(int placement, float room, float size) {
    switch (placement) {
    case 1:
        return static_cast<float>(roundHalfEven((room - size) / 2));
    case 2:
        return room - size;
    default:
        return 0;
    }
}

// Selects the item's font (it stays selected for drawing) and places every line; `block` gets
// the size all lines take together.
std::vector<PlacedLine> layoutLines(RenderContext& ctx, const RenderArgs& args,
                                    TextExtent* block = nullptr) {
    const LayoutItem& item = args.item;
    const FontSpec& font = item.element(kTextFontElement).Font;
    selectFont(ctx, font);
    const auto month = std::chrono::year{args.range.firstYear} /
                       std::chrono::month{static_cast<unsigned>(args.range.firstMonth)};
    const QStringList lines =
        expandTextFields(item.Ext.text, month, ctx.ownDays, ctx.weeklyDaysOff)
            .split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    // An empty line keeps the height (or, written vertically, the width) of a line.
    const TextExtent blank = measureScaledText(ctx, nullptr, 1, QStringLiteral("あ"));
    const bool vertical = font.Vertical == 1;
    std::vector<TextExtent> extents;
    float across = 0; // lines stacked: total height, or total width of the columns
    int along = 0;    // the longest line
    for (const QString& line : lines) {
        TextExtent e = line.isEmpty() ? blank : measureScaledText(ctx, nullptr, 1, line);
        if (line.isEmpty())
            (vertical ? e.height : e.width) = 0;
        extents.push_back(e);
        across += static_cast<float>(vertical ? e.width : e.height);
        along = std::max(along, vertical ? e.height : e.width);
    }
    if (block) {
        const int stacked = static_cast<int>(std::ceil(across));
        *block = vertical ? TextExtent{stacked, along} : TextExtent{along, stacked};
    }

    std::vector<PlacedLine> out;
    if (vertical) {
        float right = placed(item.HPlacement, item.Width, across) + across;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const TextExtent& e = extents[static_cast<std::size_t>(i)];
            right -= static_cast<float>(e.width);
            out.push_back({lines[i], right,
                           placed(item.VPlacement, item.Height, static_cast<float>(e.height))});
        }
    } else {
        float top = placed(item.VPlacement, item.Height, across);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const TextExtent& e = extents[static_cast<std::size_t>(i)];
            out.push_back(
                {lines[i], placed(item.HPlacement, item.Width, static_cast<float>(e.width)), top});
            top += static_cast<float>(e.height);
        }
    }
    return out;
}

bool drawLines(RenderContext& ctx, const DrawSurface& surface, const RenderArgs& args, float dx,
               float dy) {
    const std::vector<PlacedLine> lines = layoutLines(ctx, args);
    const Colour colour = fontColour(args.item.element(kTextFontElement).Font);
    bool ok = true;
    for (const PlacedLine& line : lines)
        if (!line.text.isEmpty())
            ok &= drawScaledText(ctx, surface, 1, line.text, line.x + dx, line.y + dy, colour, true);
    return ok;
}

} // namespace

bool drawTextItem(RenderContext& ctx, const RenderArgs& args) {
    try {
        // Without a background the text goes straight onto the page: whatever lies under the
        // item shows around the letters, and a PDF keeps them as text.
        if (!args.preview && !args.item.Ext.textBackground) {
            const ResolvedTarget target = resolveTarget(ctx, args.page);
            return drawLines(ctx, args.page, args,
                             static_cast<float>(args.itemLeft) +
                                 static_cast<float>(args.xOffset) / target.scaleX,
                             static_cast<float>(args.itemTop) +
                                 static_cast<float>(args.yOffset) / target.scaleY);
        }
        ItemDrawScope scope(ctx, args);
        if (!scope.ok())
            return false;
        const bool ok = drawLines(ctx, scope.surface(), args, 0, 0);
        return scope.finish() && ok;
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<ItemExtent> measureTextItem(RenderContext& ctx, const RenderArgs& args) {
    // The item box: text placed inside it is what the drawing reaches.
    return itemPageExtent(ctx, args.item, args.item.Width, args.item.Height);
}

// Fitting its contents, a text item takes the size of its lines, so none is cut off.
std::optional<QSize> textItemContentSize(RenderContext& ctx, const RenderArgs& args) {
    TextExtent block;
    layoutLines(ctx, args, &block);
    return QSize(block.width, block.height);
}

} // namespace tobirae
