// PDF pages of the wall calendar, checked with the poppler tools as a reader of the file would.
#include "document/LayoutFile.h"
#include "render/NewItemDefaults.h"
#include "render/PdfExport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

using std::chrono::year;
using std::chrono::year_month;

PageJob wallCalendar() {
    ReadResult read =
        readLayoutFile(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/wall-calendar.CLF"));
    EXPECT_TRUE(read.document) << read.error.toStdString();
    return read.document ? pageJobFromDocument(*read.document, 0x00FFFFFF) : PageJob{};
}

// Output of a poppler tool; empty when it failed.
QString run(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

int darkPixels(const QImage& image, const QSize& area, QImage* mask) {
    *mask = QImage(area, QImage::Format_Grayscale8);
    mask->fill(0);
    int count = 0;
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                mask->setPixel(x, y, 1);
                ++count;
            }
    return count;
}

// Dark pixels of `a` with no dark pixel of `b` within one pixel.
int unmatched(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!(a.pixel(x, y) & 0xFF))
                continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = b.valid(x + dx, y + dy) && (b.pixel(x + dx, y + dy) & 0xFF);
            count += near ? 0 : 1;
        }
    return count;
}

class PdfPages : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "poppler-utils are not installed (scripts/build.sh installs them)";
        ASSERT_TRUE(dir.isValid());
    }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(PdfPages, OneA4PageWithSearchableTextAndEmbeddedFonts) {
    const PageJob job = wallCalendar();
    const ExportResult result = exportPdf(job, {year(2027) / 5}, path("may.pdf"));
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.pages, 1);

    const QRegularExpression pageSize(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"));
    const QString info = run(QStringLiteral("pdfinfo"), {path("may.pdf")});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << info.toStdString();
    const auto size = pageSize.match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble(), 595.28, 0.5);
    EXPECT_NEAR(size.captured(2).toDouble(), 841.89, 0.5);
    // A landscape layout gives a landscape page, not the upright paper turned on its side.
    PageJob landscape = job;
    landscape.paperMm = QSizeF(297, 210);
    landscape.canvas = job.canvas.transposed();
    ASSERT_TRUE(exportPdf(landscape, {year(2027) / 5}, path("landscape.pdf")).ok);
    const QString turnedInfo = run(QStringLiteral("pdfinfo"), {path("landscape.pdf")});
    const auto turned = pageSize.match(turnedInfo);
    ASSERT_TRUE(turned.hasMatch()) << turnedInfo.toStdString();
    EXPECT_NEAR(turned.captured(1).toDouble(), 841.89, 0.5);
    EXPECT_NEAR(turned.captured(2).toDouble(), 595.28, 0.5);
    EXPECT_TRUE(turnedInfo.contains(QRegularExpression(QStringLiteral("Page rot:\\s+0\\n"))))
        << turnedInfo.toStdString();

    const QString text = run(QStringLiteral("pdftotext"), {path("may.pdf"), QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("憲法記念日"))) << text.toStdString();
    const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")));
    for (int day = 1; day <= 31; ++day)
        EXPECT_TRUE(words.contains(QString::number(day))) << "day " << day;

    // Every font in the file is embedded (the table lists "yes" in the emb column).
    const QStringList fonts = run(QStringLiteral("pdffonts"), {path("may.pdf")})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                                  .mid(2);
    ASSERT_FALSE(fonts.isEmpty());
    for (const QString& font : fonts)
        EXPECT_TRUE(font.contains(
            QRegularExpression(QStringLiteral("\\s+yes\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+$"))))
            << font.toStdString();
}

TEST_F(PdfPages, TextItemsAreTextWithTheirFieldsReplaced) {
    LayoutItem title;
    applyNewItemDefaults(CategoryText, 0, title, 210, 297);
    title.Live = kTrue;
    title.Left = 40;
    title.Top = 30;
    title.Width = 500;
    title.Height = 60;
    title.Ext.text = QStringLiteral("{和暦年度} 年間行事\n扉絵商事株式会社");
    LayoutItem framed = title;
    framed.Top = 200;
    framed.Ext.text = QStringLiteral("背景つき");
    framed.Ext.textBackground = true;
    framed.BackColor = 0x00CCFFFF;
    const std::vector<LayoutItem> items{title, framed};
    const auto document = LayoutDocument::fromRecords(PageSettings{}, items, 96);
    const PageJob job = pageJobFromDocument(*document, 0x00FFFFFF);
    ASSERT_TRUE(exportPdf(job, {year(2028) / 2}, path("text.pdf")).ok);
    const QString text = run(QStringLiteral("pdftotext"), {path("text.pdf"), QStringLiteral("-")});
    EXPECT_TRUE(text.contains(QStringLiteral("令和9年度"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("年間行事"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("扉絵商事株式会社"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("背景つき"))) << text.toStdString();
}

TEST_F(PdfPages, TheCompanyCalendarPrintsTheCompanysDaysAndName) {
    ReadResult read =
        readLayoutFile(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/company-calendar.CLF"));
    ASSERT_TRUE(read.document) << read.error.toStdString();
    const PageJob job = pageJobFromDocument(*read.document, 0x00FFFFFF);
    ASSERT_NE(job.ownDays, nullptr);
    ASSERT_TRUE(exportPdf(job, {year(2027) / 8, year(2027) / 10}, path("company.pdf")).ok);
    const QString text =
        run(QStringLiteral("pdftotext"), {path("company.pdf"), QStringLiteral("-")});
    // The company's names print where the holidays' do, beside them.
    for (const char* name :
         {"夏季休業", "山の日", "創立記念日", "スポーツの日", "株式会社 扉絵商事"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(name))) << name << "\n" << text.toStdString();
}

TEST_F(PdfPages, RasterisedPageMatchesTheBitmapOfTheSameMonth) {
    const PageJob job = wallCalendar();
    ASSERT_TRUE(exportPdf(job, {year(2027) / 5}, path("may.pdf")).ok);
    ExportOptions at100;
    at100.dpi = 100;
    ASSERT_TRUE(exportPage(job, 2027, 5, path("may.bmp"), at100).ok);
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
         QStringLiteral("-singlefile"), path("may.pdf"), path("raster")});
    const QImage raster(path("raster.png"));
    const QImage bitmap(path("may.bmp"));
    ASSERT_FALSE(raster.isNull());
    ASSERT_FALSE(bitmap.isNull());
    // The bitmap leaves out a strip on the right; the rest of the page is compared.
    const QSize area = bitmap.size().boundedTo(raster.size());
    EXPECT_GE(area.width(), bitmap.width() - 1);
    QImage rasterMask;
    QImage bitmapMask;
    const int rasterDark = darkPixels(raster, area, &rasterMask);
    const int bitmapDark = darkPixels(bitmap, area, &bitmapMask);
    ASSERT_GT(bitmapDark, 5000); // the page has something on it
    EXPECT_NEAR(rasterDark, bitmapDark, bitmapDark / 20);
    EXPECT_LT(unmatched(bitmapMask, rasterMask), bitmapDark / 200);
    EXPECT_LT(unmatched(rasterMask, bitmapMask), rasterDark / 200);
}

// Darkness of the top of a page, where the year and month headings stand.
long long headingInk(const QImage& page) {
    long long ink = 0;
    for (int y = 0; y < page.height() / 5; ++y)
        for (int x = 0; x < page.width(); ++x)
            ink += 255 - qGray(page.pixel(x, y));
    return ink;
}

// The IPA faces have no bold: PDF text is thickened by stroking its outlines and stays text.
TEST_F(PdfPages, BoldHeadingsPrintBoldAndStaySearchable) {
    PageJob job = wallCalendar();
    ASSERT_TRUE(exportPdf(job, {year(2027) / 5}, path("regular.pdf")).ok);
    for (ExportEntry& e : job.entries) {
        e.item.element(Year1).Font.Bold = kTrue;
        e.item.element(Month1).Font.Bold = kTrue;
    }
    ASSERT_TRUE(exportPdf(job, {year(2027) / 5}, path("bold.pdf")).ok);
    const QStringList words =
        run(QStringLiteral("pdftotext"), {path("bold.pdf"), QStringLiteral("-")})
            .split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    ASSERT_GE(words.size(), 2);
    EXPECT_EQ(words[0], QStringLiteral("2027"));
    EXPECT_EQ(words[1], QStringLiteral("5"));
    long long ink[2] = {};
    for (int i = 0; i < 2; ++i) {
        const char* name = i == 0 ? "regular" : "bold";
        run(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("150"), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), path(i == 0 ? "regular.pdf" : "bold.pdf"), path(name)});
        const QImage page(path(name) + QStringLiteral(".png"));
        ASSERT_FALSE(page.isNull()) << name;
        ink[i] = headingInk(page);
    }
    ASSERT_GT(ink[0], 0);
    EXPECT_GT(static_cast<double>(ink[1]) / static_cast<double>(ink[0]), 1.4);
}

TEST_F(PdfPages, AFiscalYearIsTwelvePagesFromAprilToMarch) {
    const PageJob job = wallCalendar();
    std::vector<std::size_t> done;
    const ExportResult result =
        exportPdf(job, monthRange(year(2027) / 4, year(2028) / 3), path("fiscal.pdf"), {},
                  [&](std::size_t i, const ExportResult& page) {
                      EXPECT_TRUE(page.ok);
                      done.push_back(i);
                  });
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(result.pages, 12);
    EXPECT_EQ(done, (std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    const QStringList pages =
        run(QStringLiteral("pdftotext"), {path("fiscal.pdf"), QStringLiteral("-")})
            .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 12);
    // Each page opens with its year and month headings: April 2027 first, March 2028 last.
    for (int i = 0; i < 12; ++i) {
        const QStringList words =
            pages[i].split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        ASSERT_GE(words.size(), 2) << "page " << i + 1;
        const year_month shown = year(2027) / 4 + std::chrono::months(i);
        EXPECT_EQ(words[0], QString::number(static_cast<int>(shown.year()))) << "page " << i + 1;
        EXPECT_EQ(words[1], QString::number(static_cast<unsigned>(shown.month())))
            << "page " << i + 1;
    }
}

// Rows of `pdfimages -list` as their fields: page, num, type, width, height, ..., object, ID.
QList<QStringList> imageList(const QString& pdf) {
    QList<QStringList> rows;
    const QStringList lines =
        run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(QLatin1Char('\n'));
    for (const QString& line : lines.mid(2)) {
        const QStringList fields = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (fields.size() >= 12)
            rows.append(fields);
    }
    return rows;
}

// Uses of a picture of the size in `pdfimages -list` and the image objects they refer to.
std::pair<int, QSet<QString>> imageUses(const QString& pdf, QSize picture) {
    int uses = 0;
    QSet<QString> objects;
    for (const QStringList& row : imageList(pdf)) {
        if (row[3] != QString::number(picture.width()) ||
            row[4] != QString::number(picture.height()))
            continue;
        ++uses;
        objects.insert(row[10]);
    }
    return {uses, objects};
}

// A picture shown on every month is decoded once for the range and embedded once: the pages
// refer to one image object, and a photo keeps about the size of its own file (the writer
// encodes the decoded photo as JPEG again, so a year with a photo of a megabyte and a half stays
// under 3 MB).
TEST_F(PdfPages, APictureOnEveryPageIsEmbeddedOnce) {
    ReadResult read =
        readLayoutFile(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/picture-calendar.CLF"));
    ASSERT_TRUE(read.document) << read.error.toStdString();
    PageJob job = pageJobFromDocument(*read.document, 0x00FFFFFF);
    const auto months = monthRange(year(2027) / 1, year(2027) / 12);
    ASSERT_TRUE(exportPdf(job, months, path("pictures.pdf")).ok);
    const QSize picture =
        QImage(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/mountains.png")).size();
    const auto [uses, objects] = imageUses(path("pictures.pdf"), picture);
    EXPECT_EQ(uses, 12);
    EXPECT_EQ(objects.size(), 1);

    // A photo of a megabyte and a half: noise does not compress.
    QImage photo(1500, 1200, QImage::Format_RGB32);
    std::uint32_t seed = 12345;
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            photo.setPixel(x, y, seed >> 8);
        }
    ASSERT_TRUE(photo.save(path("photo.jpg"), "JPEG", 90));
    const qint64 photoBytes = QFileInfo(path("photo.jpg")).size();
    ASSERT_GT(photoBytes, 1'500'000);
    for (ExportEntry& e : job.entries)
        if (e.item.Category == CategoryPicture)
            e.item.PictureFile.setText(path("photo.jpg"));
    ASSERT_TRUE(exportPdf(job, months, path("photos.pdf")).ok);
    EXPECT_LT(QFileInfo(path("photos.pdf")).size(), photoBytes * 2);
    EXPECT_LT(QFileInfo(path("photos.pdf")).size(), 3'000'000);
    const auto [photoUses, photoObjects] = imageUses(path("photos.pdf"), photo.size());
    EXPECT_EQ(photoUses, 12);
    EXPECT_EQ(photoObjects.size(), 1);
}

TEST_F(PdfPages, CancelledOrFailedRangesLeaveNoFile) {
    const PageJob job = wallCalendar();
    std::atomic<bool> cancel{false};
    ExportOptions options;
    options.cancel = &cancel;
    const ExportResult cancelled =
        exportPdf(job, monthRange(year(2027) / 4, year(2027) / 9), path("half.pdf"), options,
                  [&](std::size_t i, const ExportResult&) { cancel = i == 1; });
    EXPECT_FALSE(cancelled.ok);
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(cancelled.pages, 2);
    // A month the calendar cannot draw stops the file too.
    const ExportResult failed = exportPdf(job, {year(2027) / 4, year(2027) / 13}, path("bad.pdf"));
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.isEmpty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

// Leaving out an item's transparent colour is pixel work: the item goes in as an image through
// which the item below shows, as on the bitmap.
TEST(PaintPage, TransparentColourShowsTheItemBelow) {
    PageJob job;
    job.canvas = QSize(200, 150);
    job.dpi = 96;
    for (int i = 0; i < 2; ++i) {
        ExportEntry e;
        applyNewItemDefaults(CategoryMonthDisplay, 0, e.item, 210, 297);
        e.item.Live = kTrue;
        e.item.Left = 20;
        e.item.Top = 20;
        e.item.Width = 100;
        e.item.Height = 60;
        e.item.BackColor = i == 0 ? 0x0000FF00 : 0x00FFFFFF;
        e.item.Transparent = i == 0 ? kFalse : kTrue;
        e.item.TransparentColor = 0x00FFFFFF;
        e.drawn = true;
        e.box = QRectF(20, 20, 104, 64);
        job.entries.push_back(e);
    }
    QImage page(200, 150, QImage::Format_RGB32);
    page.fill(Qt::red);
    std::vector<ExportProgress> steps;
    ExportOptions options;
    options.progress = [&](const ExportProgress& p) { steps.push_back(p); };
    {
        QPainter painter(&page);
        const ExportResult result = paintPage(job, 2027, 1, painter, options);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        EXPECT_EQ(result.itemsDrawn, 2);
    }
    EXPECT_EQ(page.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);     // page background over the paper
    EXPECT_EQ(page.pixel(198, 148) & 0xFFFFFF, 0xFFFFFFu); // also beyond the bitmap's width
    EXPECT_EQ(page.pixel(110, 75) & 0xFFFFFF, 0x00FF00u);  // the green item shows through
    ASSERT_EQ(steps.size(), 6u);
    EXPECT_EQ(steps.back().step, 6);
    EXPECT_EQ(steps[2].text, QStringLiteral("アイテム1の描画中"));
}

} // namespace
} // namespace tobirae
