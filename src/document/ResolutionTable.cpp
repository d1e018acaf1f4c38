#include "document/ResolutionTable.h"

#include <array>

namespace tobirae {

namespace {
constexpr std::array<std::int32_t, 5> kListedDpi{72, 100, 150, 200, 300};
}

std::int32_t dpiToResolutionIndex(std::int32_t dpi) {
    for (std::size_t i = 0; i < kListedDpi.size(); ++i)
        if (kListedDpi[i] == dpi)
            return static_cast<std::int32_t>(i);
    return kScreenResolutionIndex;
}

std::int32_t resolutionIndexToDpi(std::int32_t index, std::int32_t screenDpi) {
    if (index >= 0 && index < static_cast<std::int32_t>(kListedDpi.size()))
        return kListedDpi[static_cast<std::size_t>(index)];
    if (index == kScreenResolutionIndex)
        return screenDpi;
    return 0;
}

} // namespace tobirae
