// What the page-size dialog turns into page values.
#pragma once

#include "document/LayoutDocument.h"

#include <QString>
#include <cstdint>
#include <optional>
#include <span>

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

// A paper the page-size dialog offers by name. Every one but A4 is stored as a user size
// (PaperSize 1) with its sides filled in, so layout files stay readable everywhere.
struct PaperPreset {
    QString caption;
    float shortMm = 0; // 0 for the user's own size
    float longMm = 0;
    bool isA4 = false;
    bool isUserSize() const { return shortMm == 0; }
};

// The entries of the paper list in their order: A3, A4, A5, B4 (JIS), B5 (JIS), ハガキ, Letter,
// then "サイズ指定".
std::span<const PaperPreset> paperPresets();
// The list entry the page values stand for: A4 for PaperSize 0, a named paper whose sides, as
// the page is oriented, are exactly the page's, else "サイズ指定".
int paperPresetIndex(const PageValues& page);

// The page values after OK: a user size below 50 mm becomes 50 mm, one above
// kMaxPaperMillimetres that maximum, a size box that is not
// numeric keeps the old value, A4 takes its size from the orientation; the dots per inch follow
// the resolution index (index 5 is screenDpi). The canvas size is left for the window.
PageValues applyPageSizeEntries(const PageValues& before, const PageSizeEntries& entries,
                                std::int32_t screenDpi);

} // namespace tobirae
