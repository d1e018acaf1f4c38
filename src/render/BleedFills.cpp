#include "render/BleedFills.h"

#include "bitmap/LineStyles.h"
#include "bitmap/PainterInk.h"

#include <QPainter>
#include <QRegion>
#include <QTransform>
#include <algorithm>
#include <cmath>

namespace tobirae {

std::optional<QRect> grownFill(const QRect& fill, const QRectF& box, const QSizeF& paper,
                               double bleed, double tolerance) {
    if (bleed <= 0)
        return std::nullopt;
    // Only what the item's surface shows of the fill counts.
    const QRectF shown = QRectF(fill).intersected(box);
    if (shown.isEmpty())
        return std::nullopt;
    QRectF grown = shown;
    bool grew = false;
    if (box.left() <= tolerance && shown.left() <= box.left() + tolerance) {
        grown.setLeft(std::min(shown.left(), -bleed));
        grew = true;
    }
    if (box.top() <= tolerance && shown.top() <= box.top() + tolerance) {
        grown.setTop(std::min(shown.top(), -bleed));
        grew = true;
    }
    if (box.right() >= paper.width() - tolerance && shown.right() >= box.right() - tolerance) {
        grown.setRight(std::max(shown.right(), paper.width() + bleed));
        grew = true;
    }
    if (box.bottom() >= paper.height() - tolerance && shown.bottom() >= box.bottom() - tolerance) {
        grown.setBottom(std::max(shown.bottom(), paper.height() + bleed));
        grew = true;
    }
    if (!grew)
        return std::nullopt;
    const QPoint first(static_cast<int>(std::floor(grown.left())),
                       static_cast<int>(std::floor(grown.top())));
    const QPoint end(static_cast<int>(std::ceil(grown.right())),
                     static_cast<int>(std::ceil(grown.bottom())));
    return QRect(first, end - QPoint(1, 1));
}

BleedPageCanvas::BleedPageCanvas(QPainter& painter, QSize size, std::shared_ptr<FontCache> fonts,
                                 QSizeF paper, double bleed, double tolerance,
                                 std::shared_ptr<const BleedItem> current)
    : PainterCanvas(painter, size, std::move(fonts)), painter_(painter), paper_(paper),
      bleed_(bleed), tolerance_(tolerance), current_(std::move(current)) {}

QRectF recordedTextRect(const DrawCall& text, TextExtent extent) {
    const QPointF at(text.x1, text.y1);
    if (text.font.verticalWriting && text.font.escapement == 2700)
        return QRectF(at + QPointF(-extent.height, 0), QSizeF(extent.height, extent.width));
    QTransform turn;
    turn.translate(at.x(), at.y());
    turn.rotate(-text.font.escapement / 10.0);
    return turn.mapRect(QRectF(0, 0, extent.width, extent.height));
}

bool BleedPageCanvas::blit(int x, int y, int w, int h, const Canvas& source, int sx, int sy,
                           std::optional<Colour> transparentColour) {
    const auto* recording = dynamic_cast<const RecordingCanvas*>(&source);
    if (!recording || !current_ || !current_->touchesEdge)
        return PainterCanvas::blit(x, y, w, h, source, sx, sy, transparentColour);
    const int dx = x - sx;
    const int dy = y - sy;
    struct Grown {
        QRect area;
        QRect fill;
        const DrawCall* call;
    };
    std::vector<Grown> grownFills;
    QRegion drawn; // texts, lines, pictures and fills of the item, on the page
    for (const DrawCall& call : recording->calls()) {
        if (call.kind == DrawCall::Text && !call.text.isEmpty()) {
            drawn += recordedTextRect(call, textExtent(call.font, call.text))
                         .translated(dx, dy)
                         .toAlignedRect();
            continue;
        }
        if (call.kind == DrawCall::Line) {
            // A one-pixel line covers its own pixels; a wider one half its width around them.
            const int half = call.penWidth > 1 ? (call.penWidth + 1) / 2 : 0;
            drawn += QRect(QPoint(std::min(call.x1, call.x2), std::min(call.y1, call.y2)),
                           QPoint(std::max(call.x1, call.x2), std::max(call.y1, call.y2)))
                         .translated(dx, dy)
                         .adjusted(-half, -half, half, half);
            continue;
        }
        if (call.kind == DrawCall::Picture || call.kind == DrawCall::Blit) {
            drawn += QRect(call.x1, call.y1, call.x2, call.y2).translated(dx, dy);
            continue;
        }
        // The item background grows by itself, also where no fill covers it.
        if (call.kind != DrawCall::Rect || call.brushStyle == BrushNull ||
            call.colour == current_->backColour)
            continue;
        const QRect fill(QPoint(call.x1 + dx, call.y1 + dy),
                         QPoint(call.x2 - 1 + dx, call.y2 - 1 + dy));
        drawn += fill;
        if (const auto grown = grownFill(fill, current_->box, paper_, bleed_, tolerance_)) {
            paintFill(*grown, call.colour, call.brushStyle, call.hatch, call.transparent);
            grownFills.push_back({*grown, fill, &call});
        }
    }
    const bool ok = PainterCanvas::blit(x, y, w, h, source, sx, sy, transparentColour);
    // What the item covered of a grown fill between its edge and the fill: the background it
    // starts with, closed unless something else is drawn there.
    const QRect surface = QRect(x, y, w, h) & current_->box.toAlignedRect();
    for (const Grown& g : grownFills) {
        const QRegion gap = QRegion(g.area & surface) - QRegion(g.fill);
        if (gap.isEmpty() || gap.intersects(drawn))
            continue;
        for (const QRect& part : gap)
            paintFill(part, g.call->colour, g.call->brushStyle, g.call->hatch, g.call->transparent);
    }
    return ok;
}

void BleedPageCanvas::paintFill(const QRect& area, Colour colour, int brushStyle, int hatch,
                                bool transparentBackground) {
    if (brushStyle == BrushSolid) {
        painter_.fillRect(area, qColour(colour));
        return;
    }
    // As the page draws a hatch: pixels whose pattern continues the one inside the paper.
    QImage pattern(area.size(), QImage::Format_ARGB32_Premultiplied);
    if (pattern.isNull())
        return;
    pattern.fill(transparentBackground ? QColor(Qt::transparent) : qColour(kDefaultBackground));
    {
        QPainter hatchPainter(&pattern);
        hatchPainter.setBrushOrigin(-area.topLeft());
        hatchPainter.fillRect(pattern.rect(), QBrush(qColour(colour), hatchPattern(hatch)));
    }
    painter_.drawImage(area.topLeft(), pattern);
}

} // namespace tobirae
