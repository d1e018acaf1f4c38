// The layout being edited, with its history. It owns the LayoutDocument and a QUndoStack: every
// change to the layout is one undoable step made here, and the views follow the signals. Choosing
// the current item, the global mouse lock, resize mode and the clipboard are not changes to the
// layout and stay off the history. It is the only place that decides geometry: it places and
// fits new items, makes the canvas from the paper, a step that changes what decides an item's
// size (its contents, font or picture) measures the item in the same step, and the output month,
// which decides the size of year and month headings, is kept here and nowhere else.
#pragma once

#include "bitmap/PictureCache.h"
#include "document/LayoutDocument.h"
#include "ui/editing/GridSnap.h"
#include "ui/editing/ItemMeasure.h"
#include "ui/editing/PaperScale.h"

#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QUndoStack>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

namespace tobirae {

// What about an item a step changed.
enum class ItemChange : unsigned {
    Position = 1, // Left, Top
    Size = 2,     // Width, Height
    Flags = 4,    // Live, resize mode and the locks
    Content = 8,  // everything that is drawn
};
Q_DECLARE_FLAGS(ItemChanges, ItemChange)

ItemChanges itemDifferences(const LayoutItem& a, const LayoutItem& b);

// A new item of (category, variant) with the new-item defaults for the page, sized to its design
// frame (a picture without one gets 100 × 100).
LayoutItem newItemRecord(int category, int variant, const PageValues& page);
// The drawing area of a new item: its design frame, or 100 × 100 without one.
void sizeToDesignFrame(LayoutItem& item);

// The four position locks of the "位置" menu.
enum class PositionLock { X, Y, HCenter, VCenter };

// Decoded pictures an editor keeps: about ten photos of six megapixels.
inline constexpr qint64 kEditorPictureBytes = 256ll << 20;

class EditorDocument final : public QObject {
    Q_OBJECT
public:
    explicit EditorDocument(std::unique_ptr<LayoutDocument> document, QObject* parent = nullptr);
    ~EditorDocument() override;

    LayoutDocument& document() { return *document_; }
    const LayoutDocument& document() const { return *document_; }
    QUndoStack& undoStack() { return undoStack_; }
    QSize canvasSize() const;
    // What centring centres on: the paper in layout pixels when the canvas is that paper rounded
    // to whole pixels (1122.5 of A4's 1123), else the canvas. Centred on the rounded canvas, an
    // item would sit up to half a pixel off the middle of the page drawn from it.
    QSizeF centringArea() const;
    // The canvas a page of this paper gets, in layout pixels (empty for a paper without a size).
    static QSize canvasSizeFor(const PageValues& page);
    // Where relative picture paths start: the layout file's folder (empty for a new layout).
    QString layoutFolder() const;
    // Pictures decoded for measuring and for the previews, once each until a file changes.
    PictureCache& pictures() const { return pictures_; }

    // --- Not edits ---
    // A layout that was read: the session state (views, clipboard) carries over, no item stays in
    // resize mode, the history starts empty; the canvas and the items are sized as below.
    void replaceDocument(std::unique_ptr<LayoutDocument> document);
    // "新規作成": no items, empty history.
    void newDocument();
    // The layout was written to `path`: it becomes the document's file and the unsaved state
    // ends; the notice of settings this program could not read goes once its own file is
    // written over.
    void markSaved(const QString& path);
    // Whether the layout differs from what was last saved or read: the history is away from its
    // clean state, a recovered layout has not been saved yet, or a layout without a file has
    // items.
    bool isModified() const;
    // A layout brought back from a recovery copy: unsaved until saved.
    void markModified();
    // The canvas becomes the document's paper in layout pixels (when the paper has a size).
    void fitCanvasToPaper();
    void setCurrentSlot(int slot);
    bool allItemsLocked() const { return allItemsLocked_; }
    void setAllItemsLocked(bool on) { allItemsLocked_ = on; }
    // At most one item is in resize mode; turning it on for one ends it on the other.
    int resizeOwner() const;
    // When resize mode ends the constraint pass runs over every item (a step when it moves one).
    void setResizeMode(int slot, bool on);
    // Copies the item as it is; the source stays unchanged.
    bool copyItem(int slot);
    bool canPaste() const { return document_->clipboard().has_value(); }
    // Whether a slot is free for an added or pasted item.
    bool canAddItem() const { return document_->findSlotForNewItem().has_value(); }
    // The page month the previews show. Auto-sized items take their size for it (and a
    // centre-locked one its centre); it is not a change to the layout, so it is no step, and a
    // step undone or redone after the month changed is measured again for the month shown.
    // Nothing is measured before the month is first set.
    void setOutputMonth(int year, int month);
    std::optional<std::chrono::year_month> outputMonth() const { return outputMonth_; }
    // Grid snapping of drags and of the constraint pass. Editor state, not part of the layout.
    void setGridSnap(const GridSnap& grid) { grid_ = grid; }
    const GridSnap& gridSnap() const { return grid_; }

    // Page values changed by the page-size command, with every item scaled to the new page when
    // `scale` is given; the canvas follows the paper and the locks are applied again in the same
    // step. Grid snapping does not take part: an item the user did not move stays where it is.
    void setPage(const PageValues& page, std::optional<PaperScale> scale = std::nullopt);

    // --- Edits: each is one undoable step; false (or nullopt, -1) when nothing changed ---
    // "予定・休日の設定": the layout's own days, linked days files and their time zone.
    bool setOwnDays(const OwnDaysSettings& ownDays);
    // "追加": the record (already filled, e.g. by the property dialog) becomes a live item at
    // `topLeft` (the canvas corner when not given), listed last or, `behindOverlaps`, just
    // before the first item it overlaps (a new photo never hides a heading); with `fitContents`
    // it takes the size of its drawing. Returns the slot.
    std::optional<int> addItem(const LayoutItem& record,
                               std::optional<QPointF> topLeft = std::nullopt,
                               bool fitContents = false, bool behindOverlaps = false);
    // "アイテム追加" as the user asks for it: the record the property dialog confirmed goes where
    // the user is looking (`visibleArea`, in canvas pixels) on a free place; a picture starts at
    // its file's size and any item too large for the place is fitted to it with its shape kept.
    // Other items take the size of their drawing; a picture goes behind what it overlaps.
    std::optional<int> addItem(const LayoutItem& record, const QRectF& visibleArea);
    // "貼り付け": the clipboard's item, centred on `at` when given.
    std::optional<int> pasteItem(std::optional<QPointF> at);
    // "削除": the slot's own entries leave both lists.
    bool deleteItem(int slot);
    // "移動" at the end of a drag: the position locks decide the final place.
    bool dragItem(int slot, QPointF proposedTopLeft);
    // "移動" by an arrow key; a run of them on one item is one step.
    bool nudgeItem(int slot, int dx, int dy);
    // "サイズ変更": the view now covers `view`; the drawing area is 4 pixels smaller.
    bool resizeItem(int slot, QRectF view);
    // An explicit placement (edge moves, alignment, the position dialog): no lock is consulted and
    // the anchors become the new position. `size` is the drawing area when given.
    bool placeItem(int slot, QPointF topLeft, std::optional<QSizeF> size, const QString& text);
    // "ロック" / "ロック解除".
    bool setMoveLocked(int slot, bool on);
    // Toggles a position lock. X and horizontal centre exclude each other, as do Y and vertical
    // centre; an X or Y lock anchors at the current position, a centre lock centres the item.
    bool toggleLock(int slot, PositionLock lock);
    // "左右中央に移動" / "上下中央に移動": centred once, as an explicit placement.
    bool centreItem(int slot, bool vertical);
    // "詳細設定の変更": the property dialog's record replaces the item; its list entries follow a
    // change of kind.
    bool replaceItem(int slot, const LayoutItem& record);
    // "基準枠に合わせる": the item takes the size of its drawing for the output month.
    bool fitToContents(int slot);
    // A picture file dropped on a picture item.
    bool setPictureFile(int slot, const QString& path);
    // "描画順の変更": see LayoutDocument::moveInDrawingOrder.
    int moveInDrawingOrder(int index, int step);
    // "最前面へ" / "最背面へ": the item's entry becomes the last (first) of the drawing order, so
    // it is drawn over (under) every other item.
    bool bringToFront(int slot);
    bool sendToBack(int slot);
    // Whether the item is already drawn last (first); true for an item not in the drawing order,
    // which has nowhere to go.
    bool isInFront(int slot) const;
    bool isAtBack(int slot) const;
    // The constraint pass over every item: locked coordinates return to their anchor or the
    // centre, the others snap to the grid when snapping is on. One step when anything moves.
    bool constrainAllItems(const QString& text);
    // Any other change to one item as one step: `change` edits the record and its anchor.
    bool editItem(int slot, const QString& text,
                  const std::function<void(LayoutItem&, LockAnchor&)>& change);

signals:
    void outputMonthChanged(int year, int month);
    void itemChanged(int slot, tobirae::ItemChanges what);
    void itemAdded(int slot);
    void itemRemoved(int slot);
    void listsChanged();
    void orderChanged();
    void pageChanged();
    // The layout's own days changed: every preview is drawn again.
    void ownDaysChanged();
    void currentSlotChanged(int slot);
    void documentReplaced();
    void clipboardChanged(bool hasCopy);
    // isModified() may have changed.
    void modifiedChanged();

private:
    friend class EditCommand;
    struct State;

    State capture(const std::vector<int>& touched) const;
    void restore(const State& target, const State& from);
    void announce(const State& from, const State& to);
    // Runs `change` and records it as one step; `change` returns false when it did nothing.
    bool edit(const QString& text, std::vector<int> touched, const std::function<bool()>& change,
              int mergeId = -1);
    QPointF constrained(int slot, QPointF proposed, LockAnchor anchor) const;
    // The items the constraint pass would move, with their new top-left; `snap`: grid snapping
    // takes part as the settings say.
    std::vector<std::pair<int, QPointF>> constraintPassMoves(bool snap = true) const;
    // Puts the items there and anchors them (inside a step).
    void applyMoves(const std::vector<std::pair<int, QPointF>>& moves);
    // The record's size as what decides it says: a picture remembers its own size, an
    // auto-sized item (any item with `toContents`) takes the size of its content for the output
    // month and a centre-locked one is centred again.
    void fitRecord(int slot, bool toContents = false);
    // A new picture goes below the first item it overlaps in the drawing order, so it never
    // hides a heading or a month box (inside a step).
    void placeBehindOverlaps(int slot);

    std::unique_ptr<LayoutDocument> document_;
    QUndoStack undoStack_;
    bool allItemsLocked_ = false;
    bool recovered_ = false;
    GridSnap grid_;
    // A cache, not the document's state: drawing a preview from a const document fills it.
    mutable PictureCache pictures_{kEditorPictureBytes};
    ItemMeasure measure_{&pictures_};
    std::optional<std::chrono::year_month> outputMonth_;
};

} // namespace tobirae

Q_DECLARE_OPERATORS_FOR_FLAGS(tobirae::ItemChanges)

namespace tobirae {

// The month the previews show; January 1950, the first the year list offers, before one is set.
inline std::chrono::year_month outputMonthOf(const EditorDocument& editor) {
    return editor.outputMonth().value_or(std::chrono::year(1950) / std::chrono::January);
}

} // namespace tobirae
