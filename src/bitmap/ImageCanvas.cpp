#include "bitmap/ImageCanvas.h"

#include "bitmap/QtFont.h"
#include "bitmap/VerticalText.h"

#include <QPainter>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>

namespace tobirae {

unsigned int rgbFromColour(Colour colour) {
    const auto c = static_cast<std::uint32_t>(colour);
    return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

namespace {

QColor qColour(Colour colour) {
    return QColor::fromRgb(rgbFromColour(colour));
}

// On/off runs of the dashed pens, in pixels for a one-pixel pen.
std::span<const int> dashPattern(int penStyle) {
    static constexpr std::array kDash{18, 6};
    static constexpr std::array kDot{3, 3};
    static constexpr std::array kDashDot{9, 6, 3, 6};
    static constexpr std::array kDashDotDot{9, 3, 3, 3, 3, 3};
    switch (penStyle) {
    case PenDash:
        return kDash;
    case PenDot:
        return kDot;
    case PenDashDot:
        return kDashDot;
    case PenDashDotDot:
        return kDashDotDot;
    default:
        return {};
    }
}

Qt::BrushStyle hatchPattern(int hatch) {
    switch (hatch) {
    case HatchHorizontal:
        return Qt::HorPattern;
    case HatchVertical:
        return Qt::VerPattern;
    case HatchForwardDiagonal:
        return Qt::FDiagPattern;
    case HatchBackwardDiagonal:
        return Qt::BDiagPattern;
    case HatchCross:
        return Qt::CrossPattern;
    case HatchDiagonalCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::HorPattern;
    }
}

} // namespace

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

ImageCanvas::FontCache& ImageCanvas::fontFor(const ResolvedFont& font) {
    if (!font_ || font_->key != font) {
        QFont qfont = qtFont(font);
        const QFontMetrics metrics(qfont);
        font_.emplace(FontCache{font, std::move(qfont), metrics, {}, {}});
    }
    return *font_;
}

TextExtent ImageCanvas::textExtent(const ResolvedFont& font, const QString& text) {
    FontCache& cache = fontFor(font);
    if (cache.text != text) {
        cache.extent = {cache.metrics.horizontalAdvance(text), cache.metrics.height()};
        cache.text = text;
    }
    return cache.extent;
}

bool ImageCanvas::drawText(const ResolvedFont& font, int x, int y, const QString& text,
                           Colour colour, bool transparentBackground) {
    QImage& image = target();
    if (image.isNull())
        return false;
    if (text.isEmpty())
        return true;
    const FontCache& cache = fontFor(font);
    const TextExtent extent = textExtent(font, text);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(cache.font);
    painter.setPen(qColour(colour));
    painter.translate(x, y);
    if (font.verticalWriting && font.escapement == 2700) {
        if (!transparentBackground)
            painter.fillRect(QRect(-extent.height, 0, extent.height, extent.width),
                             qColour(kDefaultBackground));
        drawVerticalWriting(painter, cache.metrics, 0, 0, text);
        return true;
    }
    if (font.escapement != 0)
        painter.rotate(-font.escapement / 10.0);
    if (!transparentBackground)
        painter.fillRect(QRect(0, 0, extent.width, extent.height), qColour(kDefaultBackground));
    painter.drawText(QPoint(0, cache.metrics.ascent()), text);
    return true;
}

bool ImageCanvas::drawLine(int x1, int y1, int x2, int y2, Colour colour, int penWidth,
                           int penStyle, bool transparentBackground) {
    QImage& image = target();
    if (image.isNull())
        return false;
    if (penStyle == PenNull)
        return true;
    const int width = std::max(penWidth, 1);
    const std::span<const int> pattern = dashPattern(penStyle);

    if (width > 1) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        QPen pen(qColour(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        if (!pattern.empty()) {
            if (!transparentBackground) {
                QPen back = pen;
                back.setColor(qColour(kDefaultBackground));
                painter.setPen(back);
                painter.drawLine(x1, y1, x2, y2);
            }
            QList<qreal> dashes;
            for (int run : pattern)
                dashes.append(std::max<qreal>(1.0, static_cast<qreal>(run) / width));
            pen.setCapStyle(Qt::FlatCap);
            pen.setDashPattern(dashes);
        }
        painter.setPen(pen);
        painter.drawLine(x1, y1, x2, y2);
        return true;
    }

    // One-pixel lines: Bresenham, the end point left out.
    const QRgb ink = rgbFromColour(colour);
    const QRgb paper = rgbFromColour(kDefaultBackground);
    const int w = image.width();
    const int h = image.height();
    const int dx = std::abs(x2 - x1);
    const int dy = -std::abs(y2 - y1);
    const int stepX = x1 < x2 ? 1 : -1;
    const int stepY = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    int x = x1;
    int y = y1;
    int patternIndex = 0;
    int runLeft = pattern.empty() ? 0 : pattern[0];
    while (x != x2 || y != y2) {
        bool on = true;
        if (!pattern.empty()) {
            on = patternIndex % 2 == 0;
            if (--runLeft == 0) {
                patternIndex = (patternIndex + 1) % static_cast<int>(pattern.size());
                runLeft = pattern[static_cast<std::size_t>(patternIndex)];
            }
        }
        if (x >= 0 && y >= 0 && x < w && y < h && (on || !transparentBackground))
            reinterpret_cast<QRgb*>(image.scanLine(y))[x] = on ? ink : paper;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += stepX;
        }
        if (e2 <= dx) {
            err += dx;
            y += stepY;
        }
    }
    return true;
}

bool ImageCanvas::fillRect(int left, int top, int right, int bottom, Colour colour, int brushStyle,
                           int hatch, bool transparentBackground) {
    QImage& image = target();
    if (image.isNull())
        return false;
    const QRect area = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)) & image.rect();
    if (area.isEmpty() || brushStyle == BrushNull)
        return true;
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
    // Clip the copy to both images.
    if (sx < 0) {
        x -= sx;
        w += sx;
        sx = 0;
    }
    if (sy < 0) {
        y -= sy;
        h += sy;
        sy = 0;
    }
    if (x < 0) {
        sx -= x;
        w += x;
        x = 0;
    }
    if (y < 0) {
        sy -= y;
        h += y;
        y = 0;
    }
    w = std::min({w, image.width() - x, from->width() - sx});
    h = std::min({h, image.height() - y, from->height() - sy});
    if (w <= 0 || h <= 0)
        return true;
    const QImage source32 = from->format() == QImage::Format_RGB32
                                ? *from
                                : from->convertToFormat(QImage::Format_RGB32);
    const QRgb key = transparentColour ? rgbFromColour(*transparentColour) : 0;
    for (int row = 0; row < h; ++row) {
        const QRgb* in = reinterpret_cast<const QRgb*>(source32.constScanLine(sy + row)) + sx;
        QRgb* out = reinterpret_cast<QRgb*>(image.scanLine(y + row)) + x;
        if (!transparentColour) {
            std::copy(in, in + w, out);
            continue;
        }
        for (int i = 0; i < w; ++i)
            if ((in[i] & 0x00FFFFFF) != (key & 0x00FFFFFF))
                out[i] = in[i] | 0xFF000000;
    }
    return true;
}

} // namespace tobirae
