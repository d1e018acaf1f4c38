#include "ui/main/LayoutTemplates.h"

#include "bitmap/PictureFile.h"
#include "render/PageExport.h"
#include "ui/dialogs/ItemDialogRules.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <algorithm>
#include <cmath>

namespace tobirae {

namespace {

constexpr int kPictureFieldBytes = static_cast<int>(sizeof(LayoutItem::PictureFile.bytes));

} // namespace

QString anchoredPicturePath(const QString& stored, const QString& folder) {
    const QString trimmed = stored.trimmed();
    if (trimmed.isEmpty())
        return stored;
    // A relative path is taken from the template's folder, never from the working folder.
    const QString candidate =
        QDir::isAbsolutePath(trimmed) ? trimmed : QDir(folder).absoluteFilePath(trimmed);
    const QString found = resolvePicturePath(candidate, folder);
    if (found.isEmpty() || found == trimmed)
        return stored;
    return QDir::cleanPath(QFileInfo(found).absoluteFilePath());
}

QString templateDescriptionPath(const QString& layoutPath) {
    const QFileInfo info(layoutPath);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral(".ini"));
}

ReadResult readTemplate(const QString& path) {
    ReadResult result = readLayoutFile(path, kLayoutDpi);
    if (!result.document)
        return result;
    const QString problem = anchorPictures(*result.document, QFileInfo(path).absolutePath());
    if (!problem.isEmpty()) {
        result.error = problem;
        result.document.reset();
    }
    return result;
}

QString anchorPictures(LayoutDocument& document, const QString& folder) {
    QString first;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        LayoutItem& item = document.item(slot);
        if (!document.isLive(slot) || item.Category != CategoryPicture)
            continue;
        const QString stored = item.PictureFile.text();
        const QString anchored = anchoredPicturePath(stored, folder);
        if (anchored == stored)
            continue;
        const StoredTextProblem problem = storedTextProblem(anchored, kPictureFieldBytes);
        if (problem != StoredTextProblem::None) {
            // This one keeps its stored path; the others are still anchored.
            if (first.isEmpty())
                first = storedTextMessage(problem, QStringLiteral("画像ファイル名"),
                                          kPictureFieldBytes) +
                        QStringLiteral("\r\n") + anchored;
            continue;
        }
        item.PictureFile.setText(anchored);
    }
    return first;
}

std::vector<LayoutTemplate> findTemplates(const QString& folder) {
    std::vector<LayoutTemplate> templates;
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return templates;
    QStringList names = dir.entryList(QDir::Files | QDir::Readable | QDir::Hidden);
    names.removeIf([](const QString& name) { return !isLayoutFileName(name); });
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    for (const QString& name : names) {
        LayoutTemplate entry;
        entry.path = dir.absoluteFilePath(name);
        entry.name = QFileInfo(name).completeBaseName();
        const QSettings about(templateDescriptionPath(entry.path), QSettings::IniFormat);
        entry.title = about.value(QStringLiteral("Template/Name")).toString().simplified();
        if (entry.title.isEmpty())
            entry.title = entry.name;
        entry.description =
            about.value(QStringLiteral("Template/Description")).toString().simplified();
        ReadResult read = readTemplate(entry.path);
        if (read.document)
            entry.document = std::move(read.document);
        else
            entry.problem = read.error;
        templates.push_back(std::move(entry));
    }
    return templates;
}

QImage templatePreview(const LayoutDocument& document, Colour pageBackColor, int year, int month,
                       QSize box) {
    const PageJob job = pageJobFromDocument(document, pageBackColor);
    const QSizeF inches = paperPixels(job, 1);
    if (inches.isEmpty() || box.isEmpty())
        return {};
    const double fit = std::min(box.width() / inches.width(), box.height() / inches.height());
    const int dpi = std::max(1, static_cast<int>(std::floor(fit)));
    return pageImage(job, year, month, dpi);
}

} // namespace tobirae
