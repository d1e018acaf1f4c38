#include "ui/dialogs/PageSizeEntries.h"

#include "document/ResolutionTable.h"
#include "ui/dialogs/NumericText.h"

#include <algorithm>
#include <array>

namespace tobirae {

namespace {
constexpr float kA4Short = 210;
constexpr float kA4Long = 297;
} // namespace

std::span<const PaperPreset> paperPresets() {
    static const std::array<PaperPreset, 8> presets{{
        {QStringLiteral("A3(297x420 mm)"), 297, 420},
        {QStringLiteral("A4(210x297 mm)"), kA4Short, kA4Long, true},
        {QStringLiteral("A5(148x210 mm)"), 148, 210},
        {QStringLiteral("B4 JIS(257x364 mm)"), 257, 364},
        {QStringLiteral("B5 JIS(182x257 mm)"), 182, 257},
        {QStringLiteral("ハガキ(100x148 mm)"), 100, 148},
        {QStringLiteral("Letter(215.9x279.4 mm)"), 215.9f, 279.4f},
        {QStringLiteral("サイズ指定"), 0, 0},
    }};
    return presets;
}

int paperPresetIndex(const PageValues& page) {
    const auto presets = paperPresets();
    const int user = static_cast<int>(presets.size()) - 1;
    for (int i = 0; i < user; ++i) {
        const PaperPreset& p = presets[static_cast<std::size_t>(i)];
        if (p.isA4) {
            if (page.PaperSize == 0)
                return i;
            continue;
        }
        const float w = page.Portrait ? p.shortMm : p.longMm;
        const float h = page.Portrait ? p.longMm : p.shortMm;
        if (page.PaperSize == 1 && page.PaperWidth == w && page.PaperHeight == h)
            return i;
    }
    return user;
}

PageValues applyPageSizeEntries(const PageValues& before, const PageSizeEntries& entries,
                                std::int32_t screenDpi) {
    PageValues after = before;
    after.PaperSize = entries.paperIndex;
    if (entries.paperIndex == 1) {
        if (const auto h = numericValue(entries.heightText))
            after.PaperHeight =
                std::clamp(static_cast<float>(*h), kMinimumPaperMillimetres, kMaxPaperMillimetres);
        if (const auto w = numericValue(entries.widthText))
            after.PaperWidth =
                std::clamp(static_cast<float>(*w), kMinimumPaperMillimetres, kMaxPaperMillimetres);
    } else {
        after.PaperWidth = entries.portrait ? kA4Short : kA4Long;
        after.PaperHeight = entries.portrait ? kA4Long : kA4Short;
    }
    after.ResolutionIndex = entries.resolutionIndex;
    after.ResolutionDpi = resolutionIndexToDpi(entries.resolutionIndex, screenDpi);
    after.Portrait = entries.portrait;
    return after;
}

} // namespace tobirae
