// LayoutDocument: one layout's contents. It holds the working page values, the 100 item slots
// with their bookkeeping (item numbers, whether each is live, lock anchors, list positions), the
// item list and the drawing-order list, the current slot, the clipboard and the document path.
// It needs no widgets, so every list and slot rule can be exercised without a display; the editor
// changes it only through EditorDocument, which records each change as an undoable step.
#pragma once

#include "document/LayoutItem.h"
#include "document/PageSettings.h"

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace tobirae {

inline constexpr int kSlotCount = 100;

// The page as the editor works with it (the header of a layout file holds a subset).
struct PageValues {
    std::int32_t PaperSize = 0; // 0 A4, 1 size given by the user
    float PaperWidth = 210;     // millimetres, as oriented
    float PaperHeight = 297;
    std::int32_t ResolutionIndex = 4; // 0..5
    std::int32_t ResolutionDpi = 300;
    bool Portrait = true;
    int CanvasWidth = 0; // pixels of the editing canvas; the main window sets them
    int CanvasHeight = 0;

    bool operator==(const PageValues&) const = default;
};

// One entry of the item list or the drawing-order list.
struct ListEntry {
    QString text; // the number right-aligned in two characters, a blank, the kind label
    int slot = -1;
    bool operator==(const ListEntry&) const = default;
};

// " 1 年表示", "12 月表示": the number right-aligned in two characters, a blank, the label.
QString listEntryText(int number, const QString& label);
// The number at the start of an entry text (leading blanks ignored); 0 when there is none.
int listEntryNumber(const QString& text);
// The label part: the text after that number and its one blank.
QString listEntryLabel(const QString& text);

// The item view's left and top when the item was last placed (used by the position locks). Kept
// as placed, fractions included, so a locked item returns exactly where it was.
struct LockAnchor {
    float Left = 0;
    float Top = 0;
    bool operator==(const LockAnchor&) const = default;
};

// Where a new or pasted item goes, and whether its item view has to be created.
struct NewItemSlot {
    int slot = -1;
    bool createsView = false;
};

// Everything about the slots except their records: views, numbers, list positions, anchors, the
// current slot and both lists. Edits keep one from before and one from after, so undoing gives
// back the numbers and lists exactly.
struct SlotBookkeeping {
    std::array<bool, kSlotCount> viewExists{};
    std::array<bool, kSlotCount> viewVisible{};
    std::array<int, kSlotCount> itemNumber{};
    std::array<int, kSlotCount> listPosition{};
    std::array<LockAnchor, kSlotCount> anchor{};
    int highestItemNumber = 0;
    int currentSlot = -1;
    std::vector<ListEntry> itemList;
    std::vector<ListEntry> drawingOrder;

    bool operator==(const SlotBookkeeping&) const = default;
};

class LayoutDocument {
public:
    LayoutDocument();

    PageValues page;
    // Document-wide values of the extension block.
    DocumentExtension extension;
    // What reading the file left out of its extension block (a damaged or newer block); empty
    // otherwise. Saving over the file would lose it, so the editor asks first.
    QString extensionNotice;

    // --- Items ---
    // Slots are 0..99; the accessors throw std::out_of_range for other values.
    LayoutItem& item(int slot);
    const LayoutItem& item(int slot) const;
    bool isLive(int slot) const; // false for slots out of range
    int liveCount() const;
    // The slots to draw and to save: drawing-order entries whose slot is live and has a view.
    std::vector<int> liveSlotsInDrawingOrder() const;

    // --- Item views (mirrored by the main window) ---
    bool viewExists(int slot) const; // false for slots out of range, never throws
    bool viewVisible(int slot) const;
    void createView(int slot);                   // a new view starts hidden
    void setViewVisible(int slot, bool visible); // creates the view when needed
    int viewCount() const;                       // views created so far, 0..100

    // --- Per-slot bookkeeping ---
    int itemNumber(int slot) const; // 0 for an empty slot
    int highestItemNumber() const;
    // Gives the slot 1 + the highest number given so far and returns it.
    int giveNextItemNumber(int slot);
    int listPosition(int slot) const; // index of the slot's item-list entry, -1 when not listed
    LockAnchor anchor(int slot) const;
    void setAnchor(int slot, LockAnchor anchor);

    // --- Current slot, clipboard, path ---
    int currentSlot() const { return m_currentSlot; } // -1 when there is no current item
    void setCurrentSlot(int slot);                    // -1 or 0..99
    // The item of the current slot; null when there is no current item.
    LayoutItem* currentItem() { return m_currentSlot < 0 ? nullptr : &item(m_currentSlot); }
    const LayoutItem* currentItem() const {
        return m_currentSlot < 0 ? nullptr : &item(m_currentSlot);
    }
    const std::optional<LayoutItem>& clipboard() const { return m_clipboard; }
    void setClipboard(const LayoutItem& item) { m_clipboard = item; }
    const QString& path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }

    // --- Item list and drawing-order list ---
    const std::vector<ListEntry>& itemList() const { return m_itemList; }
    const std::vector<ListEntry>& drawingOrder() const { return m_drawingOrder; }
    // Rebuilds the item list from the shown views, ordered by item number, numbered 1, 2, …
    void rebuildItemList();
    // Rebuilds the drawing-order list the same way (after a layout file has been read).
    void rebuildDrawingOrder();
    // Appends a copy of the item list's last entry when the item list is longer.
    void appendToDrawingOrder();
    // Removes the entry that begins with entryText and renumbers the entries above its number.
    bool removeFromDrawingOrder(const QString& entryText);
    // After the slot's kind changed: relabels its item-list entry and the matching
    // drawing-order entry.
    bool relabelItem(int slot);
    // Moves drawing-order entry `index` one place earlier (step -1) or later (+1) by exchanging it
    // with its neighbour. Returns the entry's index afterwards (unchanged at either end), or -1
    // when index is not an entry (the caller then asks the user to select one).
    int moveInDrawingOrder(int index, int step);

    SlotBookkeeping bookkeeping() const;
    void restoreBookkeeping(const SlotBookkeeping& state);

    // --- Editing steps without widgets ---
    // The slot an added or pasted item would take; nullopt when all 100 slots are in use.
    // Does not change the document.
    std::optional<NewItemSlot> findSlotForNewItem() const;
    // Makes the slot's item (already filled by the caller) a live, shown, numbered item at the
    // top-left corner, clears its editor flags, and lists it last in the drawing order.
    // Returns the item number given.
    int commitNewItem(int slot);
    // Hides the view, empties the slot, rebuilds the item list and drops the drawing-order entry.
    bool deleteItem(int slot);
    // "新規作成": no live items, hidden views, empty lists and path, no current item. Item numbers
    // already given are not reused.
    void clearForNewDocument();
    // Carries what outlives a document into a freshly read one: created views (hidden unless
    // their slot is live here) and the clipboard.
    void carrySessionStateFrom(const LayoutDocument& previous);

    // A document built from the records of a layout file in file order: slots 0.., each live
    // slot numbered in slot order with a shown view anchored at its position, both lists built.
    static std::unique_ptr<LayoutDocument> fromRecords(const PageSettings& header,
                                                       std::span<const LayoutItem> records,
                                                       std::int32_t screenDpi);

private:
    void rebuildSortedList(std::vector<ListEntry>& list, bool recordPositions);

    std::vector<LayoutItem> m_items; // kSlotCount records, on the heap (they are large)
    std::array<bool, kSlotCount> m_viewExists{};
    std::array<bool, kSlotCount> m_viewVisible{};
    std::array<int, kSlotCount> m_itemNumber{};
    std::array<int, kSlotCount> m_listPosition{};
    std::array<LockAnchor, kSlotCount> m_anchor{};
    int m_highestItemNumber = 0;
    int m_currentSlot = -1;
    std::optional<LayoutItem> m_clipboard;
    QString m_path;
    std::vector<ListEntry> m_itemList;
    std::vector<ListEntry> m_drawingOrder;
};

} // namespace tobirae
