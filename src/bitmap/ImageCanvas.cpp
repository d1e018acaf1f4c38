#include "bitmap/ImageCanvas.h"

#include "bitmap/LineStyles.h"

#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <span>

namespace tobirae {

unsigned int rgbFromColour(Colour colour) {
    const auto c = static_cast<std::uint32_t>(colour);
    return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

QImage stretchedPicture(const QRect& dest, const QRect& visible, const QImage& part) {
    const QImage stretched =
        part.scaled(dest.width(), dest.height(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (stretched.isNull())
        return {};
    return stretched.copy(visible.translated(-dest.topLeft()));
}

ImageCanvas::ImageCanvas(int width, int height, Colour fill) {
    if (width <= 0 || height <= 0)
        return;
    own_ = QImage(width, height, QImage::Format_RGB32);
    if (!own_.isNull())
        own_.fill(rgbFromColour(fill));
}

ImageCanvas::ImageCanvas(QImage* external) : external_(external) {}

ImageCanvas::ImageCanvas(QImage image, ImagePool* pool)
    : own_(image.format() == QImage::Format_RGB32 ? std::move(image)
                                                  : image.convertToFormat(QImage::Format_RGB32)),
      pool_(pool) {}

ImageCanvas::~ImageCanvas() {
    if (pool_)
        pool_->give(std::move(own_));
}

TextExtent ImageCanvas::textExtent(const ResolvedFont& font, const QString& text) {
    return fonts_.textExtent(font, text);
}

bool ImageCanvas::drawText(const ResolvedFont& font, int x, int y, const QString& text,
                           Colour colour, bool transparentBackground) {
    QImage& image = target();
    if (image.isNull())
        return false;
    if (text.isEmpty())
        return true;
    const TextExtent extent = textExtent(font, text);
    // Turned any way, the text stays within its width plus height of the anchor.
    const std::int64_t reach = std::int64_t{extent.width} + extent.height + 1;
    const std::int64_t left = std::int64_t{x} - origin().x();
    const std::int64_t top = std::int64_t{y} - origin().y();
    if (left > image.width() + reach || left < -reach || top > image.height() + reach ||
        top < -reach)
        return true;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.translate(static_cast<int>(left), static_cast<int>(top));
    paintText(painter, font, fonts_.entry(font), extent, text, colour, transparentBackground);
    return true;
}

namespace {

// The part of the segment a -> b inside the rectangle, as fractions t0 <= t1 of its length;
// nullopt when it misses (Liang-Barsky).
std::optional<std::pair<double, double>> segmentInside(QPointF a, QPointF b, const QRectF& r) {
    double t0 = 0;
    double t1 = 1;
    const double d[2] = {b.x() - a.x(), b.y() - a.y()};
    const double lo[2] = {r.left() - a.x(), r.top() - a.y()};
    const double hi[2] = {r.right() - a.x(), r.bottom() - a.y()};
    for (int axis = 0; axis < 2; ++axis) {
        if (d[axis] == 0) {
            if (lo[axis] > 0 || hi[axis] < 0)
                return std::nullopt;
            continue;
        }
        double enter = lo[axis] / d[axis];
        double leave = hi[axis] / d[axis];
        if (enter > leave)
            std::swap(enter, leave);
        t0 = std::max(t0, enter);
        t1 = std::min(t1, leave);
        if (t0 > t1)
            return std::nullopt;
    }
    return std::pair{t0, t1};
}

bool insideSpan(std::int64_t v, std::int64_t lo, std::int64_t hi) {
    return v >= lo && v <= hi;
}

} // namespace

bool ImageCanvas::drawLine(int x1, int y1, int x2, int y2, Colour colour, int penWidth,
                           int penStyle, bool transparentBackground) {
    QImage& image = target();
    if (image.isNull())
        return false;
    if (penStyle == PenNull)
        return true;
    const std::int64_t ax = std::int64_t{x1} - origin().x();
    const std::int64_t ay = std::int64_t{y1} - origin().y();
    const std::int64_t bx = std::int64_t{x2} - origin().x();
    const std::int64_t by = std::int64_t{y2} - origin().y();
    const int width = std::max(penWidth, 1);
    const std::span<const int> pattern = dashPattern(penStyle);
    if (width > 1)
        return drawWideLine(image, ax, ay, bx, by, colour, width, pattern, transparentBackground);

    const QRgb ink = rgbFromColour(colour);
    const QRgb paper = rgbFromColour(kDefaultBackground);
    forEachLinePixel(ax, ay, bx, by, image.width(), image.height(), pattern,
                     [&](int px, int py, bool on) {
                         if (on || !transparentBackground)
                             reinterpret_cast<QRgb*>(image.scanLine(py))[px] = on ? ink : paper;
                     });
    return true;
}

bool ImageCanvas::drawWideLine(QImage& image, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                               std::int64_t y2, Colour colour, int width,
                               std::span<const int> pattern, bool transparentBackground) {
    // Ends far outside the image are moved onto its edge (plus the pen): the painter's
    // coordinates stay small and the part on the image is unchanged.
    constexpr std::int64_t kMargin = 1 << 14;
    const std::int64_t margin = kMargin + width;
    const bool far = !insideSpan(x1, -margin, image.width() + margin) ||
                     !insideSpan(x2, -margin, image.width() + margin) ||
                     !insideSpan(y1, -margin, image.height() + margin) ||
                     !insideSpan(y2, -margin, image.height() + margin);
    QPoint from(static_cast<int>(std::clamp<std::int64_t>(x1, INT_MIN, INT_MAX)),
                static_cast<int>(std::clamp<std::int64_t>(y1, INT_MIN, INT_MAX)));
    QPoint to(static_cast<int>(std::clamp<std::int64_t>(x2, INT_MIN, INT_MAX)),
              static_cast<int>(std::clamp<std::int64_t>(y2, INT_MIN, INT_MAX)));
    double skipped = 0; // pen widths of the line left out before `from`
    if (far) {
        const QPointF a(static_cast<double>(x1), static_cast<double>(y1));
        const QPointF b(static_cast<double>(x2), static_cast<double>(y2));
        const double slack = static_cast<double>(width) + 2;
        const QRectF area(-slack, -slack, image.width() + 2 * slack, image.height() + 2 * slack);
        const auto part = segmentInside(a, b, area);
        if (!part)
            return true;
        const QPointF d = b - a;
        from = (a + d * part->first).toPoint();
        to = (a + d * part->second).toPoint();
        skipped = std::hypot(d.x(), d.y()) * part->first / width;
    }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    paintWideLine(painter, from, to, colour, width, pattern, skipped, transparentBackground);
    return true;
}

bool ImageCanvas::fillRect(int left, int top, int right, int bottom, Colour colour, int brushStyle,
                           int hatch, bool transparentBackground) {
    QImage& image = target();
    if (image.isNull())
        return false;
    const auto local = [](std::int64_t v, int origin, int size) {
        return static_cast<int>(std::clamp<std::int64_t>(v - origin, 0, size));
    };
    const int l = local(left, origin().x(), image.width());
    const int r = local(right, origin().x(), image.width());
    const int t = local(top, origin().y(), image.height());
    const int b = local(bottom, origin().y(), image.height());
    if (r <= l || b <= t || brushStyle == BrushNull)
        return true;
    const QRect area(l, t, r - l, b - t);
    if (brushStyle == BrushSolid) {
        const QRgb ink = rgbFromColour(colour);
        for (int y = area.top(); y <= area.bottom(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            std::fill(row + area.left(), row + area.right() + 1, ink);
        }
        return true;
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Hatches line up with the whole surface, not with this window of it.
    painter.setBrushOrigin(-origin());
    if (!transparentBackground)
        painter.fillRect(area, qColour(kDefaultBackground));
    painter.fillRect(area, QBrush(qColour(colour), hatchPattern(hatch)));
    return true;
}

bool ImageCanvas::blit(int x, int y, int w, int h, const Canvas& source, int sx, int sy,
                       std::optional<Colour> transparentColour) {
    QImage& image = target();
    const QImage* from = source.image();
    if (image.isNull() || !from || from->isNull())
        return false;
    // In pixels of both images; then clipped to both.
    std::int64_t dx = std::int64_t{x} - origin().x();
    std::int64_t dy = std::int64_t{y} - origin().y();
    std::int64_t fx = std::int64_t{sx} - source.origin().x();
    std::int64_t fy = std::int64_t{sy} - source.origin().y();
    std::int64_t cw = w;
    std::int64_t ch = h;
    const auto clipStart = [](std::int64_t& a, std::int64_t& b, std::int64_t& size) {
        const std::int64_t cut = std::max({std::int64_t{0}, -a, -b});
        a += cut;
        b += cut;
        size -= cut;
    };
    clipStart(dx, fx, cw);
    clipStart(dy, fy, ch);
    cw = std::min({cw, image.width() - dx, from->width() - fx});
    ch = std::min({ch, image.height() - dy, from->height() - fy});
    if (cw <= 0 || ch <= 0)
        return true;
    const QImage source32 = from->format() == QImage::Format_RGB32
                                ? *from
                                : from->convertToFormat(QImage::Format_RGB32);
    const QRgb key = transparentColour ? rgbFromColour(*transparentColour) : 0;
    for (std::int64_t row = 0; row < ch; ++row) {
        const QRgb* in =
            reinterpret_cast<const QRgb*>(source32.constScanLine(static_cast<int>(fy + row))) + fx;
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(dy + row))) + dx;
        if (!transparentColour) {
            std::copy(in, in + cw, out);
            continue;
        }
        for (std::int64_t i = 0; i < cw; ++i)
            if ((in[i] & 0x00FFFFFF) != (key & 0x00FFFFFF))
                out[i] = in[i] | 0xFF000000;
    }
    return true;
}

bool ImageCanvas::drawPicture(const QRect& dest, const QRect& visible, const QImage& part,
                              int opacity) {
    QImage& image = target();
    if (image.isNull())
        return false;
    const QImage stretched = stretchedPicture(dest, visible, part);
    if (stretched.isNull())
        return false;
    QPainter painter(&image);
    painter.setOpacity(opacity / 255.0);
    painter.drawImage(visible.topLeft() - origin(), stretched);
    return painter.end();
}

} // namespace tobirae
