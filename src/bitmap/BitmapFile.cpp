#include "bitmap/BitmapFile.h"

#include "bitmap/PngFile.h"
#include "document/AtomicFile.h"
#include "document/OutputPath.h"

#include <QBuffer>
#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace tobirae {

namespace {

// Pixels are written as 32-bit words 0xFFRRGGBB, which is blue, green, red, 0xFF in memory here.
static_assert(std::endian::native == std::endian::little);

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
// Depths above 8 bits carry four zero bytes where a colour table would be.
constexpr int kEmptyColourTableSize = 4;
constexpr qint64 kChunkBytes = 4 << 20;

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

qint64 rowBytesFor(int width, int bitDepth) {
    return (static_cast<qint64>(width) * bitDepth + 31) / 32 * 4;
}

bool writeBitmap(QIODevice& device, const QImage& image, int bitDepth, int dpi) {
    if (image.isNull() || (bitDepth != 32 && bitDepth != 24))
        return false;
    const QImage pixels = image.format() == QImage::Format_RGB32
                              ? image
                              : image.convertToFormat(QImage::Format_RGB32);
    const int width = pixels.width();
    const int height = pixels.height();
    const qint64 rowBytes = rowBytesFor(width, bitDepth);
    const qint64 imageSize = rowBytes * height;
    const qint64 offset = kFileHeaderSize + kInfoHeaderSize + kEmptyColourTableSize;
    if (offset + imageSize > 0xFFFFFFFFLL)
        return false;
    const auto ppm = static_cast<std::uint32_t>(bitmapPixelsPerMetre(dpi));

    std::vector<std::uint8_t> header;
    header.reserve(static_cast<std::size_t>(offset));
    put16(header, 0x4D42);
    put32(header, static_cast<std::uint32_t>(offset + imageSize));
    put16(header, 0);
    put16(header, 0);
    put32(header, static_cast<std::uint32_t>(offset));
    put32(header, kInfoHeaderSize);
    put32(header, static_cast<std::uint32_t>(width));
    put32(header, static_cast<std::uint32_t>(height));
    put16(header, 1);
    put16(header, static_cast<std::uint32_t>(bitDepth));
    put32(header, 0);
    put32(header, static_cast<std::uint32_t>(imageSize));
    put32(header, ppm);
    put32(header, ppm);
    put32(header, 0);
    put32(header, 0);
    put32(header, 0); // colour table
    // The rows go out bottom row first in chunks of a few megabytes, the header in front of the
    // first: a page is a handful of writes, not one per row.
    const qint64 chunkRows = std::clamp<qint64>(kChunkBytes / rowBytes, 1, height);
    const auto headerBytes = static_cast<qint64>(header.size());
    const auto chunk = std::make_unique_for_overwrite<std::uint8_t[]>(
        static_cast<std::size_t>(headerBytes + chunkRows * rowBytes));
    std::memcpy(chunk.get(), header.data(), header.size());
    qint64 filled = headerBytes;
    for (int y = height - 1; y >= 0; --y) {
        const auto* in = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        std::uint8_t* out = chunk.get() + filled;
        if (bitDepth == 32) {
            // Format_RGB32 holds blue, green, red, 0xFF: the row as it is. The 0xFF makes viewers
            // that read the fourth byte as alpha show the page opaque.
            std::memcpy(out, in, static_cast<std::size_t>(rowBytes));
        } else {
            for (int x = 0; x < width; ++x) {
                const QRgb p = in[x];
                *out++ = static_cast<std::uint8_t>(qBlue(p));
                *out++ = static_cast<std::uint8_t>(qGreen(p));
                *out++ = static_cast<std::uint8_t>(qRed(p));
            }
            std::fill(out, chunk.get() + filled + rowBytes, std::uint8_t{0}); // row padding
        }
        filled += rowBytes;
        if (filled + rowBytes > headerBytes + chunkRows * rowBytes || y == 0) {
            if (device.write(reinterpret_cast<const char*>(chunk.get()), filled) != filled)
                return false;
            filled = 0;
        }
    }
    return true;
}

} // namespace

int bitmapPixelsPerMetre(int dpi) {
    return static_cast<int>(100.0 / 2.54 * dpi + 0.9);
}

QByteArray encodeBitmapFile(const QImage& image, int bitDepth, int dpi) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writeBitmap(buffer, image, bitDepth, dpi))
        return {};
    return bytes;
}

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
        written = writeBitmap(file.device(), image, options.bitDepth, options.dpi);
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
