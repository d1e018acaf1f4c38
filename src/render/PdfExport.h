// Pages of several months through one painter: a PDF file of vector pages, or a printer. Both draw
// every page with paintPage, so they look like the page bitmaps of the same months.
#pragma once

#include "render/PageExport.h"

#include <QPageLayout>
#include <chrono>
#include <functional>
#include <vector>

class QPagedPaintDevice;

namespace tobirae {

// The paper of the job with no margins, as a PDF page or a printer's page layout.
QPageLayout pageLayoutOf(const PageJob& job);

// Called after each page with its index in the month list and its result.
using PageDone = std::function<void(std::size_t index, const ExportResult&)>;

// Paints one page per month, in the order given, on the device (QPdfWriter, QPrinter). Each page
// keeps its physical size, scaled down only when the device's page is smaller, and is centred on
// it. Stops at the first failure or on cancel; the result counts the pages painted.
ExportResult paintPages(const PageJob& job, const std::vector<std::chrono::year_month>& months,
                        QPagedPaintDevice& device, const ExportOptions& options = {},
                        const PageDone& onPage = {});

// One PDF with a page per month at the job's paper size and resolution, fonts embedded as
// subsets. Written through a temporary file: on failure or cancel no file is left (an existing
// file of that name is kept untouched).
ExportResult exportPdf(const PageJob& job, const std::vector<std::chrono::year_month>& months,
                       const QString& path, const ExportOptions& options = {},
                       const PageDone& onPage = {});

} // namespace tobirae
