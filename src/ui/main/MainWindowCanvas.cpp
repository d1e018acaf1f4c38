// The main window's canvas: page size, item previews, centring, the item lists and the position.
#include "render/RenderFrame.h"
#include "ui/dialogs/PageSizeDialog.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/editing/Placement.h"
#include "ui/main/CanvasGuides.h"
#include "ui/main/CanvasScene.h"
#include "ui/main/CanvasView.h"
#include "ui/main/ExportRunner.h"
#include "ui/main/ItemView.h"
#include "ui/main/OutputRangePanel.h"
#include "ui/main/PaperItem.h"
#include "ui/main/MainWindow.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <cmath>

namespace tobirae {

namespace {

// VB-style number text for the position labels: integers without a fraction.
QString coordinateText(double value) {
    return QString::number(value, 'g', 8);
}

} // namespace

bool MainWindow::changePageSize(bool skipDialog) {
    if (!skipDialog) {
        PageSizeDialog dialog(document().page, kLayoutDpi, this);
        if (dialog.exec() != QDialog::Accepted)
            return true;
        PageValues page = dialog.values();
        const QSize canvas = canvasSizeForPaper(page.PaperWidth, page.PaperHeight);
        if (canvas.isEmpty())
            return false;
        page.CanvasWidth = canvas.width();
        page.CanvasHeight = canvas.height();
        // The canvas follows through pageChanged, also when the change is undone.
        editor_->setPage(page, askPaperScale(editor_->canvasSize(), canvas));
        return true;
    }
    editor_->fitCanvasToPaper();
    if (editor_->canvasSize().isEmpty())
        return false;
    showPage();
    return true;
}

std::optional<PaperScale> MainWindow::askPaperScale(QSize from, QSize to) {
    if (from == to || document().itemList().empty())
        return std::nullopt;
    const PromptAnswer answer =
        prompts_.ask(QStringLiteral("アイテムを新しい用紙の大きさに合わせて拡大・縮小しますか？\r\n"
                                    "「いいえ」では、アイテムは今の位置と大きさのままです。"),
                     PromptButtons::YesNo);
    if (answer != PromptAnswer::Yes)
        return std::nullopt;
    return paperScale(from, to);
}

// The canvas and the page settings follow the document's page.
void MainWindow::showPage() {
    const PageValues& page = document().page;
    settings_.Page.PaperSize = page.PaperSize;
    settings_.Page.PaperWidth = page.PaperWidth;
    settings_.Page.PaperHeight = page.PaperHeight;
    settings_.Page.Resolution = page.ResolutionDpi;
    settings_.Page.Portrait = toB16(page.Portrait);
    settingsKeeper_->changed();
    scene_->showPage();
    updateGuides();
}

bool MainWindow::redrawAllItems() {
    scene_->redrawAllItems();
    if (scene_->focusedSlot() >= 0)
        showItemPosition(scene_->focusedSlot());
    return true;
}

bool MainWindow::updateGuides() {
    paper()->setBackColor(settings_.Page.PageBackColor);
    guides_->showGrid();
    editor_->setGridSnap(gridSnap());
    guides_->updateRulers();
    updateEditLineActions();
    return true;
}

bool MainWindow::centreSelectedItem(bool vertical, int slot) {
    if (slot < 0)
        slot = document().currentSlot();
    if (!document().isLive(slot))
        return false;
    editor_->centreItem(slot, vertical);
    return true;
}

bool MainWindow::showItemPosition(int slot) {
    if (!document().isLive(slot))
        return false;
    const LayoutItem& item = document().item(slot);
    showPosition(QRectF(item.Left, item.Top, item.Width + kItemFrame, item.Height + kItemFrame));
    return true;
}

void MainWindow::showPosition(const QRectF& view) {
    const auto& pointLabel_ = panel_.pointLabel_;
    pointLabel_[0]->setText(QStringLiteral("X=") + coordinateText(view.x()));
    pointLabel_[1]->setText(QStringLiteral("Y=") + coordinateText(view.y()));
    pointLabel_[2]->setText(QStringLiteral("幅=") + coordinateText(view.width()));
    pointLabel_[3]->setText(QStringLiteral("高さ=") + coordinateText(view.height()));
}

void MainWindow::selectItem(int slot, bool scrollIntoView) {
    ItemView* view = itemView(slot);
    if (!view || !document().isLive(slot))
        return;
    editor_->setCurrentSlot(slot);
    showCurrentSlot(slot);
    view->setFocus();
    if (scrollIntoView) {
        canvasView_->ensureVisible(view->sceneBoundingRect(), 0, 0);
        // Arrow keys and Delete go to the chosen item.
        canvasView_->setFocus();
    }
}

void MainWindow::showItemLists() {
    QComboBox* itemCombo_ = panel_.itemCombo_;
    QListWidget* drawingOrderList_ = panel_.drawingOrderList_;
    const QSignalBlocker blockItems(itemCombo_);
    const QSignalBlocker blockOrder(drawingOrderList_);
    itemCombo_->clear();
    for (const ListEntry& entry : document().itemList())
        itemCombo_->addItem(entry.text, entry.slot);
    const int current = document().currentSlot();
    itemCombo_->setCurrentIndex(document().isLive(current) ? document().listPosition(current) : -1);
    drawingOrderList_->clear();
    for (const ListEntry& entry : document().drawingOrder()) {
        auto* row = new QListWidgetItem(entry.text, drawingOrderList_);
        row->setData(Qt::UserRole, entry.slot);
    }
    showDrawingOrderRow();
}

void MainWindow::moveDrawingOrder(int step) {
    QListWidget* drawingOrderList_ = panel_.drawingOrderList_;
    const int index = drawingOrderList_->currentRow();
    const bool selected =
        index >= 0 && drawingOrderList_->currentItem() && drawingOrderList_->currentItem()->isSelected();
    const int moved = selected ? editor_->moveInDrawingOrder(index, step) : -1;
    if (moved < 0) {
        prompts_.message(QStringLiteral("順序を移動させるアイテム名を選択してください。"));
        return;
    }
    // The moved entry is the current item's.
    editor_->setCurrentSlot(document().drawingOrder()[static_cast<std::size_t>(moved)].slot);
    showDrawingOrderRow();
}

bool MainWindow::updateCaption() {
    // Paths use "/" here; a name typed with "\" still counts as a folder separator.
    QString name = document().path();
    name = name.mid(
        std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    // "[*]" is where Qt shows the unsaved-change mark.
    setWindowTitle((name.isEmpty() ? baseCaption_ : baseCaption_ + QStringLiteral(" - ") + name) +
                   QStringLiteral("[*]"));
    setWindowModified(editor_->isModified());
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    exports_->setExportName(dot < 0 ? name : name.left(dot));
    return true;
}

void MainWindow::zoomChanged() {
    zoomLabel_->setText(QStringLiteral("%1%").arg(std::lround(canvasView_->zoom() * 100)));
    guides_->setZoom(canvasView_->zoom());
    scene_->setDeviceScale(static_cast<float>(canvasView_->deviceScale()));
}

} // namespace tobirae
