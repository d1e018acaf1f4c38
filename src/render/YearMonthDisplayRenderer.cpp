// Year and month display items: one label, auto-sized, fitted and placed in the item.
#include "render/ItemDrawScope.h"
#include "render/KindRenderers.h"
#include "render/MonthText.h"
#include "render/PreviewTarget.h"
#include "render/RenderFrame.h"
#include "render/YearMonthText.h"

#include <algorithm>
#include <exception>

namespace tobirae {

namespace {

enum class Label { Year, Month };

struct LabelGeometry {
    QString text;
    Colour colour = 0;
    float fontScale = 1;
    float x = 0;
    float boxWidth = 0; // non-zero: the text is centred across this width
};

// The text that sizes the content and the fit: the label itself for years, the style's widest
// month for months, so a month item keeps its size through the year.
struct LabelText {
    QString text;
    QString sizing;
};

LabelText labelText(const RenderArgs& args, Label label) {
    if (label == Label::Year) {
        // The era is that of the shown month's first day, so an October 2019 page reads 令和元年
        // like the month boxes beside it, not 平成31年 as 1 January would give.
        QString text = yearText(args.item.element(Year1).Style, args.range.first()).trimmed();
        return {text, text};
    }
    const int style = args.item.element(Month1).Style;
    return {monthText(style, args.range.firstMonth).trimmed(), monthSample(style)};
}

// Selects the label's font and measures the text that sizes the label at its design size.
TextExtent labelSizing(RenderContext& ctx, const RenderArgs& args, Label label) {
    const ContentElement& element = args.item.element(label == Label::Year ? Year1 : Month1);
    selectFont(ctx, element.Font);
    return measureScaledText(ctx, nullptr, 1, labelText(args, label).sizing);
}

// Selects the label's font (it stays selected for drawing) and works out where the label goes.
LabelGeometry labelGeometry(RenderContext& ctx, const RenderArgs& args, Label label) {
    const LayoutItem& item = args.item;
    const ContentElement& element = item.element(label == Label::Year ? Year1 : Month1);

    LabelGeometry g;
    g.text = labelText(args, label).text;
    g.colour = fontColour(element.Font);
    const TextExtent sizing = labelSizing(ctx, args, label);

    if (isTrue(item.FitToRect) && sizing.width > 0 && sizing.height > 0) {
        float availableWidth = item.Width;
        float availableHeight = item.Height;
        if (args.preview) {
            // Years leave a one-pixel margin on each side of the view, months none.
            const int margin = label == Label::Year ? 2 : 0;
            availableWidth = static_cast<float>(args.preview->size().width() - margin);
            availableHeight = static_cast<float>(args.preview->size().height() - margin);
        }
        const float rx = availableWidth / static_cast<float>(sizing.width);
        const float ry = availableHeight / static_cast<float>(sizing.height);
        // Without the aspect kept only the height scales the font: a wide item never stretches
        // the text sideways.
        g.fontScale = isTrue(item.FreeAspect) ? ry : std::min(rx, ry);
    }

    switch (item.HPlacement) {
    case 1:
        if (label == Label::Year) {
            const float width =
                static_cast<float>(measureScaledText(ctx, nullptr, g.fontScale, g.text).width);
            g.x = static_cast<float>(roundHalfEven((item.Width - width) / 2));
        } else {
            // Centred across the view on screen, across the item on the page.
            g.boxWidth =
                args.preview ? static_cast<float>(args.preview->size().width()) : item.Width;
        }
        break;
    case 2:
        g.x = item.Width -
              static_cast<float>(measureScaledText(ctx, nullptr, g.fontScale, g.text).width);
        break;
    default:
        break;
    }
    return g;
}

bool drawLabel(RenderContext& ctx, const RenderArgs& args, Label label) {
    try {
        ItemDrawScope scope(ctx, args);
        const LabelGeometry g = labelGeometry(ctx, args, label);
        if (!scope.ok())
            return false;
        bool ok = true;
        if (!g.text.isEmpty())
            ok = drawScaledText(ctx, scope.surface(), g.fontScale, g.text, g.x, 0, g.colour, true, 0,
                              g.boxWidth);
        return scope.finish() && ok;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

bool drawYearHeading(RenderContext& ctx, const RenderArgs& args) {
    return drawLabel(ctx, args, Label::Year);
}

bool drawMonthHeading(RenderContext& ctx, const RenderArgs& args) {
    return drawLabel(ctx, args, Label::Month);
}

namespace {

// Where the label's text ends on the page: the text's own extent, not the item's; the item
// surface clips it. The text is measured in the font the page draws it in, and placed with the
// drawing's rounding: a text height measured on screen and multiplied up misses the page's by
// pixels that grow with the resolution.
std::optional<ItemExtent> measureLabel(RenderContext& ctx, const RenderArgs& args, Label label) {
    try {
        const LabelGeometry g = labelGeometry(ctx, args, label);
        const PageScale scale = currentPageScale(ctx);
        const TextExtent text = measureScaledText(ctx, nullptr, g.fontScale * scale.y, g.text);
        const float width = static_cast<float>(text.width);
        const int start = g.boxWidth != 0 ? truncHalfUp((g.boxWidth * scale.y - width) / 2)
                                          : scalePoint(g.x, scale.x);
        const ItemExtent surface =
            itemPageExtent(ctx, args.item, args.item.Width, args.item.Height);
        const auto left =
            static_cast<float>(scalePointEven(static_cast<float>(args.itemLeft), scale.x));
        const auto top =
            static_cast<float>(scalePointEven(static_cast<float>(args.itemTop), scale.y));
        return ItemExtent{std::min(left + static_cast<float>(start) + width, surface.right),
                          std::min(top + static_cast<float>(text.height), surface.bottom)};
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

// The sizing text at the font's own size, whether or not the item is fitted to its box.
std::optional<QSize> labelContentSize(RenderContext& ctx, const RenderArgs& args, Label label) {
    try {
        const TextExtent sizing = labelSizing(ctx, args, label);
        return QSize(sizing.width, sizing.height);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

} // namespace

std::optional<QSize> yearHeadingContentSize(RenderContext& ctx, const RenderArgs& args) {
    return labelContentSize(ctx, args, Label::Year);
}

std::optional<QSize> monthHeadingContentSize(RenderContext& ctx, const RenderArgs& args) {
    return labelContentSize(ctx, args, Label::Month);
}

std::optional<ItemExtent> measureYearHeading(RenderContext& ctx, const RenderArgs& args) {
    return measureLabel(ctx, args, Label::Year);
}

std::optional<ItemExtent> measureMonthHeading(RenderContext& ctx, const RenderArgs& args) {
    return measureLabel(ctx, args, Label::Month);
}

} // namespace tobirae
