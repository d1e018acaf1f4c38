#include "ui/dialogs/OptionValues.h"

#include "bitmap/Primitives.h"
#include "ui/dialogs/NumericText.h"

namespace tobirae {

std::array<std::int32_t, 4> gridSpacingsFromTexts(const std::array<QString, 4>& texts) {
    std::array<std::int32_t, 4> spacings{};
    int previous = 0;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (const auto value = numericValue(texts[i]))
            previous = roundHalfEven(*value);
        spacings[i] = (previous < kGridSpacingMin || previous > kGridSpacingMax)
                          ? kGridSpacingFallback
                          : previous;
    }
    return spacings;
}

} // namespace tobirae
