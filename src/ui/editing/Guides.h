// The edit lines and the moves that align an item with the page or with them. Two vertical lines
// (V0, V1) hold X positions, two horizontal ones (H0, H1) Y positions, in layout pixels. With
// symmetric move on, line 0 stays in the first half of the page and line 1 mirrors it. The lines
// are editor state: neither saved with the layout nor part of its history.
#pragma once

#include "document/LayoutItem.h"

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <array>

namespace tobirae {

struct EditLinePair {
    double first = 0;  // V0 or H0
    double second = 0; // V1 or H1

    bool operator==(const EditLinePair&) const = default;
};

// Index 0: the vertical lines, 1: the horizontal ones (the order of the settings).
struct EditLines {
    std::array<EditLinePair, 2> pairs{};
    std::array<bool, 2> shown{};
    std::array<bool, 2> symmetric{};
};

struct ShownPair {
    EditLinePair at;
    bool firstShown = false;
    bool secondShown = false;
};

// A pair as the canvas shows it: line 0 while the lines are shown, line 1 only with symmetric
// move as well; a shown line at 0 or less starts in the middle of `extent`.
ShownPair showEditLines(EditLinePair lines, bool shown, bool symmetric, int extent);

// Line `index` (0 or 1) let go at `position` (already snapped). Without symmetric move only that
// line moves. With it, the pair is mirrored about the page centre and line 0 takes the half
// before the centre, so the two lines may exchange roles.
EditLinePair releaseEditLine(EditLinePair lines, int index, double position, bool symmetric,
                             int extent);

// "編集ラインを左端に合わせる" / "上端": line 0 to the item's near edge. With symmetric move the
// lines exchange places when line 0 then lies beyond line 1.
EditLinePair lineToNearEdge(EditLinePair lines, double edge, bool symmetric);
// "編集ラインを右端に合わせる" / "下端": with symmetric move line 1 goes to the far edge (line 0
// first taking line 1's place when the edge lies before line 0); without, line 0 goes there
// (line 1 first taking line 0's place when the edge lies before line 1).
EditLinePair lineToFarEdge(EditLinePair lines, double edge, bool symmetric);

enum class Edge { Left, Right, Top, Bottom };

// The item's top-left after "左端に移動" …: its view flush against that edge of the canvas; the
// other coordinate stays.
QPointF edgeMoveTarget(const LayoutItem& item, Edge edge, QSize canvas);
// The item's top-left after "左端に合わせる" …: its left (top) on line 0, or its right (bottom)
// edge on line 1 with symmetric move and on line 0 without.
QPointF lineMoveTarget(const LayoutItem& item, Edge edge, const EditLines& lines);

// What the "位置" and "編集ライン" submenus offer for an item.
struct GuideMenuState {
    bool xLocked = false; // check marks
    bool yLocked = false;
    bool hCenterLocked = false;
    bool vCenterLocked = false;
    bool leftRight = false; // moves against and of the vertical lines
    bool topBottom = false; // the same for the horizontal lines
    bool editLineMenu = false;

    bool operator==(const GuideMenuState&) const = default;
};
GuideMenuState guideMenuState(const LayoutItem& item, const EditLines& lines);

// The print guides around and inside the paper (layout pixels, the paper from (0, 0)): the bleed
// line `bleedMm` outside the trim and the safety line kSafetyMarginMm inside it.
struct PrintGuideRects {
    QRectF bleed;
    QRectF safety;
};
PrintGuideRects printGuideRects(const QSizeF& paper, double bleedMm);

} // namespace tobirae
