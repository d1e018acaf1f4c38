#include "app/SettingsLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tobirae {

QString settingsFilePath(const QString& programDir, const QString& userConfigDir) {
    const QString name = QString::fromLatin1(kSettingsFileName);
    const QFileInfo folder(programDir);
    if (!programDir.isEmpty() && folder.isDir() && folder.isWritable())
        return QDir(programDir).filePath(name);
    return QDir(userConfigDir).filePath(QStringLiteral("Tobirae/") + name);
}

QString settingsFilePath() {
    QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (configHome.isEmpty())
        configHome = QDir::home().filePath(QStringLiteral(".config"));
    return settingsFilePath(QCoreApplication::applicationDirPath(), configHome);
}

} // namespace tobirae
