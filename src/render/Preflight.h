// What a print shop would send back, found before the file is written: pictures too coarse for
// their printed size, texts in the safety margin of the trim, RGB colour where CMYK is wanted,
// missing pictures and days files. Every warning names the page, the item and what to do.
#pragma once

#include "render/PageExport.h"
#include "render/PrintShopOptions.h"

#include <QString>
#include <chrono>
#include <vector>

namespace tobirae {

struct PreflightWarning {
    enum class Kind { LowResolution, SafetyMargin, RgbOnly, MissingPicture, DaysFile };
    Kind kind;
    QString pages; // the pages concerned, e.g. "2027-04〜2028-03"
    int item = 0;  // 1-based drawing-order position; 0 for the whole file
    QString problem;
    QString action;
    int ppi = 0; // for a low resolution

    // One line: pages, item, problem and what to do.
    QString text() const;
};

std::vector<PreflightWarning> preflight(const PageJob& job,
                                        const std::vector<std::chrono::year_month>& months,
                                        const PrintShopOptions& shop);

} // namespace tobirae
