// Page image files, BMP or PNG, always written to a temporary file and renamed into place so a
// failure never leaves a partial file. Export and savePageBitmap use it.
#pragma once

#include <QImage>
#include <QString>

namespace tobirae {

enum class ImageFileFormat { Bmp, Png };

struct ImageFileOptions {
    ImageFileFormat format = ImageFileFormat::Bmp;
    int bitDepth = 32; // 32 or 24 for bitmap files
    int dpi = 96;      // resolution fields
};

// Writes the file; on failure returns false with a message and leaves no file of that name
// (an existing file is kept untouched).
bool writeImageFile(const QImage& image, const QString& path, const ImageFileOptions& options,
                    QString* error = nullptr);

} // namespace tobirae
