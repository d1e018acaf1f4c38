#include "bitmap/PictureCache.h"
#include "bitmap/PictureFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tobirae {
namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

// The headers of a 24-bit bitmap file claiming width x height pixels, with no pixels after them.
QByteArray bitmapHeaderOnly(qint32 width, qint32 height) {
    QByteArray bytes(54, '\0');
    auto put32 = [&](int offset, qint32 value) { qToLittleEndian(value, bytes.data() + offset); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    qToLittleEndian<quint16>(1, bytes.data() + 26);
    qToLittleEndian<quint16>(24, bytes.data() + 28);
    return bytes;
}

// An 8-bit run-length coded bitmap of 4 x 4 pixels; rows holds how many rows of data it carries,
// endMark whether the data ends with the end-of-bitmap code.
QByteArray runLengthBitmap(int rows, bool endMark) {
    QByteArray data;
    for (int row = 0; row < rows; ++row)
        data += QByteArray::fromHex("04010000");
    if (endMark)
        data += QByteArray::fromHex("0001");
    QByteArray bytes = bitmapHeaderOnly(4, 4);
    qToLittleEndian<quint16>(8, bytes.data() + 28);
    qToLittleEndian<quint32>(1, bytes.data() + 30);  // run-length, 8 bits
    qToLittleEndian<quint32>(2, bytes.data() + 46);  // two colours
    qToLittleEndian<quint32>(62, bytes.data() + 10); // data after the colour table
    bytes += QByteArray::fromHex("00000000ffffff00") + data;
    qToLittleEndian<quint32>(static_cast<quint32>(bytes.size()), bytes.data() + 2);
    return bytes;
}

class PictureFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString savePicture(const QString& name, QSize size = {40, 20}) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::green);
        EXPECT_TRUE(image.save(path(name)));
        return path(name);
    }

    QTemporaryDir dir;
};

TEST_F(PictureFileTest, ReadsSizeAndPixelsOfBmpJpegAndPng) {
    for (const char* name : {"a.bmp", "a.jpg", "a.png"}) {
        SCOPED_TRACE(name);
        const QString file = savePicture(QString::fromLatin1(name), {400, 200});
        EXPECT_EQ(pictureFileSize(file), QSize(400, 200));
        const LoadedPicture picture = decodePictureFile(file);
        ASSERT_TRUE(picture.ok()) << picture.reason.toStdString();
        EXPECT_TRUE(picture.reason.isEmpty());
        EXPECT_EQ(picture.image.size(), QSize(400, 200));
    }
}

TEST_F(PictureFileTest, DamagedOrForeignFilesAreRefusedWithAReason) {
    const QString png = savePicture(QStringLiteral("cut.png"));
    const QByteArray whole = readFile(png);
    writeFile(png, whole.left(whole.size() / 2));

    const QString jpeg = savePicture(QStringLiteral("scrambled.jpg"), {64, 64});
    QByteArray scrambled = readFile(jpeg);
    for (int i = 60; i < 200; ++i)
        scrambled[i] = char(0xAB);
    writeFile(jpeg, scrambled);

    const QString text = path(QStringLiteral("notes.bmp"));
    writeFile(text, "BM but not a bitmap at all");
    const QString empty = path(QStringLiteral("empty.png"));
    writeFile(empty, {});

    // Bitmap files that end before their last row: their missing rows would be whatever the
    // memory held before.
    const QString bmp = savePicture(QStringLiteral("cut.bmp"));
    const QByteArray wholeBmp = readFile(bmp);
    writeFile(bmp, wholeBmp.left(wholeBmp.size() - 40 * 4 * 3));
    const QString rle = path(QStringLiteral("cut-rle.bmp"));
    writeFile(rle, runLengthBitmap(2, false));
    const QString rleWhole = path(QStringLiteral("rle.bmp"));
    writeFile(rleWhole, runLengthBitmap(4, true));
    EXPECT_TRUE(decodePictureFile(rleWhole).ok()) << decodePictureFile(rleWhole).reason.toStdString();

    for (const QString& file : {png, jpeg, text, empty, bmp, rle}) {
        SCOPED_TRACE(file.toStdString());
        const LoadedPicture picture = decodePictureFile(file);
        EXPECT_EQ(picture.problem, PictureProblem::Unreadable);
        EXPECT_TRUE(picture.image.isNull());
        EXPECT_FALSE(picture.reason.isEmpty());
    }
    QString reason;
    EXPECT_FALSE(pictureFileSize(text, &reason).isValid());
    EXPECT_FALSE(reason.isEmpty());
}

TEST_F(PictureFileTest, HugePicturesAreRefusedBeforeDecoding) {
    // 11000 x 10000 is above the limit; the header alone decides, no pixels follow it.
    const QString huge = path(QStringLiteral("huge.bmp"));
    writeFile(huge, bitmapHeaderOnly(11000, 10000));
    const LoadedPicture picture = decodePictureFile(huge);
    EXPECT_EQ(picture.problem, PictureProblem::TooLarge);
    EXPECT_TRUE(picture.reason.contains(QStringLiteral("11000 x 10000")));

    // A large picture within the limits is accepted by size; the missing pixels make it
    // unreadable.
    const QString large = path(QStringLiteral("large.bmp"));
    writeFile(large, bitmapHeaderOnly(6000, 4000));
    EXPECT_EQ(decodePictureFile(large).problem, PictureProblem::Unreadable);
}

TEST_F(PictureFileTest, CacheDecodesOnceUntilTheFileChanges) {
    PictureCache cache;
    const QString file = savePicture(QStringLiteral("photo.png"));
    const LoadedPicture first = cache.load(file);
    ASSERT_TRUE(first.ok());
    const LoadedPicture again = cache.load(file);
    EXPECT_EQ(again.image.cacheKey(), first.image.cacheKey()); // the same decoded image

    // Replaced by another picture, later: decoded again.
    savePicture(QStringLiteral("photo.png"), {30, 10});
    QFile replaced(file);
    ASSERT_TRUE(replaced.open(QIODevice::ReadWrite));
    ASSERT_TRUE(replaced.setFileTime(QFileInfo(file).lastModified().addSecs(10),
                                     QFileDevice::FileModificationTime));
    replaced.close();
    const LoadedPicture changed = cache.load(file);
    ASSERT_TRUE(changed.ok());
    EXPECT_EQ(changed.image.size(), QSize(30, 10));

    // A file that appears after it was missing is found.
    const QString later = path(QStringLiteral("later.png"));
    EXPECT_EQ(cache.load(later).problem, PictureProblem::Missing);
    savePicture(QStringLiteral("later.png"));
    EXPECT_TRUE(cache.load(later).ok());
}

// With a budget the pictures used longest ago are let go first; one larger than the budget is
// still kept while it is the last one loaded.
TEST_F(PictureFileTest, CacheWithABudgetLetsThePictureUsedLongestAgoGo) {
    const QString a = savePicture(QStringLiteral("a.png"), {100, 100}); // 40,000 bytes decoded
    const QString b = savePicture(QStringLiteral("b.png"), {100, 100});
    const QString c = savePicture(QStringLiteral("c.png"), {100, 100});
    PictureCache cache(100'000);
    const qint64 keyA = cache.load(a).image.cacheKey();
    const qint64 keyB = cache.load(b).image.cacheKey();
    EXPECT_EQ(cache.load(a).image.cacheKey(), keyA); // a is now the more recent
    cache.load(c);
    EXPECT_EQ(cache.bytesHeld(), 80'000);
    EXPECT_EQ(cache.load(a).image.cacheKey(), keyA);
    EXPECT_NE(cache.load(b).image.cacheKey(), keyB); // let go, decoded again

    const QString big = savePicture(QStringLiteral("big.png"), {200, 200});
    const qint64 keyBig = cache.load(big).image.cacheKey();
    EXPECT_EQ(cache.bytesHeld(), 160'000);
    EXPECT_EQ(cache.load(big).image.cacheKey(), keyBig);
    // Without a budget everything stays.
    PictureCache all;
    for (const QString& file : {a, b, c, big})
        all.load(file);
    EXPECT_EQ(all.bytesHeld(), 280'000);
}

TEST_F(PictureFileTest, MissingFileAndFolder) {
    EXPECT_EQ(decodePictureFile(path(QStringLiteral("nothing.bmp"))).problem,
              PictureProblem::Missing);
    EXPECT_EQ(decodePictureFile(dir.path()).problem, PictureProblem::Missing);
    EXPECT_FALSE(pictureFileSize(path(QStringLiteral("nothing.bmp"))).isValid());
    // A pipe without a writer would block the reader for good: it is refused at open, also by
    // the size query.
    const QString pipe = path(QStringLiteral("pipe.png"));
    ASSERT_EQ(mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    EXPECT_EQ(decodePictureFile(pipe).problem, PictureProblem::Missing);
    QString reason;
    EXPECT_FALSE(pictureFileSize(pipe, &reason).isValid());
    EXPECT_TRUE(reason.contains(QStringLiteral("not a regular file"))) << reason.toStdString();
}

TEST_F(PictureFileTest, PathAsWrittenWins) {
    const QString here = savePicture(QStringLiteral("photo.png"));
    QDir(dir.path()).mkdir(QStringLiteral("layouts"));
    const QString layouts = path(QStringLiteral("layouts"));
    savePicture(QStringLiteral("layouts/photo.png"));
    EXPECT_EQ(resolvePicturePath(here, layouts), here);
    // Blanks around the path and one trailing backslash are not part of it.
    EXPECT_EQ(resolvePicturePath(QStringLiteral("  ") + here + QStringLiteral("  "), layouts),
              here);
    EXPECT_EQ(resolvePicturePath(here + QStringLiteral("\\"), layouts), here);
}

TEST_F(PictureFileTest, WindowsPathsFallBackToTheLayoutFolder) {
    const QString beside = savePicture(QStringLiteral("Photo.png"));
    struct Case {
        const char* stored;
        bool found;
    };
    const Case cases[] = {
        {R"(C:\Users\someone\Pictures\Photo.png)", true},
        {R"(\\server\share\Photo.png)", true},
        {R"(C:Photo.png)", true},
        {R"(Pictures\Photo.png)", true},
        {R"(C:\Users\someone\Pictures\PHOTO.PNG)", true}, // names matched as Windows does
        {R"(C:\Users\someone\Pictures\Other.png)", false},
        {R"(C:\Users\someone\Pictures\)", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const QString resolved = resolvePicturePath(QString::fromLatin1(c.stored), dir.path());
        if (c.found)
            EXPECT_EQ(QFileInfo(resolved).canonicalFilePath(),
                      QFileInfo(beside).canonicalFilePath());
        else
            EXPECT_TRUE(resolved.isEmpty()) << resolved.toStdString();
    }
    // Without a layout folder only the path as written counts.
    EXPECT_TRUE(resolvePicturePath(QStringLiteral(R"(C:\x\Photo.png)"), {}).isEmpty());
}

} // namespace
} // namespace tobirae
