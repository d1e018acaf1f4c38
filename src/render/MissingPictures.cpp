#include "render/MissingPictures.h"

#include "document/LayoutDocument.h"
#include "bitmap/PictureFile.h"
#include "render/PageExport.h"

#include <QDir>
#include <algorithm>

namespace tobirae {

namespace {

void addOnce(std::vector<MissingPicture>& list, std::optional<MissingPicture> picture) {
    if (!picture)
        return;
    const bool known = std::any_of(list.begin(), list.end(), [&](const MissingPicture& p) {
        return p.path == picture->path;
    });
    if (!known)
        list.push_back(std::move(*picture));
}

} // namespace

std::optional<MissingPicture> missingPicture(const LayoutItem& item, const QString& layoutFolder) {
    if (item.Category != CategoryPicture)
        return std::nullopt;
    const QString stored = item.PictureFile.text().trimmed();
    // A picture item never filled would print its placeholder text just the same.
    if (stored.isEmpty())
        return MissingPicture{stored, QStringLiteral("画像ファイルが選ばれていません")};
    // The file and its header only: cheap enough for every redraw of the editor's view.
    const QString path = resolvePicturePath(stored, layoutFolder);
    if (path.isEmpty())
        return MissingPicture{stored, QStringLiteral("見つかりません")};
    if (!pictureFileSize(path).isValid())
        return MissingPicture{stored, QStringLiteral("画像として読み込めません")};
    return std::nullopt;
}

std::vector<MissingPicture> missingPictures(const PageJob& job) {
    std::vector<MissingPicture> list;
    for (const ExportEntry& entry : job.entries)
        if (entry.drawn)
            addOnce(list, missingPicture(entry.item, job.layoutFolder));
    return list;
}

std::vector<MissingPicture> missingPictures(const LayoutDocument& document,
                                            const QString& layoutFolder) {
    std::vector<MissingPicture> list;
    for (const ListEntry& entry : document.drawingOrder())
        if (document.isLive(entry.slot))
            addOnce(list, missingPicture(document.item(entry.slot), layoutFolder));
    return list;
}

QString missingPictureLines(const std::vector<MissingPicture>& pictures, int limit) {
    QStringList lines;
    for (const MissingPicture& picture : pictures) {
        if (lines.size() == limit) {
            lines << QStringLiteral("ほか %1 件").arg(pictures.size() - std::size_t(limit));
            break;
        }
        lines << (picture.path.isEmpty()
                      ? QStringLiteral("・") + picture.reason
                      : QStringLiteral("・%1 (%2)").arg(QDir::toNativeSeparators(picture.path),
                                                       picture.reason));
    }
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace tobirae
