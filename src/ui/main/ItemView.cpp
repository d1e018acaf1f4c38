#include "ui/main/ItemView.h"

#include <QGraphicsSceneMouseEvent>
#include <QPainter>

namespace tobirae {

ItemView::ItemView(int slot, QGraphicsItem* parent) : QGraphicsObject(parent), slot_(slot) {
    preview_.setChangedHandler([this] {
        if (preview_.size() != paintedSize_) {
            prepareGeometryChange();
            paintedSize_ = preview_.size();
        }
        update();
    });
}

void ItemView::setViewSize(QSize layoutSize, float deviceScale) {
    if (layoutSize != paintedSize_) {
        prepareGeometryChange();
        paintedSize_ = layoutSize;
    }
    preview_.prepare(layoutSize, deviceScale);
    update();
}

void ItemView::setFocusBorder(bool on) {
    if (on == focusBorder_)
        return;
    focusBorder_ = on;
    update();
}

QRectF ItemView::boundingRect() const {
    return QRectF(QPointF(0, 0), QSizeF(paintedSize_));
}

void ItemView::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const QRectF target = boundingRect();
    if (!preview_.image().isNull()) {
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(target, preview_.image());
    }
    if (focusBorder_) {
        QPen pen(QColor(0, 0, 0), 0, Qt::DotLine);
        pen.setCosmetic(true);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(target.adjusted(0, 0, -1.0 / painter->worldTransform().m11(),
                                          -1.0 / painter->worldTransform().m22()));
    }
}

void ItemView::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit pressed(slot_);
    event->accept();
}

} // namespace tobirae
