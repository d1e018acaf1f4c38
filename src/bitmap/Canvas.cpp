#include "bitmap/Canvas.h"

#include "bitmap/ImageCanvas.h"

#include <QPainter>

namespace tobirae {

// Canvases without pixels of their own (recordings) take the stretched picture as a plain copy.
bool Canvas::drawPicture(const QRect& dest, const QRect& visible, const QImage& part, int) {
    const QImage stretched = stretchedPicture(dest, visible, part);
    if (stretched.isNull())
        return false;
    ImageCanvas copy(visible.width(), visible.height());
    if (copy.isNull())
        return false;
    {
        QPainter painter(&copy.mutableImage());
        painter.drawImage(0, 0, stretched);
    }
    return blit(visible.x(), visible.y(), visible.width(), visible.height(), copy, 0, 0,
                std::nullopt);
}

} // namespace tobirae
