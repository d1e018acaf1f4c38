#include "bitmap/RenderContext.h"

#include "bitmap/ImageCanvas.h"

namespace tobirae {

RenderContext::RenderContext()
    : surfaceFactory([](int width, int height, int) -> std::unique_ptr<Canvas> {
          auto canvas = std::make_unique<ImageCanvas>(width, height);
          if (canvas->isNull())
              return nullptr;
          return canvas;
      }) {}

RenderContext::~RenderContext() = default;

} // namespace tobirae
