#include "bitmap/ImageCanvas.h"
#include "bitmap/PainterCanvas.h"
#include "bitmap/Primitives.h"
#include "bitmap/RecordingCanvas.h"

#include <QPainter>
#include <climits>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <utility>

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
        drawScaledLine(ctx, DrawSurface{&canvas, 1, 1}, 2, 5, 9.5f, 5, kRed, 1, PenSolid, true));
    for (int x = 2; x < 10; ++x)
        EXPECT_EQ(at(canvas, x, 5), 0xFF0000u) << x; // Qt red
    EXPECT_EQ(at(canvas, 10, 5), 0xFFFFFFu);         // 9.5 rounds to 10, the end point
    EXPECT_EQ(at(canvas, 1, 5), 0xFFFFFFu);
    EXPECT_EQ(at(canvas, 5, 4), 0xFFFFFFu);
    EXPECT_EQ(at(canvas, 5, 6), 0xFFFFFFu);

    // A diagonal leaves out its last pixel as well.
    ImageCanvas diagonal(20, 20);
    drawPixelLine(ctx, &diagonal, 0, 0, 5, 5, kBlue, 1, PenSolid, true);
    EXPECT_EQ(at(diagonal, 4, 4), 0x0000FFu);
    EXPECT_EQ(at(diagonal, 5, 5), 0xFFFFFFu);
}

TEST(Lines, DashedLinesLeaveGapsThatAnOpaqueBackgroundPaints) {
    RenderContext ctx;
    ImageCanvas canvas(40, 4);
    canvas.mutableImage().fill(Qt::black);
    drawPixelLine(ctx, &canvas, 0, 1, 40, 1, kRed, 1, PenDash, true);
    drawPixelLine(ctx, &canvas, 0, 2, 40, 2, kRed, 1, PenDash, false);
    EXPECT_EQ(at(canvas, 0, 1), 0xFF0000u);
    EXPECT_EQ(at(canvas, 20, 1), 0x000000u); // a gap shows what was there
    EXPECT_EQ(at(canvas, 20, 2), 0xFFFFFFu); // an opaque gap is the background colour
    EXPECT_EQ(at(canvas, 30, 1), 0xFF0000u);
}

// The classic integer stepping of a one-pixel line (end point left out), as an independent
// reference for the pixels a canvas must paint.
std::set<std::pair<int, int>> steppedLine(int x, int y, int x2, int y2) {
    std::set<std::pair<int, int>> pixels;
    const int dx = std::abs(x2 - x);
    const int dy = -std::abs(y2 - y);
    int err = dx + dy;
    while (x != x2 || y != y2) {
        pixels.insert({x, y});
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += x < x2 ? 1 : -1;
        }
        if (e2 <= dx) {
            err += dx;
            y += y < y2 ? 1 : -1;
        }
    }
    return pixels;
}

std::set<std::pair<int, int>> inked(const ImageCanvas& canvas) {
    std::set<std::pair<int, int>> pixels;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (at(canvas, x, y) != 0xFFFFFFu)
                pixels.insert({x, y});
    return pixels;
}

TEST(Lines, OnePixelLinesOfEverySlopeVisitTheSteppedPixels) {
    for (int dx = -9; dx <= 9; ++dx) {
        for (int dy = -9; dy <= 9; ++dy) {
            ImageCanvas canvas(24, 24);
            ASSERT_TRUE(canvas.drawLine(11, 12, 11 + dx, 12 + dy, kRed, 1, PenSolid, true));
            EXPECT_EQ(inked(canvas), steppedLine(11, 12, 11 + dx, 12 + dy)) << dx << ", " << dy;
        }
    }
}

TEST(Lines, EndsFarOutsideTheSurfaceDrawOnlyThePartOnIt) {
    RenderContext ctx;
    ImageCanvas column(20, 20);
    // Such a line once stepped forever once its length overflowed.
    ASSERT_TRUE(
        drawPixelLine(ctx, &column, 5, 1432713460, 5, -1432713460, kRed, 1, PenSolid, true));
    std::set<std::pair<int, int>> expected;
    for (int y = 0; y < 20; ++y)
        expected.insert({5, y});
    EXPECT_EQ(inked(column), expected);

    ImageCanvas diagonal(20, 20);
    ASSERT_TRUE(drawPixelLine(ctx, &diagonal, INT_MIN, INT_MIN, INT_MAX, INT_MAX, kRed, 1,
                                PenSolid, true));
    expected.clear();
    for (int k = 0; k < 20; ++k)
        expected.insert({k, k});
    EXPECT_EQ(inked(diagonal), expected);

    ImageCanvas scaled(20, 20);
    ASSERT_TRUE(drawScaledLine(ctx, DrawSurface{&scaled, 3.125f, 3.125f}, -3e9f, 2, 3e9f, 2, kBlue, 3,
                             PenSolid, true));
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(at(scaled, x, 6), 0x0000FFu) << x;
    EXPECT_EQ(at(scaled, 10, 12), 0xFFFFFFu);

    // A dashed line keeps its pattern where it enters: starting a whole number of periods
    // (24 pixels) earlier changes nothing on the surface.
    ImageCanvas dashed(40, 3);
    drawPixelLine(ctx, &dashed, -24 * 50000000, 0, 40, 0, kRed, 1, PenDash, true);
    drawPixelLine(ctx, &dashed, 0, 1, 40, 1, kRed, 1, PenDash, true);
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(at(dashed, x, 0), at(dashed, x, 1)) << x;
}

// A canvas holding a window of a larger surface paints what the whole surface paints there.
TEST(Window, PaintsWhatTheWholeSurfacePaintsInsideIt) {
    ImageCanvas picture(30, 30, kBlue);
    picture.mutableImage().setPixel(3, 3, qRgb(0, 255, 0));
    const ResolvedFont font{QStringLiteral("IPAGothic"), -14};
    const auto paint = [&](Canvas& c) {
        c.drawLine(2, 3, 57, 31, kRed, 1, PenSolid, true);
        c.drawLine(50, 1, 3, 38, kRed, 1, PenDashDot, false);
        c.drawLine(0, 20, 59, 25, kBlue, 4, PenDash, false);
        c.fillRect(10, 5, 40, 30, kRed, BrushHatched, HatchDiagonalCross, false);
        c.fillRect(30, 22, 45, 39, kBlue, BrushSolid, 0, false);
        c.drawText(font, 14, 8, QStringLiteral("暦 12"), kRed, true);
        c.blit(20, 12, 30, 30, picture, 0, 0, kBlue);
    };
    ImageCanvas whole(60, 40);
    paint(whole);
    ImageCanvas window(25, 20);
    window.setOrigin(QPoint(17, 11));
    paint(window);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 25; ++x)
            ASSERT_EQ(at(window, x, y), at(whole, x + 17, y + 11)) << x << ", " << y;

    // As a source, a window gives the pixels of the whole surface's coordinates.
    ImageCanvas copy(10, 10);
    copy.blit(0, 0, 10, 10, window, 20, 15, std::nullopt);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(at(copy, x, y), at(whole, x + 20, y + 15)) << x << ", " << y;
}

TEST(Rects, CoverLeftToRightMinusOneAndTopToBottomMinusOne) {
    RenderContext ctx;
    setClipSize(ctx, 20, 20);
    ImageCanvas canvas(20, 20);
    fillScaledRect(ctx, DrawSurface{&canvas, 1, 1}, 3, 4, 8, 10, kBlue, BrushSolid, 0, false);
    EXPECT_EQ(at(canvas, 3, 4), 0x0000FFu);
    EXPECT_EQ(at(canvas, 7, 9), 0x0000FFu);
    EXPECT_EQ(at(canvas, 8, 9), 0xFFFFFFu);
    EXPECT_EQ(at(canvas, 7, 10), 0xFFFFFFu);
    EXPECT_EQ(at(canvas, 2, 4), 0xFFFFFFu);
    EXPECT_EQ(at(canvas, 3, 3), 0xFFFFFFu);
}

TEST(Rects, HollowBrushDrawsOnlyTheEdges) {
    RenderContext ctx;
    setClipSize(ctx, 20, 20);
    ImageCanvas canvas(20, 20);
    fillScaledRect(ctx, DrawSurface{&canvas, 1, 1}, 2, 2, 10, 10, kRed, BrushNull, 0, true);
    EXPECT_EQ(at(canvas, 2, 2), 0xFF0000u);
    EXPECT_EQ(at(canvas, 9, 9), 0xFFFFFFu); // only the solid brush paints the last corner
    EXPECT_EQ(at(canvas, 9, 5), 0xFF0000u);
    EXPECT_EQ(at(canvas, 5, 9), 0xFF0000u);
    EXPECT_EQ(at(canvas, 5, 5), 0xFFFFFFu);
}

TEST(Rects, ClampedToTheClipOrItemSurfaceSize) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    setClipSize(ctx, 100, 50);
    RecordingCanvas canvas(400, 400);
    const DrawSurface surface{&canvas, 2, 2};
    fillScaledRect(ctx, surface, 40, 10, 90, 40, kRed, BrushSolid, 0, false);
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
    ASSERT_NE(createItemSurface(ctx, 30, 30, -1), nullptr); // 60 x 61 at scale 2
    setPageScale(ctx, 2);
    fillItemRect(ctx, surface, 0, 0, 1000, 1000, kRed, BrushSolid, 0, false);
    ASSERT_EQ(canvas.rects().size(), 1u);
    EXPECT_EQ(canvas.rects().front().x2, ctx.itemSurfaceWidth);
    EXPECT_EQ(canvas.rects().front().y2, ctx.itemSurfaceHeight);
}

TEST(Rects, EmptyAfterClampingDrawsNothing) {
    RenderContext ctx;
    setClipSize(ctx, 10, 10);
    RecordingCanvas canvas(20, 20);
    fillScaledRect(ctx, DrawSurface{&canvas, 1, 1}, 12, 0, 15, 5, kRed, BrushSolid, 0, false);
    EXPECT_TRUE(canvas.calls().empty());
}

TEST(Blit, PositionHalfEvenSizePlusOneClippedAndTransparentColourLeftOut) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    setPageDpi(ctx, 144);                             // scale 1.5
    ASSERT_TRUE(createPageBitmap(ctx, 100, 100, -1)); // 150 -> 144 wide, 150 high
    RecordingCanvas source(40, 40);
    source.drawLine(1, 2, 3, 4, kRed, 1, PenSolid, true);
    // x 5 x 1.5 = 7.5 -> 8 (even), y 3 x 1.5 = 4.5 -> 4 (even); width Fix(30.5) + 1 = 31.
    ASSERT_TRUE(blitSurface(ctx, DrawSurface{}, 5, 3, 20, 20, &source, 0, 0, kBlue, true, 2, 1));
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
    blitSurface(ctx, DrawSurface{}, 90, 0, 20, 20, &source, 0, 0, 0, false, 0, 0);
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
    Canvas* surface = createItemSurface(ctx, 101, 50, -1);
    ASSERT_NE(surface, nullptr);
    fillSurface(ctx, surface, ItemSurfaceSize, kRed, BrushSolid, 0, false);
    const auto rects = static_cast<RecordingCanvas*>(surface)->rects();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].x1, -1);
    EXPECT_EQ(rects[0].y1, -1);
    EXPECT_EQ(rects[0].x2, 105);
    EXPECT_EQ(rects[0].y2, 52);
}

// Vector pages put one-pixel lines and fills on the pixel grid: painted through a QPainter onto an
// image they give the bitmap's pixels exactly.
TEST(PainterCanvas, LinesAndFillsCoverTheBitmapsPixels) {
    const std::function<void(Canvas&)> drawings[] = {
        [](Canvas& c) { c.drawLine(2, 5, 30, 5, kRed, 1, PenSolid, true); },
        [](Canvas& c) { c.drawLine(7, 30, 7, 2, kBlue, 1, PenSolid, true); },
        [](Canvas& c) { c.drawLine(1, 1, 30, 12, kRed, 1, PenSolid, true); },   // shallow
        [](Canvas& c) { c.drawLine(30, 1, 20, 31, kBlue, 1, PenSolid, true); }, // steep
        [](Canvas& c) { c.drawLine(0, 8, 40, 8, kRed, 1, PenDashDot, true); },
        [](Canvas& c) { c.drawLine(0, 9, 40, 9, kRed, 1, PenDot, false); },    // opaque gaps
        [](Canvas& c) { c.drawLine(-5, 3, 50, 3, kBlue, 1, PenSolid, true); }, // off the edges
        [](Canvas& c) { c.fillRect(3, 4, 8, 10, kBlue, BrushSolid, 0, false); },
        [](Canvas& c) { c.fillRect(-1, -1, 41, 33, kRed, BrushSolid, 0, false); },
        [](Canvas& c) { c.fillRect(5, 5, 5, 9, kRed, BrushSolid, 0, false); }, // empty
    };
    int index = 0;
    for (const auto& draw : drawings) {
        ImageCanvas bitmap(40, 32, 0x00FFFFFF);
        draw(bitmap);
        QImage painted(40, 32, QImage::Format_RGB32);
        painted.fill(Qt::white);
        {
            QPainter painter(&painted);
            PainterCanvas canvas(painter, painted.size());
            draw(canvas);
        }
        EXPECT_EQ(painted, *bitmap.image()) << "drawing " << index;
        ++index;
    }
}

// An item surface of a vector page is replayed inside its blit rectangle; an item whose
// transparent colour is left out is composed as pixels, so what lies below shows through.
TEST(PainterCanvas, DeferredSurfacesReplayClippedAndLeaveOutTheTransparentColour) {
    RecordingCanvas item(20, 10, std::make_shared<FontCache>());
    item.fillRect(-1, -1, 21, 11, kBlue, BrushSolid, 0, false); // the whole surface
    item.fillRect(4, 2, 8, 6, kRed, BrushSolid, 0, false);
    QImage page(40, 30, QImage::Format_RGB32);
    page.fill(Qt::black);
    {
        QPainter painter(&page);
        PainterCanvas canvas(painter, page.size());
        ASSERT_TRUE(canvas.blit(10, 5, 12, 10, item, 0, 0, std::nullopt));
        ASSERT_TRUE(canvas.blit(10, 18, 20, 10, item, 0, 0, kBlue));
    }
    EXPECT_EQ(page.pixel(10, 5) & 0xFFFFFF, 0x0000FFu);  // surface background
    EXPECT_EQ(page.pixel(14, 7) & 0xFFFFFF, 0xFF0000u);  // the red rectangle, shifted
    EXPECT_EQ(page.pixel(21, 5) & 0xFFFFFF, 0x0000FFu);  // last column of the blit
    EXPECT_EQ(page.pixel(22, 5) & 0xFFFFFF, 0x000000u);  // clipped to 12 wide
    EXPECT_EQ(page.pixel(10, 18) & 0xFFFFFF, 0x000000u); // blue left out: black shows
    EXPECT_EQ(page.pixel(14, 20) & 0xFFFFFF, 0xFF0000u);
    // The same surface as pixels is what an image canvas of its size would hold.
    const QImage pixels = item.rasterised();
    ASSERT_EQ(pixels.size(), QSize(20, 10));
    EXPECT_EQ(pixels.pixel(0, 0) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(pixels.pixel(7, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(pixels.pixel(8, 5) & 0xFFFFFF, 0x0000FFu);
}

} // namespace
} // namespace tobirae
