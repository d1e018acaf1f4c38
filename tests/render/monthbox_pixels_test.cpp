// A month box rendered into real pixels on both targets has its lines where its geometry says:
// the screen at scale 1 and a 300 dpi page.
#include "monthbox_support.h"
#include "render/MonthBoxGeometry.h"
#include "render/RenderFrame.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

constexpr Colour kRed = 0x0000FF;  // inner vertical grid lines
constexpr Colour kBlue = 0xFF0000; // inner row lines

LayoutItem pixelItem() {
    LayoutItem item = test::newBoxItem();
    ruleBlock(item).setRuleColor(RuleInnerGrid, kRed);
    ruleBlock(item).setRuleColor(RuleInnerRows, kBlue);
    return item;
}

QRgb rgb(Colour c) {
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Checks the grid of a box drawn into image at (left, top) device pixels with scale s.
void expectGrid(const QImage& image, const BoxFrame& box, int left, int top, float s) {
    const QRgb white = qRgb(255, 255, 255);
    auto px = [&](float x) { return left + scalePoint(x, s); };
    auto py = [&](float y) { return top + scalePoint(y, s); };
    auto pixel = [&](int x, int y) { return image.pixel(x, y) & 0xFFFFFF; };
    // June 2022 needs five weeks: no shared cells, no diagonals.
    for (int r = 0; r < 5; ++r) {
        // Inner vertical lines, halfway down each row where no text reaches the edges.
        const int y = py(static_cast<float>(box.rowY(r)) + 50);
        for (int c = 1; c <= 6; ++c) {
            const int x = px(static_cast<float>(box.columnX(c)));
            EXPECT_EQ(pixel(x, y), rgb(kRed) & 0xFFFFFF) << "column " << c << " row " << r;
            EXPECT_EQ(pixel(x - 2, y), white & 0xFFFFFF) << c << " " << r;
            EXPECT_EQ(pixel(x + 2, y), white & 0xFFFFFF) << c << " " << r;
        }
        // Outer edges.
        EXPECT_EQ(pixel(px(static_cast<float>(box.columnX(0))), y), 0u) << r;
        EXPECT_EQ(pixel(px(static_cast<float>(box.columnX(7))), y), 0u) << r;
    }
    for (int r = 1; r < 5; ++r) {
        const int y = py(static_cast<float>(box.rowY(r)));
        for (int c = 0; c < 7; ++c) {
            const int x = px(static_cast<float>(box.columnX(c)) + 50);
            EXPECT_EQ(pixel(x, y), rgb(kBlue) & 0xFFFFFF) << "row line " << r << " column " << c;
            EXPECT_EQ(pixel(x, y - 2), white & 0xFFFFFF) << r << " " << c;
            EXPECT_EQ(pixel(x, y + 2), white & 0xFFFFFF) << r << " " << c;
        }
    }
    // Top line, line under the weekday header and bottom line, black.
    for (float y : {1.0f, static_cast<float>(box.headerBottom()), box.height})
        EXPECT_EQ(pixel(px(350), py(y)), 0u) << y;
}

TEST(MonthBoxLinesInPixels, ScreenAtScaleOne) {
    RenderContext ctx;
    const LayoutItem item = pixelItem();
    test::ImagePreview view({704, 554});
    const auto g = computeMonthBoxGeometry(ctx, test::pageArgs(item, 2022, 6), 5);
    ASSERT_TRUE(g.has_value());
    DateRange range = pageDateRange(2022, 6);
    ASSERT_TRUE(drawLayoutItem(ctx, item, &view, range, DrawSurface{}, 0, 0));
    expectGrid(view.image(), g->frame(), 0, 0, 1);
}

// The week numbers take a column of their own left of the grid: the grid's lines move with it
// and the numbers are drawn inside the column, nowhere across the day cells' edge.
TEST(MonthBoxLinesInPixels, WeekNumberColumnLeftOfTheGrid) {
    RenderContext ctx;
    LayoutItem item = pixelItem();
    item.Ext.weekNumbers = WeekNumberColumn::Iso;
    test::ImagePreview view({704, 554});
    const auto g = computeMonthBoxGeometry(ctx, test::pageArgs(item, 2022, 6), 5);
    ASSERT_TRUE(g.has_value());
    const BoxFrame box = g->frame();
    ASSERT_GT(box.columnX(0), 10);
    EXPECT_EQ(box.columnX(7), 700);
    DateRange range = pageDateRange(2022, 6);
    ASSERT_TRUE(drawLayoutItem(ctx, item, &view, range, DrawSurface{}, 0, 0));
    const QImage& image = view.image();
    expectGrid(image, box, 0, 0, 1);
    // June 2022 holds ISO weeks 22..26, one per row: ink in the column of every row.
    for (int r = 0; r < 5; ++r) {
        int ink = 0;
        for (int y = box.rowY(r) + 2; y < box.rowY(r + 1) - 2; ++y)
            for (int x = 1; x < box.columnX(0) - 1; ++x)
                ink += qGray(image.pixel(x, y)) < 128;
        EXPECT_GT(ink, 10) << "row " << r;
    }
}

TEST(MonthBoxLinesInPixels, PageAt300Dpi) {
    RenderContext ctx;
    ASSERT_TRUE(setPageDpi(ctx, 300));
    ASSERT_TRUE(createPageBitmap(ctx, 794, 1123, -1));
    ASSERT_TRUE(fillSurface(ctx, nullptr, ClipSize, 0xFFFFFF, BrushSolid, 0, false));
    LayoutItem item = pixelItem();
    // Export hands the renderer the whole view, 4 pixels larger than the content.
    item.Width += 4;
    item.Height += 4;
    const auto g = computeMonthBoxGeometry(ctx, test::pageArgs(item, 2022, 6), 5);
    ASSERT_TRUE(g.has_value());
    DateRange range = pageDateRange(2022, 6);
    ASSERT_TRUE(drawLayoutItem(ctx, item, nullptr, range, DrawSurface{}, 0, 0));
    const QImage* page = ctx.pageBitmap->image();
    ASSERT_NE(page, nullptr);
    const float s = 300.0f / 96.0f;
    expectGrid(*page, g->frame(), scalePointEven(10, s), scalePointEven(20, s), s);
}

} // namespace
} // namespace tobirae
