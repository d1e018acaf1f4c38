#include "ui/editing/GridSnap.h"

#include <cmath>

namespace tobirae {

double snapToGrid(double pixels, int spacingTwips, int twipsPerPixel) {
    if (spacingTwips <= 0 || twipsPerPixel <= 0 || !std::isfinite(pixels))
        return pixels;
    const double twips = std::nearbyint(pixels * twipsPerPixel);
    // Floored remainder: left of the page the line before is the more negative one.
    const double below = twips - std::floor(twips / spacingTwips) * spacingTwips;
    return (twips - below) / twipsPerPixel;
}

QPointF GridSnap::apply(QPointF topLeft, bool xFixed, bool yFixed) const {
    if (!on)
        return topLeft;
    if (!xFixed)
        topLeft.setX(snapToGrid(topLeft.x(), spacingX, twipsPerPixel));
    if (!yFixed)
        topLeft.setY(snapToGrid(topLeft.y(), spacingY, twipsPerPixel));
    return topLeft;
}

} // namespace tobirae
