// ImagePool: surfaces' pixel memory kept for reuse. Fresh memory is costly to touch (every page is
// tens of megabytes), so a worker rendering page after page hands its released page bitmaps and
// item surfaces back here and gets them again for the next page of the same size. Not shared
// between threads: one pool per worker, set as RenderContext::imagePool.
#pragma once

#include <QImage>
#include <vector>

namespace tobirae {

// A Format_RGB32 image whose pixels are not initialised; large ones are backed by memory aligned
// for huge pages. Null when the memory is not there.
QImage allocateSurfaceImage(int width, int height);

class ImagePool {
public:
    explicit ImagePool(std::size_t capacity = 4) : capacity_(capacity) {}

    // An image of exactly this size (pixels left as they were), or a fresh one.
    QImage take(int width, int height);
    // Keeps the image for a later take; the oldest goes when the pool is full.
    void give(QImage image);

private:
    std::size_t capacity_;
    std::vector<QImage> images_;
};

} // namespace tobirae
