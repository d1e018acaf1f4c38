// Internal: what the canvases share about pens and brushes: the dash runs of one-pixel pens, the
// pixels of a one-pixel line and the Qt hatch pattern of a brush.
#pragma once

#include "bitmap/Canvas.h"

#include <Qt>
#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

namespace tobirae {

// On/off runs of the dashed pens, in pixels for a one-pixel pen.
inline std::span<const int> dashPattern(int penStyle) {
    static constexpr std::array kDash{18, 6};
    static constexpr std::array kDot{3, 3};
    static constexpr std::array kDashDot{9, 6, 3, 6};
    static constexpr std::array kDashDotDot{9, 3, 3, 3, 3, 3};
    switch (penStyle) {
    case PenDash:
        return kDash;
    case PenDot:
        return kDot;
    case PenDashDot:
        return kDashDot;
    case PenDashDotDot:
        return kDashDotDot;
    default:
        return {};
    }
}

inline Qt::BrushStyle hatchPattern(int hatch) {
    switch (hatch) {
    case HatchHorizontal:
        return Qt::HorPattern;
    case HatchVertical:
        return Qt::VerPattern;
    case HatchForwardDiagonal:
        return Qt::FDiagPattern;
    case HatchBackwardDiagonal:
        return Qt::BDiagPattern;
    case HatchCross:
        return Qt::CrossPattern;
    case HatchDiagonalCross:
        return Qt::DiagCrossPattern;
    default:
        return Qt::HorPattern;
    }
}

// The pixels of a one-pixel line from a to b that lie on a width x height surface, in order from
// a, the end point left out: plot(x, y, on), on false for the gaps of a dashed pen. They are the
// pixels Bresenham's stepping visits: pixel k lies k steps along the longer axis and
// round(k * shorter / longer) (halves away from the start) along the other, so only the steps
// that land on the surface are visited, however far away the ends are.
template <class Plot>
void forEachLinePixel(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by,
                      std::int64_t width, std::int64_t height, std::span<const int> pattern,
                      Plot&& plot) {
    const std::int64_t adx = bx > ax ? bx - ax : ax - bx;
    const std::int64_t ady = by > ay ? by - ay : ay - by;
    const bool xMajor = adx >= ady;
    const std::int64_t longer = xMajor ? adx : ady;
    const std::int64_t shorter = xMajor ? ady : adx;
    const std::int64_t majorStart = xMajor ? ax : ay;
    const std::int64_t minorStart = xMajor ? ay : ax;
    const int majorStep = (xMajor ? ax < bx : ay < by) ? 1 : -1;
    const int minorStep = (xMajor ? ay < by : ax < bx) ? 1 : -1;
    const std::int64_t majorSize = xMajor ? width : height;
    const std::int64_t minorSize = xMajor ? height : width;
    std::int64_t first = 0;
    std::int64_t last = longer - 1;
    if (majorStep > 0) {
        first = std::max(first, -majorStart);
        last = std::min(last, majorSize - 1 - majorStart);
    } else {
        first = std::max(first, majorStart - (majorSize - 1));
        last = std::min(last, majorStart);
    }
    int period = 0;
    for (int run : pattern)
        period += run;
    for (std::int64_t k = first; k <= last; ++k) {
        const auto product = static_cast<std::uint64_t>(shorter) * static_cast<std::uint64_t>(k);
        const auto quotient = product / static_cast<std::uint64_t>(longer);
        const auto remainder = product % static_cast<std::uint64_t>(longer);
        const auto offset = static_cast<std::int64_t>(
            quotient + (2 * remainder >= static_cast<std::uint64_t>(longer)));
        const std::int64_t minor = minorStart + minorStep * offset;
        if (minor < 0 || minor > minorSize - 1)
            continue;
        bool on = true;
        if (period > 0) {
            int position = static_cast<int>(k % period);
            std::size_t run = 0;
            while (position >= pattern[run])
                position -= pattern[run++];
            on = run % 2 == 0;
        }
        const std::int64_t major = majorStart + majorStep * k;
        plot(static_cast<int>(xMajor ? major : minor), static_cast<int>(xMajor ? minor : major),
             on);
    }
}

} // namespace tobirae
