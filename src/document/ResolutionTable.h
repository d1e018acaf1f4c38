// Resolution table shared by the document, the settings and the renderer: index 0..5 stands for
// 72, 100, 150, 200, 300 dots per inch and the screen's resolution.
#pragma once

#include <cstdint>

namespace tobirae {

inline constexpr std::int32_t kScreenResolutionIndex = 5;
// Used wherever no display can be asked (command line, tests).
inline constexpr std::int32_t kDefaultScreenDpi = 96;

// 72, 100, 150, 200, 300 give 0..4; every other value gives 5 (the screen).
std::int32_t dpiToResolutionIndex(std::int32_t dpi);
// 0..4 as above, 5 gives screenDpi, any other index 0.
std::int32_t resolutionIndexToDpi(std::int32_t index, std::int32_t screenDpi);

} // namespace tobirae
