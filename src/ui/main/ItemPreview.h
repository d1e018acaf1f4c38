// The picture an item view shows: a QImage the renderer draws into, finer than layout pixels by
// the view's zoom and the screen's device-pixel ratio so previews stay sharp when zoomed. Only
// the part of the view inside its window (the paper) is held, so an item far larger than the
// paper costs no more memory than the paper.
#pragma once

#include "bitmap/ImageCanvas.h"
#include "render/PreviewTarget.h"

#include <QImage>
#include <functional>
#include <memory>
#include <optional>

namespace tobirae {

class ItemPreview final : public PreviewTarget {
public:
    ItemPreview() = default;

    QSize size() const override { return size_; }
    Canvas* canvas() override;
    void clear(Colour background) override;
    float deviceScale() const override { return deviceScale_; }
    void finished() override;

    // Sets the layout size, the device scale and the window (layout pixels of the view; all of
    // the view when not given). The picture is reallocated and cleared, and true returned, when
    // the size, the scale or the part of the view inside the window changes.
    bool prepare(QSize layoutSize, float deviceScale, std::optional<QRect> window = std::nullopt);
    const QImage& image() const { return image_; }
    // The part of the view the image holds, in layout pixels of the view.
    QRectF heldRect() const;
    // Told whenever the size or the picture changed.
    void setChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }

private:
    void allocate();

    QSize size_;
    float deviceScale_ = 1;
    std::optional<QRect> window_;
    QRect heldDevice_; // device pixels of the view that the image holds
    QImage image_;
    std::unique_ptr<ImageCanvas> canvas_;
    std::function<void()> changed_;
};

} // namespace tobirae
