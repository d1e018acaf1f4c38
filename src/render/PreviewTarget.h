// PreviewTarget: an on-screen item view as the renderer sees it. Its size is in layout pixels
// (the item's Width/Height + 4); its canvas is deviceScale() times finer. The editor implements it
// on a QImage; tests on a RecordingCanvas. Kind renderers do not use it directly: ItemDrawScope
// clears it and sets the scales and clip size. Its size is decided before drawing (the editor
// asks contentSize); the renderer never changes it.
#pragma once

#include "bitmap/Canvas.h"

#include <QSize>

namespace tobirae {

class PreviewTarget {
public:
    virtual ~PreviewTarget() = default;

    // Size of the view in layout pixels.
    virtual QSize size() const = 0;
    // Device pixels: size() x deviceScale(), rounded.
    virtual Canvas* canvas() = 0;
    // Clears the whole view to the item's background colour.
    virtual void clear(Colour background) = 0;
    // Zoom x device-pixel ratio; 1 draws exactly the screen target.
    virtual float deviceScale() const { return 1; }
    // Called once the renderer has finished (the editor refreshes the view).
    virtual void finished() {}
};

} // namespace tobirae
