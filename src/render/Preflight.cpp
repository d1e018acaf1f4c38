#include "render/Preflight.h"

#include "bitmap/RenderContext.h"
#include "render/ImageItem.h"

#include <algorithm>
#include <cmath>

namespace tobirae {

QString PreflightWarning::text() const {
    const QString where = item > 0 ? QStringLiteral("%1 アイテム%2: ").arg(pages).arg(item)
                                   : QStringLiteral("%1: ").arg(pages);
    return where + problem + QLatin1Char(' ') + action;
}

std::vector<PreflightWarning> preflight(const PageJob& job,
                                        const std::vector<std::chrono::year_month>& months,
                                        const PrintShopOptions& shop) {
    std::vector<PreflightWarning> warnings;
    // Items are the same on every page: a warning concerns all pages of the file.
    const QString pages =
        months.empty() ? QStringLiteral("全ページ")
        : months.size() == 1
            ? monthName(months.front())
            : QStringLiteral("%1〜%2").arg(monthName(months.front()), monthName(months.back()));
    auto warn = [&](PreflightWarning::Kind kind, int item, const QString& problem,
                    const QString& action, int ppi = 0) {
        warnings.push_back(PreflightWarning{kind, pages, item, problem, action, ppi});
    };

    const QSizeF paper = paperPixels(job, kLayoutDpi);
    const double margin = kSafetyMarginMm / 25.4 * kLayoutDpi;
    for (std::size_t i = 0; i < job.entries.size(); ++i) {
        const ExportEntry& entry = job.entries[i];
        if (!entry.drawn)
            continue;
        const int number = static_cast<int>(i) + 1;
        if (entry.item.Category == CategoryPicture) {
            const PictureItemStatus status = pictureItemStatus(entry.item, job.layoutFolder);
            if (status.problem != PictureProblem::None) {
                warn(PreflightWarning::Kind::MissingPicture, number,
                     QStringLiteral("画像を表示できません (%1)。").arg(status.reason),
                     QStringLiteral("画像ファイルを置くか、画像を選び直してください。"));
                continue;
            }
            LayoutItem placed = entry.item;
            placed.Left = static_cast<float>(entry.box.left());
            placed.Top = static_cast<float>(entry.box.top());
            placed.Width = static_cast<float>(entry.box.width());
            placed.Height = static_cast<float>(entry.box.height());
            const QRectF drawn = pictureDrawnRect(placed, job.layoutFolder);
            if (drawn.width() <= 0 || drawn.height() <= 0 || !status.size.isValid())
                continue;
            // The coarser direction counts: a stretched picture is as sharp as its worst axis.
            const double ppi = std::min(status.size.width() / (drawn.width() / kLayoutDpi),
                                        status.size.height() / (drawn.height() / kLayoutDpi));
            if (ppi < kMinPicturePpi)
                warn(PreflightWarning::Kind::LowResolution, number,
                     QStringLiteral(
                         "画像の解像度が配置した大きさで %1 ppi です (%2 ppi 以上が必要)。")
                         .arg(static_cast<int>(std::floor(ppi)))
                         .arg(kMinPicturePpi),
                     QStringLiteral("解像度の高い画像に替えるか、配置を小さくしてください。"),
                     static_cast<int>(std::floor(ppi)));
            continue;
        }
        // Every other kind prints texts somewhere inside its box.
        const QRectF& box = entry.box;
        const QRectF onPaper = box.intersected(QRectF(QPointF(0, 0), paper));
        if (onPaper.isEmpty())
            continue;
        if (onPaper.left() < margin || onPaper.top() < margin ||
            onPaper.right() > paper.width() - margin || onPaper.bottom() > paper.height() - margin)
            warn(PreflightWarning::Kind::SafetyMargin, number,
                 QStringLiteral("文字が仕上がり線から %1 mm の安全域にかかっています。")
                     .arg(kSafetyMarginMm),
                 QStringLiteral("断裁で切れないよう、アイテムを内側へ移してください。"));
    }
    for (const QString& problem : job.ownDaysProblems)
        warn(PreflightWarning::Kind::DaysFile, 0,
             QStringLiteral("日の情報を読めません: %1").arg(problem),
             QStringLiteral("日付ファイルを直すか、置き直してください。"));
    if (!shop.pdfx)
        warn(PreflightWarning::Kind::RgbOnly, 0, QStringLiteral("色は RGB のままです。"),
             QStringLiteral("CMYK を求める印刷所には PDF/X (CMYK) で出力してください "
                            "(tobirae-cli では --pdfx)。"));
    return warnings;
}

} // namespace tobirae
