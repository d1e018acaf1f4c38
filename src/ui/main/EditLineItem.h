// One edit line on the canvas: a thin line across the page, above every item view, that the user
// drags along its axis with the left button. The window decides where it ends up on release
// (snapping, mirroring); while dragged it only follows the pointer within the page.
#pragma once

#include <QGraphicsObject>

namespace tobirae {

class EditLineItem final : public QGraphicsObject {
    Q_OBJECT
public:
    // A vertical line holds an X position and spans the page's height; a horizontal one the
    // reverse. `index` is 0 or 1 within its pair.
    EditLineItem(Qt::Orientation orientation, int index, QGraphicsItem* parent = nullptr);

    Qt::Orientation orientation() const { return orientation_; }
    int index() const { return index_; }
    // The page size in layout pixels: the line's length and the range it can be dragged in.
    void setPageSize(QSizeF page);
    double position() const;
    void setPosition(double at);
    // Keeps the line one device pixel thin and easy to grab at any zoom.
    void setZoom(double zoom);
    bool dragging() const { return dragging_; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    // Above every item view whatever their stacking.
    static constexpr qreal kZValue = 1e6;

signals:
    void released(int index, double position);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;

private:
    double length() const;
    double extent() const;

    Qt::Orientation orientation_;
    int index_;
    QSizeF page_;
    double grabHalfWidth_ = 3;
    double grabOffset_ = 0;
    bool dragging_ = false;
};

} // namespace tobirae
