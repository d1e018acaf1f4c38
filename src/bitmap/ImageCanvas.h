// ImageCanvas: a Canvas on a QImage (Format_RGB32: bytes B, G, R, 0xFF per pixel). Used for the
// page bitmap, item surfaces and editor previews. Renderers get one through the RenderContext's
// surface factory or a PreviewTarget; they never create one themselves.
#pragma once

#include "bitmap/Canvas.h"
#include "bitmap/ImagePool.h"
#include "bitmap/PainterInk.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <cstdint>
#include <optional>
#include <span>

namespace tobirae {

class ImageCanvas : public Canvas {
public:
    // A null image when the size is not positive or the memory is not there.
    ImageCanvas(int width, int height, Colour fill = kDefaultBackground);
    // Draws into an image owned elsewhere (an editor preview); the image must outlive the canvas.
    explicit ImageCanvas(QImage* external);
    // Takes the image as it is (converted to Format_RGB32 when needed); with a pool the pixels go
    // back to it when the canvas is destroyed.
    ImageCanvas(QImage image, ImagePool* pool);
    ~ImageCanvas() override;
    ImageCanvas(const ImageCanvas&) = delete;
    ImageCanvas& operator=(const ImageCanvas&) = delete;

    bool isNull() const { return target().isNull(); }
    int width() const override { return target().width(); }
    int height() const override { return target().height(); }

    TextExtent textExtent(const ResolvedFont& font, const QString& text) override;
    bool drawText(const ResolvedFont& font, int x, int y, const QString& text, Colour colour,
                  bool transparentBackground) override;
    bool drawLine(int x1, int y1, int x2, int y2, Colour colour, int penWidth, int penStyle,
                  bool transparentBackground) override;
    bool fillRect(int left, int top, int right, int bottom, Colour colour, int brushStyle,
                  int hatch, bool transparentBackground) override;
    bool blit(int x, int y, int w, int h, const Canvas& source, int sx, int sy,
              std::optional<Colour> transparentColour) override;
    bool drawPicture(const QRect& dest, const QRect& visible, const QImage& part,
                     int opacity) override;
    const QImage* image() const override { return &target(); }
    QImage& mutableImage() { return target(); }

private:
    bool drawWideLine(QImage& image, std::int64_t x1, std::int64_t y1, std::int64_t x2,
                      std::int64_t y2, Colour colour, int width, std::span<const int> pattern,
                      bool transparentBackground);
    QImage& target() { return external_ ? *external_ : own_; }
    const QImage& target() const { return external_ ? *external_ : own_; }

    QImage own_;
    QImage* external_ = nullptr;
    ImagePool* pool_ = nullptr;
    FontCache fonts_;
};

// Qt colour of a 0x00BBGGRR value.
unsigned int rgbFromColour(Colour colour);

// The picture stretched to dest's size and cut to the part inside visible (area-averaged, so
// downscaled photos stay free of moiré); null when that fails.
QImage stretchedPicture(const QRect& dest, const QRect& visible, const QImage& part);

} // namespace tobirae
