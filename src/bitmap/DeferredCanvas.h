// DeferredCanvas: an item surface for pages painted through a QPainter (PDF, printer). It keeps
// the drawing calls instead of pixels and replays them where the surface is blitted, so texts,
// lines and rectangles reach the page as vectors. Text metrics are those of ImageCanvas, so an
// item is laid out exactly as on the page bitmap.
#pragma once

#include "bitmap/ImageCanvas.h"

#include <functional>
#include <memory>
#include <vector>

namespace tobirae {

class DeferredCanvas : public Canvas {
public:
    DeferredCanvas(int width, int height);

    int width() const override { return width_; }
    int height() const override { return height_; }

    TextExtent textExtent(const ResolvedFont& font, const QString& text) override;
    bool drawText(const ResolvedFont& font, int x, int y, const QString& text, Colour colour,
                  bool transparentBackground) override;
    bool drawLine(int x1, int y1, int x2, int y2, Colour colour, int penWidth, int penStyle,
                  bool transparentBackground) override;
    bool fillRect(int left, int top, int right, int bottom, Colour colour, int brushStyle,
                  int hatch, bool transparentBackground) override;
    bool blit(int x, int y, int w, int h, const Canvas& source, int sx, int sy,
              std::optional<Colour> transparentColour) override;
    bool drawPicture(const QRect& dest, const QRect& visible, const QImage& part,
                     int opacity) override;

    // Draws everything kept, in order, onto the target shifted by (dx, dy); false when a call
    // failed there. The target clips: calls reach beyond this surface as they were made.
    bool replay(Canvas& target, int dx, int dy) const;

    // The surface as pixels, exactly as an ImageCanvas of its size and origin would hold them.
    QImage rasterised() const;

private:
    using Call = std::function<bool(Canvas& target, int dx, int dy)>;

    int width_;
    int height_;
    std::vector<Call> calls_;
    FontCache fonts_; // only measures: text extents as on the bitmap
};

} // namespace tobirae
