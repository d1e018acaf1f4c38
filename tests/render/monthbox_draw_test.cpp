// What the month boxes draw and where: title texts with their locks, the weekday header, the day
// cells of folded weeks, the mini box, and the drawing order. Recording metrics: a 16 pt font is
// 20 pixels (ASCII 10 wide), 10 pt 12, 11 pt 14.
#include "monthbox_support.h"
#include "render/DayTextBuilders.h"
#include "render/RenderFrame.h"
#include "support/TestText.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

using test::newBoxItem;
using test::RecordingPreview;

struct Drawn {
    RenderContext ctx;
    RecordingPreview view{{704, 554}};
    std::vector<DrawCall> calls;

    Drawn(const LayoutItem& item, int year, int month, QSize size = {704, 554}) : view(size) {
        useRecordingSurfaces(ctx);
        DateRange range = pageDateRange(year, month);
        EXPECT_TRUE(drawLayoutItem(ctx, item, &view, range, DrawSurface{}, 0, 0));
        calls = view.recording().calls();
    }

    // Texts equal to the given text, in drawing order.
    std::vector<DrawCall> texts(const QString& text) const {
        std::vector<DrawCall> out;
        for (const DrawCall& c : calls)
            if (c.kind == DrawCall::Text && c.text == text)
                out.push_back(c);
        return out;
    }
    const DrawCall& only(const QString& text) const {
        static const DrawCall none;
        const auto found = texts(text);
        EXPECT_EQ(found.size(), 1u) << text.toStdString();
        return found.empty() ? none : *std::find_if(calls.begin(), calls.end(), [&](auto& c) {
            return c.kind == DrawCall::Text && c.text == text;
        });
    }
};

using test::u;

TEST(MonthBoxTitles, LocksAndAlignment) {
    LayoutItem item = newBoxItem();
    item.element(Month2).Shown = kTrue; // style 3 "一月" centred in the sample "十ニ月" at (3, 21)
    item.element(Month1).Font.ForeColor.setText(QStringLiteral("&HFF"));
    const Drawn d(item, 2022, 1);

    const DrawCall& year = d.only(QStringLiteral("2022"));
    EXPECT_EQ(year.x1, 330); // (700 - 40) / 2 across the content width
    EXPECT_EQ(year.y1, 4);   // four design pixels under the top
    EXPECT_EQ(year.font.height, -20);

    const DrawCall& month = d.only(u(u"1月"));
    EXPECT_EQ(month.x1, 335); // (700 - 30) / 2
    EXPECT_EQ(month.y1, 25);
    EXPECT_EQ(month.colour, 0x0000FF);

    const DrawCall& kanji = d.only(u(u"一月"));
    EXPECT_EQ(kanji.x1, 13); // 3 + (60 - 40) / 2
    EXPECT_EQ(kanji.y1, 25);
}

TEST(MonthBoxTitles, VerticalLockCentresInTheBand) {
    LayoutItem item = newBoxItem();
    item.VCenterLock[Year1] = kTrue;
    item.VCenterLock[Month1] = kTrue;
    const Drawn d(item, 2022, 1);
    EXPECT_EQ(d.only(QStringLiteral("2022")).y1, 3); // box 1..25: (24 - 20) / 2 + 1
    EXPECT_EQ(d.only(u(u"1月")).y1, 25);             // box 24..45: (21 - 20) / 2 + 24

    // One band: both centre in it from one pixel under the top.
    item.element(Month1).Pos.Y = 20;
    const Drawn single(item, 2022, 1);
    EXPECT_EQ(single.only(QStringLiteral("2022")).y1, 13); // (44 - 20) / 2 + 1
    EXPECT_EQ(single.only(u(u"1月")).y1, 13);
}

TEST(MonthBoxHeader, WeekdayNamesCentredUnderTheTitle) {
    LayoutItem item = newBoxItem();
    item.WeekdayNameColor[2] = 0x00ABCD; // Wednesday
    const Drawn d(item, 2022, 1);
    const char16_t* names[] = {u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    const Colour colours[] = {0x0000FF, 0, 0, 0x00ABCD, 0, 0, 0xFF0000};
    for (int c = 0; c < 7; ++c) {
        // The header's own "月" shares its text with nothing else in a January box.
        const auto found = d.texts(u(names[c]));
        ASSERT_FALSE(found.empty()) << c;
        const DrawCall& t = found.front();
        EXPECT_EQ(t.x1, 100 * c + 40) << c; // (100 - 20) / 2 in its column
        EXPECT_EQ(t.y1, 49) << c;           // 45 + ((73 - 45) - 20) / 2, half up
        EXPECT_EQ(t.colour, colours[c]) << c;
    }
}

TEST(MonthBoxHeader, MondayFirstKeepsNamesColoursAndBackgroundsWithTheirDays) {
    LayoutItem item = newBoxItem();
    item.Ext.weekStart = WeekStart::Monday;
    item.WeekdayNameColor[2] = 0x00ABCD; // Wednesday
    item.CellBackColor[2] = 0x0000EE;    // Sunday's header cell
    const Drawn d(item, 2022, 1);
    const char16_t* names[] = {u"月", u"火", u"水", u"木", u"金", u"土", u"日"};
    const Colour colours[] = {0, 0, 0x00ABCD, 0, 0, 0xFF0000, 0x0000FF};
    for (int c = 0; c < 7; ++c) {
        const auto found = d.texts(u(names[c]));
        ASSERT_FALSE(found.empty()) << c;
        EXPECT_EQ(found.front().x1, 100 * c + 40) << c;
        EXPECT_EQ(found.front().colour, colours[c]) << c;
    }
    const auto sundayHeader = std::find_if(d.calls.begin(), d.calls.end(), [](const DrawCall& c) {
        return c.kind == DrawCall::Rect && c.colour == 0x0000EE;
    });
    ASSERT_NE(sundayHeader, d.calls.end());
    EXPECT_EQ(sundayHeader->x1, 600); // the last column
}

TEST(MonthBoxCells, FoldedWeekUsesUpperAndLowerPositions) {
    LayoutItem item = newBoxItem();
    item.element(Day).UpperPos = {6, 7};
    item.element(Day).HCenterLock = kTrue; // not used in shared cells
    item.DateColor[8] = 0x00AA00;          // holiday
    item.DateColor[1] = 0x0000CC;          // Tuesday
    const Drawn d(item, 2022, 1);          // rows at 73, 168, 263, 357, 452

    const struct {
        const char* text;
        int x, y;
    } cases[] = {
        {"23", 6, 459},   // Sunday of row 4, upper half
        {"30", 76, 493},  // same cell, lower half
        {"24", 106, 459}, // Monday, upper
        {"31", 176, 493}, // Monday, lower
        {"25", 240, 457}, // Tuesday, normal and centred: 200 + (100 - 20) / 2
        {"5", 345, 173},  // a one-digit day trimmed and centred: 300 + (100 - 10) / 2
    };
    for (const auto& c : cases) {
        const DrawCall& t = d.only(QString::fromLatin1(c.text));
        EXPECT_EQ(t.x1, c.x) << c.text;
        EXPECT_EQ(t.y1, c.y) << c.text;
    }
    // 1 January 2022 is a Saturday and a holiday: the holiday colour wins.
    EXPECT_EQ(d.only(QStringLiteral("1")).colour, 0x00AA00);
    EXPECT_EQ(d.only(QStringLiteral("4")).colour, 0x0000CC);
    // Nothing of December or February is drawn.
    EXPECT_TRUE(d.texts(QStringLiteral("26")).size() == 1);
}

// December 2026 in Sunday-first rows: the ISO number is that of each row's Monday, and the
// week of 1 January numbering counts Sunday weeks; a folded row shows its upper week.
TEST(MonthBoxCells, WeekNumbersInTheirColumnBesideEachRow) {
    LayoutItem item = newBoxItem(VariantBox6);
    item.Ext.weekNumbers = WeekNumberColumn::Iso;
    const Drawn iso(item, 2026, 12, {704, 554});
    int lastY = 0;
    for (const char* week : {"49", "50", "51", "52", "53"}) {
        const DrawCall& t = iso.only(QString::fromLatin1(week));
        // Centred in the week column (21 wide) left of the Sunday cells.
        EXPECT_EQ(t.x1, 5) << week;
        EXPECT_GT(t.y1, lastY) << week;
        lastY = t.y1;
    }
    // The days keep to their narrower columns right of it: Tuesday 15 December stands where it
    // stood in its column, which now begins at 21 + 2 × 97 instead of 200.
    const int plainX = Drawn(newBoxItem(VariantBox6), 2026, 12).only(QStringLiteral("15")).x1;
    EXPECT_EQ(iso.only(QStringLiteral("15")).x1, plainX - 200 + 215);
    // A centred title centres over the days, as its band lies: 21 + (679 - 40) / 2.
    LayoutItem titled = newBoxItem();
    titled.Ext.weekNumbers = WeekNumberColumn::Iso;
    EXPECT_NEAR(Drawn(titled, 2022, 1).only(QStringLiteral("2022")).x1, 340.5, 1);
    item.Ext.weekNumbers = WeekNumberColumn::FirstJanuary;
    const Drawn january(item, 2027, 1, {704, 554});
    for (const char* week : {"1", "2", "3", "4", "5", "6"})
        EXPECT_FALSE(january.texts(QString::fromLatin1(week)).empty()) << week;
    // 2027-01-01 is a Friday: six Sunday rows, week 6 holding 31 January. One-digit days print
    // with a leading space, so these texts are the week numbers alone.
    EXPECT_EQ(january.texts(QStringLiteral("6")).size(), 1u);
    EXPECT_TRUE(january.texts(QStringLiteral("7")).empty());
    item.Ext.weekNumbers = WeekNumberColumn::None;
    const Drawn none(item, 2026, 12, {704, 554});
    EXPECT_TRUE(none.texts(QStringLiteral("49")).empty());
}

TEST(MonthBoxOrder, BackgroundsLinesNamesThenDays) {
    LayoutItem item = newBoxItem();
    item.CellBackColor[0] = 0x0000AA;
    item.CellBackColor[9] = 0x00AA00;
    const Drawn d(item, 2022, 1);
    auto firstIndex = [&](auto pred) {
        return std::find_if(d.calls.begin(), d.calls.end(), pred) - d.calls.begin();
    };
    const auto yearBand = firstIndex([](auto& c) { return c.kind == DrawCall::Rect; });
    const auto title = firstIndex([](auto& c) { return c.text == QStringLiteral("2022"); });
    const auto cellBack =
        firstIndex([](auto& c) { return c.kind == DrawCall::Rect && c.colour == 0x00AA00; });
    const auto firstRule =
        firstIndex([](auto& c) { return c.kind == DrawCall::Line && c.colour == 0 && c.y1 == 1; });
    const auto weekday = firstIndex([](auto& c) { return c.text == QString::fromUtf16(u"日"); });
    const auto day = firstIndex([](auto& c) { return c.text == QStringLiteral("1"); });
    EXPECT_LT(yearBand, title);
    EXPECT_LT(title, cellBack);
    EXPECT_LT(cellBack, firstRule);
    EXPECT_LT(firstRule, weekday);
    EXPECT_LT(weekday, day);
}

// Default mini box: W = 147 (columns of 21), 年 10 pt at (2, 21), 月 28 pt at (0, 0): one band of
// 40; header 14 high -> hb 54, G 62, rows of (180 - 62) / 6; day numbers 14 high.
TEST(MiniBox, DayNumbersCentredInTheirCells) {
    LayoutItem item = newBoxItem(VariantBoxMini);
    item.DateColor[8] = 0x00AA00;
    const Drawn d(item, 2022, 1, {154, 184});
    const DrawCall& saturday = d.only(QStringLiteral("8"));
    EXPECT_EQ(saturday.x1, 126 + 7);      // (21 - 7) / 2, half up
    EXPECT_EQ(saturday.y1, 82 + 3);       // row 1 from round(81.67), (19.67 - 14) / 2, half up
    EXPECT_EQ(saturday.colour, 0xFF0000); // Saturday colour
    // The sixth week stays in its own row: the 30th and 31st of January 2022.
    const DrawCall& last = d.only(QStringLiteral("31"));
    EXPECT_EQ(last.x1, 21 + 4);
    EXPECT_EQ(last.y1, 160 + 3);
    EXPECT_EQ(d.only(QStringLiteral("10")).colour, 0x00AA00); // 成人の日
    // Only the day numbers in the grid, and no diagonal.
    int inGrid = 0;
    for (const DrawCall& c : d.view.recording().texts()) {
        if (c.y1 < 62)
            continue;
        ++inGrid;
        EXPECT_EQ(c.font.height, -14) << c.text.toStdString();
    }
    EXPECT_EQ(inGrid, 31);
    for (const DrawCall& l : d.view.recording().lines())
        EXPECT_TRUE(l.x1 == l.x2 || l.y1 == l.y2) << "diagonal";
}

TEST(MonthBoxAutoSize, ViewFollowsTheDesignSize) {
    LayoutItem item = newBoxItem();
    item.DesignWidth = 703;
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    RecordingPreview view({300, 300});
    DateRange range = pageDateRange(2022, 1);
    ASSERT_TRUE(test::drawAtContentSize(ctx, item, view, range));
    EXPECT_EQ(view.size(), QSize(704, 554)); // 703 cut to 700, + 4 each way
    bool rightEdge = false;
    for (const DrawCall& l : view.recording().lines())
        rightEdge |= l.x1 == 700 && l.x2 == 700;
    EXPECT_TRUE(rightEdge);
}

} // namespace
} // namespace tobirae
