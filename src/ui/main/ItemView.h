// The item view of one slot on the canvas: a borderless picture at the item's position that
// shows the item's preview. Mouse editing (dragging, resizing, popup menus) attaches here.
#pragma once

#include "ui/main/ItemPreview.h"

#include <QGraphicsObject>

namespace tobirae {

class ItemView final : public QGraphicsObject {
    Q_OBJECT
public:
    explicit ItemView(int slot, QGraphicsItem* parent = nullptr);

    int slot() const { return slot_; }
    ItemPreview& preview() { return preview_; }
    const ItemPreview& preview() const { return preview_; }

    // Size in layout pixels (the item's Width/Height + 4).
    QSize viewSize() const { return preview_.size(); }
    void setViewSize(QSize layoutSize, float deviceScale);
    // The focus border of the selected item.
    void setFocusBorder(bool on);
    bool focusBorder() const { return focusBorder_; }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

signals:
    void pressed(int slot);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;

private:
    int slot_;
    ItemPreview preview_;
    QSize paintedSize_;
    bool focusBorder_ = false;
};

} // namespace tobirae
