#include "document/LayoutDocument.h"

#include "document/ResolutionTable.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace tobirae {

namespace {

bool validSlot(int slot) {
    return slot >= 0 && slot < kSlotCount;
}

std::size_t checkedSlot(int slot) {
    if (!validSlot(slot))
        throw std::out_of_range("item slot out of range");
    return static_cast<std::size_t>(slot);
}

// A coordinate read from a file; one that is not a number counts as 0.
float finiteOrZero(float value) {
    return std::isfinite(value) ? value : 0.f;
}

} // namespace

QString listEntryText(int number, const QString& label) {
    // Two characters right-aligned; a number of three digits (the hundredth item) is kept whole
    // instead of being cut to its last two digits, which would make it read as a different item.
    QString digits = QString::number(number);
    if (digits.size() < 2)
        digits.prepend(QLatin1Char(' '));
    return digits + QLatin1Char(' ') + label;
}

int listEntryNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    int number = 0;
    bool any = false;
    while (i < text.size() && text.at(i).isDigit() && number < 100000) {
        number = number * 10 + text.at(i).digitValue();
        any = true;
        ++i;
    }
    return any ? number : 0;
}

QString listEntryLabel(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    while (i < text.size() && text.at(i).isDigit())
        ++i;
    return i < text.size() ? text.mid(i + 1) : QString();
}

LayoutDocument::LayoutDocument() : m_items(kSlotCount) {
    m_listPosition.fill(-1);
}

LayoutItem& LayoutDocument::item(int slot) {
    return m_items[checkedSlot(slot)];
}
const LayoutItem& LayoutDocument::item(int slot) const {
    return m_items[checkedSlot(slot)];
}

bool LayoutDocument::isLive(int slot) const {
    return validSlot(slot) && isTrue(m_items[static_cast<std::size_t>(slot)].Live);
}

int LayoutDocument::liveCount() const {
    return static_cast<int>(std::count_if(m_items.begin(), m_items.end(),
                                          [](const LayoutItem& i) { return isTrue(i.Live); }));
}

std::vector<int> LayoutDocument::liveSlotsInDrawingOrder() const {
    std::vector<int> slotList;
    for (const ListEntry& entry : m_drawingOrder)
        if (isLive(entry.slot) && viewExists(entry.slot) &&
            std::find(slotList.begin(), slotList.end(), entry.slot) == slotList.end())
            slotList.push_back(entry.slot);
    return slotList;
}

bool LayoutDocument::viewExists(int slot) const {
    return validSlot(slot) && m_viewExists[static_cast<std::size_t>(slot)];
}

bool LayoutDocument::viewVisible(int slot) const {
    return validSlot(slot) && m_viewVisible[static_cast<std::size_t>(slot)];
}

void LayoutDocument::createView(int slot) {
    m_viewExists[checkedSlot(slot)] = true;
}

void LayoutDocument::setViewVisible(int slot, bool visible) {
    const std::size_t s = checkedSlot(slot);
    if (visible)
        m_viewExists[s] = true;
    m_viewVisible[s] = visible && m_viewExists[s];
}

int LayoutDocument::viewCount() const {
    return static_cast<int>(std::count(m_viewExists.begin(), m_viewExists.end(), true));
}

int LayoutDocument::itemNumber(int slot) const {
    return m_itemNumber[checkedSlot(slot)];
}

int LayoutDocument::highestItemNumber() const {
    return m_highestItemNumber;
}

int LayoutDocument::giveNextItemNumber(int slot) {
    const std::size_t s = checkedSlot(slot);
    m_itemNumber[s] = ++m_highestItemNumber;
    return m_itemNumber[s];
}

int LayoutDocument::listPosition(int slot) const {
    return m_listPosition[checkedSlot(slot)];
}

LockAnchor LayoutDocument::anchor(int slot) const {
    return m_anchor[checkedSlot(slot)];
}
void LayoutDocument::setAnchor(int slot, LockAnchor anchor) {
    m_anchor[checkedSlot(slot)] = anchor;
}

void LayoutDocument::setCurrentSlot(int slot) {
    m_currentSlot = validSlot(slot) ? slot : -1;
}

void LayoutDocument::rebuildSortedList(std::vector<ListEntry>& list, bool recordPositions) {
    std::vector<int> slotList;
    for (int s = 0; s < kSlotCount; ++s)
        if (m_viewVisible[static_cast<std::size_t>(s)])
            slotList.push_back(s);
    std::stable_sort(slotList.begin(), slotList.end(), [this](int a, int b) {
        return m_itemNumber[static_cast<std::size_t>(a)] <
               m_itemNumber[static_cast<std::size_t>(b)];
    });
    list.clear();
    if (recordPositions)
        m_listPosition.fill(-1);
    for (std::size_t rank = 0; rank < slotList.size(); ++rank) {
        const int slot = slotList[rank];
        list.push_back(
            {listEntryText(static_cast<int>(rank) + 1, itemKindLabel(item(slot))), slot});
        if (recordPositions)
            m_listPosition[static_cast<std::size_t>(slot)] = static_cast<int>(rank);
    }
}

void LayoutDocument::rebuildItemList() {
    rebuildSortedList(m_itemList, true);
}

void LayoutDocument::rebuildDrawingOrder() {
    rebuildSortedList(m_drawingOrder, false);
}

void LayoutDocument::appendToDrawingOrder() {
    if (m_itemList.size() > m_drawingOrder.size())
        m_drawingOrder.push_back(m_itemList.back());
}

bool LayoutDocument::removeFromDrawingOrder(const QString& entryText) {
    const int number = listEntryNumber(entryText);
    const auto found =
        std::find_if(m_drawingOrder.begin(), m_drawingOrder.end(), [&](const ListEntry& e) {
            return e.text.startsWith(entryText) && listEntryNumber(e.text) == number;
        });
    if (found == m_drawingOrder.end())
        return false;
    m_drawingOrder.erase(found);
    for (ListEntry& entry : m_drawingOrder) {
        const int m = listEntryNumber(entry.text);
        if (m > number)
            entry.text = listEntryText(m - 1, listEntryLabel(entry.text));
    }
    return true;
}

bool LayoutDocument::relabelItem(int slot) {
    if (!validSlot(slot))
        return false;
    const int pos = m_listPosition[static_cast<std::size_t>(slot)];
    if (pos < 0 || pos >= static_cast<int>(m_itemList.size()))
        return false;
    ListEntry& listed = m_itemList[static_cast<std::size_t>(pos)];
    const QString oldText = listed.text;
    const int number = listEntryNumber(oldText);
    listed.text = listEntryText(number, itemKindLabel(item(slot)));
    for (ListEntry& entry : m_drawingOrder) {
        if (entry.text.startsWith(oldText) && listEntryNumber(entry.text) == number) {
            entry.text = listed.text;
            break;
        }
    }
    return true;
}

int LayoutDocument::moveInDrawingOrder(int index, int step) {
    const int count = static_cast<int>(m_drawingOrder.size());
    if (index < 0 || index >= count)
        return -1;
    const int target = index + (step < 0 ? -1 : 1);
    if (target < 0 || target >= count)
        return index;
    std::swap(m_drawingOrder[static_cast<std::size_t>(index)],
              m_drawingOrder[static_cast<std::size_t>(target)]);
    return target;
}

SlotBookkeeping LayoutDocument::bookkeeping() const {
    return {m_viewExists,        m_viewVisible, m_itemNumber, m_listPosition, m_anchor,
            m_highestItemNumber, m_currentSlot, m_itemList,   m_drawingOrder};
}

void LayoutDocument::restoreBookkeeping(const SlotBookkeeping& state) {
    m_viewExists = state.viewExists;
    m_viewVisible = state.viewVisible;
    m_itemNumber = state.itemNumber;
    m_listPosition = state.listPosition;
    m_anchor = state.anchor;
    m_highestItemNumber = state.highestItemNumber;
    m_currentSlot = state.currentSlot;
    m_itemList = state.itemList;
    m_drawingOrder = state.drawingOrder;
}

std::optional<NewItemSlot> LayoutDocument::findSlotForNewItem() const {
    if (viewCount() < kSlotCount) {
        for (int s = 0; s < kSlotCount; ++s)
            if (viewExists(s) && !viewVisible(s) && !isLive(s))
                return NewItemSlot{s, false};
        for (int s = 0; s < kSlotCount; ++s)
            if (!viewExists(s) && !isLive(s))
                return NewItemSlot{s, true};
    }
    for (int s = 0; s < kSlotCount; ++s)
        if (!isLive(s) && !viewVisible(s))
            return NewItemSlot{s, !viewExists(s)};
    return std::nullopt;
}

int LayoutDocument::commitNewItem(int slot) {
    LayoutItem& it = item(slot);
    if (!viewVisible(slot)) {
        giveNextItemNumber(slot);
        it.Live = kTrue;
        it.MoveLocked = kFalse;
        it.HCenterLocked = kFalse;
        it.VCenterLocked = kFalse;
        it.XLocked = kFalse;
        it.YLocked = kFalse;
        it.SizeChangeMode = kFalse;
        it.Top = 0;
        it.Left = 0;
        setViewVisible(slot, true);
        setAnchor(slot, {});
    }
    m_currentSlot = slot;
    rebuildItemList();
    appendToDrawingOrder();
    return itemNumber(slot);
}

bool LayoutDocument::deleteItem(int slot) {
    if (!validSlot(slot))
        return false;
    const int pos = m_listPosition[static_cast<std::size_t>(slot)];
    const QString entryText = (pos >= 0 && pos < static_cast<int>(m_itemList.size()))
                                  ? m_itemList[static_cast<std::size_t>(pos)].text
                                  : QString();
    setViewVisible(slot, false);
    item(slot).Live = kFalse;
    m_itemNumber[static_cast<std::size_t>(slot)] = 0;
    rebuildItemList();
    if (entryText.isEmpty())
        return false;
    return removeFromDrawingOrder(entryText);
}

void LayoutDocument::clearForNewDocument() {
    for (int s = 0; s < kSlotCount; ++s) {
        m_items[static_cast<std::size_t>(s)].Live = kFalse;
        m_viewVisible[static_cast<std::size_t>(s)] = false;
        m_itemNumber[static_cast<std::size_t>(s)] = 0;
    }
    m_listPosition.fill(-1);
    m_itemList.clear();
    m_drawingOrder.clear();
    m_path.clear();
    m_currentSlot = -1;
    extension = {};
    extensionNotice.clear();
}

void LayoutDocument::carrySessionStateFrom(const LayoutDocument& previous) {
    for (std::size_t s = 0; s < static_cast<std::size_t>(kSlotCount); ++s)
        if (previous.m_viewExists[s])
            m_viewExists[s] = true;
    m_clipboard = previous.m_clipboard;
}

std::unique_ptr<LayoutDocument> LayoutDocument::fromRecords(const PageSettings& header,
                                                            std::span<const LayoutItem> records,
                                                            std::int32_t screenDpi) {
    auto doc = std::make_unique<LayoutDocument>();
    doc->page.PaperSize = header.PaperSize;
    doc->page.PaperWidth = header.PaperWidth;
    doc->page.PaperHeight = header.PaperHeight;
    doc->page.ResolutionIndex = header.Resolution;
    doc->page.ResolutionDpi = resolutionIndexToDpi(header.Resolution, screenDpi);
    doc->page.Portrait = isTrue(header.Portrait);

    const std::size_t count = std::min(records.size(), static_cast<std::size_t>(kSlotCount));
    std::copy_n(records.begin(), count, doc->m_items.begin());
    for (int s = 0; s < kSlotCount; ++s) {
        if (!doc->isLive(s))
            continue;
        doc->giveNextItemNumber(s);
        doc->setViewVisible(s, true);
        const LayoutItem& it = doc->item(s);
        doc->setAnchor(s, {finiteOrZero(it.Left), finiteOrZero(it.Top)});
    }
    doc->rebuildItemList();
    doc->rebuildDrawingOrder();
    return doc;
}

} // namespace tobirae
