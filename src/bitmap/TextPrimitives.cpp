#include "bitmap/Primitives.h"
#include "bitmap/SurfaceTarget.h"

#include <QChar>
#include <algorithm>
#include <cmath>
#include <exception>

namespace tobirae {

namespace {

// Layout pixels are 1/96 inch, and every surface is a memory surface of the screen.
constexpr int kSurfaceDpi = kLayoutDpi;

// MulDiv: a x b / c rounded half away from zero.
int mulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

// The face name as the font uses it: cut at the first NUL, blanks trimmed on both sides.
QString trimmedFace(const FontSpec& font) {
    QString face = font.FaceName.text();
    const auto nul = face.indexOf(QChar(0));
    if (nul >= 0)
        face.truncate(nul);
    return face.trimmed();
}

Canvas* measuringCanvas(RenderContext& ctx, Canvas* dc) {
    if (dc)
        return dc;
    if (ctx.pageBitmap)
        return ctx.pageBitmap.get();
    if (ctx.itemSurface)
        return ctx.itemSurface.get();
    if (!ctx.measureCanvas)
        ctx.measureCanvas = ctx.surfaceFactory(4, 1, kScreenBitDepth);
    return ctx.measureCanvas.get();
}

} // namespace

void selectFont(RenderContext& ctx, const FontSpec& font) {
    ctx.currentFont = font;
}

int pointHeight(int pointSize, int dpi) {
    return -mulDiv(pointSize, dpi, 72);
}

int fontPixelHeight(int pointSize, int dpi, float scale) {
    return truncHalfUp(scale * static_cast<float>(pointHeight(pointSize, dpi)));
}

namespace {

ResolvedFont resolveFont(const FontSpec& font, const QString& face, const QString& family,
                         int height) {
    ResolvedFont resolved;
    resolved.family = family;
    resolved.height = height;
    resolved.bold = isTrue(font.Bold);
    resolved.italic = isTrue(font.Italic);
    resolved.underline = isTrue(font.Underline);
    resolved.strikeOut = isTrue(font.StrikeOut);
    switch (font.Vertical) {
    case 1:
        resolved.escapement = 2700;
        break;
    case 2:
        resolved.escapement = 0;
        break;
    default:
        resolved.escapement = static_cast<int>(
            std::clamp<long long>(static_cast<long long>(font.Angle) * 10, -3600000, 3600000));
        break;
    }
    resolved.verticalWriting = font.Vertical == 1 && face.startsWith(QLatin1Char('@'));
    return resolved;
}

// The current font's face is kept trimmed once a font has been made from it. Trimming and
// substituting cost more than the rest of a font, so they are done once per face name.
ResolvedFont currentFontAt(RenderContext& ctx, int height) {
    if (!ctx.currentFace || ctx.currentFace->name != ctx.currentFont.FaceName) {
        const QString face = trimmedFace(ctx.currentFont);
        if (face != ctx.currentFont.FaceName.text())
            ctx.currentFont.FaceName.setText(face);
        const QString stored = trimmedFace(ctx.currentFont);
        ctx.currentFace = RenderContext::ResolvedFace{ctx.currentFont.FaceName, stored,
                                                      substituteFace(stored)};
    }
    return resolveFont(ctx.currentFont, ctx.currentFace->face, ctx.currentFace->family, height);
}

} // namespace

ResolvedFont resolveFontSpec(const FontSpec& font, int height) {
    const QString face = trimmedFace(font);
    return resolveFont(font, face, substituteFace(face), height);
}

TextExtent measureScaledText(RenderContext& ctx, Canvas* dc, float fontScale, const QString& text) {
    try {
        Canvas* canvas = measuringCanvas(ctx, dc);
        if (!canvas)
            return {};
        const int height = fontPixelHeight(ctx.currentFont.Size, kSurfaceDpi, fontScale);
        const ResolvedFont font = currentFontAt(ctx, height);
        const TextExtent extent = canvas->textExtent(font, text);
        if (ctx.currentFont.Vertical == 1)
            return {extent.height, extent.width};
        return extent;
    } catch (const std::exception&) {
        return {};
    }
}

bool drawScaledText(RenderContext& ctx, const DrawSurface& surface, float fontScale,
                  const QString& text, float x, float y, Colour colour, bool transparent,
                  float boxLeft, float boxWidth, float boxTop, float boxHeight) {
    try {
        const ResolvedTarget target = resolveTarget(ctx, surface);
        if (!target.canvas)
            return false;
        int x0 = scalePoint(x, target.scaleX);
        int y0 = scalePoint(y, target.scaleY);

        const float s = ctx.pageScaleY;
        const int p = pointHeight(ctx.currentFont.Size, kSurfaceDpi);
        int height = p;
        if (fontScale != 0)
            height = truncHalfUp((s == 0 ? fontScale : fontScale * s) * static_cast<float>(p));
        const ResolvedFont font = currentFontAt(ctx, height);
        const TextExtent extent = target.canvas->textExtent(font, text);
        const float cx = static_cast<float>(extent.width);
        const float cy = static_cast<float>(extent.height);

        if (ctx.currentFont.Vertical != 1) {
            if (boxWidth != 0)
                x0 = truncHalfUp((s * boxWidth - cx) / 2 + s * boxLeft);
            if (boxHeight != 0)
                y0 = truncHalfUp((s * boxHeight - cy) / 2 + s * boxTop);
        } else {
            // The turned text extends to the left of its reference point.
            if (boxHeight != 0)
                y0 = truncHalfUp((s * boxHeight - cx) / 2 + s * boxTop);
            if (boxWidth != 0)
                x0 = truncHalfUp((s * boxWidth - cy) / 2 + s * boxLeft);
            x0 += extent.height;
        }
        return target.canvas->drawText(font, x0, y0, text, colour, transparent);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace tobirae
