// Feeds arbitrary bytes to the days-file readers (CSV and iCalendar). Reading must end within
// its bounds and never touch memory it does not own; every entry it gives is a real range of
// days; a CSV entry written back reads back the same.
#include "owndays/DaysFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // One year of expansion keeps the runs quick; the bounds under test are the same.
    tobirae::DaysReadOptions options;
    options.expandFirst = std::chrono::year{2027} / 1 / 1;
    options.expandLast = std::chrono::year{2027} / 12 / 31;
    const tobirae::DaysReadResult read = tobirae::readDaysData(bytes, QStringLiteral("f"), options);
    if (!read.readable && read.problems.isEmpty())
        std::abort();
    if (read.days.size() > tobirae::kMaxDaysPerFile)
        std::abort();
    for (const tobirae::OwnDay& day : read.days) {
        if (!day.first.ok() || !day.last.ok())
            std::abort();
        if (!day.everyYear && std::chrono::sys_days{day.last} < std::chrono::sys_days{day.first})
            std::abort();
    }
    if (bytes.trimmed().toUpper().contains("BEGIN:VCALENDAR"))
        return 0;
    const tobirae::DaysReadResult again =
        tobirae::readDaysData(tobirae::writeDaysCsv(read.days), QStringLiteral("g"));
    if (again.days != read.days || !again.problems.isEmpty())
        std::abort();
    return 0;
}
