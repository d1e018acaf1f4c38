#include "bitmap/Primitives.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tobirae {

namespace {

int clampToInt(double value) {
    if (std::isnan(value))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(value, lo, hi));
}

} // namespace

int truncHalfUp(float value) {
    return clampToInt(std::trunc(static_cast<double>(value) + 0.5));
}

int roundHalfEven(double value) {
    if (std::isnan(value))
        return 0;
    // nearbyint rounds ties to even in the default rounding mode.
    return clampToInt(std::nearbyint(value));
}

// The product is a single; the 0.5 is added in double, as the layouts were computed.
int scalePoint(float value, float scale) {
    const float product = value * scale;
    return clampToInt(std::trunc(static_cast<double>(product) + 0.5));
}

int scalePointEven(float value, float scale) {
    const float product = value * scale;
    return roundHalfEven(product);
}

} // namespace tobirae
