#include "render/YearMonthText.h"

#include "render/MonthText.h"
#include "render/TextFields.h"

#include <array>

namespace tobirae {

namespace {

using namespace std::chrono;

struct EraStart {
    const char16_t* name;
    year_month_day first;
};

// Newest first, so the first era that started on or before a date is its era.
const std::array<EraStart, 5> kEras{{
    {u"令和", year{2019} / May / 1},
    {u"平成", year{1989} / January / 8},
    {u"昭和", year{1926} / December / 25},
    {u"大正", year{1912} / July / 30},
    {u"明治", year{1868} / January / 1},
}};

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value % 100, 2, 10, QChar(u'0'));
}

// Styles 0..15; the bracketed and slashed styles are built from these.
QString baseYearText(int style, year_month_day date) {
    const int y = static_cast<int>(date.year());
    const QString yyyy = QStringLiteral("%1").arg(y, 4, 10, QChar(u'0'));
    const QString yy = twoDigits(y);
    const QString nen = QStringLiteral("年");

    switch (style) {
    case 0:
        return yyyy;
    case 5:
        return yyyy + nen;
    case 10:
        return yy;
    case 13:
        return yy + nen;
    default:
        break;
    }

    const std::optional<EraYear> era = japaneseEra(date);
    if (!era)
        return {};
    const QString ggg = era->name;
    const QString ee = QStringLiteral("%1").arg(era->year, 2, 10, QChar(u'0'));
    const QString k = kanjiEraYear(era->year);
    switch (style) {
    case 1:
        return ggg + u' ' + ee;
    case 2:
        return ggg + ee;
    case 3:
        return ggg + u' ' + k;
    case 4:
        return ggg + k;
    case 6:
        return ggg + u' ' + ee + nen;
    case 7:
        return ggg + ee + nen;
    case 8:
        return ggg + u' ' + k + nen;
    case 9:
        return ggg + k + nen;
    case 11:
        return ee;
    case 12:
        return k;
    case 14:
        return ee + nen;
    case 15:
        return k + nen;
    default:
        return {};
    }
}

} // namespace

std::optional<EraYear> japaneseEra(std::chrono::year_month_day date) {
    if (!date.ok())
        return std::nullopt;
    for (const EraStart& era : kEras) {
        if (date >= era.first) {
            const int eraYear =
                static_cast<int>(date.year()) - static_cast<int>(era.first.year()) + 1;
            return EraYear{QString::fromUtf16(era.name), eraYear};
        }
    }
    return std::nullopt;
}

QString kanjiEraYear(int eraYear) {
    if (eraYear == 1)
        return QStringLiteral("元");
    return kanjiNumber(true, eraYear);
}

QString yearText(int style, std::chrono::year_month_day date) {
    if (!date.ok())
        return {};
    if (style >= 0 && style <= 15)
        return baseYearText(style, date);
    if (style >= 16 && style <= 23) {
        // 16..20 follow styles 0..4, 21..23 follow styles 10..12.
        const int base = style <= 20 ? style - 16 : style - 11;
        const QString text = baseYearText(base, date);
        return text.isEmpty() ? text : text + u'/';
    }
    if (style >= 24 && style <= 39) {
        const QString text = baseYearText(style - 24, date);
        return text.isEmpty() ? text : u'(' + text + u')';
    }
    if (style >= kFiscalYearStyle && style < kFiscalYearStyle + kFiscalYearStyleCount) {
        const year_month month = date.year() / date.month();
        const int base = (style - kFiscalYearStyle) % 2;
        const QString text = base == 0
                                 ? QString::number(fiscalYearOf(month)) + QStringLiteral("年度")
                                 : eraFiscalYearText(month);
        return style - kFiscalYearStyle < 2 || text.isEmpty() ? text : u'(' + text + u')';
    }
    return {};
}

} // namespace tobirae
