#include "render/StyleChoices.h"

#include "render/DayTextBuilders.h"
#include "render/MonthText.h"
#include "render/YearMonthText.h"

#include <array>

namespace tobirae {

namespace {

constexpr int kYearStylesOffered = 30;
constexpr int kMonthStyleCount = 22;
constexpr int kOldStylesOffered = 16;
constexpr int kOldStyleCount = 24;

// How a list entry frames its sample: a category word, then the sample, then ")" unless the
// word already says the sample carries its own brackets.
struct Framing {
    const char16_t* word;
    bool closes;
};

constexpr Framing kWestern{u"西暦(", true};
constexpr Framing kWestern2{u"西暦2桁(", true};
constexpr Framing kEraYearOnly{u"和暦年のみ(", true};
constexpr Framing kEra{u"和暦(", true};
constexpr Framing kWesternBracketed{u"西暦括弧付き", false};
constexpr Framing kEraBracketed{u"和暦括弧付き", false};
constexpr Framing kFiscal{u"年度(", true};
constexpr Framing kFiscalBracketed{u"年度括弧付き", false};

Framing yearFraming(int style) {
    switch (style) {
    case 0:
    case 5:
    case 16:
        return kWestern;
    case 10:
    case 13:
    case 21:
        return kWestern2;
    case 11:
    case 12:
    case 22:
    case 23:
        return kEraYearOnly;
    case 24:
    case 29:
        return kWesternBracketed;
    case 25:
    case 26:
    case 27:
    case 28:
        return kEraBracketed;
    case kFiscalYearStyle:
    case kFiscalYearStyle + 1:
        return kFiscal;
    case kFiscalYearStyle + 2:
    case kFiscalYearStyle + 3:
        return kFiscalBracketed;
    default:
        return kEra;
    }
}

bool offeredYearStyle(int style) {
    return (style >= 0 && style < kYearStylesOffered) ||
           (style >= kFiscalYearStyle && style < kFiscalYearStyle + kFiscalYearStyleCount);
}

Framing monthFraming(int style) {
    static constexpr std::array<Framing, 8> kWords{{{u"数字(", true},
                                                    {u"漢字(", true},
                                                    {u"英語(", true},
                                                    {u"異名(", true},
                                                    {u"数字括弧付き", false},
                                                    {u"漢字括弧付き", false},
                                                    {u"英語括弧付き", false},
                                                    {u"異名括弧付き", false}}};
    static constexpr std::array<int, kMonthStyleCount> kWordOfStyle{
        0, 1, 0, 1, 2, 2, 2, 2, 3, 3, 0, 1, 4, 5, 4, 5, 6, 6, 6, 6, 7, 7};
    return kWords[static_cast<std::size_t>(kWordOfStyle[static_cast<std::size_t>(style)])];
}

QString framed(const Framing& framing, const QString& sample) {
    return QString::fromUtf16(framing.word) + sample +
           (framing.closes ? QStringLiteral(")") : QString());
}

QList<StyleChoice> fromCaptions(std::initializer_list<const char16_t*> captions) {
    QList<StyleChoice> list;
    for (const char16_t* caption : captions)
        list.append({static_cast<int>(list.size()), QString::fromUtf16(caption)});
    return list;
}

} // namespace

QString yearStyleCaption(int style, std::chrono::year_month_day date) {
    const QString sample = yearText(style, date);
    if (!offeredYearStyle(style))
        return sample; // known to the builder, not offered: shown bare in the element list
    return framed(yearFraming(style), sample);
}

QString monthStyleCaption(int style, int month) {
    if (style < 0 || style >= kMonthStyleCount)
        return {};
    return framed(monthFraming(style), monthText(style, month));
}

QString oldCalendarStyleCaption(int style, int year) {
    if (style < 0 || style >= kOldStyleCount)
        return {};
    return oldDateStyled(style, year, 1, 1, true);
}

QString sekkiCaption(int selection) {
    const QList<StyleChoice> choices = sekkiChoices();
    return selection >= 0 && selection < choices.size() ? choices[selection].caption : QString();
}

QList<StyleChoice> yearStyleChoices(std::chrono::year_month_day date) {
    QList<StyleChoice> list;
    for (int style = 0; style < kYearStylesOffered; ++style)
        list.append({style, yearStyleCaption(style, date)});
    for (int style = kFiscalYearStyle; style < kFiscalYearStyle + kFiscalYearStyleCount; ++style)
        list.append({style, yearStyleCaption(style, date)});
    return list;
}

QList<StyleChoice> monthStyleChoices(int month) {
    QList<StyleChoice> list;
    for (int style = 0; style < kMonthStyleCount; ++style)
        list.append({style, monthStyleCaption(style, month)});
    return list;
}

QList<StyleChoice> oldCalendarStyleChoices(int year) {
    QList<StyleChoice> list;
    for (int style = 0; style < kOldStylesOffered; ++style)
        list.append({style, oldCalendarStyleCaption(style, year)});
    return list;
}

QList<StyleChoice> sekkiChoices() {
    return fromCaptions({u"二十四節気", u"二十四節気+雑節", u"雑節", u"二十四節気(春分、秋分なし)",
                         u"二十四節気(春分、秋分なし)+雑節"});
}

QList<StyleChoice> weekdayStyleChoices() {
    // The samples are Monday's label padded to the widest; the captions are the same words.
    QList<StyleChoice> list;
    for (int style = 0; !weekdaySample(style).isEmpty(); ++style)
        list.append({style, weekdaySample(style).trimmed()});
    return list;
}

QList<StyleChoice> weekRangeChoices() {
    return fromCaptions({u"第1週", u"第2週", u"第3週", u"第4週", u"第5週", u"1～ 7日", u"8～14日",
                         u"15～21日", u"22～28日", u"29～末日", u"1～16日", u"17～末日", u"1～15日",
                         u"16～末日"});
}

} // namespace tobirae
