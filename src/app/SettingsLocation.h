// Where the settings file lives: beside the executable when that folder is writable (a portable
// install, the build tree), otherwise in the user's configuration folder, so a read-only
// installation still starts and keeps its settings.
#pragma once

#include <QString>

namespace tobirae {

inline constexpr char kSettingsFileName[] = "Tobirae.ini";

// programDir: the executable's folder; userConfigDir: e.g. "$XDG_CONFIG_HOME" or "~/.config".
QString settingsFilePath(const QString& programDir, const QString& userConfigDir);
// The same for the running program (QCoreApplication's folder, the standard config location).
QString settingsFilePath();

} // namespace tobirae
