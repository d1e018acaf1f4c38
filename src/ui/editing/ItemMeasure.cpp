#include "ui/editing/ItemMeasure.h"

#include "bitmap/ImageCanvas.h"
#include "render/PreviewTarget.h"
#include "render/RenderFrame.h"

#include <QImage>
#include <cmath>
#include <memory>

namespace tobirae {

namespace {

// A preview at one device pixel per layout pixel that only remembers the size the renderer
// gave it.
class MeasuringTarget final : public PreviewTarget {
public:
    explicit MeasuringTarget(QSize size) : size_(size) {}

    QSize size() const override { return size_; }
    void resize(QSize layoutSize) override {
        size_ = layoutSize;
        canvas_.reset();
    }
    Canvas* canvas() override {
        if (!canvas_) {
            image_ = QImage(std::max(1, size_.width()), std::max(1, size_.height()),
                            QImage::Format_RGB32);
            canvas_ = std::make_unique<ImageCanvas>(&image_);
        }
        return canvas_.get();
    }
    void clear(Colour) override {}

private:
    QSize size_;
    QImage image_;
    std::unique_ptr<ImageCanvas> canvas_;
};

} // namespace

bool autoSized(const LayoutItem& item) {
    return (item.Category == CategoryYear || item.Category == CategoryMonthDisplay) &&
           !isTrue(item.FitToRect);
}

ItemMeasure::ItemMeasure() {
    Fnc_BmpInit(ctx_);
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
