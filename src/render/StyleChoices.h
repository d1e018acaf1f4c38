// The entries of the format lists that the item property dialog offers, built from the same text
// builders that draw the elements, so an entry always shows what the item will print.
#pragma once

#include <QList>
#include <QString>
#include <chrono>

namespace tobirae {

// One entry of a choice list: the value stored in the record and the caption shown.
struct StyleChoice {
    int value = 0;
    QString caption;
    bool operator==(const StyleChoice&) const = default;
};

// Year styles 0..29 and the fiscal-year styles 40..43: a category word and the year text of the
// style for the date
// ("西暦(2027)", "和暦(令和 09)", "西暦括弧付き(2027)").
QList<StyleChoice> yearStyleChoices(std::chrono::year_month_day date);
// Month styles 0..21 with the label of the month in that style ("数字(9月)", "英語(September)").
QList<StyleChoice> monthStyleChoices(int month);
// Old-calendar styles 0..15 shown for the first day of a leap first month of the year
// ("旧 2027/閏01/01").
QList<StyleChoice> oldCalendarStyleChoices(int year);
// Solar-term selections 0..4 ("二十四節気", "二十四節気+雑節", ...).
QList<StyleChoice> sekkiChoices();
// Weekday styles 0..7 ("月曜日", ..., "Mon", "英語1文字").
QList<StyleChoice> weekdayStyleChoices();
// Week ranges 0..13 of weekly items ("第1週", ..., "1～ 7日", ..., "16～末日").
QList<StyleChoice> weekRangeChoices();

// Captions of one stored value, also for values the lists do not offer (year styles 30..39,
// old-calendar styles 16..23); empty when no builder knows the value.
QString yearStyleCaption(int style, std::chrono::year_month_day date);
QString monthStyleCaption(int style, int month);
QString oldCalendarStyleCaption(int style, int year);
QString sekkiCaption(int selection);

} // namespace tobirae
