// The main window's edit lines and grid: showing them, dragging the lines, and moving the lines
// to an item's edges. None of this changes the layout, so none of it is on the undo stack.
#include "ui/dialogs/PositionDialog.h"
#include "ui/editing/Placement.h"
#include "ui/main/CanvasGuides.h"
#include "ui/main/EditLineItem.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QMenu>
#include <algorithm>
#include <array>
#include <utility>

namespace tobirae {

EditLineItem* MainWindow::editLine(int axis, int index) const {
    return guides_->editLine(axis, index);
}

EditLines MainWindow::editLines() const {
    return guides_->editLines();
}

GridSnap MainWindow::gridSnap() const {
    return guides_->gridSnap();
}

bool MainWindow::updateEditLineActions() {
    prepareGuideEntries(document().currentSlot());
    return true;
}

void MainWindow::prepareGuideEntries(int slot) {
    const bool item = document().isLive(slot);
    const GuideMenuState state =
        guideMenuState(item ? document().item(slot) : LayoutItem{}, editLines());
    const bool vertical = item && state.leftRight;
    const bool horizontal = item && state.topBottom;
    for (QAction* action :
         {menus_.moveLeft, menus_.moveRight, menus_.moveTop, menus_.moveBottom, menus_.placement})
        action->setEnabled(item);
    for (QAction* action :
         {menus_.combineLeft, menus_.combineRight, menus_.editLineLeft, menus_.editLineRight})
        action->setEnabled(vertical);
    for (QAction* action :
         {menus_.combineTop, menus_.combineBottom, menus_.editLineTop, menus_.editLineBottom})
        action->setEnabled(horizontal);
    menus_.editLineMenu->menuAction()->setVisible(state.editLineMenu);
    menus_.xLock->setChecked(state.xLocked);
    menus_.yLock->setChecked(state.yLocked);
    menus_.hCenterLock->setChecked(state.hCenterLocked);
    menus_.vCenterLock->setChecked(state.vCenterLocked);
}

void MainWindow::connectGuideCommands() {
    const std::array<std::pair<QAction*, Edge>, 4> lineMoves{
        {{menus_.editLineLeft, Edge::Left},
         {menus_.editLineRight, Edge::Right},
         {menus_.editLineTop, Edge::Top},
         {menus_.editLineBottom, Edge::Bottom}}};
    for (const auto& [action, edge] : lineMoves)
        connect(action, &QAction::triggered, this,
                [this, edge] { guides_->moveEditLineToItem(document().currentSlot(), edge); });
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

bool MainWindow::moveItemToEdge(int slot, Edge edge) {
    if (!document().isLive(slot))
        return false;
    static const std::array<QString, 4> texts{
        QStringLiteral("左端に移動"), QStringLiteral("右端に移動"), QStringLiteral("上端に移動"),
        QStringLiteral("下端に移動")};
    const QPointF to = edgeMoveTarget(document().item(slot), edge, editor_->canvasSize());
    return editor_->placeItem(slot, to, std::nullopt, texts[static_cast<std::size_t>(edge)]);
}

bool MainWindow::moveItemToEditLine(int slot, Edge edge) {
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

bool MainWindow::placeItemByDialog(int slot) {
    if (!document().isLive(slot))
        return false;
    const LayoutItem& item = document().item(slot);
    // The dialog shows the view, as the position display does: 4 pixels more than the drawing.
    const BoxValues shown{item.Left, item.Top, item.Width + kItemFrame, item.Height + kItemFrame};
    PositionDialog dialog(shown, this);
    if (dialog.exec() != QDialog::Accepted || dialog.values() == shown)
        return false;
    const BoxValues& box = dialog.values();
    const QSizeF drawing(std::max(1.0, double(box.width) - kItemFrame),
                         std::max(1.0, double(box.height) - kItemFrame));
    return editor_->placeItem(slot, QPointF(box.x, box.y), drawing, QStringLiteral("配置指定"));
}

} // namespace tobirae
