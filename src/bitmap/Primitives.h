// The drawing primitives every renderer uses: fonts, text, lines, filled rectangles, surfaces,
// blits and the page bitmap file. Coordinates are layout pixels (1/96 inch); each primitive scales
// by the DrawSurface's (or the page's) scale and rounds as noted. A renderer selects a FontSpec,
// measures with measureScaledText (layout pixels at the given font scale) and draws with
// drawScaledText / drawScaledLine / fillScaledRect* on the DrawSurface its ItemDrawScope hands out.
#pragma once

#include "bitmap/Canvas.h"
#include "bitmap/RenderContext.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace tobirae {

// A target: dc nullptr means the context's page bitmap with the page scale. A scale of 0 is 1.
struct DrawSurface {
    Canvas* dc = nullptr;
    float scaleX = 1;
    float scaleY = 1;
};

struct PageScale {
    float x = 1;
    float y = 1;
};

// --- rounding -----------------------------------------------------------------------------------
// Half up: truncate toward zero after adding 0.5, in single precision (lines, rects, texts, sizes).
int scalePoint(float value, float scale);
// Nearest, ties to even (blit positions, page bitmap size, offsets).
int scalePointEven(float value, float scale);
int roundHalfEven(double value);
int truncHalfUp(float value); // Fix(value + 0.5)

// --- set-up and scale ---------------------------------------------------------------------------
void initRenderContext(RenderContext& ctx);
bool setPageDpi(RenderContext& ctx, int dpi);
void resetPageScale(RenderContext& ctx);
PageScale currentPageScale(const RenderContext& ctx);
// Editor previews draw z times finer: the page scale becomes z x z (1 x 1 is the plain screen).
bool setPageScale(RenderContext& ctx, float scale);
void setClipSize(RenderContext& ctx, int width, int height);

// --- surfaces -----------------------------------------------------------------------------------
// Pixel size of the page bitmap for a page of width x height layout pixels at the given scale.
QSize pageBitmapSize(float width, float height, float scaleX, float scaleY);
// Bytes a page bitmap of that pixel size needs at the depth; 0 when it overflows.
std::uint64_t pageBitmapBytes(QSize pixels, int bitDepth);
bool createPageBitmap(RenderContext& ctx, float width, float height, int bitDepth);
void releasePageBitmap(RenderContext& ctx);
// The surface is width x height layout pixels at the page scale; with a window (surface pixels)
// only that part of it is kept, the rest of what is drawn falls away.
Canvas* createItemSurface(RenderContext& ctx, float width, float height, int bitDepth,
                              std::optional<QRect> window = std::nullopt);
// The item surface as the part of the target (a bitmap; nullptr dc: the page) that an opaque
// blitSurface of it to (x, y) would cover: what is drawn lands there at once, with no memory of its
// own and no copy. Null when the target is no bitmap, nothing of the surface would land on it,
// or an item surface exists; then create one and blit it.
Canvas* createItemSurfaceInPlace(RenderContext& ctx, const DrawSurface& target, float x,
                                     float y, float width, float height, int xOffset, int yOffset,
                                     std::optional<QRect> window = std::nullopt);
QSize itemSurfaceSize(const RenderContext& ctx, float width, float height);
void releaseItemSurface(RenderContext& ctx);

// --- fonts and text -----------------------------------------------------------------------------
void selectFont(RenderContext& ctx, const FontSpec& font);
// The installed family standing for a face name ("@" prefix removed): Windows faces map to the
// IPA fonts, anything not installed to IPAGothic.
QString substituteFace(const QString& faceName);
// The Japanese names of the Windows faces that have stand-ins ("ＭＳ ゴシック", "ＭＳ 明朝", ...).
QStringList substitutedFaces();
// GDI height for a point size: Fix(scale x P + 0.5), P = -MulDiv(size, dpi, 72).
int fontPixelHeight(int pointSize, int dpi, float scale);
// The font a canvas draws for the current font at a GDI height.
ResolvedFont resolveFontSpec(const FontSpec& font, int height);
// Width and height of the text in the current font at the font scale; for vertical writing the
// width is the thickness and the height the length. {0, 0} on failure.
TextExtent measureScaledText(RenderContext& ctx, Canvas* dc, float fontScale, const QString& text);
// A box width / height of 0 leaves x / y as given; otherwise the text is centred in the box.
bool drawScaledText(RenderContext& ctx, const DrawSurface& surface, float fontScale,
                  const QString& text, float x, float y, Colour colour, bool transparent,
                  float boxLeft = 0, float boxWidth = 0, float boxTop = 0, float boxHeight = 0);

// --- lines and rectangles -----------------------------------------------------------------------
bool drawScaledLine(RenderContext& ctx, const DrawSurface& surface, float x1, float y1, float x2,
                  float y2, Colour colour, int penWidth, int penStyle, bool transparent);
bool drawPixelLine(RenderContext& ctx, Canvas* dc, int x1, int y1, int x2, int y2, Colour colour,
                     int penWidth, int penStyle, bool transparent);
// Clamped to the clip size.
bool fillScaledRect(RenderContext& ctx, const DrawSurface& surface, float left, float top,
                  float right, float bottom, Colour colour, int brushStyle, int hatch,
                  bool transparent);
// Clamped to the item surface's size.
bool fillItemRect(RenderContext& ctx, const DrawSurface& surface, float left, float top,
                      float right, float bottom, Colour colour, int brushStyle, int hatch,
                      bool transparent);
enum SurfaceSizeChoice : int { ClipSize = 0, ItemSurfaceSize = 1 };
bool fillSurface(RenderContext& ctx, Canvas* dc, int whichSize, Colour colour, int brushStyle,
                     int hatch, bool transparent);
// Where blitSurface puts a surface of width x height layout pixels at (x, y): the target pixel of
// the surface's first pixel and how much of the surface it copies (nothing when not positive).
struct BlitArea {
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
};
BlitArea blitArea(const RenderContext& ctx, float x, float y, float width, float height,
                      int xOffset, int yOffset);
bool blitSurface(RenderContext& ctx, const DrawSurface& target, float x, float y, float width,
              float height, const Canvas* source, int sourceX, int sourceY,
              Colour transparentColour, bool transparent, int xOffset, int yOffset);

// --- files --------------------------------------------------------------------------------------
// Writes the page bitmap as a 32-bit bitmap file through a temporary file; false (and no file
// left behind) on failure, or when the file exists and overwrite is false.
bool savePageBitmap(RenderContext& ctx, const QString& path, bool overwrite);
bool fileExists(const QString& path);
// Colour table of a 1-, 4- or 8-bit surface: blue, green, red, 0 per entry; empty otherwise.
std::vector<std::uint8_t> fixedPalette(int bitDepth);

} // namespace tobirae
