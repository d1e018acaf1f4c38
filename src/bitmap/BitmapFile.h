// The bitmap file encoder: the page's pixels as a ".BMP" (32 or 24 bits, bottom-up rows,
// resolution fields from the page resolution).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

class QIODevice;

namespace tobirae {

// The complete bitmap file for an image (Format_RGB32 pixels); empty on failure.
QByteArray encodeBitmapFile(const QImage& image, int bitDepth, int dpi);

// The bitmap file for an image (Format_RGB32 pixels) onto the device; false when the device
// refuses the bytes.
bool writeBitmapFile(QIODevice& device, const QImage& image, int bitDepth, int dpi);

} // namespace tobirae
