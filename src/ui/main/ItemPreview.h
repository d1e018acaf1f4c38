// The picture an item view shows: a QImage the renderer draws into, finer than layout pixels by
// the view's zoom and the screen's device-pixel ratio so previews stay sharp when zoomed.
#pragma once

#include "bitmap/ImageCanvas.h"
#include "render/PreviewTarget.h"

#include <QImage>
#include <functional>
#include <memory>

namespace tobirae {

class ItemPreview final : public PreviewTarget {
public:
    ItemPreview() = default;

    QSize size() const override { return size_; }
    void resize(QSize layoutSize) override;
    Canvas* canvas() override;
    void clear(Colour background) override;
    float deviceScale() const override { return deviceScale_; }
    void finished() override;

    // Sets the layout size and the device scale; the picture is reallocated (and cleared) when
    // either changes.
    void prepare(QSize layoutSize, float deviceScale);
    const QImage& image() const { return image_; }
    // Told whenever the size or the picture changed.
    void setChangedHandler(std::function<void()> handler) { changed_ = std::move(handler); }

private:
    void allocate();

    QSize size_;
    float deviceScale_ = 1;
    QImage image_;
    std::unique_ptr<ImageCanvas> canvas_;
    std::function<void()> changed_;
};

} // namespace tobirae
