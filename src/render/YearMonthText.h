// Year labels of the year display, the month box titles and the dialogs, and the Japanese era
// they are built from.
#pragma once

#include <QString>
#include <chrono>
#include <optional>

namespace tobirae {

// The Japanese era of a date and the year within it (1 for the era's first, partial year).
struct EraYear {
    QString name; // "明治", "大正", "昭和", "平成", "令和"
    int year = 0;
};

// The era a date falls in, switching on the first day of each era as Japanese calendars
// print them (1989/1/7 is 昭和64, 1989/1/8 平成1). Empty before 1868/1/1, where no era of the
// table applies.
std::optional<EraYear> japaneseEra(std::chrono::year_month_day date);

// An era year in kanji numerals; the first year of an era is "元" (令和元年).
QString kanjiEraYear(int eraYear);

// The year label of style 0..39 for a date. Patterns: "YYYY" four-digit year, "YY" two-digit
// year, "ggg" era name, "ee" two-digit era year, K the era year in kanji.
//   0..15  YYYY, ggg ee, gggee, ggg K, gggK, YYYY年, ggg ee年, gggee年, ggg K年, gggK年,
//          YY, ee, K, YY年, ee年, K年
//   16..23 styles 0..4 and 10..12 followed by "/"
//   24..39 styles 0..15 in round brackets
//   40..43 the fiscal year of the date's month (April start): 2027年度, 令和9年度, and the two
//          in round brackets
// Empty for any other style, and for a style that needs the era when the date has none.
QString yearText(int style, std::chrono::year_month_day date);
inline constexpr int kFiscalYearStyle = 40;
inline constexpr int kFiscalYearStyleCount = 4;

} // namespace tobirae
