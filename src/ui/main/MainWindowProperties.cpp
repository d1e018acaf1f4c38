// The item property dialog as the main window opens it: for a new item before it is added, and
// on an existing one ("詳細編集", a double click, Enter).
#include "ui/dialogs/ItemPropertiesDialog.h"
#include "ui/main/MainWindow.h"

#include <utility>

namespace tobirae {

bool MainWindow::runPropertyDialog(LayoutItem& item, bool isNew) {
    ItemDialogContext context;
    context.paperWidthMm = document().page.PaperWidth;
    context.paperHeightMm = document().page.PaperHeight;
    context.sampleDate = std::chrono::year{outputYear()} / outputMonth() / 1;
    context.layoutFolder = editor_->layoutFolder();
    ItemPropertiesDialog dialog(item, isNew, context, prompts_, this);
    const AppSettings& grid = settings();
    dialog.setContentGrid({grid.GridShown[1], grid.GridSnap[1], grid.GridX[1], grid.GridY[1]});
    const bool accepted =
        hooks_.propertyDialog ? hooks_.propertyDialog(dialog) : dialog.exec() == QDialog::Accepted;
    if (!accepted)
        return false;
    item = dialog.item();
    return true;
}

bool MainWindow::confirmNewItem(LayoutItem& item) {
    if (hooks_.newItemConfirmation)
        return hooks_.newItemConfirmation(item);
    const auto kind = std::pair(item.Category, item.LayoutVariant);
    if (!runPropertyDialog(item, true))
        return false;
    // A new item of another kind starts at that kind's design frame.
    if (kind != std::pair(item.Category, item.LayoutVariant))
        sizeToDesignFrame(item);
    return true;
}

void MainWindow::openItemProperties(int slot) {
    if (!document().isLive(slot))
        return;
    editor_->setCurrentSlot(slot);
    LayoutItem item = document().item(slot);
    // OK without a change is no step.
    if (runPropertyDialog(item, false) && !(item == document().item(slot)))
        editor_->replaceItem(slot, item);
}

} // namespace tobirae
