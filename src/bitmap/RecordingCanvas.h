// RecordingCanvas: a Canvas that draws nothing and logs every call in device pixels, so tests can
// assert what a renderer drew and where. Install it with useRecordingSurfaces(ctx); a blit of one
// recording onto another copies the source's calls, shifted to where they land on the target.
// Text metrics are deterministic: em = |height| (16 when 0), ASCII advances em / 2, others em.
#pragma once

#include "bitmap/Canvas.h"

#include <QString>
#include <vector>

namespace tobirae {

struct RenderContext;

struct DrawCall {
    enum Kind { Text, Line, Rect, Blit };
    Kind kind = Text;
    // Text: x1, y1 = reference point. Line: from (x1, y1) to (x2, y2). Rect: left, top, right,
    // bottom. Blit: destination x1, y1, size x2 x y2.
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Colour colour = 0;
    bool transparent = false;
    QString text{};                            // Text
    ResolvedFont font{};                       // Text
    int penWidth = 0;                          // Line
    int penStyle = 0;                          // Line
    int brushStyle = 0;                        // Rect
    int hatch = 0;                             // Rect
    std::optional<Colour> transparentColour{}; // Blit
    bool copied = false;                       // copied here from a blitted recording
};

class RecordingCanvas : public Canvas {
public:
    RecordingCanvas(int width, int height) : width_(width), height_(height) {}

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

    const std::vector<DrawCall>& calls() const { return calls_; }
    std::vector<DrawCall> callsOf(DrawCall::Kind kind) const;
    std::vector<DrawCall> texts() const { return callsOf(DrawCall::Text); }
    std::vector<DrawCall> lines() const { return callsOf(DrawCall::Line); }
    std::vector<DrawCall> rects() const { return callsOf(DrawCall::Rect); }
    void clearCalls() { calls_.clear(); }

private:
    int width_;
    int height_;
    std::vector<DrawCall> calls_;
};

// Makes every page bitmap and item surface the context creates a RecordingCanvas.
void useRecordingSurfaces(RenderContext& ctx);

// The recording behind the context's page bitmap (nullptr when it is not a recording).
RecordingCanvas* recordedPage(RenderContext& ctx);

} // namespace tobirae
