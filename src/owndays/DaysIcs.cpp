// iCalendar days files through libical: parsing, time zones and the expansion of RRULE are the
// library's. Every occurrence becomes a dated entry: all-day events cover DTSTART up to the day
// before DTEND, timed events count on the day they start in the layout's time zone.
#include "calendar/DateHelpers.h"
#include "owndays/DaysFile.h"

#include <QDateTime>
#include <libical/ical.h>
#include <memory>

namespace tobirae {

using namespace std::chrono;

namespace {

// An event repeating every day for two centuries stays below this.
constexpr int kMaxOccurrences = 100000;

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
struct IteratorFree {
    void operator()(icalrecur_iterator* i) const { icalrecur_iterator_free(i); }
};

// The raw lines of every VEVENT, so that a problem can name the line it comes from.
struct EventLines {
    int begin = 0; // 1-based line of BEGIN:VEVENT
    QList<QByteArray> lines;

    int lineOf(const char* property) const {
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].toUpper().startsWith(property))
                return begin + i;
        return begin;
    }
};

std::vector<EventLines> eventLines(const QByteArray& bytes) {
    std::vector<EventLines> events;
    const QList<QByteArray> lines = bytes.split('\n');
    bool inside = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed().toUpper();
        if (line == "BEGIN:VEVENT") {
            events.push_back(EventLines{i + 1, {}});
            inside = true;
        } else if (line == "END:VEVENT") {
            inside = false;
        }
        if (inside)
            events.back().lines.push_back(lines[i].trimmed());
    }
    return events;
}

QString icalText(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

OwnDayKind kindOf(icalcomponent* event) {
    OwnDayKind kind = OwnDayKind::Named;
    for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(event, ICAL_CATEGORIES_PROPERTY)) {
        for (const QString& c : icalText(icalproperty_get_categories(p)).split(QLatin1Char(','))) {
            const QString category = c.trimmed();
            if (category == QStringLiteral("出勤日"))
                return OwnDayKind::WorkingDay;
            if (category == QStringLiteral("休日") ||
                category.compare(QStringLiteral("Holiday"), Qt::CaseInsensitive) == 0)
                kind = OwnDayKind::DayOff;
        }
    }
    return kind;
}

bool dateExists(const icaltimetype& t) {
    return isValidDate(t.year, t.month, t.day);
}

year_month_day wallDate(const icaltimetype& t) {
    return year{t.year} / month{unsigned(t.month)} / day{unsigned(t.day)};
}

// The day an occurrence starts on: its own date when all-day or floating, else the date in
// the layout's zone.
year_month_day startDay(const icaltimetype& t, const QTimeZone& zone) {
    if (t.is_date || (!t.zone && !icaltime_is_utc(t)))
        return wallDate(t);
    const icaltimezone* from = t.zone ? t.zone : icaltimezone_get_utc_timezone();
    const auto seconds = static_cast<qint64>(icaltime_as_timet_with_zone(t, from));
    const QDate d = QDateTime::fromSecsSinceEpoch(seconds, zone).date();
    return year{d.year()} / month{unsigned(d.month())} / day{unsigned(d.day())};
}

bool sameOccurrence(const icaltimetype& a, const icaltimetype& b) {
    if (a.is_date || b.is_date)
        return a.year == b.year && a.month == b.month && a.day == b.day;
    if (icaltime_is_utc(a) != icaltime_is_utc(b))
        return icaltime_as_timet_with_zone(a, a.zone) == icaltime_as_timet_with_zone(b, b.zone);
    return icaltime_compare(a, b) == 0;
}

class EventReader {
public:
    EventReader(icalcomponent* event, const EventLines& lines, const QString& name,
                const DaysReadOptions& options, DaysReadResult& out)
        : event_(event), lines_(lines), name_(name), options_(options), out_(out) {}

    void read() {
        if (icalcomponent_get_status(event_) == ICAL_STATUS_CANCELLED)
            return;
        if (icalproperty* error =
                icalcomponent_get_first_property(event_, ICAL_XLICERROR_PROPERTY)) {
            problem(lines_.begin, QStringLiteral("読めない項目があります（%1）。")
                                      .arg(icalText(icalproperty_get_xlicerror(error)).trimmed()));
            return;
        }
        start_ = icalcomponent_get_dtstart(event_);
        if (icaltime_is_null_time(start_)) {
            problem(lines_.begin, QStringLiteral("開始日 (DTSTART) がありません。"));
            return;
        }
        if (!dateExists(start_)) {
            problem(lines_.lineOf("DTSTART"), QStringLiteral("%1 は存在しない日付です。")
                                                  .arg(icalText(icaltime_as_ical_string(start_))));
            return;
        }
        entry_.name = icalText(icalcomponent_get_summary(event_)).trimmed();
        entry_.kind = kindOf(event_);
        lengthDays_ = 1;
        const icaltimetype end = icalcomponent_get_dtend(event_);
        if (start_.is_date && !icaltime_is_null_time(end) && dateExists(end))
            lengthDays_ = std::max(
                1,
                static_cast<int>((sys_days{wallDate(end)} - sys_days{wallDate(start_)}).count()));
        collectExceptions();
        if (icalproperty* rule = icalcomponent_get_first_property(event_, ICAL_RRULE_PROPERTY))
            expand(icalproperty_get_rrule(rule));
        else
            occurrence(start_);
        for (icalproperty* p = icalcomponent_get_first_property(event_, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(event_, ICAL_RDATE_PROPERTY)) {
            icaltimetype t = icalproperty_get_rdate(p).time;
            if (!icaltime_is_null_time(t) && dateExists(t))
                occurrence(t);
        }
    }

private:
    void problem(int line, const QString& reason) {
        out_.problems << daysLineProblem(name_, line, reason);
    }

    void collectExceptions() {
        for (icalproperty* p = icalcomponent_get_first_property(event_, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(event_, ICAL_EXDATE_PROPERTY))
            exceptions_.push_back(icalproperty_get_exdate(p));
    }

    void expand(icalrecurrencetype rule) {
        std::unique_ptr<icalrecur_iterator, IteratorFree> it(icalrecur_iterator_new(rule, start_));
        if (!it) {
            problem(lines_.lineOf("RRULE"), QStringLiteral("繰り返し (RRULE) を読めません。"));
            return;
        }
        const sys_days last{options_.expandLast};
        for (int n = 0;; ++n) {
            icaltimetype t = icalrecur_iterator_next(it.get());
            if (icaltime_is_null_time(t) || sys_days{wallDate(t)} > last)
                return;
            if (n == kMaxOccurrences) {
                problem(lines_.lineOf("RRULE"),
                        QStringLiteral("繰り返しが %1 回を超えるので、それより後は使いません。")
                            .arg(kMaxOccurrences));
                return;
            }
            t.zone = start_.zone;
            occurrence(t);
        }
    }

    void occurrence(const icaltimetype& t) {
        for (const icaltimetype& ex : exceptions_)
            if (sameOccurrence(ex, t))
                return;
        OwnDay day = entry_;
        day.first = startDay(t, options_.timeZone);
        day.last = year_month_day{sys_days{day.first} + days{lengthDays_ - 1}};
        if (sys_days{day.last} < sys_days{options_.expandFirst} ||
            sys_days{day.first} > sys_days{options_.expandLast})
            return;
        out_.days.push_back(std::move(day));
    }

    icalcomponent* event_;
    const EventLines& lines_;
    const QString& name_;
    const DaysReadOptions& options_;
    DaysReadResult& out_;
    icaltimetype start_{};
    int lengthDays_ = 1;
    OwnDay entry_;
    std::vector<icaltimetype> exceptions_;
};

} // namespace

DaysReadResult readDaysIcs(const QByteArray& bytes, const QString& name,
                           const DaysReadOptions& options) {
    DaysReadResult result;
    std::unique_ptr<icalcomponent, ComponentFree> root(icalparser_parse_string(bytes.constData()));
    if (!root || icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT) {
        result.problems << name + QStringLiteral(": iCalendar として読めません。");
        return result;
    }
    result.readable = true;
    const std::vector<EventLines> lines = eventLines(bytes);
    std::size_t k = 0;
    for (icalcomponent* event =
             icalcomponent_get_first_component(root.get(), ICAL_VEVENT_COMPONENT);
         event; event = icalcomponent_get_next_component(root.get(), ICAL_VEVENT_COMPONENT), ++k) {
        const EventLines none;
        EventReader(event, k < lines.size() ? lines[k] : none, name, options, result).read();
    }
    return result;
}

} // namespace tobirae
