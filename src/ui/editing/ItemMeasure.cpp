#include "ui/editing/ItemMeasure.h"

#include "bitmap/PainterCanvas.h"
#include "render/RenderFrame.h"

#include <memory>

namespace tobirae {

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
    DateRange range = pageDateRange(year, month);
    const std::optional<QSize> size = tobirae::contentSize(ctx_, item, range, layoutFolder);
    if (!size)
        return std::nullopt;
    return QSizeF(*size);
}

} // namespace tobirae
