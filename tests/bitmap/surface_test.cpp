#include "bitmap/Primitives.h"
#include "bitmap/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

TEST(Rounding, HalfUpAndHalfEvenDiffer) {
    struct Case {
        float value, scale;
        int halfUp, halfEven;
    };
    const Case cases[] = {
        {2.5f, 1, 3, 2},    {3.5f, 1, 4, 4}, {0.5f, 1, 1, 0}, {-0.5f, 1, 0, 0},
        {-1.5f, 1, -1, -2}, {1.5f, 5, 8, 8}, {0.5f, 5, 3, 2}, {100, 0.75f, 75, 75},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scalePoint(c.value, c.scale), c.halfUp) << c.value << " x " << c.scale;
        EXPECT_EQ(scalePointEven(c.value, c.scale), c.halfEven) << c.value << " x " << c.scale;
    }
}

TEST(PageBitmapSize, WidthStepsToTheMultipleOfFourBelow) {
    struct Case {
        float width, height, scale;
        int pixelWidth, pixelHeight;
    };
    const Case cases[] = {
        {2480, 3508, 1, 2476, 3508},
        {2483, 100, 1, 2476, 100},
        {2484, 100, 1, 2480, 100},
        {2482.5f, 100, 1, 2476, 100},         // 2482 after rounding half to even
        {794, 1123, 300.0f / 96, 2476, 3509}, // A4 portrait at 300 dpi
        {794, 1123, 1, 788, 1123},
    };
    for (const Case& c : cases) {
        const QSize size = pageBitmapSize(c.width, c.height, c.scale, c.scale);
        EXPECT_EQ(size, QSize(c.pixelWidth, c.pixelHeight)) << c.width << " x " << c.scale;
    }
}

TEST(PageBitmapSize, CreateRecordsClipSizeAndRefusesASecondBitmap) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    ASSERT_TRUE(setPageDpi(ctx, 300));
    EXPECT_FLOAT_EQ(currentPageScale(ctx).x, 3.125f);
    ASSERT_TRUE(createPageBitmap(ctx, 794, 1123, -1));
    EXPECT_EQ(ctx.pageBitmap->width(), 2476);
    EXPECT_EQ(ctx.pageBitmap->height(), 3509);
    EXPECT_EQ(ctx.clipWidth, 2476);
    EXPECT_EQ(ctx.clipHeight, 3509);
    EXPECT_EQ(ctx.pageBitDepth, 32);
    Canvas* first = ctx.pageBitmap.get();
    EXPECT_FALSE(createPageBitmap(ctx, 100, 100, -1));
    EXPECT_EQ(ctx.pageBitmap.get(), first);
    releasePageBitmap(ctx);
    EXPECT_EQ(ctx.pageBitmap, nullptr);
}

TEST(ItemSurfaceSize, WidthUpToMultipleOfFourHeightPlusOne) {
    struct Case {
        float width, height, scale;
        int pixelWidth, pixelHeight;
    };
    const Case cases[] = {
        {101, 50, 1, 104, 51},
        {100, 50, 1, 100, 51},
        {101, 50, 3.125f, 316, 157}, // 315.6 -> 316; 156.25 -> 156 + 1
        {0.4f, 0.4f, 1, 0, 1},
    };
    for (const Case& c : cases) {
        RenderContext ctx;
        setPageScale(ctx, c.scale);
        EXPECT_EQ(itemSurfaceSize(ctx, c.width, c.height), QSize(c.pixelWidth, c.pixelHeight))
            << c.width << " x " << c.height << " at " << c.scale;
    }
}

TEST(ItemSurface, SecondCreateFailsAndKeepsTheFirst) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    Canvas* surface = createItemSurface(ctx, 101, 50, -1);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(surface->width(), 104);
    EXPECT_EQ(surface->height(), 51);
    EXPECT_EQ(createItemSurface(ctx, 10, 10, -1), nullptr);
    EXPECT_EQ(ctx.itemSurface.get(), surface);
    EXPECT_EQ(ctx.itemSurfaceWidth, 104);
    releaseItemSurface(ctx);
    EXPECT_NE(createItemSurface(ctx, 10, 10, -1), nullptr);
}

TEST(ItemSurface, AWindowKeepsOnlyItsPartInMemory) {
    RenderContext ctx;
    setPageScale(ctx, 3.125f);
    // 10000 layout pixels a side would be about 3.9 GB of pixels; the window is 200 x 100.
    Canvas* surface = createItemSurface(ctx, 10000, 10000, -1, QRect(500, 7000, 200, 100));
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(QSize(surface->width(), surface->height()), QSize(200, 100));
    EXPECT_EQ(surface->origin(), QPoint(500, 7000));
    EXPECT_EQ(ctx.itemSurfaceWidth, 31252);
    EXPECT_EQ(ctx.itemSurfaceHeight, 31251);
    releaseItemSurface(ctx);
    // A window off the surface keeps one pixel; sizes beyond the int range stop at its end.
    surface = createItemSurface(ctx, 1e10f, 1e10f, -1, QRect(-50, -50, 10, 10));
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(QSize(surface->width(), surface->height()), QSize(1, 1));
    EXPECT_GT(ctx.itemSurfaceHeight, 0);
}

TEST(FixedPalette, SystemColoursAtTheirEntries) {
    const auto one = fixedPalette(1);
    ASSERT_EQ(one.size(), 8u);
    EXPECT_EQ(std::vector<std::uint8_t>(one.begin() + 4, one.end()),
              (std::vector<std::uint8_t>{255, 255, 255, 0}));
    const auto four = fixedPalette(4);
    ASSERT_EQ(four.size(), 64u);
    auto entry = [](const std::vector<std::uint8_t>& t, int i) {
        return std::vector<std::uint8_t>(t.begin() + 4 * i, t.begin() + 4 * i + 4);
    };
    EXPECT_EQ(entry(four, 7), (std::vector<std::uint8_t>{128, 128, 128, 0}));
    EXPECT_EQ(entry(four, 8), (std::vector<std::uint8_t>{192, 192, 192, 0}));
    EXPECT_EQ(entry(four, 9), (std::vector<std::uint8_t>{0, 0, 255, 0}));  // red
    EXPECT_EQ(entry(four, 12), (std::vector<std::uint8_t>{255, 0, 0, 0})); // blue
    const auto eight = fixedPalette(8);
    ASSERT_EQ(eight.size(), 1024u);
    EXPECT_EQ(entry(eight, 8), (std::vector<std::uint8_t>{192, 220, 192, 0}));
    EXPECT_EQ(entry(eight, 9), (std::vector<std::uint8_t>{240, 202, 166, 0}));
    EXPECT_EQ(entry(eight, 248), (std::vector<std::uint8_t>{128, 128, 128, 0}));
    EXPECT_TRUE(fixedPalette(32).empty());
}

} // namespace
} // namespace tobirae
