// Text items: fields read for the page's month, the fiscal year that starts in April, the lines
// as drawn, and the year display's fiscal-year styles.
#include "document/ExtensionCodec.h"
#include "monthbox_support.h"
#include "owndays/OwnDayTable.h"
#include "render/NewItemDefaults.h"
#include "render/RenderFrame.h"
#include "render/TextFields.h"
#include "render/YearMonthText.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

using namespace std::chrono;
using test::RecordingPreview;

using test::u;

TEST(TextFields, FiscalYearsAndErasAtTheirEdges) {
    const struct {
        year_month month;
        const char16_t *year, *era, *fiscal, *eraFiscal;
    } cases[] = {
        {2028y / February, u"2028", u"令和10年", u"2027", u"令和9年度"},
        {2027y / March, u"2027", u"令和9年", u"2026", u"令和8年度"},
        {2027y / April, u"2027", u"令和9年", u"2027", u"令和9年度"},
        {2027y / January, u"2027", u"令和9年", u"2026", u"令和8年度"},
        // 令和 begins in May 2019: April is still 平成, the fiscal year then reads 令和元年度.
        {2019y / April, u"2019", u"平成31年", u"2019", u"平成31年度"},
        {2019y / May, u"2019", u"令和元年", u"2019", u"令和元年度"},
        {2020y / March, u"2020", u"令和2年", u"2019", u"令和元年度"},
        {2020y / April, u"2020", u"令和2年", u"2020", u"令和2年度"},
        // 平成 begins on 8 January 1989; its first fiscal year is 平成元年度 from April.
        {1989y / February, u"1989", u"平成元年", u"1988", u"昭和63年度"},
        {1989y / April, u"1989", u"平成元年", u"1989", u"平成元年度"},
    };
    for (const auto& c : cases) {
        const std::string name =
            std::to_string(int(c.month.year())) + "/" + std::to_string(unsigned(c.month.month()));
        EXPECT_EQ(expandTextFields(u(u"{年}"), c.month), u(c.year)) << name;
        EXPECT_EQ(expandTextFields(u(u"{和暦年}"), c.month), u(c.era)) << name;
        EXPECT_EQ(expandTextFields(u(u"{年度}"), c.month), u(c.fiscal)) << name;
        EXPECT_EQ(expandTextFields(u(u"{和暦年度}"), c.month), u(c.eraFiscal)) << name;
    }
}

TEST(TextFields, TextAroundFieldsEscapesAndUnknownNames) {
    const year_month m = 2027y / September;
    EXPECT_EQ(expandTextFields(u(u"{和暦年度} 年間行事"), m), u(u"令和9年度 年間行事"));
    EXPECT_EQ(expandTextFields(u(u"{年}年{月}月"), m), u(u"2027年9月"));
    EXPECT_EQ(expandTextFields(u(u"{{年}"), m), u(u"{年}"));
    EXPECT_EQ(expandTextFields(u(u"{{{年}"), m), u(u"{2027"));
    EXPECT_EQ(expandTextFields(u(u"{曜日} {年"), m), u(u"{曜日} {年"));
    EXPECT_EQ(expandTextFields(u(u"}{"), m), u(u"}{"));
}

// May 2025 has 20 working days under 土・日 (05-05 and 05-06 are holidays), 年度2025 246.
TEST(TextFields, WorkingDayCountsOfTheMonthAndItsFiscalYear) {
    const year_month may = 2025y / May;
    EXPECT_EQ(expandTextFields(u(u"出勤{出勤日数}日 休み{休日数}日"), may),
              u(u"出勤20日 休み11日"));
    EXPECT_EQ(expandTextFields(u(u"{年度出勤日数}/{年度休日数}"), 2026y / March),
              u(u"246/119"));
    // Closed on Sundays only; the company works on こどもの日.
    const OwnDayTable own(
        {{2025y / May / 5, 2025y / May / 5, false, u(u"出勤"), OwnDayKind::WorkingDay}});
    EXPECT_EQ(expandTextFields(u(u"{出勤日数}"), may, &own, WeeklyDaysOff{1u << 0}), u(u"25"));
}

TEST(TextFields, YearDisplayOffersFiscalYearStyles) {
    const year_month_day feb = 2028y / February / 1;
    EXPECT_EQ(yearText(kFiscalYearStyle, feb), u(u"2027年度"));
    EXPECT_EQ(yearText(kFiscalYearStyle + 1, feb), u(u"令和9年度"));
    EXPECT_EQ(yearText(kFiscalYearStyle + 2, 2028y / April / 1), u(u"(2028年度)"));
    EXPECT_EQ(yearText(kFiscalYearStyle + 3, feb), u(u"(令和9年度)"));
    EXPECT_TRUE(yearText(kFiscalYearStyle + kFiscalYearStyleCount, feb).isEmpty());
}

struct DrawnText {
    RenderContext ctx;
    RecordingPreview view;
    std::vector<DrawCall> texts;

    DrawnText(const LayoutItem& item, int year, int month)
        : view({static_cast<int>(item.Width) + 4, static_cast<int>(item.Height) + 4}) {
        useRecordingSurfaces(ctx);
        DateRange range = pageDateRange(year, month);
        EXPECT_TRUE(drawLayoutItem(ctx, item, &view, range, DrawSurface{}, 0, 0));
        for (const DrawCall& c : view.recording().calls())
            if (c.kind == DrawCall::Text)
                texts.push_back(c);
    }
};

// Recording metrics: a 16 pt font is 20 pixels high, ASCII 10 wide, anything else 20.
LayoutItem textItemOf(const char16_t* text, int h, int v, bool vertical = false) {
    LayoutItem item;
    applyNewItemDefaults(CategoryText, 0, item, 210, 297);
    item.Width = 300;
    item.Height = 100;
    item.Ext.text = QString::fromUtf16(text);
    item.element(Year1).Font.Size = 16;
    item.element(Year1).Font.Vertical = vertical ? 1 : 0;
    item.HPlacement = h;
    item.VPlacement = v;
    return item;
}

TEST(TextItemDrawing, LinesArePlacedInTheBox) {
    const DrawnText left(textItemOf(u"{和暦年度}\nAB\n\nx", 0, 0), 2028, 2);
    ASSERT_EQ(left.texts.size(), 3u); // the empty line draws nothing but keeps its height
    EXPECT_EQ(left.texts[0].text, u(u"令和9年度"));
    EXPECT_EQ(left.texts[0].x1, 0);
    EXPECT_EQ(left.texts[0].y1, 0);
    EXPECT_EQ(left.texts[1].y1, 20);
    EXPECT_EQ(left.texts[2].y1, 60);

    const DrawnText centred(textItemOf(u"AB\nABCD", 1, 1), 2027, 4);
    ASSERT_EQ(centred.texts.size(), 2u);
    EXPECT_EQ(centred.texts[0].x1, 140); // (300 - 20) / 2
    EXPECT_EQ(centred.texts[1].x1, 130);
    EXPECT_EQ(centred.texts[0].y1, 30); // (100 - 40) / 2

    const DrawnText right(textItemOf(u"AB", 2, 2), 2027, 4);
    ASSERT_EQ(right.texts.size(), 1u);
    EXPECT_EQ(right.texts[0].x1, 280);
    EXPECT_EQ(right.texts[0].y1, 80);
}

TEST(TextItemDrawing, VerticalLinesRunFromRightToLeft) {
    const DrawnText d(textItemOf(u"年間\n行事予定", 2, 0, true), 2027, 4);
    ASSERT_EQ(d.texts.size(), 2u);
    // Two columns of 20 at the right edge: the first line is the rightmost.
    EXPECT_GT(d.texts[0].x1, d.texts[1].x1);
    EXPECT_EQ(d.texts[0].x1 - d.texts[1].x1, 20);
    EXPECT_EQ(d.texts[0].y1, 0);
}

TEST(TextItemDefaults, ANewTextItemIsWhatItsFileRecordGivesBack) {
    LayoutItem item;
    applyNewItemDefaults(CategoryText, 0, item, 210, 297);
    LayoutItem stored = emptyTextItem();
    stored.Live = item.Live;
    stored.Width = item.Width;
    stored.Height = item.Height;
    stored.element(Year1).Font = item.element(Year1).Font;
    stored.Ext = item.Ext;
    EXPECT_EQ(item, stored);
    EXPECT_EQ(item.Category, CategoryText);
    EXPECT_GT(item.Width, 0);
}

} // namespace
} // namespace tobirae
