#include "owndays/OwnDaysLoad.h"

#include <QDir>

namespace tobirae {

LoadedOwnDays loadOwnDays(std::vector<OwnDay> layoutDays, const QStringList& files,
                          const QString& baseFolder, const DaysReadOptions& options) {
    LoadedOwnDays out;
    std::vector<OwnDay> days = std::move(layoutDays);
    for (const QString& file : files) {
        const QString path = baseFolder.isEmpty() ? file : QDir(baseFolder).absoluteFilePath(file);
        DaysReadResult read = readDaysFile(path, options);
        out.problems += read.problems;
        days.insert(days.end(), std::make_move_iterator(read.days.begin()),
                    std::make_move_iterator(read.days.end()));
    }
    if (!days.empty())
        out.table = std::make_shared<const OwnDayTable>(std::move(days));
    return out;
}

DaysReadOptions daysReadOptions(const QString& timeZone) {
    DaysReadOptions options;
    // A zone this system does not know keeps the default rather than counting nowhere.
    if (const QTimeZone zone(timeZone.toUtf8()); !timeZone.isEmpty() && zone.isValid())
        options.timeZone = zone;
    return options;
}

LoadedOwnDays loadOwnDays(const OwnDaysSettings& settings, const QString& baseFolder) {
    return loadOwnDays(settings.days, settings.files, baseFolder,
                       daysReadOptions(settings.timeZone));
}

} // namespace tobirae
