// What a layout keeps of the user's own days: its own entries, the days files it links (read
// again whenever they change, so a shared company file stays current) and the time zone in which
// timed events of those files count.
#pragma once

#include "calendar/WorkingDays.h"
#include "owndays/OwnDay.h"

#include <QCborMap>
#include <QStringList>
#include <optional>
#include <vector>

namespace tobirae {

inline constexpr const char* kDefaultOwnDaysTimeZone = "Asia/Tokyo";

struct OwnDaysSettings {
    std::vector<OwnDay> days;
    QStringList files; // as the user chose them; relative ones from the layout's folder
    QString timeZone;  // IANA name; empty: Asia/Tokyo
    // The company's weekly days off for its working days; nullopt: 土・日, and not written.
    std::optional<WeeklyDaysOff> weeklyDaysOff;
    QCborMap sections; // keys a newer program wrote, kept as read

    WeeklyDaysOff weeklyDaysOffOrDefault() const {
        return weeklyDaysOff.value_or(kDefaultWeeklyDaysOff);
    }
    bool isEmpty() const {
        return days.empty() && files.isEmpty() && timeZone.isEmpty() && !weeklyDaysOff &&
               sections.isEmpty();
    }
    bool operator==(const OwnDaysSettings&) const = default;
};

} // namespace tobirae
