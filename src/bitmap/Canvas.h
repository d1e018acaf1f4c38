// Canvas: a pixel target in device pixels with the handful of drawing calls the primitives need.
// Kind renderers never call a Canvas directly: they go through Primitives.h, which scales and
// rounds layout coordinates and then calls these. Implementations: ImageCanvas (QImage),
// PainterCanvas (any QPainter device: PDF, printer) and RecordingCanvas (keeps the calls: item
// surfaces of a PainterCanvas page, and what tests read).
#pragma once

#include "document/TextStyle.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

class QImage;

namespace tobirae {

// GDI pen styles (the primitives always ask for a geometric pen).
enum PenStyle : int {
    PenSolid = 0,
    PenDash = 1,
    PenDot = 2,
    PenDashDot = 3,
    PenDashDotDot = 4,
    PenNull = 5,
};

// GDI brush styles and hatch patterns.
enum BrushStyle : int {
    BrushSolid = 0,
    BrushNull = 1,
    BrushHatched = 2,
};
enum HatchStyle : int {
    HatchHorizontal = 0,
    HatchVertical = 1,
    HatchForwardDiagonal = 2,
    HatchBackwardDiagonal = 3,
    HatchCross = 4,
    HatchDiagonalCross = 5,
};

// A font as the canvas draws it: everything derived from a FontSpec at one height.
struct ResolvedFont {
    QString family;    // installed family after substitution (never empty)
    int height = 0;    // GDI height: < 0 em height in pixels, > 0 cell height, 0 default
    bool bold = false; // weight 700 (else 400)
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int escapement = 0;           // tenths of a degree, counter-clockwise; 2700 runs downward
    bool verticalWriting = false; // "@" face with escapement 2700: stacked, CJK upright

    bool operator==(const ResolvedFont&) const = default;
};

struct TextExtent {
    int width = 0;
    int height = 0;
    bool operator==(const TextExtent&) const = default;
};

// Background colour of an opaque text or hatch background (GDI's default background).
inline constexpr Colour kDefaultBackground = 0x00FFFFFF;

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;

    // A canvas may hold only a window of a larger surface: every coordinate passed in is in the
    // larger surface, and the window's first pixel lies at origin() there.
    QPoint origin() const { return origin_; }
    void setOrigin(QPoint origin) { origin_ = origin; }

    // Extent of the text along its own direction (width) and its cell height, unrotated.
    virtual TextExtent textExtent(const ResolvedFont& font, const QString& text) = 0;

    // (x, y) is the top-left of the text cell in the text's own (possibly rotated) frame.
    virtual bool drawText(const ResolvedFont& font, int x, int y, const QString& text,
                          Colour colour, bool transparentBackground) = 0;

    // The end point is not painted; no anti-aliasing.
    virtual bool drawLine(int x1, int y1, int x2, int y2, Colour colour, int penWidth, int penStyle,
                          bool transparentBackground) = 0;

    // Interior only, pixels left..right-1 and top..bottom-1; the caller draws the edges.
    virtual bool fillRect(int left, int top, int right, int bottom, Colour colour, int brushStyle,
                          int hatch, bool transparentBackground) = 0;

    // Copies w x h pixels of source at (sx, sy) to (x, y), leaving out the transparent colour.
    virtual bool blit(int x, int y, int w, int h, const Canvas& source, int sx, int sy,
                      std::optional<Colour> transparentColour) = 0;

    // Draws `part` of a picture stretched to `dest`, painting only inside `visible` (both in the
    // canvas's coordinates), with opacity 0..255. The default copies the stretched picture
    // through blit.
    virtual bool drawPicture(const QRect& dest, const QRect& visible, const QImage& part,
                             int opacity);

    // The pixels, when the canvas has any (ImageCanvas); nullptr otherwise.
    virtual const QImage* image() const { return nullptr; }

private:
    QPoint origin_;
};

} // namespace tobirae
