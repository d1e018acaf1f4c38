// tobirae-cli days FROM TO: one tab-separated line of calendar facts per day.
#include "calendar/DateHelpers.h"
#include "calendar/DayFacts.h"
#include "calendar/SolarTerms.h"
#include "calendar/WeekNumbers.h"
#include "calendar/WorkingDays.h"
#include "cli/Commands.h"
#include "owndays/OwnDaysLoad.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

namespace tobirae {

namespace {

using namespace std::chrono;

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2099;

constexpr const char* kDaysHelp =
    "Usage: tobirae-cli days FROM TO [--days FILE]... [--weekly-off DAYS]\n"
    "\n"
    "Prints the calendar facts of every day from FROM to TO (both included, YYYY-MM-DD,\n"
    "years 1900 to 2099) as UTF-8 tab-separated lines after one header line:\n"
    "  date            YYYY-MM-DD\n"
    "  weekday         日 月 火 水 木 金 土\n"
    "  holiday         national holiday name, empty on other days\n"
    "  red             1 for a holiday or a Sunday, else 0; with --days 1 also for\n"
    "                  the user's days off and 0 for the user's working days\n"
    "  kanshi          sexagenary name of the day\n"
    "  kanshi_reading  its reading\n"
    "  old_date        old-calendar date (e.g. 2004/閏02/01), empty outside 1950..2049\n"
    "  leap            1 in a leap month of the old calendar, else 0\n"
    "  rokuyo          rokuyo of the day, empty outside 1950..2049\n"
    "  sekki           solar terms and seasonal days of the day, joined by 、\n"
    "  senjitsu        selected days (選日) in the order 一粒万倍日 天赦日 寅の日 巳の日\n"
    "                  己巳の日 不成就日 三隣亡 十方暮 八専 天一天上, joined by 、;\n"
    "                  不成就日 only within 1950..2049\n"
    "  moon_age        days since the latest new moon at 12:00 Japan time, one decimal\n"
    "  moon_phase      新月 上弦 満月 下弦 on the Japan-time day of the phase, else empty\n"
    "  iso_week        ISO 8601 week number\n"
    "  working         1 for a working day, else 0: not a weekly day off, a national\n"
    "                  holiday or (with --days) the user's day off; the user's\n"
    "                  working days always 1\n"
    "  own             (with --days) the names of the user's days, joined by ・\n"
    "\n"
    "Options:\n"
    "  --days FILE     a days file (CSV or iCalendar) of the user's own days; repeatable.\n"
    "                  Lines and files that cannot be read are named on stderr\n"
    "  --weekly-off DAYS  the weekly days off for the working column, e.g. 土,日 (the\n"
    "                  default) or 日,水; an empty text for none\n"
    "  -h, --help      this text\n";

// Strict YYYY-MM-DD.
std::optional<year_month_day> parseIsoDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p) {
        for (int i = starts[p]; i < starts[p] + lengths[p]; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return std::nullopt;
            parts[p] = parts[p] * 10 + (text[i] - '0');
        }
    }
    if (!isValidDate(parts[0], parts[1], parts[2]))
        return std::nullopt;
    return year_month_day{year{parts[0]}, month{static_cast<unsigned>(parts[1])},
                          day{static_cast<unsigned>(parts[2])}};
}

void appendIsoDate(std::string& out, year_month_day date) {
    std::string text = formatDateText(date);
    text[4] = '-';
    text[7] = '-';
    out += text;
}

void appendDay(std::string& out, year_month_day date, const OwnDayTable* own, WeeklyDaysOff off) {
    DayFacts facts;
    facts.date = date;
    computeDayFacts(facts);
    if (own)
        addOwnDays(facts, own->lookup(date));

    appendIsoDate(out, date);
    out += '\t';
    out += weekdayName(weekdayIndex(sys_days{date}), 2);
    out += '\t';
    out += facts.holidayName;
    out += facts.isRedDay ? "\t1\t" : "\t0\t";
    out += facts.kanshiName;
    out += '\t';
    out += facts.kanshiReading;
    out += '\t';
    out += facts.oldDateText;
    out += facts.isLeapMonth ? "\t1\t" : "\t0\t";
    out += facts.rokuyoName;
    out += '\t';
    if (auto sekki = lookupSolarTerm(date)) {
        if (sekki->first.code != kNoSekki)
            out += sekki->first.name;
        if (sekki->second.code != kNoSekki) {
            out += "、";
            out += sekki->second.name;
        }
    }
    out += '\t';
    out += selectedDayNames(facts.selectedDays);
    out += '\t';
    out += moonAgeText(facts.moonAge);
    out += '\t';
    if (facts.moonPhase)
        out += moonPhaseName(*facts.moonPhase);
    out += '\t';
    out += std::to_string(isoWeekNumber(sys_days{date}));
    out += isWorkingDay(facts, off) ? "\t1" : "\t0";
    if (own) {
        out += '\t';
        // A shared days file must not split the row nor reach the terminal with escapes.
        out += printableText(QString::fromStdString(facts.ownName)).toStdString();
    }
    out += '\n';
}

} // namespace

int runDays(const std::vector<std::string>& args) {
    if (asksForHelp(args))
        return writeStdout(kDaysHelp) ? kExitOk : kExitFailure;
    std::vector<std::string> dates;
    QStringList files;
    WeeklyDaysOff weeklyOff = kDefaultWeeklyDaysOff;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--days") {
            if (i + 1 >= args.size())
                return usageError("days: --days にはファイルを指定してください");
            files << QString::fromLocal8Bit(args[++i]);
        } else if (arg == "--weekly-off") {
            if (i + 1 >= args.size())
                return usageError("days: --weekly-off needs the days, e.g. 土,日");
            const auto parsed = parseWeeklyDaysOff(args[++i]);
            if (!parsed)
                return usageError("days: --weekly-off takes weekday letters 日 月 火 水 木 金 土 "
                                  "separated by commas: " +
                                  args[i]);
            weeklyOff = *parsed;
        } else if (arg.starts_with("-") && arg.size() > 1) {
            return usageError("days: 不明なオプションです: " + arg);
        } else {
            dates.push_back(arg);
        }
    }
    if (dates.size() != 2)
        return usageError("days: 日付を2つ (FROM と TO) 指定してください (tobirae-cli days --help を参照)");

    std::optional<year_month_day> range[2];
    for (int i = 0; i < 2; ++i) {
        range[i] = parseIsoDate(dates[i]);
        if (!range[i])
            return usageError("days: YYYY-MM-DD の形の日付ではありません: " + dates[i]);
        const int y = static_cast<int>(range[i]->year());
        if (y < kFirstYear || y > kLastYear)
            return usageError("days: 1900～2099 年の範囲外の日付です: " + dates[i]);
    }
    const sys_days from{*range[0]};
    const sys_days to{*range[1]};
    if (from > to)
        return usageError("days: FROM が TO より後の日付です");

    // Recurring events are expanded over the days asked for only.
    DaysReadOptions options;
    options.expandFirst = *range[0];
    options.expandLast = *range[1];
    const LoadedOwnDays own = loadOwnDays({}, files, {}, options);
    for (const QString& problem : own.problems)
        std::fprintf(stderr, "tobirae-cli: 警告: %s\n",
                     printableText(problem).toLocal8Bit().constData());
    std::string out = "date\tweekday\tholiday\tred\tkanshi\tkanshi_reading\told_date\tleap\trokuyo"
                      "\tsekki\tsenjitsu\tmoon_age\tmoon_phase\tiso_week\tworking";
    out += files.isEmpty() ? "\n" : "\town\n";
    out.reserve(out.size() + static_cast<std::size_t>((to - from).count() + 1) * 150);
    const OwnDayTable empty;
    const OwnDayTable* table = files.isEmpty() ? nullptr : own.table ? own.table.get() : &empty;
    for (sys_days day = from; day <= to; day += days{1})
        appendDay(out, year_month_day{day}, table, weeklyOff);
    return writeStdout(out) ? kExitOk : kExitFailure;
}

} // namespace tobirae
