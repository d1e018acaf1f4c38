#include "render/PrintShopPdf.h"

#include "bitmap/PictureCache.h"
#include "bitmap/PictureFile.h"
#include "files/AtomicFile.h"
#include "render/BleedFills.h"
#include "render/CropMarks.h"
#include "render/ImageItem.h"
#include "render/PdfBoxes.h"
#include "render/PdfxConversion.h"
#include "render/RegistrationColour.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <exception>

namespace tobirae {

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

QSizeF paperMm(const PageJob& job) {
    return job.paperMm.isEmpty() ? QSizeF(job.canvas) / kLayoutDpi * 25.4 : job.paperMm;
}

// Draws what an edge item puts into the bleed: its background, or its picture scaled to cover
// the grown box; the page canvas then grows its fills (BleedPageCanvas). Texts, day numbers and
// lines are drawn as usual and stay where they are.
class BleedDrawer {
public:
    BleedDrawer(const PageJob& job, QPainter& painter, int dpi, double bleedPx,
                std::shared_ptr<BleedItem> current)
        : job_(job), painter_(painter), scale_(dpi / static_cast<double>(kLayoutDpi)),
          paper_(paperPixels(job, dpi)), bleed_(bleedPx), tolerance_(kEdgeToleranceMm * dpi / 25.4),
          current_(std::move(current)) {}

    bool operator()(std::size_t, const LayoutItem& item, QPoint offset) const {
        const QRectF box(item.Left * scale_ + offset.x(), item.Top * scale_ + offset.y(),
                         item.Width * scale_, item.Height * scale_);
        const bool opaque = !isTrue(item.Transparent);
        const QRectF grown = bleedExtended(box, paper_, bleed_, tolerance_);
        *current_ = BleedItem{box, item.BackColor, grown != box};
        if (item.Category == CategoryPicture && opaque && drawPicture(item, box, offset))
            return true;
        if (opaque && grown != box) {
            QPainterPath strip;
            strip.addRect(grown);
            QPainterPath inside;
            inside.addRect(box);
            painter_.fillPath(strip.subtracted(inside),
                              QColor::fromRgb(rgbFromColour(item.BackColor)));
        }
        return false;
    }

private:
    // The picture covering its grown place, keeping its aspect and cut evenly on both sides.
    bool drawPicture(const LayoutItem& item, const QRectF& box, QPoint offset) const {
        const QRectF drawn = pictureDrawnRect(item, job_.layoutFolder);
        const QRectF placed(drawn.left() * scale_ + offset.x(), drawn.top() * scale_ + offset.y(),
                            drawn.width() * scale_, drawn.height() * scale_);
        const QRectF grown = bleedExtended(placed, paper_, bleed_, tolerance_);
        if (grown == placed)
            return false;
        const QString path = resolvePicturePath(item.PictureFile.text(), job_.layoutFolder);
        if (path.isEmpty())
            return false;
        const LoadedPicture picture = loadPicture(job_.pictures.get(), path);
        if (!picture.ok() || picture.image.isNull())
            return false;
        painter_.save();
        painter_.fillRect(bleedExtended(box, paper_, bleed_, tolerance_),
                          QColor::fromRgb(rgbFromColour(item.BackColor)));
        const QSizeF image = picture.image.size();
        const double cover =
            std::max(grown.width() / image.width(), grown.height() / image.height());
        const QSizeF part = grown.size() / cover;
        const QRectF source(
            QPointF((image.width() - part.width()) / 2, (image.height() - part.height()) / 2),
            part);
        painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter_.drawImage(grown, picture.image, source);
        painter_.restore();
        return true;
    }

    const PageJob& job_;
    QPainter& painter_;
    double scale_;
    QSizeF paper_;
    double bleed_;
    double tolerance_;
    std::shared_ptr<BleedItem> current_; // read by the page canvas
};

QPageLayout mediaLayout(const QSizeF& mediaPt) {
    const QSizeF upright(std::min(mediaPt.width(), mediaPt.height()),
                         std::max(mediaPt.width(), mediaPt.height()));
    return QPageLayout(QPageSize(upright, QPageSize::Point, QString(), QPageSize::ExactMatch),
                       mediaPt.width() > mediaPt.height() ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0));
}

// The pages on the larger sheet, the paper centred; the bytes Qt wrote.
ExportResult paintSheets(const PageJob& job, const std::vector<std::chrono::year_month>& months,
                         const PrintShopOptions& shop, const ExportOptions& options,
                         const PageDone& onPage, const QString& title, QByteArray* bytes) {
    ExportResult total;
    const int dpi = options.dpi.value_or(job.dpi);
    const QSizeF trim = trimSizePt(job);
    const double extraPt = (shop.bleedMm + (shop.marks ? kMarkRoomMm : 0)) * kPointsPerMm;
    QBuffer buffer(bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(dpi);
    writer.setPageLayout(mediaLayout(trim + QSizeF(2 * extraPt, 2 * extraPt)));
    writer.setCreator(QStringLiteral("Tobirae"));
    writer.setTitle(title);
    // The sheet as written (whole points); the paper sits in its middle.
    const QSizeF written = writer.pageLayout().fullRectPoints().size();
    const double pxPerPt = dpi / 72.0;
    const QPointF origin((written.width() - trim.width()) / 2 * pxPerPt,
                         (written.height() - trim.height()) / 2 * pxPerPt);
    const QSizeF paper = paperPixels(job, dpi);
    const double bleedPx = shop.bleedMm * dpi / 25.4;
    const QRectF bleedRect(-bleedPx, -bleedPx, paper.width() + 2 * bleedPx,
                           paper.height() + 2 * bleedPx);

    QPainter painter;
    if (!painter.begin(&writer)) {
        total.error = QStringLiteral("PDF のページを描けません。");
        return total;
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    ExportOptions pageOptions = options;
    if (bleedPx > 0) {
        const auto current = std::make_shared<BleedItem>();
        pageOptions.drawEntry = BleedDrawer(job, painter, dpi, bleedPx, current);
        const double tolerance = kEdgeToleranceMm * dpi / 25.4;
        pageOptions.pageCanvas = [paper, bleedPx, tolerance, current](
                                     QPainter& on, QSize pixels, std::shared_ptr<FontCache> fonts) {
            return std::make_unique<BleedPageCanvas>(on, pixels, std::move(fonts), paper, bleedPx,
                                                     tolerance, current);
        };
    }
    for (std::size_t i = 0; i < months.size(); ++i) {
        if (options.cancel && options.cancel->load()) {
            total.cancelled = true;
            break;
        }
        if (i > 0 && !writer.newPage()) {
            total.error = QStringLiteral("%1ページ目を始められませんでした。").arg(i + 1);
            break;
        }
        painter.save();
        painter.translate(origin);
        // Nothing of the page reaches beyond the bleed, where the marks are.
        painter.setClipRect(bleedRect);
        painter.fillRect(bleedRect, QColor::fromRgb(rgbFromColour(job.pageBackColor)));
        const ExportResult page = paintPage(
            job, static_cast<int>(months[i].year()),
            static_cast<int>(static_cast<unsigned>(months[i].month())), painter, pageOptions);
        painter.restore();
        if (shop.marks)
            drawCropMarks(painter, QRectF(origin, paper), bleedPx, dpi / 25.4,
                          shop.pdfx ? registrationStandIn() : QColor(Qt::black));
        total.pixels = page.pixels;
        total.itemsDrawn += page.itemsDrawn;
        if (page.ok)
            ++total.pages;
        if (onPage)
            onPage(i, page);
        if (!page.ok) {
            total.cancelled = page.cancelled;
            if (!page.error.isEmpty())
                total.error = monthName(months[i]) + QStringLiteral(": ") + page.error;
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

bool failWith(ExportResult& result, const QString& error) {
    result.ok = false;
    result.error = error;
    return false;
}

// Ghostscript's CMYK file made PDF/X-3 and checked; false with the result's error set.
bool toPdfx(const QByteArray& boxed, const PrintShopOptions& shop, const QString& program,
            const QString& profile, const QSizeF& trim, const std::atomic<bool>* cancel,
            const QString& title, ExportResult& result, QByteArray* out) {
    QTemporaryDir work;
    if (!work.isValid())
        return failWith(result, QStringLiteral("作業用フォルダーを作れませんでした。"));
    QFile input(work.filePath(QStringLiteral("pages.pdf")));
    if (!input.open(QIODevice::WriteOnly) || input.write(boxed) != boxed.size() || !input.flush())
        return failWith(result, QStringLiteral("作業用ファイルを書けませんでした。"));
    input.close();
    const QString converted = work.filePath(QStringLiteral("cmyk.pdf"));
    const GhostscriptRun run = convertToCmyk(program, input.fileName(), converted, profile,
                                             shop.conversionTimeoutMs, cancel);
    if (run.cancelled) {
        result.ok = false;
        result.cancelled = true;
        return false;
    }
    if (!run.ok)
        return failWith(result, run.error);
    QFile cmyk(converted);
    QFile icc(profile);
    if (!cmyk.open(QIODevice::ReadOnly) || !icc.open(QIODevice::ReadOnly))
        return failWith(result, QStringLiteral("変換した PDF を読めませんでした。"));
    const QByteArray cmykBytes = cmyk.readAll();
    // The boxes once more from the page Ghostscript wrote, which keeps the sheet's size.
    QString error;
    const std::vector<PdfPageBoxes> sheets = readPageBoxes(cmykBytes, &error);
    if (sheets.empty())
        return failWith(result, error.isEmpty()
                                    ? QStringLiteral("変換した PDF にページがありません。")
                                    : error);
    std::vector<PdfPageBoxes> boxes;
    for (const PdfPageBoxes& sheet : sheets)
        boxes.push_back(printShopBoxes(sheet.media, trim, shop.bleedMm * kPointsPerMm, true));
    QByteArray reboxed;
    if (const auto problem = setPageBoxes(cmykBytes, boxes, &reboxed))
        return failWith(result, *problem);
    if (const auto problem = addPdfxOutputIntent(reboxed, icc.readAll(),
                                                 QFileInfo(profile).completeBaseName(), title, out))
        return failWith(result, *problem);
    const QStringList problems = pdfxProblems(*out);
    if (!problems.isEmpty())
        return failWith(result, QStringLiteral("PDF/X の確認に通りませんでした:\n") +
                                    problems.join(QLatin1Char('\n')));
    return true;
}

} // namespace

QSizeF trimSizePt(const PageJob& job) {
    return paperMm(job) * kPointsPerMm;
}

QRectF bleedExtended(const QRectF& box, const QSizeF& paper, double bleed, double tolerance) {
    if (bleed <= 0)
        return box;
    QRectF grown = box;
    if (box.left() <= tolerance)
        grown.setLeft(std::min(box.left(), -bleed));
    if (box.top() <= tolerance)
        grown.setTop(std::min(box.top(), -bleed));
    if (box.right() >= paper.width() - tolerance)
        grown.setRight(std::max(box.right(), paper.width() + bleed));
    if (box.bottom() >= paper.height() - tolerance)
        grown.setBottom(std::max(box.bottom(), paper.height() + bleed));
    return grown;
}

PrintShopResult exportPrintShopPdf(const PageJob& job,
                                   const std::vector<std::chrono::year_month>& months,
                                   const QString& path, const PrintShopOptions& shop,
                                   const ExportOptions& options, const PageDone& onPage,
                                   const std::function<void(const QString&)>& stage) {
    PrintShopResult result;
    if (shop.plain()) {
        result.pages = exportPdf(job, months, path, options, onPage);
        return result;
    }
    ExportResult& pages = result.pages;
    if (!(shop.bleedMm >= 0 && shop.bleedMm <= kMaxBleedMm)) {
        pages.error = QStringLiteral("塗り足しは 0〜%1 mm です。").arg(kMaxBleedMm);
        return result;
    }
    if (months.empty()) {
        pages.error = QStringLiteral("出力する月がありません。");
        return result;
    }
    // What PDF/X needs is looked for before any page is drawn: without it nothing is written.
    QString program;
    QString profile = shop.profile;
    if (shop.pdfx) {
        program = findGhostscript(shop.ghostscript);
        if (program.isEmpty()) {
            pages.error = QStringLiteral(
                "Ghostscript (gs) が見つからないため PDF/X に変換できません。ghostscript "
                "パッケージを入れてください。ファイルは書き込みませんでした。");
            return result;
        }
        if (profile.isEmpty()) {
            profile = ghostscriptCmykProfile();
            if (profile.isEmpty()) {
                pages.error = QStringLiteral("Ghostscript の CMYK プロファイルが見つかりません。"
                                             "プロファイルのファイルを指定してください。");
                return result;
            }
            result.notes << QStringLiteral("出力インテントに Ghostscript の CMYK プロファイル (%1) "
                                           "を使いました。")
                                .arg(profile);
        } else if (!QFileInfo(profile).isReadable()) {
            pages.error = QStringLiteral("プロファイル %1 を読めません。").arg(profile);
            return result;
        }
    }
    try {
        const QString title = QFileInfo(path).completeBaseName();
        QByteArray sheets;
        pages = paintSheets(job, months, shop, options, onPage, title, &sheets);
        if (!pages.ok)
            return result;
        if (stage)
            stage(QStringLiteral("ページの枠を設定中"));
        QByteArray boxed;
        if (const auto problem = setPrintShopBoxes(
                sheets, trimSizePt(job), shop.bleedMm * kPointsPerMm, shop.marks, &boxed)) {
            failWith(pages, *problem);
            return result;
        }
        if (shop.pdfx) {
            if (stage)
                stage(QStringLiteral("PDF/X に変換中"));
            if (shop.marks) {
                QByteArray registered;
                if (const auto problem = standInToRegistration(boxed, &registered)) {
                    failWith(pages, *problem);
                    return result;
                }
                boxed = registered;
            }
            QByteArray pdfx;
            if (!toPdfx(boxed, shop, program, profile, trimSizePt(job), options.cancel, title,
                        pages, &pdfx))
                return result;
            boxed = pdfx;
        }
        if (stage)
            stage(QStringLiteral("ファイル作成中"));
        AtomicFile file(path, AtomicFile::Durability::Flush);
        if (!file.open() || file.device().write(boxed) != boxed.size() ||
            !file.commit(boxed.size())) {
            failWith(pages, file.error().isEmpty()
                                ? QStringLiteral("%1 を書き込めませんでした。").arg(path)
                                : file.error());
            return result;
        }
        return result;
    } catch (const std::exception& e) {
        failWith(pages,
                 QStringLiteral("出力できませんでした: %1").arg(QString::fromLocal8Bit(e.what())));
        return result;
    }
}

} // namespace tobirae
