// Pictures a page would be drawn without: picture items whose file cannot be found or read.
// Nothing is printed in their place silently; callers name them and ask, or refuse.
#pragma once

#include "document/LayoutItem.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tobirae {

class LayoutDocument;
struct PageJob;

struct MissingPicture {
    QString path;   // as stored in the item
    QString reason; // why it does not draw
};

// The picture item's problem, or nothing when its picture draws (or it names none).
std::optional<MissingPicture> missingPicture(const LayoutItem& item, const QString& layoutFolder);
// Every drawn picture item's problem, one entry per distinct stored path, in drawing order.
std::vector<MissingPicture> missingPictures(const PageJob& job);
std::vector<MissingPicture> missingPictures(const LayoutDocument& document,
                                            const QString& layoutFolder);

// One line per picture (at most `limit`, then how many more), paths as the system writes them.
QString missingPictureLines(const std::vector<MissingPicture>& pictures, int limit = 10);

} // namespace tobirae
