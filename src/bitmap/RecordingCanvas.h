// RecordingCanvas: a Canvas that keeps every drawing call, in device pixels, instead of pixels.
// Pages painted through a QPainter (PDF, printer) draw their item surfaces on one and replay the
// calls where the surface is blitted, so texts, lines and rectangles reach the page as vectors;
// those measure text as the page bitmap does. Tests read the calls to assert what a renderer drew
// and where, with deterministic metrics: em = |height| (16 when 0), ASCII advances em / 2, others
// em. A blit of one recording onto another also lists the source's calls, shifted to where they
// land (marked copied; a replay draws the blit itself instead).
#pragma once

#include "bitmap/ImageCanvas.h"
#include "bitmap/PainterInk.h"

#include <QImage>
#include <QString>
#include <memory>
#include <vector>

namespace tobirae {

struct RenderContext;
class RecordingCanvas;

struct DrawCall {
    enum Kind { Text, Line, Rect, Blit, Picture };
    Kind kind = Text;
    // Text: x1, y1 = reference point. Line: from (x1, y1) to (x2, y2). Rect: left, top, right,
    // bottom. Blit: destination x1, y1, size x2 x y2. Picture: the visible part, x1, y1, size
    // x2 x y2.
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Colour colour = 0;
    bool transparent = false;
    QString text{};                                     // Text
    ResolvedFont font{};                                // Text
    int penWidth = 0;                                   // Line
    int penStyle = 0;                                   // Line
    int brushStyle = 0;                                 // Rect
    int hatch = 0;                                      // Rect
    std::optional<Colour> transparentColour{};          // Blit
    int sx = 0, sy = 0;                                 // Blit: where in the source
    QPoint sourceOrigin{};                              // Blit
    std::shared_ptr<const RecordingCanvas> recording{}; // Blit: the source, when a recording
    QRect dest{};                                       // Picture: the whole picture
    QImage image{};      // Blit: the source's pixels otherwise; Picture: the part drawn
    int opacity = 0;     // Picture
    bool copied = false; // copied here from a blitted recording
};

class RecordingCanvas : public Canvas {
public:
    // With the page's fonts it measures as the page bitmap does, sharing what they have measured
    // with the page it is replayed on; without them it measures with the fixed metrics.
    RecordingCanvas(int width, int height, std::shared_ptr<FontCache> pageFonts = {});

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

    const std::vector<DrawCall>& calls() const { return calls_; }
    std::vector<DrawCall> callsOf(DrawCall::Kind kind) const;
    std::vector<DrawCall> texts() const { return callsOf(DrawCall::Text); }
    std::vector<DrawCall> lines() const { return callsOf(DrawCall::Line); }
    std::vector<DrawCall> rects() const { return callsOf(DrawCall::Rect); }
    void clearCalls() { calls_.clear(); }

    // Draws every call made here, in order, onto the target shifted by (dx, dy); false when one
    // failed there. Fills are clipped to this surface; the target clips the rest.
    bool replay(Canvas& target, int dx, int dy) const;
    // The surface as pixels, exactly as an ImageCanvas of its size and origin would hold them.
    QImage rasterised() const;

private:
    bool replayCall(const DrawCall& call, Canvas& target, int dx, int dy) const;

    int width_;
    int height_;
    std::shared_ptr<FontCache> pageFonts_;
    std::vector<DrawCall> calls_;
};

// Makes every page bitmap and item surface the context creates a RecordingCanvas.
void useRecordingSurfaces(RenderContext& ctx);

// The recording behind the context's page bitmap (nullptr when it is not a recording).
RecordingCanvas* recordedPage(RenderContext& ctx);

} // namespace tobirae
