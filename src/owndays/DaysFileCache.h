// Linked days files as last read, kept while their size and modification time stay the same, so
// that a redraw does not read them again. Safe to use from several threads: the reading itself
// happens off the interface thread.
#pragma once

#include "owndays/DaysFile.h"

#include <QDateTime>
#include <QHash>
#include <QMutex>
#include <optional>

namespace tobirae {

class DaysFileCache {
public:
    // The kept reading of the file when it is still current; never opens the file.
    std::optional<DaysReadResult> current(const QString& path,
                                          const DaysReadOptions& options) const;
    // Reads the file and keeps the reading.
    DaysReadResult read(const QString& path, const DaysReadOptions& options);

private:
    struct Stamp {
        qint64 size = -1;
        qint64 modified = 0; // milliseconds since the epoch
        QByteArray zone;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path, const DaysReadOptions& options);
    struct Entry {
        Stamp stamp;
        DaysReadResult result;
    };

    mutable QMutex mutex_;
    QHash<QString, Entry> entries_;
};

} // namespace tobirae
