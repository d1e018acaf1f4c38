#include "render/CropMarks.h"

#include "render/PrintShopOptions.h"

#include <QPainter>
#include <QPen>

namespace tobirae {

std::vector<QLineF> cropMarkLines(const QRectF& trim, double bleed, double unitsPerMm) {
    const QRectF out = trim.adjusted(-bleed, -bleed, bleed, bleed);
    const double length = kMarkLengthMm * unitsPerMm;
    std::vector<QLineF> lines;
    // Corner marks: each corner gets a horizontal and a vertical line on the trim line and on the
    // bleed line, running outwards from the bleed edge so none of them reaches into the bleed.
    for (const bool right : {false, true}) {
        for (const bool bottom : {false, true}) {
            const double edgeX = right ? out.right() : out.left();
            const double edgeY = bottom ? out.bottom() : out.top();
            const double farX = right ? edgeX + length : edgeX - length;
            const double farY = bottom ? edgeY + length : edgeY - length;
            for (const double y : {bottom ? trim.bottom() : trim.top(), edgeY})
                lines.emplace_back(edgeX, y, farX, y);
            for (const double x : {right ? trim.right() : trim.left(), edgeX})
                lines.emplace_back(x, edgeY, x, farY);
        }
    }
    // Centre marks: a line on the side's centre line and a cross line halfway out.
    const QPointF centre = trim.center();
    const double half = length / 2;
    const double start = 1 * unitsPerMm; // clear of the bleed edge
    for (const double side : {-1.0, 1.0}) {
        const double y0 = side < 0 ? out.top() : out.bottom();
        lines.emplace_back(centre.x(), y0 + side * start, centre.x(), y0 + side * length);
        const double crossY = y0 + side * (start + length) / 2;
        lines.emplace_back(centre.x() - half, crossY, centre.x() + half, crossY);
        const double x0 = side < 0 ? out.left() : out.right();
        lines.emplace_back(x0 + side * start, centre.y(), x0 + side * length, centre.y());
        const double crossX = x0 + side * (start + length) / 2;
        lines.emplace_back(crossX, centre.y() - half, crossX, centre.y() + half);
    }
    return lines;
}

void drawCropMarks(QPainter& painter, const QRectF& trim, double bleed, double unitsPerMm,
                   const QColor& colour) {
    painter.save();
    QPen pen(colour, kMarkWidthMm * unitsPerMm);
    // Flat ends: a line that starts at the bleed edge does not poke into it.
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const std::vector<QLineF> lines = cropMarkLines(trim, bleed, unitsPerMm);
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    painter.restore();
}

} // namespace tobirae
