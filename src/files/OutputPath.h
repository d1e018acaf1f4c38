// Where a written file lands, and what to tell the user when writing it fails.
#pragma once

#include <QString>
#include <cstdint>

namespace tobirae {

struct OutputTarget {
    QString path;  // the file to replace; empty when refused
    QString error; // why it is refused
};

// The file a write to path replaces, found as the kernel finds it: every link in the folders and
// then the file's own links are resolved by the file system, one step at a time, so a relative
// link is taken from the folder it really lies in. Refused with a reason: a folder that does not
// exist, a name longer than the folder allows, a target that is a folder, a device or a pipe
// (renaming a new file over it would replace the node itself), and an existing file that is not
// writable (read-only files are kept, even for a user whom the system would let write).
OutputTarget resolveOutputTarget(const QString& path);

// A Japanese sentence naming the file that was not written, from the error number of the failed
// call. A disk without `needed` bytes free counts as full whatever the number says.
QString writeFailureMessage(const QString& path, int errorNumber, std::int64_t needed = 0);

// The longest file name in bytes the folder allows.
int maxNameBytes(const QString& folder);

} // namespace tobirae
