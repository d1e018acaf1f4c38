// The main window's canvas: page size, item previews, centring, the item lists and the position.
#include "render/ImageItem.h"
#include "render/RenderFrame.h"
#include "ui/dialogs/SFrm_LayOut.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/CanvasView.h"
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
        SFrm_LayOut dialog(document_->page, kLayoutDpi, this);
        if (dialog.exec() != QDialog::Accepted)
            return true;
        PageValues page = dialog.values();
        page.CanvasWidth = document_->page.CanvasWidth;
        page.CanvasHeight = document_->page.CanvasHeight;
        document_->page = page;
        settings_.Page.PaperSize = page.PaperSize;
        settings_.Page.PaperWidth = page.PaperWidth;
        settings_.Page.PaperHeight = page.PaperHeight;
        settings_.Page.Resolution = page.ResolutionDpi;
        settings_.Page.Portrait = toB16(page.Portrait);
    }
    const QSize canvas = Fnc_CanvasSize(document_->page.PaperWidth, document_->page.PaperHeight);
    if (canvas.isEmpty())
        return false;
    document_->page.CanvasWidth = canvas.width();
    document_->page.CanvasHeight = canvas.height();
    paper_->setPaperSize(QSizeF(canvas));
    scene_->setSceneRect(QRectF(QPointF(0, 0), QSizeF(canvas)));
    return Fnc_PageRePrint();
}

bool SFrm_Main::Fnc_PageRePrint() {
    paper_->setBackColor(settings_.Page.PageBackColor);
    paper_->setGrid(settings_.GridShown[0], settings_.GridX[0], settings_.GridY[0]);
    return true;
}

QString SFrm_Main::layoutFolder() const {
    if (document_->path().isEmpty())
        return {};
    return QFileInfo(document_->path()).absolutePath();
}

ItemView* SFrm_Main::ensureView(int slot) {
    ItemView*& view = views_[static_cast<std::size_t>(slot)];
    if (!view) {
        view = new ItemView(slot);
        scene_->addItem(view);
        connect(view, &ItemView::pressed, this, &SFrm_Main::selectItem);
    }
    return view;
}

void SFrm_Main::placeView(int slot) {
    ItemView* view = ensureView(slot);
    const LayoutItem& item = document_->item(slot);
    view->setPos(item.Left, item.Top);
    view->setViewSize(viewSizeOf(item), static_cast<float>(canvasView_->deviceScale()));
}

// Makes the views on the canvas follow the document: a view per slot that has one, shown
// exactly when the document shows it, stacked in drawing order.
void SFrm_Main::syncViewsWithDocument() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        ItemView* view = views_[static_cast<std::size_t>(slot)];
        const bool visible = document_->viewVisible(slot) && document_->isLive(slot);
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
    for (const ListEntry& entry : document_->drawingOrder()) {
        if (ItemView* view = itemView(entry.slot))
            view->setZValue(z += 1);
    }
}

bool SFrm_Main::Fnc_ItemPrint(bool autoSize) {
    const int slot = document_->currentSlot();
    ItemView* view = itemView(slot);
    if (!view || !document_->isLive(slot))
        return false;
    bool& guard = previewGuard_[static_cast<std::size_t>(slot)];
    if (guard)
        return true;
    guard = true;
    LayoutItem& item = document_->item(slot);
    // A picture's own size is remembered in the item on its first draw and kept from then on.
    if (item.Category == CategoryPicture)
        Fnc_StorePictureSize(item, layoutFolder());
    view->setViewSize(view->viewSize(), static_cast<float>(canvasView_->deviceScale()));
    const QSize before = view->viewSize();
    DateRange range = pageDateRange(outputYear(), outputMonth());
    const bool ok = Fnc_LayOutItemDraw(previewContext_, item, &view->preview(), range, autoSize,
                                       DrawSurface{}, 0, 0, layoutFolder());
    const QSize after = view->viewSize();
    if (after != before) {
        // Auto-size changed the view; the item's box follows it.
        item.Width = static_cast<float>(after.width() - 4);
        item.Height = static_cast<float>(after.height() - 4);
    }
    if (autoSized(item)) {
        if (isTrue(item.HCenterLocked))
            Fnc_MoveSenter(false, slot);
        if (isTrue(item.VCenterLocked))
            Fnc_MoveSenter(true, slot);
    }
    view->update();
    guard = false;
    return ok;
}

bool SFrm_Main::Fnc_RefreshAllItem() {
    const bool suppressed = document_->eventsSuppressed();
    document_->setEventsSuppressed(true);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!document_->isLive(slot) || !itemView(slot))
            continue;
        document_->setCurrentSlot(slot);
        const LayoutItem& item = document_->item(slot);
        const bool autoSize = autoSized(item);
        Fnc_ItemPrint(autoSize);
        if (autoSize && (isTrue(item.HCenterLocked) || isTrue(item.VCenterLocked)))
            Fnc_ItemPrint(false);
    }
    document_->setEventsSuppressed(suppressed);
    if (focusedSlot_ >= 0)
        Fnc_ItemPointDisp(focusedSlot_);
    return true;
}

bool SFrm_Main::Fnc_MoveSenter(bool vertical, int slot) {
    if (slot < 0)
        slot = document_->currentSlot();
    ItemView* view = itemView(slot);
    if (!view)
        return false;
    LayoutItem& item = document_->item(slot);
    const QSize size = view->viewSize();
    if (vertical)
        item.Top = static_cast<float>(document_->page.CanvasHeight - (size.height() - 4)) / 2;
    else
        item.Left = static_cast<float>(document_->page.CanvasWidth - (size.width() - 4)) / 2;
    view->setPos(item.Left, item.Top);
    if (slot == focusedSlot_)
        Fnc_ItemPointDisp(slot);
    return true;
}

// After a page-size change the centre-locked items move to the new centre.
void SFrm_Main::applyCentreLocks() {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!document_->isLive(slot) || !itemView(slot))
            continue;
        const LayoutItem& item = document_->item(slot);
        if (isTrue(item.HCenterLocked))
            Fnc_MoveSenter(false, slot);
        if (isTrue(item.VCenterLocked))
            Fnc_MoveSenter(true, slot);
    }
}

bool SFrm_Main::Fnc_ItemPointDisp(int slot) {
    ItemView* view = itemView(slot);
    if (!view)
        return false;
    const QSize size = view->viewSize();
    Lbl_Point[0]->setText(QStringLiteral("X=") + coordinateText(view->pos().x()));
    Lbl_Point[1]->setText(QStringLiteral("Y=") + coordinateText(view->pos().y()));
    Lbl_Point[2]->setText(QStringLiteral("幅=") + coordinateText(size.width()));
    Lbl_Point[3]->setText(QStringLiteral("高さ=") + coordinateText(size.height()));
    return true;
}

void SFrm_Main::showFocus(int slot) {
    if (ItemView* previous = itemView(focusedSlot_))
        previous->setFocusBorder(false);
    focusedSlot_ = slot;
    if (ItemView* view = itemView(slot))
        view->setFocusBorder(true);
}

void SFrm_Main::selectItem(int slot) {
    ItemView* view = itemView(slot);
    if (!view || !document_->isLive(slot))
        return;
    document_->setCurrentSlot(slot);
    const int position = document_->listPosition(slot);
    if (position >= 0 && Cmb_Item->currentIndex() != position) {
        const QSignalBlocker block(Cmb_Item);
        Cmb_Item->setCurrentIndex(position);
    }
    canvasView_->ensureVisible(view->sceneBoundingRect(), 0, 0);
    showFocus(slot);
    Fnc_ItemPointDisp(slot);
}

void SFrm_Main::showItemLists() {
    const QSignalBlocker blockItems(Cmb_Item);
    const QSignalBlocker blockOrder(Lst_PrintNo);
    Cmb_Item->clear();
    for (const ListEntry& entry : document_->itemList())
        Cmb_Item->addItem(entry.text, entry.slot);
    Cmb_Item->setCurrentIndex(-1);
    Lst_PrintNo->clear();
    for (const ListEntry& entry : document_->drawingOrder()) {
        auto* row = new QListWidgetItem(entry.text, Lst_PrintNo);
        row->setData(Qt::UserRole, entry.slot);
    }
    for (QLabel* label : Lbl_Point)
        label->clear();
    showFocus(-1);
}

void SFrm_Main::moveDrawingOrder(int step) {
    const int index = Lst_PrintNo->currentRow();
    const bool selected =
        index >= 0 && Lst_PrintNo->currentItem() && Lst_PrintNo->currentItem()->isSelected();
    const int moved = selected ? document_->moveInDrawingOrder(index, step) : -1;
    if (moved < 0) {
        prompts_.message(QStringLiteral("順序を移動させるアイテム名を選択してください。"));
        return;
    }
    if (moved == index)
        return;
    const auto& order = document_->drawingOrder();
    for (int row : {index, moved}) {
        QListWidgetItem* entry = Lst_PrintNo->item(row);
        entry->setText(order[static_cast<std::size_t>(row)].text);
        entry->setData(Qt::UserRole, order[static_cast<std::size_t>(row)].slot);
    }
    Lst_PrintNo->setCurrentRow(moved);
    stackViewsInDrawingOrder();
}

bool SFrm_Main::Fnc_SetMyCaption() {
    // Paths use "/" here; a name typed with "\" still counts as a folder separator.
    QString name = document_->path();
    name = name.mid(
        std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    setWindowTitle(name.isEmpty() ? baseCaption_ : baseCaption_ + QStringLiteral(" - ") + name);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    exportName_ = dot < 0 ? name : name.left(dot);
    return true;
}

void SFrm_Main::zoomChanged() {
    Lbl_Zoom->setText(QStringLiteral("%1%").arg(std::lround(canvasView_->zoom() * 100)));
    // Redraw the previews at the new resolution once the zooming has come to rest.
    zoomTimer_->start();
}

} // namespace tobirae
