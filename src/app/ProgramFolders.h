// Where the program finds the data it ships with (help page, templates, translations): in a
// folder beside the executable (the build tree, a program folder kept with its settings), or in
// the shared data folder of an installed program, found from the executable's own location so
// an installation can be moved to any prefix.
#pragma once

#include <QString>

namespace tobirae {

// `<programDir>/<name>` when that folder exists, otherwise `<programDir>/../share/tobirae/<name>`
// (whether it exists or not, so a message can name where it was looked for). Both are absolute
// and cleaned.
QString dataFolder(const QString& programDir, const QString& name);
// The same for the running program.
QString dataFolder(const QString& name);

} // namespace tobirae
