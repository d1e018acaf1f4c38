// The resolution both image formats store: pixels per metre, as Fix(100 / 2.54 x dpi + 0.9).
#pragma once

namespace tobirae {

inline int bitmapPixelsPerMetre(int dpi) {
    return static_cast<int>(100.0 / 2.54 * dpi + 0.9);
}

} // namespace tobirae
