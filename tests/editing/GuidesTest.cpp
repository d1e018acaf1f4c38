// Grid snapping, the edit lines and the moves that align an item with the page or the lines.
#include "ui/editing/Guides.h"

#include "ui/editing/GridSnap.h"

#include <gtest/gtest.h>

using namespace tobirae;

namespace {

constexpr QSize kA4(794, 1123);

TEST(GridSnap, CoordinatesLandOnTheLineAtOrBeforeThem) {
    const struct {
        double pixels;
        int spacing;
        double snapped;
    } cases[] = {
        {37, 60, 36},                  // 555 twips -> 540
        {36, 60, 36},                  // already on a line
        {35.99, 60, 36},               // 539.85 twips round to the line itself, not to 35.99
        {365.5, 60, 364},              // a centred item: 5482.5 -> 5482 -> 5460
        {39.97, 60, 40},               // 599.55 twips round onto the line at 600
        {11, 50, 10},                  // 165 -> 150
        {3.4, 24, 3.2},                // 51 -> 48
        {-1, 60, -4},                  // left of the page: the line before is the more negative one
        {0, 60, 0},       {37, 0, 37}, // no grid
        {37, -60, 37},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(snapToGrid(c.pixels, c.spacing, 15), c.snapped)
            << c.pixels << " spacing " << c.spacing;
}

TEST(GridSnap, EachAxisUsesItsOwnSpacingAndSkipsFixedCoordinates) {
    GridSnap grid{true, 60, 120, 15};
    EXPECT_EQ(grid.apply({37, 37}), QPointF(36, 32));
    EXPECT_EQ(grid.apply({37, 37}, true, false), QPointF(37, 32));
    EXPECT_EQ(grid.apply({37, 37}, false, true), QPointF(36, 37));
    grid.on = false;
    EXPECT_EQ(grid.apply({37, 37}), QPointF(37, 37));
    grid = GridSnap{true, 0, -1, 15};
    EXPECT_EQ(grid.apply({37.5, 41}), QPointF(37.5, 41));
}

TEST(EditLines, ReleasingALine) {
    const struct {
        EditLinePair before;
        int index;
        double at;
        bool symmetric;
        int extent;
        EditLinePair after;
    } cases[] = {
        {{0, 0}, 0, 100, true, 800, {100, 700}},
        {{100, 700}, 0, 500, true, 800, {300, 500}}, // line 0 crosses the centre: roles swap
        {{100, 700}, 0, 400, true, 800, {400, 400}},
        {{100, 700}, 1, 650, true, 800, {150, 650}},
        {{100, 700}, 1, 300, true, 800, {300, 500}},
        {{100, 700}, 1, 400, true, 800, {400, 400}},
        {{0, 0}, 0, 396, true, 793, {396, 397}}, // odd width: line 0 never beyond line 1
        {{0, 0}, 1, 397, true, 793, {396, 397}},
        {{100, 700}, 0, 500, false, 800, {500, 700}}, // without symmetry only that line moves
        {{100, 700}, 1, 50, false, 800, {100, 50}},
    };
    for (const auto& c : cases) {
        const EditLinePair after = releaseEditLine(c.before, c.index, c.at, c.symmetric, c.extent);
        EXPECT_EQ(after, c.after) << "line " << c.index << " at " << c.at << " -> " << after.first
                                  << ", " << after.second;
    }
}

TEST(EditLines, ShownLines) {
    const struct {
        EditLinePair lines;
        bool shown;
        bool symmetric;
        EditLinePair at;
        bool first;
        bool second;
    } cases[] = {
        {{0, 0}, true, false, {400, 0}, true, false}, // a single line, started in the middle
        {{-5, 0}, true, true, {400, 400}, true, true},
        {{100, 700}, true, true, {100, 700}, true, true},
        {{0, 0}, false, true, {0, 0}, false, false},
    };
    for (const auto& c : cases) {
        const ShownPair shown = showEditLines(c.lines, c.shown, c.symmetric, 800);
        EXPECT_EQ(shown.at, c.at);
        EXPECT_EQ(shown.firstShown, c.first);
        EXPECT_EQ(shown.secondShown, c.second);
    }
}

TEST(EditLines, MovedToAnItemEdge) {
    const EditLinePair lines{100, 700};
    // Near edge: line 0 goes there; a symmetric pair is put in order again, while without
    // symmetric move the hidden line 1 never takes the shown line's place.
    EXPECT_EQ(lineToNearEdge(lines, 50, true), (EditLinePair{50, 700}));
    EXPECT_EQ(lineToNearEdge(lines, 750, true), (EditLinePair{700, 750}));
    EXPECT_EQ(lineToNearEdge({400, 0}, 60, false), (EditLinePair{60, 0}));
    // Far edge with symmetric move: line 1 goes there, line 0 first taking its place when the
    // edge lies before line 0. No mirroring.
    EXPECT_EQ(lineToFarEdge(lines, 650, true), (EditLinePair{100, 650}));
    EXPECT_EQ(lineToFarEdge(lines, 50, true), (EditLinePair{700, 50}));
    // Without: the single line 0 goes there, line 1 keeping line 0's place when passed.
    EXPECT_EQ(lineToFarEdge(lines, 750, false), (EditLinePair{750, 700}));
    EXPECT_EQ(lineToFarEdge(lines, 650, false), (EditLinePair{650, 100}));
}

LayoutItem boxAt(float left, float top, float width, float height) {
    LayoutItem item;
    item.Live = kTrue;
    item.Left = left;
    item.Top = top;
    item.Width = width;
    item.Height = height;
    return item;
}

TEST(ItemMoves, EdgeMovesAndMovesAgainstTheLinesIgnoreTheLocks) {
    LayoutItem item = boxAt(10.5f, 20, 196, 96); // a view of 200 x 100
    item.XLocked = item.YLocked = kTrue;
    EXPECT_EQ(edgeMoveTarget(item, Edge::Left, kA4), QPointF(0, 20));
    EXPECT_EQ(edgeMoveTarget(item, Edge::Right, kA4), QPointF(594, 20));
    EXPECT_EQ(edgeMoveTarget(item, Edge::Top, kA4), QPointF(10.5, 0));
    EXPECT_EQ(edgeMoveTarget(item, Edge::Bottom, kA4), QPointF(10.5, 1023));

    EditLines lines;
    lines.pairs = {EditLinePair{100, 700}, EditLinePair{150, 900}};
    lines.shown = {true, true};
    lines.symmetric = {true, false};
    EXPECT_EQ(lineMoveTarget(item, Edge::Left, lines), QPointF(100, 20));
    EXPECT_EQ(lineMoveTarget(item, Edge::Right, lines), QPointF(504, 20)); // right edge on V1
    EXPECT_EQ(lineMoveTarget(item, Edge::Top, lines), QPointF(10.5, 150));
    EXPECT_EQ(lineMoveTarget(item, Edge::Bottom, lines), QPointF(10.5, 54)); // bottom on H0
    lines.symmetric = {false, true};
    EXPECT_EQ(lineMoveTarget(item, Edge::Right, lines), QPointF(-96, 20));
    EXPECT_EQ(lineMoveTarget(item, Edge::Bottom, lines), QPointF(10.5, 804));
}

TEST(GuideMenu, ChecksFollowTheLocksAndEntriesTheShownLines) {
    LayoutItem item = boxAt(0, 0, 10, 10);
    item.XLocked = item.VCenterLocked = kTrue;
    EditLines lines;
    lines.shown = {true, false};
    EXPECT_EQ(guideMenuState(item, lines),
              (GuideMenuState{true, false, false, true, true, false, true}));
    item = boxAt(0, 0, 10, 10);
    item.YLocked = item.HCenterLocked = kTrue;
    lines.shown = {false, true};
    EXPECT_EQ(guideMenuState(item, lines),
              (GuideMenuState{false, true, true, false, false, true, true}));
    lines.shown = {false, false};
    EXPECT_FALSE(guideMenuState(item, lines).editLineMenu);
}

TEST(PrintGuides, BleedLineOutsideAndSafetyLineInsideTheTrim) {
    // A4 portrait on the canvas: 793.7 x 1122.5 layout pixels; 3 mm is 11.34 of them.
    const QSizeF paper(793.7, 1122.5);
    const double mm3 = 3 * 96 / 25.4;
    const PrintGuideRects rects = printGuideRects(paper, 3);
    EXPECT_NEAR(rects.bleed.left(), -mm3, 1e-9);
    EXPECT_NEAR(rects.bleed.bottom(), paper.height() + mm3, 1e-9);
    EXPECT_NEAR(rects.safety.top(), mm3, 1e-9);
    EXPECT_NEAR(rects.safety.right(), paper.width() - mm3, 1e-9);
    // The bleed follows the dialog's, bounded; the safety margin stays 3 mm.
    EXPECT_NEAR(printGuideRects(paper, 5).bleed.left(), -5 * 96 / 25.4, 1e-9);
    EXPECT_NEAR(printGuideRects(paper, 50).bleed.left(), -10 * 96 / 25.4, 1e-9);
    EXPECT_EQ(printGuideRects(paper, 0).bleed, QRectF(QPointF(0, 0), paper));
    EXPECT_NEAR(printGuideRects(paper, 0).safety.left(), mm3, 1e-9);
    // A paper narrower than two margins keeps a line, in its middle.
    const PrintGuideRects tiny = printGuideRects(QSizeF(10, 100), 3);
    EXPECT_FALSE(tiny.safety.width() < 0);
}

} // namespace
