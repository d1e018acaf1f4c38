#include "ui/main/EditLineItem.h"

#include <QCursor>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <algorithm>

namespace tobirae {

namespace {

// Half the width, in device pixels, within which the pointer takes hold of a line.
constexpr double kGrabPixels = 3;

} // namespace

EditLineItem::EditLineItem(Qt::Orientation orientation, int index, QGraphicsItem* parent)
    : QGraphicsObject(parent), orientation_(orientation), index_(index) {
    setZValue(kZValue);
    setCursor(orientation == Qt::Vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
    setAcceptedMouseButtons(Qt::LeftButton);
}

void EditLineItem::setPageSize(QSizeF page) {
    if (page == page_)
        return;
    prepareGeometryChange();
    page_ = page;
}

double EditLineItem::position() const {
    return orientation_ == Qt::Vertical ? pos().x() : pos().y();
}

void EditLineItem::setPosition(double at) {
    setPos(orientation_ == Qt::Vertical ? QPointF(at, 0) : QPointF(0, at));
}

void EditLineItem::setZoom(double zoom) {
    const double half = kGrabPixels / std::max(zoom, 1e-3);
    if (half == grabHalfWidth_)
        return;
    prepareGeometryChange();
    grabHalfWidth_ = half;
}

double EditLineItem::length() const {
    return orientation_ == Qt::Vertical ? page_.height() : page_.width();
}

double EditLineItem::extent() const {
    return orientation_ == Qt::Vertical ? page_.width() : page_.height();
}

QRectF EditLineItem::boundingRect() const {
    if (orientation_ == Qt::Vertical)
        return QRectF(-grabHalfWidth_, 0, 2 * grabHalfWidth_, length());
    return QRectF(0, -grabHalfWidth_, length(), 2 * grabHalfWidth_);
}

void EditLineItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    QPen pen(dragging_ ? QColor(220, 0, 0) : QColor(0, 90, 220));
    pen.setCosmetic(true);
    pen.setWidth(1);
    painter->setPen(pen);
    if (orientation_ == Qt::Vertical)
        painter->drawLine(QPointF(0, 0), QPointF(0, length()));
    else
        painter->drawLine(QPointF(0, 0), QPointF(length(), 0));
}

void EditLineItem::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const double pointer =
        orientation_ == Qt::Vertical ? event->scenePos().x() : event->scenePos().y();
    grabOffset_ = position() - pointer;
    dragging_ = true;
    update();
    event->accept();
}

void EditLineItem::mouseMoveEvent(QGraphicsSceneMouseEvent* event) {
    if (!dragging_)
        return;
    const double pointer =
        orientation_ == Qt::Vertical ? event->scenePos().x() : event->scenePos().y();
    setPosition(std::clamp(pointer + grabOffset_, 0.0, extent()));
}

void EditLineItem::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton)
        return;
    dragging_ = false;
    update();
    emit released(index_, position());
}

} // namespace tobirae
