// The bitmap file writer: the page's pixels as a ".BMP" (32 or 24 bits, bottom-up rows,
// resolution fields from the page resolution) or PNG, always written to a temporary file and
// renamed into place so a failure never leaves a partial file. Export and savePageBitmap use
// it.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace tobirae {

enum class ImageFileFormat { Bmp, Png };

struct ImageFileOptions {
    ImageFileFormat format = ImageFileFormat::Bmp;
    int bitDepth = 32; // 32 or 24 for bitmap files
    int dpi = 96;      // resolution fields
};

// Pixels per metre as the resolution fields hold them: Fix(100 / 2.54 x dpi + 0.9).
int bitmapPixelsPerMetre(int dpi);

// The complete bitmap file for an image (Format_RGB32 pixels); empty on failure.
QByteArray encodeBitmapFile(const QImage& image, int bitDepth, int dpi);

// Writes the file; on failure returns false with a message and leaves no file of that name
// (an existing file is kept untouched).
bool writeImageFile(const QImage& image, const QString& path, const ImageFileOptions& options,
                    QString* error = nullptr);

} // namespace tobirae
