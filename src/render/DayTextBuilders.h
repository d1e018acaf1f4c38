// Texts of the day-cell elements that have styles (old-calendar date, solar terms) and the
// sample texts that size their boxes.
#pragma once

#include <QString>
#include <chrono>

namespace tobirae {

// Old-calendar date of style 0..23 ("旧 2004/閏02/01", "旧1/1", "(02/01)", ...). Empty for
// other styles and for dates the old calendar does not cover.
QString oldDateTextFor(int style, std::chrono::year_month_day date);
QString oldDateSample(int style);
// The same text for an old-calendar date given by its parts.
QString oldDateStyled(int style, int oldYear, int oldMonth, int oldDay, bool leap);

// Solar terms and seasonal days of the date by selection 0..4:
//   0 terms, 1 terms and seasonal days, 2 seasonal days, 3 terms without the equinoxes,
//   4 everything but the equinoxes. Two names are joined with "、".
QString solarTermText(int selection, std::chrono::year_month_day date);
QString solarTermSample(int selection);

QString holidaySample();
// Sample of weekday style 0..7 (Monday's label, padded to the widest); empty outside.
QString weekdaySample(int style);

// The day number as a cell prints it: one-digit days get a leading space (" 5").
QString dayNumberText(int day);

} // namespace tobirae
