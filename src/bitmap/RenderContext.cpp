#include "bitmap/RenderContext.h"

#include "bitmap/ImageCanvas.h"

namespace tobirae {

// New surfaces start white, whether their memory is fresh or reused.
RenderContext::RenderContext()
    : surfaceFactory([this](int width, int height, int) -> std::unique_ptr<Canvas> {
          QImage image =
              imagePool ? imagePool->take(width, height) : allocateSurfaceImage(width, height);
          if (image.isNull())
              return nullptr;
          image.fill(rgbFromColour(kDefaultBackground));
          return std::make_unique<ImageCanvas>(std::move(image), imagePool);
      }) {}

RenderContext::~RenderContext() = default;

} // namespace tobirae
