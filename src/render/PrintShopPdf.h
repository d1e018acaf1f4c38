// The PDF a print shop accepts (入稿データ): pages with bleed and crop marks, their TrimBox,
// BleedBox, MediaBox and CropBox, and on request PDF/X-3 in CMYK. Without any of these the file
// is the plain PDF of exportPdf.
#pragma once

#include "render/PdfExport.h"
#include "render/PrintShopOptions.h"

#include <QRectF>
#include <QSizeF>
#include <QStringList>
#include <functional>

namespace tobirae {

struct PrintShopResult {
    ExportResult pages; // ok, error and pages of the whole file
    QStringList notes;  // what the user should know beyond success, e.g. the profile taken
};

// The finished size of the job's paper in points.
QSizeF trimSizePt(const PageJob& job);

// Where an item reaches into the bleed: its box (page pixels) grown to the bleed edge on each
// side within kEdgeToleranceMm of the paper edge (paper from (0, 0) to `paper`); the box itself
// when it touches no edge or bleed is 0.
QRectF bleedExtended(const QRectF& box, const QSizeF& paper, double bleed, double tolerance);

// Writes the file atomically; stage names each step after the pages ("PDF/X に変換中").
PrintShopResult exportPrintShopPdf(const PageJob& job,
                                   const std::vector<std::chrono::year_month>& months,
                                   const QString& path, const PrintShopOptions& shop,
                                   const ExportOptions& options = {}, const PageDone& onPage = {},
                                   const std::function<void(const QString&)>& stage = {});

} // namespace tobirae
