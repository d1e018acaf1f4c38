#include "ui/main/LayoutActions.h"

#include "ui/editing/EditorDocument.h"
#include "ui/editing/Guides.h"
#include "ui/main/CanvasGuides.h"
#include "ui/main/MainMenus.h"

#include <QAction>
#include <QMenu>

namespace tobirae {

LayoutActions::LayoutActions(const MainMenus& menus, EditorDocument& editor,
                             const CanvasGuides& guides, QObject* parent)
    : QObject(parent), menus_(menus), editor_(editor), guides_(guides) {
    for (const auto signal : {&EditorDocument::listsChanged, &EditorDocument::orderChanged,
                              &EditorDocument::documentReplaced})
        connect(&editor, signal, this, &LayoutActions::update);
    connect(&editor, &EditorDocument::currentSlotChanged, this, &LayoutActions::update);
    connect(&editor, &EditorDocument::clipboardChanged, this, &LayoutActions::update);
    connect(&editor, &EditorDocument::itemChanged, this, [this](int slot, ItemChanges what) {
        if (slot == editor_.document().currentSlot() && what.testFlag(ItemChange::Flags))
            update();
    });
    QUndoStack& history = editor.undoStack();
    connect(&history, &QUndoStack::canUndoChanged, menus.undo, &QAction::setEnabled);
    connect(&history, &QUndoStack::canRedoChanged, menus.redo, &QAction::setEnabled);
    connect(&history, &QUndoStack::undoTextChanged, menus.undo, &QAction::setStatusTip);
    connect(&history, &QUndoStack::redoTextChanged, menus.redo, &QAction::setStatusTip);
    menus.paste->setEnabled(false);
}

void LayoutActions::update() {
    const int slot = editor_.document().currentSlot();
    if (editor_.document().isLive(slot)) {
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
    prepareCanvasPopup();
}

void LayoutActions::prepareItemPopup(int slot) {
    if (!editor_.document().isLive(slot))
        return;
    const LayoutItem& item = editor_.document().item(slot);
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
    menus_.bringToFront->setEnabled(!editor_.isInFront(slot));
    menus_.sendToBack->setEnabled(!editor_.isAtBack(slot));
    prepareGuideEntries(slot);
}

void LayoutActions::prepareCanvasPopup() {
    const int items = editor_.document().liveCount();
    menus_.mouseLockAll->setEnabled(items >= 1);
    menus_.mouseLockAll->setChecked(editor_.allItemsLocked());
    menus_.restack->setEnabled(items >= 2);
    menus_.paste->setEnabled(editor_.canPaste());
}

void LayoutActions::prepareGuideEntries(int slot) {
    const LayoutDocument& document = editor_.document();
    const bool item = document.isLive(slot);
    const GuideMenuState state =
        guideMenuState(item ? document.item(slot) : LayoutItem{}, guides_.editLines());
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

} // namespace tobirae
