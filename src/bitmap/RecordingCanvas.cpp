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

RecordingCanvas::RecordingCanvas(int width, int height, std::shared_ptr<FontCache> pageFonts)
    : width_(width), height_(height), pageFonts_(std::move(pageFonts)) {}

TextExtent RecordingCanvas::textExtent(const ResolvedFont& font, const QString& text) {
    if (pageFonts_)
        return pageFonts_->textExtent(font, text);
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
    DrawCall call{.kind = DrawCall::Blit,
                  .x1 = x,
                  .y1 = y,
                  .x2 = w,
                  .y2 = h,
                  .transparentColour = transparentColour,
                  .sx = sx,
                  .sy = sy,
                  .sourceOrigin = source.origin()};
    const auto* recording = dynamic_cast<const RecordingCanvas*>(&source);
    if (recording) {
        // What the source holds now: it may be drawn on again before this is replayed.
        auto kept = std::make_shared<RecordingCanvas>(recording->width_, recording->height_);
        kept->setOrigin(recording->origin());
        kept->calls_ = recording->calls_;
        call.recording = std::move(kept);
    } else if (source.image()) {
        call.image = *source.image();
    } else {
        return false;
    }
    calls_.push_back(std::move(call));
    // What was drawn on a recorded source lands here shifted by the blit.
    if (recording) {
        const int dx = x - sx;
        const int dy = y - sy;
        for (DrawCall copy : recording->calls()) {
            copy.x1 += dx;
            copy.y1 += dy;
            if (copy.kind == DrawCall::Line || copy.kind == DrawCall::Rect) {
                copy.x2 += dx;
                copy.y2 += dy;
            }
            copy.dest.translate(dx, dy);
            copy.copied = true;
            calls_.push_back(std::move(copy));
        }
    }
    return true;
}

bool RecordingCanvas::drawPicture(const QRect& dest, const QRect& visible, const QImage& part,
                                  int opacity) {
    calls_.push_back({.kind = DrawCall::Picture,
                      .x1 = visible.x(),
                      .y1 = visible.y(),
                      .x2 = visible.width(),
                      .y2 = visible.height(),
                      .dest = dest,
                      .image = part,
                      .opacity = opacity});
    return true;
}

std::vector<DrawCall> RecordingCanvas::callsOf(DrawCall::Kind kind) const {
    std::vector<DrawCall> result;
    for (const DrawCall& call : calls_)
        if (call.kind == kind)
            result.push_back(call);
    return result;
}

bool RecordingCanvas::replayCall(const DrawCall& call, Canvas& target, int dx, int dy) const {
    switch (call.kind) {
    case DrawCall::Text:
        return target.drawText(call.font, call.x1 + dx, call.y1 + dy, call.text, call.colour,
                               call.transparent);
    case DrawCall::Line:
        return target.drawLine(call.x1 + dx, call.y1 + dy, call.x2 + dx, call.y2 + dy, call.colour,
                               call.penWidth, call.penStyle, call.transparent);
    case DrawCall::Rect: {
        // A fill of "the whole surface" reaches one pixel beyond it.
        const QRect area = QRect(QPoint(call.x1, call.y1), QPoint(call.x2 - 1, call.y2 - 1)) &
                           QRect(origin(), QSize(width_, height_));
        if (area.isEmpty())
            return true;
        const QRect at = area.translated(dx, dy);
        return target.fillRect(at.left(), at.top(), at.right() + 1, at.bottom() + 1, call.colour,
                               call.brushStyle, call.hatch, call.transparent);
    }
    case DrawCall::Blit: {
        // Only pixels can be taken from another canvas; a recorded one is rasterised first.
        const QImage pixels = call.recording ? call.recording->rasterised() : call.image;
        if (pixels.isNull())
            return false;
        ImageCanvas from(pixels, nullptr);
        from.setOrigin(call.sourceOrigin);
        return target.blit(call.x1 + dx, call.y1 + dy, call.x2, call.y2, from, call.sx, call.sy,
                           call.transparentColour);
    }
    case DrawCall::Picture:
        return target.drawPicture(call.dest.translated(dx, dy),
                                  QRect(call.x1 + dx, call.y1 + dy, call.x2, call.y2), call.image,
                                  call.opacity);
    }
    return false;
}

bool RecordingCanvas::replay(Canvas& target, int dx, int dy) const {
    bool ok = true;
    for (const DrawCall& call : calls_)
        if (!call.copied)
            ok = replayCall(call, target, dx, dy) && ok;
    return ok;
}

QImage RecordingCanvas::rasterised() const {
    ImageCanvas pixels(width_, height_);
    pixels.setOrigin(origin());
    if (pixels.isNull() || !replay(pixels, 0, 0))
        return {};
    return pixels.mutableImage();
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
