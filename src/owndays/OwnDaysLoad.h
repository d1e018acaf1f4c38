// The user's own days of one layout as the renderer uses them: the entries kept in the layout,
// then those of its linked days files, read afresh each time so a shared file stays current.
#pragma once

#include "owndays/DaysFile.h"
#include "owndays/DaysFileCache.h"
#include "owndays/OwnDayTable.h"
#include "owndays/OwnDaysSettings.h"

#include <memory>

namespace tobirae {

struct LoadedOwnDays {
    std::shared_ptr<const OwnDayTable> table; // nullptr when there are no entries at all
    QStringList problems; // what could not be read, file by file and line by line
};

// Relative file paths are taken from baseFolder (the layout's folder). A file that cannot be
// read is left out and named in the problems; the others still count.
LoadedOwnDays loadOwnDays(std::vector<OwnDay> layoutDays, const QStringList& files,
                          const QString& baseFolder, const DaysReadOptions& options = {});
// A layout's own days: its entries and linked files, timed events counted in its time zone.
LoadedOwnDays loadOwnDays(const OwnDaysSettings& settings, const QString& baseFolder);

// As above, but linked files come from the cache only: those it holds no current reading of
// are left out and listed in `unread`, for the caller to read (DaysFileCache::read) off the
// interface thread. Never opens a file.
LoadedOwnDays loadCachedOwnDays(const OwnDaysSettings& settings, const QString& baseFolder,
                                const DaysFileCache& cache, QStringList& unread);
// The paths loadOwnDays reads for the settings.
QStringList linkedDaysPaths(const OwnDaysSettings& settings, const QString& baseFolder);

// Reading options for timed events in the zone (an IANA name; empty: Asia/Tokyo).
DaysReadOptions daysReadOptions(const QString& timeZone);

} // namespace tobirae
