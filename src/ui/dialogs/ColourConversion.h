// Our colours are 0x00BBGGRR values; Qt's widgets want QColor.
#pragma once

#include <QColor>
#include <cstdint>

namespace tobirae {

inline QColor qColorFromBgr(std::int32_t bgr) {
    const auto v = static_cast<std::uint32_t>(bgr);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

inline std::int32_t bgrFromQColor(const QColor& colour) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(colour.red()) |
                                     (static_cast<std::uint32_t>(colour.green()) << 8) |
                                     (static_cast<std::uint32_t>(colour.blue()) << 16));
}

} // namespace tobirae
