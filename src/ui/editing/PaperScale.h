// A layout following a new paper, and where a new item lands on the paper.
#pragma once

#include <vector>

#include "document/LayoutItem.h"

#include <QPointF>
#include <QRectF>
#include <QSize>

namespace tobirae {

// One factor for both directions, so every item keeps its shape, and the offset that centres
// the scaled page on the new one.
struct PaperScale {
    double factor = 1;
    QPointF offset;

    bool operator==(const PaperScale&) const = default;
};

// The scale that fits a page of `from` canvas pixels into one of `to`. Factor 1 and no offset
// when either page is empty.
PaperScale paperScale(QSize from, QSize to);

// The item as it stands on the scaled page: position, drawing area, design size, font sizes and
// the places inside the item that are measured in design pixels (the texts of a day cell and
// the dividing lines). A picture's design size is its file's own size and stays.
void scaleItem(LayoutItem& item, const PaperScale& scale);

// A new item's top-left and drawing area: at the top-left corner of the part of the page that
// is visible (`visible`, canvas pixels; empty means the page's own corner), and no larger than
// the paper (`canvas`) with its view frame, keeping its shape. When that corner is `taken` by
// items already there (their views), it goes below the lowest of them, if it fits on the paper.
QRectF newItemPlacement(QSizeF drawingArea, const QRectF& visible, QSize canvas,
                        const std::vector<QRectF>& taken = {});

} // namespace tobirae
