#include "bitmap/PictureFile.h"

#include "owndays/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace tobirae {

namespace {

QString cleanedPath(const QString& storedPath) {
    QString path = storedPath.trimmed();
    if (path.endsWith(u'\\'))
        path.chop(1);
    return path;
}

bool isFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

QString fileNamePart(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'));
    QString name = path.mid(cut + 1);
    // "C:photo.bmp" names a file in the current folder of drive C.
    if (name.size() > 2 && name.at(1) == u':' && name.at(0).isLetter())
        name = name.mid(2);
    return name;
}

// Pixels a picture may have: our own ceiling, or less where Qt's allocation limit for one decoded
// image (32 bits a pixel) would refuse it anyway.
qint64 pixelLimit() {
    qint64 limit = kMaxPicturePixels;
    if (const int megabytes = QImageReader::allocationLimit(); megabytes > 0)
        limit = std::min(limit, qint64(megabytes) * 1024 * 1024 / 4);
    return limit;
}

QString sizeProblem(QSize size) {
    if (!size.isValid() || size.isEmpty())
        return QStringLiteral("the picture has no pixels");
    if (const qint64 limit = pixelLimit(); qint64(size.width()) * size.height() > limit)
        return QStringLiteral("the picture is %1 x %2 pixels, more than %3 megapixels")
            .arg(size.width())
            .arg(size.height())
            .arg(limit / 1'000'000);
    return {};
}

std::uint32_t little(const QByteArray& bytes, qsizetype at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// Whether a run-length coded bitmap's data reaches its end mark or its last row before the file
// ends.
bool runLengthDataComplete(const QByteArray& file, qsizetype pos, std::int64_t rows,
                           bool fourBits) {
    std::int64_t row = 0;
    while (pos + 1 < file.size()) {
        const auto count = static_cast<std::uint8_t>(file[pos]);
        const auto code = static_cast<std::uint8_t>(file[pos + 1]);
        pos += 2;
        if (count > 0)
            continue;
        if (code == 0) {
            ++row;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (pos + 1 >= file.size())
                return false;
            row += static_cast<std::uint8_t>(file[pos + 1]);
            pos += 2;
        } else {
            const qsizetype bytes = fourBits ? (code + 1) / 2 : code;
            pos += bytes + bytes % 2;
        }
        if (row >= rows)
            return true;
    }
    return false;
}

// Qt decodes a bitmap file that ends early without complaint and leaves the rows never read as
// whatever the memory held: such a file is refused before decoding.
QString bitmapFileCutShort(const QString& path) {
    QFile file;
    if (openRegularFile(file, path) != OpenProblem::None)
        return {};
    const QByteArray head = file.peek(54);
    if (head.size() < 30 || !head.startsWith("BM"))
        return {};
    const std::uint32_t dataStart = little(head, 10, 4);
    const std::uint32_t infoSize = little(head, 14, 4);
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t bits = 0;
    std::uint32_t compression = 0;
    if (infoSize == 12) {
        width = static_cast<std::int16_t>(little(head, 18, 2));
        height = static_cast<std::int16_t>(little(head, 20, 2));
        bits = little(head, 24, 2);
    } else if (head.size() >= 34) {
        width = static_cast<std::int32_t>(little(head, 18, 4));
        height = static_cast<std::int32_t>(little(head, 22, 4));
        bits = little(head, 28, 2);
        compression = little(head, 30, 4);
    } else {
        return {};
    }
    height = std::abs(height);
    const QString cut = QStringLiteral("%1 ends before all its pixels").arg(path);
    switch (compression) {
    case 0: // plain rows
    case 3: // rows with colour masks
    case 6: {
        const std::int64_t rowBytes = (width * bits + 31) / 32 * 4;
        return file.size() < std::int64_t{dataStart} + rowBytes * height ? cut : QString();
    }
    case 1: // run-length coded, 8 and 4 bits
    case 2:
        if (file.size() > (qint64(64) << 20))
            return {};
        return runLengthDataComplete(file.readAll(), dataStart, height, compression == 2)
                   ? QString()
                   : cut;
    default:
        return {};
    }
}

QString openProblemReason(const QString& path, OpenProblem problem) {
    switch (problem) {
    case OpenProblem::Missing:
        return QStringLiteral("the picture file %1 does not exist").arg(path);
    case OpenProblem::NotRegular:
        return QStringLiteral("%1 is not a regular file").arg(path);
    default:
        return QStringLiteral("%1 cannot be opened").arg(path);
    }
}

} // namespace

QString resolvePicturePath(const QString& storedPath, const QString& layoutFolder) {
    const QString path = cleanedPath(storedPath);
    if (path.isEmpty())
        return {};
    if (isFile(path))
        return path;
    if (layoutFolder.isEmpty())
        return {};

    const QString name = fileNamePart(path);
    if (name.isEmpty() || name == u"." || name == u"..")
        return {};
    const QDir folder(layoutFolder);
    if (const QString beside = folder.filePath(name); isFile(beside))
        return beside;
    for (const QString& candidate : folder.entryList(QDir::Files | QDir::Hidden)) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return folder.filePath(candidate);
    }
    return {};
}

QSize pictureFileSize(const QString& path, QString* reason) {
    QFile file;
    if (const OpenProblem problem = openRegularFile(file, path); problem != OpenProblem::None) {
        if (reason)
            *reason = openProblemReason(path, problem);
        return {};
    }
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoTransform(true);
    QSize size = reader.size();
    // Photos turned by their orientation tag are drawn upright, so their size is the turned one.
    if (size.isValid() && reader.transformation().testFlag(QImageIOHandler::TransformationRotate90))
        size.transpose();
    if (!size.isValid()) {
        // Some formats only know their size once decoded.
        const LoadedPicture picture = decodePictureFile(path);
        if (!picture.ok()) {
            if (reason)
                *reason = picture.reason;
            return {};
        }
        size = picture.image.size();
    }
    if (reason)
        reason->clear();
    return size;
}

LoadedPicture decodePictureFile(const QString& path) {
    LoadedPicture result;
    QFile file;
    if (const OpenProblem problem = openRegularFile(file, path); problem != OpenProblem::None) {
        // A folder, pipe or device is no picture file, as if there were none.
        result.problem = problem == OpenProblem::Unreadable ? PictureProblem::Unreadable
                                                            : PictureProblem::Missing;
        result.reason = openProblemReason(path, problem);
        return result;
    }

    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    reader.setAutoTransform(true);
    if (!reader.canRead()) {
        result.problem = PictureProblem::Unreadable;
        result.reason = QStringLiteral("%1 is not a picture that can be read: %2")
                            .arg(path, reader.errorString());
        return result;
    }
    if (const QSize header = reader.size(); header.isValid()) {
        if (const QString problem = sizeProblem(header); !problem.isEmpty()) {
            result.problem = PictureProblem::TooLarge;
            result.reason = QStringLiteral("%1: %2").arg(path, problem);
            return result;
        }
    }

    if (reader.format() == "bmp") {
        if (const QString cut = bitmapFileCutShort(path); !cut.isEmpty()) {
            result.problem = PictureProblem::Unreadable;
            result.reason = cut;
            return result;
        }
    }

    QImage image;
    if (!reader.read(&image) || image.isNull()) {
        result.problem = PictureProblem::Unreadable;
        result.reason =
            QStringLiteral("%1 could not be decoded: %2").arg(path, reader.errorString());
        return result;
    }
    // Formats that give no size in their header are checked once decoded.
    if (const QString problem = sizeProblem(image.size()); !problem.isEmpty()) {
        result.problem = PictureProblem::TooLarge;
        result.reason = QStringLiteral("%1: %2").arg(path, problem);
        return result;
    }
    result.image = std::move(image);
    return result;
}

} // namespace tobirae
