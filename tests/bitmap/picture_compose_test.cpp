#include "bitmap/ImageCanvas.h"
#include "bitmap/PictureCompose.h"
#include "bitmap/RecordingCanvas.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRedPixel = 0xFFFF0000;
constexpr QRgb kBluePixel = 0xFF0000FF;

QImage solid(QSize size, QRgb colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Rows and columns of the canvas that carry the colour.
QRect areaOf(const QImage& image, QRgb colour) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                area |= QRect(x, y, 1, 1);
    return area;
}

TEST(DrawPicture, OpaqueCopyStretchedToTheDestination) {
    RenderContext ctx;
    ImageCanvas canvas(40, 40, 0xFFFFFF);
    ASSERT_TRUE(composePicture(ctx, DrawSurface{&canvas, 1, 1}, solid({7, 3}, kRedPixel), 255,
                                     5, 6, 20, 10));
    // The height takes one row more than asked, like the item surfaces.
    EXPECT_EQ(areaOf(*canvas.image(), kRedPixel), QRect(5, 6, 20, 11));
    EXPECT_EQ(areaOf(*canvas.image(), kWhite).width(), 40);
}

TEST(DrawPicture, DestinationRoundingAtAScale) {
    // Scale 1.5: x 3 -> 4.5 -> 4 (half even), y 1 -> 1.5 -> 2, width 9 -> 13.5 -> 14 (half up),
    // height 3 -> 4.5 -> 5, + 1.
    RenderContext ctx;
    ImageCanvas canvas(40, 40, 0xFFFFFF);
    ASSERT_TRUE(composePicture(ctx, DrawSurface{&canvas, 1.5f, 1.5f},
                                     solid({2, 2}, kRedPixel), 255, 3, 1, 9, 3));
    EXPECT_EQ(areaOf(*canvas.image(), kRedPixel), QRect(4, 2, 14, 6));
}

TEST(DrawPicture, ConstantOpacityBlendsWithTheTarget) {
    RenderContext ctx;
    ImageCanvas canvas(10, 10, 0xFFFFFF);
    ASSERT_TRUE(composePicture(ctx, DrawSurface{&canvas, 1, 1}, solid({4, 4}, kBluePixel),
                                     128, 0, 0, 4, 4));
    const QColor blended = canvas.image()->pixelColor(1, 1);
    EXPECT_NEAR(blended.red(), 127, 2);
    EXPECT_NEAR(blended.green(), 127, 2);
    EXPECT_EQ(blended.blue(), 255);
    EXPECT_EQ(canvas.image()->pixel(6, 6), kWhite);

    ImageCanvas untouched(10, 10, 0xFFFFFF);
    ASSERT_TRUE(composePicture(ctx, DrawSurface{&untouched, 1, 1}, solid({4, 4}, kBluePixel),
                                     0, 0, 0, 4, 4));
    EXPECT_EQ(areaOf(*untouched.image(), kWhite), QRect(0, 0, 10, 10));
}

TEST(DrawPicture, SourceRectangle) {
    QImage picture = solid({20, 10}, kRedPixel);
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 20; ++x)
            picture.setPixel(x, y, kBluePixel);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("halves.png"));
    ASSERT_TRUE(picture.save(file));

    RenderContext ctx;
    ImageCanvas canvas(30, 30, 0xFFFFFF);
    // The right half only, from x 10 with the default width (the rest of the picture).
    ASSERT_TRUE(composePictureFile(ctx, DrawSurface{&canvas, 1, 1}, file, 255, 0, 0, 20, 9, 10, -1, -1,
                                -1, true));
    EXPECT_EQ(areaOf(*canvas.image(), kBluePixel), QRect(0, 0, 20, 10));
    EXPECT_TRUE(areaOf(*canvas.image(), kRedPixel).isNull());

    // Without the flag the source values are ignored.
    ImageCanvas whole(30, 30, 0xFFFFFF);
    ASSERT_TRUE(composePictureFile(ctx, DrawSurface{&whole, 1, 1}, file, 255, 0, 0, 20, 9, 10, -1, -1,
                                -1, false));
    EXPECT_EQ(areaOf(*whole.image(), kRedPixel), QRect(0, 0, 10, 10));
}

TEST(DrawPicture, UnreadablePictureDrawsNothing) {
    QTemporaryDir dir;
    RenderContext ctx;
    ImageCanvas canvas(10, 10, 0xFFFFFF);
    EXPECT_FALSE(composePictureFile(ctx, DrawSurface{&canvas, 1, 1},
                                 dir.filePath(QStringLiteral("missing.bmp")), 255, 0, 0, 5, 5));
    EXPECT_FALSE(composePicture(ctx, DrawSurface{&canvas, 1, 1}, QImage(), 255, 0, 0, 5, 5));
    EXPECT_EQ(areaOf(*canvas.image(), kWhite), QRect(0, 0, 10, 10));
}

TEST(DrawPicture, RecordingTargetsLogTheDestination) {
    RenderContext ctx;
    RecordingCanvas canvas(100, 100);
    ASSERT_TRUE(composePicture(ctx, DrawSurface{&canvas, 2, 2}, solid({8, 8}, kRedPixel), 255,
                                     10, 5, 20, 10));
    const auto blits = canvas.callsOf(DrawCall::Picture);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].x1, 20);
    EXPECT_EQ(blits[0].y1, 10);
    EXPECT_EQ(blits[0].x2, 40);
    EXPECT_EQ(blits[0].y2, 21);
}

} // namespace
} // namespace tobirae
