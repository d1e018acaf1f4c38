#include "ui/dialogs/PageSizeEntries.h"

#include "document/ResolutionTable.h"
#include "ui/dialogs/NumericText.h"

#include <algorithm>

namespace tobirae {

namespace {
constexpr float kA4Short = 210;
constexpr float kA4Long = 297;
} // namespace

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
