#include "ui/main/ItemPreview.h"

#include <cmath>

namespace tobirae {

void ItemPreview::resize(QSize layoutSize) {
    if (layoutSize == size_)
        return;
    size_ = layoutSize;
    allocate();
    if (changed_)
        changed_();
}

void ItemPreview::prepare(QSize layoutSize, float deviceScale) {
    if (layoutSize == size_ && deviceScale == deviceScale_ && canvas_)
        return;
    size_ = layoutSize;
    deviceScale_ = deviceScale > 0 ? deviceScale : 1;
    allocate();
}

void ItemPreview::allocate() {
    const int w = std::max(0, static_cast<int>(std::lround(size_.width() * deviceScale_)));
    const int h = std::max(0, static_cast<int>(std::lround(size_.height() * deviceScale_)));
    image_ = (w > 0 && h > 0) ? QImage(w, h, QImage::Format_RGB32) : QImage();
    if (!image_.isNull())
        image_.fill(Qt::white);
    canvas_ = std::make_unique<ImageCanvas>(&image_);
}

Canvas* ItemPreview::canvas() {
    if (!canvas_)
        allocate();
    return canvas_.get();
}

void ItemPreview::clear(Colour background) {
    if (!canvas_)
        allocate();
    if (!image_.isNull())
        image_.fill(QColor::fromRgb(rgbFromColour(background)));
}

void ItemPreview::finished() {
    if (changed_)
        changed_();
}

} // namespace tobirae
