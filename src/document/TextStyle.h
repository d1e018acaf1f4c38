// What the drawing layer needs of a layout's records: the stored Booleans, colours and one text
// style, apart from the item records that hold them.
#pragma once

#include "document/FixedText.h"

#include <cstdint>

namespace tobirae {

// 16-bit Booleans as stored: True is -1, False is 0; any non-zero value reads as True.
using B16 = std::int16_t;
inline constexpr B16 kTrue = -1;
inline constexpr B16 kFalse = 0;
inline constexpr B16 toB16(bool value) {
    return value ? kTrue : kFalse;
}
inline constexpr bool isTrue(B16 value) {
    return value != 0;
}

// Colours are 0x00BBGGRR.
using Colour = std::int32_t;

// One text style. Field order and widths are those of the layout file.
struct FontSpec {
    FixedText<64> FaceName;
    std::int32_t Size = 0;
    B16 Bold = kFalse;
    B16 Italic = kFalse;
    B16 Underline = kFalse;
    B16 StrikeOut = kFalse;
    std::int32_t Angle = 0;
    FixedText<32> ForeColor;
    FixedText<32> BackColor;
    std::int16_t Vertical = 0; // 0 turned by Angle, 1 vertical writing, 2 horizontal unrotated

    bool operator==(const FontSpec&) const = default;
};

} // namespace tobirae
