// The drawn page against the geometry: the grid lines of a month box land on the pixels its
// geometry names, on the screen scale and on the 300 dpi page scale.
#include "bitmap/Primitives.h"
#include "monthbox_support.h"
#include "render/MonthBoxGeometry.h"
#include "render/RenderFrame.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

bool isInk(const QImage& image, int x, int y) {
    return (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
}

class MonthBoxPixels : public ::testing::TestWithParam<int> {};

TEST_P(MonthBoxPixels, GridLinesWhereTheGeometryPutsThem) {
    const int dpi = GetParam();
    RenderContext ctx;
    ASSERT_TRUE(setPageDpi(ctx, dpi));
    ASSERT_TRUE(createPageBitmap(ctx, 794, 1123, -1));
    fillSurface(ctx, nullptr, ClipSize, 0x00FFFFFF, BrushSolid, 0, false);
    const LayoutItem item = test::newBoxItem();
    DateRange range = pageDateRange(2027, 1);
    ASSERT_TRUE(drawLayoutItem(ctx, item, nullptr, range, DrawSurface{}, 0, 0));

    const auto geometry = computeMonthBoxGeometry(ctx, test::pageArgs(item, 2027, 1), 5);
    ASSERT_TRUE(geometry.has_value());
    const BoxFrame box = geometry->frame();
    const float s = currentPageScale(ctx).x;
    const int originX = scalePointEven(item.Left, s);
    const int originY = scalePointEven(item.Top, s);
    auto px = [&](float x) { return originX + scalePoint(x, s); };
    auto py = [&](float y) { return originY + scalePoint(y, s); };
    const QImage& page = *ctx.pageBitmap->image();
    const int clear = dpi > 96 ? 6 : 3; // beyond the line's width

    for (int c = 1; c <= 6; ++c) {
        const int x = px(static_cast<float>(box.columnX(c)));
        // Low in a row, where cells have no text.
        const int y = py(box.rowY(2) + 0.85f * static_cast<float>(box.rowY(3) - box.rowY(2)));
        EXPECT_TRUE(isInk(page, x, y)) << "column edge " << c << " at x " << x;
        EXPECT_FALSE(isInk(page, x - clear, y)) << "left of column edge " << c;
        EXPECT_FALSE(isInk(page, x + clear, y)) << "right of column edge " << c;
    }
    for (int r = 1; r <= 4; ++r) {
        const int y = py(static_cast<float>(box.rowY(r)));
        // Towards the right of a cell, where no text reaches.
        const int x =
            px(box.columnX(3) + 0.95f * static_cast<float>(box.columnX(4) - box.columnX(3)));
        EXPECT_TRUE(isInk(page, x, y)) << "row edge " << r << " at y " << y;
        EXPECT_FALSE(isInk(page, x, y - clear)) << "above row edge " << r;
        EXPECT_FALSE(isInk(page, x, y + clear)) << "below row edge " << r;
    }
}

INSTANTIATE_TEST_SUITE_P(ScreenAndPrint, MonthBoxPixels, ::testing::Values(96, 300));

} // namespace
} // namespace tobirae
