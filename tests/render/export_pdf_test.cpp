// PDF pages of the wall calendar, checked with the poppler tools as a reader of the file would.
#include "document/LayoutFile.h"
#include "render/NewItemDefaults.h"
#include "render/PdfExport.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
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

    const QString info = run(QStringLiteral("pdfinfo"), {path("may.pdf")});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
        << info.toStdString();
    const auto size =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    EXPECT_NEAR(size.captured(1).toDouble(), 595.28, 0.5);
    EXPECT_NEAR(size.captured(2).toDouble(), 841.89, 0.5);

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
        Fnc_NewItemDefaults(CategoryMonthDisplay, 0, e.item, 210, 297);
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
