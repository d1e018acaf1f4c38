#include "bitmap/RecordingCanvas.h"

#include "bitmap/RenderContext.h"

#include <QList>
#include <cstdlib>

namespace tobirae {

namespace {

int emOf(const ResolvedFont& font) {
    return font.height == 0 ? 16 : std::abs(font.height);
}

} // namespace

TextExtent RecordingCanvas::textExtent(const ResolvedFont& font, const QString& text) {
    const int em = emOf(font);
    int width = 0;
    for (const char32_t c : text.toUcs4())
        width += c < 0x80 ? em / 2 : em;
    return {width, em};
}

bool RecordingCanvas::drawText(const ResolvedFont& font, int x, int y, const QString& text,
                               Colour colour, bool transparentBackground) {
    calls_.push_back({.kind = DrawCall::Text,
                      .x1 = x,
                      .y1 = y,
                      .colour = colour,
                      .transparent = transparentBackground,
                      .text = text,
                      .font = font});
    return true;
}

bool RecordingCanvas::drawLine(int x1, int y1, int x2, int y2, Colour colour, int penWidth,
                               int penStyle, bool transparentBackground) {
    calls_.push_back({.kind = DrawCall::Line,
                      .x1 = x1,
                      .y1 = y1,
                      .x2 = x2,
                      .y2 = y2,
                      .colour = colour,
                      .transparent = transparentBackground,
                      .penWidth = penWidth,
                      .penStyle = penStyle});
    return true;
}

bool RecordingCanvas::fillRect(int left, int top, int right, int bottom, Colour colour,
                               int brushStyle, int hatch, bool transparentBackground) {
    calls_.push_back({.kind = DrawCall::Rect,
                      .x1 = left,
                      .y1 = top,
                      .x2 = right,
                      .y2 = bottom,
                      .colour = colour,
                      .transparent = transparentBackground,
                      .brushStyle = brushStyle,
                      .hatch = hatch});
    return true;
}

bool RecordingCanvas::blit(int x, int y, int w, int h, const Canvas& source, int sx, int sy,
                           std::optional<Colour> transparentColour) {
    calls_.push_back({.kind = DrawCall::Blit,
                      .x1 = x,
                      .y1 = y,
                      .x2 = w,
                      .y2 = h,
                      .transparentColour = transparentColour});
    // What was drawn on a recorded source lands here shifted by the blit.
    if (const auto* recording = dynamic_cast<const RecordingCanvas*>(&source)) {
        const int dx = x - sx;
        const int dy = y - sy;
        for (DrawCall copy : recording->calls()) {
            copy.x1 += dx;
            copy.y1 += dy;
            if (copy.kind == DrawCall::Line || copy.kind == DrawCall::Rect) {
                copy.x2 += dx;
                copy.y2 += dy;
            }
            copy.copied = true;
            calls_.push_back(std::move(copy));
        }
    }
    return true;
}

std::vector<DrawCall> RecordingCanvas::callsOf(DrawCall::Kind kind) const {
    std::vector<DrawCall> result;
    for (const DrawCall& call : calls_)
        if (call.kind == kind)
            result.push_back(call);
    return result;
}

void useRecordingSurfaces(RenderContext& ctx) {
    ctx.surfaceFactory = [](int width, int height, int) -> std::unique_ptr<Canvas> {
        return std::make_unique<RecordingCanvas>(width, height);
    };
    ctx.measureCanvas.reset();
}

RecordingCanvas* recordedPage(RenderContext& ctx) {
    return dynamic_cast<RecordingCanvas*>(ctx.pageBitmap.get());
}

} // namespace tobirae
