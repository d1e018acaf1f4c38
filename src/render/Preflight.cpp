#include "render/Preflight.h"

#include "bitmap/PainterInk.h"
#include "bitmap/RecordingCanvas.h"
#include "render/BleedFills.h"
#include "render/ImageItem.h"

#include <QPainter>
#include <QPicture>
#include <algorithm>
#include <cmath>

namespace tobirae {

namespace {

// "2027-04〜2027-06、2027-09": the months as runs of consecutive months.
QString monthsText(const std::vector<std::chrono::year_month>& months) {
    QStringList runs;
    for (std::size_t i = 0; i < months.size();) {
        std::size_t last = i;
        while (last + 1 < months.size() &&
               months[last + 1] == months[last] + std::chrono::months(1))
            ++last;
        runs << (last == i
                     ? monthName(months[i])
                     : QStringLiteral("%1〜%2").arg(monthName(months[i]), monthName(months[last])));
        i = last + 1;
    }
    return runs.join(QStringLiteral("、"));
}

// A page recording that hands its calls over when the page is done with it.
class KeptRecording final : public RecordingCanvas {
public:
    KeptRecording(QSize size, std::shared_ptr<FontCache> fonts, std::vector<DrawCall>* kept)
        : RecordingCanvas(size.width(), size.height(), std::move(fonts)), kept_(kept) {}
    ~KeptRecording() override { *kept_ = calls(); }

private:
    std::vector<DrawCall>* kept_;
};

struct MarginTexts {
    std::vector<std::chrono::year_month> months; // pages where the item's texts reach the margin
    QString text;                                // the first such text
};

// The texts the pages really draw, item by item, checked against the safety rectangle. Only the
// `suspects` are drawn: a text is clipped to its item, so an item well inside cannot reach out.
std::vector<MarginTexts> textsInSafetyMargin(const PageJob& job,
                                             const std::vector<std::chrono::year_month>& months,
                                             const std::vector<bool>& suspects, double bleedMm) {
    std::vector<MarginTexts> found(job.entries.size());
    const int dpi = job.dpi;
    const double scale = dpi / static_cast<double>(kLayoutDpi);
    const QSizeF paper = paperPixels(job, dpi);
    const double margin = kSafetyMarginMm / 25.4 * dpi;
    const QRectF trim(QPointF(0, 0), paper);
    const QRectF safe = trim.adjusted(margin, margin, -margin, -margin);
    // A text in the bleed is cut off as well; one beyond it is not printed at all.
    const double bleed = bleedMm / 25.4 * dpi;
    const QRectF sheet = trim.adjusted(-bleed, -bleed, bleed, bleed);
    for (const std::chrono::year_month month : months) {
        std::vector<DrawCall> calls;
        std::shared_ptr<FontCache> fonts;
        KeptRecording* page = nullptr;
        struct Start {
            std::size_t entry;
            std::size_t firstCall;
            QRectF box;
        };
        std::vector<Start> starts;
        ExportOptions options;
        options.dpi = dpi;
        options.pageCanvas = [&](QPainter&, QSize pixels, std::shared_ptr<FontCache> shared) {
            fonts = shared;
            auto recording = std::make_unique<KeptRecording>(pixels, std::move(shared), &calls);
            page = recording.get();
            return recording;
        };
        options.drawEntry = [&](std::size_t i, const LayoutItem& item, QPoint offset) {
            if (!suspects[i] || !page)
                return true; // not drawn: nothing of it is looked at
            starts.push_back({i, page->calls().size(),
                              QRectF(item.Left * scale + offset.x(), item.Top * scale + offset.y(),
                                     item.Width * scale, item.Height * scale)});
            return false;
        };
        QPicture nowhere;
        QPainter painter(&nowhere);
        const ExportResult drawn =
            paintPage(job, static_cast<int>(month.year()),
                      static_cast<int>(static_cast<unsigned>(month.month())), painter, options);
        painter.end();
        if (!drawn.ok || !fonts)
            continue;
        for (std::size_t s = 0; s < starts.size(); ++s) {
            const std::size_t end = s + 1 < starts.size() ? starts[s + 1].firstCall : calls.size();
            MarginTexts& item = found[starts[s].entry];
            for (std::size_t c = starts[s].firstCall; c < end && c < calls.size(); ++c) {
                const DrawCall& call = calls[c];
                if (call.kind != DrawCall::Text || call.text.trimmed().isEmpty())
                    continue;
                // What the item's surface and the sheet leave of it is what prints.
                const QRectF printed =
                    recordedTextRect(call, fonts->textExtent(call.font, call.text))
                        .intersected(starts[s].box)
                        .intersected(sheet);
                if (printed.isEmpty() || safe.contains(printed))
                    continue;
                if (item.months.empty() || item.months.back() != month)
                    item.months.push_back(month);
                if (item.text.isEmpty())
                    item.text = call.text.trimmed();
            }
        }
    }
    return found;
}

} // namespace

QString PreflightWarning::text() const {
    const QString where = item > 0 ? QStringLiteral("%1 アイテム%2: ").arg(pages).arg(item)
                                   : QStringLiteral("%1: ").arg(pages);
    return where + problem + QLatin1Char(' ') + action;
}

std::vector<PreflightWarning> preflight(const PageJob& job,
                                        const std::vector<std::chrono::year_month>& months,
                                        const PrintShopOptions& shop) {
    std::vector<PreflightWarning> warnings;
    // Pictures and days files are the same on every page: their warnings concern all pages.
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
    std::vector<bool> suspects(job.entries.size(), false);
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
        // Every other kind prints texts inside its box: only a box reaching into the margin can
        // put one there, and the pages drawn tell whether it does.
        const QRectF& box = entry.box;
        const QRectF onPaper = box.intersected(QRectF(QPointF(0, 0), paper));
        suspects[i] = !onPaper.isEmpty() && (onPaper.left() < margin || onPaper.top() < margin ||
                                             onPaper.right() > paper.width() - margin ||
                                             onPaper.bottom() > paper.height() - margin);
    }
    if (std::find(suspects.begin(), suspects.end(), true) != suspects.end()) {
        const std::vector<MarginTexts> texts =
            textsInSafetyMargin(job, months, suspects, shop.bleedMm);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (texts[i].months.empty())
                continue;
            warnings.push_back(PreflightWarning{
                PreflightWarning::Kind::SafetyMargin,
                texts[i].months.size() == months.size() ? pages : monthsText(texts[i].months),
                static_cast<int>(i) + 1,
                QStringLiteral("文字「%1」が仕上がり線から %2 mm の安全域にかかっています。")
                    .arg(texts[i].text.left(20))
                    .arg(kSafetyMarginMm),
                QStringLiteral("断裁で切れないよう、アイテムを内側へ移すか文字を内側に寄せて"
                               "ください。"),
                0});
        }
        // Item by item, in drawing order.
        std::stable_sort(
            warnings.begin(), warnings.end(),
            [](const PreflightWarning& a, const PreflightWarning& b) { return a.item < b.item; });
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
