#include "owndays/OwnDayTable.h"

#include <QSet>
#include <algorithm>
#include <limits>

namespace tobirae {

using namespace std::chrono;

namespace {

int dayNumber(year_month_day d) {
    return sys_days{d}.time_since_epoch().count();
}

std::size_t monthDayKey(year_month_day d) {
    return unsigned(d.month()) * 32 + unsigned(d.day());
}

// Month and day of `d` inside the every-year range, which may wrap the year end.
bool inYearlyRange(const OwnDay& e, year_month_day d) {
    const auto key = monthDayKey(d);
    const auto first = monthDayKey(e.first);
    const auto last = monthDayKey(e.last);
    return first <= last ? key >= first && key <= last : key >= first || key <= last;
}

} // namespace

OwnDayTable::OwnDayTable(std::vector<OwnDay> days) : days_(std::move(days)) {
    for (std::size_t i = 0; i < days_.size(); ++i) {
        const OwnDay& e = days_[i];
        if (!e.everyYear)
            dated_.push_back(i);
        else if (e.first == e.last)
            yearlyDays_[monthDayKey(e.first)].push_back(i);
        else
            yearlyRanges_.push_back(i);
    }
    std::stable_sort(dated_.begin(), dated_.end(), [&](std::size_t a, std::size_t b) {
        return dayNumber(days_[a].first) < dayNumber(days_[b].first);
    });
    int reach = std::numeric_limits<int>::min();
    for (std::size_t i : dated_) {
        datedFirst_.push_back(dayNumber(days_[i].first));
        reach = std::max(reach, dayNumber(days_[i].last));
        reach_.push_back(reach);
    }
}

OwnDayFacts OwnDayTable::lookup(year_month_day date) const {
    OwnDayFacts out;
    if (days_.empty() || !date.ok())
        return out;
    std::vector<std::size_t> hits;
    const int n = dayNumber(date);
    // Entries starting on or before the day; walking back stops once none of the earlier
    // entries reaches the day.
    auto end = std::upper_bound(datedFirst_.begin(), datedFirst_.end(), n);
    for (auto pos = static_cast<std::size_t>(end - datedFirst_.begin()); pos > 0; --pos) {
        if (reach_[pos - 1] < n)
            break;
        const std::size_t i = dated_[pos - 1];
        if (dayNumber(days_[i].last) >= n)
            hits.push_back(i);
    }
    const auto& yearly = yearlyDays_[monthDayKey(date)];
    hits.insert(hits.end(), yearly.begin(), yearly.end());
    for (std::size_t i : yearlyRanges_)
        if (inYearlyRange(days_[i], date))
            hits.push_back(i);
    std::sort(hits.begin(), hits.end());
    QSet<QString> seen;
    for (std::size_t i : hits) {
        const OwnDay& e = days_[i];
        out.dayOff |= e.kind == OwnDayKind::DayOff;
        out.workingDay |= e.kind == OwnDayKind::WorkingDay;
        if (e.name.isEmpty() || out.names.size() > kMaxNamesPerDay || seen.contains(e.name))
            continue;
        seen.insert(e.name);
        out.names.push_back(out.names.size() == kMaxNamesPerDay ? QStringLiteral("…") : e.name);
    }
    if (out.workingDay)
        out.dayOff = false;
    return out;
}

void addOwnDays(DayFacts& facts, const OwnDayFacts& own, bool withNames) {
    if (withNames && !own.names.isEmpty())
        facts.ownName = own.names.join(QStringLiteral("・")).toStdString();
    facts.isOwnDayOff = own.dayOff;
    facts.isOwnWorkingDay = own.workingDay;
    if (own.workingDay)
        facts.isRedDay = false;
    else if (own.dayOff)
        facts.isRedDay = true;
}

} // namespace tobirae
