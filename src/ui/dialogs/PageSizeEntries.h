// What the page-size dialog turns into page values.
#pragma once

#include "document/LayoutDocument.h"

#include <QString>
#include <cstdint>

namespace tobirae {

// The entries as they stand when OK is pressed.
struct PageSizeEntries {
    int paperIndex = 0;
    QString heightText; // "縦："
    QString widthText;  // "横："
    int resolutionIndex = 4;
    bool portrait = true;
};

inline constexpr float kMinimumPaperMillimetres = 50;

// The page values after OK: a user size below 50 mm becomes 50 mm, one above
// kMaxPaperMillimetres that maximum, a size box that is not
// numeric keeps the old value, A4 takes its size from the orientation; the dots per inch follow
// the resolution index (index 5 is screenDpi). The canvas size is left for the window.
PageValues applyPageSizeEntries(const PageValues& before, const PageSizeEntries& entries,
                                std::int32_t screenDpi);

} // namespace tobirae
