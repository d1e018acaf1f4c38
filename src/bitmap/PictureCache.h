// PictureCache: pictures decoded once for a whole job of pages. A layout may show one photo in
// many items and on every month of a range; decoding it again each time costs more than drawing
// the page, and handing the same QImage to a PDF writer lets it embed the picture once. A file
// is decoded again when its size or modification time changes. Safe to share between threads.
#pragma once

#include "bitmap/PictureFile.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <mutex>

namespace tobirae {

class PictureCache {
public:
    // The picture as Fnc_LoadPicture decodes it; a failed decode is remembered as well.
    LoadedPicture load(const QString& path);

private:
    struct Entry {
        qint64 size = -1;
        QDateTime modified;
        LoadedPicture picture;
    };
    std::mutex mutex_;
    QHash<QString, Entry> entries_;
};

// Through the cache when there is one, else decoded afresh.
LoadedPicture loadPicture(PictureCache* cache, const QString& path);

} // namespace tobirae
