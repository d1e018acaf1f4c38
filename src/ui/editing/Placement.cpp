#include "ui/editing/Placement.h"

#include <algorithm>
#include <cmath>

namespace tobirae {

float centredCoordinate(double areaExtent, float extent) {
    return static_cast<float>((areaExtent - extent - kItemFrame) / 2);
}

ConstrainedPosition applyPositionLocks(const LayoutItem& item, LockAnchor anchor, QPointF proposed,
                                       QSizeF canvas) {
    ConstrainedPosition out{proposed};
    if (isTrue(item.XLocked)) {
        out.topLeft.setX(anchor.Left);
        out.xFixed = true;
    } else if (isTrue(item.HCenterLocked)) {
        out.topLeft.setX(centredCoordinate(canvas.width(), item.Width));
        out.xFixed = true;
    }
    if (isTrue(item.YLocked)) {
        out.topLeft.setY(anchor.Top);
        out.yFixed = true;
    } else if (isTrue(item.VCenterLocked)) {
        out.topLeft.setY(centredCoordinate(canvas.height(), item.Height));
        out.yFixed = true;
    }
    return out;
}

bool dragAllowed(const LayoutItem& item, bool allItemsLocked) {
    const bool fixedXY = isTrue(item.XLocked) && isTrue(item.YLocked);
    const bool centred = isTrue(item.HCenterLocked) && isTrue(item.VCenterLocked);
    return !allItemsLocked && !fixedXY && !centred && !isTrue(item.MoveLocked);
}

std::optional<QPointF> nudgedPosition(const LayoutItem& item, int dx, int dy, QSize canvas) {
    if (isTrue(item.MoveLocked))
        return std::nullopt;
    if (dx != 0 && (isTrue(item.XLocked) || isTrue(item.HCenterLocked)))
        return std::nullopt;
    if (dy != 0 && (isTrue(item.YLocked) || isTrue(item.VCenterLocked)))
        return std::nullopt;
    const auto step = [](double at, int delta, double farEdge) {
        if (delta < 0)
            return at <= 0 ? at : std::max(0.0, at + delta);
        if (delta > 0)
            return at >= farEdge ? at : std::min(farEdge, at + delta);
        return at;
    };
    const double right = canvas.width() - (item.Width + kItemFrame);
    const double bottom = canvas.height() - (item.Height + kItemFrame);
    const QPointF from(item.Left, item.Top);
    const QPointF to(step(from.x(), dx, right), step(from.y(), dy, bottom));
    if (to == from)
        return std::nullopt;
    return to;
}

QPointF pastePosition(const LayoutItem& item, std::optional<QPointF> point) {
    if (!point)
        return {0, 0};
    const double left = std::nearbyint(point->x() - item.Width / 2.0);
    const double top = std::nearbyint(point->y() - item.Height / 2.0);
    return {std::max(0.0, left), std::max(0.0, top)};
}

} // namespace tobirae
