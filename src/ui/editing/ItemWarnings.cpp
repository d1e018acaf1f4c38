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
    // A box not fitted to its size is drawn at its design size; its grid trims fewer pixels than
    // it has rows from the bottom and columns from the right, so an area shorter or narrower
    // than that loses rows or days.
    if (isMonthBox(item.Category, item.LayoutVariant) && !isTrue(item.FitToRect)) {
        const int rows = item.LayoutVariant == VariantBox5 ? 5 : 6;
        if (item.Height + static_cast<float>(rows) < static_cast<float>(item.DesignHeight) ||
            item.Width + 7 < static_cast<float>(item.DesignWidth))
            return QStringLiteral("一部の行や列が切れています。「指定サイズ内に表示できるように"
                                  "調整する」をオンにするか、大きくしてください。");
    }
    return {};
}

} // namespace tobirae
