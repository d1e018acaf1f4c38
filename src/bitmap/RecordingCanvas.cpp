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
    DrawCall call;
    call.kind = DrawCall::Text;
    call.x1 = x;
    call.y1 = y;
    call.colour = colour;
    call.transparent = transparentBackground;
    call.text = text;
    call.font = font;
    calls_.push_back(std::move(call));
    return true;
}

bool RecordingCanvas::drawLine(int x1, int y1, int x2, int y2, Colour colour, int penWidth,
                               int penStyle, bool transparentBackground) {
    DrawCall call;
    call.kind = DrawCall::Line;
    call.x1 = x1;
    call.y1 = y1;
    call.x2 = x2;
    call.y2 = y2;
    call.colour = colour;
    call.penWidth = penWidth;
    call.penStyle = penStyle;
    call.transparent = transparentBackground;
    calls_.push_back(std::move(call));
    return true;
}

bool RecordingCanvas::fillRect(int left, int top, int right, int bottom, Colour colour,
                               int brushStyle, int hatch, bool transparentBackground) {
    DrawCall call;
    call.kind = DrawCall::Rect;
    call.x1 = left;
    call.y1 = top;
    call.x2 = right;
    call.y2 = bottom;
    call.colour = colour;
    call.brushStyle = brushStyle;
    call.hatch = hatch;
    call.transparent = transparentBackground;
    calls_.push_back(std::move(call));
    return true;
}

bool RecordingCanvas::blit(int x, int y, int w, int h, const Canvas& source, int sx, int sy,
                           std::optional<Colour> transparentColour) {
    DrawCall call;
    call.kind = DrawCall::Blit;
    call.x1 = x;
    call.y1 = y;
    call.x2 = w;
    call.y2 = h;
    call.transparentColour = transparentColour;
    calls_.push_back(call);
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
