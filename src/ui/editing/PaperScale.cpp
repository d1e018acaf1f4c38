#include "ui/editing/PaperScale.h"

#include "render/RuleBlock.h"
#include "ui/editing/Placement.h"

#include <algorithm>
#include <cmath>

namespace tobirae {

namespace {

template <class T> T scaled(T value, double factor) {
    return static_cast<T>(std::lround(static_cast<double>(value) * factor));
}

void scalePosition(TextPos& pos, double factor) {
    pos.X = scaled(pos.X, factor);
    pos.Y = scaled(pos.Y, factor);
}

} // namespace

PaperScale paperScale(QSize from, QSize to) {
    if (from.isEmpty() || to.isEmpty())
        return {};
    const double factor = std::min(static_cast<double>(to.width()) / from.width(),
                                   static_cast<double>(to.height()) / from.height());
    return {factor, QPointF((to.width() - from.width() * factor) / 2,
                            (to.height() - from.height() * factor) / 2)};
}

void scaleItem(LayoutItem& item, const PaperScale& scale) {
    const double f = scale.factor;
    item.Left = static_cast<float>(item.Left * f + scale.offset.x());
    item.Top = static_cast<float>(item.Top * f + scale.offset.y());
    item.Width = static_cast<float>(item.Width * f);
    item.Height = static_cast<float>(item.Height * f);
    if (item.Category != CategoryPicture) {
        item.DesignWidth = scaled(item.DesignWidth, f);
        item.DesignHeight = scaled(item.DesignHeight, f);
    }
    for (ContentElement& e : item.Elements) {
        if (e.Font.Size > 0)
            e.Font.Size = std::max(1, scaled(e.Font.Size, f));
        scalePosition(e.Pos, f);
        scalePosition(e.UpperPos, f);
        scalePosition(e.LowerPos, f);
    }
    RuleBlockWriter rules = ruleBlock(item);
    for (int i = 0; i < rules.hLineCountClamped(); ++i)
        rules.setHLinePos(i, scaled(rules.hLinePos(i), f));
    for (int i = 0; i < rules.vLineCountClamped(); ++i)
        rules.setVLinePos(i, scaled(rules.vLinePos(i), f));
}

QRectF newItemPlacement(QSizeF drawingArea, const QRectF& visible, QSize canvas,
                        const std::vector<QRectF>& taken) {
    const QSizeF room(std::max(1, canvas.width() - kItemFrame),
                      std::max(1, canvas.height() - kItemFrame));
    QSizeF size = drawingArea;
    if (size.width() > room.width() || size.height() > room.height())
        size = size.scaled(room, Qt::KeepAspectRatio);
    size =
        QSizeF(std::max(1.0, std::floor(size.width())), std::max(1.0, std::floor(size.height())));
    QPointF topLeft = visible.isEmpty() ? QPointF() : visible.topLeft();
    // Inside the page, whole pixels.
    topLeft.setX(std::clamp(std::floor(topLeft.x()), 0.0,
                            std::max(0.0, canvas.width() - kItemFrame - size.width())));
    topLeft.setY(std::clamp(std::floor(topLeft.y()), 0.0,
                            std::max(0.0, canvas.height() - kItemFrame - size.height())));
    // Not on top of what is there: a heading added after a heading comes below it. Each move
    // goes further down, so this ends.
    for (QPointF at = topLeft;;) {
        const QRectF view(at, size + QSizeF(kItemFrame, kItemFrame));
        double below = -1;
        for (const QRectF& other : taken)
            if (other.intersects(view))
                below = std::max(below, other.bottom());
        if (below < 0) {
            topLeft = at;
            break;
        }
        at.setY(std::ceil(below) + 8);
        if (at.y() + size.height() + kItemFrame > canvas.height())
            break; // no room below: where the user is looking after all
    }
    return {topLeft, size};
}

} // namespace tobirae
