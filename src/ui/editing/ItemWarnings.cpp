#include "ui/editing/ItemWarnings.h"

#include "render/MissingPictures.h"

#include <QFileInfo>

namespace tobirae {

QString itemWarning(const LayoutItem& item, const QString& layoutFolder) {
    const auto missing = missingPicture(item, layoutFolder);
    if (missing && !missing->path.isEmpty()) {
        QString name = missing->path;
        name = name.mid(std::max(name.lastIndexOf(QLatin1Char('/')),
                                 name.lastIndexOf(QLatin1Char('\\'))) +
                        1);
        return QStringLiteral("画像が%1: %2").arg(missing->reason, name);
    }
    return {};
}

} // namespace tobirae
