// The main window's edit lines and grid: showing them, dragging the lines, and moving the lines
// to an item's edges. None of this changes the layout, so none of it is on the undo stack.
#include "ui/main/CanvasView.h"
#include "ui/main/EditLineItem.h"
#include "ui/main/ItemView.h"
#include "ui/main/SFrm_Main.h"

#include <QAction>
#include <QGraphicsScene>
#include <QMenu>
#include <algorithm>

namespace tobirae {

namespace {

int pageExtent(const PageValues& page, int axis) {
    return axis == 0 ? page.CanvasWidth : page.CanvasHeight;
}

} // namespace

void SFrm_Main::buildEditLines() {
    for (int axis = 0; axis < 2; ++axis) {
        for (int index = 0; index < 2; ++index) {
            auto* line = new EditLineItem(axis == 0 ? Qt::Vertical : Qt::Horizontal, index);
            line->setObjectName(QStringLiteral("%1Bar%2").arg(axis == 0 ? 'V' : 'H').arg(index));
            line->hide();
            scene_->addItem(line);
            connect(line, &EditLineItem::released, this,
                    [this, axis](int i, double at) { editLineReleased(axis, i, at); });
            editLineItems_[static_cast<std::size_t>(axis)][static_cast<std::size_t>(index)] = line;
        }
    }
}

EditLineItem* SFrm_Main::editLine(int axis, int index) const {
    if (axis < 0 || axis > 1 || index < 0 || index > 1)
        return nullptr;
    return editLineItems_[static_cast<std::size_t>(axis)][static_cast<std::size_t>(index)];
}

EditLines SFrm_Main::editLines() const {
    EditLines lines;
    lines.pairs = editLinePairs_;
    lines.shown = settings_.EditLineShown;
    lines.symmetric = settings_.EditLineSnap;
    return lines;
}

GridSnap SFrm_Main::gridSnap() const {
    return GridSnap{settings_.GridSnap[0], settings_.GridX[0], settings_.GridY[0], kTwipsPerPixel};
}

bool SFrm_Main::Fnc_VHBarDisp() {
    for (std::size_t axis = 0; axis < 2; ++axis) {
        editLinePairs_[axis] = showEditLines(editLinePairs_[axis], settings_.EditLineShown[axis],
                                             settings_.EditLineSnap[axis],
                                             pageExtent(document().page, static_cast<int>(axis)))
                                   .at;
    }
    showEditLineItems();
    return true;
}

void SFrm_Main::showEditLineItems() {
    const QSizeF page(document().page.CanvasWidth, document().page.CanvasHeight);
    for (std::size_t axis = 0; axis < 2; ++axis) {
        const ShownPair shown =
            showEditLines(editLinePairs_[axis], settings_.EditLineShown[axis],
                          settings_.EditLineSnap[axis], pageExtent(document().page, int(axis)));
        const std::array<bool, 2> visible{shown.firstShown, shown.secondShown};
        const std::array<double, 2> at{editLinePairs_[axis].first, editLinePairs_[axis].second};
        for (std::size_t index = 0; index < 2; ++index) {
            EditLineItem* line = editLineItems_[axis][index];
            line->setPageSize(page);
            line->setZoom(canvasView_->zoom());
            line->setPosition(at[index]);
            line->setVisible(visible[index]);
        }
    }
}

void SFrm_Main::editLineReleased(int axis, int index, double position) {
    const auto a = static_cast<std::size_t>(axis);
    const GridSnap grid = gridSnap();
    if (grid.on)
        position =
            snapToGrid(position, axis == 0 ? grid.spacingX : grid.spacingY, grid.twipsPerPixel);
    editLinePairs_[a] =
        releaseEditLine(editLinePairs_[a], index, position, settings_.EditLineSnap[a],
                        pageExtent(document().page, axis));
    showEditLineItems();
}

bool SFrm_Main::Fnc_SetEditLineMenu() {
    const EditLines lines = editLines();
    const bool vertical = lines.shown[0];
    const bool horizontal = lines.shown[1];
    menus_.combineLeft->setEnabled(vertical);
    menus_.combineRight->setEnabled(vertical);
    menus_.combineTop->setEnabled(horizontal);
    menus_.combineBottom->setEnabled(horizontal);
    menus_.editLineLeft->setEnabled(vertical);
    menus_.editLineRight->setEnabled(vertical);
    menus_.editLineTop->setEnabled(horizontal);
    menus_.editLineBottom->setEnabled(horizontal);
    menus_.editLineMenu->menuAction()->setVisible(vertical || horizontal);
    return true;
}

bool SFrm_Main::moveEditLineToItem(Edge edge) {
    const int slot = document().currentSlot();
    if (!document().isLive(slot) || !itemView(slot))
        return false;
    const LayoutItem& item = document().item(slot);
    const EditLines lines = editLines();
    const std::size_t axis = (edge == Edge::Left || edge == Edge::Right) ? 0 : 1;
    if (!lines.shown[axis])
        return false;
    EditLinePair& pair = editLinePairs_[axis];
    switch (edge) {
    case Edge::Left:
        pair = lineToNearEdge(pair, item.Left, lines.symmetric[0]);
        break;
    case Edge::Top:
        pair = lineToNearEdge(pair, item.Top, lines.symmetric[1]);
        break;
    case Edge::Right:
        pair = lineToFarEdge(pair, item.Left + item.Width, lines.symmetric[0]);
        break;
    case Edge::Bottom:
        pair = lineToFarEdge(pair, item.Top + item.Height, lines.symmetric[1]);
        break;
    }
    showEditLineItems();
    return true;
}

} // namespace tobirae
