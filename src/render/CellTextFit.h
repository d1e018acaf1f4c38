// Keeping a text inside its cell: a text that would run past the cell's edge is moved back,
// then drawn smaller, and only as a last resort cut short with "…".
#pragma once

#include "bitmap/RenderContext.h"

#include <QString>

namespace tobirae {

struct FittedText {
    QString text;
    float x = 0;
    float fontScale = 1;
};

// The current font's text at x and fontScale, fitted between left and right (layout pixels at
// that scale). Unchanged when it fits; never smaller than kMinFitShare of the font.
inline constexpr float kMinFitShare = 0.5f;
FittedText fitTextInCell(RenderContext& ctx, float fontScale, const QString& text, float x,
                             float left, float right);

} // namespace tobirae
