#include "owndays/OwnDay.h"

#include "calendar/DateHelpers.h"

#include <QRegularExpression>
#include <tuple>

namespace tobirae {

using namespace std::chrono;

namespace {

struct OneDate {
    year_month_day date{};
    bool everyYear = false;
};

// One date of a 日付 text; the reason names the text as the user wrote it.
std::optional<OneDate> parseOne(const QString& text, QString& reason) {
    static const QRegularExpression dated(QStringLiteral(R"(^(\d{4})([-/])(\d{1,2})\2(\d{1,2})$)"));
    static const QRegularExpression yearly(QStringLiteral(R"(^(\d{1,2})[-/](\d{1,2})$)"));
    int y = static_cast<int>(kRepeatYear);
    int m = 0;
    int d = 0;
    bool everyYear = false;
    if (const auto match = dated.match(text); match.hasMatch()) {
        y = match.captured(1).toInt();
        m = match.captured(3).toInt();
        d = match.captured(4).toInt();
    } else if (const auto match = yearly.match(text); match.hasMatch()) {
        m = match.captured(1).toInt();
        d = match.captured(2).toInt();
        everyYear = true;
    } else {
        reason = QStringLiteral("%1 は日付ではありません。").arg(text);
        return std::nullopt;
    }
    if (!isValidDate(y, m, d)) {
        reason = QStringLiteral("%1 は存在しない日付です。").arg(text);
        return std::nullopt;
    }
    return OneDate{year_month_day{year{y}, month{unsigned(m)}, day{unsigned(d)}}, everyYear};
}

QString monthDayText(year_month_day d) {
    return QStringLiteral("%1-%2")
        .arg(unsigned(d.month()), 2, 10, QLatin1Char('0'))
        .arg(unsigned(d.day()), 2, 10, QLatin1Char('0'));
}

QString fullDateText(year_month_day d) {
    return QStringLiteral("%1-").arg(int(d.year()), 4, 10, QLatin1Char('0')) + monthDayText(d);
}

} // namespace

QString ownDayKindText(OwnDayKind kind) {
    switch (kind) {
    case OwnDayKind::DayOff:
        return QStringLiteral("休日");
    case OwnDayKind::WorkingDay:
        return QStringLiteral("出勤日");
    case OwnDayKind::Named:
        break;
    }
    return QStringLiteral("記念日");
}

std::optional<OwnDayKind> ownDayKindFromText(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t == QStringLiteral("記念日"))
        return OwnDayKind::Named;
    if (t == QStringLiteral("休日"))
        return OwnDayKind::DayOff;
    if (t == QStringLiteral("出勤日"))
        return OwnDayKind::WorkingDay;
    return std::nullopt;
}

QString ownDayDateText(const OwnDay& day) {
    const auto one = [&](year_month_day d) {
        return day.everyYear ? monthDayText(d) : fullDateText(d);
    };
    if (day.first == day.last)
        return one(day.first);
    return one(day.first) + QStringLiteral("..") + one(day.last);
}

std::optional<OwnDayDates> parseOwnDayDates(const QString& input, QString& reason) {
    // Excel users type full-width digits and slashes as often as ASCII ones.
    const QString text = input.normalized(QString::NormalizationForm_KC).trimmed();
    const qsizetype dots = text.indexOf(QStringLiteral(".."));
    const QString firstText = dots < 0 ? text : text.left(dots).trimmed();
    const auto first = parseOne(firstText, reason);
    if (!first)
        return std::nullopt;
    if (dots < 0)
        return OwnDayDates{first->date, first->date, first->everyYear};
    const auto last = parseOne(text.mid(dots + 2).trimmed(), reason);
    if (!last)
        return std::nullopt;
    if (first->everyYear != last->everyYear) {
        reason = QStringLiteral("%1 の両端は同じ書き方にしてください。").arg(text);
        return std::nullopt;
    }
    if (!first->everyYear && sys_days{last->date} < sys_days{first->date}) {
        reason = QStringLiteral("%1 は終わりの日付が始まりより前です。").arg(text);
        return std::nullopt;
    }
    return OwnDayDates{first->date, last->date, first->everyYear};
}

bool ownDayBefore(const OwnDay& a, const OwnDay& b) {
    const auto key = [](const OwnDay& d) {
        return std::tuple(d.everyYear, sys_days{d.first}, sys_days{d.last});
    };
    if (key(a) != key(b))
        return key(a) < key(b);
    return a.name < b.name;
}

} // namespace tobirae
