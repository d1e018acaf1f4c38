#include "ui/main/CanvasView.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cmath>

namespace tobirae {

namespace {

constexpr std::array<double, 15> kZoomSteps{0.1,  0.15, 0.25, 0.33, 0.5, 0.67, 0.75, 1.0,
                                            1.25, 1.5,  2.0,  3.0,  4.0, 6.0,  8.0};

QStringList localFiles(const QMimeData* mime) {
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

} // namespace

double nextZoomStep(double zoom, bool larger) {
    constexpr double eps = 1e-6;
    if (larger) {
        for (double step : kZoomSteps) {
            if (step > zoom + eps)
                return step;
        }
        return kZoomSteps.back();
    }
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it) {
        if (*it < zoom - eps)
            return *it;
    }
    return kZoomSteps.front();
}

CanvasView::CanvasView(QGraphicsScene* scene, QWidget* parent) : QGraphicsView(scene, parent) {
    setObjectName(QStringLiteral("frameView"));
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setBackgroundBrush(palette().color(QPalette::Dark));
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setAcceptDrops(true);
    horizontalScrollBar()->setPageStep(100);
    verticalScrollBar()->setPageStep(100);
}

double CanvasView::deviceScale() const {
    return zoom_ * devicePixelRatioF();
}

void CanvasView::setZoom(double zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (std::abs(zoom - zoom_) < 1e-9)
        return;
    zoom_ = zoom;
    setTransform(QTransform::fromScale(zoom_, zoom_));
    emit zoomChanged(zoom_);
    reportVisibleArea();
}

void CanvasView::scrollContentsBy(int dx, int dy) {
    QGraphicsView::scrollContentsBy(dx, dy);
    reportVisibleArea();
}

void CanvasView::resizeEvent(QResizeEvent* event) {
    QGraphicsView::resizeEvent(event);
    reportVisibleArea();
}

void CanvasView::showEvent(QShowEvent* event) {
    QGraphicsView::showEvent(event);
    reportVisibleArea();
}

void CanvasView::reportVisibleArea() {
    // A hidden view's viewport has no meaningful size yet.
    if (isVisible())
        emit visibleAreaChanged(visibleSceneRect());
}

void CanvasView::zoomIn() {
    const auto anchor = transformationAnchor();
    setTransformationAnchor(QGraphicsView::AnchorViewCenter);
    setZoom(nextZoomStep(zoom_, true));
    setTransformationAnchor(anchor);
}

void CanvasView::zoomOut() {
    const auto anchor = transformationAnchor();
    setTransformationAnchor(QGraphicsView::AnchorViewCenter);
    setZoom(nextZoomStep(zoom_, false));
    setTransformationAnchor(anchor);
}

void CanvasView::fitPage(const QRectF& pageRect) {
    if (pageRect.isEmpty())
        return;
    const QSize area = maximumViewportSize();
    // Leave room for the frame so no scroll bar appears at the fitted zoom.
    const double zoom =
        std::min((area.width() - 4) / pageRect.width(), (area.height() - 4) / pageRect.height());
    setZoom(zoom);
    ensureVisible(pageRect, 0, 0);
}

void CanvasView::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        const int delta = event->angleDelta().y();
        if (delta != 0)
            setZoom(zoom_ * std::pow(1.0015, delta));
        event->accept();
        return;
    }
    QGraphicsView::wheelEvent(event);
}

void CanvasView::dragEnterEvent(QDragEnterEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        QGraphicsView::dragEnterEvent(event);
}

void CanvasView::dragMoveEvent(QDragMoveEvent* event) {
    if (!localFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        QGraphicsView::dragMoveEvent(event);
}

void CanvasView::dropEvent(QDropEvent* event) {
    const QStringList paths = localFiles(event->mimeData());
    if (paths.isEmpty()) {
        QGraphicsView::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(paths, mapToScene(event->position().toPoint()));
}

void CanvasView::contextMenuEvent(QContextMenuEvent* event) {
    event->ignore();
    QGraphicsView::contextMenuEvent(event);
    if (event->isAccepted())
        return;
    event->accept();
    emit canvasPopupRequested(mapToScene(event->pos()), event->globalPos());
}

QRectF CanvasView::visibleSceneRect() const {
    return mapToScene(viewport()->rect()).boundingRect();
}

} // namespace tobirae
