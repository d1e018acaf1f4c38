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

QString gridSpacingMillimetres(const QString& twipsText) {
    const auto twips = numericValue(twipsText);
    if (!twips)
        return {};
    constexpr double kTwipsPerMillimetre = 1440.0 / 25.4;
    return QStringLiteral("= %1 mm").arg(*twips / kTwipsPerMillimetre, 0, 'f', 2);
}

} // namespace tobirae
