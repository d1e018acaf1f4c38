// Year and month display items drawn through the frame onto recordings. Recorded text metrics:
// em = |font height|, ASCII advances em / 2, other characters em; 31 pt is em 40 at 96 dpi
// (P = -41, Fix(-41 + 0.5) = -40).
#include "bitmap/Primitives.h"
#include "bitmap/RecordingCanvas.h"
#include "monthbox_support.h"
#include "render/RenderFrame.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

using test::RecordingPreview;

LayoutItem labelItem(ItemCategory category, int style, float width, float height) {
    LayoutItem item;
    item.Live = kTrue;
    item.Category = category;
    item.MonthSelector = 12;
    item.Width = width;
    item.Height = height;
    item.BackColor = 0xFFFFFF;
    ContentElement& element = item.element(category == CategoryYear ? Year1 : Month1);
    element.Shown = kTrue;
    element.Style = style;
    element.Font.FaceName.setText(QStringLiteral("ＭＳ ゴシック"));
    element.Font.Size = 31;
    element.Font.ForeColor.setText(QStringLiteral("&HFF"));
    return item;
}

struct DrawnHeading {
    std::vector<DrawCall> texts;
    QSize view;
};

// fitToContent: the item first takes its content size, as the editor gives auto-sized headings.
DrawnHeading drawOnScreen(const LayoutItem& item, int year, int month, bool fitToContent = false) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    RecordingPreview view(
        QSize(static_cast<int>(item.Width) + 4, static_cast<int>(item.Height) + 4));
    DateRange range = pageDateRange(year, month);
    if (fitToContent)
        EXPECT_TRUE(test::drawAtContentSize(ctx, item, view, range));
    else
        EXPECT_TRUE(drawLayoutItem(ctx, item, &view, range, DrawSurface{}, 0, 0));
    return {view.recording().texts(), view.size()};
}

// The texts that land on a recorded page of 1000 x 1000 layout pixels at scale 1.
std::vector<DrawCall> drawOnPage(const LayoutItem& item, int year, int month) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    EXPECT_TRUE(createPageBitmap(ctx, 1000, 1000, -1));
    DateRange range = pageDateRange(year, month);
    EXPECT_TRUE(drawLayoutItem(ctx, item, nullptr, range, DrawSurface{}, 0, 0));
    std::vector<DrawCall> texts;
    for (const DrawCall& call : recordedPage(ctx)->texts())
        texts.push_back(call);
    return texts;
}

TEST(YearDisplay, DrawsTheLabelInItsColour) {
    const DrawnHeading drawn = drawOnScreen(labelItem(CategoryYear, 0, 300, 50), 2004, 9);
    ASSERT_EQ(drawn.texts.size(), 1u);
    EXPECT_EQ(drawn.texts[0].text, "2004");
    EXPECT_EQ(drawn.texts[0].colour, 0xFF);
    EXPECT_TRUE(drawn.texts[0].transparent);
    EXPECT_EQ(drawn.texts[0].y1, 0);
}

TEST(YearDisplay, EraFollowsTheShownMonth) {
    struct Case {
        int year, month, selector;
        const char* text;
    };
    const Case cases[] = {
        {1989, 1, 12, "昭和六十四年"}, {1989, 2, 12, "平成元年"},
        {2019, 4, 12, "平成三十一年"}, {2019, 5, 12, "令和元年"},
        {2019, 10, 12, "令和元年"},    {2020, 3, 0, "平成三十一年"}, // March 2019
        {2019, 4, 13, "令和元年"},                                   // the month after the page's
    };
    for (const Case& c : cases) {
        LayoutItem item = labelItem(CategoryYear, 9, 300, 50);
        item.MonthSelector = c.selector;
        const DrawnHeading drawn = drawOnScreen(item, c.year, c.month);
        ASSERT_EQ(drawn.texts.size(), 1u);
        EXPECT_EQ(drawn.texts[0].text, QString::fromUtf8(c.text)) << c.year << "/" << c.month;
    }
}

TEST(YearDisplay, HorizontalPlacement) {
    // "2004/" is five ASCII characters: 100 pixels at em 40.
    struct Case {
        int placement;
        int x;
    };
    for (const Case c : {Case{0, 0}, Case{1, 50}, Case{2, 100}}) {
        LayoutItem item = labelItem(CategoryYear, 16, 200, 50);
        item.HPlacement = c.placement;
        const DrawnHeading drawn = drawOnScreen(item, 2004, 1);
        ASSERT_EQ(drawn.texts.size(), 1u);
        EXPECT_EQ(drawn.texts[0].x1, c.x) << "placement " << c.placement;
    }
}

TEST(YearDisplay, AutoSizeFitsTheViewToTheText) {
    const DrawnHeading drawn = drawOnScreen(labelItem(CategoryYear, 16, 300, 300), 2004, 1, true);
    EXPECT_EQ(drawn.view, QSize(104, 44));
    ASSERT_EQ(drawn.texts.size(), 1u);
    EXPECT_EQ(drawn.texts[0].font.height, -40);
}

TEST(YearDisplay, FitOnThePageKeepsOrIgnoresTheAspect) {
    // Text 100 x 40 at scale 1 in an item of 150 x 80: width ratio 1.5, height ratio 2.
    LayoutItem item = labelItem(CategoryYear, 16, 150, 80);
    item.FitToRect = kTrue;
    auto texts = drawOnPage(item, 2004, 1);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].font.height, fontPixelHeight(31, 96, 1.5f));

    // Without the aspect only the height ratio counts, even where the width ratio is smaller.
    item.FreeAspect = kTrue;
    texts = drawOnPage(item, 2004, 1);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].font.height, fontPixelHeight(31, 96, 2));
}

TEST(YearDisplay, FitOnScreenLeavesOnePixelEachSide) {
    // View 304 x 84: ratios (304 - 2) / 100 and (84 - 2) / 40.
    LayoutItem item = labelItem(CategoryYear, 16, 300, 80);
    item.FitToRect = kTrue;
    const DrawnHeading drawn = drawOnScreen(item, 2004, 1);
    ASSERT_EQ(drawn.texts.size(), 1u);
    EXPECT_EQ(drawn.texts[0].font.height, fontPixelHeight(31, 96, 82.0f / 40.0f));
}

TEST(YearDisplay, CentredTextIsPlacedAtItsFittedWidth) {
    // Fitted at 1.5 the font is 61 high and the text 5 x 30 = 150 wide in an item of 251:
    // x = 50.5, which rounds to the even 50; on the page the item's position is added.
    LayoutItem item = labelItem(CategoryYear, 16, 251, 60);
    item.Left = 30;
    item.Top = 40;
    item.FitToRect = kTrue;
    item.HPlacement = 1;
    const auto texts = drawOnPage(item, 2004, 1);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].font.height, fontPixelHeight(31, 96, 1.5f));
    EXPECT_EQ(texts[0].x1, 30 + 50);
    EXPECT_EQ(texts[0].y1, 40);
}

TEST(YearDisplay, EmptyLabelDrawsNothing) {
    EXPECT_TRUE(drawOnScreen(labelItem(CategoryYear, 44, 200, 50), 2004, 1).texts.empty());
    // An era style before the first era of the table.
    EXPECT_TRUE(drawOnScreen(labelItem(CategoryYear, 1, 200, 50), 1850, 1).texts.empty());
}

TEST(MonthDisplay, AutoSizeUsesTheWidestMonthOfTheStyle) {
    // Style 9 in May draws さつき in a view sized for かんなづき (5 x 40 + 4).
    const DrawnHeading drawn =
        drawOnScreen(labelItem(CategoryMonthDisplay, 9, 50, 50), 2004, 5, true);
    EXPECT_EQ(drawn.view, QSize(204, 44));
    ASSERT_EQ(drawn.texts.size(), 1u);
    EXPECT_EQ(drawn.texts[0].text, QString::fromUtf8("さつき"));
}

TEST(MonthDisplay, FitUsesTheSampleWithoutMargin) {
    // Sample "12" is 40 x 40; view 84 x 124: ratios 2.1 and 3.1.
    LayoutItem item = labelItem(CategoryMonthDisplay, 0, 80, 120);
    item.FitToRect = kTrue;
    DrawnHeading drawn = drawOnScreen(item, 2004, 5);
    ASSERT_EQ(drawn.texts.size(), 1u);
    EXPECT_EQ(drawn.texts[0].font.height, fontPixelHeight(31, 96, 84.0f / 40.0f));

    item.FreeAspect = kTrue;
    drawn = drawOnScreen(item, 2004, 5);
    ASSERT_EQ(drawn.texts.size(), 1u);
    EXPECT_EQ(drawn.texts[0].font.height, fontPixelHeight(31, 96, 124.0f / 40.0f));
}

TEST(MonthDisplay, HorizontalPlacementOnThePage) {
    // "5" is 20 wide at em 40 in an item of 200.
    struct Case {
        int placement;
        int x;
    };
    for (const Case c : {Case{0, 0}, Case{1, 90}, Case{2, 180}}) {
        LayoutItem item = labelItem(CategoryMonthDisplay, 0, 200, 50);
        item.HPlacement = c.placement;
        const auto texts = drawOnPage(item, 2004, 5);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "5");
        EXPECT_EQ(texts[0].x1, c.x) << "placement " << c.placement;
    }
}

TEST(MonthDisplay, CentredOnScreenAcrossTheView) {
    LayoutItem item = labelItem(CategoryMonthDisplay, 0, 200, 50);
    item.HPlacement = 1;
    const DrawnHeading drawn = drawOnScreen(item, 2004, 5);
    ASSERT_EQ(drawn.texts.size(), 1u);
    EXPECT_EQ(drawn.texts[0].x1, (204 - 20) / 2);
}

TEST(YearMonthDisplay, MeasuredExtentIsWhereThePageTextEnds) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    setPageDpi(ctx, 192);
    LayoutItem item = labelItem(CategoryYear, 16, 200, 50);
    item.Left = 10;
    item.Top = 20;
    DateRange range = pageDateRange(2004, 1);
    // "2004/" at 31 points: an em of 40 layout pixels, ASCII half an em wide; page scale 2.
    auto extent = measureLayoutItem(ctx, item, range);
    ASSERT_TRUE(extent.has_value());
    EXPECT_FLOAT_EQ(extent->right, (10 + 5 * 20) * 2);
    // The height is the page font's own (31 points at 192 dpi), not the screen's doubled.
    EXPECT_NEAR(extent->bottom, (20 + 40) * 2, 1);

    // The item surface clips the text: a low item ends at its own bottom.
    item.Height = 30;
    extent = measureLayoutItem(ctx, item, range);
    ASSERT_TRUE(extent.has_value());
    EXPECT_FLOAT_EQ(extent->bottom, 100);
}

} // namespace
} // namespace tobirae
