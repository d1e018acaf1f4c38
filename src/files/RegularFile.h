// Opening a file for reading only when it is a regular file at the moment it is opened. A path
// can name a FIFO or a device, or be a link flipped to one after any earlier check: opening such
// a node for reading may wait for ever, so it is opened without blocking and refused.
#pragma once

#include <QFile>
#include <QString>

namespace tobirae {

enum class OpenProblem { None, Missing, NotRegular, Unreadable };

// Opens file for reading from path. On failure the file stays closed and the problem says why.
// With OpenLinks::Refuse a symbolic link at the path is NotRegular (a private file is never
// followed).
enum class OpenLinks { Follow, Refuse };
OpenProblem openRegularFile(QFile& file, const QString& path, OpenLinks links = OpenLinks::Follow);

} // namespace tobirae
