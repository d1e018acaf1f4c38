#include "owndays/OwnDaysLoad.h"

#include <QDir>

namespace tobirae {

namespace {

QString linkedPath(const QString& file, const QString& baseFolder) {
    return baseFolder.isEmpty() ? file : QDir(baseFolder).absoluteFilePath(file);
}

} // namespace

QStringList linkedDaysPaths(const OwnDaysSettings& settings, const QString& baseFolder) {
    QStringList paths;
    for (const QString& file : settings.files)
        paths << linkedPath(file, baseFolder);
    return paths;
}

LoadedOwnDays loadCachedOwnDays(const OwnDaysSettings& settings, const QString& baseFolder,
                                const DaysFileCache& cache, QStringList& unread) {
    LoadedOwnDays out;
    std::vector<OwnDay> days = settings.days;
    const DaysReadOptions options = daysReadOptions(settings.timeZone);
    for (const QString& path : linkedDaysPaths(settings, baseFolder)) {
        std::optional<DaysReadResult> read = cache.current(path, options);
        if (!read) {
            unread << path;
            continue;
        }
        out.problems += read->problems;
        days.insert(days.end(), read->days.begin(), read->days.end());
    }
    if (!days.empty())
        out.table = std::make_shared<const OwnDayTable>(std::move(days));
    return out;
}

LoadedOwnDays loadOwnDays(std::vector<OwnDay> layoutDays, const QStringList& files,
                          const QString& baseFolder, const DaysReadOptions& options) {
    LoadedOwnDays out;
    std::vector<OwnDay> days = std::move(layoutDays);
    for (const QString& file : files) {
        DaysReadResult read = readDaysFile(linkedPath(file, baseFolder), options);
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
