#include "ui/main/ItemView.h"

#include <QCursor>
#include <QGraphicsScene>
#include <QGraphicsSceneContextMenuEvent>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace tobirae {

namespace {

constexpr double kHandlePixels = 7; // on screen, whatever the zoom
constexpr double kMinViewSize = 5;  // the frame of 4 and one pixel of drawing area
// Screen pixels the pointer travels before a press becomes a drag, so a click with a trembling
// hand does not move the item.
constexpr int kDragThreshold = 3;

QPointF rounded(QPointF p) {
    return {std::round(p.x()), std::round(p.y())};
}

} // namespace

ItemView::ItemView(int slot, QGraphicsItem* parent) : QGraphicsObject(parent), slot_(slot) {
    setFlag(ItemIsFocusable);
    preview_.setChangedHandler([this] {
        if (gesture_ == Gesture::None && preview_.size() != paintedSize_) {
            prepareGeometryChange();
            paintedSize_ = preview_.size();
        }
        update();
    });
}

bool ItemView::setViewSize(QSize layoutSize, float deviceScale, std::optional<QRect> window) {
    if (layoutSize != paintedSize_) {
        prepareGeometryChange();
        paintedSize_ = layoutSize;
    }
    const bool cleared = preview_.prepare(layoutSize, deviceScale, window);
    update();
    return cleared;
}

void ItemView::setWarning(const QString& text) {
    if (text == warning_)
        return;
    warning_ = text;
    setToolTip(text);
    update();
}

void ItemView::setFocusBorder(bool on) {
    if (on == focusBorder_)
        return;
    focusBorder_ = on;
    update();
}

void ItemView::setResizeMode(bool on) {
    if (on == resizeMode_)
        return;
    resizeMode_ = on;
    setAcceptHoverEvents(on);
    if (!on)
        unsetCursor();
    update();
}

double ItemView::handleSize() const {
    double zoom = 1;
    if (scene() && !scene()->views().isEmpty())
        zoom = scene()->views().constFirst()->transform().m11();
    return kHandlePixels / std::max(zoom, 1e-3);
}

int ItemView::handleEdgesAt(QPointF local) const {
    if (!resizeMode_)
        return 0;
    const QRectF r = boundingRect();
    const double h = handleSize();
    const auto near = [h](double v, double target) { return std::abs(v - target) <= h; };
    int edges = 0;
    if (near(local.x(), r.left()))
        edges |= kLeft;
    else if (near(local.x(), r.right()))
        edges |= kRight;
    if (near(local.y(), r.top()))
        edges |= kTop;
    else if (near(local.y(), r.bottom()))
        edges |= kBottom;
    // A handle sits at a corner or in the middle of an edge.
    const bool corner = (edges & (kLeft | kRight)) && (edges & (kTop | kBottom));
    const bool midX = std::abs(local.x() - r.center().x()) <= h;
    const bool midY = std::abs(local.y() - r.center().y()) <= h;
    if (corner)
        return edges;
    if ((edges & (kLeft | kRight)) && midY)
        return edges;
    if ((edges & (kTop | kBottom)) && midX)
        return edges;
    return 0;
}

QRectF ItemView::boundingRect() const {
    return QRectF(QPointF(0, 0), QSizeF(paintedSize_));
}

void ItemView::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    const QRectF target = boundingRect();
    if (!preview_.image().isNull()) {
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(preview_.heldRect(), preview_.image());
    }
    const double px = 1.0 / painter->worldTransform().m11();
    if (!warning_.isEmpty()) {
        QPen pen(QColor(220, 0, 0), 3);
        pen.setCosmetic(true);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(target.adjusted(px, px, -2 * px, -2 * px));
        // The text stays readable at any zoom: its size is in screen pixels.
        painter->save();
        painter->scale(px, px);
        QFont font = painter->font();
        font.setPixelSize(12);
        painter->setFont(font);
        const QRectF label =
            painter->boundingRect(QRectF(3, 3, target.width() / px - 6, 40),
                                  Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, warning_)
                .adjusted(-2, -1, 2, 1);
        painter->fillRect(label, QColor(220, 0, 0));
        painter->setPen(Qt::white);
        painter->drawText(label.adjusted(2, 1, -2, -1),
                          Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, warning_);
        painter->restore();
    }
    if (focusBorder_ || resizeMode_) {
        QPen pen(QColor(0, 0, 0), 0, resizeMode_ ? Qt::SolidLine : Qt::DotLine);
        pen.setCosmetic(true);
        painter->setPen(pen);
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(target.adjusted(0, 0, -px, -px));
    }
    if (resizeMode_) {
        const double h = handleSize();
        const std::array<double, 3> xs{target.left(), target.center().x() - h / 2,
                                       target.right() - h};
        const std::array<double, 3> ys{target.top(), target.center().y() - h / 2,
                                       target.bottom() - h};
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor(0, 0, 160));
        for (std::size_t i = 0; i < 3; ++i)
            for (std::size_t j = 0; j < 3; ++j)
                if (i != 1 || j != 1)
                    painter->drawRect(QRectF(xs[i], ys[j], h, h));
    }
}

void ItemView::showRect(const QRectF& rect) {
    if (rect.size() != QSizeF(paintedSize_)) {
        prepareGeometryChange();
        paintedSize_ = rect.size().toSize();
    }
    setPos(rect.topLeft());
    liveRect_ = rect;
    emit gestureMoved(slot_, rect);
}

void ItemView::mousePressEvent(QGraphicsSceneMouseEvent* event) {
    const int edges = event->button() == Qt::LeftButton ? handleEdgesAt(event->pos()) : 0;
    emit pressed(slot_, event->button(), edges != 0);
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    pressScene_ = event->scenePos();
    pressScreen_ = event->screenPos();
    startRect_ = QRectF(pos(), QSizeF(paintedSize_));
    liveRect_ = startRect_;
    moved_ = false;
    edges_ = edges;
    gesture_ = edges ? Gesture::Resize : dragEnabled_ ? Gesture::Drag : Gesture::None;
    setFocus(Qt::MouseFocusReason);
}

void ItemView::mouseMoveEvent(QGraphicsSceneMouseEvent* event) {
    if (gesture_ == Gesture::None)
        return;
    // Whole layout pixels at every zoom.
    const QPointF delta = rounded(event->scenePos() - pressScene_);
    if (!moved_ && (event->screenPos() - pressScreen_).manhattanLength() < kDragThreshold)
        return;
    if (delta.isNull() && !moved_)
        return;
    moved_ = true;
    if (gesture_ == Gesture::Drag) {
        showRect(QRectF(startRect_.topLeft() + delta, startRect_.size()));
        return;
    }
    QRectF r = startRect_;
    if (edges_ & kLeft)
        r.setLeft(std::min(r.left() + delta.x(), r.right() - kMinViewSize));
    if (edges_ & kRight)
        r.setRight(std::max(r.right() + delta.x(), r.left() + kMinViewSize));
    if (edges_ & kTop)
        r.setTop(std::min(r.top() + delta.y(), r.bottom() - kMinViewSize));
    if (edges_ & kBottom)
        r.setBottom(std::max(r.bottom() + delta.y(), r.top() + kMinViewSize));
    showRect(r);
}

void ItemView::mouseReleaseEvent(QGraphicsSceneMouseEvent* event) {
    event->accept();
    const Gesture gesture = std::exchange(gesture_, Gesture::None);
    if (!moved_ || event->button() != Qt::LeftButton)
        return;
    moved_ = false;
    if (gesture == Gesture::Drag)
        emit dragReleased(slot_, liveRect_.topLeft());
    else if (gesture == Gesture::Resize)
        emit resizeReleased(slot_, liveRect_);
}

void ItemView::mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit doubleClicked(slot_);
}

void ItemView::hoverMoveEvent(QGraphicsSceneHoverEvent* event) {
    const int edges = handleEdgesAt(event->pos());
    const bool diagonal = edges == (kLeft | kTop) || edges == (kRight | kBottom);
    const bool antiDiagonal = edges == (kRight | kTop) || edges == (kLeft | kBottom);
    if (diagonal)
        setCursor(Qt::SizeFDiagCursor);
    else if (antiDiagonal)
        setCursor(Qt::SizeBDiagCursor);
    else if (edges & (kLeft | kRight))
        setCursor(Qt::SizeHorCursor);
    else if (edges & (kTop | kBottom))
        setCursor(Qt::SizeVerCursor);
    else
        unsetCursor();
}

void ItemView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        emit keyPressed(slot_, event->key(), event->modifiers());
        return;
    default:
        event->ignore();
    }
}

void ItemView::contextMenuEvent(QGraphicsSceneContextMenuEvent* event) {
    event->accept();
    emit popupRequested(slot_, event->screenPos());
}

} // namespace tobirae
