#include "ui/main/PaperItem.h"

#include "app/EditorStartup.h"
#include "ui/dialogs/ColourConversion.h"

#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <algorithm>
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

PaperItem::PaperItem() {
    // Only the exposed part is painted: scrolling a large page then repaints a strip.
    setFlag(QGraphicsItem::ItemUsesExtendedStyleOption);
}

void PaperItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) {
    const QRectF exposed = option->exposedRect.intersected(boundingRect());
    painter->fillRect(exposed, qColorFromBgr(backColor_));
    if (!gridShown_ || gridX_ <= 0 || gridY_ <= 0 || exposed.isEmpty())
        return;
    // The dots lie exactly where snapping puts items, at every multiple of the spacing.
    const double stepX = static_cast<double>(gridX_) / kTwipsPerPixel;
    const double stepY = static_cast<double>(gridY_) / kTwipsPerPixel;
    const double scaleX = std::abs(painter->worldTransform().m11());
    const double scaleY = std::abs(painter->worldTransform().m22());
    // Zoomed far out the dots would merge into a grey wash; then only every n-th is drawn.
    const long thinX = std::max(1L, static_cast<long>(std::ceil(3.0 / (stepX * scaleX))));
    const long thinY = std::max(1L, static_cast<long>(std::ceil(3.0 / (stepY * scaleY))));
    const auto firstOf = [](double from, double step, long thin) {
        const long first = static_cast<long>(std::ceil(from / step));
        return (first + thin - 1) / thin * thin;
    };
    const long firstX = firstOf(exposed.left(), stepX, thinX);
    const long firstY = firstOf(exposed.top(), stepY, thinY);
    dots_.clear();
    for (long j = firstY; j * stepY <= exposed.bottom(); j += thinY) {
        for (long i = firstX; i * stepX <= exposed.right(); i += thinX)
            dots_.emplace_back(i * stepX, j * stepY);
    }
    QPen pen(Qt::black);
    pen.setCosmetic(true);
    pen.setWidth(1);
    painter->setPen(pen);
    painter->drawPoints(dots_.data(), static_cast<int>(dots_.size()));
}

} // namespace tobirae
