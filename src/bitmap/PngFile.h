// Internal: the page's pixels as a PNG file, written for speed. Pages are large and mostly flat
// colour, so the deflate runs at its fastest level over unfiltered rows with run-length matching,
// and an opaque page goes out as 24-bit RGB; the resolution goes into the pHYs chunk.
#pragma once

#include <QImage>

class QIODevice;

namespace tobirae {

// False when the image is null or the device refuses the bytes.
bool writePngFile(QIODevice& device, const QImage& image, int dpi);

} // namespace tobirae
