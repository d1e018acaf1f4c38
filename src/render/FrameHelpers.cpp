#include "document/ResolutionTable.h"
#include "render/PreviewTarget.h"
#include "render/RenderFrame.h"

#include <cmath>
#include <limits>

namespace tobirae {

namespace {

int cutTo(int value, int cells) {
    return cells > 1 ? value / cells * cells : value;
}

} // namespace

ContentFit fitContent(const LayoutItem& item, const PreviewTarget* preview, ContentFitting fitting,
                      int cutX, int cutY) {
    ContentFit fit{cutTo(item.DesignWidth, cutX), cutTo(item.DesignHeight, cutY), 1, 1};
    if (fitting == ContentFitting::Natural || !isTrue(item.FitToRect))
        return fit;
    if (item.DesignWidth <= 0 || item.DesignHeight <= 0)
        return fit;
    float availableWidth = item.Width;
    float availableHeight = item.Height;
    if (preview) {
        availableWidth = static_cast<float>(preview->size().width() - 4);
        availableHeight = static_cast<float>(preview->size().height() - 4);
    }
    float sx = availableWidth / static_cast<float>(item.DesignWidth);
    float sy = availableHeight / static_cast<float>(item.DesignHeight);
    int width = roundHalfEven(availableWidth);
    int height = roundHalfEven(availableHeight);
    if (!isTrue(item.FreeAspect)) {
        if (sx > sy) {
            sx = sy;
            width = roundHalfEven(sy * static_cast<float>(item.DesignWidth));
        } else {
            sy = sx;
            height = roundHalfEven(sx * static_cast<float>(item.DesignHeight));
        }
    }
    fit.width = cutTo(width, cutX);
    fit.height = cutTo(height, cutY);
    fit.scaleX = sx;
    fit.scaleY = sy;
    return fit;
}

int contentPlacementOffset(int placement, float itemSize, float contentSize) {
    switch (placement) {
    case 1: {
        const float difference = itemSize - contentSize;
        return difference == 0 ? 0 : roundHalfEven(difference / 2);
    }
    case 2:
        return roundHalfEven(itemSize - contentSize - 1);
    default:
        return 0;
    }
}

float sampleBoxOffset(int align, float sampleWidth, float textWidth) {
    switch (align) {
    case 1:
        return (sampleWidth - textWidth) / 2;
    case 2:
        return sampleWidth - textWidth;
    default:
        return 0;
    }
}

ItemExtent itemPageExtent(const RenderContext& ctx, const LayoutItem& item, float contentWidth,
                          float contentHeight) {
    return ItemExtent{(item.Left + contentWidth) * ctx.pageScaleX,
                      (item.Top + contentHeight) * ctx.pageScaleY};
}

Colour colourFromText(const QString& text, Colour defaultColour) {
    QString value = text.trimmed();
    if (value.isEmpty())
        return defaultColour;
    bool ok = false;
    if (value.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        QString digits = value.mid(2);
        if (digits.endsWith(QLatin1Char('&')))
            digits.chop(1);
        if (digits.isEmpty() || digits.size() > 8)
            return defaultColour;
        const qulonglong number = digits.toULongLong(&ok, 16);
        return ok ? static_cast<Colour>(static_cast<std::uint32_t>(number)) : defaultColour;
    }
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number) || number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        return defaultColour;
    return static_cast<Colour>(roundHalfEven(number));
}

Colour fontColour(const FontSpec& font) {
    return colourFromText(font.ForeColor.text(), 0);
}

int resolutionIndexOfDpi(int dpi) {
    return dpiToResolutionIndex(dpi);
}

// The renderer has no display to ask, so the screen entry is the layout resolution.
int dpiOfResolutionIndex(int index) {
    return resolutionIndexToDpi(index, kLayoutDpi);
}

QSizeF paperDefaultSize(int paperIndex) {
    return paperIndex == 0 ? QSizeF(297, 210) : QSizeF(0, 0);
}

QSize canvasSizeForPaper(float paperWidthMm, float paperHeightMm) {
    const double perMm = kLayoutDpi / 25.4;
    return {roundHalfEven(paperWidthMm * perMm), roundHalfEven(paperHeightMm * perMm)};
}

Colour cellBackColour(const LayoutItem& item, int row, int column) {
    const int index = 9 + 7 * row + column;
    if (row < 0 || row > 5 || column < 0 || column > 6)
        return item.BackColor;
    return item.CellBackColor[static_cast<std::size_t>(index)];
}

void setCellBackColour(LayoutItem& item, int row, int column, Colour colour) {
    if (row < 0 || row > 5 || column < 0 || column > 6)
        return;
    item.CellBackColor[static_cast<std::size_t>(9 + 7 * row + column)] = colour;
}

} // namespace tobirae
