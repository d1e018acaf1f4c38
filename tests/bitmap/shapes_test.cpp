#include "bitmap/ImageCanvas.h"
#include "bitmap/Primitives.h"
#include "bitmap/RecordingCanvas.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;

QRgb at(const ImageCanvas& canvas, int x, int y) {
    return canvas.image()->pixel(x, y) & 0xFFFFFF;
}

TEST(Lines, EndPointIsNotPaintedAndCoordinatesRoundHalfUp) {
    RenderContext ctx;
    ImageCanvas canvas(20, 20);
    ASSERT_TRUE(
        Fnc_DrawLine(ctx, DrawSurface{&canvas, 1, 1}, 2, 5, 9.5f, 5, kRed, 1, PenSolid, true));
    for (int x = 2; x < 10; ++x)
        EXPECT_EQ(at(canvas, x, 5), 0xFF0000u) << x; // Qt red
    EXPECT_EQ(at(canvas, 10, 5), 0xFFFFFFu);         // 9.5 rounds to 10, the end point
    EXPECT_EQ(at(canvas, 1, 5), 0xFFFFFFu);
    EXPECT_EQ(at(canvas, 5, 4), 0xFFFFFFu);
    EXPECT_EQ(at(canvas, 5, 6), 0xFFFFFFu);

    // A diagonal leaves out its last pixel as well.
    ImageCanvas diagonal(20, 20);
    Fnc_DrawLineRaw(ctx, &diagonal, 0, 0, 5, 5, kBlue, 1, PenSolid, true);
    EXPECT_EQ(at(diagonal, 4, 4), 0x0000FFu);
    EXPECT_EQ(at(diagonal, 5, 5), 0xFFFFFFu);
}

TEST(Lines, DashedLinesLeaveGapsThatAnOpaqueBackgroundPaints) {
    RenderContext ctx;
    ImageCanvas canvas(40, 4);
    canvas.mutableImage().fill(Qt::black);
    Fnc_DrawLineRaw(ctx, &canvas, 0, 1, 40, 1, kRed, 1, PenDash, true);
    Fnc_DrawLineRaw(ctx, &canvas, 0, 2, 40, 2, kRed, 1, PenDash, false);
    EXPECT_EQ(at(canvas, 0, 1), 0xFF0000u);
    EXPECT_EQ(at(canvas, 20, 1), 0x000000u); // a gap shows what was there
    EXPECT_EQ(at(canvas, 20, 2), 0xFFFFFFu); // an opaque gap is the background colour
    EXPECT_EQ(at(canvas, 30, 1), 0xFF0000u);
}

TEST(Rects, CoverLeftToRightMinusOneAndTopToBottomMinusOne) {
    RenderContext ctx;
    Fnc_SetClipSize(ctx, 20, 20);
    ImageCanvas canvas(20, 20);
    Fnc_FillRect(ctx, DrawSurface{&canvas, 1, 1}, 3, 4, 8, 10, kBlue, BrushSolid, 0, false);
    EXPECT_EQ(at(canvas, 3, 4), 0x0000FFu);
    EXPECT_EQ(at(canvas, 7, 9), 0x0000FFu);
    EXPECT_EQ(at(canvas, 8, 9), 0xFFFFFFu);
    EXPECT_EQ(at(canvas, 7, 10), 0xFFFFFFu);
    EXPECT_EQ(at(canvas, 2, 4), 0xFFFFFFu);
    EXPECT_EQ(at(canvas, 3, 3), 0xFFFFFFu);
}

TEST(Rects, HollowBrushDrawsOnlyTheEdges) {
    RenderContext ctx;
    Fnc_SetClipSize(ctx, 20, 20);
    ImageCanvas canvas(20, 20);
    Fnc_FillRect(ctx, DrawSurface{&canvas, 1, 1}, 2, 2, 10, 10, kRed, BrushNull, 0, true);
    EXPECT_EQ(at(canvas, 2, 2), 0xFF0000u);
    EXPECT_EQ(at(canvas, 9, 9), 0xFFFFFFu); // only the solid brush paints the last corner
    EXPECT_EQ(at(canvas, 9, 5), 0xFF0000u);
    EXPECT_EQ(at(canvas, 5, 9), 0xFF0000u);
    EXPECT_EQ(at(canvas, 5, 5), 0xFFFFFFu);
}

TEST(Rects, ClampedToTheClipOrItemSurfaceSize) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    Fnc_SetClipSize(ctx, 100, 50);
    RecordingCanvas canvas(400, 400);
    const DrawSurface surface{&canvas, 2, 2};
    Fnc_FillRect(ctx, surface, 40, 10, 90, 40, kRed, BrushSolid, 0, false);
    ASSERT_EQ(canvas.rects().size(), 1u);
    const DrawCall rect = canvas.rects().front();
    EXPECT_EQ(rect.x1, 80);
    EXPECT_EQ(rect.y1, 20);
    EXPECT_EQ(rect.x2, 100); // 180 clamped to the clip width
    EXPECT_EQ(rect.y2, 50);  // 80 clamped to the clip height
    // The edges follow the clamped rectangle.
    const auto lines = canvas.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].x1, 99);
    EXPECT_EQ(lines[1].y2, 49);

    canvas.clearCalls();
    ASSERT_NE(Fnc_CreateItemSurface(ctx, 30, 30, -1), nullptr); // 60 x 61 at scale 2
    Fnc_SetPageScale(ctx, 2);
    Fnc_FillRectItem(ctx, surface, 0, 0, 1000, 1000, kRed, BrushSolid, 0, false);
    ASSERT_EQ(canvas.rects().size(), 1u);
    EXPECT_EQ(canvas.rects().front().x2, ctx.itemSurfaceWidth);
    EXPECT_EQ(canvas.rects().front().y2, ctx.itemSurfaceHeight);
}

TEST(Rects, EmptyAfterClampingDrawsNothing) {
    RenderContext ctx;
    Fnc_SetClipSize(ctx, 10, 10);
    RecordingCanvas canvas(20, 20);
    Fnc_FillRect(ctx, DrawSurface{&canvas, 1, 1}, 12, 0, 15, 5, kRed, BrushSolid, 0, false);
    EXPECT_TRUE(canvas.calls().empty());
}

TEST(Blit, PositionHalfEvenSizePlusOneClippedAndTransparentColourLeftOut) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    Fnc_SetPageDpi(ctx, 144);                             // scale 1.5
    ASSERT_TRUE(Fnc_CreatePageBitmap(ctx, 100, 100, -1)); // 150 -> 144 wide, 150 high
    RecordingCanvas source(40, 40);
    source.drawLine(1, 2, 3, 4, kRed, 1, PenSolid, true);
    // x 5 x 1.5 = 7.5 -> 8 (even), y 3 x 1.5 = 4.5 -> 4 (even); width Fix(30.5) + 1 = 31.
    ASSERT_TRUE(Fnc_Blit(ctx, DrawSurface{}, 5, 3, 20, 20, &source, 0, 0, kBlue, true, 2, 1));
    RecordingCanvas* page = recordedPage(ctx);
    ASSERT_NE(page, nullptr);
    const auto blits = page->callsOf(DrawCall::Blit);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].x1, 10);
    EXPECT_EQ(blits[0].y1, 5);
    EXPECT_EQ(blits[0].x2, 31);
    EXPECT_EQ(blits[0].y2, 31);
    EXPECT_EQ(blits[0].transparentColour, kBlue);
    // The source's drawing is carried onto the page at the blit position.
    const auto lines = page->lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x1, 11);
    EXPECT_EQ(lines[0].y1, 7);
    EXPECT_TRUE(lines[0].copied);

    page->clearCalls();
    Fnc_Blit(ctx, DrawSurface{}, 90, 0, 20, 20, &source, 0, 0, 0, false, 0, 0);
    const auto clipped = page->callsOf(DrawCall::Blit);
    ASSERT_EQ(clipped.size(), 1u);
    EXPECT_EQ(clipped[0].x2, 144 - 135); // clip width - X
    EXPECT_FALSE(clipped[0].transparentColour.has_value());
}

TEST(Blit, ImagePixelsSkipTheTransparentColour) {
    ImageCanvas target(10, 10, 0x000000);
    ImageCanvas source(4, 4, kBlue);
    QImage& src = source.mutableImage();
    src.setPixel(1, 1, qRgb(255, 0, 0));
    ASSERT_TRUE(target.blit(2, 2, 4, 4, source, 0, 0, kBlue));
    EXPECT_EQ(at(target, 3, 3), 0xFF0000u);
    EXPECT_EQ(at(target, 2, 2), 0x000000u);
    ASSERT_TRUE(target.blit(2, 2, 4, 4, source, 0, 0, std::nullopt));
    EXPECT_EQ(at(target, 2, 2), 0x0000FFu);
    // Copies hanging over any edge are clipped, not refused.
    EXPECT_TRUE(target.blit(8, -2, 4, 4, source, 0, 0, std::nullopt));
    EXPECT_EQ(at(target, 9, 0), 0x0000FFu);
}

TEST(FillSurface, CoversTheWholeSurfaceOfTheChosenSize) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    Canvas* surface = Fnc_CreateItemSurface(ctx, 101, 50, -1);
    ASSERT_NE(surface, nullptr);
    Fnc_FillSurface(ctx, surface, ItemSurfaceSize, kRed, BrushSolid, 0, false);
    const auto rects = static_cast<RecordingCanvas*>(surface)->rects();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].x1, -1);
    EXPECT_EQ(rects[0].y1, -1);
    EXPECT_EQ(rects[0].x2, 105);
    EXPECT_EQ(rects[0].y2, 52);
}

} // namespace
} // namespace tobirae
