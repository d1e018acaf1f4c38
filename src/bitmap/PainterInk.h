// Internal: what the bitmap page and the painter page (PDF, printer) draw alike, so that both
// look the same and texts are laid out by the same metrics.
#pragma once

#include "bitmap/Canvas.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <list>
#include <optional>
#include <span>

class QPainter;

namespace tobirae {

QColor qColour(Colour colour);

// A renderer measures a text and then draws it in the same font, and a day cell's elements take
// turns with a few fonts: the fonts used last and the extents of their texts are kept rather than
// made again.
class FontCache {
public:
    struct Entry {
        ResolvedFont key;
        QFont font;
        QFontMetrics metrics;
        qreal boldStroke = 0; // pen around the outlines of a bold without a bold face
        QHash<QString, TextExtent> extents{};
    };
    // The reference stays valid until more fonts than the cache keeps were asked for since.
    const Entry& entry(const ResolvedFont& font);
    TextExtent textExtent(const ResolvedFont& font, const QString& text);

private:
    Entry& find(const ResolvedFont& font);

    std::list<Entry> entries_; // most recently used first
};

// A text whose top-left corner is the painter's origin: turned, or written top to bottom, as
// the font says, on the default background unless that is transparent.
void paintText(QPainter& painter, const ResolvedFont& font, const FontCache::Entry& entry,
               TextExtent extent, const QString& text, Colour colour, bool transparentBackground);

// The text with its baseline starting at `at` in the painter's font and pen colour, its outlines
// stroked `boldStroke` pixels wide when that is not 0. The text stays text on a PDF page.
void drawTextInk(QPainter& painter, QPoint at, const QString& text, qreal boldStroke);

// A line wider than one pixel: round ends, dashes scaled to the pen and begun `dashOffset` pen
// widths in, the default background behind the gaps unless that is transparent.
void paintWideLine(QPainter& painter, QPoint from, QPoint to, Colour colour, int width,
                   std::span<const int> pattern, double dashOffset, bool transparentBackground);

} // namespace tobirae
