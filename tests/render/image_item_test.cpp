// Picture items drawn through the frame: onto a real page image where pixels tell where the picture
// went, onto recordings where the placeholder's text and lines are checked.
#include "bitmap/ImageCanvas.h"
#include "bitmap/Primitives.h"
#include "bitmap/RecordingCanvas.h"
#include "monthbox_support.h"
#include "render/ImageItem.h"
#include "render/RenderFrame.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

using test::RecordingPreview;

constexpr QRgb kRedPixel = 0xFFFF0000;
constexpr Colour kWhite = 0xFFFFFF;

QRect areaOf(const QImage& image, QRgb colour) {
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                area |= QRect(x, y, 1, 1);
    return area;
}

class ImageItemTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QImage picture(400, 200, QImage::Format_RGB32);
        picture.fill(kRedPixel);
        redPicture = dir.filePath(QStringLiteral("red.png"));
        ASSERT_TRUE(picture.save(redPicture));
    }

    LayoutItem pictureItem(const QString& file) const {
        LayoutItem item;
        item.Live = kTrue;
        item.Category = CategoryPicture;
        item.Width = 300;
        item.Height = 300;
        item.BackColor = kWhite;
        item.PictureFile.setText(file);
        item.SpareFont.FaceName.setText(QStringLiteral("ＭＳ ゴシック"));
        item.SpareFont.Size = 9;
        item.SpareFont.ForeColor.setText(QStringLiteral("255"));
        return item;
    }

    // The item drawn onto a white 400 x 400 page image; the red part of the page.
    QRect drawnOnPage(const LayoutItem& item, const QString& folder = {}) {
        RenderContext ctx;
        EXPECT_TRUE(createPageBitmap(ctx, 400, 400, -1));
        fillSurface(ctx, nullptr, ClipSize, kWhite, BrushSolid, 0, false);
        DateRange range = pageDateRange(2004, 1);
        EXPECT_TRUE(drawLayoutItem(ctx, item, nullptr, range, DrawSurface{}, 0, 0, folder));
        return areaOf(*ctx.pageBitmap->image(), kRedPixel);
    }

    QTemporaryDir dir;
    QString redPicture;
};

TEST_F(ImageItemTest, FitKeepingTheAspectCentresVertically) {
    // 400 x 200 into 300 x 300: rx 0.75, ry 1.5, so 300 x 150 starting 75 down (plus the one
    // extra row every picture draw takes).
    LayoutItem item = pictureItem(redPicture);
    item.FitToRect = kTrue;
    item.VPlacement = 1;
    EXPECT_EQ(drawnOnPage(item), QRect(0, 75, 300, 151));

    item.HPlacement = 1; // the width fills the item: no horizontal offset
    item.Left = 20;
    item.Top = 10;
    EXPECT_EQ(drawnOnPage(item), QRect(20, 85, 300, 151));
}

TEST_F(ImageItemTest, FitWithFreeAspectFillsTheItem) {
    LayoutItem item = pictureItem(redPicture);
    item.FitToRect = kTrue;
    item.FreeAspect = kTrue;
    EXPECT_EQ(drawnOnPage(item), QRect(0, 0, 300, 301));
    // Right placement of a picture as wide as the item starts one pixel to the left.
    item.HPlacement = 2;
    item.Left = 10;
    EXPECT_EQ(drawnOnPage(item), QRect(10, 0, 299, 301));
}

TEST_F(ImageItemTest, WithoutFitThePictureKeepsItsSizeClippedToTheItem) {
    LayoutItem item = pictureItem(redPicture);
    EXPECT_EQ(drawnOnPage(item), QRect(0, 0, 300, 201));
    // A remembered size wins over the file's own.
    item.DesignWidth = 100;
    item.DesignHeight = 50;
    item.VPlacement = 2;
    EXPECT_EQ(drawnOnPage(item), QRect(0, 249, 100, 51));
}

TEST_F(ImageItemTest, WindowsPathIsFoundBesideTheLayout) {
    LayoutItem item = pictureItem(QStringLiteral(R"(C:\Users\someone\Pictures\red.png)"));
    item.FitToRect = kTrue;
    item.FreeAspect = kTrue;
    EXPECT_EQ(drawnOnPage(item, dir.path()), QRect(0, 0, 300, 301));
    EXPECT_TRUE(drawnOnPage(item).isNull()); // no layout folder to look in
}

struct Placeholder {
    std::vector<DrawCall> texts;
    std::vector<DrawCall> lines;
    std::vector<DrawCall> calls;
};

// A recorded page with the item at (10, 20).
Placeholder placeholderOnPage(LayoutItem item) {
    item.Left = 10;
    item.Top = 20;
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    EXPECT_TRUE(createPageBitmap(ctx, 400, 400, -1));
    DateRange range = pageDateRange(2004, 1);
    EXPECT_TRUE(drawLayoutItem(ctx, item, nullptr, range, DrawSurface{}, 0, 0));
    return {recordedPage(ctx)->texts(), recordedPage(ctx)->lines(), recordedPage(ctx)->calls()};
}

TEST_F(ImageItemTest, MissingPictureShowsThePlaceholderDamagedOneOnlyTheBackground) {
    // Fitted into 300 x 300: the missing picture counts as 250 x 250 and fills the item.
    LayoutItem item = pictureItem(dir.filePath(QStringLiteral("gone.bmp")));
    item.FitToRect = kTrue;
    Placeholder drawn = placeholderOnPage(item);
    ASSERT_EQ(drawn.texts.size(), 1u);
    EXPECT_EQ(drawn.texts[0].text, QString::fromUtf16(kPicturePlaceholderText));
    EXPECT_EQ(drawn.texts[0].x1, 10 + 2);
    EXPECT_EQ(drawn.texts[0].y1, 20 + 2);
    EXPECT_EQ(drawn.texts[0].colour, 255);
    EXPECT_TRUE(drawn.texts[0].transparent);
    EXPECT_TRUE(drawn.texts[0].copied); // on the item surface

    // The frame runs from (1, 1) to (298, 298) of the item, drawn on the page itself before the
    // item surface is copied over it.
    ASSERT_EQ(drawn.lines.size(), 4u);
    QRect frame;
    for (const DrawCall& line : drawn.lines) {
        EXPECT_EQ(line.colour, 0);
        EXPECT_EQ(line.penWidth, 1);
        EXPECT_FALSE(line.copied);
        frame |= QRect(QPoint(line.x1, line.y1), QPoint(line.x2, line.y2));
    }
    EXPECT_EQ(frame, QRect(QPoint(11, 21), QPoint(308, 318)));
    EXPECT_EQ(drawn.calls.front().kind, DrawCall::Line);
    // On a page the frame shows only where the item's copy leaves out its background colour.
    for (const bool transparent : {false, true}) {
        LayoutItem framed = item;
        framed.Left = 10;
        framed.Top = 20;
        framed.Transparent = transparent ? kTrue : kFalse;
        framed.TransparentColor = framed.BackColor;
        RenderContext ctx;
        ASSERT_TRUE(createPageBitmap(ctx, 400, 400, -1));
        DateRange range = pageDateRange(2004, 1);
        ASSERT_TRUE(drawLayoutItem(ctx, framed, nullptr, range, DrawSurface{}, 0, 0));
        EXPECT_EQ(ctx.pageBitmap->image()->pixel(11, 200), transparent ? 0xFF000000 : 0xFFFFFFFF)
            << transparent;
    }

    // A file that is there but does not decode draws nothing over the background.
    const QString damaged = dir.filePath(QStringLiteral("damaged.png"));
    {
        QFile file(damaged);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QFile whole(redPicture);
        ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
        file.write(whole.readAll().left(100));
    }
    drawn = placeholderOnPage(pictureItem(damaged));
    EXPECT_TRUE(drawn.texts.empty());
    EXPECT_TRUE(drawn.lines.empty());
    LayoutItem green = pictureItem(damaged);
    green.BackColor = 0x0000FF00;
    RenderContext ctx;
    ASSERT_TRUE(createPageBitmap(ctx, 400, 400, -1));
    DateRange range = pageDateRange(2004, 1);
    ASSERT_TRUE(drawLayoutItem(ctx, green, nullptr, range, DrawSurface{}, 0, 0));
    EXPECT_EQ(areaOf(*ctx.pageBitmap->image(), 0xFF00FF00), QRect(0, 0, 300, 301));
}

TEST_F(ImageItemTest, StatusTellsWhyAPictureDoesNotShow) {
    EXPECT_EQ(pictureItemStatus(pictureItem(redPicture), {}).problem, PictureProblem::None);
    EXPECT_EQ(pictureItemStatus(pictureItem(redPicture), {}).size, QSize(400, 200));

    const PictureItemStatus missing =
        pictureItemStatus(pictureItem(QStringLiteral("x.bmp")), {});
    EXPECT_EQ(missing.problem, PictureProblem::Missing);
    EXPECT_TRUE(missing.reason.contains(QStringLiteral("x.bmp")));

    const QString text = dir.filePath(QStringLiteral("notes.jpg"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("plain text, not a picture");
    file.close();
    const PictureItemStatus unreadable = pictureItemStatus(pictureItem(text), {});
    EXPECT_EQ(unreadable.problem, PictureProblem::Unreadable);
    EXPECT_EQ(unreadable.path, text);
    EXPECT_FALSE(unreadable.reason.isEmpty());
}

TEST_F(ImageItemTest, PictureSizeIsRememberedOnce) {
    LayoutItem item = pictureItem(redPicture);
    EXPECT_TRUE(storePictureSize(item, {}));
    EXPECT_EQ(item.DesignWidth, 400);
    EXPECT_EQ(item.DesignHeight, 200);

    // A changed file keeps the remembered size until the item is edited.
    QImage other(50, 60, QImage::Format_RGB32);
    other.fill(Qt::black);
    ASSERT_TRUE(other.save(redPicture));
    EXPECT_FALSE(storePictureSize(item, {}));
    EXPECT_EQ(item.DesignWidth, 400);

    LayoutItem missing = pictureItem(dir.filePath(QStringLiteral("gone.png")));
    EXPECT_FALSE(storePictureSize(missing, {}));
    EXPECT_EQ(missing.DesignWidth, 0);
}

TEST_F(ImageItemTest, AutoSizeMakesTheViewThePicturePlusTwo) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    RecordingPreview view(QSize(54, 54));
    LayoutItem item = pictureItem(redPicture);
    DateRange range = pageDateRange(2004, 1);
    ASSERT_TRUE(test::drawAtContentSize(ctx, item, view, range));
    EXPECT_EQ(view.size(), QSize(402, 202));
    const auto blits = view.recording().callsOf(DrawCall::Picture);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(QRect(blits[0].x1, blits[0].y1, blits[0].x2, blits[0].y2), QRect(0, 0, 400, 201));
}

TEST_F(ImageItemTest, FitOnScreenUsesTheViewLessTwo) {
    // View 304 x 304: available 302 x 302, so 302 x 151, centred 75 down in the item of 300.
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    RecordingPreview view(QSize(304, 304));
    LayoutItem item = pictureItem(redPicture);
    item.FitToRect = kTrue;
    item.VPlacement = 1;
    DateRange range = pageDateRange(2004, 1);
    ASSERT_TRUE(drawLayoutItem(ctx, item, &view, range, DrawSurface{}, 0, 0));
    const auto blits = view.recording().callsOf(DrawCall::Picture);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(QRect(blits[0].x1, blits[0].y1, blits[0].x2, blits[0].y2), QRect(0, 74, 302, 152));
}

TEST_F(ImageItemTest, MeasuredExtentAtPageScale) {
    // 300 dpi: scale 3.125. Right: round(31.25) + Fix(937.5 + 0.5) - 1 = 31 + 938 - 1;
    // bottom: round(62.5) + 938 = 62 + 938 (halves to even).
    RenderContext ctx;
    setPageDpi(ctx, 300);
    LayoutItem item = pictureItem(redPicture);
    item.Left = 10;
    item.Top = 20;
    DateRange range = pageDateRange(2004, 1);
    const auto extent = measureLayoutItem(ctx, item, range);
    ASSERT_TRUE(extent.has_value());
    EXPECT_FLOAT_EQ(extent->right, 968);
    EXPECT_FLOAT_EQ(extent->bottom, 1000);
}

} // namespace
} // namespace tobirae
