#include "ui/main/ItemPreview.h"

#include <algorithm>
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

void ItemPreview::prepare(QSize layoutSize, float deviceScale, std::optional<QRect> window) {
    deviceScale = deviceScale > 0 ? deviceScale : 1;
    if (layoutSize == size_ && deviceScale == deviceScale_ && window == window_ && canvas_)
        return;
    size_ = layoutSize;
    deviceScale_ = deviceScale;
    window_ = window;
    allocate();
}

QRectF ItemPreview::heldRect() const {
    return QRectF(QPointF(heldDevice_.topLeft()) / deviceScale_,
                  QSizeF(heldDevice_.size()) / deviceScale_);
}

void ItemPreview::allocate() {
    const int w = std::max(0, static_cast<int>(std::lround(size_.width() * deviceScale_)));
    const int h = std::max(0, static_cast<int>(std::lround(size_.height() * deviceScale_)));
    heldDevice_ = QRect(0, 0, w, h);
    if (window_) {
        const auto device = [this](int v, bool up) {
            const double scaled = v * double(deviceScale_);
            return static_cast<int>(
                std::clamp(up ? std::ceil(scaled) : std::floor(scaled), -1e9, 1e9));
        };
        const QRect windowDevice(
            QPoint(device(window_->left(), false), device(window_->top(), false)),
            QPoint(device(window_->right() + 1, true) - 1,
                   device(window_->bottom() + 1, true) - 1));
        heldDevice_ = heldDevice_.intersected(windowDevice);
    }
    image_ = heldDevice_.isEmpty() ? QImage() : QImage(heldDevice_.size(), QImage::Format_RGB32);
    if (!image_.isNull())
        image_.fill(Qt::white);
    canvas_ = std::make_unique<ImageCanvas>(&image_);
    canvas_->setOrigin(heldDevice_.topLeft());
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
