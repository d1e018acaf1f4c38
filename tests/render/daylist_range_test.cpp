// Which days the lists show in which lines: one-month lists in 31 lines, the weekly ranges with
// their fixed line counts, year and month labels where the year or month changes, and the
// day-number styles.
#include "daylist_support.h"
#include "render/DayListText.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

using test::distinctRules;
using test::drawListOnScreen;
using test::linesOfColour;
using test::newListItem;
using test::noBackgrounds;
using test::showOnly;
using test::textsOf;

constexpr Colour kBetweenDays = 0x104; // entry 4 under distinctRules
constexpr Colour kLastLine = 0x105;

// Day numbers drawn top to bottom (left to right), and how many lines the list laid out.
struct Shown {
    QStringList days;
    int lines = 0;
};

Shown shownDays(LayoutItem item, int year, int month) {
    showOnly(item, {});
    noBackgrounds(item);
    distinctRules(item);
    const RecordingCanvas canvas = drawListOnScreen(item, year, month);
    QStringList days;
    for (const QString& text : textsOf(canvas))
        days << text.trimmed(); // the horizontal list centres them trimmed
    return {days, static_cast<int>(linesOfColour(canvas, kBetweenDays).size()) + 1};
}

QStringList numbers(int from, int to) {
    QStringList out;
    for (int d = from; d <= to; ++d)
        out << QString::number(d);
    return out;
}

TEST(DayListRange, ThirtyDayMonthKeepsThirtyOneEqualRowsWithTheLastEmpty) {
    LayoutItem item = newListItem(CategoryMonthFamily, VariantVertical);
    item.DesignHeight = 620; // rows of 20
    item.Height = 620;
    showOnly(item, {});
    noBackgrounds(item);
    distinctRules(item);
    const RecordingCanvas canvas = drawListOnScreen(item, 2024, 4);

    const auto between = linesOfColour(canvas, kBetweenDays);
    ASSERT_EQ(between.size(), 30u);
    for (int r = 1; r <= 30; ++r)
        EXPECT_EQ(between[static_cast<std::size_t>(r - 1)].y1, 20 * r) << r;
    const auto last = linesOfColour(canvas, kLastLine);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(last[0].y1, 620);

    const auto texts = canvas.texts();
    ASSERT_EQ(texts.size(), 30u);
    for (int d = 1; d <= 30; ++d) {
        const DrawCall& t = texts[static_cast<std::size_t>(d - 1)];
        EXPECT_EQ(t.text, listDayNumberText(0, d));
        // Centred in the row: (20 - 14) / 2 below its top (fonts are 14 high on the recording).
        EXPECT_EQ(t.y1, 20 * (d - 1) + 3) << d;
        EXPECT_EQ(t.x1, 67);
    }
    for (const DrawCall& t : texts)
        EXPECT_LT(t.y1, 600) << "row 31 stays empty";
}

TEST(DayListRange, WeeklyRangesAndTheirFixedLineCounts) {
    const struct {
        const char* name;
        int year, month, weekRange;
        QStringList days;
        int lines;
    } cases[] = {
        {"week 1 of a month starting on Sunday", 2026, 3, 0, numbers(1, 7), 7},
        {"week 1 of a month starting on Wednesday", 2024, 5, 0, numbers(28, 30) + numbers(1, 4), 7},
        {"week 5 of a common-year February from Sunday lies in March", 2015, 2, 4, numbers(1, 7),
         7},
        {"8～14日", 2024, 5, 6, numbers(8, 14), 7},
        {"29～末日 in a 31-day month", 2024, 1, 9, numbers(29, 31), 3},
        {"29～末日 in a 30-day month", 2024, 4, 9, numbers(29, 30), 3},
        {"29～末日 in a leap February", 2024, 2, 9, numbers(29, 29), 3},
        // The 29th of a common February is 1 March; only the days that fit are shown.
        {"29～末日 in a common February", 2023, 2, 9, numbers(1, 3), 3},
        {"1～16日", 2024, 5, 10, numbers(1, 16), 16},
        {"17～末日 in a 28-day February", 2015, 2, 11, numbers(17, 28), 16},
        {"1～15日", 2024, 5, 12, numbers(1, 15), 16},
        {"16～末日 in a 31-day month", 2024, 5, 13, numbers(16, 31), 16},
        {"16～末日 in a 30-day month", 2024, 4, 13, numbers(16, 30), 16},
    };
    for (const auto& c : cases) {
        for (int variant : {VariantVertical, VariantHorizontal}) {
            const Shown shown =
                shownDays(newListItem(CategoryWeekly, variant, c.weekRange), c.year, c.month);
            EXPECT_EQ(shown.days, c.days) << c.name << " variant " << variant;
            EXPECT_EQ(shown.lines, c.lines) << c.name << " variant " << variant;
        }
    }
}

struct Label {
    QString text;
    int line;
};

// Texts of the title elements (everything but the day numbers) with the line they sit in.
std::vector<Label> titleLabels(const LayoutItem& item, int year, int month) {
    const RecordingCanvas canvas = drawListOnScreen(item, year, month);
    const bool across = item.LayoutVariant == VariantHorizontal;
    const int lineSize = (across ? item.DesignWidth : item.DesignHeight) / 7;
    std::vector<Label> out;
    for (const DrawCall& t : canvas.texts()) {
        if (t.colour != 0x123456)
            continue;
        out.push_back({t.text, ((across ? t.x1 : t.y1) + lineSize / 2) / lineSize});
    }
    return out;
}

LayoutItem weekWithTitles(int variant, int weekRange) {
    LayoutItem item = newListItem(CategoryWeekly, variant, weekRange);
    showOnly(item, {Year1, Month1});
    item.element(Year1).Style = 0;  // "2025"
    item.element(Month1).Style = 2; // "12月"
    for (int k : {Year1, Month1}) {
        item.element(k).Font.ForeColor.setText(QStringLiteral("&H123456"));
        item.element(k).Font.Vertical = 0;
    }
    return item;
}

TEST(DayListRange, AWeekAcrossTheYearEndShowsBothYearsAndBothMonths) {
    for (int variant : {VariantVertical, VariantHorizontal}) {
        // Week 5 of December 2025 runs from Sunday 28 December to Saturday 3 January.
        const auto labels = titleLabels(weekWithTitles(variant, 4), 2025, 12);
        ASSERT_EQ(labels.size(), 4u) << variant;
        EXPECT_EQ(labels[0].text, "2025");
        EXPECT_EQ(labels[0].line, 0);
        EXPECT_EQ(labels[1].text, QString::fromUtf16(u"12月"));
        EXPECT_EQ(labels[1].line, 0);
        EXPECT_EQ(labels[2].text, "2026");
        EXPECT_EQ(labels[2].line, 4);
        EXPECT_EQ(labels[3].text, QString::fromUtf16(u"1月"));
        EXPECT_EQ(labels[3].line, 4);
    }
}

TEST(DayListRange, AWeekFromMarchIntoAprilShowsTheMonthTwiceAndTheYearOnce) {
    for (int variant : {VariantVertical, VariantHorizontal}) {
        // Week 5 of March 2026 is 29 March to 4 April.
        const auto labels = titleLabels(weekWithTitles(variant, 4), 2026, 3);
        ASSERT_EQ(labels.size(), 3u) << variant;
        EXPECT_EQ(labels[0].text, "2026");
        EXPECT_EQ(labels[1].text, QString::fromUtf16(u"3月"));
        EXPECT_EQ(labels[1].line, 0);
        EXPECT_EQ(labels[2].text, QString::fromUtf16(u"4月"));
        EXPECT_EQ(labels[2].line, 3);
    }
}

TEST(DayListRange, OneMonthListLabelsOnlyItsFirstRow) {
    LayoutItem item = newListItem(CategoryMonthFamily, VariantVertical);
    showOnly(item, {Year1, Year2, Month1, Month3});
    item.element(Year2).Style = 12; // era year in kanji
    const RecordingCanvas canvas = drawListOnScreen(item, 2019, 5);
    QStringList titles;
    for (const DrawCall& t : canvas.texts())
        if (t.y1 < 15)
            titles << t.text;
    // The first row holds the labels and day 1; nothing else carries a title.
    EXPECT_EQ(titles, (QStringList{"2019", QString::fromUtf16(u"元"), QString::fromUtf16(u"5月"),
                                   QString::fromUtf16(u"皐月"), " 1"}));
    EXPECT_EQ(canvas.texts().size(), 31u + 4u);
}

TEST(DayListText, DayNumberStyles) {
    const QString s = QString(QChar(0x3000));
    const struct {
        int style, day;
        QString text;
    } cases[] = {
        {0, 5, " 5"},
        {0, 20, "20"},
        {1, 5, s + s + QString::fromUtf16(u"五")},
        {1, 10, s + s + QString::fromUtf16(u"十")},
        {1, 15, s + QString::fromUtf16(u"十五")},
        {1, 20, s + QString::fromUtf16(u"二十")},
        {1, 31, QString::fromUtf16(u"三十一")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(listDayNumberText(c.style, c.day), c.text) << c.style << " " << c.day;
}

TEST(DayListText, KanjiDayNumbersAreDrawnInBothLists) {
    for (int variant : {VariantVertical, VariantHorizontal}) {
        LayoutItem item = newListItem(CategoryMonthFamily, variant);
        showOnly(item, {});
        item.DayTextMode = 1;
        item.element(Day).HCenterLock = kFalse;
        const QStringList texts = textsOf(drawListOnScreen(item, 2024, 5));
        ASSERT_EQ(texts.size(), 31);
        EXPECT_EQ(texts[4], listDayNumberText(1, 5)) << variant;
        EXPECT_EQ(texts[19], listDayNumberText(1, 20)) << variant;
        EXPECT_EQ(texts[30], QString::fromUtf16(u"三十一")) << variant;
    }
}

TEST(DayListText, WeekdayStyleSevenGivesOneLetterInBothLists) {
    for (int variant : {VariantVertical, VariantHorizontal}) {
        LayoutItem item = newListItem(CategoryWeekly, variant, 5); // 1～7日
        showOnly(item, {Weekday});
        item.WeekdayStyle = 7;
        QStringList weekdays;
        for (const DrawCall& t : drawListOnScreen(item, 2024, 9).texts()) // 1 September: Sunday
            if (t.text.trimmed().size() == 1 && !t.text.at(t.text.size() - 1).isDigit())
                weekdays << t.text;
        EXPECT_EQ(weekdays, (QStringList{"S", "M", "T", "W", "T", "F", "S"})) << variant;
    }
}

} // namespace
} // namespace tobirae
