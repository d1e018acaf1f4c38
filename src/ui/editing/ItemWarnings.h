// What the editor marks on an item's box because the page would not show what the user expects.
#pragma once

#include "document/LayoutItem.h"

#include <QString>

namespace tobirae {

// The mark's text, empty when there is nothing to mark: a picture file that cannot be found or
// read (an empty picture item shows its own placeholder and is not marked), or a month box not
// fitted to its size whose drawing area is too small for its rows or columns.
QString itemWarning(const LayoutItem& item, const QString& layoutFolder);

} // namespace tobirae
