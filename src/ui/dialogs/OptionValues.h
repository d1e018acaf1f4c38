// The grid, edit-line and background settings the options dialog shows and changes.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

namespace tobirae {

struct GridValues {
    bool shown = false;
    bool snap = false;
    std::int32_t spacingX = 60; // twips
    std::int32_t spacingY = 60;

    bool operator==(const GridValues&) const = default;
};

struct OptionValues {
    std::int32_t pageBackColor = 0x00FFFFFF; // 0x00BBGGRR
    bool vBarShown = false;                  // X edit lines
    bool vBarSymmetric = false;
    bool hBarShown = false; // Y edit lines
    bool hBarSymmetric = false;
    std::array<GridValues, 2> grids{}; // 0 main window, 1 day-cell layout editor

    bool operator==(const OptionValues&) const = default;
};

inline constexpr std::int32_t kGridSpacingMin = 24;
inline constexpr std::int32_t kGridSpacingMax = 1188;
inline constexpr std::int32_t kGridSpacingFallback = 30;

// The four spacings in the order grid 0 width, grid 0 height, grid 1 width, grid 1 height. A
// text that is not numeric takes the number of the box before it (0 before the first); a
// number outside 24..1188 is stored as 30.
std::array<std::int32_t, 4> gridSpacingsFromTexts(const std::array<QString, 4>& texts);

// A spacing box's text in millimetres ("= 1.06 mm" for 60 twips), blank when it is not a
// number.
QString gridSpacingMillimetres(const QString& twipsText);

} // namespace tobirae
