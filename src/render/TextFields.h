// The fields of text items, read for the page's month. Fiscal and school years start in April.
#pragma once

#include "calendar/WorkingDays.h"

#include <QString>
#include <chrono>

namespace tobirae {

class OwnDayTable;

// The fiscal year a month belongs to: its year from April on, the year before in January to
// March (February 2028 → 2027).
int fiscalYearOf(std::chrono::year_month month);
// "令和9年", "令和元年": the era of the month's first day and the year within it.
QString eraYearText(std::chrono::year_month month);
// "令和9年度", "令和元年度": the fiscal year in the era of the month's first day, or in the era
// of the fiscal year's 1 April when that era had not begun when the fiscal year did (February
// 1989 reads 昭和63年度).
QString eraFiscalYearText(std::chrono::year_month month);

// Replaces {年} (2027), {月} (4), {和暦年}, {年度} (2027) and {和暦年度}, and the counts of
// working days and days off {出勤日数} {休日数} (the month) and {年度出勤日数} {年度休日数} (the
// 年度 holding it), counted with the user's days (own may be nullptr) and the weekly days off;
// "{{" writes "{". Anything else, unknown fields included, stays as written.
QString expandTextFields(const QString& text, std::chrono::year_month month,
                             const OwnDayTable* own = nullptr,
                             WeeklyDaysOff off = kDefaultWeeklyDaysOff);

} // namespace tobirae
