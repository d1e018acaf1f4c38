#include "app/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace tobirae {

QString dataFolder(const QString& programDir, const QString& name) {
    const QDir program(QFileInfo(programDir).absoluteFilePath());
    const QString beside = QDir::cleanPath(program.filePath(name));
    if (QFileInfo(beside).isDir())
        return beside;
    return QDir::cleanPath(program.filePath(QStringLiteral("../share/tobirae/") + name));
}

QString dataFolder(const QString& name) {
    return dataFolder(QCoreApplication::applicationDirPath(), name);
}

} // namespace tobirae
