// The item view of one slot on the canvas: a borderless picture at the item's position that
// shows the item's preview. The pointer drags it, and in resize mode its handles resize it; the
// view only shows the gesture and reports where it ended, the document decides the final place.
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
    // The view's size and scale, and the part of it on the paper (the preview holds only that);
    // true when the preview was cleared and must be drawn again.
    bool setViewSize(QSize layoutSize, float deviceScale,
                     std::optional<QRect> window = std::nullopt);
    // The focus border of the selected item.
    void setFocusBorder(bool on);
    bool focusBorder() const { return focusBorder_; }
    // A problem the user must see before printing (a missing picture, rows cut off): a red
    // frame and the text at the top, over the preview. Empty: none.
    void setWarning(const QString& text);
    QString warning() const { return warning_; }
    // Whether a press starts a drag; decided by the window when the button goes down.
    void setDragEnabled(bool on) { dragEnabled_ = on; }
    // Resize mode shows handles at the corners and edge middles.
    void setResizeMode(bool on);
    bool resizeMode() const { return resizeMode_; }

    // Which edges a handle at `local` (item coordinates) moves: bits kLeft, kRight, kTop, kBottom.
    int handleEdgesAt(QPointF local) const;
    static constexpr int kLeft = 1, kRight = 2, kTop = 4, kBottom = 8;

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

signals:
    // Mouse button down; onHandle when it grabbed a resize handle.
    void pressed(int slot, Qt::MouseButton button, bool onHandle);
    // The view's rectangle while it is dragged or resized (layout pixels).
    void gestureMoved(int slot, QRectF view);
    void dragReleased(int slot, QPointF topLeft);
    void resizeReleased(int slot, QRectF view);
    void doubleClicked(int slot);
    void keyPressed(int slot, int key, Qt::KeyboardModifiers modifiers);
    void popupRequested(int slot, QPoint screenPos);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QGraphicsSceneContextMenuEvent* event) override;

private:
    enum class Gesture { None, Drag, Resize };
    double handleSize() const; // layout pixels, constant on screen
    void showRect(const QRectF& rect);

    int slot_;
    ItemPreview preview_;
    QSize paintedSize_;
    bool focusBorder_ = false;
    QString warning_;
    bool dragEnabled_ = false;
    bool resizeMode_ = false;
    Gesture gesture_ = Gesture::None;
    int edges_ = 0;
    bool moved_ = false;
    QPointF pressScene_;
    QPoint pressScreen_;
    QRectF startRect_;
    QRectF liveRect_;
};

} // namespace tobirae
