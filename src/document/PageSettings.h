#pragma once

#include "document/LayoutItem.h"

#include <cstdint>

namespace tobirae {

// The page header of a layout file, and the page part of the settings.
struct PageSettings {
    std::int32_t FormatVersion = 1;
    std::int32_t PaperSize = 0; // 0 A4, 1 size given by the user
    float PaperWidth = 210;     // millimetres, as oriented
    float PaperHeight = 297;
    std::int32_t Resolution = 4; // index 0..5 in the file, dots per inch in the settings
    B16 Portrait = kTrue;
    std::int32_t ItemCount = 0;
    std::int16_t Reserved = 0;
    Colour PageBackColor = 0x00FFFFFF;

    bool operator==(const PageSettings&) const = default;
};

inline constexpr int kPageHeaderSize = 32;

// The largest paper side the program works with, in millimetres: the page-size dialog stores no
// more, and larger papers read from files are cut down to it (5 m is 18898 canvas pixels).
inline constexpr float kMaxPaperMillimetres = 5000;

} // namespace tobirae
