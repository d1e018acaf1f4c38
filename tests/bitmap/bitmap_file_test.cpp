#include "bitmap/BitmapFile.h"
#include "bitmap/ImageFile.h"
#include "bitmap/PixelsPerMetre.h"
#include "bitmap/ImageCanvas.h"
#include "bitmap/Primitives.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

std::uint32_t u32(const QByteArray& b, int offset) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[offset + i]);
    return v;
}
std::uint16_t u16(const QByteArray& b, int offset) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[offset]) |
                                      static_cast<std::uint8_t>(b[offset + 1]) << 8);
}

QImage twoRowImage() {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(0, 0, qRgb(200, 100, 50)); // top-left
    return image;
}

TEST(BitmapFile, ThirtyTwoBitHeaderFieldsAndBottomUpRows) {
    const QByteArray file = encodeBitmapFile(twoRowImage(), 32, 300);
    const int s = 3 * 4 * 2;
    ASSERT_EQ(file.size(), 58 + s);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(u32(file, 2), 58u + s);
    EXPECT_EQ(u16(file, 6), 0);
    EXPECT_EQ(u16(file, 8), 0);
    EXPECT_EQ(u32(file, 10), 58u);
    EXPECT_EQ(u32(file, 14), 40u);
    EXPECT_EQ(u32(file, 18), 3u);
    EXPECT_EQ(u32(file, 22), 2u); // positive: bottom-up
    EXPECT_EQ(u16(file, 26), 1);
    EXPECT_EQ(u16(file, 28), 32);
    EXPECT_EQ(u32(file, 30), 0u);
    EXPECT_EQ(u32(file, 34), static_cast<std::uint32_t>(s));
    EXPECT_EQ(u32(file, 38), 11811u);
    EXPECT_EQ(u32(file, 42), 11811u);
    EXPECT_EQ(u32(file, 46), 0u);
    EXPECT_EQ(u32(file, 50), 0u);
    EXPECT_EQ(u32(file, 54), 0u); // the empty colour table
    // The first row in the file is the image's bottom row; the top-left pixel opens the second.
    const QByteArray bottomLeft = file.mid(58, 4);
    const QByteArray topLeft = file.mid(58 + 12, 4);
    EXPECT_EQ(bottomLeft, QByteArray::fromHex("1e140aff"));
    EXPECT_EQ(topLeft, QByteArray::fromHex("3264c8ff")); // blue, green, red, 0xFF
}

TEST(BitmapFile, TwentyFourBitRowsArePaddedToFourBytes) {
    const QByteArray file = encodeBitmapFile(twoRowImage(), 24, 72);
    const int rowBytes = 12; // 9 bytes of pixels + 3 padding
    ASSERT_EQ(file.size(), 58 + 2 * rowBytes);
    EXPECT_EQ(u16(file, 28), 24);
    EXPECT_EQ(u32(file, 34), static_cast<std::uint32_t>(2 * rowBytes));
    EXPECT_EQ(u32(file, 38), 2835u);
    EXPECT_EQ(file.mid(58 + rowBytes, 3), QByteArray::fromHex("3264c8"));
    EXPECT_EQ(file.mid(58 + 9, 3), QByteArray(3, '\0'));
}

// Pages are written in chunks of several rows, a file in batches of rows gathered from the page:
// rows on both sides of every boundary land where they belong, at both depths, and the file holds
// the bytes of the encoded bitmap.
TEST(BitmapFile, PagesLargerThanOneChunkKeepEveryRowInPlace) {
    QTemporaryDir dir;
    QImage image(1001, 1700, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            row[x] = qRgb(y & 0xFF, y >> 8, x & 0xFF);
    }
    for (const int depth : {32, 24}) {
        const QByteArray file = encodeBitmapFile(image, depth, 300);
        const int rowBytes = (image.width() * depth + 31) / 32 * 4;
        ASSERT_EQ(file.size(), 58 + rowBytes * image.height()) << depth;
        const int bytesPerPixel = depth / 8;
        for (int fileRow = 0; fileRow < image.height(); ++fileRow) {
            const int y = image.height() - 1 - fileRow;
            const int at = 58 + fileRow * rowBytes;
            // Blue, green, red of the first and the last pixel of the row.
            ASSERT_EQ(file.mid(at, 3), QByteArray::fromHex("00") + QByteArray(1, char(y >> 8)) +
                                           QByteArray(1, char(y & 0xFF)))
                << depth << " row " << y;
            const int last = at + (image.width() - 1) * bytesPerPixel;
            ASSERT_EQ(static_cast<std::uint8_t>(file[last]), (image.width() - 1) & 0xFF)
                << depth << " row " << y;
        }
        const QString path = dir.filePath(QStringLiteral("page%1.bmp").arg(depth));
        ImageFileOptions options;
        options.bitDepth = depth;
        options.dpi = 300;
        ASSERT_TRUE(writeImageFile(image, path, options));
        QFile written(path);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_TRUE(written.readAll() == file) << depth;
        // Every pixel, as another reader sees it.
        EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_RGB32), image) << depth;
    }
}

TEST(BitmapFile, PixelsPerMetre) {
    EXPECT_EQ(bitmapPixelsPerMetre(300), 11811);
    EXPECT_EQ(bitmapPixelsPerMetre(72), 2835);
    EXPECT_EQ(bitmapPixelsPerMetre(96), 3780);
}

class SavePage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(setPageDpi(ctx, 300));
        ASSERT_TRUE(createPageBitmap(ctx, 10, 10, -1)); // 24 x 31 pixels
    }
    static QByteArray readAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir dir;
    RenderContext ctx;
};

TEST_F(SavePage, WritesThePageAndLeavesAnExistingFileAloneWithoutOverwrite) {
    const QString path = dir.filePath(QStringLiteral("page.bmp"));
    {
        QFile existing(path);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("keep me");
    }
    EXPECT_FALSE(savePageBitmap(ctx, path, false));
    EXPECT_EQ(readAll(path), QByteArray("keep me"));

    ASSERT_TRUE(savePageBitmap(ctx, path, true));
    const QByteArray file = readAll(path);
    ASSERT_EQ(file.size(), 58 + 24 * 4 * 31);
    EXPECT_EQ(u32(file, 18), 24u);
    EXPECT_EQ(u32(file, 22), 31u);
    EXPECT_EQ(u32(file, 38), 11811u);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("page.bmp")});
}

TEST_F(SavePage, AFailedWriteLeavesNoFile) {
    const QString path = dir.filePath(QStringLiteral("missing/folder/page.bmp"));
    EXPECT_FALSE(savePageBitmap(ctx, path, true));
    EXPECT_FALSE(QFile::exists(path));
    QString error;
    EXPECT_FALSE(writeImageFile(*ctx.pageBitmap->image(), dir.path(), {}, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// Big-endian 32-bit value in a PNG chunk.
std::uint32_t be32(const QByteArray& b, qsizetype offset) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v = (v << 8) | static_cast<std::uint8_t>(b[offset + i]);
    return v;
}

TEST_F(SavePage, PngIsOpaqueRgbWithTheResolutionAndTheSamePixels) {
    QImage& page = static_cast<ImageCanvas*>(ctx.pageBitmap.get())->mutableImage();
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            page.setPixel(x, y, qRgb(x * 10, y * 8, (x * y) % 256));
    const QString path = dir.filePath(QStringLiteral("page.png"));
    ImageFileOptions options;
    options.format = ImageFileFormat::Png;
    options.dpi = 300;
    ASSERT_TRUE(writeImageFile(page, path, options));
    const QByteArray file = readAll(path);
    ASSERT_GT(file.size(), 33);
    EXPECT_EQ(file.left(8), QByteArray("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(file.mid(12, 4), QByteArray("IHDR"));
    EXPECT_EQ(be32(file, 16), 24u);
    EXPECT_EQ(be32(file, 20), 31u);
    EXPECT_EQ(file[24], 8); // bits per channel
    EXPECT_EQ(file[25], 2); // colour type: RGB, no alpha
    const qsizetype phys = file.indexOf("pHYs");
    ASSERT_GT(phys, 0);
    EXPECT_EQ(be32(file, phys + 4), 11811u);
    EXPECT_EQ(be32(file, phys + 8), 11811u);
    EXPECT_EQ(file[phys + 12], 1); // per metre

    const QImage read(path);
    ASSERT_FALSE(read.isNull());
    EXPECT_EQ(read.dotsPerMeterX(), 11811);
    EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), page);
}

TEST_F(SavePage, PngKeepsTransparency) {
    QImage picture(5, 4, QImage::Format_ARGB32);
    picture.fill(qRgba(10, 20, 30, 40));
    picture.setPixel(1, 2, qRgba(200, 100, 50, 255));
    const QString path = dir.filePath(QStringLiteral("picture.png"));
    ImageFileOptions options;
    options.format = ImageFileFormat::Png;
    ASSERT_TRUE(writeImageFile(picture, path, options));
    const QByteArray file = readAll(path);
    ASSERT_GT(file.size(), 26);
    EXPECT_EQ(file[25], 6); // RGB with alpha
    EXPECT_EQ(QImage(path).convertToFormat(QImage::Format_ARGB32), picture);
}

} // namespace
} // namespace tobirae
