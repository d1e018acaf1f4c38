// The frame around an item's drawing area (Width x Height): its view on the editing canvas, and
// the box it is drawn into on the page, are this many layout pixels wider and higher.
#pragma once

namespace tobirae {

inline constexpr int kItemFrame = 4;

} // namespace tobirae
