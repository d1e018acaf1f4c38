// Internal: real vertical writing for "@" faces: characters stacked downward from the reference
// point in a column that extends to its left, CJK upright, Latin letters and digits turned.
#pragma once

#include <QString>

class QPainter;
class QFontMetrics;

namespace tobirae {

// The painter draws in the font the metrics are of; boldStroke as for drawTextInk.
void drawVerticalWriting(QPainter& painter, const QFontMetrics& metrics, int x, int y,
                         const QString& text, qreal boldStroke);

} // namespace tobirae
