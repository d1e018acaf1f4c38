// Text builders of the day-cell and title elements.
#include "calendar/OldCalendar.h"
#include "calendar/SolarTerms.h"
#include "support/TestText.h"
// Qt headers after the calendar ones: Qt defines "slots" as a macro.
#include "bitmap/Primitives.h"
#include "bitmap/RecordingCanvas.h"
#include "render/CellTextFit.h"
#include "render/DayTextBuilders.h"
#include "render/MonthText.h"

#include <chrono>
#include <gtest/gtest.h>

namespace tobirae {
namespace {

using namespace std::chrono;

using test::u;

struct MonthCase {
    int style;
    int month;
    const char16_t* text;
};

TEST(MonthText, EveryStyleFamily) {
    const MonthCase cases[] = {
        {0, 9, u"9"},
        {1, 9, u"九"},
        {1, 12, u"十二"}, // kanji digits, not the
                          // katakana of the sample
        {2, 9, u"9月"},
        {3, 11, u"十一月"},
        {4, 9, u"September"},
        {5, 9, u"SEPTEMBER"},
        {6, 5, u"May"},
        {7, 12, u"DEC"},
        {8, 10, u"神無月"},
        {9, 9, u"ながつき"},
        {10, 9, u"9/"},
        {11, 10, u"十/"},
        {12, 9, u"(9)"},
        {13, 12, u"(十二)"},
        {16, 2, u"(February)"},
        {18, 12, u"(Dec)"},
        {19, 12, u"(DEC)"},
        {21, 9, u"(ながつき)"},
        {20, 1, u"(睦月)"},
        {9, 12, u"しわす"},
    };
    for (const MonthCase& c : cases)
        EXPECT_EQ(monthText(c.style, c.month), u(c.text)) << c.style << " " << c.month;
}

TEST(MonthText, OutOfTableIsEmpty) {
    for (auto [style, month] : {std::pair{22, 1}, {-1, 1}, {0, 0}, {0, 13}, {12, 13}})
        EXPECT_TRUE(monthText(style, month).isEmpty()) << style << " " << month;
}

TEST(MonthText, SamplesUseTheKatakanaNi) {
    EXPECT_EQ(monthSample(1), QString::fromUtf16(u"十\u30CB"));
    EXPECT_NE(monthSample(1), monthText(1, 12));
    EXPECT_EQ(monthSample(8), u(u"神無月"));
    EXPECT_EQ(monthSample(20), u(u"(水無月)"));
    EXPECT_EQ(monthSample(21), u(u"(かんなづき)"));
    EXPECT_TRUE(monthSample(22).isEmpty());
}

TEST(KanjiNumber, PlainAndFormal) {
    const struct {
        bool plain;
        int number;
        const char16_t* text;
    } cases[] = {
        {true, 0, u"零"},
        {true, 1, u"一"},
        {true, 10, u"十"},
        {true, 12, u"十二"},
        {true, 20, u"二十"},
        {true, 110, u"百十"},
        {true, 1000, u"一千"},
        {true, 2004, u"二千四"},
        {true, 9999, u"九千九百九十九"},
        {true, 12345, u"二千三百四十五"}, // digits above the thousands are ignored
        {false, 1111, u"壱仟佰拾壱"},
        {false, 39, u"参拾玖"},
        {false, 0, u"零"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kanjiNumber(c.plain, c.number), u(c.text)) << c.number;
    EXPECT_TRUE(kanjiNumber(true, -5).isEmpty());
    EXPECT_EQ(kanjiDigit(false, 4), u(u"肆"));
    EXPECT_TRUE(kanjiDigit(true, 10).isEmpty());
}

// 2004 has a leap second month, starting 2004/3/21; the old new year fell on 2004/1/22.
TEST(OldDateText, StylesOverFullAndMonthDayTexts) {
    const year_month_day leapFirst = year{2004} / 3 / 21;
    const year_month_day newYear = year{2004} / 1 / 22;
    ASSERT_TRUE(oldCalendarDate(newYear, true, true).has_value());
    EXPECT_EQ(oldDateTextFor(0, newYear), u(u"旧 2004/01/01"));
    EXPECT_EQ(oldDateTextFor(3, newYear), u(u"旧2004/1/1"));
    EXPECT_EQ(oldDateTextFor(5, leapFirst), u(u"旧閏02/01"));
    EXPECT_EQ(oldDateTextFor(11, newYear), u(u"1/1"));
    EXPECT_EQ(oldDateTextFor(9, leapFirst), u(u"2004/閏2/1"));
    EXPECT_EQ(oldDateTextFor(14, newYear), u(u"(旧 2004/1/1)"));
    EXPECT_EQ(oldDateTextFor(17, leapFirst), u(u"(旧閏02/01)"));
    EXPECT_EQ(oldDateTextFor(22, newYear), u(u"(01/01)"));
    EXPECT_EQ(oldDateTextFor(23, newYear), u(u"(1/1)"));
    EXPECT_TRUE(oldDateTextFor(24, newYear).isEmpty());
    EXPECT_TRUE(oldDateTextFor(-1, newYear).isEmpty());
    // Outside the years the old calendar covers nothing is shown.
    EXPECT_TRUE(oldDateTextFor(0, year{1900} / 1 / 1).isEmpty());
}

TEST(OldDateText, SampleSpacesByStyle) {
    const int spaces[24] = {11, 10, 11, 10, 6, 5, 6, 5, 8,  8, 3, 3,
                            13, 12, 11, 10, 8, 7, 8, 7, 10, 8, 5, 5};
    for (int style = 0; style < 24; ++style)
        EXPECT_EQ(oldDateSample(style), u(u"旧暦") + QString(spaces[style], QLatin1Char(' ')))
            << style;
    EXPECT_TRUE(oldDateSample(24).isEmpty());
}

// A day whose lookup gives two entries, found from the calendar itself: an equinox that is also
// a seasonal day, and one term day that is not an equinox.
struct SekkiDays {
    std::optional<year_month_day> equinoxWithSeasonal;
    std::optional<year_month_day> equinoxAlone;
    std::optional<year_month_day> seasonalAlone;
};

SekkiDays findSekkiDays() {
    SekkiDays found;
    for (sys_days d = sys_days{year{1990} / 1 / 1}; d < sys_days{year{2030} / 1 / 1};
         d += days{1}) {
        const auto r = lookupSolarTerm(year_month_day{d});
        if (!r)
            continue;
        const SekkiCode a = r->first.code;
        const SekkiCode b = r->second.code;
        const auto isEquinox = [](SekkiCode c) {
            return c == kSekkiVernalEquinox || c == kSekkiAutumnalEquinox;
        };
        const bool equinox = isEquinox(a);
        if (((isEquinox(a) && b != kNoSekki && !isSolarTerm(b)) ||
             (isEquinox(b) && !isSolarTerm(a))) &&
            !found.equinoxWithSeasonal)
            found.equinoxWithSeasonal = year_month_day{d};
        if (equinox && b == kNoSekki && !found.equinoxAlone)
            found.equinoxAlone = year_month_day{d};
        if (a != kNoSekki && !isSolarTerm(a) && b == kNoSekki && !found.seasonalAlone)
            found.seasonalAlone = year_month_day{d};
    }
    return found;
}

TEST(SekkiText, SelectionsPickTermsSeasonalDaysAndEquinoxes) {
    const SekkiDays days = findSekkiDays();
    ASSERT_TRUE(days.equinoxAlone && days.seasonalAlone && days.equinoxWithSeasonal);

    const auto alone = *lookupSolarTerm(*days.equinoxAlone);
    const QString equinox = QString::fromStdString(alone.first.name);
    EXPECT_EQ(solarTermText(0, *days.equinoxAlone), equinox);
    EXPECT_EQ(solarTermText(1, *days.equinoxAlone), equinox);
    EXPECT_TRUE(solarTermText(2, *days.equinoxAlone).isEmpty());
    EXPECT_TRUE(solarTermText(3, *days.equinoxAlone).isEmpty());
    EXPECT_TRUE(solarTermText(4, *days.equinoxAlone).isEmpty());

    const auto seasonal = *lookupSolarTerm(*days.seasonalAlone);
    const QString name = QString::fromStdString(seasonal.first.name);
    EXPECT_TRUE(solarTermText(0, *days.seasonalAlone).isEmpty());
    EXPECT_EQ(solarTermText(2, *days.seasonalAlone), name);
    EXPECT_EQ(solarTermText(4, *days.seasonalAlone), name);
    EXPECT_TRUE(solarTermText(5, *days.seasonalAlone).isEmpty());

    // Both names in the order of the lookup; the equinox may come first or second.
    const year_month_day both = *days.equinoxWithSeasonal;
    const auto entries = *lookupSolarTerm(both);
    const bool equinoxFirst = isSolarTerm(entries.first.code);
    const QString first = QString::fromStdString(entries.first.name);
    const QString second = QString::fromStdString(entries.second.name);
    const QString term = equinoxFirst ? first : second;
    const QString seasonalDay = equinoxFirst ? second : first;
    EXPECT_EQ(solarTermText(1, both), first + u(u"、") + second);
    EXPECT_EQ(solarTermText(0, both), term);
    EXPECT_EQ(solarTermText(2, both), seasonalDay);
    EXPECT_TRUE(solarTermText(3, both).isEmpty());
    EXPECT_EQ(solarTermText(4, both), seasonalDay);
}

TEST(Samples, FixedTexts) {
    EXPECT_EQ(solarTermSample(0), u(u"24節"));
    EXPECT_EQ(solarTermSample(3), u(u"24節"));
    for (int s : {1, 2, 4})
        EXPECT_EQ(solarTermSample(s), u(u"24節気") + QString(14, QLatin1Char(' ')));
    EXPECT_TRUE(solarTermSample(5).isEmpty());
    EXPECT_EQ(holidaySample(), u(u"祝日\u3000\u3000\u3000\u3000"));
    EXPECT_EQ(weekdaySample(3), QStringLiteral("Monday   "));
    EXPECT_EQ(weekdaySample(7), u(u"英語1文字"));
    EXPECT_TRUE(weekdaySample(8).isEmpty());
    EXPECT_EQ(dayNumberText(5), QStringLiteral(" 5"));
    EXPECT_EQ(dayNumberText(31), QStringLiteral("31"));
}

// Keeping a day's text inside its cell, measured with the recording's fixed metrics: a 9-point
// font is 11 pixels to the em at full size and 5 at half size, every kanji one em wide.
struct FitCase {
    const char* what;
    const char16_t* text;
    float x, left, right;
    const char16_t* fitted;
    float fittedX;
    bool shrunk;
};

TEST(CellTextFit, MovedBackThenShrunkThenCutShort) {
    const FitCase cases[] = {
        {"fits where it is", u"予定予定", 10, 0, 100, u"予定予定", 10, false},
        {"moved back to the right edge", u"予定予定", 80, 0, 100, u"予定予定", 56, false},
        {"drawn smaller", u"予定予定予定", 0, 0, 50, u"予定予定予定", 0, true},
        {"cut at the longest beginning that fits", u"予定予定予定予定予定予定", 0, 0, 30,
         u"予定予定予…", 0, true},
        {"one character at least", u"予定予定予定予定予定予定", 0, 0, 3, u"予…", 0, true},
    };
    for (const FitCase& c : cases) {
        RenderContext ctx;
        useRecordingSurfaces(ctx);
        FontSpec font;
        font.FaceName.setText(QStringLiteral("ＭＳ 明朝"));
        font.Size = 9;
        selectFont(ctx, font);
        const FittedText fit = fitTextInCell(ctx, 1, u(c.text), c.x, c.left, c.right);
        EXPECT_EQ(fit.text, u(c.fitted)) << c.what;
        EXPECT_EQ(fit.x, c.fittedX) << c.what;
        EXPECT_EQ(fit.fontScale < 1, c.shrunk) << c.what;
        EXPECT_GE(fit.fontScale, kMinFitShare) << c.what;
        if (fit.text.size() > 2) {
            EXPECT_LE(measureScaledText(ctx, nullptr, fit.fontScale, fit.text).width,
                      c.right - c.left)
                << c.what;
        }
    }
}

} // namespace
} // namespace tobirae
