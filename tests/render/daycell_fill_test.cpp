// One day cell filled directly on a recording, and the element extents of the title groups.
#include "monthbox_support.h"
#include "owndays/OwnDayTable.h"
#include "render/DayCell.h"
#include "render/DayTextBuilders.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

using namespace std::chrono;

// Recording metrics: ASCII characters are half an em wide, everything else one em.
int widthOf(const QString& text, int em) {
    int width = 0;
    for (const char32_t c : text.toUcs4())
        width += c < 0x80 ? em / 2 : em;
    return width;
}

struct Cell {
    RenderContext ctx;
    RecordingCanvas canvas{800, 800};
    std::vector<DrawCall> fill(const LayoutItem& item, year_month_day date,
                               const DayCellPlacement& place) {
        useRecordingSurfaces(ctx);
        canvas.clearCalls();
        EXPECT_TRUE(fillDayCell(ctx, DrawSurface{&canvas, 1, 1}, item, date, place));
        return canvas.texts();
    }
};

LayoutItem cellItem() {
    LayoutItem item = test::newBoxItem();
    item.element(Holiday).Shown = kTrue;
    return item;
}

TEST(DayCellFill, OrderScalesAndFontScale) {
    Cell cell;
    const LayoutItem item = cellItem();
    DayCellPlacement place{100, 200, 50, 0.5f, 2.0f, CellHalf::Normal};
    // 2022/3/21: 春分の日 (a holiday and a solar term) on a Monday.
    const auto texts = cell.fill(item, year{2022} / 3 / 21, place);
    ASSERT_EQ(texts.size(), 6u); // day, rokuyo, eto, old date, solar term, holiday
    EXPECT_EQ(texts[0].text, QStringLiteral("21"));
    EXPECT_EQ(texts[0].x1, 100 + 2);      // 4 x 0.5
    EXPECT_EQ(texts[0].y1, 200 + 10);     // 5 x 2
    EXPECT_EQ(texts[0].font.height, -41); // 16 pt at font scale 2: Fix(2 x -21 + 0.5)
    EXPECT_EQ(texts[0].colour, item.DateColor[8]);
    EXPECT_EQ(texts[1].x1, 100 + 2); // rokuyo at (4, 29)
    EXPECT_EQ(texts[1].y1, 200 + 58);
    EXPECT_EQ(texts[2].x1, 100 + 16); // eto at (32, 29)
    EXPECT_EQ(texts[4].text, solarTermText(0, year{2022} / 3 / 21));
    EXPECT_FALSE(texts[5].text.isEmpty());
    for (const DrawCall& t : texts)
        EXPECT_TRUE(t.transparent);
}

// 選日 with the names the item chose, 月齢 and the moon phase as symbol or name, after the
// thirteen elements and at their own positions.
TEST(DayCellFill, SelectedDaysMoonAgeAndPhase) {
    Cell cell;
    LayoutItem item = test::newBoxItem();
    for (ContentElement& e : item.ExtraElements) {
        e.Shown = kTrue;
        e.Font = item.element(Rokuyo).Font;
    }
    item.ExtraElements[ExtraSelectedDays].Pos = {2, 40};
    // Only 一粒万倍日 and 天赦日 are named, not 寅の日 or 三隣亡.
    item.ExtraElements[ExtraSelectedDays].Style = 0b11;
    item.ExtraElements[ExtraMoonAge].Pos = {30, 2};
    const DayCellPlacement place{100, 200, 200, 1, 1, CellHalf::Normal};
    auto texts = cell.fill(item, year{2025} / 3 / 10, place);
    ASSERT_GE(texts.size(), 3u);
    const DrawCall& senjitsu = texts[texts.size() - 2];
    EXPECT_EQ(senjitsu.text, QString::fromUtf16(u"一粒万倍日・天赦日"));
    EXPECT_EQ(senjitsu.y1, 240);
    EXPECT_EQ(texts.back().text, QStringLiteral("10.1"));
    EXPECT_EQ(texts.back().x1, 130);

    // 2025-03-14: 満月 (15:55 Japan time); no 選日 of the chosen ones.
    texts = cell.fill(item, year{2025} / 3 / 14, place);
    EXPECT_EQ(texts.back().text, QString::fromUtf16(u"○"));
    item.ExtraElements[ExtraMoonPhase].Style = 1;
    texts = cell.fill(item, year{2025} / 3 / 14, place);
    EXPECT_EQ(texts.back().text, QString::fromUtf16(u"満月"));
    EXPECT_EQ(texts[texts.size() - 2].text, QStringLiteral("14.1"));
}

TEST(DayCellFill, HalfCellsUseTheirPositionsWithoutCentring) {
    Cell cell;
    LayoutItem item = cellItem();
    item.element(Day).HCenterLock = kTrue;
    item.element(Rokuyo).HCenterLock = kTrue;
    const year_month_day date = year{2022} / 1 / 4;
    const auto normal = cell.fill(item, date, {0, 0, 100, 1, 1, CellHalf::Normal});
    EXPECT_EQ(normal[0].text, QStringLiteral("4"));
    EXPECT_EQ(normal[0].x1, 45);             // trimmed, (100 - 10) / 2
    EXPECT_EQ(normal[1].x1, (100 - 24) / 2); // rokuyo centred too

    const auto upper = cell.fill(item, date, {0, 0, 100, 1, 1, CellHalf::Upper});
    EXPECT_EQ(upper[0].text, QStringLiteral(" 4"));
    EXPECT_EQ(upper[0].x1, 4);
    const auto lower = cell.fill(item, date, {0, 0, 100, 1, 1, CellHalf::Lower});
    EXPECT_EQ(lower[0].x1, 76);
    EXPECT_EQ(lower[0].y1, 41);
    EXPECT_EQ(lower[1].x1, 45); // rokuyo's lower position
}

TEST(DayCellFill, StyledElementsAlignInTheirSampleBox) {
    Cell cell;
    LayoutItem item = cellItem();
    item.element(SolarTerm).Shown = kFalse;
    item.element(Rokuyo).Shown = kFalse;
    item.element(Eto).Shown = kFalse;
    const year_month_day date = year{2022} / 1 / 5;
    const QString old = oldDateTextFor(item.OldCalendarStyle, date);
    ASSERT_FALSE(old.isEmpty());
    const int sample = widthOf(oldDateSample(item.OldCalendarStyle), 12);
    const int text = widthOf(old, 12);
    const struct {
        int align;
        bool lock;
        int x;
    } cases[] = {
        {0, false, 29},
        {2, false, 29 + sample - text},
        {1, false, 29 + (sample - text) / 2},
        {0, true, (100 - sample) / 2},
        {2, true, (100 - sample) / 2 + sample - text},
    };
    for (const auto& c : cases) {
        item.Align[OldCalendar] = static_cast<std::int16_t>(c.align);
        item.element(OldCalendar).HCenterLock = toB16(c.lock);
        const auto texts = cell.fill(item, date, {0, 0, 100, 1, 1, CellHalf::Normal});
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[1].text, old);
        EXPECT_EQ(texts[1].x1, c.x) << c.align << " " << c.lock;
        EXPECT_EQ(texts[1].y1, 12);
    }
}

TEST(DayCellFill, DayNumberColours) {
    Cell cell;
    LayoutItem item = cellItem();
    for (int i = 0; i < 9; ++i)
        item.DateColor[i] = 0x100 + i;
    const struct {
        year_month_day date;
        Colour colour;
    } cases[] = {
        {year{2022} / 1 / 1, 0x108},  // 元日 on a Saturday: holiday colour
        {year{2022} / 1 / 8, 0x105},  // Saturday
        {year{2022} / 1 / 9, 0x106},  // Sunday
        {year{2022} / 1 / 10, 0x108}, // 成人の日, Monday
        {year{2022} / 1 / 11, 0x101}, // Tuesday
        {year{2020} / 5 / 6, 0x108},  // 振替休日
    };
    for (const auto& c : cases) {
        const auto texts = cell.fill(item, c.date, {0, 0, 100, 1, 1, CellHalf::Normal});
        ASSERT_FALSE(texts.empty());
        EXPECT_EQ(texts[0].colour, c.colour) << static_cast<unsigned>(c.date.day());
    }
}

// The user's days: names after the holiday's, days off in the holiday colour, working days never
// red, and a long name kept inside its cell.
TEST(DayCellFill, TheUserDaysJoinTheHolidayAndStayInTheirCell) {
    Cell cell;
    LayoutItem item = cellItem();
    for (int i = 0; i < 9; ++i)
        item.DateColor[i] = 0x100 + i;
    const QString longName = QStringLiteral("全社一斉ノー残業デー兼創立記念式典");
    const OwnDayTable table({
        {year{2022} / 3 / 21, year{2022} / 3 / 21, false, QStringLiteral("創立記念日"),
         OwnDayKind::Named},
        {year{2022} / 3 / 22, year{2022} / 3 / 23, false, QStringLiteral("臨時休業"),
         OwnDayKind::DayOff},
        {year{2022} / 3 / 20, year{2022} / 3 / 20, false, QStringLiteral("日曜出勤"),
         OwnDayKind::WorkingDay},
        {year{2022} / 3 / 24, year{2022} / 3 / 24, false, longName, OwnDayKind::Named},
    });
    cell.ctx.ownDays = &table;
    const struct {
        year_month_day date;
        const char16_t* holiday;
        Colour colour;
    } cases[] = {
        {year{2022} / 3 / 21, u"春分の日・創立記念日", 0x108},
        {year{2022} / 3 / 23, u"臨時休業", 0x108},
        {year{2022} / 3 / 20, u"日曜出勤", 0x100},
    };
    const DayCellPlacement place{100, 0, 200, 1, 1, CellHalf::Normal};
    int holidayEm = 0;
    for (const auto& c : cases) {
        const auto texts = cell.fill(item, c.date, place);
        ASSERT_FALSE(texts.empty());
        holidayEm = std::abs(texts.back().font.height);
        EXPECT_EQ(texts.front().colour, c.colour) << unsigned(c.date.day());
        EXPECT_EQ(texts.back().text, QString::fromUtf16(c.holiday));
    }
    const auto texts = cell.fill(item, year{2022} / 3 / 24, place);
    const DrawCall& name = texts.back();
    EXPECT_EQ(texts.front().colour, 0x103);
    ASSERT_TRUE(name.text.startsWith(longName.left(4)));
    EXPECT_GE(name.x1, 100);
    EXPECT_LE(name.x1 + widthOf(name.text, std::abs(name.font.height)), 300);
    EXPECT_GT(widthOf(longName, holidayEm), 200); // else the test would prove nothing

    // An item that hides the user's names keeps their colours and the holiday's own name.
    item.Ext.hideOwnNames = true;
    const auto equinox = cell.fill(item, year{2022} / 3 / 21, place);
    EXPECT_EQ(equinox.back().text, QStringLiteral("春分の日"));
    const auto closed = cell.fill(item, year{2022} / 3 / 23, place);
    EXPECT_EQ(closed.front().colour, 0x108);
    EXPECT_NE(closed.back().text, QStringLiteral("臨時休業"));
}

TEST(DayCellFill, HiddenElementsAndEmptyNamesDrawNothing) {
    Cell cell;
    LayoutItem item = cellItem();
    for (int k = Rokuyo; k <= Holiday; ++k)
        item.element(k).Shown = kFalse;
    item.element(Day).Shown = kFalse; // the box kinds draw the day number regardless
    EXPECT_EQ(cell.fill(item, year{2022} / 1 / 1, {0, 0, 100, 1, 1, CellHalf::Normal}).size(), 1u);
    // Outside the years of the old calendar, rokuyo and old date are empty and not drawn.
    const auto old = cell.fill(cellItem(), year{1900} / 1 / 2, {0, 0, 100, 1, 1, CellHalf::Normal});
    for (const DrawCall& t : old)
        EXPECT_FALSE(t.text.isEmpty());
}

TEST(ContentExtent, GroupsAndShownFlags) {
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    LayoutItem item = test::newBoxItem();
    const DateRange range{2022, 1, 1, 0, 0, 0};
    ElementExtent e;

    ASSERT_TRUE(dayCellContentExtent(ctx, nullptr, range, item, 1, e)); // 年① "2022" at (0, 0)
    EXPECT_EQ(e.top, 0);
    EXPECT_EQ(e.bottom, 20);
    EXPECT_EQ(e.right, 40);

    item.element(Month3).Shown = kTrue; // style 6 "Jan" at (113, 21)
    ASSERT_TRUE(dayCellContentExtent(ctx, nullptr, range, item, 2, e));
    EXPECT_EQ(e.left, 0);
    EXPECT_EQ(e.top, 21);
    EXPECT_EQ(e.right, 113 + 30);
    EXPECT_EQ(e.bottom, 41);

    // Group 0 measures the day elements by their fixed samples: 祝日 at (4, 70) is the furthest
    // down, 二十四節気 + five ideographic spaces (10 x 12) at (60, 29) the furthest right.
    item.element(Holiday).Shown = kTrue;
    ASSERT_TRUE(dayCellContentExtent(ctx, nullptr, range, item, 0, e));
    EXPECT_EQ(e.bottom, 70 + 12);
    EXPECT_EQ(e.right, 60 + 120);

    // Nothing shown: top and left fall back to 0.
    for (int k = Year1; k <= Year2; ++k)
        item.element(k).Shown = kFalse;
    item.element(Year1).Pos = {50, 60};
    ASSERT_TRUE(dayCellContentExtent(ctx, nullptr, range, item, 1, e));
    EXPECT_EQ(e.top, 0);
    EXPECT_EQ(e.left, 0);
    EXPECT_EQ(e.bottom, 0);
    EXPECT_EQ(e.right, 0);
    // Any other group is 年① alone, hidden here.
    ASSERT_TRUE(dayCellContentExtent(ctx, nullptr, range, item, 7, e));
    EXPECT_EQ(e.bottom, 0);
}

} // namespace
} // namespace tobirae
