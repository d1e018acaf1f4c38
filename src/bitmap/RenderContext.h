// RenderContext: all state of the drawing layer for one page or preview being rendered: page
// bitmap, item surface, clip size, page scale, resolutions and the current font. Nothing of it is
// global, so two pages render on two threads with two contexts. Renderers receive it from the
// frame and pass it to every primitive; they read pageScaleX/Y only through currentPageScale.
#pragma once

#include "bitmap/Canvas.h"
#include "calendar/WorkingDays.h"
#include "document/TextStyle.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace tobirae {

// Layout pixels are 1/96 inch on every machine.
inline constexpr int kLayoutDpi = 96;
// Bits per pixel of the surfaces when asked for "the screen's depth" (-1).
inline constexpr int kScreenBitDepth = 32;

class ImagePool;
class OwnDayTable;
class PictureCache;

// Creates a surface of the given pixel size; bit depth is always resolved (never -1).
using SurfaceFactory = std::function<std::unique_ptr<Canvas>(int width, int height, int bitDepth)>;

struct RenderContext {
    RenderContext();
    ~RenderContext();
    RenderContext(const RenderContext&) = delete;
    RenderContext& operator=(const RenderContext&) = delete;

    std::unique_ptr<Canvas> pageBitmap;
    int pageBitDepth = 0;

    std::unique_ptr<Canvas> itemSurface;
    int itemSurfaceWidth = 0;
    int itemSurfaceHeight = 0;

    int clipWidth = 0;
    int clipHeight = 0;

    float pageScaleX = 1;
    float pageScaleY = 1;

    int screenDpi = kLayoutDpi;
    int pageDpi = kLayoutDpi;

    FontSpec currentFont;
    // The current font's face name trimmed and substituted, kept while the name stays the same.
    struct ResolvedFace {
        decltype(FontSpec::FaceName) name;
        QString face;
        QString family;
    };
    std::optional<ResolvedFace> currentFace;

    // Default: ImageCanvas. Tests install RecordingCanvas (useRecordingSurfaces).
    SurfaceFactory surfaceFactory;

    // Canvas used for measuring when no surface is given and none exists (created on demand).
    std::unique_ptr<Canvas> measureCanvas;

    // Where the default surfaces take their pixel memory from and return it to; nullptr: fresh
    // memory every time. A pool serves one thread at a time.
    ImagePool* imagePool = nullptr;

    // The user's own days of the layout being drawn (days off, working days, names); nullptr:
    // only the national calendar.
    const OwnDayTable* ownDays = nullptr;
    // The layout's weekly days off, for the working-day counts of text items.
    WeeklyDaysOff weeklyDaysOff = kDefaultWeeklyDaysOff;
    // Pictures decoded for the whole job the page belongs to; nullptr: decoded at every draw.
    PictureCache* pictures = nullptr;
};

} // namespace tobirae
