#include "bitmap/PainterInk.h"

#include "bitmap/ImageCanvas.h"
#include "bitmap/QtFont.h"
#include "bitmap/VerticalText.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace tobirae {

QColor qColour(Colour colour) {
    return QColor::fromRgb(rgbFromColour(colour));
}

const FontCache::Entry& FontCache::entry(const ResolvedFont& font) {
    if (!entry_ || entry_->key != font) {
        QFont qfont = qtFont(font);
        const QFontMetrics metrics(qfont);
        const qreal stroke = boldStrokeWidth(font, qfont);
        entry_.emplace(Entry{font, std::move(qfont), metrics, stroke});
        text_.reset();
    }
    return *entry_;
}

TextExtent FontCache::textExtent(const ResolvedFont& font, const QString& text) {
    const Entry& current = entry(font);
    if (text_ != text) {
        extent_ = {current.metrics.horizontalAdvance(text), current.metrics.height()};
        text_ = text;
    }
    return extent_;
}

void paintText(QPainter& painter, const ResolvedFont& font, const FontCache::Entry& entry,
               TextExtent extent, const QString& text, Colour colour, bool transparentBackground) {
    painter.setFont(entry.font);
    painter.setPen(qColour(colour));
    if (font.verticalWriting && font.escapement == 2700) {
        if (!transparentBackground)
            painter.fillRect(QRect(-extent.height, 0, extent.height, extent.width),
                             qColour(kDefaultBackground));
        drawVerticalWriting(painter, entry.metrics, 0, 0, text, entry.boldStroke);
        return;
    }
    if (font.escapement != 0)
        painter.rotate(-font.escapement / 10.0);
    if (!transparentBackground)
        painter.fillRect(QRect(0, 0, extent.width, extent.height), qColour(kDefaultBackground));
    drawTextInk(painter, QPoint(0, entry.metrics.ascent()), text, entry.boldStroke);
}

void drawTextInk(QPainter& painter, QPoint at, const QString& text, qreal boldStroke) {
    painter.drawText(at, text);
    if (boldStroke <= 0)
        return;
    QPainterPath outline;
    outline.addText(at, painter.font(), text);
    const bool smooth = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.strokePath(outline, QPen(painter.pen().color(), boldStroke, Qt::SolidLine, Qt::RoundCap,
                                     Qt::RoundJoin));
    painter.setRenderHint(QPainter::Antialiasing, smooth);
}

void paintWideLine(QPainter& painter, QPoint from, QPoint to, Colour colour, int width,
                   std::span<const int> pattern, double dashOffset, bool transparentBackground) {
    QPen pen(qColour(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    if (!pattern.empty()) {
        if (!transparentBackground) {
            QPen back = pen;
            back.setColor(qColour(kDefaultBackground));
            painter.setPen(back);
            painter.drawLine(from, to);
        }
        QList<qreal> dashes;
        for (int run : pattern)
            dashes.append(std::max<qreal>(1.0, static_cast<qreal>(run) / width));
        pen.setCapStyle(Qt::FlatCap);
        pen.setDashPattern(dashes);
        pen.setDashOffset(dashOffset);
    }
    painter.setPen(pen);
    painter.drawLine(from, to);
}

} // namespace tobirae
