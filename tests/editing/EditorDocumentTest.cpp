// The editing layer without widgets: every step's do, undo and redo against the document, the
// placement rules of drags, arrow keys and pastes, and a long random history undone to the start.
#include "ui/editing/EditorDocument.h"

#include "EditorTestSupport.h"

#include "document/LayoutFile.h"
#include "document/LayoutJson.h"
#include "render/RenderFrame.h"
#include "render/RuleBlock.h"
#include "ui/editing/ItemWarnings.h"
#include "ui/editing/PaperScale.h"
#include "ui/editing/Placement.h"

#include <QFile>
#include <QTemporaryDir>
#include <array>
#include <functional>
#include <gtest/gtest.h>
#include <random>

using namespace tobirae;
using namespace editortest;

namespace {

struct StepCase {
    const char* name;
    std::function<void(LayoutDocument&)> setup; // before the step, outside the history
    std::function<bool(EditorDocument&)> act;
    QString text;
    std::function<void(const LayoutDocument&)> check;
};

const std::vector<StepCase> kSteps{
    {"add",
     {},
     [](EditorDocument& e) {
         return e.addItem(newItemRecord(4, 0, e.document().page)).has_value();
     },
     QStringLiteral("追加"),
     [](const LayoutDocument& d) {
         EXPECT_TRUE(d.isLive(3));
         EXPECT_EQ(d.itemNumber(3), 4);
         EXPECT_EQ(d.drawingOrder().back().slot, 3);
         EXPECT_EQ(d.currentSlot(), 3);
         EXPECT_EQ(at(d, 3).Left, 0.f);
     }},
    {"paste",
     {},
     [](EditorDocument& e) {
         e.copyItem(1);
         return e.pasteItem(QPointF(400, 400)).has_value();
     },
     QStringLiteral("貼り付け"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(at(d, 3).Left, 250.f);
         EXPECT_EQ(at(d, 3).Top, 360.f);
         EXPECT_EQ(d.anchor(3), (LockAnchor{250, 360}));
         EXPECT_EQ(d.itemList().back().text, QStringLiteral(" 4 月表示"));
     }},
    {"delete",
     {},
     [](EditorDocument& e) { return e.deleteItem(1); },
     QStringLiteral("削除"),
     [](const LayoutDocument& d) {
         EXPECT_FALSE(d.isLive(1));
         ASSERT_EQ(d.drawingOrder().size(), 2u);
         EXPECT_EQ(d.drawingOrder()[1].text, QStringLiteral(" 2 画像表示"));
     }},
    // Undo gives the current slot back with the item.
    {"deleting the current item leaves no item current",
     [](LayoutDocument& d) { d.setCurrentSlot(1); },
     [](EditorDocument& e) { return e.deleteItem(1); }, QStringLiteral("削除"),
     [](const LayoutDocument& d) {
         EXPECT_FALSE(d.isLive(1));
         EXPECT_EQ(d.currentSlot(), -1);
     }},
    {"drag",
     {},
     [](EditorDocument& e) { return e.dragItem(0, QPointF(55, 66)); },
     QStringLiteral("移動"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(at(d, 0).Left, 55.f);
         EXPECT_EQ(at(d, 0).Top, 66.f);
         EXPECT_EQ(d.anchor(0), (LockAnchor{55, 66}));
     }},
    {"nudge",
     {},
     [](EditorDocument& e) { return e.nudgeItem(2, 0, -1); },
     QStringLiteral("移動"),
     [](const LayoutDocument& d) { EXPECT_EQ(at(d, 2).Top, 499.f); }},
    {"resize",
     {},
     [](EditorDocument& e) { return e.resizeItem(2, QRectF(390, 480, 134, 104)); },
     QStringLiteral("サイズ変更"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(at(d, 2).Width, 130.f);
         EXPECT_EQ(at(d, 2).Height, 100.f);
         EXPECT_EQ(at(d, 2).Left, 390.f);
     }},
    {"X lock takes the centre lock's place",
     [](LayoutDocument& d) { d.item(0).HCenterLocked = kTrue; },
     [](EditorDocument& e) { return e.toggleLock(0, PositionLock::X); },
     QStringLiteral("X座標ロック"),
     [](const LayoutDocument& d) {
         EXPECT_TRUE(isTrue(at(d, 0).XLocked));
         EXPECT_FALSE(isTrue(at(d, 0).HCenterLocked));
         EXPECT_EQ(d.anchor(0).Left, 10);
     }},
    {"vertical centre lock centres",
     {},
     [](EditorDocument& e) { return e.toggleLock(2, PositionLock::VCenter); },
     QStringLiteral("上下中央ロック"),
     [](const LayoutDocument& d) {
         EXPECT_TRUE(isTrue(at(d, 2).VCenterLocked));
         EXPECT_EQ(at(d, 2).Top, centredOnPaper(kPaperHeight, 90)); // the box, frame included
     }},
    {"centre once",
     {},
     [](EditorDocument& e) { return e.centreItem(0, false); },
     QStringLiteral("左右中央に移動"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(at(d, 0).Left, centredOnPaper(kPaperWidth, 200));
         EXPECT_FALSE(isTrue(at(d, 0).HCenterLocked));
     }},
    {"lock",
     {},
     [](EditorDocument& e) { return e.setMoveLocked(1, true); },
     QStringLiteral("ロック"),
     [](const LayoutDocument& d) { EXPECT_TRUE(isTrue(at(d, 1).MoveLocked)); }},
    {"replace changes the kind",
     {},
     [](EditorDocument& e) {
         LayoutItem record = e.document().item(0);
         record.Category = CategoryMonthFamily;
         record.LayoutVariant = VariantBoxMini;
         record.Live = kFalse; // a dialog cannot end the item
         return e.replaceItem(0, record);
     },
     QStringLiteral("詳細設定の変更"),
     [](const LayoutDocument& d) {
         EXPECT_TRUE(d.isLive(0));
         EXPECT_EQ(d.itemList()[0].text, QStringLiteral(" 1 月BoxMini"));
         EXPECT_EQ(d.drawingOrder()[0].text, QStringLiteral(" 1 月BoxMini"));
     }},
    {"picture file",
     {},
     [](EditorDocument& e) { return e.setPictureFile(2, QStringLiteral("/p/a.bmp")); },
     QStringLiteral("画像の設定"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(at(d, 2).PictureFile.text(), QStringLiteral("/p/a.bmp"));
         EXPECT_EQ(at(d, 2).DesignWidth, 0);
     }},
    {"drawing order",
     {},
     [](EditorDocument& e) { return e.moveInDrawingOrder(0, 1) == 1; },
     QStringLiteral("描画順の変更"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(d.drawingOrder()[0].slot, 1);
         EXPECT_EQ(d.drawingOrder()[1].slot, 0);
     }},
    {"to the front: the first item is drawn last, the others keep their order",
     {},
     [](EditorDocument& e) { return e.bringToFront(0); },
     QStringLiteral("最前面へ"),
     [](const LayoutDocument& d) {
         ASSERT_EQ(d.drawingOrder().size(), 3u);
         EXPECT_EQ(d.drawingOrder()[0].slot, 1);
         EXPECT_EQ(d.drawingOrder()[1].slot, 2);
         EXPECT_EQ(d.drawingOrder()[2].slot, 0);
         EXPECT_EQ(d.drawingOrder()[2].text, QStringLiteral(" 1 年表示"));
     }},
    {"to the back: the last item is drawn first",
     {},
     [](EditorDocument& e) { return e.sendToBack(2); },
     QStringLiteral("最背面へ"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(d.drawingOrder()[0].slot, 2);
         EXPECT_EQ(d.drawingOrder()[1].slot, 0);
         EXPECT_EQ(d.drawingOrder()[2].slot, 1);
     }},
    {"page", [](LayoutDocument& d) { d.item(1).HCenterLocked = kTrue; },
     [](EditorDocument& e) {
         PageValues page = e.document().page;
         setPaperForCanvas(page, 600, kCanvasHeight);
         e.setPage(page);
         return true;
     },
     QStringLiteral("用紙サイズ変更"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(d.page.CanvasWidth, 600);
         EXPECT_EQ(at(d, 1).Left, 148.f); // centred again: (600 - 304) / 2
     }},
    {"a drag snaps down to the grid: 37 px is 555 twips, the line at 540 is 36 px",
     {},
     [](EditorDocument& e) {
         e.setGridSnap(GridSnap{true, 60, 120, 15});
         return e.dragItem(0, QPointF(37, 37.9)); // 568.5 twips round to 568 first
     },
     QStringLiteral("移動"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(at(d, 0).Left, 36.f);
         EXPECT_EQ(at(d, 0).Top, 32.f); // rows every 8 px
         EXPECT_EQ(d.anchor(0), (LockAnchor{36, 32}));
     }},
    {"an X-locked drag returns to its anchor and snaps only the top",
     [](LayoutDocument& d) { d.item(0).XLocked = kTrue; },
     [](EditorDocument& e) {
         e.setGridSnap(GridSnap{true, 60, 60, 15});
         return e.dragItem(0, QPointF(100, 45));
     },
     QStringLiteral("移動"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(at(d, 0).Left, 10.f);
         EXPECT_EQ(at(d, 0).Top, 44.f);
     }},
    {"a placement anchors where it puts the item, fractions kept",
     [](LayoutDocument& d) { d.item(1).XLocked = d.item(1).YLocked = kTrue; },
     [](EditorDocument& e) {
         return e.placeItem(1, QPointF(365.5, 20.25), QSizeF(50, 60), QStringLiteral("配置指定"));
     },
     QStringLiteral("配置指定"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(at(d, 1).Left, 365.5f);
         EXPECT_EQ(at(d, 1).Width, 50.f);
         EXPECT_EQ(d.anchor(1), (LockAnchor{365.5f, 20.25f}));
     }},
    {"resize mode ending runs the constraint pass over every item",
     [](LayoutDocument& d) {
         d.item(2).XLocked = kTrue;
         d.setAnchor(2, {365.5f, 500});
     },
     [](EditorDocument& e) {
         e.setGridSnap(GridSnap{true, 60, 60, 15});
         e.setResizeMode(1, true);
         e.setResizeMode(1, false);
         return e.undoStack().count() == 1;
     },
     QStringLiteral("位置の変更"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(QPointF(at(d, 0).Left, at(d, 0).Top), QPointF(8, 20));
         EXPECT_EQ(QPointF(at(d, 1).Left, at(d, 1).Top), QPointF(28, 200));
         EXPECT_EQ(at(d, 2).Left, 365.5f); // locked: back to its anchor, not snapped
     }},
    {"a page-size change moves locked items with the new page in the same step",
     [](LayoutDocument& d) {
         d.item(2).HCenterLocked = kTrue;
         d.item(0).XLocked = kTrue;
         d.setAnchor(0, {365.5f, 20});
     },
     [](EditorDocument& e) {
         PageValues page = e.document().page;
         setPaperForCanvas(page, 500, kCanvasHeight);
         e.setPage(page);
         return true;
     },
     QStringLiteral("用紙サイズ変更"),
     [](const LayoutDocument& d) {
         // (500 - 124) / 2, on the paper that gives a canvas of 500
         EXPECT_NEAR(at(d, 2).Left, 188.f, 0.01);
         EXPECT_EQ(at(d, 0).Left, 365.5f);
         EXPECT_EQ(at(d, 1).Left, 30.f);
     }},
    {"a page-size change with snapping on leaves the items nobody moved off the grid",
     [](LayoutDocument& d) {
         d.item(1).Left = 302.5f;
         d.item(1).Top = 47;
         d.item(2).HCenterLocked = kTrue;
     },
     [](EditorDocument& e) {
         e.setGridSnap(GridSnap{true, 60, 60, 15});
         PageValues page = e.document().page;
         setPaperForCanvas(page, 601, kCanvasHeight);
         e.setPage(page);
         return true;
     },
     QStringLiteral("用紙サイズ変更"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(QPointF(at(d, 1).Left, at(d, 1).Top), QPointF(302.5, 47));
         EXPECT_EQ(QPointF(at(d, 0).Left, at(d, 0).Top), QPointF(10, 20));
         EXPECT_NEAR(at(d, 2).Left, 238.5f, 0.01); // centred, not snapped: (601 - 124) / 2
     }},
    {"scaling to a paper half as large: everything in one step, centred on the new page",
     [](LayoutDocument& d) {
         d.item(1).element(Month1).Font.Size = 48;
         d.item(1).DesignWidth = 300;
         d.item(1).element(Day).Pos = {20, 11};
         d.item(0).XLocked = kTrue;
         d.setAnchor(0, {10, 20});
     },
     [](EditorDocument& e) {
         PageValues page = e.document().page;
         setPaperForCanvas(page, kCanvasWidth / 2, kCanvasHeight / 2 + 100);
         e.setPage(page,
                   paperScale({kCanvasWidth, kCanvasHeight}, EditorDocument::canvasSizeFor(page)));
         return true;
     },
     QStringLiteral("用紙サイズ変更"),
     [](const LayoutDocument& d) {
         // 397 / 794 = 0.5, and the page is 99.5 pixels higher than half: 49.75 above.
         EXPECT_EQ(QPointF(at(d, 1).Left, at(d, 1).Top), QPointF(15, 149.75));
         EXPECT_EQ(QSizeF(at(d, 1).Width, at(d, 1).Height), QSizeF(150, 40));
         EXPECT_EQ(at(d, 1).element(Month1).Font.Size, 24);
         EXPECT_EQ(at(d, 1).DesignWidth, 150);
         EXPECT_EQ(at(d, 1).element(Day).Pos, (TextPos{10, 6}));
         // The X lock returns to its anchor, which moved with the page.
         EXPECT_EQ(QPointF(at(d, 0).Left, at(d, 0).Top), QPointF(5, 59.75));
         EXPECT_EQ(d.anchor(0), (LockAnchor{5, 59.75f}));
     }},
    {"a new item starts where it is told",
     {},
     [](EditorDocument& e) {
         LayoutItem item = newItemRecord(CategoryYear, 0, e.document().page);
         return e.addItem(item, QPointF(120, 340)) == 3;
     },
     QStringLiteral("追加"),
     [](const LayoutDocument& d) {
         EXPECT_EQ(QPointF(at(d, 3).Left, at(d, 3).Top), QPointF(120, 340));
         EXPECT_EQ(d.anchor(3), (LockAnchor{120, 340}));
     }},
    {"a new picture goes behind the first item it overlaps",
     {},
     [](EditorDocument& e) {
         LayoutItem photo = newItemRecord(CategoryPicture, 0, e.document().page);
         photo.Width = 400; // over the month display (30, 200) only
         photo.Height = 100;
         return e.addItem(photo, QPointF(20, 150), false, true) == 3;
     },
     QStringLiteral("追加"),
     [](const LayoutDocument& d) {
         std::vector<int> order;
         for (const ListEntry& entry : d.drawingOrder())
             order.push_back(entry.slot);
         EXPECT_EQ(order, (std::vector<int>{0, 3, 1, 2}));
     }},
    {"own days",
     [](LayoutDocument& d) {
         d.extension.ownDays.days = {ownDay(2027, 8, 13, OwnDayKind::DayOff)};
         d.extension.ownDays.files = {QStringLiteral("会社.ics")};
     },
     [](EditorDocument& e) {
         OwnDaysSettings own = e.document().extension.ownDays;
         own.days.push_back(ownDay(2027, 11, 6, OwnDayKind::WorkingDay));
         own.files.clear();
         own.timeZone = QStringLiteral("UTC");
         return e.setOwnDays(own);
     },
     QStringLiteral("予定・休日の設定"),
     [](const LayoutDocument& d) {
         ASSERT_EQ(d.extension.ownDays.days.size(), 2u);
         EXPECT_EQ(d.extension.ownDays.days[1].kind, OwnDayKind::WorkingDay);
         EXPECT_TRUE(d.extension.ownDays.files.isEmpty());
         EXPECT_EQ(d.extension.ownDays.timeZone, QStringLiteral("UTC"));
         EXPECT_TRUE(isTrue(d.item(0).Live)) << "the items stay";
     }},
};

} // namespace

TEST(EditorSteps, DoUndoRedo) {
    for (const StepCase& step : kSteps) {
        SCOPED_TRACE(step.name);
        auto editor = threeItems();
        if (step.setup)
            step.setup(editor->document());
        const Snapshot before(editor->document());
        ASSERT_TRUE(step.act(*editor));
        QUndoStack& history = editor->undoStack();
        const Snapshot after(editor->document());
        ASSERT_GE(history.count(), 1);
        EXPECT_EQ(history.undoText(), step.text);
        step.check(editor->document());
        while (history.canUndo())
            history.undo();
        expectSame(Snapshot(editor->document()), before);
        while (history.canRedo())
            history.redo();
        expectSame(Snapshot(editor->document()), after);
        step.check(editor->document());
    }
}

// The menu entries are enabled by these answers: an item already there is no step.
TEST(EditorSteps, FrontAndBackOnlyWhenTheItemIsNotThere) {
    auto editor = threeItems();
    EXPECT_TRUE(editor->isAtBack(0));
    EXPECT_FALSE(editor->isInFront(0));
    EXPECT_TRUE(editor->isInFront(2));
    EXPECT_FALSE(editor->isAtBack(1));
    EXPECT_FALSE(editor->bringToFront(2));
    EXPECT_FALSE(editor->sendToBack(0));
    EXPECT_FALSE(editor->bringToFront(7)) << "an empty slot";
    EXPECT_EQ(editor->undoStack().count(), 0);
    ASSERT_TRUE(editor->bringToFront(1));
    EXPECT_TRUE(editor->isInFront(1));
    EXPECT_FALSE(editor->isInFront(2));
    EXPECT_EQ(editor->undoStack().count(), 1) << "one step however far the item travels";
}

TEST(EditorSteps, NonEditsStayOffTheHistory) {
    auto editor = threeItems();
    editor->setCurrentSlot(2);
    editor->setAllItemsLocked(true);
    editor->setResizeMode(1, true);
    editor->copyItem(0);
    EXPECT_EQ(editor->undoStack().count(), 0);
    // One item at a time is in resize mode.
    editor->setResizeMode(2, true);
    EXPECT_EQ(editor->resizeOwner(), 2);
    EXPECT_FALSE(isTrue(editor->document().item(1).SizeChangeMode));
    // Undoing a step does not bring back an old resize mode.
    editor->setAllItemsLocked(false);
    ASSERT_TRUE(editor->nudgeItem(1, 1, 0));
    editor->setResizeMode(2, false);
    editor->undoStack().undo();
    EXPECT_EQ(editor->resizeOwner(), -1);
    // A placement to where the item already is makes no step and keeps what can be redone.
    const LayoutItem& item = editor->document().item(0);
    EXPECT_FALSE(editor->placeItem(0, {item.Left, item.Top}, std::nullopt, QStringLiteral("移動")));
    EXPECT_TRUE(editor->undoStack().canRedo());
    // Nor does a deleted or re-added item come back in resize mode.
    editor->setResizeMode(1, true);
    ASSERT_TRUE(editor->deleteItem(1));
    editor->undoStack().undo();
    EXPECT_TRUE(editor->document().isLive(1));
    EXPECT_EQ(editor->resizeOwner(), -1);
    const int added = *editor->addItem(newItemRecord(0, 0, editor->document().page));
    editor->setResizeMode(added, true);
    editor->undoStack().undo();
    editor->undoStack().redo();
    EXPECT_EQ(editor->resizeOwner(), -1);
}

TEST(EditorSteps, OwnDaysAreOneStepThatUndoesToTheSameBytes) {
    auto editor = threeItems();
    const QByteArray original = serializeLayout(layoutFromDocument(editor->document()));
    int announced = 0;
    QObject::connect(editor.get(), &EditorDocument::ownDaysChanged, [&] { ++announced; });
    EXPECT_FALSE(editor->setOwnDays(editor->document().extension.ownDays));
    EXPECT_EQ(editor->undoStack().count(), 0);

    OwnDaysSettings own;
    own.days = {ownDay(2027, 4, 30, OwnDayKind::DayOff), ownDay(2028, 2, 11, OwnDayKind::Named)};
    own.files = {QStringLiteral("家族.ics")};
    ASSERT_TRUE(editor->setOwnDays(own));
    EXPECT_EQ(announced, 1);
    EXPECT_TRUE(editor->isModified());
    const QByteArray changed = serializeLayout(layoutFromDocument(editor->document()));
    EXPECT_GT(changed.size(), original.size());
    editor->undoStack().undo();
    EXPECT_EQ(serializeLayout(layoutFromDocument(editor->document())), original);
    EXPECT_EQ(announced, 2);
    editor->undoStack().redo();
    EXPECT_EQ(serializeLayout(layoutFromDocument(editor->document())), changed);
}

TEST(EditorSteps, ArrowKeysMergeForOneItemOnly) {
    auto editor = threeItems();
    QUndoStack& history = editor->undoStack();
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(editor->nudgeItem(0, 1, 0));
    ASSERT_TRUE(editor->nudgeItem(0, 0, 1));
    EXPECT_EQ(history.count(), 1);
    EXPECT_EQ(editor->document().item(0).Left, 15.f);
    EXPECT_EQ(editor->document().anchor(0), (LockAnchor{15, 21}));
    ASSERT_TRUE(editor->nudgeItem(1, -1, 0)); // another item: a step of its own
    ASSERT_TRUE(editor->dragItem(1, {40, 40}));
    ASSERT_TRUE(editor->nudgeItem(1, 1, 0)); // after a drag: a new step
    EXPECT_EQ(history.count(), 4);
    history.undo();
    history.undo();
    history.undo();
    history.undo();
    EXPECT_EQ(editor->document().item(0).Left, 10.f);
    EXPECT_EQ(editor->document().item(0).Top, 20.f);
    // Back and forth to the start merges into nothing.
    editor->nudgeItem(2, 1, 0);
    editor->nudgeItem(2, -1, 0);
    EXPECT_EQ(history.count(), 0);
}

TEST(EditorPlacement, LocksDecideWhereADragEnds) {
    struct Case {
        const char* name;
        std::function<void(LayoutItem&)> lock;
        QPointF dropped;
        QPointF expected; // nullopt-like: NaN x when the drag is refused
        bool moves;
    };
    // The box (drawing area and frame) is centred, as the page draws it.
    const float centreX = centredOnPaper(kPaperWidth, 200);
    const float centreY = centredOnPaper(kPaperHeight, 60);
    const std::vector<Case> cases{
        {"free", [](LayoutItem&) {}, {300, 400}, {300, 400}, true},
        {"X locked: left back, top follows",
         [](LayoutItem& i) { i.XLocked = kTrue; },
         {300, 400},
         {10, 400},
         true},
        {"Y locked", [](LayoutItem& i) { i.YLocked = kTrue; }, {300, 400}, {300, 20}, true},
        {"centred horizontally",
         [](LayoutItem& i) { i.HCenterLocked = kTrue; },
         {300, 400},
         {centreX, 400},
         true},
        {"centred vertically",
         [](LayoutItem& i) { i.VCenterLocked = kTrue; },
         {300, 400},
         {300, centreY},
         true},
        {"X and Y locked: no drag",
         [](LayoutItem& i) { i.XLocked = i.YLocked = kTrue; },
         {300, 400},
         {10, 20},
         false},
        {"both centre locks: no drag",
         [](LayoutItem& i) { i.HCenterLocked = i.VCenterLocked = kTrue; },
         {300, 400},
         {10, 20},
         false},
        {"ロック: no drag",
         [](LayoutItem& i) { i.MoveLocked = kTrue; },
         {300, 400},
         {10, 20},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto editor = threeItems();
        c.lock(editor->document().item(0));
        EXPECT_EQ(editor->dragItem(0, c.dropped), c.moves);
        EXPECT_EQ(editor->document().item(0).Left, float(c.expected.x()));
        EXPECT_EQ(editor->document().item(0).Top, float(c.expected.y()));
        EXPECT_EQ(editor->undoStack().count(), c.moves ? 1 : 0);
    }
    // Turning on the horizontal centre lock of an X-locked item centres it; a drag then keeps it
    // centred while its top follows.
    auto centred = threeItems();
    centred->toggleLock(0, PositionLock::X);
    centred->toggleLock(0, PositionLock::HCenter);
    EXPECT_FALSE(isTrue(centred->document().item(0).XLocked));
    EXPECT_TRUE(centred->dragItem(0, {5, 300}));
    EXPECT_EQ(centred->document().item(0).Left, centreX);
    EXPECT_EQ(centred->document().item(0).Top, 300.f);

    // The global mouse lock holds every item.
    auto editor = threeItems();
    editor->setAllItemsLocked(true);
    EXPECT_FALSE(editor->dragItem(0, {1, 1}));
    // Explicit placements do not consult the locks.
    editor->document().item(0).MoveLocked = kTrue;
    editor->document().item(0).XLocked = kTrue;
    EXPECT_TRUE(editor->placeItem(0, {0, 0}, std::nullopt, QStringLiteral("移動")));
    EXPECT_EQ(editor->document().anchor(0), (LockAnchor{0, 0}));
}

TEST(EditorPlacement, ArrowKeysStopAtTheCanvasEdges) {
    auto editor = threeItems();
    LayoutDocument& d = editor->document();
    // Item 0 is 200 wide: its view (204) is flush when Left = 794 - 204 = 590.
    d.item(0).Left = 589;
    EXPECT_TRUE(editor->nudgeItem(0, 1, 0));
    EXPECT_EQ(d.item(0).Left, 590.f);
    EXPECT_FALSE(editor->nudgeItem(0, 1, 0));
    d.item(0).Top = 0;
    EXPECT_FALSE(editor->nudgeItem(0, 0, -1));
    d.item(0).Top = 0.5f;
    EXPECT_TRUE(editor->nudgeItem(0, 0, -1));
    EXPECT_EQ(d.item(0).Top, 0.f);
    // A locked direction does not move; the other one does.
    d.item(0).XLocked = kTrue;
    EXPECT_FALSE(editor->nudgeItem(0, -1, 0));
    EXPECT_TRUE(editor->nudgeItem(0, 0, 1));
    d.item(0).VCenterLocked = kTrue;
    EXPECT_FALSE(editor->nudgeItem(0, 0, 1));
    d.item(1).MoveLocked = kTrue;
    EXPECT_FALSE(editor->nudgeItem(1, 1, 0));
}

TEST(EditorPlacement, PastePoint) {
    LayoutItem item;
    item.Width = 80;
    item.Height = 40;
    EXPECT_EQ(pastePosition(item, QPointF(200, 100)), QPointF(160, 80));
    EXPECT_EQ(pastePosition(item, QPointF(10, 100)), QPointF(0, 80));
    EXPECT_EQ(pastePosition(item, std::nullopt), QPointF(0, 0));
}

TEST(EditorSlots, FullDocumentAndReusedViews) {
    auto editor = threeItems();
    editor->copyItem(2);
    while (editor->canAddItem())
        ASSERT_TRUE(editor->pasteItem(std::nullopt));
    EXPECT_EQ(editor->document().liveCount(), 100);
    EXPECT_FALSE(editor->addItem(newItemRecord(0, 0, editor->document().page)));
    EXPECT_FALSE(editor->pasteItem(std::nullopt));
    EXPECT_EQ(editor->document().itemList()[99].text, QStringLiteral("100 画像表示"));
    // The 100th item of 99 views gets a view of its own.
    editor->undoStack().undo();
    EXPECT_EQ(editor->document().viewCount(), 99);
    ASSERT_EQ(editor->addItem(newItemRecord(0, 0, editor->document().page)), 99);
    EXPECT_EQ(editor->document().viewCount(), 100);

    // A deleted item's hidden view is reused by the next item, which gets a higher number.
    auto small = threeItems();
    ASSERT_TRUE(small->deleteItem(0));
    const auto slot = small->addItem(newItemRecord(0, 0, small->document().page));
    ASSERT_EQ(slot, 0);
    EXPECT_EQ(small->document().itemNumber(0), 4);
    EXPECT_EQ(small->document().itemList().back().slot, 0);
    EXPECT_EQ(small->document().itemList().back().text, QStringLiteral(" 3 年表示"));
}

// Each of these would silently drop an item from save and export, or grow it with every copy.
TEST(EditorSlots, DeleteDropsTheDeletedItemsOwnEntry) {
    auto editor = threeItems();
    editor->setCurrentSlot(0); // another item is the selected one
    ASSERT_TRUE(editor->deleteItem(2));
    const auto& order = editor->document().drawingOrder();
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[0].slot, 0);
    EXPECT_EQ(order[1].slot, 1);
    EXPECT_EQ(editor->document().liveSlotsInDrawingOrder(), (std::vector<int>{0, 1}));
    EXPECT_EQ(editor->document().currentSlot(), 0);
}

TEST(EditorSlots, CopyAndResizeDoNotGrowItems) {
    auto editor = threeItems();
    const LayoutItem source = editor->document().item(1);
    editor->copyItem(1);
    editor->copyItem(1);
    EXPECT_TRUE(editor->document().item(1) == source);
    const int pasted = *editor->pasteItem(std::nullopt);
    EXPECT_EQ(editor->document().item(pasted).Height, source.Height);
    EXPECT_EQ(editor->document().item(pasted).Width, source.Width);
    // The view is the item plus 4; giving a view of the same size again changes nothing.
    const QRectF view(30, 200, 304, 84);
    EXPECT_FALSE(editor->resizeItem(1, view));
    EXPECT_EQ(editor->document().item(1).Width, 300.f);
    EXPECT_EQ(editor->document().item(1).Height, 80.f);
}

TEST(EditorSlots, ReadDocumentLeavesNoResizeOwner) {
    auto editor = threeItems();
    auto read = std::make_unique<LayoutDocument>();
    read->item(0).Live = kTrue;
    read->item(0).SizeChangeMode = kTrue;
    read->item(1).Live = kTrue;
    read->item(1).SizeChangeMode = kTrue;
    editor->nudgeItem(0, 1, 0);
    editor->replaceDocument(std::move(read));
    EXPECT_EQ(editor->resizeOwner(), -1);
    EXPECT_EQ(editor->undoStack().count(), 0);
}

TEST(EditorSignals, MovesKeepPicturesAndListsFollow) {
    auto editor = threeItems();
    std::vector<std::pair<int, ItemChanges>> changed;
    int added = 0, removed = 0, lists = 0, order = 0;
    QObject::connect(editor.get(), &EditorDocument::itemChanged,
                     [&](int slot, ItemChanges what) { changed.emplace_back(slot, what); });
    QObject::connect(editor.get(), &EditorDocument::itemAdded, [&](int) { ++added; });
    QObject::connect(editor.get(), &EditorDocument::itemRemoved, [&](int) { ++removed; });
    QObject::connect(editor.get(), &EditorDocument::listsChanged, [&] { ++lists; });
    QObject::connect(editor.get(), &EditorDocument::orderChanged, [&] { ++order; });
    editor->dragItem(1, {5, 5});
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].first, 1);
    EXPECT_EQ(changed[0].second, ItemChanges(ItemChange::Position));
    EXPECT_EQ(lists, 0);
    editor->deleteItem(1);
    EXPECT_EQ(removed, 1);
    EXPECT_EQ(lists, 1);
    EXPECT_EQ(order, 1);
    editor->undoStack().undo();
    EXPECT_EQ(added, 1);
    editor->undoStack().undo();
    EXPECT_EQ(changed.back().second, ItemChanges(ItemChange::Position));
    editor->setMoveLocked(0, true);
    EXPECT_EQ(changed.back().second, ItemChanges(ItemChange::Flags));
    editor->setPictureFile(2, QStringLiteral("x.bmp"));
    EXPECT_EQ(changed.back().second, ItemChanges(ItemChange::Content));
}

TEST(EditorHistory, RandomEditsUndoneGiveBackTheDocumentByteForByte) {
    auto editor = threeItems();
    LayoutDocument& d = editor->document();
    const QByteArray original = serializeLayout(layoutFromDocument(d));
    const Snapshot start(d);
    std::mt19937 random(20260101);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const auto liveSlot = [&]() {
        const auto live = d.liveSlotsInDrawingOrder();
        return live.empty() ? -1 : live[static_cast<std::size_t>(pick(int(live.size())))];
    };
    for (int i = 0; i < 400; ++i) {
        const int slot = liveSlot();
        switch (pick(10)) {
        case 0:
            editor->addItem(newItemRecord(pick(5), pick(5), d.page));
            break;
        case 1:
            if (slot >= 0 && editor->copyItem(slot))
                editor->pasteItem(QPointF(pick(800), pick(1100)));
            break;
        case 2:
            if (d.liveCount() > 2)
                editor->deleteItem(slot);
            break;
        case 3:
            editor->dragItem(slot, QPointF(pick(700), pick(1000)));
            break;
        case 4:
            editor->nudgeItem(slot, pick(3) - 1, pick(3) - 1);
            break;
        case 5:
            editor->resizeItem(slot, QRectF(pick(500), pick(900), 10 + pick(300), 10 + pick(300)));
            break;
        case 6:
            editor->editItem(slot, QStringLiteral("ロック"), [&](LayoutItem& item, LockAnchor& a) {
                item.XLocked = toB16(pick(2));
                item.VCenterLocked = toB16(pick(2));
                a.Left = pick(100);
            });
            break;
        case 7:
            if (slot >= 0) {
                LayoutItem record = d.item(slot);
                record.Category = pick(5);
                record.LayoutVariant = pick(5);
                record.BackColor = pick(0xFFFFFF);
                editor->replaceItem(slot, record);
            }
            break;
        case 8:
            editor->moveInDrawingOrder(pick(int(d.drawingOrder().size()) + 1), pick(2) ? 1 : -1);
            if (pick(2))
                editor->bringToFront(liveSlot());
            else
                editor->sendToBack(liveSlot());
            break;
        case 9:
            editor->setResizeMode(slot, pick(2)); // not an edit, never undone
            editor->setCurrentSlot(liveSlot());
            break;
        }
    }
    ASSERT_GT(editor->undoStack().count(), 150);
    for (int s = 0; s < kSlotCount; ++s)
        editor->setResizeMode(s, false);
    const Snapshot end(d);
    while (editor->undoStack().canUndo())
        editor->undoStack().undo();
    EXPECT_EQ(serializeLayout(layoutFromDocument(d)), original);
    expectSame(Snapshot(d), start);
    while (editor->undoStack().canRedo())
        editor->undoStack().redo();
    expectSame(Snapshot(d), end);
}
