// The main window's edit lines and grid: showing them, dragging the lines, and moving the lines
// to an item's edges. None of this changes the layout, so none of it is on the undo stack.
#include "ui/dialogs/SFrm_State.h"
#include "ui/editing/Placement.h"
#include "ui/main/CanvasView.h"
#include "ui/main/EditLineItem.h"
#include "ui/main/ItemView.h"
#include "ui/main/SFrm_Main.h"

#include <QAction>
#include <QGraphicsScene>
#include <QMenu>
#include <algorithm>
#include <array>
#include <utility>

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
    prepareGuideEntries(document().currentSlot());
    return true;
}

void SFrm_Main::prepareGuideEntries(int slot) {
    const bool item = document().isLive(slot);
    const EditLines lines = editLines();
    const bool vertical = item && lines.shown[0];
    const bool horizontal = item && lines.shown[1];
    for (QAction* action :
         {menus_.moveLeft, menus_.moveRight, menus_.moveTop, menus_.moveBottom, menus_.placement})
        action->setEnabled(item);
    for (QAction* action :
         {menus_.combineLeft, menus_.combineRight, menus_.editLineLeft, menus_.editLineRight})
        action->setEnabled(vertical);
    for (QAction* action :
         {menus_.combineTop, menus_.combineBottom, menus_.editLineTop, menus_.editLineBottom})
        action->setEnabled(horizontal);
    menus_.editLineMenu->menuAction()->setVisible(lines.shown[0] || lines.shown[1]);
}

void SFrm_Main::connectGuideCommands() {
    const std::array<std::pair<QAction*, Edge>, 4> lineMoves{
        {{menus_.editLineLeft, Edge::Left},
         {menus_.editLineRight, Edge::Right},
         {menus_.editLineTop, Edge::Top},
         {menus_.editLineBottom, Edge::Bottom}}};
    for (const auto& [action, edge] : lineMoves)
        connect(action, &QAction::triggered, this, [this, edge] { moveEditLineToItem(edge); });
    const std::array<std::pair<QAction*, Edge>, 4> edgeMoves{{{menus_.moveLeft, Edge::Left},
                                                              {menus_.moveRight, Edge::Right},
                                                              {menus_.moveTop, Edge::Top},
                                                              {menus_.moveBottom, Edge::Bottom}}};
    for (const auto& [action, edge] : edgeMoves)
        connect(action, &QAction::triggered, this,
                [this, edge] { moveItemToEdge(document().currentSlot(), edge); });
    const std::array<std::pair<QAction*, Edge>, 4> combines{{{menus_.combineLeft, Edge::Left},
                                                             {menus_.combineRight, Edge::Right},
                                                             {menus_.combineTop, Edge::Top},
                                                             {menus_.combineBottom, Edge::Bottom}}};
    for (const auto& [action, edge] : combines)
        connect(action, &QAction::triggered, this,
                [this, edge] { moveItemToEditLine(document().currentSlot(), edge); });
    connect(menus_.placement, &QAction::triggered, this,
            [this] { placeItemByDialog(document().currentSlot()); });
}

bool SFrm_Main::moveItemToEdge(int slot, Edge edge) {
    if (!document().isLive(slot))
        return false;
    static const std::array<QString, 4> texts{
        QStringLiteral("左端に移動"), QStringLiteral("右端に移動"), QStringLiteral("上端に移動"),
        QStringLiteral("下端に移動")};
    const QPointF to = edgeMoveTarget(document().item(slot), edge, editor_->canvasSize());
    return editor_->placeItem(slot, to, std::nullopt, texts[static_cast<std::size_t>(edge)]);
}

bool SFrm_Main::moveItemToEditLine(int slot, Edge edge) {
    const EditLines lines = editLines();
    const bool vertical = edge == Edge::Left || edge == Edge::Right;
    if (!document().isLive(slot) || !lines.shown[vertical ? 0 : 1])
        return false;
    static const std::array<QString, 4> texts{
        QStringLiteral("左端に合わせる"), QStringLiteral("右端に合わせる"),
        QStringLiteral("上端に合わせる"), QStringLiteral("下端に合わせる")};
    const QPointF to = lineMoveTarget(document().item(slot), edge, lines);
    return editor_->placeItem(slot, to, std::nullopt, texts[static_cast<std::size_t>(edge)]);
}

bool SFrm_Main::placeItemByDialog(int slot) {
    if (!document().isLive(slot))
        return false;
    const LayoutItem& item = document().item(slot);
    // The dialog shows the view, as the position display does: 4 pixels more than the drawing.
    const BoxValues shown{item.Left, item.Top, item.Width + kViewFrame, item.Height + kViewFrame};
    SFrm_State dialog(shown, this);
    if (dialog.exec() != QDialog::Accepted || dialog.values() == shown)
        return false;
    const BoxValues& box = dialog.values();
    const QSizeF drawing(std::max(1.0, double(box.width) - kViewFrame),
                         std::max(1.0, double(box.height) - kViewFrame));
    return editor_->placeItem(slot, QPointF(box.x, box.y), drawing, QStringLiteral("配置指定"));
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
