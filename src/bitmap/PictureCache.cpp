#include "bitmap/PictureCache.h"

#include <QFileInfo>

namespace tobirae {

LoadedPicture PictureCache::load(const QString& path) {
    const QFileInfo file(path);
    const qint64 size = file.exists() ? file.size() : -1;
    const QDateTime modified = file.exists() ? file.lastModified() : QDateTime();
    // Decoding under the lock: two pages wanting the same photo wait for one decode.
    const std::lock_guard lock(mutex_);
    const auto found = entries_.constFind(path);
    if (found != entries_.cend() && found->size == size && found->modified == modified)
        return found->picture;
    Entry entry{size, modified, Fnc_LoadPicture(path)};
    const LoadedPicture picture = entry.picture;
    entries_.insert(path, std::move(entry));
    return picture;
}

LoadedPicture loadPicture(PictureCache* cache, const QString& path) {
    return cache ? cache->load(path) : Fnc_LoadPicture(path);
}

} // namespace tobirae
