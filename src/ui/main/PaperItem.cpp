#include "ui/main/PaperItem.h"

#include "app/EditorStartup.h"
#include "ui/dialogs/ColourConversion.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <cmath>
#include <vector>

namespace tobirae {

void PaperItem::setPaperSize(QSizeF layoutPixels) {
    if (layoutPixels == size_)
        return;
    prepareGeometryChange();
    size_ = layoutPixels;
}

void PaperItem::setBackColor(std::int32_t bgr) {
    backColor_ = bgr;
    update();
}

void PaperItem::setGrid(bool shown, int spacingXTwips, int spacingYTwips) {
    gridShown_ = shown;
    gridX_ = spacingXTwips;
    gridY_ = spacingYTwips;
    update();
}

void PaperItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    const QRectF paper = boundingRect();
    painter->fillRect(paper, qColorFromBgr(backColor_));
    if (!gridShown_ || gridX_ <= 0 || gridY_ <= 0)
        return;
    // Dots at every multiple of the spacing; only the exposed part is drawn.
    const QRectF exposed = option->exposedRect.intersected(paper);
    const double stepX = static_cast<double>(gridX_) / kTwipsPerPixel;
    const double stepY = static_cast<double>(gridY_) / kTwipsPerPixel;
    const double scale = painter->worldTransform().m11();
    // When zoomed far out the dots would merge into a grey wash; thin them to every n-th.
    const int thinX = std::max(1, static_cast<int>(std::ceil(3.0 / (stepX * scale))));
    const int thinY = std::max(1, static_cast<int>(std::ceil(3.0 / (stepY * scale))));
    std::vector<QPointF> dots;
    const long firstX = static_cast<long>(std::ceil(exposed.left() / stepX));
    const long firstY = static_cast<long>(std::ceil(exposed.top() / stepY));
    for (long j = firstY - firstY % thinY; j * stepY < exposed.bottom(); j += thinY) {
        for (long i = firstX - firstX % thinX; i * stepX < exposed.right(); i += thinX)
            dots.emplace_back(std::floor(i * stepX), std::floor(j * stepY));
    }
    QPen pen(Qt::black);
    pen.setCosmetic(true);
    pen.setWidth(1);
    painter->setPen(pen);
    painter->drawPoints(dots.data(), static_cast<int>(dots.size()));
}

} // namespace tobirae
