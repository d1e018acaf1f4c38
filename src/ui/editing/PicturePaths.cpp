#include "ui/editing/PicturePaths.h"

#include "document/LayoutFile.h"

#include <QDir>
#include <QFileInfo>

namespace tobirae {

QString picturePathForLayout(const QString& path, const QString& layoutFolder) {
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty() || layoutFolder.isEmpty() || !QDir::isAbsolutePath(trimmed))
        return path;
    const QString relative =
        QDir(QDir::cleanPath(layoutFolder)).relativeFilePath(QDir::cleanPath(trimmed));
    if (relative.isEmpty() || relative.startsWith(QStringLiteral("../")) ||
        relative == QStringLiteral("..") || QDir::isAbsolutePath(relative))
        return path;
    return relative;
}

void storePicturesRelativeTo(LayoutFileContent& content, const QString& layoutFolder) {
    for (LayoutItem& item : content.items) {
        if (item.Category != CategoryPicture)
            continue;
        const QString stored = item.PictureFile.text();
        const QString relative = picturePathForLayout(stored, layoutFolder);
        if (relative != stored)
            item.PictureFile.setText(relative);
    }
}

} // namespace tobirae
