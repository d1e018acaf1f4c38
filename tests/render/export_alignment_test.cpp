#include "bitmap/ImageCanvas.h"
#include "bitmap/Primitives.h"
#include "render/NewItemDefaults.h"
#include "render/PageExport.h"

#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

ExportEntry entry(float left, float top, float width, float height, bool vLocked = false,
                  bool hLocked = false, bool drawn = true) {
    ExportEntry e;
    e.drawn = drawn;
    e.box = QRectF(left, top, width, height);
    e.item.VCenterLocked = toB16(vLocked);
    e.item.HCenterLocked = toB16(hLocked);
    return e;
}

TEST(Alignment, SharedBottomEndsWhereTheLowestMemberEnds) {
    // Two month displays ending at the same canvas bottom; the second draws taller on the page.
    const std::vector<ExportEntry> entries{entry(0, 100, 50, 40), entry(200, 80, 50, 60)};
    const auto offsets = alignmentOffsets(entries, {{150, 400}, {750, 437}});
    EXPECT_EQ(offsets[0], QPoint(0, 37)); // the smaller one moves down
    EXPECT_EQ(offsets[1], QPoint(0, 0));
}

TEST(Alignment, ALockedMemberDictatesTheLine) {
    const std::vector<ExportEntry> entries{entry(0, 100, 50, 40, true), entry(200, 80, 50, 60)};
    const auto offsets = alignmentOffsets(entries, {{150, 400}, {750, 437}});
    EXPECT_EQ(offsets[0], QPoint(0, 0));
    EXPECT_EQ(offsets[1], QPoint(0, -37)); // the larger one moves up
}

TEST(Alignment, EdgesAFractionApartAreNotGrouped) {
    const std::vector<ExportEntry> entries{entry(0, 100, 50, 40), entry(200, 80.25f, 50, 60)};
    const auto offsets = alignmentOffsets(entries, {{150, 400}, {750, 437}});
    EXPECT_EQ(offsets[0], QPoint(0, 0));
    EXPECT_EQ(offsets[1], QPoint(0, 0));
}

TEST(Alignment, EntriesNotDrawnTakeNoPart) {
    const std::vector<ExportEntry> entries{
        entry(0, 100, 50, 40), entry(200, 80, 50, 60, false, false, false), entry(400, 90, 50, 50)};
    const auto offsets = alignmentOffsets(entries, {{150, 400}, {0, 900}, {1400, 410}});
    EXPECT_EQ(offsets[0], QPoint(0, 10));
    EXPECT_EQ(offsets[1], QPoint(0, 0));
    EXPECT_EQ(offsets[2], QPoint(0, 0));
}

TEST(Alignment, RightEdgesWithHorizontalLocks) {
    // Same right edge 300 on the canvas, different drawn widths.
    const std::vector<ExportEntry> entries{entry(100, 0, 200, 40), entry(250, 100, 50, 40),
                                           entry(0, 200, 300, 10, false, true)};
    auto offsets = alignmentOffsets(entries, {{900, 10}, {960, 400}, {930, 700}});
    // The locked third member is the reference: everyone lines up on its right end.
    EXPECT_EQ(offsets[0].x(), 30);
    EXPECT_EQ(offsets[1].x(), -30);
    EXPECT_EQ(offsets[2].x(), 0);
    EXPECT_EQ(offsets[0].y(), 0);
}

TEST(Alignment, ReferenceComesFromThePairsWithTheFirstMember) {
    // First and second locked, third not: the pair (first, third) hands the reference back to
    // the first member.
    const std::vector<ExportEntry> entries{entry(0, 0, 10, 100, true), entry(20, 50, 10, 50, true),
                                           entry(40, 90, 10, 10)};
    const auto offsets = alignmentOffsets(entries, {{10, 300}, {10, 320}, {10, 340}});
    EXPECT_EQ(offsets[0].y(), 0);
    EXPECT_EQ(offsets[1].y(), -20);
    EXPECT_EQ(offsets[2].y(), -40);

    // Only a later member locked: it is the reference.
    const std::vector<ExportEntry> later{entry(0, 0, 10, 100), entry(20, 50, 10, 50, true),
                                         entry(40, 90, 10, 10)};
    const auto laterOffsets = alignmentOffsets(later, {{10, 300}, {10, 320}, {10, 340}});
    EXPECT_EQ(laterOffsets[0].y(), 20);
    EXPECT_EQ(laterOffsets[2].y(), -20);
}

TEST(Alignment, OffsetsRoundHalfToEven) {
    const std::vector<ExportEntry> entries{entry(0, 0, 10, 100), entry(20, 50, 10, 50),
                                           entry(40, 60, 10, 40)};
    const auto offsets = alignmentOffsets(entries, {{0, 100.5f}, {0, 103}, {0, 99.5f}});
    EXPECT_EQ(offsets[0].y(), 2); // 2.5
    EXPECT_EQ(offsets[1].y(), 0);
    EXPECT_EQ(offsets[2].y(), 4); // 3.5
}

// The lowest row of red ink in the columns [left, right) of the page.
int lowestRedRow(const QImage& page, int left, int right) {
    for (int y = page.height() - 1; y >= 0; --y)
        for (int x = left; x < right; ++x) {
            const QRgb p = page.pixel(x, y);
            if (qRed(p) > 160 && qGreen(p) < 100)
                return y;
        }
    return -1;
}

// Page pixels between the lowest ink of a month display's "1" and the bottom of its text cell,
// the text drawn alone at the resolution.
int inkDescentAt(const FontSpec& font, int dpi) {
    RenderContext ctx;
    setPageDpi(ctx, dpi);
    selectFont(ctx, font);
    const float scale = currentPageScale(ctx).y;
    const QString text = QStringLiteral("1");
    const TextExtent cell = measureScaledText(ctx, nullptr, scale, text);
    ImageCanvas canvas(cell.width + 10, cell.height + 10);
    drawScaledText(ctx, DrawSurface{&canvas, scale, scale}, 1, text, 0, 0, 0x0000FF, true);
    return cell.height - 1 - lowestRedRow(*canvas.image(), 0, canvas.width());
}

// Headings end where their text ends, not where their item ends: two month displays of 20 and
// 10 points in items sharing a bottom edge end their texts on one line of the page, measured in
// the fonts the page draws, at every resolution.
TEST(Alignment, HeadingsSharingABottomEdgeEndTheirTextsTogether) {
    for (const int dpi : {96, 300, 600}) {
        PageJob job;
        job.canvas = QSize(400, 300);
        job.dpi = dpi;
        const struct {
            float left, top;
            int points;
        } headings[] = {{20, 100, 20}, {200, 130, 10}};
        for (const auto& h : headings) {
            ExportEntry e;
            applyNewItemDefaults(CategoryMonthDisplay, 0, e.item, 210, 297);
            e.item.Live = kTrue;
            e.item.Left = h.left;
            e.item.Top = h.top;
            e.item.Width = 150;
            e.item.Height = 160 - h.top;
            e.item.FitToRect = kFalse;
            e.item.element(Month1).Font.Size = h.points;
            e.item.element(Month1).Font.ForeColor.setText(QStringLiteral("255"));
            e.item.element(Month1).Style = 0; // the month as a number
            e.drawn = true;
            e.box = QRectF(e.item.Left, e.item.Top, e.item.Width, e.item.Height);
            job.entries.push_back(e);
        }
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("page.bmp"));
        ASSERT_TRUE(exportPage(job, 2027, 1, file).ok);
        const QImage page(file);
        ASSERT_FALSE(page.isNull());
        const float scale = dpi / 96.0f;
        const int big =
            lowestRedRow(page, static_cast<int>(20 * scale), static_cast<int>(170 * scale));
        const int small =
            lowestRedRow(page, static_cast<int>(200 * scale), static_cast<int>(350 * scale));
        ASSERT_GT(big, 0);
        ASSERT_GT(small, 0);
        // The text cells end on one line; below the digits the two sizes leave different room.
        const int descents = inkDescentAt(job.entries[0].item.element(Month1).Font, dpi) -
                             inkDescentAt(job.entries[1].item.element(Month1).Font, dpi);
        EXPECT_LE(std::abs(small - big - descents), 1)
            << dpi << " dpi: " << big << " / " << small << ", descents " << descents;
    }
}

} // namespace
} // namespace tobirae
