// PictureCache: pictures decoded once for a whole job of pages, or for the previews of an editor
// window. A layout may show one photo in many items and on every month of a range; decoding it
// again each time costs more than drawing the page, and handing the same QImage to a PDF writer
// lets it embed the picture once. A file is decoded again when its size or modification time
// changes. Safe to share between threads.
#pragma once

#include "bitmap/PictureFile.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <cstdint>
#include <mutex>

namespace tobirae {

class PictureCache {
public:
    // maxBytes > 0: decoded pixels beyond this are let go, the pictures used longest ago first
    // (the one just loaded always stays). 0: everything is kept, as for one job of pages.
    explicit PictureCache(qint64 maxBytes = 0) : maxBytes_(maxBytes) {}

    // The picture as decodePictureFile decodes it; a failed decode is remembered as well.
    LoadedPicture load(const QString& path);

    // Bytes of decoded pixels held.
    qint64 bytesHeld() const;

private:
    struct Entry {
        qint64 size = -1;
        QDateTime modified;
        LoadedPicture picture;
        std::uint64_t lastUse = 0;
    };
    void trimTo(qint64 maxBytes, const QString& keep);

    const qint64 maxBytes_;
    mutable std::mutex mutex_;
    QHash<QString, Entry> entries_;
    qint64 held_ = 0;
    std::uint64_t uses_ = 0;
};

// Through the cache when there is one, else decoded afresh.
LoadedPicture loadPicture(PictureCache* cache, const QString& path);

} // namespace tobirae
