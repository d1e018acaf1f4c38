// One of the user's own days: a company day off, a working day, an anniversary or an event, on
// one date, a range of dates, or a month and day of every year.
#pragma once

#include <QCborMap>
#include <QString>
#include <chrono>
#include <optional>

namespace tobirae {

enum class OwnDayKind {
    Named = 0,      // 記念日 or no kind: the name prints, the colour stays
    DayOff = 1,     // 休日: red like a national holiday
    WorkingDay = 2, // 出勤日: never red, even on a Sunday or a national holiday
};

struct OwnDay {
    // Both included. For every-year entries only month and day count (the year is kRepeatYear);
    // an every-year range whose last day comes before its first runs across the year end.
    std::chrono::year_month_day first{};
    std::chrono::year_month_day last{};
    bool everyYear = false;
    QString name;
    OwnDayKind kind = OwnDayKind::Named;
    QCborMap sections = {}; // a layout's entry: keys a newer program wrote, kept as read

    bool operator==(const OwnDay&) const = default;
};

// The leap year every-year dates are held in, so that 02-29 is a valid date.
inline constexpr std::chrono::year kRepeatYear{2000};

// "休日", "出勤日", "記念日".
QString ownDayKindText(OwnDayKind kind);
// The kind of a 種類 text; "" is Named; nullopt for an unknown text.
std::optional<OwnDayKind> ownDayKindFromText(const QString& text);

// The 日付 text of an entry: "2027-08-13", "2027-08-13..2027-08-16", "10-01", "12-29..01-03".
QString ownDayDateText(const OwnDay& day);

// Reads a 日付 text; on failure `reason` holds the sentence that says why (「2027-02-30
// は存在しない 日付です。」). Accepts "2027-08-13", "2027/8/13", "10-01", "10/1" and ranges "A..B"
// of two dates of the same form whose last does not come before the first (every-year ranges may
// wrap the year end).
struct OwnDayDates {
    std::chrono::year_month_day first{};
    std::chrono::year_month_day last{};
    bool everyYear = false;
};
std::optional<OwnDayDates> parseOwnDayDates(const QString& text, QString& reason);

// Sorted by first date (every-year entries after the dated ones by month and day), then name.
bool ownDayBefore(const OwnDay& a, const OwnDay& b);

} // namespace tobirae
