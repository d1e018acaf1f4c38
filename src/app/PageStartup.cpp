#include "app/PageStartup.h"

#include "app/AppSettings.h"
#include "document/ResolutionTable.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tobirae {

namespace {

constexpr float kA4Width = 210;
constexpr float kA4Height = 297;
// The page-size dialog never stores less; a hand-edited file should not give an empty page.
constexpr float kMinUserPaper = 50;

float userPaperSide(float millimetres) {
    if (!std::isfinite(millimetres) || millimetres < kMinUserPaper)
        return kMinUserPaper;
    return std::min(millimetres, kMaxPaperMillimetres);
}

} // namespace

PageValues startupPage(PageSettings& settingsPage) {
    PageValues page;
    page.PaperSize = settingsPage.PaperSize;
    page.Portrait = isTrue(settingsPage.Portrait);
    if (settingsPage.PaperSize == 1) {
        page.PaperWidth = userPaperSide(settingsPage.PaperWidth);
        page.PaperHeight = userPaperSide(settingsPage.PaperHeight);
    } else {
        page.PaperWidth = kA4Width;
        page.PaperHeight = kA4Height;
        if (!page.Portrait)
            std::swap(page.PaperWidth, page.PaperHeight);
        settingsPage.PaperWidth = page.PaperWidth;
        settingsPage.PaperHeight = page.PaperHeight;
    }
    // A resolution of zero or less would give an empty page; such a value takes the default.
    if (settingsPage.Resolution <= 0)
        settingsPage.Resolution = settingsPageDefaults().Resolution;
    page.ResolutionDpi = settingsPage.Resolution;
    page.ResolutionIndex = dpiToResolutionIndex(settingsPage.Resolution);
    return page;
}

} // namespace tobirae
