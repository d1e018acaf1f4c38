// The File menu's "最近使ったファイル": the last layouts read or saved, newest first, kept in the
// settings file in a section of their own ("最近使ったファイル", keys File1 … File8).
#pragma once

#include "app/SettingsFile.h"

#include <QStringList>

namespace tobirae {

inline constexpr int kRecentFileCount = 8;

QStringList readRecentFiles(const SettingsText& text);
// Every key File1 … File8; the ones past the list's end are written empty, so a shorter list
// does not bring back names dropped from it.
void writeRecentFiles(SettingsFileEditor& editor, const QStringList& files);
// The path moved to the front, once, the list cut to kRecentFileCount. A path that the settings
// file (code page 932) cannot hold is not remembered.
QStringList withRecentFile(QStringList files, const QString& path);

} // namespace tobirae
