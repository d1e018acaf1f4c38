// Japanese crop marks (トンボ) around a trimmed page: corner marks on the trim and the bleed lines,
// and centre marks on the middle of each side, all outside the bleed.
#pragma once

#include <QColor>
#include <QLineF>
#include <QRectF>
#include <vector>

class QPainter;

namespace tobirae {

// The lines of the marks for a trim rectangle and a bleed, in the trim's units (y down);
// unitsPerMm turns the fixed lengths of the marks into those units.
std::vector<QLineF> cropMarkLines(const QRectF& trim, double bleed, double unitsPerMm);

// Draws the marks 0.1 mm wide in `colour` (registration colour in CMYK output).
void drawCropMarks(QPainter& painter, const QRectF& trim, double bleed, double unitsPerMm,
                   const QColor& colour);

} // namespace tobirae
