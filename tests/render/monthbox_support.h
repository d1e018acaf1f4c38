// Shared by the month-box, ruled-line and day-cell tests: a preview view backed by a recording or
// an image, and a five-row box item with every element at a known place.
#pragma once

#include "bitmap/ImageCanvas.h"
#include "bitmap/RecordingCanvas.h"
#include "render/NewItemDefaults.h"
#include "render/PreviewTarget.h"
#include "render/RenderArgs.h"
#include "render/RenderFrame.h"
#include "render/RuleBlock.h"

#include <memory>

namespace tobirae::test {

// An editor view on a recording: what the renderer draws on screen is logged.
class RecordingPreview : public PreviewTarget {
public:
    explicit RecordingPreview(QSize size) : size_(size), canvas_(size.width(), size.height()) {}
    QSize size() const override { return size_; }
    void resize(QSize layoutSize) {
        size_ = layoutSize;
        canvas_ = RecordingCanvas(layoutSize.width(), layoutSize.height());
    }
    Canvas* canvas() override { return &canvas_; }
    void clear(Colour) override { canvas_.clearCalls(); }
    RecordingCanvas& recording() { return canvas_; }
    const RecordingCanvas& recording() const { return canvas_; }

private:
    QSize size_;
    RecordingCanvas canvas_;
};

// An editor view on a real image.
class ImagePreview : public PreviewTarget {
public:
    explicit ImagePreview(QSize size) { resize(size); }
    QSize size() const override { return size_; }
    void resize(QSize layoutSize) {
        size_ = layoutSize;
        canvas_ = std::make_unique<ImageCanvas>(layoutSize.width(), layoutSize.height());
    }
    Canvas* canvas() override { return canvas_.get(); }
    void clear(Colour background) override {
        canvas_->fillRect(0, 0, canvas_->width(), canvas_->height(), background, 0, 0, false);
    }
    const QImage& image() const { return *canvas_->image(); }

private:
    QSize size_;
    std::unique_ptr<ImageCanvas> canvas_;
};

// What the editor does for an item that fits its contents: the item takes its content size,
// the view that size + 4, and then it is drawn once into the view.
inline bool drawAtContentSize(RenderContext& ctx, LayoutItem item, RecordingPreview& view,
                              DateRange range, const QString& layoutFolder = {}) {
    DateRange measured = range;
    const std::optional<QSize> size = contentSize(ctx, item, measured, layoutFolder);
    if (!size)
        return false;
    item.Width = static_cast<float>(size->width());
    item.Height = static_cast<float>(size->height());
    view.resize(*size + QSize(4, 4));
    return drawLayoutItem(ctx, item, &view, range, DrawSurface{}, 0, 0, layoutFolder);
}

// A new item of the kind with the defaults of an A4 portrait page, at (10, 20) and exactly its
// design size, so that fit and placement change nothing.
inline LayoutItem newBoxItem(int variant = VariantBox5) {
    LayoutItem item;
    applyNewItemDefaults(CategoryMonthFamily, variant, item, 210, 297);
    item.Live = kTrue;
    item.Left = 10;
    item.Top = 20;
    item.Width = static_cast<float>(item.DesignWidth);
    item.Height = static_cast<float>(item.DesignHeight);
    return item;
}

// Page-target args for the month of (year, month), no offsets.
inline RenderArgs pageArgs(const LayoutItem& item, int year, int month, int rows = 5) {
    return RenderArgs{item, nullptr, DrawSurface{}, DateRange{year, month, 1, 0, 0, 0}, 0, 0, 0,
                      0,    rows,    QString()};
}

} // namespace tobirae::test
