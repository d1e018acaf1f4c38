// Snapping positions to the main grid. Grid spacings are in twips, positions in layout pixels.
#pragma once

#include <QPointF>

namespace tobirae {

// The grid line at or before `pixels`. The coordinate is first rounded to whole twips, so a
// fractional position (a centred item, a drag at some zoom) still lands exactly on a line.
// A spacing of 0 or less is no grid: the coordinate is returned unchanged.
double snapToGrid(double pixels, int spacingTwips, int twipsPerPixel);

struct GridSnap {
    bool on = false;
    int spacingX = 60; // twips
    int spacingY = 60;
    int twipsPerPixel = 15;

    // `topLeft` with each coordinate that no lock fixed snapped down to the grid.
    QPointF apply(QPointF topLeft, bool xFixed = false, bool yFixed = false) const;
};

} // namespace tobirae
