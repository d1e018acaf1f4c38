// Internal: the Qt font that draws a ResolvedFont.
#pragma once

#include "bitmap/Canvas.h"

#include <QFont>

namespace tobirae {

// A GDI height < 0 is the em height, > 0 the cell height (ascent + descent), 0 the default.
// A bold font of a family without a bold face of its own comes in its regular weight: the
// caller thickens it with boldStrokeWidth.
QFont qtFont(const ResolvedFont& font);

// Whether the installed family has a face of its own at bold weight or heavier.
bool hasBoldFace(const QString& family);

// Width in pixels of the pen that strokes the outlines of a bold text whose family has no bold
// face; 0 when no stroke is needed. Proportional to the em, so bold looks equally bold at every
// size and on every device.
qreal boldStrokeWidth(const ResolvedFont& font, const QFont& drawn);

} // namespace tobirae
