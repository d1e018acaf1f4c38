#include "ui/main/ItemPreview.h"

#include <algorithm>
#include <cmath>

namespace tobirae {

namespace {

// The device pixels of a view of that size that lie inside the window (all of them without one).
QRect heldDeviceRect(QSize layoutSize, float deviceScale, const std::optional<QRect>& window) {
    const int w = std::max(0, static_cast<int>(std::lround(layoutSize.width() * deviceScale)));
    const int h = std::max(0, static_cast<int>(std::lround(layoutSize.height() * deviceScale)));
    const QRect view(0, 0, w, h);
    if (!window)
        return view;
    const auto device = [deviceScale](int v, bool up) {
        const double scaled = v * double(deviceScale);
        return static_cast<int>(std::clamp(up ? std::ceil(scaled) : std::floor(scaled), -1e9, 1e9));
    };
    return view.intersected(QRect(
        QPoint(device(window->left(), false), device(window->top(), false)),
        QPoint(device(window->right() + 1, true) - 1, device(window->bottom() + 1, true) - 1)));
}

} // namespace

bool ItemPreview::prepare(QSize layoutSize, float deviceScale, std::optional<QRect> window) {
    deviceScale = deviceScale > 0 ? deviceScale : 1;
    window_ = window;
    if (layoutSize == size_ && deviceScale == deviceScale_ && canvas_ &&
        heldDeviceRect(layoutSize, deviceScale, window) == heldDevice_)
        return false;
    size_ = layoutSize;
    deviceScale_ = deviceScale;
    allocate();
    return true;
}

QRectF ItemPreview::heldRect() const {
    return QRectF(QPointF(heldDevice_.topLeft()) / deviceScale_,
                  QSizeF(heldDevice_.size()) / deviceScale_);
}

void ItemPreview::allocate() {
    heldDevice_ = heldDeviceRect(size_, deviceScale_, window_);
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
