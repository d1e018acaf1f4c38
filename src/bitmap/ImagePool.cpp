#include "bitmap/ImagePool.h"

#include <cstdlib>
#include <sys/mman.h>

namespace tobirae {

namespace {

constexpr std::size_t kHugePage = 2u << 20;
// Below this the ordinary allocator is as good.
constexpr std::size_t kLargeImageBytes = 4u << 20;

void freeAligned(void* data) {
    std::free(data);
}

} // namespace

QImage allocateSurfaceImage(int width, int height) {
    if (width <= 0 || height <= 0)
        return {};
    const auto bytesPerLine = static_cast<qsizetype>(width) * 4;
    const auto bytes = static_cast<std::size_t>(bytesPerLine) * static_cast<std::size_t>(height);
    if (bytes / static_cast<std::size_t>(height) != static_cast<std::size_t>(bytesPerLine))
        return {};
    if (bytes < kLargeImageBytes)
        return QImage(width, height, QImage::Format_RGB32);
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* data = std::aligned_alloc(kHugePage, rounded);
    if (!data)
        return {};
    // Huge pages cut the cost of touching the memory for the first time.
    madvise(data, rounded, MADV_HUGEPAGE);
    return QImage(static_cast<uchar*>(data), width, height, bytesPerLine, QImage::Format_RGB32,
                  freeAligned, data);
}

QImage ImagePool::take(int width, int height) {
    for (auto it = images_.begin(); it != images_.end(); ++it) {
        if (it->width() == width && it->height() == height) {
            QImage image = std::move(*it);
            images_.erase(it);
            return image;
        }
    }
    return allocateSurfaceImage(width, height);
}

void ImagePool::give(QImage image) {
    if (image.isNull() || capacity_ == 0)
        return;
    if (images_.size() >= capacity_)
        images_.erase(images_.begin());
    images_.push_back(std::move(image));
}

} // namespace tobirae
