#include "document/LayoutDocument.h"

#include "LayoutSamples.h"

#include <gtest/gtest.h>

namespace tobirae {
namespace {

using testing::liveItem;

// Adds an item the way the editor does: find a slot, fill it, commit it.
int addItem(LayoutDocument& doc, std::int32_t category, std::int32_t variant = 0) {
    const auto where = doc.findSlotForNewItem();
    if (!where)
        return -1;
    doc.item(where->slot) = liveItem(category, variant);
    doc.commitNewItem(where->slot);
    return where->slot;
}

std::vector<QString> texts(const std::vector<ListEntry>& list) {
    std::vector<QString> out;
    for (const ListEntry& e : list)
        out.push_back(e.text);
    return out;
}

TEST(ListEntryText, NumberRightAlignedInTwoCharacters) {
    const struct {
        int number;
        QString label;
        QString text;
    } cases[] = {
        {1, QStringLiteral("年表示"), QStringLiteral(" 1 年表示")},
        {12, QStringLiteral("月表示"), QStringLiteral("12 月表示")},
        {3, QString(), QStringLiteral(" 3 ")},
        {100, QStringLiteral("画像表示"), QStringLiteral("100 画像表示")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(listEntryText(c.number, c.label), c.text);
        EXPECT_EQ(listEntryNumber(c.text), c.number);
        EXPECT_EQ(listEntryLabel(c.text), c.label);
    }
}

TEST(LayoutDocumentLists, DeletingTheMiddleItemRenumbersTheLaterEntries) {
    LayoutDocument doc;
    addItem(doc, CategoryYear);
    addItem(doc, CategoryMonthDisplay);
    addItem(doc, CategoryMonthFamily, VariantBoxMini);
    // drawing order: slot 2 first, so renumbering cannot rely on positions
    ASSERT_EQ(doc.moveInDrawingOrder(2, -1), 1);
    ASSERT_EQ(doc.moveInDrawingOrder(1, -1), 0);

    ASSERT_TRUE(doc.deleteItem(1));
    EXPECT_EQ(texts(doc.itemList()),
              (std::vector<QString>{QStringLiteral(" 1 年表示"), QStringLiteral(" 2 月BoxMini")}));
    ASSERT_EQ(doc.drawingOrder().size(), 2u);
    EXPECT_EQ(doc.drawingOrder()[0], (ListEntry{QStringLiteral(" 2 月BoxMini"), 2}));
    EXPECT_EQ(doc.drawingOrder()[1], (ListEntry{QStringLiteral(" 1 年表示"), 0}));
    EXPECT_EQ(doc.listPosition(2), 1);
    EXPECT_EQ(doc.listPosition(1), -1);
    EXPECT_EQ(doc.itemNumber(1), 0);
    EXPECT_FALSE(doc.isLive(1));
    EXPECT_TRUE(doc.viewExists(1)) << "a deleted item's view is hidden, not destroyed";
    EXPECT_FALSE(doc.viewVisible(1));
}

TEST(LayoutDocumentLists, UnknownKindIsListedWithItsNumberOnly) {
    LayoutDocument doc;
    addItem(doc, CategoryMonthFamily, 7);
    EXPECT_EQ(doc.itemList().at(0).text, QStringLiteral(" 1 "));
    EXPECT_EQ(doc.drawingOrder().at(0).text, QStringLiteral(" 1 "));
}

TEST(LayoutDocumentLists, TenthEntryHasNoLeadingBlankAndHundredthKeepsThreeDigits) {
    LayoutDocument doc;
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(addItem(doc, CategoryWeekly, VariantHorizontal), i);
    EXPECT_EQ(doc.itemList().at(8).text, QStringLiteral(" 9 週単位横"));
    EXPECT_EQ(doc.itemList().at(9).text, QStringLiteral("10 週単位横"));
    EXPECT_EQ(doc.drawingOrder().at(99).text, QStringLiteral("100 週単位横"));

    // Deleting the hundredth item must not renumber the others.
    ASSERT_TRUE(doc.deleteItem(99));
    ASSERT_EQ(doc.drawingOrder().size(), 99u);
    for (int i = 0; i < 99; ++i)
        EXPECT_EQ(listEntryNumber(doc.drawingOrder()[static_cast<std::size_t>(i)].text), i + 1);
}

TEST(LayoutDocumentLists, MovesExchangeNeighboursAndStopAtTheEnds) {
    LayoutDocument doc;
    addItem(doc, CategoryYear);
    addItem(doc, CategoryMonthDisplay);
    addItem(doc, CategoryPicture);
    const auto before = doc.drawingOrder();
    EXPECT_EQ(doc.moveInDrawingOrder(0, -1), 0);
    EXPECT_EQ(doc.moveInDrawingOrder(2, +1), 2);
    EXPECT_EQ(doc.drawingOrder(), before);
    EXPECT_EQ(doc.moveInDrawingOrder(-1, +1), -1) << "no selection";
    EXPECT_EQ(doc.moveInDrawingOrder(3, -1), -1);

    EXPECT_EQ(doc.moveInDrawingOrder(0, +1), 1);
    EXPECT_EQ(doc.drawingOrder()[0], before[1]);
    EXPECT_EQ(doc.drawingOrder()[1], before[0]);
    EXPECT_EQ(doc.liveSlotsInDrawingOrder(), (std::vector<int>{1, 0, 2}));
    // The item list keeps its number order.
    EXPECT_EQ(doc.itemList()[0].slot, 0);
}

TEST(LayoutDocumentLists, KindChangeRelabelsBothLists) {
    LayoutDocument doc;
    addItem(doc, CategoryYear);
    addItem(doc, CategoryMonthFamily, VariantBox5);
    doc.moveInDrawingOrder(1, -1);
    doc.item(1).LayoutVariant = VariantBox6;
    ASSERT_TRUE(doc.relabelItem(1));
    EXPECT_EQ(doc.itemList()[1], (ListEntry{QStringLiteral(" 2 月Box6段"), 1}));
    EXPECT_EQ(doc.drawingOrder()[0], (ListEntry{QStringLiteral(" 2 月Box6段"), 1}));
    EXPECT_EQ(doc.drawingOrder()[1], (ListEntry{QStringLiteral(" 1 年表示"), 0}));
    EXPECT_FALSE(doc.relabelItem(5)) << "a slot that is not listed";
}

TEST(LayoutDocumentSlots, DeletedSlotIsReusedWithAHigherNumberAndListedLast) {
    LayoutDocument doc;
    addItem(doc, CategoryYear);
    addItem(doc, CategoryMonthDisplay);
    addItem(doc, CategoryPicture);
    ASSERT_TRUE(doc.deleteItem(0));
    const auto where = doc.findSlotForNewItem();
    ASSERT_TRUE(where);
    EXPECT_EQ(where->slot, 0);
    EXPECT_FALSE(where->createsView);
    EXPECT_EQ(doc.viewCount(), 3);
    doc.item(0) = liveItem(CategoryWeekly, VariantVertical);
    EXPECT_EQ(doc.commitNewItem(0), 4);
    EXPECT_EQ(doc.itemList().back(), (ListEntry{QStringLiteral(" 3 週単位縦"), 0}));
    EXPECT_EQ(doc.drawingOrder().back(), (ListEntry{QStringLiteral(" 3 週単位縦"), 0}));
    EXPECT_EQ(doc.currentSlot(), 0);
}

TEST(LayoutDocumentSlots, HundredthItemGetsANewViewAndTheHundredFirstHasNoSlot) {
    LayoutDocument doc;
    for (int i = 0; i < 99; ++i)
        addItem(doc, CategoryYear);
    EXPECT_EQ(doc.viewCount(), 99);
    const auto where = doc.findSlotForNewItem();
    ASSERT_TRUE(where);
    EXPECT_EQ(where->slot, 99);
    EXPECT_TRUE(where->createsView);
    EXPECT_EQ(addItem(doc, CategoryYear), 99);
    EXPECT_EQ(doc.viewCount(), 100);
    EXPECT_FALSE(doc.findSlotForNewItem());

    // With every view created, the first empty slot is taken.
    doc.deleteItem(42);
    const auto again = doc.findSlotForNewItem();
    ASSERT_TRUE(again);
    EXPECT_EQ(again->slot, 42);
    EXPECT_FALSE(again->createsView);
}

TEST(LayoutDocumentSlots, NewItemIsPlacedTopLeftWithEditorFlagsCleared) {
    LayoutDocument doc;
    LayoutItem item = liveItem(CategoryMonthDisplay);
    item.Top = 50;
    item.Left = 60;
    item.XLocked = kTrue;
    item.SizeChangeMode = kTrue;
    item.Width = 123;
    doc.item(0) = item;
    doc.commitNewItem(0);
    EXPECT_EQ(doc.item(0).Top, 0.0f);
    EXPECT_EQ(doc.item(0).Left, 0.0f);
    EXPECT_EQ(doc.item(0).XLocked, kFalse);
    EXPECT_EQ(doc.item(0).SizeChangeMode, kFalse);
    EXPECT_EQ(doc.item(0).Width, 123.0f);
    EXPECT_TRUE(doc.viewVisible(0));
}

TEST(LayoutDocumentSlots, NewDocumentDoesNotReuseItemNumbers) {
    LayoutDocument doc;
    addItem(doc, CategoryYear);
    addItem(doc, CategoryYear);
    doc.setPath(QStringLiteral("/tmp/a.CLF"));
    doc.setClipboard(liveItem(CategoryPicture));
    doc.clearForNewDocument();
    EXPECT_TRUE(doc.itemList().empty());
    EXPECT_TRUE(doc.drawingOrder().empty());
    EXPECT_EQ(doc.liveCount(), 0);
    EXPECT_EQ(doc.currentSlot(), -1);
    EXPECT_TRUE(doc.path().isEmpty());
    EXPECT_TRUE(doc.clipboard());
    addItem(doc, CategoryYear);
    EXPECT_EQ(doc.itemNumber(0), 3);
    EXPECT_EQ(doc.itemList().at(0).text, QStringLiteral(" 1 年表示"));
}

TEST(LayoutDocumentRead, RecordsFillSlotsInFileOrderAndOnlyLiveOnesAreNumbered) {
    PageSettings header;
    header.Resolution = 2;
    std::vector<LayoutItem> records = {liveItem(CategoryYear), liveItem(CategoryPicture),
                                       liveItem(CategoryMonthDisplay)};
    records[1].Live = kFalse;
    records[2].Left = 10.6f;
    records[2].Top = -3.2f;
    const auto doc = LayoutDocument::fromRecords(header, records, 96);
    EXPECT_EQ(doc->page.ResolutionDpi, 150);
    EXPECT_EQ(doc->itemNumber(0), 1);
    EXPECT_EQ(doc->itemNumber(1), 0);
    EXPECT_EQ(doc->itemNumber(2), 2);
    EXPECT_FALSE(doc->viewExists(1));
    EXPECT_EQ(doc->anchor(2), (LockAnchor{10.6f, -3.2f}));
    EXPECT_EQ(texts(doc->drawingOrder()),
              (std::vector<QString>{QStringLiteral(" 1 年表示"), QStringLiteral(" 2 月表示")}));
    EXPECT_EQ(doc->itemList(), doc->drawingOrder());
    EXPECT_EQ(doc->liveSlotsInDrawingOrder(), (std::vector<int>{0, 2}));
    EXPECT_EQ(doc->currentSlot(), -1);
}

TEST(LayoutDocumentRead, SessionStateOutlivesTheReplacedDocument) {
    LayoutDocument old;
    for (int i = 0; i < 4; ++i)
        addItem(old, CategoryYear);
    old.setClipboard(liveItem(CategoryPicture));
    const std::vector<LayoutItem> records = {liveItem(CategoryMonthDisplay)};
    auto fresh = LayoutDocument::fromRecords(PageSettings{}, records, 96);
    fresh->carrySessionStateFrom(old);
    EXPECT_EQ(fresh->viewCount(), 4);
    EXPECT_TRUE(fresh->viewVisible(0));
    EXPECT_FALSE(fresh->viewVisible(3));
    ASSERT_TRUE(fresh->clipboard());
    EXPECT_EQ(fresh->clipboard()->Category, CategoryPicture);
    const auto where = fresh->findSlotForNewItem();
    ASSERT_TRUE(where);
    EXPECT_EQ(where->slot, 1);
    EXPECT_FALSE(where->createsView);
}

TEST(LayoutDocumentRead, SlotAccessOutsideTheTableIsRefused) {
    LayoutDocument doc;
    EXPECT_THROW(doc.item(100), std::out_of_range);
    EXPECT_THROW(doc.item(-1), std::out_of_range);
    EXPECT_FALSE(doc.viewExists(100));
    EXPECT_FALSE(doc.isLive(-1));
    doc.setCurrentSlot(250);
    EXPECT_EQ(doc.currentSlot(), -1);
}

} // namespace
} // namespace tobirae
