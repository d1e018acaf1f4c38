#include "bitmap/ImageFile.h"

#include "bitmap/BitmapFile.h"
#include "bitmap/PngFile.h"
#include "files/AtomicFile.h"
#include "files/OutputPath.h"

#include <cerrno>
#include <cstdint>

namespace tobirae {

bool writeImageFile(const QImage& image, const QString& path, const ImageFileOptions& options,
                    QString* error) {
    auto fail = [&](const QString& message) {
        if (error)
            *error = message;
        return false;
    };
    if (image.isNull())
        return fail(QStringLiteral("書き込むページがありません。"));
    if (options.format == ImageFileFormat::Bmp && options.bitDepth != 32 && options.bitDepth != 24)
        return fail(
            QStringLiteral("色数 %1 ビットでは書き込めません (32 か 24)。").arg(options.bitDepth));
    const std::int64_t needed = std::int64_t{image.bytesPerLine()} * image.height();
    // Not synced to disk first: that costs more than the whole page takes to draw.
    AtomicFile file(path, AtomicFile::Durability::Flush);
    if (!file.open())
        return fail(file.error());
    bool written = false;
    errno = 0;
    if (options.format == ImageFileFormat::Png) {
        written = writePngFile(file.device(), image, options.dpi);
    } else {
        written = writeBitmapFile(file.device(), image, options.bitDepth, options.dpi);
    }
    if (!written) {
        const int error = errno;
        file.cancel();
        return fail(writeFailureMessage(path, error, needed));
    }
    if (!file.commit(needed))
        return fail(file.error());
    return true;
}

} // namespace tobirae
