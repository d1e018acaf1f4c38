#include "bitmap/PictureCache.h"

#include <QFileInfo>

namespace tobirae {

LoadedPicture PictureCache::load(const QString& path) {
    const QFileInfo file(path);
    const qint64 size = file.exists() ? file.size() : -1;
    const QDateTime modified = file.exists() ? file.lastModified() : QDateTime();
    // Decoding under the lock: two pages wanting the same photo wait for one decode.
    const std::lock_guard lock(mutex_);
    const auto found = entries_.find(path);
    if (found != entries_.end() && found->size == size && found->modified == modified) {
        found->lastUse = ++uses_;
        return found->picture;
    }
    if (found != entries_.end()) {
        held_ -= found->picture.image.sizeInBytes();
        entries_.erase(found);
    }
    Entry entry{size, modified, decodePictureFile(path), ++uses_};
    const LoadedPicture picture = entry.picture;
    held_ += picture.image.sizeInBytes();
    entries_.insert(path, std::move(entry));
    if (maxBytes_ > 0)
        trimTo(maxBytes_, path);
    return picture;
}

qint64 PictureCache::bytesHeld() const {
    const std::lock_guard lock(mutex_);
    return held_;
}

void PictureCache::trimTo(qint64 maxBytes, const QString& keep) {
    while (held_ > maxBytes && entries_.size() > 1) {
        auto oldest = entries_.end();
        for (auto it = entries_.begin(); it != entries_.end(); ++it)
            if (it.key() != keep && (oldest == entries_.end() || it->lastUse < oldest->lastUse))
                oldest = it;
        held_ -= oldest->picture.image.sizeInBytes();
        entries_.erase(oldest);
    }
}

LoadedPicture loadPicture(PictureCache* cache, const QString& path) {
    return cache ? cache->load(path) : decodePictureFile(path);
}

} // namespace tobirae
