// The canvas frame: a scrollable, zoomable view of the page scene. Scene coordinates are layout
// pixels (1/96 inch); zoom changes only how the scene is shown.
#pragma once

#include <QGraphicsView>

namespace tobirae {

class CanvasView final : public QGraphicsView {
    Q_OBJECT
public:
    explicit CanvasView(QGraphicsScene* scene, QWidget* parent = nullptr);

    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();
    // The zoom at which `pageRect` fits the visible area.
    void fitPage(const QRectF& pageRect);
    // Layout pixels to device pixels of the screen the view is on.
    double deviceScale() const;
    // The part of the scene the view shows now, in layout pixels.
    QRectF visibleSceneRect() const;

    static constexpr double kMinZoom = 0.1;
    static constexpr double kMaxZoom = 8.0;

signals:
    void zoomChanged(double zoom);
    void filesDropped(const QStringList& paths, QPointF scenePos);
    // A right click on the canvas where no item takes it.
    void canvasPopupRequested(QPointF scenePos, QPoint screenPos);
    // The part of the scene in sight changed (scrolled, zoomed, resized); only while shown.
    void visibleAreaChanged(QRectF sceneArea);

protected:
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void reportVisibleArea();

    double zoom_ = 1.0;
};

// The next zoom step up or down from `zoom` (100 % is always one of the steps).
double nextZoomStep(double zoom, bool larger);

} // namespace tobirae
