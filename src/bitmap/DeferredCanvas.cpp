#include "bitmap/DeferredCanvas.h"

namespace tobirae {

DeferredCanvas::DeferredCanvas(int width, int height) : width_(width), height_(height) {}

TextExtent DeferredCanvas::textExtent(const ResolvedFont& font, const QString& text) {
    return fonts_.textExtent(font, text);
}

bool DeferredCanvas::drawText(const ResolvedFont& font, int x, int y, const QString& text,
                              Colour colour, bool transparentBackground) {
    calls_.push_back([=](Canvas& target, int dx, int dy) {
        return target.drawText(font, x + dx, y + dy, text, colour, transparentBackground);
    });
    return true;
}

bool DeferredCanvas::drawLine(int x1, int y1, int x2, int y2, Colour colour, int penWidth,
                              int penStyle, bool transparentBackground) {
    calls_.push_back([=](Canvas& target, int dx, int dy) {
        return target.drawLine(x1 + dx, y1 + dy, x2 + dx, y2 + dy, colour, penWidth, penStyle,
                               transparentBackground);
    });
    return true;
}

bool DeferredCanvas::fillRect(int left, int top, int right, int bottom, Colour colour,
                              int brushStyle, int hatch, bool transparentBackground) {
    // Clipped to what this surface holds: a fill of "the whole surface" reaches one pixel
    // beyond it.
    const QRect area = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) &
                       QRect(origin(), QSize(width_, height_));
    if (area.isEmpty())
        return true;
    calls_.push_back([=](Canvas& target, int dx, int dy) {
        const QRect at = area.translated(dx, dy);
        return target.fillRect(at.left(), at.top(), at.right() + 1, at.bottom() + 1, colour,
                               brushStyle, hatch, transparentBackground);
    });
    return true;
}

bool DeferredCanvas::blit(int x, int y, int w, int h, const Canvas& source, int sx, int sy,
                          std::optional<Colour> transparentColour) {
    // Only pixels can be kept of another canvas; a deferred one is rasterised first.
    QImage pixels;
    if (const auto* deferred = dynamic_cast<const DeferredCanvas*>(&source))
        pixels = deferred->rasterised();
    else if (source.image())
        pixels = *source.image();
    if (pixels.isNull())
        return false;
    const QPoint sourceOrigin = source.origin();
    calls_.push_back([=](Canvas& target, int dx, int dy) {
        ImageCanvas from(pixels, nullptr);
        from.setOrigin(sourceOrigin);
        return target.blit(x + dx, y + dy, w, h, from, sx, sy, transparentColour);
    });
    return true;
}

bool DeferredCanvas::drawPicture(const QRect& dest, const QRect& visible, const QImage& part,
                                 int opacity) {
    calls_.push_back([=](Canvas& target, int dx, int dy) {
        return target.drawPicture(dest.translated(dx, dy), visible.translated(dx, dy), part,
                                  opacity);
    });
    return true;
}

bool DeferredCanvas::replay(Canvas& target, int dx, int dy) const {
    bool ok = true;
    for (const Call& call : calls_)
        ok = call(target, dx, dy) && ok;
    return ok;
}

QImage DeferredCanvas::rasterised() const {
    ImageCanvas pixels(width_, height_);
    pixels.setOrigin(origin());
    if (pixels.isNull() || !replay(pixels, 0, 0))
        return {};
    return pixels.mutableImage();
}

} // namespace tobirae
