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

namespace {

// A day cell takes turns with its number, old date, rokuyo and names fonts; a page with a few
// such items needs a few more.
constexpr std::size_t kFontsKept = 8;
// Texts kept per font: a month's day texts, bounded for a list of thousands of the user's days.
constexpr qsizetype kExtentsKept = 512;

} // namespace

FontCache::Entry& FontCache::find(const ResolvedFont& font) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->key == font) {
            entries_.splice(entries_.begin(), entries_, it);
            return entries_.front();
        }
    }
    if (entries_.size() >= kFontsKept)
        entries_.pop_back();
    QFont qfont = qtFont(font);
    const QFontMetrics metrics(qfont);
    const qreal stroke = boldStrokeWidth(font, qfont);
    entries_.push_front(Entry{font, std::move(qfont), metrics, stroke});
    return entries_.front();
}

const FontCache::Entry& FontCache::entry(const ResolvedFont& font) {
    return find(font);
}

TextExtent FontCache::textExtent(const ResolvedFont& font, const QString& text) {
    Entry& current = find(font);
    if (const auto kept = current.extents.constFind(text); kept != current.extents.constEnd())
        return *kept;
    if (current.extents.size() >= kExtentsKept)
        current.extents.clear();
    const TextExtent extent{current.metrics.horizontalAdvance(text), current.metrics.height()};
    current.extents.insert(text, extent);
    return extent;
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
