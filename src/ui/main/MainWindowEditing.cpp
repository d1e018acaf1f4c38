// The main window's canvas editing: adding, pasting, copying and deleting items, the gestures on
// the item views, the popup menus and the history. Every change goes through the EditorDocument;
// the views follow its signals.
#include "document/LayoutFile.h"
#include "render/ImageItem.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/editing/Placement.h"
#include "ui/main/CanvasScene.h"
#include "ui/main/CanvasView.h"
#include "ui/main/ItemView.h"
#include "ui/main/MainWindow.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <array>
#include <utility>

namespace tobirae {

namespace {

const QString kTooManyItems = QStringLiteral("これ以上アイテムを追加することはできません。");

} // namespace

void MainWindow::connectEditing() {
    // The canvas scene follows the same signals first: its views are in place when these run.
    connect(editor_, &EditorDocument::itemRemoved, this, [this](int) {
        // The scene took the focus border off a removed focused item.
        if (scene_->focusedSlot() < 0)
            showCurrentSlot(-1);
    });
    connect(editor_, &EditorDocument::itemChanged, this, &MainWindow::itemChanged);
    connect(editor_, &EditorDocument::listsChanged, this, [this] {
        showItemLists();
        updateMenuStates();
    });
    connect(editor_, &EditorDocument::currentSlotChanged, this, &MainWindow::showCurrentSlot);
    connect(editor_, &EditorDocument::pageChanged, this, &MainWindow::showPage);
    connect(editor_, &EditorDocument::documentReplaced, this, [this] {
        showItemLists();
        showCurrentSlot(-1);
    });
    connect(editor_, &EditorDocument::clipboardChanged, this, &MainWindow::updateMenuStates);

    QUndoStack& history = editor_->undoStack();
    connect(&history, &QUndoStack::canUndoChanged, menus_.undo, &QAction::setEnabled);
    connect(&history, &QUndoStack::canRedoChanged, menus_.redo, &QAction::setEnabled);
    connect(&history, &QUndoStack::undoTextChanged, menus_.undo, &QAction::setStatusTip);
    connect(&history, &QUndoStack::redoTextChanged, menus_.redo, &QAction::setStatusTip);
    connect(menus_.undo, &QAction::triggered, &history, &QUndoStack::undo);
    connect(menus_.redo, &QAction::triggered, &history, &QUndoStack::redo);

    connect(panel_.commandButton_[1], &QPushButton::clicked, this, [this] { addItemFromDialog(); });
    connect(menus_.itemAdd, &QAction::triggered, this, [this] { addItemFromDialog(); });
    connect(menus_.paste, &QAction::triggered, this, [this] { pasteCopiedItem(); });
    connect(menus_.mouseLockAll, &QAction::triggered, editor_, &EditorDocument::setAllItemsLocked);
    connect(menus_.restack, &QAction::triggered, scene_, &CanvasScene::stackViewsInDrawingOrder);
    const auto onCurrent = [this](auto act) {
        return [this, act] {
            const int slot = document().currentSlot();
            if (document().isLive(slot))
                act(slot);
        };
    };
    connect(menus_.sizeChange, &QAction::triggered, this,
            onCurrent([this](int slot) { toggleResizeMode(slot); }));
    connect(menus_.moveLock, &QAction::triggered, this, onCurrent([this](int slot) {
                editor_->setMoveLocked(slot, !isTrue(document().item(slot).MoveLocked));
            }));
    // The dialog opens once the popup menu has closed.
    connect(menus_.properties, &QAction::triggered, this, onCurrent([this](int slot) {
                QTimer::singleShot(10, this, [this, slot] { openItemProperties(slot); });
            }));
    connect(menus_.redraw, &QAction::triggered, this,
            onCurrent([this](int slot) { scene_->drawItemPreview(slot); }));
    connect(menus_.fitFrame, &QAction::triggered, this,
            onCurrent([this](int slot) { editor_->fitToContents(slot); }));
    const std::array<std::pair<QAction*, PositionLock>, 4> locks{
        {{menus_.xLock, PositionLock::X},
         {menus_.yLock, PositionLock::Y},
         {menus_.hCenterLock, PositionLock::HCenter},
         {menus_.vCenterLock, PositionLock::VCenter}}};
    for (const auto& [action, lock] : locks)
        connect(action, &QAction::triggered, this,
                onCurrent([this, lock](int slot) { editor_->toggleLock(slot, lock); }));
    connect(menus_.moveHCenter, &QAction::triggered, this,
            onCurrent([this](int slot) { editor_->centreItem(slot, false); }));
    connect(menus_.moveVCenter, &QAction::triggered, this,
            onCurrent([this](int slot) { editor_->centreItem(slot, true); }));
    connect(menus_.bringToFront, &QAction::triggered, this,
            onCurrent([this](int slot) { editor_->bringToFront(slot); }));
    connect(menus_.sendToBack, &QAction::triggered, this,
            onCurrent([this](int slot) { editor_->sendToBack(slot); }));
    connect(menus_.copy, &QAction::triggered, this,
            onCurrent([this](int slot) { copyItem(slot); }));
    connect(menus_.remove, &QAction::triggered, this,
            onCurrent([this](int slot) { deleteItemAsked(slot); }));

    // Opening the Edit menu forgets the paste point; its item submenu serves the current item.
    connect(menus_.editMenu, &QMenu::aboutToShow, this, [this] {
        prepareCanvasPopup(std::nullopt);
        const int slot = document().currentSlot();
        if (document().isLive(slot))
            prepareItemPopup(slot);
        else
            menus_.itemMenu->setEnabled(false);
    });
    connect(canvasView_, &CanvasView::canvasPopupRequested, this, &MainWindow::showCanvasPopup);
    connect(
        panel_.drawingOrderList_, &QListWidget::itemDoubleClicked, this,
        [this](QListWidgetItem* entry) { openItemProperties(entry->data(Qt::UserRole).toInt()); });
}

void MainWindow::connectView(ItemView* view) {
    connect(view, &ItemView::pressed, this, &MainWindow::itemPressed);
    connect(view, &ItemView::gestureMoved, this, [this](int slot, const QRectF& rect) {
        if (slot == scene_->focusedSlot())
            showPosition(rect);
    });
    connect(view, &ItemView::dragReleased, this, [this](int slot, QPointF topLeft) {
        editor_->dragItem(slot, topLeft);
        // A refused or locked move puts the view back where the item is.
        scene_->placeView(slot);
        showItemPosition(slot);
    });
    connect(view, &ItemView::resizeReleased, this, [this](int slot, const QRectF& rect) {
        editor_->resizeItem(slot, rect);
        scene_->placeView(slot);
        showItemPosition(slot);
    });
    connect(view, &ItemView::doubleClicked, this, &MainWindow::openItemProperties);
    connect(view, &ItemView::keyPressed, this, &MainWindow::itemKey);
    connect(view, &ItemView::popupRequested, this, &MainWindow::showItemPopup);
}

void MainWindow::itemChanged(int slot, ItemChanges) {
    if (slot == scene_->focusedSlot())
        showItemPosition(slot);
}

void MainWindow::showCurrentSlot(int slot) {
    updateMenuStates();
    QComboBox* itemCombo_ = panel_.itemCombo_;
    showDrawingOrderRow();
    if (!document().isLive(slot) || !itemView(slot)) {
        const QSignalBlocker block(itemCombo_);
        itemCombo_->setCurrentIndex(-1);
        scene_->showFocus(-1);
        // No view keeps the keyboard: keys and Enter act on no item.
        if (QGraphicsItem* focused = scene_->focusItem())
            focused->clearFocus();
        for (QLabel* label : panel_.pointLabel_)
            label->clear();
        return;
    }
    const int position = document().listPosition(slot);
    if (position >= 0 && itemCombo_->currentIndex() != position) {
        const QSignalBlocker block(itemCombo_);
        itemCombo_->setCurrentIndex(position);
    }
    scene_->showFocus(slot);
    itemView(slot)->setFocus();
    showItemPosition(slot);
}

void MainWindow::showDrawingOrderRow() {
    QListWidget* list = panel_.drawingOrderList_;
    const QSignalBlocker block(list);
    const int slot = document().currentSlot();
    const auto& order = document().drawingOrder();
    const auto entry = std::find_if(order.begin(), order.end(),
                                    [slot](const ListEntry& e) { return e.slot == slot; });
    if (!document().isLive(slot) || entry == order.end()) {
        list->setCurrentRow(-1);
        list->clearSelection();
        return;
    }
    list->setCurrentRow(static_cast<int>(entry - order.begin()));
}

void MainWindow::itemPressed(int slot, Qt::MouseButton button, bool onHandle) {
    // A click elsewhere ends resize mode; a right click on the resizing item keeps it.
    const int owner = editor_->resizeOwner();
    const bool keep = owner == slot && (onHandle || button != Qt::LeftButton);
    if (owner >= 0 && !keep)
        toggleResizeMode(owner);
    selectItem(slot, false);
    if (ItemView* view = itemView(slot))
        view->setDragEnabled(button == Qt::LeftButton &&
                             dragAllowed(document().item(slot), editor_->allItemsLocked()));
}

void MainWindow::itemKey(int, int key, Qt::KeyboardModifiers) {
    // Keys act on the document's current item, whichever view has the keyboard.
    const int slot = document().currentSlot();
    if (!document().isLive(slot))
        return;
    switch (key) {
    case Qt::Key_Left:
        editor_->nudgeItem(slot, -1, 0);
        break;
    case Qt::Key_Right:
        editor_->nudgeItem(slot, 1, 0);
        break;
    case Qt::Key_Up:
        editor_->nudgeItem(slot, 0, -1);
        break;
    case Qt::Key_Down:
        editor_->nudgeItem(slot, 0, 1);
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

bool MainWindow::addItemFromDialog() {
    if (!editor_->canAddItem()) {
        prompts_.message(kTooManyItems);
        return false;
    }
    LayoutItem item = newItemRecord(CategoryYear, 0, document().page);
    // A cancelled dialog leaves the document, the current item included, as it was.
    if (!confirmNewItem(item))
        return false;
    // A picture starts at its file's size, made smaller to fit the paper with its shape kept.
    const bool picture = item.Category == CategoryPicture;
    if (picture && storePictureSize(item, editor_->layoutFolder()))
        sizeToDesignFrame(item);
    // The new item starts where the user is looking, not at the page's far corner.
    const QRectF visible = canvasView_->visibleSceneRect().intersected(
        QRectF(QPointF(0, 0), QSizeF(editor_->canvasSize())));
    std::vector<QRectF> taken;
    for (const ListEntry& entry : document().drawingOrder()) {
        const LayoutItem& other = document().item(entry.slot);
        taken.emplace_back(other.Left, other.Top, other.Width + kItemFrame,
                           other.Height + kItemFrame);
    }
    const QRectF placed = newItemPlacement(QSizeF(item.Width, item.Height), visible,
                                           editor_->canvasSize(), taken);
    if (placed.size() != QSizeF(item.Width, item.Height)) {
        item.Width = static_cast<float>(placed.width());
        item.Height = static_cast<float>(placed.height());
        item.FitToRect = kTrue;
        item.FreeAspect = kFalse;
    }
    // A new item other than a picture takes the size of its drawing in the same step.
    // A new picture goes behind what it overlaps: it never hides a heading.
    const auto slot = editor_->addItem(item, placed.topLeft(), !picture, picture);
    if (!slot)
        return false;
    selectItem(*slot);
    return true;
}

bool MainWindow::pasteCopiedItem() {
    if (!editor_->canPaste())
        return false;
    if (!editor_->canAddItem()) {
        prompts_.message(kTooManyItems);
        return false;
    }
    const auto slot = editor_->pasteItem(pastePoint_);
    if (!slot)
        return false;
    selectItem(*slot);
    return true;
}

bool MainWindow::copyItem(int slot) {
    return editor_->copyItem(slot);
}

bool MainWindow::deleteItemAsked(int slot) {
    if (!document().isLive(slot))
        return false;
    const int position = document().listPosition(slot);
    const auto& list = document().itemList();
    const QString name = position >= 0 && position < static_cast<int>(list.size())
                             ? list[static_cast<std::size_t>(position)].text
                             : QString();
    // Deleting loses the item: No is the default.
    if (prompts_.ask(QStringLiteral("「%1」を削除します。\r\nよろしいですか？").arg(name),
                     PromptButtons::YesNoKeep) != PromptAnswer::Yes)
        return false;
    return editor_->deleteItem(slot);
}

void MainWindow::toggleResizeMode(int slot) {
    if (!document().isLive(slot))
        return;
    editor_->setResizeMode(slot, !isTrue(document().item(slot).SizeChangeMode));
}

void MainWindow::prepareItemPopup(int slot) {
    if (!document().isLive(slot))
        return;
    const LayoutItem& item = document().item(slot);
    const bool resizing = isTrue(item.SizeChangeMode);
    menus_.itemMenu->setEnabled(true);
    menus_.sizeChange->setText(resizing ? QStringLiteral("サイズ変更解除")
                                        : QStringLiteral("サイズ変更"));
    menus_.moveLock->setText(isTrue(item.MoveLocked) ? QStringLiteral("ロック解除")
                                                     : QStringLiteral("ロック"));
    menus_.moveLock->setEnabled(!resizing);
    for (QAction* action :
         {menus_.sizeChange, menus_.properties, menus_.redraw, menus_.fitFrame, menus_.copy,
          menus_.remove, menus_.xLock, menus_.yLock, menus_.hCenterLock, menus_.vCenterLock,
          menus_.moveHCenter, menus_.moveVCenter})
        action->setEnabled(true);
    menus_.bringToFront->setEnabled(!editor_->isInFront(slot));
    menus_.sendToBack->setEnabled(!editor_->isAtBack(slot));
    prepareGuideEntries(slot);
}

void MainWindow::updateMenuStates() {
    const int slot = document().currentSlot();
    if (document().isLive(slot)) {
        prepareItemPopup(slot);
    } else {
        menus_.itemMenu->setEnabled(false);
        for (QAction* action :
             {menus_.sizeChange, menus_.moveLock, menus_.properties, menus_.redraw, menus_.fitFrame,
              menus_.copy, menus_.remove, menus_.xLock, menus_.yLock, menus_.hCenterLock,
              menus_.vCenterLock, menus_.moveHCenter, menus_.moveVCenter, menus_.bringToFront,
              menus_.sendToBack})
            action->setEnabled(false);
        prepareGuideEntries(-1);
    }
    const std::optional<QPointF> point = pastePoint_;
    prepareCanvasPopup(point);
}

void MainWindow::prepareCanvasPopup(std::optional<QPointF> pastePoint) {
    pastePoint_ = pastePoint;
    const int items = document().liveCount();
    menus_.mouseLockAll->setEnabled(items >= 1);
    menus_.mouseLockAll->setChecked(editor_->allItemsLocked());
    menus_.restack->setEnabled(items >= 2);
    menus_.paste->setEnabled(editor_->canPaste());
}

void MainWindow::showItemPopup(int slot, QPoint screenPos) {
    itemPressed(slot, Qt::RightButton, false);
    prepareItemPopup(slot);
    menus_.itemMenu->exec(screenPos);
}

void MainWindow::showCanvasPopup(QPointF scenePos, QPoint screenPos) {
    prepareCanvasPopup(scenePos);
    menus_.wholeMenu->exec(screenPos);
    pastePoint_.reset();
}

void MainWindow::dropOnItem(const QStringList& paths, QPointF scenePos) {
    if (paths.isEmpty() || exporting())
        return;
    if (isLayoutFileName(paths.constFirst())) {
        dropFiles(paths);
        return;
    }
    // Any other file is a picture for the picture item it was dropped on.
    for (QGraphicsItem* under : scene_->items(scenePos)) {
        auto* view = dynamic_cast<ItemView*>(under);
        if (!view || !view->isVisible())
            continue;
        editor_->setPictureFile(view->slot(), paths.constFirst());
        return;
    }
}

} // namespace tobirae
