#include "bitmap/RecordingCanvas.h"
#include "render/ItemDrawScope.h"
#include "render/PreviewTarget.h"
#include "render/RenderFrame.h"

#include <QImage>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

// A view whose canvas is deviceScale times finer, logging what is drawn on it.
class ScaledRecordingView : public PreviewTarget {
public:
    ScaledRecordingView(QSize size, float scale) : size_(size), scale_(scale) { rebuild(); }
    QSize size() const override { return size_; }
    void resize(QSize s) {
        size_ = s;
        rebuild();
    }
    Canvas* canvas() override { return canvas_.get(); }
    void clear(Colour background) override {
        cleared.push_back(background);
        canvas_->clearCalls();
    }
    float deviceScale() const override { return scale_; }
    void finished() override { ++finishedCount; }

    std::vector<Colour> cleared;
    int finishedCount = 0;
    RecordingCanvas& recording() { return *canvas_; }

private:
    void rebuild() {
        canvas_ = std::make_unique<RecordingCanvas>(static_cast<int>(size_.width() * scale_),
                                                    static_cast<int>(size_.height() * scale_));
    }
    QSize size_;
    float scale_;
    std::unique_ptr<RecordingCanvas> canvas_;
};

LayoutItem plainItem() {
    LayoutItem item;
    item.Left = 10;
    item.Top = 21;
    item.Width = 101;
    item.Height = 50;
    item.BackColor = 0x00ABCDEF;
    item.TransparentColor = 0x00FFFFFF;
    return item;
}

TEST(ItemDrawScope, PageTargetDrawsOnAnItemSurfaceAndBlitsItAtTheScaledPosition) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    setPageDpi(ctx, 192); // scale 2
    ASSERT_TRUE(createPageBitmap(ctx, 400, 400, -1));
    LayoutItem item = plainItem();
    item.Transparent = kTrue;
    const RenderArgs args{item, nullptr, DrawSurface{}, {}, 10, 21, 3, -4, 0, {}};
    {
        ItemDrawScope scope(ctx, args);
        ASSERT_TRUE(scope.ok());
        EXPECT_FALSE(scope.onScreen());
        EXPECT_EQ(scope.canvas(), ctx.itemSurface.get());
        EXPECT_FLOAT_EQ(scope.surface().scaleX, 2);
        EXPECT_EQ(ctx.itemSurfaceWidth, 204); // 202 up to a multiple of four
        EXPECT_EQ(ctx.itemSurfaceHeight, 101);
        // Filled rectangles clamp to the item surface.
        scope.fillRect(0, 0, 500, 500, 0x0000FF);
        EXPECT_TRUE(scope.finish());
        EXPECT_EQ(ctx.itemSurface, nullptr);
    }
    const RecordingCanvas* page = recordedPage(ctx);
    const auto blits = page->callsOf(DrawCall::Blit);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].x1, 20 + 3);
    EXPECT_EQ(blits[0].y1, 42 - 4);
    EXPECT_EQ(blits[0].x2, 203); // Fix(202 + 0.5) + 1
    EXPECT_EQ(blits[0].y2, 101);
    EXPECT_EQ(blits[0].transparentColour, 0x00FFFFFF);
    const auto rects = page->rects();
    ASSERT_EQ(rects.size(), 2u); // the background, then the clamped rectangle
    EXPECT_EQ(rects[0].colour, 0x00ABCDEF);
    EXPECT_EQ(rects[1].x2, 23 + 204);
    EXPECT_EQ(rects[1].y2, 38 + 101);
}

TEST(ItemDrawScope, AnItemLargerThanThePageKeepsOnlyWhatLandsOnThePage) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    setPageDpi(ctx, 192); // scale 2
    ASSERT_TRUE(createPageBitmap(ctx, 400, 300, -1));
    LayoutItem item = plainItem();
    item.Width = 10000;
    item.Height = 10000;
    const RenderArgs args{item, nullptr, DrawSurface{}, {}, -100, 50, 0, 0, 0, {}};
    ItemDrawScope scope(ctx, args);
    ASSERT_TRUE(scope.ok());
    EXPECT_EQ(ctx.itemSurfaceWidth, 20000);
    EXPECT_EQ(scope.canvas()->origin(), QPoint(200, 0));
    EXPECT_EQ(scope.canvas()->width(), ctx.clipWidth);
    EXPECT_EQ(scope.canvas()->height(), ctx.clipHeight - 100);
    EXPECT_TRUE(scope.finish());
}

TEST(ItemDrawScope, UnfinishedPageScopeReleasesWithoutBlitting) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    ASSERT_TRUE(createPageBitmap(ctx, 400, 400, -1));
    const LayoutItem item = plainItem();
    const RenderArgs args{item, nullptr, DrawSurface{}, {}, 10, 21, 0, 0, 0, {}};
    { ItemDrawScope scope(ctx, args); }
    EXPECT_EQ(ctx.itemSurface, nullptr);
    EXPECT_TRUE(recordedPage(ctx)->callsOf(DrawCall::Blit).empty());
}

// The page of an item drawn at a position with offsets, on a page that holds a pattern already.
QImage pageWithItem(const LayoutItem& item, int left, int top, int xOffset, int yOffset,
                    bool* drawnInPlace = nullptr) {
    RenderContext ctx;
    setPageDpi(ctx, 150);
    EXPECT_TRUE(createPageBitmap(ctx, 300, 200, -1));
    fillScaledRect(ctx, DrawSurface{}, 0, 0, 300, 200, 0x00336699, BrushHatched, HatchCross, false);
    const RenderArgs args{item,       nullptr, DrawSurface{}, {}, float(left),
                          float(top), xOffset, yOffset,       0,  {}};
    {
        ItemDrawScope scope(ctx, args);
        EXPECT_TRUE(scope.ok());
        const QImage& page = *ctx.pageBitmap->image();
        const uchar* bits = scope.canvas()->image()->constBits();
        if (drawnInPlace)
            *drawnInPlace =
                bits >= page.constBits() && bits < page.constBits() + page.sizeInBytes();
        const DrawSurface& s = scope.surface();
        scope.fillRect(5, 5, 60, 30, 0x000000FF, BrushHatched, HatchDiagonalCross);
        drawScaledLine(ctx, s, 0, 0, item.Width, item.Height, 0x0000AA00, 3, PenDash, true);
        selectFont(ctx, FontSpec{});
        drawScaledText(ctx, s, 1, QStringLiteral("2027年5月"), 2, 8, 0x00AA0000, true);
        EXPECT_TRUE(scope.finish());
    }
    return ctx.pageBitmap->image()->copy();
}

// An opaque item is drawn straight onto the page; its pixels are those a copy of its own surface
// puts there (the same item, transparent with a colour it does not use), also where it reaches
// beyond the page or is shifted to align with its neighbours.
TEST(ItemDrawScope, AnOpaqueItemIsDrawnOntoThePageAsItsSurfaceWouldBeCopied) {
    const struct {
        int left, top, xOffset, yOffset;
    } placements[] = {{10, 21, 0, 0},  {-40, -15, 0, 0},   {250, 170, 0, 0},
                      {10, 21, 7, -9}, {-40, 180, -3, 12}, {400, 10, 0, 0}};
    for (const auto& p : placements) {
        LayoutItem item = plainItem();
        bool inPlace = false;
        const QImage opaque = pageWithItem(item, p.left, p.top, p.xOffset, p.yOffset, &inPlace);
        item.Transparent = kTrue;
        item.TransparentColor = 0x00010203;
        bool copied = true;
        const QImage viaSurface = pageWithItem(item, p.left, p.top, p.xOffset, p.yOffset, &copied);
        EXPECT_EQ(opaque, viaSurface) << p.left << "," << p.top << " " << p.xOffset;
        EXPECT_FALSE(copied);
        // An item entirely off the page has nothing to draw in place.
        EXPECT_EQ(inPlace, p.left < 300) << p.left << "," << p.top;
    }
}

TEST(ItemDrawScope, ScreenTargetClearsScalesAndClipsToTheView) {
    RenderContext ctx;
    setPageDpi(ctx, 300); // whatever an export left behind
    const LayoutItem item = plainItem();
    ScaledRecordingView view(QSize(105, 54), 2);
    const RenderArgs args{item, &view, DrawSurface{}, {}, 10, 21, 0, 0, 0, {}};
    {
        ItemDrawScope scope(ctx, args);
        ASSERT_TRUE(scope.ok());
        EXPECT_TRUE(scope.onScreen());
        EXPECT_EQ(view.cleared, std::vector<Colour>{0x00ABCDEF});
        EXPECT_FLOAT_EQ(currentPageScale(ctx).x, 2);
        EXPECT_FLOAT_EQ(scope.surface().scaleY, 2);
        EXPECT_EQ(ctx.clipWidth, 210);
        EXPECT_EQ(ctx.clipHeight, 108);
    }

    // The editor sizes the view before drawing; the scope draws into the size it finds.
    view.resize(QSize(64, 34));
    ItemDrawScope scope(ctx, args);
    EXPECT_EQ(view.size(), QSize(64, 34));
    EXPECT_EQ(scope.canvas(), view.canvas());
    EXPECT_EQ(ctx.clipWidth, 128);

    scope.fillRect(0, 0, 100, 100, 0x0000FF);
    const auto rects = view.recording().rects();
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].x2, 128); // clamped to the clip size, in device pixels
    EXPECT_TRUE(scope.finish());
    EXPECT_EQ(view.finishedCount, 1);
}

TEST(ItemDrawScope, ScreenScaleOneIsThePlainScreen) {
    RenderContext ctx;
    setPageDpi(ctx, 300);
    const LayoutItem item = plainItem();
    ScaledRecordingView view(QSize(105, 54), 1);
    const RenderArgs args{item, &view, DrawSurface{}, {}, 10, 21, 0, 0, 0, {}};
    ItemDrawScope scope(ctx, args);
    EXPECT_FLOAT_EQ(currentPageScale(ctx).x, 1);
    EXPECT_FLOAT_EQ(scope.surface().scaleX, 1);
    EXPECT_EQ(ctx.clipWidth, 105);
}

TEST(Dispatch, UnknownKindsDrawNothingAndSucceed) {
    const std::pair<int, int> kinds[] = {
        {7, 0}, {CategoryMonthFamily, 9}, {CategoryWeekly, 0}, {-1, 0}};
    for (const auto& [category, variant] : kinds) {
        RenderContext ctx;
        useRecordingSurfaces(ctx);
        ASSERT_TRUE(createPageBitmap(ctx, 400, 400, -1));
        LayoutItem item = plainItem();
        item.Category = category;
        item.LayoutVariant = variant;
        item.MonthSelector = 13;
        item.WeekRange = 5; // days 1..7, so weekly kinds stay in the shown month
        DateRange range = pageDateRange(2027, 12);
        EXPECT_TRUE(drawLayoutItem(ctx, item, nullptr, range, DrawSurface{}, 0, 0))
            << category << "/" << variant;
        EXPECT_TRUE(recordedPage(ctx)->calls().empty());
        // The range was rewritten for the item all the same.
        EXPECT_EQ(range.firstYear, 2028);
        EXPECT_EQ(range.firstMonth, 1);
        DateRange measured = pageDateRange(2027, 12);
        const auto extent = measureLayoutItem(ctx, item, measured);
        ASSERT_TRUE(extent.has_value());
        EXPECT_FLOAT_EQ(extent->right, 111);
        EXPECT_FLOAT_EQ(extent->bottom, 71);
        DateRange sized = pageDateRange(2027, 12);
        EXPECT_EQ(contentSize(ctx, item, sized), QSize(101, 50)); // their box
    }
}

TEST(ContentExtent, PositionPlusContentAtThePageScale) {
    RenderContext ctx;
    setPageDpi(ctx, 300);
    const ItemExtent extent = itemPageExtent(ctx, plainItem(), 100, 40);
    EXPECT_FLOAT_EQ(extent.right, 110 * 3.125f);
    EXPECT_FLOAT_EQ(extent.bottom, 61 * 3.125f);
}

} // namespace
} // namespace tobirae
