// Internal: the Qt font that draws a ResolvedFont.
#pragma once

#include "bitmap/Canvas.h"

#include <QFont>

namespace tobirae {

// A GDI height < 0 is the em height, > 0 the cell height (ascent + descent), 0 the default.
QFont qtFont(const ResolvedFont& font);

} // namespace tobirae
