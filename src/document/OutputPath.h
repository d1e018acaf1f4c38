// Where a written file lands, and what to tell the user when writing it fails.
#pragma once

#include <QString>
#include <cstdint>

namespace tobirae {

struct OutputTarget {
    QString path;  // the file to replace; empty when refused
    QString error; // why it is refused
};

// Symbolic links are followed to the file they name, so writing replaces that file and keeps the
// link. A target that exists and is not a regular file (a device, a pipe, a folder) is refused:
// renaming a new file over it would replace the node itself.
OutputTarget resolveOutputTarget(const QString& path);

// A Japanese sentence naming the file that was not written, from the error number of the failed
// call. A disk without `needed` bytes free counts as full whatever the number says.
QString writeFailureMessage(const QString& path, int errorNumber, std::int64_t needed = 0);

} // namespace tobirae
