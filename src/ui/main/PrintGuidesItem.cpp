#include "ui/main/PrintGuidesItem.h"

#include <QPainter>
#include <QPen>

namespace tobirae {

PrintGuidesItem::PrintGuidesItem() {
    setAcceptedMouseButtons(Qt::NoButton);
    setAcceptHoverEvents(false);
    // Above every item view.
    setZValue(1e6);
}

void PrintGuidesItem::setGuides(const QSizeF& paper, double bleedMm, bool bleedShown,
                                bool safetyShown) {
    prepareGeometryChange();
    rects_ = printGuideRects(paper, bleedMm);
    bleedShown_ = bleedShown;
    safetyShown_ = safetyShown;
    setVisible(bleedShown || safetyShown);
    update();
}

QRectF PrintGuidesItem::boundingRect() const {
    return rects_.bleed.adjusted(-2, -2, 2, 2);
}

void PrintGuidesItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->save();
    painter->setBrush(Qt::NoBrush);
    QPen pen(QColor(220, 0, 0), 0, Qt::DashLine);
    pen.setCosmetic(true);
    if (bleedShown_) {
        painter->setPen(pen);
        painter->drawRect(rects_.bleed);
    }
    if (safetyShown_) {
        pen.setColor(QColor(0, 120, 220));
        painter->setPen(pen);
        painter->drawRect(rects_.safety);
    }
    painter->restore();
}

} // namespace tobirae
