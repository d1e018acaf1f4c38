// Picture items: the picture stretched into the item, or a framed placeholder when it is missing.
#include "bitmap/PictureCache.h"
#include "bitmap/PictureCompose.h"
#include "render/ImageItem.h"
#include "render/ItemDrawScope.h"
#include "render/KindRenderers.h"
#include "render/PreviewTarget.h"
#include "render/RenderFrame.h"

#include <cstdint>
#include <exception>

namespace tobirae {

namespace {

// Side assumed for a picture whose size is not known.
constexpr int kDefaultPictureSide = 250;

struct ImageGeometry {
    QString path;  // resolved picture file, empty when missing
    int width = 0; // the picture's size (stored, measured or the default)
    int height = 0;
    int drawWidth = 0; // size it is drawn at, layout pixels
    int drawHeight = 0;
    int offsetX = 0; // placement inside the item
    int offsetY = 0;
};

// Offset of the drawn picture inside the item along one axis.
int placementOffset(int placement, float itemSize, int drawSize) {
    switch (placement) {
    case 1: {
        const int gap = roundHalfEven(itemSize - static_cast<float>(drawSize));
        return gap == 0 ? 0 : roundHalfEven(gap / 2.0);
    }
    case 2:
        return roundHalfEven(itemSize - static_cast<float>(drawSize) - 1);
    default:
        return 0;
    }
}

ImageGeometry imageGeometry(const LayoutItem& item, const QString& layoutFolder,
                            const PreviewTarget* preview,
                            ContentFitting fitting = ContentFitting::ToTarget) {
    ImageGeometry g;
    g.path = resolvePicturePath(item.PictureFile.text(), layoutFolder);

    g.width = item.DesignWidth;
    g.height = item.DesignHeight;
    if (!g.path.isEmpty() && item.DesignWidth == 0) {
        // Not remembered yet (storePictureSize remembers it): measure for this draw.
        const QSize size = pictureFileSize(g.path);
        g.width = size.isValid() ? size.width() : 0;
        g.height = size.isValid() ? size.height() : 0;
    }
    if (g.width <= 0)
        g.width = kDefaultPictureSide;
    if (g.height <= 0)
        g.height = kDefaultPictureSide;

    g.drawWidth = g.width;
    g.drawHeight = g.height;
    if (fitting == ContentFitting::ToTarget && isTrue(item.FitToRect)) {
        int availableWidth = 0;
        int availableHeight = 0;
        if (preview) {
            availableWidth = preview->size().width() - 2;
            availableHeight = preview->size().height() - 2;
        } else {
            availableWidth = roundHalfEven(item.Width);
            availableHeight = roundHalfEven(item.Height);
        }
        const float rx = static_cast<float>(availableWidth) / static_cast<float>(g.width);
        const float ry = static_cast<float>(availableHeight) / static_cast<float>(g.height);
        g.drawWidth = availableWidth;
        g.drawHeight = availableHeight;
        if (!isTrue(item.FreeAspect)) {
            if (rx > ry)
                g.drawWidth = roundHalfEven(ry * static_cast<float>(g.width));
            else
                g.drawHeight = roundHalfEven(rx * static_cast<float>(g.height));
        }
    }
    g.offsetX = placementOffset(item.HPlacement, item.Width, g.drawWidth);
    g.offsetY = placementOffset(item.VPlacement, item.Height, g.drawHeight);
    return g;
}

ImageGeometry imageGeometry(const RenderArgs& args,
                            ContentFitting fitting = ContentFitting::ToTarget) {
    return imageGeometry(args.item, args.layoutFolder, args.preview, fitting);
}

// A thin frame just inside the drawn area with the placeholder text in its corner. On the page the
// frame is drawn on the page itself, under the item surface that is copied over it.
void drawPlaceholder(RenderContext& ctx, const ItemDrawScope& scope, const RenderArgs& args,
                     const ImageGeometry& g) {
    const DrawSurface& frameTarget = scope.onScreen() ? scope.surface() : args.page;
    const float x = scope.onScreen() ? 0.0f : static_cast<float>(args.itemLeft);
    const float y = scope.onScreen() ? 0.0f : static_cast<float>(args.itemTop);
    const float left = x + 1;
    const float top = y + 1;
    const float right = x + static_cast<float>(g.drawWidth - 2);
    const float bottom = y + static_cast<float>(g.drawHeight - 2);
    constexpr Colour black = 0;
    drawScaledLine(ctx, frameTarget, left, top, left, bottom, black, 1, PenSolid, true);
    drawScaledLine(ctx, frameTarget, left, top, right, top, black, 1, PenSolid, true);
    drawScaledLine(ctx, frameTarget, right, top, right, bottom, black, 1, PenSolid, true);
    drawScaledLine(ctx, frameTarget, left, bottom, right, bottom, black, 1, PenSolid, true);

    selectFont(ctx, args.item.SpareFont);
    drawScaledText(ctx, scope.surface(), 1, QString::fromUtf16(kPicturePlaceholderText), 2, 2,
                 fontColour(args.item.SpareFont), true);
}

} // namespace

PictureItemStatus pictureItemStatus(const LayoutItem& item, const QString& layoutFolder) {
    PictureItemStatus status;
    status.path = resolvePicturePath(item.PictureFile.text(), layoutFolder);
    if (status.path.isEmpty()) {
        status.problem = PictureProblem::Missing;
        status.reason = item.PictureFile.text().trimmed().isEmpty()
                            ? QStringLiteral("no picture file is set")
                            : QStringLiteral("the picture file %1 was not found")
                                  .arg(item.PictureFile.text().trimmed());
        return status;
    }
    const LoadedPicture picture = decodePictureFile(status.path);
    status.problem = picture.problem;
    status.reason = picture.reason;
    status.size = picture.ok() ? picture.image.size() : pictureFileSize(status.path);
    return status;
}

QRectF pictureDrawnRect(const LayoutItem& item, const QString& layoutFolder) {
    const ImageGeometry g = imageGeometry(item, layoutFolder, nullptr);
    return QRectF(item.Left + static_cast<float>(g.offsetX),
                  item.Top + static_cast<float>(g.offsetY), g.drawWidth, g.drawHeight);
}

bool storePictureSize(LayoutItem& item, const QString& layoutFolder) {
    if (item.DesignWidth != 0)
        return false;
    const QString path = resolvePicturePath(item.PictureFile.text(), layoutFolder);
    if (path.isEmpty())
        return false;
    const QSize size = pictureFileSize(path);
    if (!size.isValid() || size.isEmpty())
        return false;
    item.DesignWidth = size.width();
    item.DesignHeight = size.height();
    return true;
}

bool drawImageItem(RenderContext& ctx, const RenderArgs& args) {
    try {
        const ImageGeometry g = imageGeometry(args);
        ItemDrawScope scope(ctx, args, static_cast<float>(roundHalfEven(args.item.Width)),
                            static_cast<float>(roundHalfEven(args.item.Height)), g.path.isEmpty());
        if (!scope.ok())
            return false;

        // A file that cannot be decoded leaves the background alone; only a missing one shows
        // the placeholder. pictureItemStatus tells why.
        if (g.path.isEmpty()) {
            drawPlaceholder(ctx, scope, args, g);
        } else if (const LoadedPicture picture = loadPicture(ctx.pictures, g.path); picture.ok()) {
            composePicture(ctx, scope.surface(), picture.image, 255,
                                 static_cast<float>(g.offsetX), static_cast<float>(g.offsetY),
                                 static_cast<float>(g.drawWidth), static_cast<float>(g.drawHeight));
        }
        return scope.finish();
    } catch (const std::exception&) {
        return false;
    }
}

// The item frame takes the picture's outer pixel on each side: the view (content + 4) is the
// picture + 2.
std::optional<QSize> imageItemContentSize(RenderContext&, const RenderArgs& args) {
    try {
        const ImageGeometry g = imageGeometry(args, ContentFitting::Natural);
        return QSize(g.drawWidth - 2, g.drawHeight - 2);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<ItemExtent> measureImageItem(RenderContext& ctx, const RenderArgs& args) {
    const PageScale scale = currentPageScale(ctx);
    const float x = static_cast<float>(args.itemLeft);
    const float y = static_cast<float>(args.itemTop);
    ItemExtent extent;
    // In 64 bits: position and size may each be near the int limits.
    extent.right = static_cast<float>(std::int64_t{scalePointEven(x, scale.x)} +
                                      scalePoint(args.item.Width, scale.x) - 1);
    extent.bottom = static_cast<float>(std::int64_t{scalePointEven(y, scale.y)} +
                                       scalePoint(args.item.Height, scale.y));
    return extent;
}

} // namespace tobirae
