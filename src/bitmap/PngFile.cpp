#include "bitmap/PngFile.h"

#include "bitmap/PixelsPerMetre.h"

#include <QIODevice>
#include <csetjmp>
#include <png.h>
#include <zlib.h>

namespace tobirae {

namespace {

// Deflate output is handed to the device in pieces of this size.
constexpr std::size_t kCompressionBuffer = 1 << 20;

struct Sink {
    QIODevice* device;
    bool failed;
};

void writeToDevice(png_structp png, png_bytep data, png_size_t length) {
    auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
    const auto size = static_cast<qint64>(length);
    if (!sink->failed && sink->device->write(reinterpret_cast<const char*>(data), size) != size)
        sink->failed = true;
}

void flushDevice(png_structp) {}

// libpng reports errors by a long jump: nothing here may need a destructor.
bool encode(png_structp png, png_infop info, const QImage& pixels, bool alpha, int dpi) {
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_IHDR(png, info, static_cast<png_uint_32>(pixels.width()),
                 static_cast<png_uint_32>(pixels.height()), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const auto ppm = static_cast<png_uint_32>(bitmapPixelsPerMetre(dpi));
    png_set_pHYs(png, info, ppm, ppm, PNG_RESOLUTION_METER);
    png_set_compression_level(png, Z_BEST_SPEED);
    png_set_compression_strategy(png, Z_RLE);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_buffer_size(png, kCompressionBuffer);
    png_write_info(png, info);
    // Rows are 32-bit words 0xAARRGGBB: blue, green, red, alpha in memory.
    png_set_bgr(png);
    if (!alpha)
        png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int y = 0; y < pixels.height(); ++y)
        png_write_row(png, pixels.constScanLine(y));
    png_write_end(png, info);
    return true;
}

} // namespace

bool writePngFile(QIODevice& device, const QImage& image, int dpi) {
    if (image.isNull())
        return false;
    const bool alpha = image.hasAlphaChannel();
    const QImage::Format format = alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    const QImage pixels = image.format() == format ? image : image.convertToFormat(format);
    if (pixels.isNull())
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    Sink sink{&device, false};
    bool ok = false;
    if (info) {
        png_set_write_fn(png, &sink, writeToDevice, flushDevice);
        ok = encode(png, info, pixels, alpha, dpi);
    }
    png_destroy_write_struct(&png, &info);
    return ok && !sink.failed;
}

} // namespace tobirae
