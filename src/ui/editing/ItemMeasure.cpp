#include "ui/editing/ItemMeasure.h"

#include "bitmap/PainterCanvas.h"
#include "bitmap/RecordingCanvas.h"
#include "render/PreviewTarget.h"
#include "render/RenderFrame.h"

#include <cmath>
#include <memory>

namespace tobirae {

namespace {

// A preview at one device pixel per layout pixel that only remembers the size the renderer
// gave it. It keeps no pixels: a heading as large as a wall costs no memory to measure.
class MeasuringTarget final : public PreviewTarget {
public:
    MeasuringTarget(QSize size, std::shared_ptr<FontCache> fonts)
        : size_(size), fonts_(std::move(fonts)) {}

    QSize size() const override { return size_; }
    void resize(QSize layoutSize) override {
        size_ = layoutSize;
        canvas_.reset();
    }
    Canvas* canvas() override {
        if (!canvas_)
            canvas_ = std::make_unique<RecordingCanvas>(std::max(1, size_.width()),
                                                        std::max(1, size_.height()), fonts_);
        return canvas_.get();
    }
    void clear(Colour) override {}

private:
    QSize size_;
    std::shared_ptr<FontCache> fonts_;
    std::unique_ptr<RecordingCanvas> canvas_;
};

} // namespace

bool autoSized(const LayoutItem& item) {
    return (item.Category == CategoryYear || item.Category == CategoryMonthDisplay) &&
           !isTrue(item.FitToRect);
}

ItemMeasure::ItemMeasure(PictureCache* pictures) {
    initRenderContext(ctx_);
    ctx_.pictures = pictures;
    fonts_ = std::make_shared<FontCache>();
    useDeferredSurfaces(ctx_, fonts_);
}

std::optional<QSizeF> ItemMeasure::contentSize(const LayoutItem& item, int year, int month,
                                               const QString& layoutFolder) {
    MeasuringTarget target(QSize(static_cast<int>(std::lround(item.Width + kItemFrame)),
                                 static_cast<int>(std::lround(item.Height + kItemFrame))),
                           fonts_);
    DateRange range = pageDateRange(year, month);
    if (!drawLayoutItem(ctx_, item, &target, range, true, DrawSurface{}, 0, 0, layoutFolder))
        return std::nullopt;
    return QSizeF(target.size().width() - kItemFrame, target.size().height() - kItemFrame);
}

} // namespace tobirae
