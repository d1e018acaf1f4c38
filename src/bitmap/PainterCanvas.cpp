#include "bitmap/PainterCanvas.h"

#include "bitmap/LineStyles.h"
#include "bitmap/RecordingCanvas.h"
#include "bitmap/RenderContext.h"

#include <QPainter>
#include <algorithm>

namespace tobirae {

namespace {

// Clip rectangles nest: a picture inside a blitted item stays inside the item.
void clipTo(QPainter& painter, const QRect& area) {
    painter.setClipRect(area, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

// Pixels of the source as they are copied: the transparent colour becomes see-through.
QImage keyedOut(QImage pixels, std::optional<Colour> transparentColour) {
    if (!transparentColour)
        return pixels;
    pixels = pixels.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = rgbFromColour(*transparentColour) & 0x00FFFFFF;
    for (int y = 0; y < pixels.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x)
            row[x] = (row[x] & 0x00FFFFFF) == key ? 0 : (row[x] | 0xFF000000);
    }
    return pixels;
}

} // namespace

PainterCanvas::PainterCanvas(QPainter& painter, QSize size, std::shared_ptr<FontCache> fonts)
    : painter_(painter), size_(size), fonts_(std::move(fonts)) {}

PainterCanvas::~PainterCanvas() = default;

TextExtent PainterCanvas::textExtent(const ResolvedFont& font, const QString& text) {
    return fonts_->textExtent(font, text);
}

bool PainterCanvas::drawText(const ResolvedFont& font, int x, int y, const QString& text,
                             Colour colour, bool transparentBackground) {
    if (text.isEmpty())
        return true;
    const TextExtent extent = textExtent(font, text);
    painter_.save();
    painter_.translate(x, y);
    paintText(painter_, font, fonts_->entry(font), extent, text, colour, transparentBackground);
    painter_.restore();
    return true;
}

bool PainterCanvas::drawLine(int x1, int y1, int x2, int y2, Colour colour, int penWidth,
                             int penStyle, bool transparentBackground) {
    if (penStyle == PenNull)
        return true;
    const int width = std::max(penWidth, 1);
    const std::span<const int> pattern = dashPattern(penStyle);
    if (width > 1) {
        painter_.save();
        paintWideLine(painter_, QPoint(x1, y1), QPoint(x2, y2), colour, width, pattern, 0,
                      transparentBackground);
        painter_.restore();
        return true;
    }

    // One-pixel lines cover exactly the pixels of the bitmap's line: runs of pixels in a row or
    // a column become one rectangle each.
    QRect run;
    bool runOn = true;
    auto flush = [&] {
        if (runOn || !transparentBackground)
            painter_.fillRect(run, qColour(runOn ? colour : kDefaultBackground));
        run = QRect();
    };
    forEachLinePixel(x1, y1, x2, y2, size_.width(), size_.height(), pattern,
                     [&](int x, int y, bool on) {
                         const bool extendsRow = run.height() == 1 && y == run.top() &&
                                                 (x == run.right() + 1 || x == run.left() - 1);
                         const bool extendsColumn = run.width() == 1 && x == run.left() &&
                                                    (y == run.bottom() + 1 || y == run.top() - 1);
                         if (!run.isNull() && on == runOn && (extendsRow || extendsColumn)) {
                             run |= QRect(x, y, 1, 1);
                             return;
                         }
                         if (!run.isNull())
                             flush();
                         run = QRect(x, y, 1, 1);
                         runOn = on;
                     });
    if (!run.isNull())
        flush();
    return true;
}

bool PainterCanvas::fillRect(int left, int top, int right, int bottom, Colour colour,
                             int brushStyle, int hatch, bool transparentBackground) {
    const QRect area =
        QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & QRect(QPoint(0, 0), size_);
    if (area.isEmpty() || brushStyle == BrushNull)
        return true;
    if (brushStyle == BrushSolid) {
        painter_.fillRect(area, qColour(colour));
        return true;
    }
    // A hatch is a pixel pattern: it goes in as pixels so its lines stay one pixel apart.
    QImage hatchImage(area.size(), QImage::Format_ARGB32_Premultiplied);
    if (hatchImage.isNull())
        return false;
    hatchImage.fill(transparentBackground ? QColor(Qt::transparent) : qColour(kDefaultBackground));
    {
        QPainter pattern(&hatchImage);
        pattern.setBrushOrigin(-area.topLeft());
        pattern.fillRect(hatchImage.rect(), QBrush(qColour(colour), hatchPattern(hatch)));
    }
    painter_.drawImage(area.topLeft(), hatchImage);
    return true;
}

bool PainterCanvas::blit(int x, int y, int w, int h, const Canvas& source, int sx, int sy,
                         std::optional<Colour> transparentColour) {
    // The copy clipped to the part of the source that is held and to the page; the source's
    // coordinates are those of the whole surface it is a window of.
    const QRect held(source.origin(), QSize(source.width(), source.height()));
    const QRect from =
        QRect(sx, sy, w, h) & held & QRect(QPoint(0, 0), size_).translated(sx - x, sy - y);
    if (from.isEmpty())
        return true;
    const int dx = x - sx; // where the source's coordinates land on the page
    const int dy = y - sy;
    x = from.x() + dx;
    y = from.y() + dy;
    w = from.width();
    h = from.height();
    sx = from.x();
    sy = from.y();

    const auto* deferred = dynamic_cast<const RecordingCanvas*>(&source);
    if (deferred && !transparentColour) {
        painter_.save();
        clipTo(painter_, QRect(x, y, w, h));
        const bool ok = deferred->replay(*this, dx, dy);
        painter_.restore();
        return ok;
    }
    // Leaving out a colour is pixel composition: the item goes in as an image at page resolution.
    const QImage pixels = deferred         ? deferred->rasterised()
                          : source.image() ? *source.image()
                                           : QImage();
    if (pixels.isNull())
        return false;
    const QRect part = QRect(sx, sy, w, h).translated(-source.origin());
    painter_.drawImage(QPoint(x, y), keyedOut(pixels.copy(part), transparentColour));
    return true;
}

bool PainterCanvas::drawPicture(const QRect& dest, const QRect& visible, const QImage& part,
                                int opacity) {
    painter_.save();
    clipTo(painter_, visible);
    painter_.setOpacity(opacity / 255.0);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter_.drawImage(QRectF(dest), part);
    painter_.restore();
    return true;
}

void useDeferredSurfaces(RenderContext& ctx, std::shared_ptr<FontCache> fonts) {
    ctx.surfaceFactory = [fonts](int width, int height, int) -> std::unique_ptr<Canvas> {
        return std::make_unique<RecordingCanvas>(width, height, fonts);
    };
    ctx.measureCanvas.reset();
}

} // namespace tobirae
