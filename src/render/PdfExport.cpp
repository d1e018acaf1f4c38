#include "render/PdfExport.h"

#include "bitmap/RenderContext.h"
#include "files/AtomicFile.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <exception>

namespace tobirae {

QPageLayout pageLayoutOf(const PageJob& job) {
    const QSizeF mm = job.paperMm.isEmpty() ? QSizeF(job.canvas) / kLayoutDpi * 25.4 : job.paperMm;
    // Page sizes are named upright; the orientation turns them.
    const QSizeF upright(std::min(mm.width(), mm.height()), std::max(mm.width(), mm.height()));
    const QPageSize size(upright, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size,
                       mm.width() > mm.height() ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

ExportResult paintPages(const PageJob& job, const std::vector<std::chrono::year_month>& months,
                        QPagedPaintDevice& device, const ExportOptions& options,
                        const PageDone& onPage) {
    ExportResult total;
    if (months.empty()) {
        total.error = QStringLiteral("出力する月がありません。");
        return total;
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        total.error = QStringLiteral("この出力先にはページを描けません。");
        return total;
    }
    // Screens showing the pages smaller than printed (a print preview) then show hairlines grey
    // instead of dropping them; on paper and in PDF files nothing changes.
    painter.setRenderHint(QPainter::Antialiasing, true);
    const int dpi = options.dpi.value_or(job.dpi);
    // Page pixels to device pixels at the physical size, fitted when the device's page is
    // smaller (a printer's margins, another paper); a device pixel of rounding is no reason
    // to shrink.
    const QSizeF paper = paperPixels(job, dpi);
    double scale = device.logicalDpiX() / static_cast<double>(dpi > 0 ? dpi : 1);
    const QSizeF drawn = paper * scale;
    if (drawn.width() > device.width() + 1 || drawn.height() > device.height() + 1)
        scale *= std::min(device.width() / drawn.width(), device.height() / drawn.height());
    for (std::size_t i = 0; i < months.size(); ++i) {
        if (options.cancel && options.cancel->load()) {
            total.cancelled = true;
            break;
        }
        if (i > 0 && !device.newPage()) {
            total.error = QStringLiteral("%1ページ目を始められませんでした。").arg(i + 1);
            break;
        }
        painter.save();
        painter.translate(std::max(0.0, (device.width() - paper.width() * scale) / 2),
                          std::max(0.0, (device.height() - paper.height() * scale) / 2));
        painter.scale(scale, scale);
        const ExportResult page =
            paintPage(job, static_cast<int>(months[i].year()),
                      static_cast<int>(static_cast<unsigned>(months[i].month())), painter, options);
        painter.restore();
        total.pixels = page.pixels;
        total.itemsDrawn += page.itemsDrawn;
        if (page.ok)
            ++total.pages;
        if (onPage)
            onPage(i, page);
        if (!page.ok) {
            total.cancelled = page.cancelled;
            total.error = page.error.isEmpty()
                              ? QString()
                              : monthName(months[i]) + QStringLiteral(": ") + page.error;
            break;
        }
    }
    const bool ended = painter.end();
    total.ok = !total.cancelled && total.error.isEmpty() &&
               total.pages == static_cast<int>(months.size()) && ended;
    if (!ended && total.error.isEmpty() && !total.cancelled)
        total.error = QStringLiteral("ページを書き終えられませんでした。");
    return total;
}

ExportResult exportPdf(const PageJob& job, const std::vector<std::chrono::year_month>& months,
                       const QString& path, const ExportOptions& options, const PageDone& onPage) {
    ExportResult result;
    try {
        AtomicFile file(path, AtomicFile::Durability::Flush);
        if (!file.open()) {
            result.error = file.error();
            return result;
        }
        {
            QPdfWriter writer(&file.device());
            writer.setResolution(options.dpi.value_or(job.dpi));
            writer.setPageLayout(pageLayoutOf(job));
            writer.setCreator(QStringLiteral("Tobirae"));
            writer.setTitle(QFileInfo(path).completeBaseName());
            result = paintPages(job, months, writer, options, onPage);
        }
        if (!result.ok)
            return result; // the temporary file goes with `file`
        if (!file.commit()) {
            result.ok = false;
            result.error = file.error();
        }
        return result;
    } catch (const std::exception& e) {
        result.ok = false;
        result.error =
            QStringLiteral("出力できませんでした: %1").arg(QString::fromLocal8Bit(e.what()));
        return result;
    }
}

} // namespace tobirae
