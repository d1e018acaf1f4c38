// Where the lists draw: region backgrounds between the dividing lines, ruled-line entries 0..5,
// centre locks along the days, placement offsets, the horizontal list as the vertical one with
// the axes exchanged, and the measuring twin against the drawing.
#include "daylist_support.h"
#include "owndays/OwnDayTable.h"

#include <gtest/gtest.h>
#include <tuple>

namespace tobirae {
namespace {

using test::distinctRules;
using test::drawListOnScreen;
using test::linesOfColour;
using test::newListItem;
using test::noBackgrounds;
using test::showOnly;

struct Box {
    int left, top, right, bottom;
    Colour colour;
    bool operator==(const Box&) const = default;
};

std::vector<Box> rectsOf(const RecordingCanvas& canvas) {
    std::vector<Box> out;
    for (const DrawCall& r : canvas.rects())
        out.push_back({r.x1, r.y1, r.x2, r.y2, r.colour});
    return out;
}

void setDividers(LayoutItem& item, std::vector<int> positions, bool horizontal) {
    RuleBlockWriter rules = ruleBlock(item);
    rules.clearDividingLines();
    const auto count = static_cast<std::int32_t>(positions.size());
    horizontal ? rules.setHLineCount(count) : rules.setVLineCount(count);
    for (std::size_t i = 0; i < positions.size(); ++i)
        horizontal ? rules.setHLinePos(static_cast<int>(i), positions[i])
                   : rules.setVLinePos(static_cast<int>(i), positions[i]);
}

TEST(DayListBackgrounds, ThreeDividingLinesGiveFourRegionsPaintedWithEntriesZeroToThree) {
    constexpr Colour white = 0xFFFFFF;
    const struct {
        const char* name;
        int variant;
        std::vector<int> positions;
        std::vector<Box> expected;
    } cases[] = {
        {"vertical list",
         VariantVertical,
         {100, 200, 400},
         {{0, 0, 100, 465, 0x0000FF}, {100, 0, 200, 465, 0x00FF00}, {400, 0, 560, 465, 0xFF0000}}},
        {"vertical list, lines out of order",
         VariantVertical,
         {400, 100, 200},
         {{0, 0, 100, 465, 0x0000FF}, {100, 0, 200, 465, 0x00FF00}, {400, 0, 560, 465, 0xFF0000}}},
        {"horizontal list",
         VariantHorizontal,
         {100, 200, 400},
         {{0, 0, 744, 100, 0x0000FF}, {0, 100, 744, 200, 0x00FF00}, {0, 400, 744, 560, 0xFF0000}}},
    };
    for (const auto& c : cases) {
        LayoutItem item = newListItem(CategoryMonthFamily, c.variant);
        ASSERT_EQ(item.BackColor, white);
        noBackgrounds(item);
        item.CellBackColor[0] = 0x0000FF;
        item.CellBackColor[1] = 0x00FF00;
        item.CellBackColor[2] = white; // the item's own colour: left unpainted
        item.CellBackColor[3] = 0xFF0000;
        item.CellBackColor[4] = 0x777777; // no fifth region
        const bool horizontal = c.variant == VariantHorizontal;
        setDividers(item, c.positions, horizontal);
        // The other list's dividing lines are not this list's.
        RuleBlockWriter other = ruleBlock(item);
        horizontal ? other.setVLineCount(1) : other.setHLineCount(1);
        horizontal ? other.setVLinePos(0, 50) : other.setHLinePos(0, 50);
        EXPECT_EQ(rectsOf(drawListOnScreen(item, 2024, 5)), c.expected) << c.name;
    }
}

TEST(DayListBackgrounds, WithoutDividingLinesTheWholeListUsesEntryZero) {
    LayoutItem item = newListItem(CategoryWeekly, VariantVertical, 5);
    noBackgrounds(item);
    item.CellBackColor[0] = 0x00FFFF;
    setDividers(item, {}, false);
    EXPECT_EQ(rectsOf(drawListOnScreen(item, 2024, 5)),
              (std::vector<Box>{{0, 0, 560, 147, 0x00FFFF}}));
}

struct Segment {
    int x1, y1, x2, y2, width;
    bool operator==(const Segment&) const = default;
};

std::vector<Segment> segmentsOf(const std::vector<DrawCall>& lines) {
    std::vector<Segment> out;
    for (const DrawCall& l : lines)
        out.push_back({l.x1, l.y1, l.x2, l.y2, l.penWidth});
    return out;
}

TEST(DayListRules, EntriesZeroToFiveAtExactPixels) {
    auto width = [](int e) { return e + 1; };
    for (int variant : {VariantVertical, VariantHorizontal}) {
        const bool across = variant == VariantHorizontal;
        LayoutItem item = newListItem(CategoryMonthFamily, variant);
        distinctRules(item, width);
        showOnly(item, {});
        // Given as (along the days, across them) and turned into x, y for the list.
        const int length = across ? 744 : 465; // 31 lines of 24 or 15
        const int line = length / 31;
        const int breadth = 560;
        auto seg = [&](int a1, int c1, int a2, int c2, int w) {
            return across ? Segment{a1, c1, a2, c2, w} : Segment{c1, a1, c2, a2, w};
        };
        const std::vector<int> dividers = across ? std::vector<int>{52, 100, 136, 172, 280, 436}
                                                 : std::vector<int>{84, 108, 144, 180, 288, 444};

        const RecordingCanvas canvas = drawListOnScreen(item, 2024, 5);
        EXPECT_EQ(segmentsOf(linesOfColour(canvas, 0x100)),
                  (std::vector<Segment>{seg(0, 0, length, 0, 1)}));
        EXPECT_EQ(segmentsOf(linesOfColour(canvas, 0x101)),
                  (std::vector<Segment>{seg(0, breadth, length, breadth, 2)}));
        std::vector<Segment> dividing;
        for (int d : dividers)
            dividing.push_back(seg(0, d, length, d, 3));
        EXPECT_EQ(segmentsOf(linesOfColour(canvas, 0x102)), dividing);
        EXPECT_EQ(segmentsOf(linesOfColour(canvas, 0x103)),
                  (std::vector<Segment>{seg(0, 0, 0, breadth, 4)}));
        std::vector<Segment> between;
        for (int r = 1; r < 31; ++r)
            between.push_back(seg(r * line, 0, r * line, breadth, 5));
        EXPECT_EQ(segmentsOf(linesOfColour(canvas, 0x104)), between);
        EXPECT_EQ(segmentsOf(linesOfColour(canvas, 0x105)),
                  (std::vector<Segment>{seg(length, 0, length, breadth, 6)}));
    }
}

bool isRuleColour(Colour c) {
    return c >= 0x100 && c <= 0x105;
}

TEST(DayListRules, MasterSwitchAndEntryFlags) {
    LayoutItem item = newListItem(CategoryWeekly, VariantHorizontal, 0);
    distinctRules(item);
    RuleBlockWriter rules = ruleBlock(item);
    rules.setRuleOn(4, false);
    auto count = [&](Colour colour) {
        return linesOfColour(drawListOnScreen(item, 2024, 5), colour).size();
    };
    EXPECT_EQ(count(0x104), 0u);
    EXPECT_EQ(count(0x105), 1u);
    rules.setDrawRules(false);
    for (const DrawCall& l : drawListOnScreen(item, 2024, 5).lines())
        EXPECT_FALSE(isRuleColour(l.colour));
}

TEST(DayListRules, BackgroundsThenLinesThenTexts) {
    LayoutItem item = newListItem(CategoryWeekly, VariantVertical, 0);
    distinctRules(item);
    item.CellBackColor[0] = 0xEEEEEE;
    const auto calls = drawListOnScreen(item, 2024, 5).calls();
    int lastRect = -1, firstRule = -1, lastRule = -1, firstText = -1;
    for (int i = 0; i < static_cast<int>(calls.size()); ++i) {
        const DrawCall& c = calls[static_cast<std::size_t>(i)];
        if (c.kind == DrawCall::Rect)
            lastRect = i;
        if (c.kind == DrawCall::Line && isRuleColour(c.colour)) {
            firstRule = firstRule < 0 ? i : firstRule;
            lastRule = i;
        }
        if (c.kind == DrawCall::Text && firstText < 0)
            firstText = i;
    }
    ASSERT_GE(lastRect, 0);
    ASSERT_GE(firstText, 0);
    EXPECT_LT(lastRect, firstRule);
    EXPECT_LT(lastRule, firstText);
}

TEST(DayListPlacement, OffsetsMoveLinesAndTexts) {
    LayoutItem item = newListItem(CategoryMonthFamily, VariantVertical);
    distinctRules(item);
    showOnly(item, {});
    item.element(Day).VCenterLock = 0;
    item.Width = 600; // centred: 20 to the right
    item.HPlacement = 1;
    item.Height = 475; // at the bottom: 475 - 465 - 1 = 9 down
    item.VPlacement = 2;
    const RecordingCanvas canvas = drawListOnScreen(item, 2024, 5);
    EXPECT_EQ(segmentsOf(linesOfColour(canvas, 0x100)),
              (std::vector<Segment>{{20, 9, 20, 474, 1}}));
    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 31u);
    EXPECT_EQ(texts[1].x1, 67 + 20);
    EXPECT_EQ(texts[1].y1, 15 + 9);
}

// Texts of 5 May 2024 (a holiday) in a list with lines of 20 (vertical) or 30 (horizontal)
// pixels. The 11-point fonts are 14 pixels high on the recording: ASCII 7 wide, others 14.
struct LockCase {
    const char* name;
    int variant;
    void (*setUp)(LayoutItem&);
    int element; // Day, Rokuyo, Weekday or Holiday
    QString text;
    int x, y;
};

LayoutItem lockItem(int variant) {
    LayoutItem item = newListItem(CategoryMonthFamily, variant);
    if (variant == VariantVertical) {
        item.DesignHeight = 620;
        item.Height = 620;
    } else {
        item.DesignWidth = 930;
        item.Width = 930;
    }
    noBackgrounds(item);
    ruleBlock(item).setDrawRules(false);
    showOnly(item, {Rokuyo, Weekday, Holiday});
    for (int k = 0; k < kElementCount; ++k) {
        item.element(k).HCenterLock = kFalse;
        item.element(k).VCenterLock = 0;
    }
    item.VCenterLock.fill(0);
    item.element(Rokuyo).Pos = {10, 5};
    return item;
}

TEST(DayListLocks, OnlyTheLockAlongTheDaysCentres) {
    const QString kodomo = QString::fromUtf16(u"こどもの日");
    const QString taian = QString::fromUtf16(u"大安");
    const int top = 4 * 20; // row of the 5th
    const int left = 4 * 30;
    const LockCase cases[] = {
        {"vertical, no lock", VariantVertical, [](LayoutItem&) {}, Day, " 5", 67, top},
        {"vertical, vertical lock", VariantVertical,
         [](LayoutItem& i) { i.element(Day).VCenterLock = 1; }, Day, " 5", 67, top + 3},
        {"vertical, horizontal lock ignored", VariantVertical,
         [](LayoutItem& i) { i.element(Day).HCenterLock = kTrue; }, Day, " 5", 67, top},
        {"vertical, rokuyo at its offset", VariantVertical, [](LayoutItem&) {}, Rokuyo, taian, 10,
         top + 5},
        {"vertical, holiday lock in slot 6", VariantVertical,
         [](LayoutItem& i) { i.VCenterLock[6] = 1; }, Holiday, kodomo, 448, top + 3},
        {"vertical, slot 7 ignored", VariantVertical, [](LayoutItem& i) { i.VCenterLock[7] = 1; },
         Holiday, kodomo, 448, top},
        {"horizontal, no lock", VariantHorizontal, [](LayoutItem&) {}, Day, " 5", left, 36},
        // Trimmed to "5" (7 wide) and centred in the column of 30.
        {"horizontal, horizontal lock", VariantHorizontal,
         [](LayoutItem& i) { i.element(Day).HCenterLock = kTrue; }, Day, "5", left + 12, 36},
        {"horizontal, vertical lock ignored", VariantHorizontal,
         [](LayoutItem& i) { i.element(Day).VCenterLock = 1; }, Day, " 5", left, 36},
        {"horizontal, rokuyo at its offset", VariantHorizontal, [](LayoutItem&) {}, Rokuyo, taian,
         left + 10 + 14, 5},
        // Vertical writing, 14 thick: centred from left + 8, its reference on the right.
        {"horizontal, vertical writing centred", VariantHorizontal,
         [](LayoutItem& i) { i.VCenterLock[7] = 1; }, Holiday, kodomo, left + 8 + 14, 440},
        {"horizontal, slot 6 ignored", VariantHorizontal,
         [](LayoutItem& i) { i.VCenterLock[6] = 1; }, Holiday, kodomo, left + 14, 440},
    };
    for (const LockCase& c : cases) {
        LayoutItem item = lockItem(c.variant);
        c.setUp(item);
        const RecordingCanvas canvas = drawListOnScreen(item, 2024, 5);
        const std::vector<DrawCall> texts = canvas.texts();
        const DrawCall* found = nullptr;
        int days = 0;
        for (const DrawCall& t : texts) {
            if (t.text == "5" || t.text == " 5")
                days++;
            if (days == 1 && t.text == c.text && !found)
                found = &t;
        }
        ASSERT_NE(found, nullptr) << c.name;
        EXPECT_EQ(found->x1, c.x) << c.name;
        EXPECT_EQ(found->y1, c.y) << c.name;
    }
}

// The horizontal twin of a vertical list: sizes, positions and dividing lines exchanged.
LayoutItem exchanged(const LayoutItem& v) {
    LayoutItem h = v;
    h.LayoutVariant = VariantHorizontal;
    std::swap(h.DesignWidth, h.DesignHeight);
    std::swap(h.Width, h.Height);
    for (ContentElement& e : h.Elements)
        std::swap(e.Pos.X, e.Pos.Y);
    RuleBlockWriter rules = ruleBlock(h);
    const int count = rules.vLineCount();
    std::vector<int> positions;
    for (int i = 0; i < count; ++i)
        positions.push_back(rules.vLinePos(i));
    setDividers(h, positions, true);
    return h;
}

using CallKey = std::tuple<int, int, int, int, int, Colour, QString, int>;

std::vector<CallKey> keysOf(const RecordingCanvas& canvas, bool transpose) {
    std::vector<CallKey> out;
    for (const DrawCall& c : canvas.calls()) {
        int x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        if (transpose) {
            std::swap(x1, y1);
            std::swap(x2, y2);
        }
        out.emplace_back(c.kind, x1, y1, x2, y2, c.colour, c.text, c.penWidth);
    }
    std::sort(out.begin(), out.end());
    return out;
}

TEST(DayListAxes, HorizontalListIsTheVerticalOneWithTheAxesExchanged) {
    for (int category : {CategoryMonthFamily, CategoryWeekly}) {
        LayoutItem v = newListItem(category, VariantVertical, 4);
        showOnly(v, {Year1, Month1, Rokuyo, Eto, OldCalendar, SolarTerm, Holiday});
        for (int k = 0; k < kElementCount; ++k) {
            v.element(k).Font.Vertical = 0;
            v.element(k).VCenterLock = 0;
            v.element(k).HCenterLock = kFalse;
            v.element(k).Pos.Y = 2 + k; // a distinct offset along the days
        }
        v.VCenterLock.fill(0);
        v.Align.fill(0);
        distinctRules(v, [](int e) { return e % 3 + 1; });
        for (int i = 0; i < 7; ++i)
            v.CellBackColor[static_cast<std::size_t>(i)] = 0x010101 * (i + 1);
        const LayoutItem h = exchanged(v);

        // A week over the year end and a month with holidays and solar terms.
        for (auto [year, month] : {std::pair{2025, 12}, std::pair{2024, 5}}) {
            const RecordingCanvas down = drawListOnScreen(v, year, month);
            const RecordingCanvas across = drawListOnScreen(h, year, month);
            EXPECT_GT(down.texts().size(), 7u);
            EXPECT_EQ(keysOf(across, false), keysOf(down, true))
                << "category " << category << " " << year << "/" << month;
        }
    }
}

TEST(DayListMeasure, MeasuringGivesWhereThePageDrawingEnds) {
    const struct {
        const char* name;
        int variant;
        int designWidth, designHeight;
        bool fit;
        float width, height;
        float right, bottom; // layout pixels, before the page scale
    } cases[] = {
        {"vertical list cut to 31 rows", VariantVertical, 560, 470, false, 600, 500, 10 + 560,
         20 + 465},
        {"vertical list, no design width", VariantVertical, 0, 470, false, 600, 500, 10 + 560,
         20 + 465},
        {"horizontal list cut to 31 columns", VariantHorizontal, 750, 560, false, 800, 600,
         10 + 744, 20 + 560},
        // Fitted at half size with the aspect kept: 280 x 235, then cut to 7 x 31 rows.
        {"vertical list fitted", VariantVertical, 560, 470, true, 280, 240, 10 + 280, 20 + 217},
    };
    for (const auto& c : cases) {
        LayoutItem item = newListItem(CategoryMonthFamily, c.variant);
        item.Left = 10;
        item.Top = 20;
        item.DesignWidth = c.designWidth;
        item.DesignHeight = c.designHeight;
        item.FitToRect = toB16(c.fit);
        item.Width = c.width;
        item.Height = c.height;
        distinctRules(item);

        RenderContext ctx;
        useRecordingSurfaces(ctx);
        setPageDpi(ctx, 192); // page scale 2
        DateRange range = pageDateRange(2024, 5);
        const auto extent = measureLayoutItem(ctx, item, range);
        ASSERT_TRUE(extent.has_value()) << c.name;
        EXPECT_FLOAT_EQ(extent->right, c.right * 2) << c.name;
        EXPECT_FLOAT_EQ(extent->bottom, c.bottom * 2) << c.name;

        ASSERT_TRUE(createPageBitmap(ctx, 1000, 1000, -1));
        range = pageDateRange(2024, 5);
        ASSERT_TRUE(drawLayoutItem(ctx, item, nullptr, range, DrawSurface{}, 0, 0));
        RecordingCanvas* page = recordedPage(ctx);
        ASSERT_NE(page, nullptr);
        // The far edges (entry 1 across the days, entry 5 after the last day) end the drawing.
        const bool across = c.variant == VariantHorizontal;
        const auto farSide = linesOfColour(*page, 0x101);
        const auto lastDay = linesOfColour(*page, 0x105);
        ASSERT_EQ(farSide.size(), 1u);
        ASSERT_EQ(lastDay.size(), 1u);
        EXPECT_EQ(across ? lastDay[0].x1 : farSide[0].x1, static_cast<int>(c.right * 2)) << c.name;
        EXPECT_EQ(across ? farSide[0].y1 : lastDay[0].y1, static_cast<int>(c.bottom * 2)) << c.name;
    }
}

TEST(DayListMeasure, AutoSizeFitsTheViewToTheCutContent) {
    // 29～末日 is three lines: 65 cut to 63.
    for (int variant : {VariantVertical, VariantHorizontal}) {
        LayoutItem item = newListItem(CategoryWeekly, variant, 9);
        item.FitToRect = kTrue; // auto-size lays out at the design size all the same
        RenderContext ctx;
        useRecordingSurfaces(ctx);
        test::RecordingPreview view(QSize(100, 100));
        DateRange range = pageDateRange(2024, 1);
        ASSERT_TRUE(test::drawAtContentSize(ctx, item, view, range));
        const QSize expected = variant == VariantVertical ? QSize(564, 67) : QSize(67, 564);
        EXPECT_EQ(view.size(), expected) << variant;
        QStringList days;
        for (const DrawCall& t : view.recording().texts())
            if (const int d = t.text.trimmed().toInt(); d >= 29 && d <= 31)
                days << t.text.trimmed();
        EXPECT_EQ(days, (QStringList{"29", "30", "31"})) << variant;
    }
}

// Lists and weekly strips colour and name the user's days like the month boxes do.
TEST(DayListOwnDays, DaysOffAreRedWorkingDaysAreNotAndNamesFollowTheHoliday) {
    using std::chrono::year;
    using test::textsOf;
    const OwnDayTable table({
        {year{2024} / 5 / 7, year{2024} / 5 / 7, false, QStringLiteral("臨時休業"),
         OwnDayKind::DayOff},
        {year{2024} / 5 / 12, year{2024} / 5 / 12, false, QStringLiteral("日曜出勤"),
         OwnDayKind::WorkingDay},
        {year{2024} / 5 / 3, year{2024} / 5 / 3, false, QStringLiteral("棚卸し"),
         OwnDayKind::WorkingDay},
    });
    for (auto [category, variant] : {std::pair{CategoryMonthFamily, VariantVertical},
                                     std::pair{CategoryWeekly, VariantHorizontal}}) {
        SCOPED_TRACE(testing::Message() << "category " << category << " variant " << variant);
        LayoutItem item = newListItem(category, variant);
        item.WeekRange = 1; // weekly: the second week, 5 to 11 May
        item.element(Holiday).Shown = kTrue;
        for (int i = 0; i < 9; ++i)
            item.DateColor[static_cast<std::size_t>(i)] = 0x100 + i;
        const RecordingCanvas canvas = drawListOnScreen(item, 2024, 5, &table);
        const auto dayColour = [&](int day) -> std::optional<Colour> {
            for (const DrawCall& t : canvas.texts())
                if (t.text.trimmed() == QString::number(day))
                    return t.colour;
            return std::nullopt;
        };
        const QStringList texts = textsOf(canvas);
        if (category == CategoryWeekly) {
            EXPECT_EQ(dayColour(7), 0x108);
            EXPECT_EQ(dayColour(6), 0x108); // 振替休日
            EXPECT_TRUE(texts.contains(QStringLiteral("臨時休業")));
            continue;
        }
        EXPECT_EQ(dayColour(7), 0x108);
        EXPECT_EQ(dayColour(12), 0x100);
        EXPECT_EQ(dayColour(3), 0x104); // a Friday
        EXPECT_TRUE(texts.contains(QStringLiteral("臨時休業")));
        EXPECT_TRUE(texts.contains(QStringLiteral("日曜出勤")));
        EXPECT_TRUE(texts.contains(QStringLiteral("憲法記念日・棚卸し")));
    }
}

// 選日, 月齢 and the moon phase print on the days of the lists as the other elements do: at their
// position from the day's line, centred in it under the lock along the days, in their own font.
TEST(DayListExtras, SelectedDaysMoonAgeAndPhaseOnEveryKindOfList) {
    for (auto [category, variant] : {std::pair{CategoryMonthFamily, VariantVertical},
                                     std::pair{CategoryWeekly, VariantHorizontal}}) {
        SCOPED_TRACE(testing::Message() << "category " << category << " variant " << variant);
        LayoutItem item = newListItem(category, variant);
        item.WeekRange = 2; // weekly: 9 to 15 March 2025
        const bool across = variant == VariantHorizontal;
        if (across) { // days wide enough for the names
            item.DesignWidth = 700;
            item.Width = 700;
        }
        showOnly(item, {Rokuyo});
        setDividers(item, {}, across);
        // The 六曜 is the reference: the extras stand 40, 80 and 120 further across the days.
        ContentElement& rokuyo = item.element(Rokuyo);
        rokuyo.VCenterLock = 0;
        rokuyo.HCenterLock = kFalse;
        rokuyo.Pos = {8, 8};
        rokuyo.Font.Vertical = 0;
        rokuyo.Font.ForeColor.setText(QStringLiteral("&H1FF"));
        for (int i = 0; i < kExtraElementCount; ++i) {
            ContentElement& e = item.ExtraElements[static_cast<std::size_t>(i)];
            e = rokuyo;
            e.Font.ForeColor.setText(QStringLiteral("&H%1").arg(0x200 + i, 0, 16));
            (across ? e.Pos.Y : e.Pos.X) += 40 * (i + 1);
        }
        // 天赦日 only: the 10th is also 一粒万倍日 and 寅の日, which this item does not name.
        item.ExtraElements[ExtraSelectedDays].Style = 0b10;
        const auto drawn = [&](Colour colour) {
            std::vector<DrawCall> out;
            for (const DrawCall& t : drawListOnScreen(item, 2025, 3).texts())
                if (t.colour == colour)
                    out.push_back(t);
            return out;
        };
        const auto alongOf = [&](const DrawCall& t) { return across ? t.x1 : t.y1; };
        const auto crossOf = [&](const DrawCall& t) { return across ? t.y1 : t.x1; };
        const std::vector<DrawCall> rokuyos = drawn(0x1FF);
        const std::size_t tenth = across ? 1 : 9, fourteenth = across ? 5 : 13;
        ASSERT_GT(rokuyos.size(), fourteenth);
        const std::vector<DrawCall> senjitsu = drawn(0x200);
        ASSERT_EQ(senjitsu.size(), 1u); // the one 天赦日 of the spring
        EXPECT_EQ(senjitsu[0].text, QString::fromUtf16(u"天赦日"));
        EXPECT_EQ(alongOf(senjitsu[0]), alongOf(rokuyos[tenth]));
        EXPECT_EQ(crossOf(senjitsu[0]), crossOf(rokuyos[tenth]) + 40);
        const std::vector<DrawCall> ages = drawn(0x201);
        ASSERT_EQ(ages.size(), rokuyos.size());
        EXPECT_EQ(ages[tenth].text, QStringLiteral("10.1"));
        EXPECT_EQ(crossOf(ages[tenth]), crossOf(rokuyos[tenth]) + 80);
        // One phase in the week: 満月 on the 14th.
        const std::vector<DrawCall> phases = drawn(0x202);
        ASSERT_EQ(phases.size(), across ? 1u : 4u);
        const DrawCall full = across ? phases[0] : phases[1];
        EXPECT_EQ(full.text, QString::fromUtf16(u"○"));
        EXPECT_EQ(alongOf(full), alongOf(rokuyos[fourteenth]));
        // Under the lock along the days the phase is centred in its line, off its position.
        ContentElement& phase = item.ExtraElements[ExtraMoonPhase];
        if (across)
            phase.HCenterLock = kTrue;
        else
            phase.VCenterLock = 1;
        const std::vector<DrawCall> centred = drawn(0x202);
        ASSERT_EQ(centred.size(), phases.size());
        EXPECT_NE(alongOf(centred[across ? 0 : 1]), alongOf(full));
        EXPECT_EQ(crossOf(centred[across ? 0 : 1]), crossOf(full));
    }
}

} // namespace
} // namespace tobirae
