// The fills of an item at a paper edge growing into the bleed: its band, header and cell
// backgrounds (solid or hatched) that reach the item's edge on a side where the item touches the
// paper are painted on to the bleed edge, under the item. Texts, day numbers and lines are left
// as drawn.
#pragma once

#include "bitmap/PainterCanvas.h"
#include "bitmap/RecordingCanvas.h"

#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <memory>
#include <optional>

namespace tobirae {

// The entry being drawn, as the page learns it just before: its box in page pixels with the
// alignment offset, and the colour of the item background, which grows on its own.
struct BleedItem {
    QRectF box;
    Colour backColour = 0;
    bool touchesEdge = false;
};

// Where a fill of the item in `box` (page pixels, right and bottom excluded) reaches in the
// bleed: grown to the bleed edge on each side where the box lies within `tolerance` of the paper
// edge and the fill within `tolerance` of the box's edge, in whole pixels. Nothing when it grows
// on no side.
std::optional<QRect> grownFill(const QRect& fill, const QRectF& box, const QSizeF& paper,
                               double bleed, double tolerance);

// Where a recorded text lies: its cell of `extent`, turned as its font turns it.
QRectF recordedTextRect(const DrawCall& text, TextExtent extent);

// A PainterCanvas page that, when an item touching the paper edge is copied on, first paints its
// fills grown into the bleed, under the item. Afterwards it closes the strip of item background
// a fill leaves at the item's edge (the bands start a pixel in), where no text or line is drawn,
// so no hairline shows at the cut. The painter's clip keeps everything within the bleed.
class BleedPageCanvas : public PainterCanvas {
public:
    BleedPageCanvas(QPainter& painter, QSize size, std::shared_ptr<FontCache> fonts, QSizeF paper,
                    double bleed, double tolerance, std::shared_ptr<const BleedItem> current);

    bool blit(int x, int y, int w, int h, const Canvas& source, int sx, int sy,
              std::optional<Colour> transparentColour) override;

private:
    void paintFill(const QRect& area, Colour colour, int brushStyle, int hatch,
                   bool transparentBackground);

    QPainter& painter_;
    QSizeF paper_;
    double bleed_;
    double tolerance_;
    std::shared_ptr<const BleedItem> current_;
};

} // namespace tobirae
