// Every example layout renders: two months each, at the layout's own resolution, as bitmaps and
// as a PDF.
#include "bitmap/Primitives.h"
#include "document/LayoutFile.h"
#include "render/ImageItem.h"
#include "render/PageExport.h"
#include "render/PdfExport.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <utility>

namespace tobirae {
namespace {

TEST(Examples, EveryLayoutRendersTwoMonths) {
    const QDir examples(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples"));
    const QStringList layouts = examples.entryList({QStringLiteral("*.CLF")}, QDir::Files);
    ASSERT_FALSE(layouts.isEmpty());
    QTemporaryDir out;
    std::set<std::pair<int, int>> kinds; // category and variant of every item shipped
    for (const QString& name : layouts) {
        ReadResult read = readLayoutFile(examples.filePath(name));
        ASSERT_TRUE(read.document) << name.toStdString() << ": " << read.error.toStdString();
        const PageJob job = pageJobFromDocument(*read.document, 0x00FFFFFF);
        if (name == QStringLiteral("wall-calendar.CLF")) {
            EXPECT_EQ(job.canvas, QSize(794, 1123)); // A4 portrait, 2476 x 3509 at 300 dpi
        }
        EXPECT_GE(job.entries.size(), 3u) << name.toStdString();
        EXPECT_EQ(job.ownDaysProblems, QStringList()) << name.toStdString();
        // A shipped picture that is not found would quietly draw the placeholder instead.
        for (const ExportEntry& entry : job.entries) {
            const bool variants =
                entry.item.Category == CategoryMonthFamily || entry.item.Category == CategoryWeekly;
            kinds.insert({entry.item.Category, variants ? entry.item.LayoutVariant : 0});
            if (entry.item.Category == CategoryPicture) {
                EXPECT_EQ(pictureItemStatus(entry.item, job.layoutFolder).reason.toStdString(),
                          "")
                    << name.toStdString();
            }
        }
        const std::vector<int> months{1, 2};
        const std::vector<QString> paths{out.filePath(name + QStringLiteral("-1.bmp")),
                                         out.filePath(name + QStringLiteral("-2.bmp"))};
        const auto results = exportMonths(job, 2027, months, paths, {});
        for (const ExportResult& r : results) {
            EXPECT_TRUE(r.ok) << name.toStdString() << ": " << r.error.toStdString();
            const float scale = static_cast<float>(job.dpi) / 96;
            EXPECT_EQ(r.pixels,
                      pageBitmapSize(static_cast<float>(job.canvas.width()),
                                         static_cast<float>(job.canvas.height()), scale, scale))
                << name.toStdString();
            EXPECT_EQ(r.itemsDrawn, static_cast<int>(job.entries.size()));
        }
        // The same two months as one PDF.
        using std::chrono::year;
        const ExportResult pdf = exportPdf(job, {year(2027) / 1, year(2027) / 2},
                                           out.filePath(name + QStringLiteral(".pdf")));
        EXPECT_TRUE(pdf.ok) << name.toStdString() << ": " << pdf.error.toStdString();
        EXPECT_EQ(pdf.pages, 2) << name.toStdString();
        EXPECT_EQ(pdf.itemsDrawn, 2 * static_cast<int>(job.entries.size()));
    }
    // Every kind of item ships in an example, so every kind is drawn here.
    const std::set<std::pair<int, int>> everyKind{
        {CategoryYear, 0},
        {CategoryMonthFamily, VariantBox5},
        {CategoryMonthFamily, VariantBox6},
        {CategoryMonthFamily, VariantBoxMini},
        {CategoryMonthFamily, VariantVertical},
        {CategoryMonthFamily, VariantHorizontal},
        {CategoryMonthDisplay, 0},
        {CategoryWeekly, VariantVertical},
        {CategoryWeekly, VariantHorizontal},
        {CategoryPicture, 0},
        {CategoryText, 0},
    };
    EXPECT_EQ(kinds, everyKind);
}

// The preview of a page is the bitmap file of that page: at 100 dpi, every example's preview
// holds the file's pixels exactly and shows the page colour beyond them.
TEST(Examples, PreviewIsTheBitmapPixelForPixel) {
    const QDir examples(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples"));
    QTemporaryDir out;
    for (const QString& name : examples.entryList({QStringLiteral("*.CLF")}, QDir::Files)) {
        ReadResult read = readLayoutFile(examples.filePath(name));
        ASSERT_TRUE(read.document) << name.toStdString();
        const PageJob job = pageJobFromDocument(*read.document, 0x0000FFFF);
        // The first time a process draws some glyphs, their edges may come out a grey level
        // apart from every later time; the page drawn once before leaves that behind.
        pageImage(job, 2027, 6, 100);
        ExportOptions at100;
        at100.dpi = 100;
        const QString file = out.filePath(name + QStringLiteral(".bmp"));
        ASSERT_TRUE(exportPage(job, 2027, 6, file, at100).ok) << name.toStdString();
        const QImage bitmap = QImage(file).convertToFormat(QImage::Format_RGB32);
        ExportResult drawn;
        const QImage preview = pageImage(job, 2027, 6, 100, &drawn);
        EXPECT_TRUE(drawn.ok) << name.toStdString() << ": " << drawn.error.toStdString();
        ASSERT_FALSE(bitmap.isNull());
        const QSizeF paper = paperPixels(job, 100);
        ASSERT_EQ(preview.size(), QSize(static_cast<int>(std::ceil(paper.width())),
                                        static_cast<int>(std::ceil(paper.height()))))
            << name.toStdString();
        ASSERT_LE(bitmap.width(), preview.width());
        EXPECT_EQ(preview.copy(bitmap.rect()), bitmap) << name.toStdString();
        EXPECT_EQ(preview.pixel(preview.width() - 1, 0), qRgb(255, 255, 0)) << name.toStdString();
    }
}

} // namespace
} // namespace tobirae
