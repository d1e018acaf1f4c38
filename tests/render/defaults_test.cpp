// Defaults of new items and the content-layout reset.
#include "render/NewItemDefaults.h"
#include "render/RuleBlock.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

constexpr float kA4Width = 210;
constexpr float kA4Height = 297;

LayoutItem fresh(int category, int variant, float paperWidth = kA4Width,
                 float paperHeight = kA4Height, int weekRange = 0) {
    LayoutItem item;
    item.WeekRange = weekRange;
    EXPECT_TRUE(applyNewItemDefaults(category, variant, item, paperWidth, paperHeight));
    return item;
}

TEST(DefaultFontSpec, EveryField) {
    FontSpec font;
    font.Bold = kTrue;
    font.Vertical = 1;
    font.Angle = 90;
    setDefaultFontSpec(font);
    EXPECT_EQ(font.FaceName.text(), QString::fromUtf16(u"ＭＳ ゴシック"));
    EXPECT_EQ(font.Size, 11);
    EXPECT_FALSE(isTrue(font.Bold));
    EXPECT_FALSE(isTrue(font.Italic) || isTrue(font.Underline) || isTrue(font.StrikeOut));
    EXPECT_EQ(font.Angle, 0);
    EXPECT_EQ(font.ForeColor.text(), QStringLiteral("0"));
    EXPECT_EQ(font.BackColor.text(), QStringLiteral("&HFFFFFF"));
    EXPECT_EQ(font.Vertical, 0);
}

TEST(NewItemDefaults, HeadingsStartCentredAndListsUnfitted) {
    for (const int category : {CategoryYear, CategoryMonthDisplay}) {
        LayoutItem heading;
        ASSERT_TRUE(applyNewItemDefaults(category, 0, heading, kA4Width, kA4Height));
        EXPECT_EQ(heading.HPlacement, 1) << category;
        EXPECT_FALSE(isTrue(heading.FitToRect)) << category;
    }
    LayoutItem list;
    list.FitToRect = kTrue;
    ASSERT_TRUE(applyNewItemDefaults(CategoryMonthFamily, VariantVertical, list, kA4Width, kA4Height));
    EXPECT_FALSE(isTrue(list.FitToRect));
    EXPECT_EQ(list.HPlacement, 0);
}

TEST(NewItemDefaults, CommonValues) {
    LayoutItem item;
    item.MonthSelector = 3;
    item.FitToRect = kTrue;
    item.HPlacement = 2;
    item.DateColor[0] = 0x123456; // Monday keeps what the record had
    ASSERT_TRUE(applyNewItemDefaults(CategoryMonthFamily, VariantBox5, item, kA4Width, kA4Height));
    EXPECT_EQ(item.Category, CategoryMonthFamily);
    EXPECT_EQ(item.MonthSelector, 12);
    EXPECT_EQ(item.HPlacement, 0);
    // A month box fits its rows into its size from the start.
    EXPECT_TRUE(isTrue(item.FitToRect));
    EXPECT_EQ(item.element(Holiday).Font.ForeColor.text(), QStringLiteral("255"));
    EXPECT_EQ(item.element(Day).Font.ForeColor.text(), QStringLiteral("0"));
    EXPECT_EQ(item.SpareFont.Size, 11);
    EXPECT_EQ(item.DateColor[8], 0x0000FF);
    EXPECT_EQ(item.DateColor[5], 0xFF0000);
    EXPECT_EQ(item.DateColor[6], 0x0000FF);
    EXPECT_EQ(item.DateColor[0], 0x123456);
    EXPECT_EQ(item.WeekdayNameColor[5], 0xFF0000);
    EXPECT_EQ(item.WeekdayNameColor[6], 0x0000FF);
    EXPECT_EQ(item.BackColor, 0xFFFFFF);
    EXPECT_EQ(item.TransparentColor, 0xFFFFFF);
}

TEST(NewItemDefaults, DesignSizesAndCaps) {
    const struct {
        int category, variant;
        float paperWidth, paperHeight;
        int weekRange;
        int width, height;
    } cases[] = {
        {1, VariantBox5, 210, 297, 0, 700, 550}, // 550 is below 297 x 3.8 - 76
        {1, VariantBoxMini, 210, 297, 0, 150, 180},
        {1, VariantVertical, 210, 297, 0, 560, 465},
        {1, VariantHorizontal, 210, 297, 0, 722, 560}, // 744 capped at 210 x 3.8 - 76
        {1, VariantHorizontal, 297, 210, 0, 744, 560},
        {1, VariantBox5, 150, 150, 0, 494, 494}, // 150 x 3.8 - 76
        {3, VariantVertical, 210, 297, 9, 560, 65},
        {3, VariantVertical, 210, 297, 11, 560, 340},
        {3, VariantVertical, 210, 297, 2, 560, 150},
        {3, VariantHorizontal, 297, 210, 13, 340, 560},
        {CategoryPicture, 0, 210, 297, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const LayoutItem item =
            fresh(c.category, c.variant, c.paperWidth, c.paperHeight, c.weekRange);
        EXPECT_EQ(item.DesignWidth, c.width) << c.category << "/" << c.variant;
        EXPECT_EQ(item.DesignHeight, c.height) << c.category << "/" << c.variant;
    }
    // A page smaller than the margin gives an empty design size, never a negative one.
    const LayoutItem tiny = fresh(CategoryMonthFamily, VariantBox5, 10, 10);
    EXPECT_EQ(tiny.DesignWidth, 0);
    EXPECT_EQ(tiny.DesignHeight, 0);
}

TEST(NewItemDefaults, FontSizesByKind) {
    const LayoutItem box = fresh(CategoryMonthFamily, VariantBox6);
    for (int k : {Year1, Year2, Month1, Month4, Day, Weekday})
        EXPECT_EQ(box.element(k).Font.Size, 16) << k;
    for (int k : {Rokuyo, Eto, OldCalendar, SolarTerm, Holiday})
        EXPECT_EQ(box.element(k).Font.Size, 10) << k;
    EXPECT_EQ(box.WeekdayStyle, 2);

    const LayoutItem mini = fresh(CategoryMonthFamily, VariantBoxMini);
    EXPECT_EQ(mini.element(Year2).Font.Size, 10);
    EXPECT_EQ(mini.element(Month1).Font.Size, 28);
    EXPECT_EQ(mini.element(Month2).Font.Size, 11);
    EXPECT_EQ(mini.element(Holiday).Font.Size, 11);

    LayoutItem year;
    year.LayoutVariant = 3;
    year.DesignWidth = 300;
    ASSERT_TRUE(applyNewItemDefaults(CategoryYear, 3, year, kA4Width, kA4Height));
    EXPECT_EQ(year.element(Year1).Font.Size, 72);
    EXPECT_EQ(year.element(Year2).Font.Size, 11);
    EXPECT_EQ(year.LayoutVariant, 0);
    EXPECT_EQ(year.DesignWidth, 300); // kept

    const LayoutItem month = fresh(CategoryMonthDisplay, 0);
    EXPECT_EQ(month.element(Month1).Font.Size, 72);
    EXPECT_EQ(month.Align[Month1], 1);

    const LayoutItem image = fresh(CategoryPicture, 0);
    EXPECT_TRUE(isTrue(image.FitToRect) && isTrue(image.FreeAspect));
}

TEST(NewItemDefaults, HorizontalListsWriteDayElementsVertically) {
    for (int category : {CategoryMonthFamily, CategoryWeekly}) {
        const LayoutItem item = fresh(category, VariantHorizontal, 297, 210);
        EXPECT_EQ(item.WeekdayStyle, 0);
        for (int k : {Weekday, Rokuyo, Eto, OldCalendar, SolarTerm, Holiday}) {
            EXPECT_EQ(item.element(k).Font.Vertical, 1) << k;
            EXPECT_EQ(item.element(k).Font.FaceName.text(), QString::fromUtf16(u"@ＭＳ ゴシック"))
                << k;
        }
        EXPECT_EQ(item.element(Day).Font.Vertical, 0);
        EXPECT_EQ(item.element(Day).Font.FaceName.text(), QString::fromUtf16(u"ＭＳ ゴシック"));
    }
}

TEST(NewItemDefaults, RuledLinesByKind) {
    const struct {
        int category, variant;
        int lastOn;    // entries 0..lastOn are on, black, width 1
        bool diagonal; // entry 16
    } cases[] = {
        {CategoryMonthFamily, VariantBox5, 16, true},
        {CategoryMonthFamily, VariantBox6, 15, false},
        {CategoryMonthFamily, VariantBoxMini, 15, false}, // never folds, diagonal still off
        {CategoryMonthFamily, VariantVertical, 5, false},
        {CategoryWeekly, VariantHorizontal, 5, false},
    };
    for (const auto& c : cases) {
        LayoutItem item;
        RuleBlockWriter seed = ruleBlock(item);
        for (int e = 0; e < kRuleEntryCount; ++e) {
            seed.setRuleColor(e, 0x00FF00);
            seed.setRuleWidth(e, 3);
        }
        ASSERT_TRUE(applyNewItemDefaults(c.category, c.variant, item, kA4Width, kA4Height));
        const RuleBlockReader rules = ruleBlock(std::as_const(item));
        EXPECT_TRUE(rules.drawRules());
        for (int e = 0; e <= c.lastOn; ++e) {
            EXPECT_TRUE(rules.ruleOn(e)) << c.variant << " entry " << e;
            EXPECT_EQ(rules.ruleColor(e), 0) << e;
            EXPECT_EQ(rules.ruleWidth(e), 1) << e;
        }
        EXPECT_EQ(rules.ruleOn(RuleDiagonal), c.diagonal) << c.variant;
        // Entries not switched on keep what they had.
        EXPECT_EQ(rules.ruleColor(20), 0x00FF00);
    }
    const LayoutItem year = fresh(CategoryYear, 0);
    EXPECT_FALSE(ruleBlock(year).drawRules());
}

// Spot checks of the content layouts: the halves of the five-row box, what the six-row box
// leaves alone, and the dividing lines and locks of the lists.
TEST(NewItemDefaults, ContentLayouts) {
    const LayoutItem five = fresh(CategoryMonthFamily, VariantBox5);
    EXPECT_EQ(five.element(Day).LowerPos, (TextPos{76, 41}));
    EXPECT_EQ(five.element(SolarTerm).UpperPos, (TextPos{4, 44}));
    EXPECT_EQ(five.OldCalendarStyle, 7);
    EXPECT_FALSE(isTrue(five.element(Holiday).Shown));

    const LayoutItem six = fresh(CategoryMonthFamily, VariantBox6);
    EXPECT_EQ(six.SekkiSelection, 3);
    EXPECT_EQ(six.element(Holiday).Pos, (TextPos{4, 45}));
    EXPECT_EQ(six.element(Day).LowerPos, (TextPos{0, 0})); // halves are not used by six rows

    const LayoutItem column = fresh(CategoryWeekly, VariantVertical);
    const RuleBlockReader columnRules = ruleBlock(column);
    ASSERT_EQ(columnRules.vLineCount(), 6);
    EXPECT_EQ(columnRules.vLinePos(0), 84);
    EXPECT_EQ(columnRules.vLinePos(5), 444);
    EXPECT_EQ(columnRules.hLineCount(), 0);
    EXPECT_NE(column.VCenterLock[Month4], 0);
    EXPECT_NE(column.VCenterLock[6], 0); // Holiday's vertical lock
    EXPECT_NE(column.element(SolarTerm).VCenterLock, 0);

    const LayoutItem row = fresh(CategoryMonthFamily, VariantHorizontal);
    ASSERT_EQ(ruleBlock(row).hLineCount(), 6);
    EXPECT_EQ(ruleBlock(row).hLinePos(5), 436);
    EXPECT_TRUE(isTrue(row.element(Rokuyo).HCenterLock));
    EXPECT_NE(row.VCenterLock[7], 0); // Holiday's horizontal lock
}

TEST(DefaultContentLayout, ResetKeepsFontsAndColours) {
    LayoutItem item = fresh(CategoryMonthFamily, VariantHorizontal, 297, 210);
    item.element(Rokuyo).Font.Size = 20;
    item.element(Rokuyo).Font.ForeColor.setText(QStringLiteral("&HFF00"));
    item.DateColor[2] = 0x00AA00;
    item.CellBackColor[20] = 0x0000AA;
    item.element(Rokuyo).Shown = kFalse;
    item.element(Rokuyo).Pos = {5, 5};
    item.element(Rokuyo).HCenterLock = kFalse;
    ruleBlock(item).setHLineCount(2);
    ruleBlock(item).setVLineCount(3);
    ruleBlock(item).setVLinePos(2, 99);

    ASSERT_TRUE(setDefaultContentLayout(item));
    EXPECT_EQ(item.element(Rokuyo).Font.Size, 20);
    EXPECT_EQ(item.element(Rokuyo).Font.ForeColor.text(), QStringLiteral("&HFF00"));
    EXPECT_EQ(item.element(Rokuyo).Font.Vertical, 1);
    EXPECT_EQ(item.DateColor[2], 0x00AA00);
    EXPECT_EQ(item.CellBackColor[20], 0x0000AA);
    EXPECT_TRUE(isTrue(item.element(Rokuyo).Shown));
    EXPECT_EQ(item.element(Rokuyo).Pos, (TextPos{0, 104}));
    EXPECT_TRUE(isTrue(item.element(Rokuyo).HCenterLock));
    EXPECT_EQ(ruleBlock(std::as_const(item)).hLineCount(), 6);
    EXPECT_EQ(ruleBlock(std::as_const(item)).vLineCount(), 0);
    EXPECT_EQ(ruleBlock(std::as_const(item)).vLinePos(2), 0);
}

TEST(ResetBackColors, WhiteWhereTheCategoryPaints) {
    const struct {
        int category;
        int whiteUpTo;
    } cases[] = {
        {CategoryMonthFamily, 50}, {CategoryWeekly, 10}, {CategoryYear, -1}, {CategoryPicture, -1}};
    for (const auto& c : cases) {
        LayoutItem item;
        item.Category = c.category;
        item.CellBackColor.fill(0x123456);
        resetBackColours(item);
        for (int i = 0; i < 100; ++i)
            EXPECT_EQ(item.CellBackColor[i], i <= c.whiteUpTo ? 0xFFFFFF : 0)
                << c.category << " entry " << i;
    }
}

TEST(NewItemDefaults, UnknownKindIsRefused) {
    LayoutItem item;
    EXPECT_FALSE(applyNewItemDefaults(CategoryMonthFamily, 7, item, kA4Width, kA4Height));
    EXPECT_EQ(item.BackColor, 0xFFFFFF); // the common values are still there
}

} // namespace
} // namespace tobirae
