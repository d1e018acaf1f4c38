// Days files: the user's own days as CSV (UTF-8 with or without a BOM, or Shift_JIS as Excel
// saves it in Japan) or as iCalendar. A bad line is left out and named with the file, its line
// number and the reason; a file that cannot be read is named with the reason.
#pragma once

#include "owndays/OwnDay.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTimeZone>
#include <chrono>
#include <vector>

namespace tobirae {

struct DaysReadResult {
    std::vector<OwnDay> days;
    QStringList problems; // 「会社.csv: 2行目: 2027-02-30 は存在しない日付です。」
    bool readable = false; // false: nothing of the file could be used
};

// Beyond any real company calendar or family feed; a bigger file is a wrong file.
inline constexpr qint64 kMaxDaysFileBytes = 16 * 1024 * 1024;
// The entries one file may give; a daily event over two centuries is one entry (a range).
inline constexpr std::size_t kMaxDaysPerFile = 100000;

// The years a page or the command line can show; a dated entry outside them is named.
inline constexpr int kFirstDaysYear = 1900;
inline constexpr int kLastDaysYear = 2099;
inline bool withinCalendarYears(std::chrono::year_month_day d) {
    return int(d.year()) >= kFirstDaysYear && int(d.year()) <= kLastDaysYear;
}

// Problems named per file; the rest are counted in one more line.
inline constexpr qsizetype kMaxProblemsPerFile = 20;

struct DaysReadOptions {
    // Timed events count on their start day in this zone.
    QTimeZone timeZone = QTimeZone("Asia/Tokyo");
    // Recurring events are expanded over these days (both included).
    std::chrono::year_month_day expandFirst{std::chrono::year{kFirstDaysYear} / 1 / 1};
    std::chrono::year_month_day expandLast{std::chrono::year{kLastDaysYear} / 12 / 31};
    // An iCalendar file is read for at most this long; what comes later is named and left out.
    std::chrono::milliseconds timeLimit{400};
};

// By content: an iCalendar file starts with BEGIN:VCALENDAR, anything else is CSV. `name` is
// the file name the messages use.
DaysReadResult readDaysData(const QByteArray& bytes, const QString& name,
                            const DaysReadOptions& options = {});
DaysReadResult readDaysFile(const QString& path, const DaysReadOptions& options = {});

// CSV: one header line 日付,名前,種類 and a line per entry; UTF-8 with a BOM, which Excel
// reads as UTF-8.
QByteArray writeDaysCsv(const std::vector<OwnDay>& days);

// The parts behind readDaysData.
DaysReadResult readDaysCsv(const QByteArray& bytes, const QString& name);
DaysReadResult readDaysIcs(const QByteArray& bytes, const QString& name,
                           const DaysReadOptions& options);

// The text with control characters (line breaks, tabs, ESC, BEL, NUL) shown as their
// symbols (␊, ␉, ␛) and bidi overrides as U+FFFD, so that a name keeps to its line and column
// and cannot drive a terminal.
QString printableText(const QString& text);

// 「name: N行目: reason」
QString daysLineProblem(const QString& name, int line, const QString& reason);

} // namespace tobirae
