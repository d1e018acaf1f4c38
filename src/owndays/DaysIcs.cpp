// iCalendar days files through libical: parsing, time zones and the expansion of RRULE are the
// library's. Every occurrence becomes a dated entry: all-day events cover DTSTART up to the day
// before DTEND, timed events count on the day they start in the layout's time zone.
#include "calendar/DateHelpers.h"
#include "owndays/DaysFile.h"

#include <QDateTime>
#include <QStringDecoder>
#include <libical/ical.h>
#include <memory>
#include <optional>

namespace tobirae {

using namespace std::chrono;

namespace {

// libical walks a rule that never matches (FREQ=MINUTELY;BYMONTH=2;BYMONTHDAY=30) one FREQ
// step at a time inside a single call, and only an UNTIL ends that walk: every rule is given one
// this many steps after its start at the latest (about 0.2 s of walking).
constexpr long long kMaxRuleSteps = 100000;

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

// Lines of the events directly inside the calendar, in the order libical lists them.
std::vector<EventLines> eventLines(const QByteArray& bytes) {
    std::vector<EventLines> events;
    const QList<QByteArray> lines = bytes.split('\n');
    int depth = 0; // components open below the calendar
    bool inside = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed().toUpper();
        if (line.startsWith("BEGIN:") && line != "BEGIN:VCALENDAR") {
            if (depth == 0 && line == "BEGIN:VEVENT") {
                events.push_back(EventLines{i + 1, {}});
                inside = true;
            }
            ++depth;
        }
        if (inside)
            events.back().lines.push_back(lines[i].trimmed());
        if (line.startsWith("END:") && line != "END:VCALENDAR" && depth > 0 && --depth == 0)
            inside = false;
    }
    return events;
}

// What one file may cost: the wall time and the entries it gives.
struct ReadBudget {
    steady_clock::time_point deadline;
    bool exhausted = false;

    bool overTime() const { return steady_clock::now() > deadline; }
};

// Text of a property that should be UTF-8; nullopt when it is not.
std::optional<QString> utf8Text(const char* text) {
    if (!text)
        return QString();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QString out = utf8.decode(QByteArrayView(text));
    if (utf8.hasError())
        return std::nullopt;
    return out;
}

long long secondsPerStep(icalrecurrencetype_frequency freq) {
    switch (freq) {
    case ICAL_SECONDLY_RECURRENCE:
        return 1;
    case ICAL_MINUTELY_RECURRENCE:
        return 60;
    case ICAL_HOURLY_RECURRENCE:
        return 3600;
    case ICAL_DAILY_RECURRENCE:
        return 86400;
    case ICAL_WEEKLY_RECURRENCE:
        return 7 * 86400;
    case ICAL_MONTHLY_RECURRENCE:
        return 28 * 86400;
    default:
        return 365 * 86400;
    }
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
                const DaysReadOptions& options, ReadBudget& budget, DaysReadResult& out)
        : event_(event), lines_(lines), name_(name), options_(options), budget_(budget), out_(out) {
    }

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
        for (icalcomponent* inner = icalcomponent_get_first_component(event_, ICAL_ANY_COMPONENT);
             inner; inner = icalcomponent_get_next_component(event_, ICAL_ANY_COMPONENT)) {
            if (icalcomponent_isa(inner) == ICAL_VEVENT_COMPONENT)
                problem(lines_.begin, QStringLiteral("予定 (VEVENT) の中の予定は使いません。"));
        }
        if (const auto summary = utf8Text(icalcomponent_get_summary(event_))) {
            entry_.name = summary->trimmed();
        } else {
            entry_.name = icalText(icalcomponent_get_summary(event_)).trimmed();
            problem(lines_.lineOf("SUMMARY"),
                    QStringLiteral("名前 (SUMMARY) が UTF-8 ではありません（読めない文字を � に"
                                   "しました）。"));
        }
        entry_.kind = kindOf(event_);
        lengthDays_ = 1;
        const icaltimetype end = icalcomponent_get_dtend(event_);
        if (start_.is_date && !icaltime_is_null_time(end) && dateExists(end))
            lengthDays_ = std::max(
                1,
                static_cast<int>((sys_days{wallDate(end)} - sys_days{wallDate(start_)}).count()));
        collectExceptions();
        if (icalproperty* rule = icalcomponent_get_first_property(event_, ICAL_RRULE_PROPERTY)) {
            expanding_ = true;
            expand(icalproperty_get_rrule(rule));
        } else {
            occurrence(start_);
        }
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
        // Every rule ends by the last day expanded, or earlier when that is too many steps away.
        // Without a COUNT the walk may start at the first day asked for (a day early, for zones).
        const sys_days dtstart{wallDate(start_)};
        const sys_days wanted = sys_days{options_.expandFirst} - days{1};
        const bool skipAhead = rule.count == 0 && wanted > dtstart;
        const sys_days first = skipAhead ? wanted : dtstart;
        const long long stepDays = secondsPerStep(rule.freq) *
                                   std::max<long long>(1, rule.interval) * kMaxRuleSteps / 86400;
        const sys_days last{options_.expandLast};
        const bool cut = (last - first).count() > stepDays;
        const year_month_day end{cut ? first + days{stepDays} : last};
        icaltimetype until = start_;
        until.year = int(end.year());
        until.month = int(unsigned(end.month()));
        until.day = int(unsigned(end.day()));
        if (!until.is_date) {
            until.hour = 23;
            until.minute = 59;
            until.second = 59;
        }
        const bool ownEndFirst =
            !icaltime_is_null_time(rule.until) && icaltime_compare(rule.until, until) <= 0;
        if (!ownEndFirst)
            rule.until = until;
        std::unique_ptr<icalrecur_iterator, IteratorFree> it(icalrecur_iterator_new(rule, start_));
        if (!it) {
            problem(lines_.lineOf("RRULE"), QStringLiteral("繰り返し (RRULE) を読めません。"));
            return;
        }
        if (skipAhead) {
            const year_month_day from{first};
            icaltimetype at = start_;
            at.year = int(from.year());
            at.month = int(unsigned(from.month()));
            at.day = int(unsigned(from.day()));
            if (!at.is_date)
                at.hour = at.minute = at.second = 0;
            icalrecur_iterator_set_start(it.get(), at);
        }
        int produced = 0;
        for (;;) {
            if (budget_.exhausted)
                return;
            if (budget_.overTime()) {
                problem(lines_.begin, QStringLiteral("読むのに時間がかかりすぎるので、この予定から"
                                                     "後は使いません。"));
                budget_.exhausted = true;
                return;
            }
            icaltimetype t = icalrecur_iterator_next(it.get());
            if (icaltime_is_null_time(t) || sys_days{wallDate(t)} > last)
                break;
            ++produced;
            t.zone = start_.zone;
            occurrence(t);
        }
        if (cut && !ownEndFirst && (rule.count == 0 || produced < rule.count))
            problem(lines_.lineOf("RRULE"),
                    QStringLiteral("繰り返し (RRULE) が細かすぎるので、%1 より後は使いません。")
                        .arg(QString::fromStdString(formatDateText(end))));
    }

    void occurrence(const icaltimetype& t) {
        if (budget_.exhausted)
            return;
        for (const icaltimetype& ex : exceptions_)
            if (sameOccurrence(ex, t))
                return;
        OwnDay day = entry_;
        day.first = startDay(t, options_.timeZone);
        day.last = year_month_day{sys_days{day.first} + days{lengthDays_ - 1}};
        if (!expanding_ && !withinCalendarYears(day.first)) {
            problem(lines_.lineOf("DTSTART"),
                    QStringLiteral("%1 はカレンダーが扱う %2～%3 年の外です。")
                        .arg(QString::fromStdString(formatDateText(day.first)))
                        .arg(kFirstDaysYear)
                        .arg(kLastDaysYear));
            return;
        }
        if (sys_days{day.last} < sys_days{options_.expandFirst} ||
            sys_days{day.first} > sys_days{options_.expandLast})
            return;
        // Occurrences that meet or overlap the one before become one range: a daily event over
        // two centuries is one entry, not seventy thousand.
        if (merged_) {
            OwnDay& before = out_.days[*merged_];
            if (sys_days{day.first} >= sys_days{before.first} &&
                sys_days{day.first} <= sys_days{before.last} + days{1}) {
                if (sys_days{day.last} > sys_days{before.last})
                    before.last = day.last;
                return;
            }
        }
        if (out_.days.size() >= kMaxDaysPerFile) {
            problem(lines_.begin, QStringLiteral("日が %1 件を超えるので、それより後は使いません。")
                                      .arg(kMaxDaysPerFile));
            budget_.exhausted = true;
            return;
        }
        out_.days.push_back(std::move(day));
        merged_ = out_.days.size() - 1;
    }

    icalcomponent* event_;
    const EventLines& lines_;
    const QString& name_;
    const DaysReadOptions& options_;
    ReadBudget& budget_;
    DaysReadResult& out_;
    std::optional<std::size_t> merged_; // this event's last entry
    bool expanding_ = false;
    icaltimetype start_{};
    int lengthDays_ = 1;
    OwnDay entry_;
    std::vector<icaltimetype> exceptions_;
};

} // namespace

namespace {

// Zone rules other than yearly or monthly ones are no real zone's, and libical expands them
// change by change (FREQ=SECONDLY: 60 s and 300 MB). Such a zone is taken out; its events then
// count on their own date.
void dropRunawayZones(icalcomponent* root, const QString& name, DaysReadResult& out) {
    std::vector<icalcomponent*> runaway;
    for (icalcomponent* zone = icalcomponent_get_first_component(root, ICAL_VTIMEZONE_COMPONENT);
         zone; zone = icalcomponent_get_next_component(root, ICAL_VTIMEZONE_COMPONENT)) {
        bool bad = false;
        for (icalcomponent* part = icalcomponent_get_first_component(zone, ICAL_ANY_COMPONENT);
             part && !bad; part = icalcomponent_get_next_component(zone, ICAL_ANY_COMPONENT)) {
            for (icalproperty* p = icalcomponent_get_first_property(part, ICAL_RRULE_PROPERTY);
                 p && !bad; p = icalcomponent_get_next_property(part, ICAL_RRULE_PROPERTY)) {
                const icalrecurrencetype_frequency freq = icalproperty_get_rrule(p).freq;
                bad = freq != ICAL_YEARLY_RECURRENCE && freq != ICAL_MONTHLY_RECURRENCE;
            }
        }
        if (!bad)
            continue;
        runaway.push_back(zone);
        icalproperty* id = icalcomponent_get_first_property(zone, ICAL_TZID_PROPERTY);
        out.problems << name + QStringLiteral(": タイムゾーン %1 の切り替え規則 (RRULE) は年ごと"
                                              "か月ごとでないので使いません。")
                                   .arg(printableText(
                                       icalText(id ? icalproperty_get_tzid(id) : nullptr)));
    }
    for (icalcomponent* zone : runaway) {
        icalcomponent_remove_component(root, zone);
        icalcomponent_free(zone);
    }
}

// An END without its BEGIN makes libical print to stderr beside our own messages: such lines
// are blanked (keeping the line numbers) and named here instead.
QByteArray withoutStrayEnds(const QByteArray& bytes, const QString& name, DaysReadResult& out) {
    QByteArray cleaned = bytes;
    QList<QByteArray> open;
    qsizetype start = 0;
    for (int line = 1; start < bytes.size(); ++line) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        const QByteArray text = bytes.mid(start, end - start).trimmed().toUpper();
        if (text.startsWith("BEGIN:")) {
            open.push_back(text.mid(6));
        } else if (text.startsWith("END:")) {
            const QByteArray kind = text.mid(4);
            if (open.contains(kind)) {
                while (!open.isEmpty() && open.takeLast() != kind) {
                }
            } else {
                std::fill(cleaned.begin() + start, cleaned.begin() + end, ' ');
                out.problems << daysLineProblem(name, line,
                                                QStringLiteral("BEGIN のない END:%1 は使いません。")
                                                    .arg(printableText(QString::fromUtf8(kind))));
            }
        }
        start = end + 1;
    }
    return cleaned;
}

} // namespace

DaysReadResult readDaysIcs(const QByteArray& bytes, const QString& name,
                           const DaysReadOptions& options) {
    DaysReadResult result;
    ReadBudget budget{steady_clock::now() + options.timeLimit};
    const QByteArray cleaned = withoutStrayEnds(bytes, name, result);
    std::unique_ptr<icalcomponent, ComponentFree> root(
        icalparser_parse_string(cleaned.constData()));
    // Calendars one after another come as one root holding them; the first one counts.
    icalcomponent* calendar = root.get();
    if (calendar && icalcomponent_isa(calendar) == ICAL_XROOT_COMPONENT) {
        calendar = icalcomponent_get_first_component(calendar, ICAL_VCALENDAR_COMPONENT);
        if (calendar && icalcomponent_get_next_component(root.get(), ICAL_VCALENDAR_COMPONENT))
            result.problems << name + QStringLiteral(": 2 つ目からのカレンダー (VCALENDAR) は"
                                                     "使いません。");
    }
    if (!calendar || icalcomponent_isa(calendar) != ICAL_VCALENDAR_COMPONENT) {
        result.problems << name + QStringLiteral(": iCalendar として読めません。");
        return result;
    }
    result.readable = true;
    dropRunawayZones(calendar, name, result);
    const std::vector<EventLines> lines = eventLines(bytes);
    std::size_t k = 0;
    for (icalcomponent* event = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
         event && !budget.exhausted;
         event = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT), ++k) {
        const EventLines none;
        EventReader(event, k < lines.size() ? lines[k] : none, name, options, budget, result)
            .read();
    }
    return result;
}

} // namespace tobirae
