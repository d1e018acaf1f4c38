// PainterCanvas: a page drawn through a QPainter on any paint device (QPdfWriter, QPrinter,
// QPicture), one painter unit per page pixel. Texts stay text, lines and rectangles stay vectors
// placed on the page's pixel grid, pictures go in at their own resolution. What only pixels can
// express (hatched fills, an item whose transparent colour is left out) goes in as an image at the
// page resolution, composed exactly as on the page bitmap. Item surfaces drawn onto it are
// RecordingCanvas objects measuring as the bitmap does (see useDeferredSurfaces).
#pragma once

#include "bitmap/ImageCanvas.h"

#include <memory>
#include <optional>

class QPainter;

namespace tobirae {

struct RenderContext;

class PainterCanvas : public Canvas {
public:
    // The painter must be active and outlive the canvas; size is the page in page pixels.
    // Fonts shared with the page's item surfaces (useDeferredSurfaces) measure each text once.
    PainterCanvas(QPainter& painter, QSize size,
                  std::shared_ptr<FontCache> fonts = std::make_shared<FontCache>());
    ~PainterCanvas() override;

    int width() const override { return size_.width(); }
    int height() const override { return size_.height(); }

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

private:
    QPainter& painter_;
    QSize size_;
    std::shared_ptr<FontCache> fonts_; // text extents exactly as on the page bitmap
};

// Makes the context draw its item surfaces as recordings with the page bitmap's text metrics,
// replayed onto a PainterCanvas page.
void useDeferredSurfaces(RenderContext& ctx,
                         std::shared_ptr<FontCache> fonts = std::make_shared<FontCache>());

} // namespace tobirae
