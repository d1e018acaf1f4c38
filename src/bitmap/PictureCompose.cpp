#include "bitmap/PictureCompose.h"

#include "bitmap/PictureCache.h"
#include "bitmap/PictureFile.h"
#include "bitmap/SurfaceTarget.h"

#include <algorithm>
#include <exception>

namespace tobirae {

namespace {

// The part of the picture to draw; empty when nothing of it remains.
QRect sourceRect(const QImage& picture, QRect source) {
    if (source.isNull())
        return picture.rect();
    return source.intersected(picture.rect());
}

} // namespace

bool composePicture(RenderContext& ctx, const DrawSurface& surface, const QImage& picture,
                          int opacity, float x, float y, float width, float height, QRect source) {
    try {
        const ResolvedTarget target = resolveTarget(ctx, surface);
        if (!target.canvas || picture.isNull())
            return false;
        const QRect from = sourceRect(picture, source);
        if (from.isEmpty())
            return false;

        const int dx = scalePointEven(x, target.scaleX);
        const int dy = scalePointEven(y, target.scaleY);
        const int dw = scalePoint(width, target.scaleX);
        const int dh = scalePoint(height, target.scaleY) + 1;
        opacity = std::clamp(opacity, 0, 255);
        if (dw <= 0 || dh <= 0 || opacity == 0)
            return true;

        // Only the part that lands on the target is painted.
        const QRect dest(dx, dy, dw, dh);
        const QRect held(target.canvas->origin(),
                         QSize(target.canvas->width(), target.canvas->height()));
        const QRect visible = dest.intersected(held);
        if (visible.isEmpty())
            return true;
        // A whole picture is passed as it is: copying it first would only duplicate a photo.
        const QImage part = from == picture.rect() ? picture : picture.copy(from);
        return target.canvas->drawPicture(dest, visible, part, opacity);
    } catch (const std::exception&) {
        return false;
    }
}

bool composePictureFile(RenderContext& ctx, const DrawSurface& surface, const QString& path,
                     int opacity, float x, float y, float width, float height, int sourceX,
                     int sourceY, int sourceWidth, int sourceHeight, bool useSource) {
    const LoadedPicture picture = loadPicture(ctx.pictures, path);
    if (!picture.ok())
        return false;
    QRect source;
    if (useSource) {
        const int sx = sourceX == -1 ? 0 : sourceX;
        const int sy = sourceY == -1 ? 0 : sourceY;
        const int sw = sourceWidth == -1 ? picture.image.width() - sx : sourceWidth;
        const int sh = sourceHeight == -1 ? picture.image.height() - sy : sourceHeight;
        source = QRect(sx, sy, sw, sh);
    }
    return composePicture(ctx, surface, picture.image, opacity, x, y, width, height, source);
}

} // namespace tobirae
