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
    explicit MeasuringTarget(QSize size) : size_(size) {}

    QSize size() const override { return size_; }
    void resize(QSize layoutSize) override {
        size_ = layoutSize;
        canvas_.reset();
    }
    Canvas* canvas() override {
        if (!canvas_)
            canvas_ = std::make_unique<RecordingCanvas>(std::max(1, size_.width()),
                                                        std::max(1, size_.height()),
                                                        RecordingCanvas::Metrics::Page);
        return canvas_.get();
    }
    void clear(Colour) override {}

private:
    QSize size_;
    std::unique_ptr<RecordingCanvas> canvas_;
};

} // namespace

bool autoSized(const LayoutItem& item) {
    return (item.Category == CategoryYear || item.Category == CategoryMonthDisplay) &&
           !isTrue(item.FitToRect);
}

ItemMeasure::ItemMeasure() {
    Fnc_BmpInit(ctx_);
    useDeferredSurfaces(ctx_);
}

std::optional<QSizeF> ItemMeasure::contentSize(const LayoutItem& item, int year, int month,
                                               const QString& layoutFolder) {
    MeasuringTarget target(QSize(static_cast<int>(std::lround(item.Width + kItemFrame)),
                                 static_cast<int>(std::lround(item.Height + kItemFrame))));
    DateRange range = pageDateRange(year, month);
    if (!Fnc_LayOutItemDraw(ctx_, item, &target, range, true, DrawSurface{}, 0, 0, layoutFolder))
        return std::nullopt;
    return QSizeF(target.size().width() - kItemFrame, target.size().height() - kItemFrame);
}

} // namespace tobirae
