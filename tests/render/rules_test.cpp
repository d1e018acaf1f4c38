// Ruled-line table bytes, the ruled lines of the month boxes at their exact pixels, colours and
// widths, and the background rules.
#include "monthbox_support.h"
#include "render/RenderFrame.h"
#include "render/RuleBlock.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <tuple>

namespace tobirae {
namespace {

using test::newBoxItem;
using test::RecordingPreview;

TEST(RuleBlock, FieldsAtTheirByteOffsets) {
    LayoutItem item;
    RuleBlockWriter rules = ruleBlock(item);
    rules.setDrawRules(true);
    rules.setRuleOn(3, true);
    rules.setRuleColor(2, 0x00A1B2C3);
    rules.setRuleWidth(20, 7);
    rules.setHLineCount(2);
    rules.setHLinePos(10, -2);
    rules.setVLineCount(11);
    rules.setVLinePos(0, 0x01020304);
    const auto& b = item.RuleBlock;
    EXPECT_EQ(b[4], 0xFF);
    EXPECT_EQ(b[5], 0xFF);
    EXPECT_EQ(b[6 + 2 * 3], 0xFF);
    EXPECT_EQ(b[6 + 2 * 3 + 1], 0xFF);
    EXPECT_EQ(b[6 + 2 * 2], 0x00);
    EXPECT_EQ(b[48 + 4 * 2], 0xC3);
    EXPECT_EQ(b[48 + 4 * 2 + 2], 0xA1);
    EXPECT_EQ(b[132 + 2 * 20], 7);
    EXPECT_EQ(b[220], 2);
    EXPECT_EQ(b[224 + 40], 0xFE);
    EXPECT_EQ(b[224 + 43], 0xFF);
    EXPECT_EQ(b[400], 11);
    EXPECT_EQ(b[404], 0x04);
    EXPECT_EQ(b[407], 0x01);

    const RuleBlockReader read = ruleBlock(std::as_const(item));
    EXPECT_TRUE(read.drawRules());
    EXPECT_TRUE(read.ruleOn(3));
    EXPECT_FALSE(read.ruleOn(2));
    EXPECT_EQ(read.ruleColor(2), 0x00A1B2C3);
    EXPECT_EQ(read.ruleWidth(20), 7);
    EXPECT_EQ(read.hLinePos(10), -2);
    EXPECT_EQ(read.vLinePos(0), 0x01020304);
    // Out-of-range entries and positions neither read nor write.
    rules.setRuleOn(21, true);
    rules.setHLinePos(11, 5);
    EXPECT_FALSE(read.ruleOn(21));
    EXPECT_EQ(read.hLinePos(11), 0);
}

TEST(RuleBlock, AnyNonZeroFlagReadsAsOn) {
    LayoutItem item;
    item.RuleBlock[4] = 1; // DrawRules written as 1 by some other program
    item.RuleBlock[6 + 2 * 16 + 1] = 0x80;
    EXPECT_TRUE(ruleBlock(std::as_const(item)).drawRules());
    EXPECT_TRUE(ruleBlock(std::as_const(item)).ruleOn(16));
}

TEST(RuleBlock, CountsOutsideTheTableAreClampedForWalking) {
    LayoutItem item;
    ruleBlock(item).setHLineCount(1000);
    ruleBlock(item).setVLineCount(-3);
    EXPECT_EQ(ruleBlock(std::as_const(item)).hLineCount(), 1000);
    EXPECT_EQ(ruleBlock(std::as_const(item)).hLineCountClamped(), 11);
    EXPECT_EQ(ruleBlock(std::as_const(item)).vLineCountClamped(), 0);
}

TEST(RuleBlock, ClearingDividingLinesKeepsEverythingElse) {
    LayoutItem item;
    for (std::size_t i = 0; i < item.RuleBlock.size(); ++i)
        item.RuleBlock[i] = static_cast<std::uint8_t>(i * 7 + 1);
    const auto before = item.RuleBlock;
    ruleBlock(item).clearDividingLines();
    for (std::size_t i = 0; i < item.RuleBlock.size(); ++i) {
        // Counts, positions and the three reserved arrays after each position array.
        const bool cleared = (i >= 220 && i < 400) || (i >= 400 && i < 580);
        if (cleared)
            EXPECT_EQ(item.RuleBlock[i], 0) << i;
        else
            EXPECT_EQ(item.RuleBlock[i], before[i]) << i; // incl. entries 17..20, reserved bytes
    }
}

struct Line {
    int x1, y1, x2, y2;
    Colour colour;
    int width;
    bool operator==(const Line&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Line& l) {
    return os << "(" << l.x1 << "," << l.y1 << ")-(" << l.x2 << "," << l.y2 << ") colour "
              << l.colour << " width " << l.width;
}

std::vector<Line> linesOf(const RecordingCanvas& canvas) {
    std::vector<Line> out;
    for (const DrawCall& c : canvas.lines())
        out.push_back({c.x1, c.y1, c.x2, c.y2, c.colour, c.penWidth});
    return out;
}

Colour entryColour(int e) {
    return 0x000100 * (e + 1) + 0x10;
}
int entryWidth(int e) {
    return 1 + e % 3;
}

// Every entry with its own colour and width so that each line tells which entry drew it.
LayoutItem ruledItem() {
    LayoutItem item = newBoxItem();
    RuleBlockWriter rules = ruleBlock(item);
    for (int e = 0; e <= RuleDiagonal; ++e) {
        rules.setRuleColor(e, entryColour(e));
        rules.setRuleWidth(e, static_cast<std::int16_t>(entryWidth(e)));
    }
    return item;
}

RecordingCanvas& drawOnScreen(RenderContext& ctx, RecordingPreview& view, const LayoutItem& item,
                              int year, int month) {
    DateRange range = pageDateRange(year, month);
    EXPECT_TRUE(drawLayoutItem(ctx, item, &view, range, DrawSurface{}, 0, 0));
    return view.recording();
}

// The default five-row box (recording metrics): year band 1..24, month band 24..45, weekday
// header 45..73, rows at 73, 168, 263, 357, 452, bottom 547, columns every 100 pixels.
TEST(RuledLines, FiveRowBoxAtExactPixels) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    RecordingPreview view({704, 554});
    const std::vector<Line> drawn = linesOf(drawOnScreen(ctx, view, ruledItem(), 2022, 1));

    std::vector<Line> want;
    auto v = [&](int e, int x, int y1, int y2) {
        want.push_back({x, y1, x, y2, entryColour(e), entryWidth(e)});
    };
    auto h = [&](int e, int y, int width) {
        want.push_back({0, y, 700, y, entryColour(e), width});
    };
    v(0, 0, 1, 24);
    v(1, 0, 24, 45);
    v(2, 0, 45, 73);
    v(3, 0, 73, 547);
    for (int c = 1; c <= 6; ++c) {
        v(8, 100 * c, 45, 73);
        v(9, 100 * c, 73, 547);
    }
    v(4, 700, 1, 24);
    v(5, 700, 24, 45);
    v(6, 700, 45, 73);
    v(7, 700, 73, 547);
    h(10, 1, 1); // title and header lines are always one pixel wide
    h(11, 24, 1);
    h(12, 45, 1);
    h(13, 73, 1);
    for (int y : {168, 263, 357, 452})
        h(14, y, entryWidth(14));
    h(15, 547, entryWidth(15));
    // January 2022 folds 30 and 31 under 23 and 24: one diagonal per shared cell.
    want.push_back({100, 452, 0, 547, entryColour(16), entryWidth(16)});
    want.push_back({200, 452, 100, 547, entryColour(16), entryWidth(16)});

    ASSERT_EQ(drawn.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(drawn[i], want[i]) << "line " << i;
}

TEST(RuledLines, MasterSwitchAndDiagonalFlag) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    LayoutItem item = ruledItem();
    ruleBlock(item).setDrawRules(false);
    RecordingPreview off({704, 554});
    EXPECT_TRUE(drawOnScreen(ctx, off, item, 2022, 1).lines().empty());

    ruleBlock(item).setDrawRules(true);
    ruleBlock(item).setRuleOn(RuleDiagonal, false);
    RecordingPreview noDiagonal({704, 554});
    for (const Line& l : linesOf(drawOnScreen(ctx, noDiagonal, item, 2022, 1)))
        EXPECT_NE(l.colour, entryColour(RuleDiagonal)) << l;

    // A month that does not fold has no diagonal even with the entry on.
    ruleBlock(item).setRuleOn(RuleDiagonal, true);
    RecordingPreview june({704, 554});
    for (const Line& l : linesOf(drawOnScreen(ctx, june, item, 2022, 6)))
        EXPECT_NE(l.colour, entryColour(RuleDiagonal)) << l;

    // Six rows never fold.
    item.LayoutVariant = VariantBox6;
    RecordingPreview six({704, 554});
    for (const Line& l : linesOf(drawOnScreen(ctx, six, item, 2022, 1)))
        EXPECT_NE(l.colour, entryColour(RuleDiagonal)) << l;
}

TEST(RuledLines, SingleTitleBandDropsTheMonthBandLines) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    LayoutItem item = ruledItem();
    item.element(Month1).Pos.Y = 20; // touches the year group: one band of 44
    RecordingPreview view({704, 554});
    const std::vector<Line> drawn = linesOf(drawOnScreen(ctx, view, item, 2022, 1));
    for (const Line& l : drawn) {
        EXPECT_NE(l.colour, entryColour(RuleLeftMonth)) << l;
        EXPECT_NE(l.colour, entryColour(RuleRightMonth)) << l;
        EXPECT_NE(l.colour, entryColour(RuleUnderMonth)) << l;
    }
    const Line underTitle{0, 44, 700, 44, entryColour(RuleUnderYear), 1};
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), underTitle), drawn.end());
    const Line leftYear{0, 1, 0, 44, entryColour(RuleLeftYear), entryWidth(RuleLeftYear)};
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), leftYear), drawn.end());
}

TEST(RuledLines, UnderHeaderLineKeepsItsOwnColour) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    LayoutItem item = ruledItem();
    ruleBlock(item).setRuleColor(RuleUnderMonth, 0x00ABCDEF);
    ruleBlock(item).setRuleOn(RuleInnerRows, false);
    RecordingPreview view({704, 554});
    const std::vector<Line> drawn = linesOf(drawOnScreen(ctx, view, item, 2022, 1));
    const Line header{0, 73, 700, 73, entryColour(RuleUnderHeader), 1};
    const Line month{0, 45, 700, 45, 0x00ABCDEF, 1};
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), header), drawn.end());
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), month), drawn.end());
    for (const Line& l : drawn)
        EXPECT_NE(l.colour, entryColour(RuleInnerRows)) << l;
}

TEST(RuledLines, PageTargetScalesPositionsButNotWidths) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    ASSERT_TRUE(setPageDpi(ctx, 300));
    ASSERT_TRUE(createPageBitmap(ctx, 794, 1123, -1));
    LayoutItem item = ruledItem();
    DateRange range = pageDateRange(2022, 1);
    ASSERT_TRUE(drawLayoutItem(ctx, item, nullptr, range, DrawSurface{}, 5, -3));
    const RecordingCanvas* page = recordedPage(ctx);
    ASSERT_NE(page, nullptr);
    // The item surface lands at the item's position (half to even) plus the offsets.
    const float s = 300.0f / 96.0f;
    const int left = scalePointEven(10, s) + 5;
    const int top = scalePointEven(20, s) - 3;
    const Line inner{left + scalePoint(300, s), top + scalePoint(73, s),
                     left + scalePoint(300, s), top + scalePoint(547, s),
                     entryColour(RuleInnerGrid),    entryWidth(RuleInnerGrid)};
    const Line row{left,
                   top + scalePoint(357, s),
                   left + scalePoint(700, s),
                   top + scalePoint(357, s),
                   entryColour(RuleInnerRows),
                   entryWidth(RuleInnerRows)};
    const std::vector<Line> drawn = linesOf(*page);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), inner), drawn.end()) << inner;
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), row), drawn.end()) << row;
}

struct Rect {
    int left, top, right, bottom;
    Colour colour;
    bool operator==(const Rect&) const = default;
};

std::vector<Rect> rectsOf(const RecordingCanvas& canvas) {
    std::vector<Rect> out;
    for (const DrawCall& c : canvas.rects())
        out.push_back({c.x1, c.y1, c.x2, c.y2, c.colour});
    return out;
}

TEST(Backgrounds, EntriesEqualToTheItemColourAreSkipped) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    LayoutItem item = newBoxItem();
    ruleBlock(item).setDrawRules(false);
    item.CellBackColor[1] = 0x00CCFF;             // month band
    item.CellBackColor[2] = 0x00FF00;             // Sunday header
    item.CellBackColor[8] = 0x0000AA;             // Saturday header
    item.CellBackColor[9 + 7 * 4 + 6] = 0x123456; // row 4, Saturday
    item.CellBackColor[9 + 7 * 5 + 0] = 0x654321; // row 5: not in a five-row box
    RecordingPreview view({704, 554});
    const RecordingCanvas& canvas = drawOnScreen(ctx, view, item, 2022, 1);
    const std::vector<Rect> want = {{0, 24, 700, 45, 0x00CCFF},
                                    {0, 45, 100, 73, 0x00FF00},
                                    {600, 45, 700, 73, 0x0000AA},
                                    {600, 452, 700, 547, 0x123456}};
    EXPECT_EQ(rectsOf(canvas), want);
    // The Saturday header's excluded right edge is closed with a line of its colour.
    bool closed = false;
    for (const DrawCall& l : canvas.lines())
        closed |= l.x1 == 700 && l.x2 == 700 && l.y1 == 45 && l.y2 == 73 && l.colour == 0x0000AA;
    EXPECT_TRUE(closed);

    item.LayoutVariant = VariantBox6;
    RecordingPreview six({704, 554});
    const std::vector<Rect> sixRects = rectsOf(drawOnScreen(ctx, six, item, 2022, 1));
    EXPECT_EQ(sixRects.size(), 5u); // the sixth row exists now
    EXPECT_EQ(sixRects.back().colour, 0x654321);
}

TEST(Backgrounds, ItemColourDecidesWhatIsSkipped) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    LayoutItem item = newBoxItem();
    ruleBlock(item).setDrawRules(false);
    item.BackColor = 0x00FF00;
    item.Transparent = kTrue;
    item.TransparentColor = 0x00FF00;
    item.CellBackColor[2] = 0x00FF00;
    RecordingPreview view({704, 554});
    const std::vector<Rect> rects = rectsOf(drawOnScreen(ctx, view, item, 2022, 1));
    // White now differs from the item colour: bands, six header cells, 35 day cells.
    EXPECT_EQ(rects.size(), 2u + 6u + 35u);
    for (const Rect& r : rects) {
        EXPECT_NE(r.colour, 0x00FF00);
        EXPECT_FALSE(r.left == 0 && r.top == 45) << "Sunday header painted";
    }
}

} // namespace
} // namespace tobirae
