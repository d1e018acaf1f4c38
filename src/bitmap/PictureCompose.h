// Drawing a picture, stretched, onto a surface with a constant opacity.
#pragma once

#include "bitmap/Primitives.h"

#include <QImage>
#include <QRect>
#include <QString>

namespace tobirae {

// Draws the picture file onto the surface (dc nullptr: the page bitmap with the page scale) at
// (x, y) layout pixels, stretched to width x height, with opacity 0 (invisible) .. 255 (opaque).
// The destination is round-half-even(scale x x), round-half-even(scale x y), Fix(scale x width +
// 0.5) wide and Fix(scale x height + 0.5) + 1 high. A source value of -1 means its default (0 for
// x and y, the whole picture for width and height); the source rectangle is used only when
// useSource is set. False, with nothing drawn, when the picture cannot be loaded.
bool composePictureFile(RenderContext& ctx, const DrawSurface& surface, const QString& path,
                     int opacity, float x, float y, float width, float height, int sourceX = -1,
                     int sourceY = -1, int sourceWidth = -1, int sourceHeight = -1,
                     bool useSource = false);

// The same for a picture already decoded; source is a rectangle of the picture (a null rectangle
// means the whole picture).
bool composePicture(RenderContext& ctx, const DrawSurface& surface, const QImage& picture,
                          int opacity, float x, float y, float width, float height,
                          QRect source = {});

} // namespace tobirae
