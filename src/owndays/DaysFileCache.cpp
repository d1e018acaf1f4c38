#include "owndays/DaysFileCache.h"

#include <QFileInfo>
#include <QMutexLocker>

namespace tobirae {

DaysFileCache::Stamp DaysFileCache::stampOf(const QString& path, const DaysReadOptions& options) {
    const QFileInfo info(path);
    Stamp stamp;
    if (info.exists()) {
        stamp.size = info.size();
        stamp.modified = info.lastModified().toMSecsSinceEpoch();
    }
    stamp.zone = options.timeZone.id();
    return stamp;
}

std::optional<DaysReadResult> DaysFileCache::current(const QString& path,
                                                     const DaysReadOptions& options) const {
    const Stamp now = stampOf(path, options);
    QMutexLocker lock(&mutex_);
    const auto it = entries_.constFind(path);
    if (it == entries_.constEnd() || !(it->stamp == now))
        return std::nullopt;
    return it->result;
}

DaysReadResult DaysFileCache::read(const QString& path, const DaysReadOptions& options) {
    // Stamped before reading: a change during the read makes the next look read again.
    const Stamp stamp = stampOf(path, options);
    DaysReadResult result = readDaysFile(path, options);
    QMutexLocker lock(&mutex_);
    entries_.insert(path, Entry{stamp, result});
    return result;
}

} // namespace tobirae
