// The main window's canvas: page size, item previews, centring, the item lists and the position.
#include "render/ImageItem.h"
#include "render/RenderFrame.h"
#include "ui/dialogs/SFrm_LayOut.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/editing/Placement.h"
#include "ui/main/CanvasView.h"
#include "ui/main/EditLineItem.h"
#include "ui/main/ItemView.h"
#include "ui/main/OutputRangePanel.h"
#include "ui/main/PaperItem.h"
#include "ui/main/SFrm_Main.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGraphicsScene>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTimer>
#include <cmath>

namespace tobirae {

namespace {

// Auto-size applies to year and month display items that are not fitted to their box.
bool autoSized(const LayoutItem& item) {
    return (item.Category == CategoryYear || item.Category == CategoryMonthDisplay) &&
           !isTrue(item.FitToRect);
}

QSize viewSizeOf(const LayoutItem& item) {
    return QSize(static_cast<int>(std::lround(item.Width + 4)),
                 static_cast<int>(std::lround(item.Height + 4)));
}

// VB-style number text for the position labels: integers without a fraction.
QString coordinateText(double value) {
    return QString::number(value, 'g', 8);
}

} // namespace

bool SFrm_Main::Fnc_LayOutPageSizeChange(bool skipDialog) {
    if (!skipDialog) {
        SFrm_LayOut dialog(document().page, kLayoutDpi, this);
        if (dialog.exec() != QDialog::Accepted)
            return true;
        PageValues page = dialog.values();
        const QSize canvas = Fnc_CanvasSize(page.PaperWidth, page.PaperHeight);
        if (canvas.isEmpty())
            return false;
        page.CanvasWidth = canvas.width();
        page.CanvasHeight = canvas.height();
        // The canvas follows through pageChanged, also when the change is undone.
        editor_->setPage(page, askPaperScale(editor_->canvasSize(), canvas));
        return true;
    }
    const QSize canvas = Fnc_CanvasSize(document().page.PaperWidth, document().page.PaperHeight);
    if (canvas.isEmpty())
        return false;
    document().page.CanvasWidth = canvas.width();
    document().page.CanvasHeight = canvas.height();
    showPage();
    return true;
}

std::optional<PaperScale> SFrm_Main::askPaperScale(QSize from, QSize to) {
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
void SFrm_Main::showPage() {
    const PageValues& page = document().page;
    settings_.Page.PaperSize = page.PaperSize;
    settings_.Page.PaperWidth = page.PaperWidth;
    settings_.Page.PaperHeight = page.PaperHeight;
    settings_.Page.Resolution = page.ResolutionDpi;
    settings_.Page.Portrait = toB16(page.Portrait);
    const QSizeF canvas(page.CanvasWidth, page.CanvasHeight);
    paper_->setPaperSize(canvas);
    scene_->setSceneRect(QRectF(QPointF(0, 0), canvas));
    Fnc_PageRePrint();
}

bool SFrm_Main::Fnc_PageRePrint() {
    paper_->setBackColor(settings_.Page.PageBackColor);
    paper_->setGrid(settings_.GridShown[0], settings_.GridX[0], settings_.GridY[0]);
    editor_->setGridSnap(gridSnap());
    Fnc_VHBarDisp();
    Fnc_SetEditLineMenu();
    return true;
}

QString SFrm_Main::layoutFolder() const {
    if (document().path().isEmpty())
        return {};
    return QFileInfo(document().path()).absolutePath();
}

ItemView* SFrm_Main::ensureView(int slot) {
    ItemView*& view = views_[static_cast<std::size_t>(slot)];
    if (!view) {
        view = new ItemView(slot);
        scene_->addItem(view);
        connectView(view);
    }
    return view;
}

void SFrm_Main::placeView(int slot) {
    ItemView* view = ensureView(slot);
    const LayoutItem& item = document().item(slot);
    view->setPos(item.Left, item.Top);
    view->setViewSize(viewSizeOf(item), static_cast<float>(canvasView_->deviceScale()));
}

// Makes the views on the canvas follow the document: a view per slot that has one, shown
// exactly when the document shows it, stacked in drawing order.
void SFrm_Main::syncViewsWithDocument() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        ItemView* view = views_[static_cast<std::size_t>(slot)];
        const bool visible = document().viewVisible(slot) && document().isLive(slot);
        if (visible) {
            placeView(slot);
            views_[static_cast<std::size_t>(slot)]->show();
        } else if (view) {
            view->hide();
            view->setFocusBorder(false);
        }
    }
    stackViewsInDrawingOrder();
}

void SFrm_Main::stackViewsInDrawingOrder() {
    qreal z = 0;
    for (const ListEntry& entry : document().drawingOrder()) {
        if (ItemView* view = itemView(entry.slot))
            view->setZValue(z += 1);
    }
}

bool SFrm_Main::Fnc_ItemPrint(bool autoSize) {
    const int slot = document().currentSlot();
    ItemView* view = itemView(slot);
    if (!view || !document().isLive(slot))
        return false;
    bool& guard = previewGuard_[static_cast<std::size_t>(slot)];
    if (guard)
        return true;
    guard = true;
    LayoutItem& item = document().item(slot);
    // A picture's own size is remembered in the item on its first draw and kept from then on.
    if (item.Category == CategoryPicture)
        Fnc_StorePictureSize(item, layoutFolder());
    view->setViewSize(viewSizeOf(item), static_cast<float>(canvasView_->deviceScale()));
    const QSize before = view->viewSize();
    DateRange range = pageDateRange(outputYear(), outputMonth());
    const bool ok = Fnc_LayOutItemDraw(previewContext_, item, &view->preview(), range, autoSize,
                                       DrawSurface{}, 0, 0, layoutFolder());
    const QSize after = view->viewSize();
    // Auto-size changed the view; the item's box follows it and a centred item is centred again.
    if (after != before || autoSized(item))
        editor_->applyAutoSize(slot,
                               QSizeF(after.width() - kViewFrame, after.height() - kViewFrame));
    view->update();
    guard = false;
    return ok;
}

bool SFrm_Main::autoSizes(int slot) const {
    return document().isLive(slot) && autoSized(document().item(slot));
}

bool SFrm_Main::drawItem(int slot, bool autoSize) {
    const int current = document().currentSlot();
    document().setCurrentSlot(slot);
    const bool ok = Fnc_ItemPrint(autoSize);
    document().setCurrentSlot(current);
    return ok;
}

bool SFrm_Main::Fnc_RefreshAllItem() {
    const int current = document().currentSlot();
    const bool suppressed = document().eventsSuppressed();
    document().setEventsSuppressed(true);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!document().isLive(slot) || !itemView(slot))
            continue;
        document().setCurrentSlot(slot);
        const LayoutItem& item = document().item(slot);
        const bool autoSize = autoSized(item);
        Fnc_ItemPrint(autoSize);
        if (autoSize && (isTrue(item.HCenterLocked) || isTrue(item.VCenterLocked)))
            Fnc_ItemPrint(false);
    }
    document().setEventsSuppressed(suppressed);
    document().setCurrentSlot(current);
    if (focusedSlot_ >= 0)
        Fnc_ItemPointDisp(focusedSlot_);
    return true;
}

bool SFrm_Main::Fnc_MoveSenter(bool vertical, int slot) {
    if (slot < 0)
        slot = document().currentSlot();
    if (!document().isLive(slot))
        return false;
    editor_->centreItem(slot, vertical);
    return true;
}

bool SFrm_Main::Fnc_ItemPointDisp(int slot) {
    if (!document().isLive(slot))
        return false;
    const LayoutItem& item = document().item(slot);
    showPosition(QRectF(item.Left, item.Top, item.Width + kViewFrame, item.Height + kViewFrame));
    return true;
}

void SFrm_Main::showPosition(const QRectF& view) {
    Lbl_Point[0]->setText(QStringLiteral("X=") + coordinateText(view.x()));
    Lbl_Point[1]->setText(QStringLiteral("Y=") + coordinateText(view.y()));
    Lbl_Point[2]->setText(QStringLiteral("幅=") + coordinateText(view.width()));
    Lbl_Point[3]->setText(QStringLiteral("高さ=") + coordinateText(view.height()));
}

void SFrm_Main::showFocus(int slot) {
    if (ItemView* previous = itemView(focusedSlot_))
        previous->setFocusBorder(false);
    focusedSlot_ = slot;
    if (ItemView* view = itemView(slot))
        view->setFocusBorder(true);
}

void SFrm_Main::selectItem(int slot, bool scrollIntoView) {
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

void SFrm_Main::showItemLists() {
    const QSignalBlocker blockItems(Cmb_Item);
    const QSignalBlocker blockOrder(Lst_PrintNo);
    Cmb_Item->clear();
    for (const ListEntry& entry : document().itemList())
        Cmb_Item->addItem(entry.text, entry.slot);
    const int current = document().currentSlot();
    Cmb_Item->setCurrentIndex(document().isLive(current) ? document().listPosition(current) : -1);
    const int orderRow = Lst_PrintNo->currentRow();
    Lst_PrintNo->clear();
    for (const ListEntry& entry : document().drawingOrder()) {
        auto* row = new QListWidgetItem(entry.text, Lst_PrintNo);
        row->setData(Qt::UserRole, entry.slot);
    }
    if (orderRow >= 0 && orderRow < Lst_PrintNo->count())
        Lst_PrintNo->setCurrentRow(orderRow);
}

void SFrm_Main::moveDrawingOrder(int step) {
    const int index = Lst_PrintNo->currentRow();
    const bool selected =
        index >= 0 && Lst_PrintNo->currentItem() && Lst_PrintNo->currentItem()->isSelected();
    const int moved = selected ? editor_->moveInDrawingOrder(index, step) : -1;
    if (moved < 0) {
        prompts_.message(QStringLiteral("順序を移動させるアイテム名を選択してください。"));
        return;
    }
    Lst_PrintNo->setCurrentRow(moved);
}

bool SFrm_Main::Fnc_SetMyCaption() {
    // Paths use "/" here; a name typed with "\" still counts as a folder separator.
    QString name = document().path();
    name = name.mid(
        std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    // "[*]" is where Qt shows the unsaved-change mark.
    setWindowTitle((name.isEmpty() ? baseCaption_ : baseCaption_ + QStringLiteral(" - ") + name) +
                   QStringLiteral("[*]"));
    setWindowModified(editor_->isModified());
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    exportName_ = dot < 0 ? name : name.left(dot);
    return true;
}

void SFrm_Main::zoomChanged() {
    Lbl_Zoom->setText(QStringLiteral("%1%").arg(std::lround(canvasView_->zoom() * 100)));
    for (int axis = 0; axis < 2; ++axis) {
        for (int index = 0; index < 2; ++index)
            editLine(axis, index)->setZoom(canvasView_->zoom());
    }
    // Redraw the previews at the new resolution once the zooming has come to rest.
    zoomTimer_->start();
}

} // namespace tobirae
