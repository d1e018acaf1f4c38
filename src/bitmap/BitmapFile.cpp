#include "bitmap/BitmapFile.h"

#include "bitmap/PixelsPerMetre.h"

#include <QBuffer>
#include <QFileDevice>
#include <algorithm>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <sys/uio.h>
#include <vector>
#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace tobirae {

namespace {

// Pixels are written as 32-bit words 0xFFRRGGBB, which is blue, green, red, 0xFF in memory here.
static_assert(std::endian::native == std::endian::little);

constexpr int kFileHeaderSize = 14;
constexpr int kInfoHeaderSize = 40;
// Depths above 8 bits carry four zero bytes where a colour table would be.
constexpr int kEmptyColourTableSize = 4;
// Converted rows are written in pieces of this size.
constexpr qint64 kChunkBytes = 256 << 10;

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

#if defined(__x86_64__)
// Four pixels at a time; each 16-byte store carries 4 bytes past its 12, which the next store
// overwrites, so the last group is left to the caller. Returns the pixels converted.
__attribute__((target("ssse3"))) int toBgrGroups(const QRgb* in, std::uint8_t* out, int width) {
    const __m128i pick = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    int x = 0;
    for (; x + 5 <= width; x += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(four, pick));
        out += 12;
    }
    return x;
}
#endif

qint64 rowBytesFor(int width, int bitDepth) {
    return (static_cast<qint64>(width) * bitDepth + 31) / 32 * 4;
}

// Blue, green, red of each pixel of a row.
void toBgr(const QRgb* in, std::uint8_t* out, int width) {
    int x = 0;
#if defined(__x86_64__)
    if (__builtin_cpu_supports("ssse3")) {
        x = toBgrGroups(in, out, width);
        out += 3 * x;
    }
#endif
    for (; x < width; ++x) {
        const QRgb p = in[x];
        *out++ = static_cast<std::uint8_t>(qBlue(p));
        *out++ = static_cast<std::uint8_t>(qGreen(p));
        *out++ = static_cast<std::uint8_t>(qRed(p));
    }
}

// Pieces of the file gathered and handed to the device together: a file gets them in one writev
// straight from where they lie (the rows of a 32-bit page need no copy), any other device one
// write each.
class GatheredWriter {
public:
    explicit GatheredWriter(QIODevice& device) : device_(device) {
        auto* file = qobject_cast<QFileDevice*>(&device);
        if (file && file->flush())
            fd_ = file->handle();
    }
    // The bytes must stay where they are until the next flush.
    bool add(const void* data, qint64 size) {
        if (size > 0)
            pieces_.push_back(iovec{const_cast<void*>(data), static_cast<std::size_t>(size)});
        return pieces_.size() < kPiecesPerWrite || flush();
    }
    bool flush() {
        const bool ok = fd_ >= 0 ? writeToFile() : writeToDevice();
        pieces_.clear();
        return ok;
    }

private:
    static constexpr std::size_t kPiecesPerWrite = IOV_MAX;

    bool writeToDevice() {
        for (const iovec& piece : pieces_) {
            const auto size = static_cast<qint64>(piece.iov_len);
            if (device_.write(static_cast<const char*>(piece.iov_base), size) != size)
                return false;
        }
        return true;
    }
    // A short write (a disk filling up) goes on where it stopped, so the next one tells why.
    bool writeToFile() {
        std::size_t first = 0;
        while (first < pieces_.size()) {
            const ssize_t written =
                ::writev(fd_, pieces_.data() + first, static_cast<int>(pieces_.size() - first));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0)
                return false;
            auto left = static_cast<std::size_t>(written);
            while (left > 0 && left >= pieces_[first].iov_len)
                left -= pieces_[first++].iov_len;
            if (left > 0) {
                pieces_[first].iov_base = static_cast<char*>(pieces_[first].iov_base) + left;
                pieces_[first].iov_len -= left;
            }
        }
        return true;
    }

    QIODevice& device_;
    int fd_ = -1;
    std::vector<iovec> pieces_;
};

} // namespace

bool writeBitmapFile(QIODevice& device, const QImage& image, int bitDepth, int dpi) {
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

    // Bottom row first. Format_RGB32 holds blue, green, red, 0xFF: a 32-bit row goes out as it
    // is (the 0xFF makes viewers that read the fourth byte as alpha show the page opaque).
    GatheredWriter out(device);
    out.add(header.data(), static_cast<qint64>(header.size()));
    if (bitDepth == 32) {
        for (int y = height - 1; y >= 0; --y)
            if (!out.add(pixels.constScanLine(y), rowBytes))
                return false;
        return out.flush();
    }
    // 24-bit rows are converted a few at a time into a buffer that stays in the cache; its row
    // padding is never written to and stays zero.
    const qint64 chunkRows = std::clamp<qint64>(kChunkBytes / rowBytes, 1, height);
    std::vector<std::uint8_t> chunk(static_cast<std::size_t>(chunkRows * rowBytes));
    qint64 filled = 0;
    for (int y = height - 1; y >= 0; --y) {
        toBgr(reinterpret_cast<const QRgb*>(pixels.constScanLine(y)), chunk.data() + filled, width);
        filled += rowBytes;
        if (filled == chunkRows * rowBytes || y == 0) {
            if (!out.add(chunk.data(), filled) || !out.flush())
                return false;
            filled = 0;
        }
    }
    return true;
}


QByteArray encodeBitmapFile(const QImage& image, int bitDepth, int dpi) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writeBitmapFile(buffer, image, bitDepth, dpi))
        return {};
    return bytes;
}

} // namespace tobirae
