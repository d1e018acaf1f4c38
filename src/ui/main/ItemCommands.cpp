#include "ui/main/ItemCommands.h"

#include "app/AppSettings.h"
#include "document/LayoutFile.h"
#include "ui/dialogs/ItemPropertiesDialog.h"
#include "ui/dialogs/PositionDialog.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/editing/EditorDocument.h"
#include "ui/editing/Placement.h"
#include "ui/main/CanvasGuides.h"
#include "ui/main/CanvasScene.h"
#include "ui/main/CanvasView.h"
#include "ui/main/ExportRunner.h"
#include "ui/main/ItemView.h"
#include "ui/main/LayoutActions.h"
#include "ui/main/LayoutFiles.h"
#include "ui/main/MainMenus.h"
#include "ui/main/SidePanel.h"
#include "ui/main/WindowTestHooks.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <algorithm>
#include <array>
#include <utility>

namespace tobirae {

namespace {

const QString kTooManyItems = QStringLiteral("これ以上アイテムを追加することはできません。");

} // namespace

ItemCommands::ItemCommands(const ItemCommandParts& parts) : QObject(&parts.window), p_(parts) {
    connect(&p_.scene, &CanvasScene::viewCreated, this, &ItemCommands::connectView);
    connect(&p_.view, &CanvasView::canvasPopupRequested, this, &ItemCommands::showCanvasPopup);
    // Modal questions must not run inside the drop event itself.
    connect(&p_.view, &CanvasView::filesDropped, this, &ItemCommands::dropOnItem,
            Qt::QueuedConnection);
    connectMenus();
    connectGuideMenus();
}

void ItemCommands::connectMenus() {
    const MainMenus& m = p_.menus;
    EditorDocument& editor = p_.editor;
    connect(m.undo, &QAction::triggered, &editor.undoStack(), &QUndoStack::undo);
    connect(m.redo, &QAction::triggered, &editor.undoStack(), &QUndoStack::redo);
    connect(m.itemAdd, &QAction::triggered, this, [this] { addItemFromDialog(); });
    connect(m.paste, &QAction::triggered, this, [this] { pasteCopiedItem(); });
    connect(m.mouseLockAll, &QAction::triggered, &editor, &EditorDocument::setAllItemsLocked);
    connect(m.restack, &QAction::triggered, &p_.scene, &CanvasScene::stackViewsInDrawingOrder);
    const auto onCurrent = [this](auto act) {
        return [this, act] {
            const int slot = p_.editor.document().currentSlot();
            if (p_.editor.document().isLive(slot))
                act(slot);
        };
    };
    connect(m.sizeChange, &QAction::triggered, this,
            onCurrent([this](int slot) { toggleResizeMode(slot); }));
    connect(m.moveLock, &QAction::triggered, this, onCurrent([this](int slot) {
                p_.editor.setMoveLocked(slot, !isTrue(p_.editor.document().item(slot).MoveLocked));
            }));
    // The dialog opens once the popup menu has closed.
    connect(m.properties, &QAction::triggered, this, onCurrent([this](int slot) {
                QTimer::singleShot(10, this, [this, slot] { openItemProperties(slot); });
            }));
    connect(m.redraw, &QAction::triggered, this,
            onCurrent([this](int slot) { p_.scene.drawItemPreview(slot); }));
    connect(m.fitFrame, &QAction::triggered, this,
            onCurrent([this](int slot) { p_.editor.fitToContents(slot); }));
    const std::array<std::pair<QAction*, PositionLock>, 4> locks{
        {{m.xLock, PositionLock::X},
         {m.yLock, PositionLock::Y},
         {m.hCenterLock, PositionLock::HCenter},
         {m.vCenterLock, PositionLock::VCenter}}};
    for (const auto& [action, lock] : locks)
        connect(action, &QAction::triggered, this,
                onCurrent([this, lock](int slot) { p_.editor.toggleLock(slot, lock); }));
    connect(m.moveHCenter, &QAction::triggered, this,
            onCurrent([this](int slot) { p_.editor.centreItem(slot, false); }));
    connect(m.moveVCenter, &QAction::triggered, this,
            onCurrent([this](int slot) { p_.editor.centreItem(slot, true); }));
    connect(m.bringToFront, &QAction::triggered, this,
            onCurrent([this](int slot) { p_.editor.bringToFront(slot); }));
    connect(m.sendToBack, &QAction::triggered, this,
            onCurrent([this](int slot) { p_.editor.sendToBack(slot); }));
    connect(m.copy, &QAction::triggered, this,
            onCurrent([this](int slot) { p_.editor.copyItem(slot); }));
    connect(m.remove, &QAction::triggered, this,
            onCurrent([this](int slot) { deleteItemAsked(slot); }));

    // Opening the Edit menu forgets the paste point; its item submenu serves the current item.
    connect(m.editMenu, &QMenu::aboutToShow, this, [this] {
        prepareCanvasPopup(std::nullopt);
        const int slot = p_.editor.document().currentSlot();
        if (p_.editor.document().isLive(slot))
            p_.actions.prepareItemPopup(slot);
        else
            p_.menus.itemMenu->setEnabled(false);
    });
}

void ItemCommands::connectGuideMenus() {
    const MainMenus& m = p_.menus;
    const auto current = [this] { return p_.editor.document().currentSlot(); };
    const std::array<std::pair<QAction*, Edge>, 4> lineMoves{{{m.editLineLeft, Edge::Left},
                                                              {m.editLineRight, Edge::Right},
                                                              {m.editLineTop, Edge::Top},
                                                              {m.editLineBottom, Edge::Bottom}}};
    for (const auto& [action, edge] : lineMoves)
        connect(action, &QAction::triggered, this,
                [this, edge, current] { p_.guides.moveEditLineToItem(current(), edge); });
    const std::array<std::pair<QAction*, Edge>, 4> edgeMoves{{{m.moveLeft, Edge::Left},
                                                              {m.moveRight, Edge::Right},
                                                              {m.moveTop, Edge::Top},
                                                              {m.moveBottom, Edge::Bottom}}};
    for (const auto& [action, edge] : edgeMoves)
        connect(action, &QAction::triggered, this,
                [this, edge, current] { moveItemToEdge(current(), edge); });
    const std::array<std::pair<QAction*, Edge>, 4> combines{{{m.combineLeft, Edge::Left},
                                                             {m.combineRight, Edge::Right},
                                                             {m.combineTop, Edge::Top},
                                                             {m.combineBottom, Edge::Bottom}}};
    for (const auto& [action, edge] : combines)
        connect(action, &QAction::triggered, this,
                [this, edge, current] { moveItemToEditLine(current(), edge); });
    connect(m.placement, &QAction::triggered, this,
            [this, current] { placeItemByDialog(current()); });
}

void ItemCommands::connectView(ItemView* view) {
    connect(view, &ItemView::pressed, this, &ItemCommands::itemPressed);
    connect(view, &ItemView::gestureMoved, this, [this](int slot, const QRectF& rect) {
        if (slot == p_.scene.focusedSlot())
            p_.panel.showPosition(rect);
    });
    connect(view, &ItemView::dragReleased, this, [this](int slot, QPointF topLeft) {
        p_.editor.dragItem(slot, topLeft);
        // A refused or locked move puts the view back where the item is.
        p_.scene.placeView(slot);
        p_.panel.showItemPosition(slot);
    });
    connect(view, &ItemView::resizeReleased, this, [this](int slot, const QRectF& rect) {
        p_.editor.resizeItem(slot, rect);
        p_.scene.placeView(slot);
        p_.panel.showItemPosition(slot);
    });
    connect(view, &ItemView::doubleClicked, this, &ItemCommands::openItemProperties);
    connect(view, &ItemView::keyPressed, this, [this](int, int key) { itemKey(key); });
    connect(view, &ItemView::popupRequested, this, &ItemCommands::showItemPopup);
}

void ItemCommands::selectItem(int slot, bool scrollIntoView) {
    ItemView* view = p_.scene.itemView(slot);
    if (!view || !p_.editor.document().isLive(slot))
        return;
    p_.editor.setCurrentSlot(slot);
    showCurrentSlot(slot);
    view->setFocus();
    if (scrollIntoView) {
        p_.view.ensureVisible(view->sceneBoundingRect(), 0, 0);
        // Arrow keys and Delete go to the chosen item.
        p_.view.setFocus();
    }
}

void ItemCommands::showCurrentSlot(int slot) {
    ItemView* view = p_.scene.itemView(slot);
    if (!p_.editor.document().isLive(slot) || !view) {
        p_.scene.showFocus(-1);
        // No view keeps the keyboard: keys and Enter act on no item.
        if (QGraphicsItem* focused = p_.scene.focusItem())
            focused->clearFocus();
        return;
    }
    p_.scene.showFocus(slot);
    view->setFocus();
}

void ItemCommands::moveDrawingOrder(int row, int step) {
    const int moved = row >= 0 ? p_.editor.moveInDrawingOrder(row, step) : -1;
    if (moved < 0) {
        p_.prompts.message(QStringLiteral("順序を移動させるアイテム名を選択してください。"));
        return;
    }
    // The moved entry is the current item's.
    p_.editor.setCurrentSlot(
        p_.editor.document().drawingOrder()[static_cast<std::size_t>(moved)].slot);
}

void ItemCommands::itemPressed(int slot, Qt::MouseButton button, bool onHandle) {
    // A click elsewhere ends resize mode; a right click on the resizing item keeps it.
    const int owner = p_.editor.resizeOwner();
    const bool keep = owner == slot && (onHandle || button != Qt::LeftButton);
    if (owner >= 0 && !keep)
        toggleResizeMode(owner);
    selectItem(slot, false);
    if (ItemView* view = p_.scene.itemView(slot))
        view->setDragEnabled(
            button == Qt::LeftButton &&
            dragAllowed(p_.editor.document().item(slot), p_.editor.allItemsLocked()));
}

void ItemCommands::itemKey(int key) {
    // Keys act on the document's current item, whichever view has the keyboard.
    const int slot = p_.editor.document().currentSlot();
    if (!p_.editor.document().isLive(slot))
        return;
    switch (key) {
    case Qt::Key_Left:
        p_.editor.nudgeItem(slot, -1, 0);
        break;
    case Qt::Key_Right:
        p_.editor.nudgeItem(slot, 1, 0);
        break;
    case Qt::Key_Up:
        p_.editor.nudgeItem(slot, 0, -1);
        break;
    case Qt::Key_Down:
        p_.editor.nudgeItem(slot, 0, 1);
        break;
    case Qt::Key_Delete:
        deleteItemAsked(slot);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        openItemProperties(slot);
        break;
    default:
        break;
    }
}

bool ItemCommands::addItemFromDialog() {
    if (!p_.editor.canAddItem()) {
        p_.prompts.message(kTooManyItems);
        return false;
    }
    LayoutItem item = newItemRecord(CategoryYear, 0, p_.editor.document().page);
    // A cancelled dialog leaves the document, the current item included, as it was.
    if (!confirmNewItem(item))
        return false;
    // The new item starts where the user is looking, not at the page's far corner.
    const auto slot = p_.editor.addItem(item, p_.view.visibleSceneRect());
    if (!slot)
        return false;
    selectItem(*slot);
    return true;
}

bool ItemCommands::pasteCopiedItem() {
    if (!p_.editor.canPaste())
        return false;
    if (!p_.editor.canAddItem()) {
        p_.prompts.message(kTooManyItems);
        return false;
    }
    const auto slot = p_.editor.pasteItem(pastePoint_);
    if (!slot)
        return false;
    selectItem(*slot);
    return true;
}

bool ItemCommands::deleteItemAsked(int slot) {
    const LayoutDocument& document = p_.editor.document();
    if (!document.isLive(slot))
        return false;
    const int position = document.listPosition(slot);
    const auto& list = document.itemList();
    const QString name = position >= 0 && position < static_cast<int>(list.size())
                             ? list[static_cast<std::size_t>(position)].text
                             : QString();
    // Deleting loses the item: No is the default.
    if (p_.prompts.ask(QStringLiteral("「%1」を削除します。\r\nよろしいですか？").arg(name),
                       PromptButtons::YesNoKeep) != PromptAnswer::Yes)
        return false;
    return p_.editor.deleteItem(slot);
}

void ItemCommands::toggleResizeMode(int slot) {
    if (!p_.editor.document().isLive(slot))
        return;
    p_.editor.setResizeMode(slot, !isTrue(p_.editor.document().item(slot).SizeChangeMode));
}

void ItemCommands::prepareCanvasPopup(std::optional<QPointF> pastePoint) {
    pastePoint_ = pastePoint;
    p_.actions.prepareCanvasPopup();
}

void ItemCommands::showItemPopup(int slot, QPoint screenPos) {
    itemPressed(slot, Qt::RightButton, false);
    p_.actions.prepareItemPopup(slot);
    p_.menus.itemMenu->exec(screenPos);
}

void ItemCommands::showCanvasPopup(QPointF scenePos, QPoint screenPos) {
    prepareCanvasPopup(scenePos);
    p_.menus.wholeMenu->exec(screenPos);
    pastePoint_.reset();
}

void ItemCommands::dropOnItem(const QStringList& paths, QPointF scenePos) {
    if (paths.isEmpty() || p_.exports.exporting())
        return;
    if (isLayoutFileName(paths.constFirst())) {
        p_.files.dropFiles(paths);
        return;
    }
    // Any other file is a picture for the picture item it was dropped on.
    for (QGraphicsItem* under : p_.scene.items(scenePos)) {
        auto* view = dynamic_cast<ItemView*>(under);
        if (!view || !view->isVisible())
            continue;
        p_.editor.setPictureFile(view->slot(), paths.constFirst());
        return;
    }
}

bool ItemCommands::runPropertyDialog(LayoutItem& item, bool isNew) {
    const LayoutDocument& document = p_.editor.document();
    ItemDialogContext context;
    context.paperWidthMm = document.page.PaperWidth;
    context.paperHeightMm = document.page.PaperHeight;
    context.sampleDate = std::chrono::year_month_day(outputMonthOf(p_.editor) / 1);
    context.layoutFolder = p_.editor.layoutFolder();
    ItemPropertiesDialog dialog(item, isNew, context, p_.prompts, &p_.window);
    const AppSettings& grid = p_.settings;
    dialog.setContentGrid({grid.GridShown[1], grid.GridSnap[1], grid.GridX[1], grid.GridY[1]});
    const bool accepted = p_.hooks.propertyDialog ? p_.hooks.propertyDialog(dialog)
                                                  : dialog.exec() == QDialog::Accepted;
    if (!accepted)
        return false;
    item = dialog.item();
    return true;
}

bool ItemCommands::confirmNewItem(LayoutItem& item) {
    if (p_.hooks.newItemConfirmation)
        return p_.hooks.newItemConfirmation(item);
    const auto kind = std::pair(item.Category, item.LayoutVariant);
    if (!runPropertyDialog(item, true))
        return false;
    // A new item of another kind starts at that kind's design frame.
    if (kind != std::pair(item.Category, item.LayoutVariant))
        sizeToDesignFrame(item);
    return true;
}

void ItemCommands::openItemProperties(int slot) {
    if (!p_.editor.document().isLive(slot))
        return;
    p_.editor.setCurrentSlot(slot);
    LayoutItem item = p_.editor.document().item(slot);
    // OK without a change is no step.
    if (runPropertyDialog(item, false) && !(item == p_.editor.document().item(slot)))
        p_.editor.replaceItem(slot, item);
}

bool ItemCommands::moveItemToEdge(int slot, Edge edge) {
    if (!p_.editor.document().isLive(slot))
        return false;
    static const std::array<QString, 4> texts{
        QStringLiteral("左端に移動"), QStringLiteral("右端に移動"), QStringLiteral("上端に移動"),
        QStringLiteral("下端に移動")};
    const QPointF to =
        edgeMoveTarget(p_.editor.document().item(slot), edge, p_.editor.canvasSize());
    return p_.editor.placeItem(slot, to, std::nullopt, texts[static_cast<std::size_t>(edge)]);
}

bool ItemCommands::moveItemToEditLine(int slot, Edge edge) {
    const EditLines lines = p_.guides.editLines();
    const bool vertical = edge == Edge::Left || edge == Edge::Right;
    if (!p_.editor.document().isLive(slot) || !lines.shown[vertical ? 0 : 1])
        return false;
    static const std::array<QString, 4> texts{
        QStringLiteral("左端に合わせる"), QStringLiteral("右端に合わせる"),
        QStringLiteral("上端に合わせる"), QStringLiteral("下端に合わせる")};
    const QPointF to = lineMoveTarget(p_.editor.document().item(slot), edge, lines);
    return p_.editor.placeItem(slot, to, std::nullopt, texts[static_cast<std::size_t>(edge)]);
}

bool ItemCommands::placeItemByDialog(int slot) {
    if (!p_.editor.document().isLive(slot))
        return false;
    const LayoutItem& item = p_.editor.document().item(slot);
    // The dialog shows the view, as the position display does: 4 pixels more than the drawing.
    const BoxValues shown{item.Left, item.Top, item.Width + kItemFrame, item.Height + kItemFrame};
    PositionDialog dialog(shown, &p_.window);
    if (dialog.exec() != QDialog::Accepted || dialog.values() == shown)
        return false;
    const BoxValues& box = dialog.values();
    const QSizeF drawing(std::max(1.0, double(box.width) - kItemFrame),
                         std::max(1.0, double(box.height) - kItemFrame));
    return p_.editor.placeItem(slot, QPointF(box.x, box.y), drawing, QStringLiteral("配置指定"));
}

} // namespace tobirae
