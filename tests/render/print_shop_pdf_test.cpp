// The print-shop PDF: its page boxes read back with qpdf, the crop marks and the bleed on the
// rasterised page (poppler), the preflight, and PDF/X-3 through Ghostscript.
#include "document/ItemFrame.h"
#include "document/LayoutFile.h"
#include "render/BleedFills.h"
#include "render/NewItemDefaults.h"
#include "render/PdfBoxes.h"
#include "render/PdfxConversion.h"
#include "render/Preflight.h"
#include "render/PrintShopPdf.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

using std::chrono::year;

constexpr double kPt = 72.0 / 25.4; // points per millimetre

PageJob pictureCalendar() {
    ReadResult read =
        readLayoutFile(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/picture-calendar.CLF"));
    EXPECT_TRUE(read.document) << read.error.toStdString();
    return read.document ? pageJobFromDocument(*read.document, 0x00FFFFFF) : PageJob{};
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ExportEntry* pictureEntry(PageJob& job) {
    for (ExportEntry& e : job.entries)
        if (e.drawn && e.item.Category == CategoryPicture)
            return &e;
    return nullptr;
}

// Paper of 800 x 1000 layout pixels, whole points (600 x 750), with one month box in `box`: its
// title bands and weekday header green, its day cells blue, on orange paper.
constexpr Colour kBandGreen = 0x0000A000;
constexpr Colour kCellBlue = 0x00FF0000;
PageJob monthBoxPage(const QRectF& box) {
    LayoutItem month;
    applyNewItemDefaults(CategoryMonthFamily, VariantBox5, month, 211.67f, 264.58f);
    month.Live = kTrue;
    month.Left = static_cast<float>(box.left());
    month.Top = static_cast<float>(box.top());
    month.Width = static_cast<float>(box.width()) - kItemFrame;
    month.Height = static_cast<float>(box.height()) - kItemFrame;
    month.BackColor = 0x00FFFFFF;
    month.FitToRect = kFalse; // at its design size, whatever a new box starts with
    for (int e = 0; e <= 8; ++e)
        month.CellBackColor[static_cast<std::size_t>(e)] = kBandGreen;
    for (int e = 9; e < 9 + 42; ++e)
        month.CellBackColor[static_cast<std::size_t>(e)] = kCellBlue;
    const auto document =
        LayoutDocument::fromRecords(PageSettings{}, std::vector<LayoutItem>{month}, 96);
    PageJob job = pageJobFromDocument(*document, 0x0080C0FF);
    job.canvas = QSize(800, 1000);
    job.paperMm = QSizeF(800, 1000) / 96.0 * 25.4;
    job.entries.at(0).box = box;
    return job;
}

class PrintShop : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // Page 1 rasterised at `dpi`; a null image without poppler.
    QImage raster(const QString& pdf, int dpi) const {
        const QString out = dir.filePath(QStringLiteral("page"));
        QProcess p;
        p.start(QStringLiteral("pdftoppm"),
                {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                 QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
                 QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, out});
        if (!p.waitForFinished(60000) || p.exitCode() != 0)
            return {};
        return QImage(out + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    }
    static bool havePoppler() {
        return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
    }

    QTemporaryDir dir;
};

// PDF points (y up, origin at the MediaBox corner) to pixels of a raster at `dpi`.
QPoint pixelAt(const PdfPageBoxes& boxes, double x, double y, int dpi) {
    const double s = dpi / 72.0;
    return QPoint(static_cast<int>((x - boxes.media.left()) * s),
                  static_cast<int>((boxes.media.bottom() - y) * s));
}

TEST_F(PrintShop, BoxesForCommonPapersComeFromThePageWritten) {
    struct Paper {
        const char* name;
        QSizeF mm;
    };
    const Paper papers[] = {{"A4 portrait", {210, 297}},
                            {"A4 landscape", {297, 210}},
                            {"hagaki", {100, 148}},
                            {"custom", {216, 303}}};
    for (const Paper& paper : papers) {
        SCOPED_TRACE(paper.name);
        PageJob job = pictureCalendar();
        job.paperMm = paper.mm;
        const auto months = monthRange(year(2027) / 4, year(2027) / 5);
        for (const bool marks : {false, true}) {
            PrintShopOptions shop;
            shop.bleedMm = 3;
            shop.marks = marks;
            const PrintShopResult r = exportPrintShopPdf(job, months, path("boxes.pdf"), shop);
            ASSERT_TRUE(r.pages.ok) << r.pages.error.toStdString();
            QString error;
            const std::vector<PdfPageBoxes> pages =
                readPageBoxes(bytesOf(path("boxes.pdf")), &error);
            ASSERT_EQ(pages.size(), 2u) << error.toStdString();
            for (const PdfPageBoxes& b : pages) {
                EXPECT_NEAR(b.trim.width(), paper.mm.width() * kPt, 0.1 * kPt);
                EXPECT_NEAR(b.trim.height(), paper.mm.height() * kPt, 0.1 * kPt);
                EXPECT_NEAR(b.bleed.left(), b.trim.left() - 3 * kPt, 0.01);
                EXPECT_NEAR(b.bleed.right(), b.trim.right() + 3 * kPt, 0.01);
                EXPECT_NEAR(b.bleed.top(), b.trim.top() - 3 * kPt, 0.01);
                EXPECT_NEAR(b.bleed.bottom(), b.trim.bottom() + 3 * kPt, 0.01);
                EXPECT_EQ(b.crop, b.media);
                if (marks) {
                    for (const double room :
                         {b.bleed.left() - b.media.left(), b.media.right() - b.bleed.right(),
                          b.bleed.top() - b.media.top(), b.media.bottom() - b.bleed.bottom()})
                        EXPECT_GE(room, 10 * kPt);
                } else {
                    EXPECT_EQ(b.media, b.bleed);
                }
            }
        }
    }
}

TEST_F(PrintShop, WithoutBleedOrMarksThePlainPdfKeepsItsSingleBox) {
    const PageJob job = pictureCalendar();
    const auto months = monthRange(year(2027) / 4, year(2027) / 4);
    ASSERT_TRUE(exportPrintShopPdf(job, months, path("plain.pdf"), PrintShopOptions{}).pages.ok);
    ASSERT_TRUE(exportPdf(job, months, path("today.pdf")).ok);
    const auto plain = readPageBoxes(bytesOf(path("plain.pdf")));
    const auto today = readPageBoxes(bytesOf(path("today.pdf")));
    ASSERT_EQ(plain.size(), 1u);
    ASSERT_EQ(today.size(), 1u);
    EXPECT_EQ(plain[0].media, today[0].media);
    EXPECT_TRUE(plain[0].trim.isNull());
    EXPECT_TRUE(plain[0].bleed.isNull());
    // Apart from its creation time the file is today's, byte for byte.
    EXPECT_EQ(bytesOf(path("plain.pdf")).size(), bytesOf(path("today.pdf")).size());
}

TEST_F(PrintShop, MarksLieOnTheTrimAndBleedLinesAndNoneInsideTheBleed) {
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed (scripts/build.sh installs them)";
    const PageJob job = pictureCalendar();
    PrintShopOptions shop;
    shop.bleedMm = 3;
    shop.marks = true;
    ASSERT_TRUE(
        exportPrintShopPdf(job, monthRange(year(2027) / 4, year(2027) / 4), path("marks.pdf"), shop)
            .pages.ok);
    const PdfPageBoxes b = readPageBoxes(bytesOf(path("marks.pdf"))).at(0);
    constexpr int dpi = 200;
    const QImage page = raster(path("marks.pdf"), dpi);
    ASSERT_FALSE(page.isNull());
    auto inked = [&](double x, double y) {
        // The 0.1 mm line is under a pixel wide: look one pixel around.
        const QPoint p = pixelAt(b, x, y, dpi);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (page.valid(p.x() + dx, p.y() + dy) &&
                    qGray(page.pixel(p.x() + dx, p.y() + dy)) < 200)
                    return true;
        return false;
    };
    const double out = 5 * kPt; // halfway along the 10 mm lines
    for (const bool right : {false, true})
        for (const bool top : {false, true}) {
            SCOPED_TRACE(std::string(right ? "right" : "left") + (top ? " top" : " bottom"));
            const double bx = right ? b.bleed.right() + out : b.bleed.left() - out;
            const double by = top ? b.bleed.bottom() + out : b.bleed.top() - out;
            // Horizontal lines on the trim and the bleed line, vertical ones likewise.
            EXPECT_TRUE(inked(bx, top ? b.trim.bottom() : b.trim.top()));
            EXPECT_TRUE(inked(bx, top ? b.bleed.bottom() : b.bleed.top()));
            EXPECT_TRUE(inked(right ? b.trim.right() : b.trim.left(), by));
            EXPECT_TRUE(inked(right ? b.bleed.right() : b.bleed.left(), by));
            // Between the two lines of a pair there is no ink.
            EXPECT_FALSE(inked(bx, top ? b.trim.bottom() + 1.5 * kPt : b.trim.top() - 1.5 * kPt));
        }
    // Centre marks on each side.
    EXPECT_TRUE(inked(b.trim.center().x(), b.bleed.bottom() + out));
    EXPECT_TRUE(inked(b.trim.center().x(), b.bleed.top() - out));
    EXPECT_TRUE(inked(b.bleed.left() - out, b.trim.center().y()));
    EXPECT_TRUE(inked(b.bleed.right() + out, b.trim.center().y()));

    // Inside the BleedBox, the bleed and 2 mm of the paper hold no ink: the layout keeps
    // clear of its edges, so anything dark there would be a mark.
    const QPoint topLeft = pixelAt(b, b.bleed.left(), b.bleed.bottom(), dpi);
    const QPoint bottomRight = pixelAt(b, b.bleed.right(), b.bleed.top(), dpi);
    const int band = static_cast<int>(5 * kPt * dpi / 72);
    int dark = 0;
    for (int y = topLeft.y() + 1; y < bottomRight.y() - 1; ++y)
        for (int x = topLeft.x() + 1; x < bottomRight.x() - 1; ++x) {
            const bool inBand = x < topLeft.x() + band || x > bottomRight.x() - band ||
                                y < topLeft.y() + band || y > bottomRight.y() - band;
            if (inBand && qGray(page.pixel(x, y)) < 200)
                ++dark;
        }
    EXPECT_EQ(dark, 0);
}

TEST_F(PrintShop, TheBleedTakesThePageBackgroundAndAnEdgePictureGrowsIntoIt) {
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed (scripts/build.sh installs them)";
    PageJob job = pictureCalendar();
    job.pageBackColor = 0x0080C0FF; // orange: R ff, G c0, B 80
    const auto april = monthRange(year(2027) / 4, year(2027) / 4);
    PrintShopOptions shop;
    shop.bleedMm = 3;
    ASSERT_TRUE(exportPrintShopPdf(job, april, path("back.pdf"), shop).pages.ok);
    constexpr int dpi = 100;
    PdfPageBoxes b = readPageBoxes(bytesOf(path("back.pdf"))).at(0);
    QImage page = raster(path("back.pdf"), dpi);
    ASSERT_FALSE(page.isNull());
    const QColor orange(0xFF, 0xC0, 0x80);
    auto colourAt = [&](double x, double y) { return page.pixelColor(pixelAt(b, x, y, dpi)); };
    const double inBleed = 1.5 * kPt;
    for (const QPointF p : {QPointF(b.trim.left() - inBleed, b.trim.center().y()),
                            QPointF(b.trim.right() + inBleed, b.trim.center().y()),
                            QPointF(b.trim.center().x(), b.trim.top() - inBleed),
                            QPointF(b.trim.center().x(), b.trim.bottom() + inBleed)}) {
        const QColor c = colourAt(p.x(), p.y());
        EXPECT_NEAR(c.red(), orange.red(), 2);
        EXPECT_NEAR(c.green(), orange.green(), 2);
        EXPECT_NEAR(c.blue(), orange.blue(), 2);
    }

    // The picture put in the paper's top-left corner reaches the bleed edge there, and only
    // there.
    ExportEntry* picture = pictureEntry(job);
    ASSERT_NE(picture, nullptr);
    picture->item.FitToRect = kTrue;
    picture->item.FreeAspect = kTrue;
    picture->box = QRectF(0, 0, 300, 200);
    ASSERT_TRUE(exportPrintShopPdf(job, april, path("edge.pdf"), shop).pages.ok);
    b = readPageBoxes(bytesOf(path("edge.pdf"))).at(0);
    page = raster(path("edge.pdf"), dpi);
    ASSERT_FALSE(page.isNull());
    const double pictureWidthPt = 300 / 96.0 * 72;
    const double pictureHeightPt = 200 / 96.0 * 72;
    auto isOrange = [&](double x, double y) {
        const QColor c = colourAt(x, y);
        return std::abs(c.red() - 0xFF) <= 2 && std::abs(c.green() - 0xC0) <= 2 &&
               std::abs(c.blue() - 0x80) <= 2;
    };
    const double left = b.trim.left() - inBleed;
    const double top = b.trim.bottom() + inBleed;
    EXPECT_FALSE(isOrange(left, b.trim.bottom() - pictureHeightPt / 2));
    EXPECT_FALSE(isOrange(b.trim.left() + pictureWidthPt / 2, top));
    EXPECT_FALSE(isOrange(left, top)); // the corner too
    // Beyond the picture the bleed is the page background again.
    EXPECT_TRUE(isOrange(b.trim.left() + pictureWidthPt + 20, top));
    EXPECT_TRUE(isOrange(left, b.trim.bottom() - pictureHeightPt - 20));
}

TEST_F(PrintShop, FillsOfAnEdgeMonthBoxGrowIntoTheBleedAndNothingInsideTheTrimMoves) {
    if (!havePoppler())
        GTEST_SKIP() << "poppler-utils are not installed (scripts/build.sh installs them)";
    // A bleed of 8 points and a 144 dpi raster put the trim 16 whole pixels in: the page inside
    // the trim can be compared pixel for pixel with the page drawn without bleed.
    const PageJob job = monthBoxPage(QRectF(0, 0, 704, 504));
    const auto may = monthRange(year(2027) / 5, year(2027) / 5);
    PrintShopOptions shop;
    shop.bleedMm = 8 / kPt;
    ASSERT_TRUE(exportPrintShopPdf(job, may, path("bleed.pdf"), shop).pages.ok);
    ASSERT_TRUE(exportPrintShopPdf(job, may, path("plain.pdf"), PrintShopOptions{}).pages.ok);
    constexpr int dpi = 144;
    const QImage bled = raster(path("bleed.pdf"), dpi);
    const QImage plain = raster(path("plain.pdf"), dpi);
    ASSERT_EQ(bled.size(), QSize(1232, 1532));
    ASSERT_EQ(plain.size(), QSize(1200, 1500));
    constexpr int in = 16;                // the trim in the bleed raster
    constexpr int boxRight = 704 * 3 / 2; // 1.5 raster pixels per layout pixel
    constexpr int boxBottom = 504 * 3 / 2;

    auto near = [](QColor c, Colour bgr) {
        const QColor want = QColor::fromRgb(rgbFromColour(bgr));
        return std::abs(c.red() - want.red()) <= 8 && std::abs(c.green() - want.green()) <= 8 &&
               std::abs(c.blue() - want.blue()) <= 8;
    };
    auto at = [&](int x, int y) { return bled.pixelColor(x, y); };
    // Above the box the top band, beside it the cells of the first column (and the header and
    // bands above them), the corner with the band; past the box's far sides the paper again.
    for (int x : {in + 10, in + boxRight / 2, in + boxRight - 10})
        EXPECT_TRUE(near(at(x, in / 2), kBandGreen)) << x;
    for (int y : {in + boxBottom / 2, in + boxBottom - 10})
        EXPECT_TRUE(near(at(in / 2, y), kCellBlue)) << y;
    EXPECT_TRUE(near(at(in / 2, in + 3), kBandGreen));
    EXPECT_TRUE(near(at(in / 2, in / 2), kBandGreen));
    EXPECT_TRUE(near(at(in + boxRight + 20, in / 2), 0x0080C0FF));
    EXPECT_TRUE(near(at(in / 2, in + boxBottom + 20), 0x0080C0FF));
    EXPECT_TRUE(near(at(bled.width() - in / 2, in + boxBottom / 2), 0x0080C0FF));
    // Texts and lines stay inside: nothing dark lies in the bleed strips.
    auto dark = [](QColor c) { return c.red() < 90 && c.green() < 90 && c.blue() < 90; };
    int darkInBleed = 0;
    for (int y = 0; y < bled.height(); ++y)
        for (int x = 0; x < bled.width(); ++x)
            if ((x < in || y < in) && dark(at(x, y)))
                ++darkInBleed;
    EXPECT_EQ(darkInBleed, 0);
    // The band starts a pixel below the item's top edge: without bleed that row is the item's
    // white background, with bleed the band closes it, so no hairline shows at the cut.
    EXPECT_TRUE(near(plain.pixelColor(boxRight / 2, 0), 0x00FFFFFF));
    EXPECT_TRUE(near(at(in + boxRight / 2, in), kBandGreen));
    // ... and the ruled line along the band's top stays: it is no fill and is not painted over.
    auto darkestOfTopRows = [](const QImage& image, int x, int top) {
        int darkest = 255;
        for (int y = top; y < top + 4; ++y)
            darkest = std::min(darkest, image.pixelColor(x, y).green());
        return darkest;
    };
    EXPECT_LT(darkestOfTopRows(plain, boxRight / 2, 0), 90);
    EXPECT_NEAR(darkestOfTopRows(bled, in + boxRight / 2, in),
                darkestOfTopRows(plain, boxRight / 2, 0), 24);
    // Beyond that edge row, inside the trim the page is the page drawn without bleed, texts, day
    // numbers and lines included. Glyph edges may be smoothed a little differently; a text or
    // line moved by a pixel changes the average of a 4 x 4 block by a quarter of its contrast.
    int inked = 0;
    int differing = 0;
    constexpr int block = 4;
    for (int by = block; by + block <= plain.height(); by += block)
        for (int bx = block; bx + block <= plain.width(); bx += block) {
            int sums[2][3] = {};
            for (int y = by; y < by + block; ++y)
                for (int x = bx; x < bx + block; ++x) {
                    const QColor a = plain.pixelColor(x, y);
                    const QColor b = at(x + in, y + in);
                    inked += dark(a);
                    const int channels[2][3] = {{a.red(), a.green(), a.blue()},
                                                {b.red(), b.green(), b.blue()}};
                    for (int i = 0; i < 2; ++i)
                        for (int c = 0; c < 3; ++c)
                            sums[i][c] += channels[i][c];
                }
            for (int c = 0; c < 3; ++c)
                if (std::abs(sums[0][c] - sums[1][c]) > 24 * block * block) {
                    ++differing;
                    break;
                }
        }
    EXPECT_GT(inked, 2000); // the day numbers and the title are there to compare
    EXPECT_EQ(differing, 0);
}

TEST(PrintShopBleed, FillsReachingTheEdgeOfAnEdgeItemGrowOnThatSideOnly) {
    const QSizeF paper(1000, 800);
    const double bleed = 30;
    const double tolerance = 5;
    const QRectF corner(0, 0, 400, 300); // touches the left and top edges
    struct Case {
        QRect fill;
        QRectF box;
        std::optional<QRect> grown;
    };
    const Case cases[] = {
        // The title band along the top: up and to the left, not to the right.
        {QRect(QPoint(2, 1), QPoint(397, 40)), corner, QRect(QPoint(-30, -30), QPoint(397, 40))},
        // A cell of the first column in the middle: to the left only.
        {QRect(QPoint(2, 100), QPoint(60, 150)), corner, QRect(QPoint(-30, 100), QPoint(60, 150))},
        // A cell 6 pixels in from the edge reaches no edge.
        {QRect(QPoint(6, 100), QPoint(60, 150)), corner, std::nullopt},
        // Only what the surface shows counts: a fill past the box grows from the box's edge.
        {QRect(QPoint(-50, 100), QPoint(60, 150)), corner,
         QRect(QPoint(-30, 100), QPoint(60, 150))},
        // Bottom-right edges, fractional box and bleed edges rounded outwards.
        {QRect(QPoint(800, 700), QPoint(999, 799)), QRectF(500.5, 600.5, 499, 199),
         QRect(QPoint(800, 700), QPoint(1029, 829))},
        // An item off every edge grows nothing; nor does anything without bleed.
        {QRect(QPoint(110, 110), QPoint(200, 200)), QRectF(100, 100, 200, 200), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(grownFill(c.fill, c.box, paper, bleed, tolerance), c.grown) << c.fill.x();
    EXPECT_EQ(grownFill(QRect(0, 0, 50, 50), corner, paper, 0, tolerance), std::nullopt);
}

TEST(PrintShopBleed, TheEdgeRowAFillLeavesIsClosedUnlessSomethingIsDrawnThere) {
    // Paper of 100 x 100 pixels at (20, 20) of the sheet, a bleed of 20; an item in the paper's
    // top-left corner whose band starts 3 pixels below its top edge.
    enum InTheGap { Nothing, ALine, AnotherFill };
    auto drawn = [](InTheGap inTheGap) {
        QImage sheet(140, 140, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        painter.translate(20, 20);
        const auto current =
            std::make_shared<BleedItem>(BleedItem{QRectF(0, 0, 60, 60), 0x00FFFFFF, true});
        BleedPageCanvas page(painter, QSize(100, 100), std::make_shared<FontCache>(),
                             QSizeF(100, 100), 20, 4, current);
        RecordingCanvas item(60, 60);
        item.fillRect(0, 0, 60, 60, 0x00FFFFFF, BrushSolid, 0, false);
        item.fillRect(0, 3, 60, 20, kBandGreen, BrushSolid, 0, false);
        if (inTheGap == ALine)
            item.drawLine(0, 1, 60, 1, 0x00000000, 1, PenSolid, true);
        if (inTheGap == AnotherFill)
            item.fillRect(40, 0, 60, 2, 0x000000FF, BrushSolid, 0, false);
        EXPECT_TRUE(page.blit(0, 0, 60, 60, item, 0, 0, std::nullopt));
        painter.end();
        return sheet;
    };
    const QRgb green = rgbFromColour(kBandGreen) | 0xFF000000;
    const QImage closed = drawn(Nothing);
    EXPECT_EQ(closed.pixel(50, 10), green);       // the bleed
    EXPECT_EQ(closed.pixel(50, 20), green);       // the paper's first row, the item's background
    EXPECT_EQ(closed.pixel(10, 30), green);       // the band's row grows to the left as well
    EXPECT_EQ(closed.pixel(90, 10), 0xFFFFFFFFu); // not past the item's right end
    const QImage kept = drawn(ALine);
    EXPECT_EQ(kept.pixel(50, 10), green);
    EXPECT_EQ(kept.pixel(50, 20), 0xFFFFFFFFu); // left as drawn: a line lies in that strip
    EXPECT_EQ(kept.pixel(50, 21), 0xFF000000u);
    const QImage red = drawn(AnotherFill); // and so is a strip with a fill of its own
    EXPECT_EQ(red.pixel(30, 20), 0xFFFFFFFFu);
    EXPECT_EQ(red.pixel(70, 20), 0xFFFF0000u);
}

TEST(PrintShopBleed, ItemsWithinHalfAMillimetreOfAnEdgeGrowToTheBleedEdge) {
    const QSizeF paper(1000, 800);
    const double tolerance = 5;
    const double bleed = 30;
    EXPECT_EQ(bleedExtended(QRectF(4, 100, 200, 100), paper, bleed, tolerance),
              QRectF(-30, 100, 234, 100));
    EXPECT_EQ(bleedExtended(QRectF(6, 100, 200, 100), paper, bleed, tolerance),
              QRectF(6, 100, 200, 100));
    EXPECT_EQ(bleedExtended(QRectF(0, 0, 1000, 800), paper, bleed, tolerance),
              QRectF(-30, -30, 1060, 860));
    EXPECT_EQ(bleedExtended(QRectF(500, 700, 496, 97), paper, bleed, tolerance),
              QRectF(500, 700, 530, 130));
    EXPECT_EQ(bleedExtended(QRectF(0, 0, 10, 10), paper, 0, tolerance), QRectF(0, 0, 10, 10));
}

TEST_F(PrintShop, PreflightNamesPageItemAndWhatToDo) {
    PageJob job = pictureCalendar();
    const auto months = monthRange(year(2027) / 4, year(2028) / 3);
    auto kinds = [&](const PrintShopOptions& shop) {
        std::vector<PreflightWarning::Kind> found;
        for (const PreflightWarning& w : preflight(job, months, shop)) {
            found.push_back(w.kind);
            EXPECT_TRUE(w.text().startsWith(QStringLiteral("2027-04〜2028-03")))
                << w.text().toStdString();
            EXPECT_FALSE(w.action.isEmpty());
            if (w.item > 0) {
                EXPECT_TRUE(w.text().contains(QStringLiteral("アイテム%1").arg(w.item)));
            }
        }
        return found;
    };
    using K = PreflightWarning::Kind;
    PrintShopOptions rgb;
    PrintShopOptions cmyk;
    cmyk.pdfx = true;
    // The example's picture is 76 ppi at its printed size, and the file stays RGB.
    const auto example = preflight(job, months, rgb);
    ASSERT_EQ(kinds(rgb), (std::vector<K>{K::LowResolution, K::RgbOnly}));
    EXPECT_GT(example[0].ppi, 0);
    EXPECT_LT(example[0].ppi, 350);
    EXPECT_TRUE(example[0].problem.contains(QStringLiteral("%1 ppi").arg(example[0].ppi)));
    EXPECT_EQ(kinds(cmyk), std::vector<K>{K::LowResolution});

    // A picture with pixels enough for 350 ppi passes.
    ExportEntry* picture = pictureEntry(job);
    ASSERT_NE(picture, nullptr);
    const double widthInches = picture->box.width() / 96.0;
    QImage sharp(static_cast<int>(widthInches * 400), static_cast<int>(widthInches * 400 * 3 / 7),
                 QImage::Format_RGB32);
    sharp.fill(Qt::darkGreen);
    ASSERT_TRUE(sharp.save(path("sharp.png")));
    picture->item.PictureFile.setText(path("sharp.png"));
    picture->item.DesignWidth = 0;
    EXPECT_EQ(kinds(cmyk), std::vector<K>{});

    // A missing picture, a text item in the safety margin and a days file that cannot be read.
    picture->item.PictureFile.setText(path("gone.png"));
    for (ExportEntry& e : job.entries)
        if (e.drawn && e.item.Category != CategoryPicture) {
            e.box.moveLeft(5); // 1.3 mm from the trim
            break;
        }
    job.ownDaysProblems << QStringLiteral("days.csv: 3行目の日付を読めません");
    EXPECT_EQ(kinds(cmyk), (std::vector<K>{K::SafetyMargin, K::MissingPicture, K::DaysFile}));
}

TEST_F(PrintShop, TheSafetyMarginWarningLooksAtTheTextsThePagesDraw) {
    PrintShopOptions cmyk;
    cmyk.pdfx = true;
    auto margins = [&](const PageJob& job, std::chrono::year_month from,
                       std::chrono::year_month to) {
        std::vector<PreflightWarning> found;
        for (const PreflightWarning& w : preflight(job, monthRange(from, to), cmyk))
            if (w.kind == PreflightWarning::Kind::SafetyMargin)
                found.push_back(w);
        return found;
    };
    const auto april = year(2027) / 4;
    const auto march = year(2028) / 3;
    // The last row is filled down to the paper's bottom edge, but the day numbers sit at the top
    // of their cells: June to September have nothing to warn of.
    PageJob bottom = monthBoxPage(QRectF(48, 496, 704, 504));
    LayoutItem& box = bottom.entries[0].item;
    for (const int element : {Rokuyo, Eto, OldCalendar, SolarTerm, Holiday})
        box.element(element).Shown = kFalse;
    EXPECT_EQ(margins(bottom, year(2027) / 6, year(2027) / 9).size(), 0u);
    // Months with a sixth week share their last cells, whose second numbers (30, 31) sit at the
    // bottom, in the margin: the warning names just those pages (weeks from Sunday).
    std::vector<PreflightWarning> found = margins(bottom, april, march);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].pages, QStringLiteral("2027-05、2027-10、2028-01"));
    EXPECT_EQ(found[0].item, 1);
    EXPECT_TRUE(found[0].problem.contains(QStringLiteral("「30」")))
        << found[0].text().toStdString();
    EXPECT_TRUE(found[0].problem.contains(QStringLiteral("3 mm")));
    EXPECT_TRUE(
        found[0].text().startsWith(QStringLiteral("2027-05、2027-10、2028-01 アイテム1: ")));
    EXPECT_FALSE(found[0].action.isEmpty());

    // The rokuyo under the numbers reach into the margin on every page.
    box.element(Rokuyo).Shown = kTrue;
    found = margins(bottom, april, march);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].pages, QStringLiteral("2027-04〜2028-03"));

    // Six rows lower still: the sixth week falls off the paper and its bleed, so it is not
    // printed and not warned of; with a bleed of 10 mm it prints there and is cut off.
    PageJob six = monthBoxPage(QRectF(48, 540, 704, 504));
    six.entries[0].item.LayoutVariant = VariantBox6;
    for (const int element : {Rokuyo, Eto, OldCalendar, SolarTerm, Holiday})
        six.entries[0].item.element(element).Shown = kFalse;
    EXPECT_EQ(margins(six, april, march).size(), 0u);
    cmyk.bleedMm = 10;
    EXPECT_EQ(margins(six, april, march).size(), 1u);
}

TEST_F(PrintShop, PdfxNeedsGhostscriptAndWritesNothingWithoutIt) {
    const PageJob job = pictureCalendar();
    QFile kept(path("kept.pdf"));
    ASSERT_TRUE(kept.open(QIODevice::WriteOnly));
    kept.write("old");
    kept.close();
    PrintShopOptions shop;
    shop.bleedMm = 3;
    shop.pdfx = true;
    shop.ghostscript = dir.filePath(QStringLiteral("no-such-gs"));
    const PrintShopResult r =
        exportPrintShopPdf(job, monthRange(year(2027) / 4, year(2027) / 4), path("kept.pdf"), shop);
    EXPECT_FALSE(r.pages.ok);
    EXPECT_TRUE(r.pages.error.contains(QStringLiteral("Ghostscript")));
    EXPECT_EQ(bytesOf(path("kept.pdf")), QByteArray("old"));
}

TEST_F(PrintShop, TheCheckFindsWhatAPlainQtPdfLacks) {
    const PageJob job = pictureCalendar();
    ASSERT_TRUE(exportPdf(job, monthRange(year(2027) / 4, year(2027) / 4), path("rgb.pdf")).ok);
    const QString problems = pdfxProblems(bytesOf(path("rgb.pdf"))).join(QLatin1Char('\n'));
    EXPECT_TRUE(problems.contains(QStringLiteral("出力インテント")));
    EXPECT_TRUE(problems.contains(QStringLiteral("TrimBox")));
    EXPECT_TRUE(problems.contains(QStringLiteral("RGB")));
    EXPECT_FALSE(problems.contains(QStringLiteral("フォント"))); // Qt embeds its fonts
    EXPECT_FALSE(pdfxProblems(QByteArray("not a pdf")).isEmpty());
}

TEST_F(PrintShop, PdfxThreeInCmykPassesItsCheckAndKeepsTheBoxes) {
    if (findGhostscript(QStringLiteral("gs")).isEmpty())
        GTEST_SKIP() << "Ghostscript (gs) is not installed: scripts/build.sh installs the "
                        "ghostscript package, without which PDF/X cannot be made";
    const PageJob job = pictureCalendar();
    PrintShopOptions shop;
    shop.bleedMm = 3;
    shop.marks = true;
    shop.pdfx = true;
    const PrintShopResult r =
        exportPrintShopPdf(job, monthRange(year(2027) / 4, year(2027) / 6), path("x.pdf"), shop);
    ASSERT_TRUE(r.pages.ok) << r.pages.error.toStdString();
    EXPECT_EQ(r.notes.size(), 1); // Ghostscript's own profile was taken, and it says so
    const QByteArray bytes = bytesOf(path("x.pdf"));
    EXPECT_EQ(pdfxProblems(bytes), QStringList());
    const auto pages = readPageBoxes(bytes);
    ASSERT_EQ(pages.size(), 3u);
    for (const PdfPageBoxes& b : pages) {
        EXPECT_NEAR(b.trim.width(), 210 * kPt, 0.1 * kPt);
        EXPECT_NEAR(b.bleed.width(), 216 * kPt, 0.1 * kPt);
        EXPECT_GE(b.media.width(), 236 * kPt - 0.5);
    }
    if (havePoppler()) {
        const QImage page = raster(path("x.pdf"), 30);
        EXPECT_FALSE(page.isNull()); // poppler opens it
    }

    // A profile that is not there: nothing is written.
    shop.profile = path("missing.icc");
    const PrintShopResult missing =
        exportPrintShopPdf(job, monthRange(year(2027) / 4, year(2027) / 4), path("y.pdf"), shop);
    EXPECT_FALSE(missing.pages.ok);
    EXPECT_FALSE(QFileInfo::exists(path("y.pdf")));
}

} // namespace
} // namespace tobirae
