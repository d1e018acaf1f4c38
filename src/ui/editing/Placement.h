// Where an item goes: centring on the page, the position locks applied after a move, arrow-key
// steps and the point a pasted item lands on. Plain functions over records, so the rules are the
// same for the mouse, the keyboard and every command that places an item.
#pragma once

#include "document/ItemFrame.h"
#include "document/LayoutDocument.h"
#include "document/LayoutItem.h"

#include <QPointF>
#include <QSize>
#include <optional>

namespace tobirae {

// Left (or top) that centres the box of a drawing area of `extent` (the area and its item frame,
// which the page draws) on an area of `areaExtent` (the paper, see EditorDocument::centringArea).
float centredCoordinate(double areaExtent, float extent);

// The outcome of the constraint pass: the position and which coordinates a lock decided.
struct ConstrainedPosition {
    QPointF topLeft;
    bool xFixed = false;
    bool yFixed = false;
};

// The lock part of the constraint pass for an item proposed at `proposed`: XLocked returns the
// left to the anchor, HCenterLocked centres horizontally, YLocked and VCenterLocked likewise for
// the top. Grid snapping follows as a further rule over the coordinates no lock fixed.
ConstrainedPosition applyPositionLocks(const LayoutItem& item, LockAnchor anchor, QPointF proposed,
                                       QSizeF centringArea);

// Whether a drag may move the item: not when it is fixed in both directions, locked by "ロック"
// (MoveLocked) or when every item's mouse movement is locked.
bool dragAllowed(const LayoutItem& item, bool allItemsLocked);

// Arrow-key step by (dx, dy) of one pixel: nullopt when the item does not move (MoveLocked, the
// direction fixed by a lock, or already against the edge). Left and up stop at 0; right and down
// stop with the view flush against the canvas edge.
std::optional<QPointF> nudgedPosition(const LayoutItem& item, int dx, int dy, QSize canvas);

// Top-left of a pasted item: centred on `point` when the paste came from the canvas popup menu,
// otherwise the canvas corner; never negative.
QPointF pastePosition(const LayoutItem& item, std::optional<QPointF> point);

} // namespace tobirae
