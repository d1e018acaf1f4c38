#include "calendar/DateHelpers.h"
#include "render/RenderFrame.h"
#include "render/WeekStart.h"

namespace tobirae {

using namespace std::chrono;

namespace {

year_month shiftedMonth(int pageYear, int pageMonth, int offset) {
    return year_month{year{pageYear}, month{static_cast<unsigned>(pageMonth)}} + months{offset};
}

sys_days monthEnd(year_month ym) {
    return sys_days{ym / last};
}

DateRange rangeOf(sys_days first, sys_days lastDay) {
    const year_month_day a{first};
    const year_month_day b{lastDay};
    return DateRange{static_cast<int>(a.year()),
                     static_cast<int>(static_cast<unsigned>(a.month())),
                     static_cast<int>(static_cast<unsigned>(a.day())),
                     static_cast<int>(b.year()),
                     static_cast<int>(static_cast<unsigned>(b.month())),
                     static_cast<int>(static_cast<unsigned>(b.day()))};
}

} // namespace

int shownYearOf(int monthSelector, int pageYear, int pageMonth) {
    if (monthSelector < 0 || monthSelector > 24)
        return pageYear;
    return static_cast<int>(shiftedMonth(pageYear, pageMonth, monthSelector - 12).year());
}

year_month shownMonthOf(int monthSelector, int pageYear, int pageMonth) {
    if ((monthSelector >= 0 && monthSelector <= 11) || (monthSelector >= 13 && monthSelector <= 24))
        return shiftedMonth(pageYear, pageMonth, monthSelector - 12);
    if (monthSelector >= 25 && monthSelector <= 36)
        return year{pageYear} / month{static_cast<unsigned>(monthSelector - 24)};
    return year{pageYear} / month{static_cast<unsigned>(pageMonth)};
}

sys_days weekStartDate(int mode, int n, sys_days date, int firstWeekday) {
    const year_month_day ymd{date};
    if (mode == 0 && firstWeekday == 1)
        return isoWeekMonday(static_cast<int>(ymd.year()), n);
    const sys_days base =
        mode == 0 ? sys_days{ymd.year() / January / 1} : sys_days{ymd.year() / ymd.month() / 1};
    return weekStartOn(base, firstWeekday) + days{(n - 1) * 7};
}

WeekSpan weekSpanOf(int weekRange, year_month ym, int firstWeekday) {
    const sys_days first{ym / 1};
    auto day = [&](int d) { return first + days{d - 1}; };
    switch (weekRange) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4: {
        const sys_days start = weekStartDate(1, weekRange + 1, first, firstWeekday);
        return {start, start + days{6}, 0};
    }
    case 5:
        return {day(1), day(7), 0};
    case 6:
        return {day(8), day(14), 0};
    case 7:
        return {day(15), day(21), 0};
    case 8:
        return {day(22), day(28), 0};
    case 9: {
        // Day 29 of a short February is 1 March; the range then runs to the end of March.
        const sys_days start = day(29);
        const year_month_day s{start};
        return {start, monthEnd(s.year() / s.month()), 3};
    }
    case 10:
        return {day(1), day(16), 0};
    case 11:
        return {day(17), monthEnd(ym), 16};
    case 12:
        return {day(1), day(15), 16};
    case 13:
        return {day(16), monthEnd(ym), 16};
    default:
        return {first, monthEnd(ym), 0};
    }
}

DateRange shownRange(const LayoutItem& item, int pageYear, int pageMonth, int* rows) {
    int rowCount = 0;
    DateRange range;
    if (pageMonth < 1 || pageMonth > 12)
        pageMonth = 1;
    switch (item.Category) {
    case CategoryYear: {
        // The year of the shifted month; its 1st stays in the range for era labels.
        year_month ym{year{pageYear}, month{static_cast<unsigned>(pageMonth)}};
        if (item.MonthSelector >= 0 && item.MonthSelector <= 24)
            ym = shiftedMonth(pageYear, pageMonth, item.MonthSelector - 12);
        range = rangeOf(sys_days{ym / 1}, monthEnd(ym));
        break;
    }
    case CategoryWeekly: {
        const year_month ym = shownMonthOf(item.MonthSelector, pageYear, pageMonth);
        const WeekSpan span = weekSpanOf(item.WeekRange, ym, firstWeekdayOf(item.Ext.weekStart));
        range = rangeOf(span.first, span.last);
        rowCount = span.rows;
        break;
    }
    case CategoryText: {
        // Text fields read the page's own month.
        const year_month ym{year{pageYear}, month{static_cast<unsigned>(pageMonth)}};
        range = rangeOf(sys_days{ym / 1}, monthEnd(ym));
        break;
    }
    default: {
        const year_month ym = shownMonthOf(item.MonthSelector, pageYear, pageMonth);
        range = rangeOf(sys_days{ym / 1}, monthEnd(ym));
        if (item.Category == CategoryMonthFamily) {
            if (item.LayoutVariant == VariantBox5)
                rowCount = 5;
            else if (item.LayoutVariant == VariantBox6 || item.LayoutVariant == VariantBoxMini)
                rowCount = 6;
        }
        break;
    }
    }
    if (rows)
        *rows = rowCount;
    return range;
}

} // namespace tobirae
