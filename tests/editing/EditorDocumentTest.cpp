// The editing layer without widgets: every step's do, undo and redo against the document, the
// placement rules of drags, arrow keys and pastes, and a long random history undone to the start.
#include "ui/editing/EditorDocument.h"

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

namespace {

constexpr int kCanvasWidth = 794;
constexpr int kCanvasHeight = 1123;
// The canvas is the A4 paper rounded to whole pixels; centring centres on the paper itself.
constexpr double kPaperWidth = 210 * 96 / 25.4;
constexpr double kPaperHeight = 297 * 96 / 25.4;
// Left or top of a centred box of a drawing area of `extent` (the frame adds 4).
constexpr float centredOnPaper(double paper, double extent) {
    return static_cast<float>((paper - extent - 4) / 2);
}

// The paper whose canvas is `width` x `height` layout pixels: the editor makes the canvas.
void setPaperForCanvas(PageValues& page, int width, int height) {
    page.PaperWidth = static_cast<float>(width * 25.4 / kLayoutDpi);
    page.PaperHeight = static_cast<float>(height * 25.4 / kLayoutDpi);
}

// Three items: a year heading at (10, 20) in slot 0, a month display in slot 1, a picture in 2.
std::unique_ptr<EditorDocument> threeItems() {
    auto document = std::make_unique<LayoutDocument>();
    document->page.CanvasWidth = kCanvasWidth;
    document->page.CanvasHeight = kCanvasHeight;
    auto editor = std::make_unique<EditorDocument>(std::move(document));
    const std::array<std::array<float, 4>, 3> places{
        {{10, 20, 200, 60}, {30, 200, 300, 80}, {400, 500, 120, 90}}};
    const std::array<int, 3> kinds{CategoryYear, CategoryMonthDisplay, CategoryPicture};
    for (std::size_t i = 0; i < 3; ++i) {
        LayoutItem item = newItemRecord(kinds[i], 0, editor->document().page);
        const int slot = *editor->addItem(item);
        editor->placeItem(slot, {places[i][0], places[i][1]}, QSizeF(places[i][2], places[i][3]),
                          QStringLiteral("移動"));
    }
    editor->undoStack().clear();
    return editor;
}

// Everything undo must give back: the saved form (readable in a failure), every record, the
// numbers, lists, anchors and current slot, and the page.
struct Snapshot {
    QByteArray json;
    std::vector<LayoutItem> items;
    SlotBookkeeping bookkeeping;
    PageValues page;

    explicit Snapshot(const LayoutDocument& d)
        : json(layoutToJson(layoutFromDocument(d))), bookkeeping(d.bookkeeping()), page(d.page) {
        for (int s = 0; s < kSlotCount; ++s)
            items.push_back(d.item(s));
    }
};

// The first line of the saved form that differs, with its neighbours, or empty.
std::string firstDifference(const QByteArray& a, const QByteArray& b) {
    const QList<QByteArray> left = a.split('\n');
    const QList<QByteArray> right = b.split('\n');
    for (qsizetype i = 0; i < std::max(left.size(), right.size()); ++i) {
        if (left.value(i) != right.value(i))
            return "line " + std::to_string(i + 1) + ": " + left.value(i).trimmed().toStdString() +
                   " / " + right.value(i).trimmed().toStdString() + " (after " +
                   left.value(i - 1).trimmed().toStdString() + ")";
    }
    return {};
}

void expectSame(const Snapshot& a, const Snapshot& b) {
    EXPECT_EQ(firstDifference(a.json, b.json), "");
    EXPECT_TRUE(a.items == b.items);
    EXPECT_TRUE(a.bookkeeping == b.bookkeeping);
    EXPECT_TRUE(a.page == b.page);
}

OwnDay ownDay(int y, unsigned m, unsigned day, OwnDayKind kind) {
    const std::chrono::year_month_day date{std::chrono::year{y}, std::chrono::month{m},
                                           std::chrono::day{day}};
    return {date, date, false, QStringLiteral("社内"), kind};
}

struct StepCase {
    const char* name;
    std::function<void(LayoutDocument&)> setup; // before the step, outside the history
    std::function<bool(EditorDocument&)> act;
    QString text;
    std::function<void(const LayoutDocument&)> check;
};

const LayoutItem& at(const LayoutDocument& d, int slot) {
    return d.item(slot);
}

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

TEST(PaperScaleRules, FactorAndOffset) {
    // A4 to A3: the smaller of the two ratios, so the page fits both ways.
    EXPECT_EQ(paperScale({794, 1123}, {1123, 1588}).factor, 1588.0 / 1123);
    const PaperScale postcard = paperScale({794, 1123}, {378, 559});
    EXPECT_DOUBLE_EQ(postcard.factor, 378.0 / 794);
    EXPECT_NEAR(postcard.offset.x(), 0, 1e-9);
    EXPECT_NEAR(postcard.offset.y(), (559 - 1123 * 378.0 / 794) / 2, 1e-9);
    EXPECT_EQ(paperScale({0, 1123}, {378, 559}), PaperScale{});

    // Horizontal and vertical dividing lines are scaled each by their own count.
    LayoutItem lines = newItemRecord(CategoryMonthFamily, VariantVertical, PageValues{});
    {
        RuleBlockWriter rules = ruleBlock(lines);
        rules.setHLineCount(3);
        rules.setHLinePos(0, 40);
        rules.setHLinePos(1, 90);
        rules.setHLinePos(2, 131);
        rules.setVLineCount(2);
        rules.setVLinePos(0, 100);
        rules.setVLinePos(1, 201);
    }
    scaleItem(lines, {0.5, {}});
    {
        RuleBlockWriter rules = ruleBlock(lines);
        EXPECT_EQ(rules.hLineCountClamped(), 3);
        EXPECT_EQ(rules.vLineCountClamped(), 2);
        EXPECT_EQ((std::array{rules.hLinePos(0), rules.hLinePos(1), rules.hLinePos(2)}),
                  (std::array{20, 45, 66}));
        EXPECT_EQ((std::array{rules.vLinePos(0), rules.vLinePos(1)}), (std::array{50, 101}));
    }

    // A picture keeps the size of its file; fonts never shrink to nothing.
    LayoutItem picture = newItemRecord(CategoryPicture, 0, PageValues{});
    picture.DesignWidth = 4000;
    picture.element(Year1).Font.Size = 1;
    scaleItem(picture, {0.25, {}});
    EXPECT_EQ(picture.DesignWidth, 4000);
    EXPECT_EQ(picture.element(Year1).Font.Size, 1);
}

TEST(PaperScaleRules, NewItemsStartInViewAndFitThePaper) {
    const QSize a4(794, 1123);
    // The visible part's corner, whole pixels.
    EXPECT_EQ(newItemPlacement({200, 60}, QRectF(100.6, 300.2, 500, 400), a4),
              QRectF(100, 300, 200, 60));
    // Nothing visible known: the page's corner.
    EXPECT_EQ(newItemPlacement({200, 60}, QRectF(), a4), QRectF(0, 0, 200, 60));
    // A 4000 x 3000 picture fits the paper with its view frame and keeps its shape.
    EXPECT_EQ(newItemPlacement({4000, 3000}, QRectF(0, 0, 794, 600), a4), QRectF(0, 0, 790, 592));
    // Near the page's far corner an item moves back in so that all of it is on the paper.
    EXPECT_EQ(newItemPlacement({300, 200}, QRectF(700, 1000, 94, 123), a4),
              QRectF(490, 919, 300, 200));
    // Not on top of the items there: below the lowest one it would cover, while that fits.
    const std::vector<QRectF> taken{{0, 0, 300, 100}, {100, 90, 200, 50.5}, {500, 0, 100, 900}};
    EXPECT_EQ(newItemPlacement({200, 60}, QRectF(0, 0, 794, 1123), a4, taken),
              QRectF(0, 149, 200, 60));
    EXPECT_EQ(newItemPlacement({200, 60}, QRectF(0, 0, 794, 1123), a4, {{0, 0, 794, 1100}}),
              QRectF(0, 0, 200, 60));
}

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

namespace {

// A year heading in kanji: 平成十年 (1998) is one character narrower than 平成十一年 (1999), so
// its auto size differs between December 1998 and January 1999.
LayoutItem kanjiYearHeading(const PageValues& page) {
    LayoutItem item = newItemRecord(CategoryYear, 0, page);
    item.element(Year1).Style = 9;
    item.FitToRect = kFalse;
    return item;
}

// Writes a document with a plain and a centre-locked heading and reads it back.
std::unique_ptr<LayoutDocument> headingsFile(const QString& path) {
    EditorDocument editor(std::make_unique<LayoutDocument>());
    PageValues& page = editor.document().page;
    page.PaperWidth = 210;
    page.PaperHeight = 297;
    editor.setPage(page);
    const int plain = *editor.addItem(kanjiYearHeading(editor.document().page));
    editor.placeItem(plain, {30, 40}, std::nullopt, QStringLiteral("移動"));
    const int centred = *editor.addItem(kanjiYearHeading(editor.document().page));
    editor.placeItem(centred, {0, 300}, std::nullopt, QStringLiteral("移動"));
    editor.toggleLock(centred, PositionLock::HCenter);
    EXPECT_EQ(writeLayoutFile(editor.document(), path), std::nullopt);
    return std::move(readLayoutFile(path).document);
}

QByteArray savedBytes(const LayoutDocument& document, const QString& path) {
    EXPECT_EQ(writeLayoutFile(document, path), std::nullopt);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace

TEST(EditorGeometry, AutoSizedHeadingsFollowTheMonthAndUndoGivesTheirSizeBack) {
    QTemporaryDir dir;
    EditorDocument editor(headingsFile(dir.filePath("headings.clf")));
    editor.setOutputMonth(1998, 12);
    const float decemberWidth = at(editor.document(), 0).Width;
    ASSERT_GT(decemberWidth, 10.f);
    EXPECT_EQ(at(editor.document(), 1).Width, decemberWidth);
    EXPECT_EQ(at(editor.document(), 1).Left,
              centredCoordinate(editor.canvasSize().width(), decemberWidth));

    ASSERT_TRUE(editor.dragItem(0, {100, 120}));
    editor.setOutputMonth(1999, 1);
    const float januaryWidth = at(editor.document(), 0).Width;
    EXPECT_GT(januaryWidth, decemberWidth);
    EXPECT_EQ(editor.undoStack().count(), 1) << "a month change is no step";
    EXPECT_EQ(at(editor.document(), 1).Left,
              centredCoordinate(editor.canvasSize().width(), januaryWidth));

    // The move undone in January: back where it was, with January's size.
    editor.undoStack().undo();
    EXPECT_EQ(QPointF(at(editor.document(), 0).Left, at(editor.document(), 0).Top),
              QPointF(30, 40));
    EXPECT_EQ(at(editor.document(), 0).Width, januaryWidth);
    const QByteArray undone = savedBytes(editor.document(), dir.filePath("undone.clf"));
    EditorDocument fresh(readLayoutFile(dir.filePath("headings.clf")).document);
    fresh.setOutputMonth(1999, 1);
    EXPECT_EQ(undone, savedBytes(fresh.document(), dir.filePath("fresh.clf")));

    editor.undoStack().redo();
    EXPECT_EQ(QPointF(at(editor.document(), 0).Left, at(editor.document(), 0).Top),
              QPointF(100, 120));
    EXPECT_EQ(at(editor.document(), 0).Width, januaryWidth);
    // Back in December the history gives back December's records byte for byte.
    editor.setOutputMonth(1998, 12);
    const Snapshot december(editor.document());
    editor.undoStack().undo();
    editor.undoStack().redo();
    expectSame(december, Snapshot(editor.document()));
}

TEST(EditorGeometry, APageSizeChangeCentresHeadingsWithTheirSizeForTheMonthShown) {
    QTemporaryDir dir;
    EditorDocument editor(headingsFile(dir.filePath("headings.clf")));
    editor.setOutputMonth(1998, 12);
    const int narrow = editor.canvasSize().width();
    PageValues page = editor.document().page;
    page.PaperWidth = 297;
    editor.setPage(page);
    const int wide = editor.canvasSize().width();
    EXPECT_EQ(wide, canvasSizeForPaper(297, 297).width()) << "the canvas follows the paper";
    // Centred on the paper itself, which the canvas rounds up to whole pixels.
    EXPECT_DOUBLE_EQ(editor.centringArea().width(), 297 * 96 / 25.4);
    const float decemberWidth = at(editor.document(), 1).Width;
    EXPECT_EQ(at(editor.document(), 1).Left, centredCoordinate(editor.centringArea().width(), decemberWidth));

    editor.setOutputMonth(1999, 1);
    const float januaryWidth = at(editor.document(), 1).Width;
    ASSERT_NE(januaryWidth, decemberWidth);
    EXPECT_EQ(at(editor.document(), 1).Left, centredCoordinate(editor.centringArea().width(), januaryWidth));
    editor.undoStack().undo();
    EXPECT_EQ(editor.canvasSize().width(), narrow);
    EXPECT_EQ(at(editor.document(), 1).Width, januaryWidth);
    EXPECT_EQ(at(editor.document(), 1).Left, centredCoordinate(editor.centringArea().width(), januaryWidth));
    editor.undoStack().redo();
    EXPECT_EQ(at(editor.document(), 1).Left, centredCoordinate(editor.centringArea().width(), januaryWidth));
}

TEST(EditorGeometry, ContentStepsMeasureInTheSameStep) {
    EditorDocument editor(std::make_unique<LayoutDocument>());
    editor.setOutputMonth(1998, 12);
    const int slot = *editor.addItem(kanjiYearHeading(editor.document().page));
    const float small = at(editor.document(), slot).Width;
    LayoutItem larger = at(editor.document(), slot);
    larger.element(Year1).Font.Size *= 2;
    ASSERT_TRUE(editor.replaceItem(slot, larger));
    EXPECT_GT(at(editor.document(), slot).Width, small * 1.5f);
    editor.undoStack().undo();
    EXPECT_EQ(at(editor.document(), slot).Width, small);

    // A box that is not auto-sized keeps its size until "基準枠に合わせる".
    LayoutItem fitted = kanjiYearHeading(editor.document().page);
    fitted.FitToRect = kTrue;
    fitted.Width = 400;
    const int box = *editor.addItem(fitted);
    EXPECT_EQ(at(editor.document(), box).Width, 400.f);
    ASSERT_TRUE(editor.fitToContents(box));
    EXPECT_EQ(at(editor.document(), box).Width, small);
    EXPECT_EQ(editor.undoStack().undoText(), QStringLiteral("基準枠に合わせる"));
}

// A new text item, added to fit its contents, takes the size of its lines: none is cut off.
TEST(EditorGeometry, ANewTextItemTakesTheSizeOfItsText) {
    EditorDocument editor(std::make_unique<LayoutDocument>());
    editor.setOutputMonth(2027, 4);
    const auto added = [&](const QString& text) {
        LayoutItem item = newItemRecord(CategoryText, 0, editor.document().page);
        item.Ext.text = text;
        item.element(Year1).Font.Size = 20;
        const int slot = *editor.addItem(item, QPointF(10, 10), true);
        return QSizeF(at(editor.document(), slot).Width, at(editor.document(), slot).Height);
    };
    const QSizeF one = added(QStringLiteral("2027年度 株式会社サンプル"));
    const QSizeF shorter = added(QStringLiteral("2027年度"));
    const QSizeF two = added(QStringLiteral("2027年度\n株式会社サンプル"));
    // 20 points is about 27 pixels a full-width letter: wider than the 244 a new item had.
    EXPECT_GT(one.width(), 300);
    EXPECT_GT(one.width(), shorter.width() * 2);
    EXPECT_GT(one.height(), 20);
    EXPECT_LT(one.height(), 60);
    EXPECT_GT(two.height(), one.height() * 1.8);
    EXPECT_LT(two.width(), one.width());
}

// "アイテム追加" as the window asks for it: the place is decided here, from the part of the
// page the user sees and the items already there, and an item too large for the paper is fitted.
TEST(EditorGeometry, AnAddedItemGoesWhereTheUserLooksAndFitsThePaper) {
    auto editor = threeItems();
    editor->setOutputMonth(2027, 4);
    // Seen: a part of the page left free by the three items; a heading takes its drawing's size.
    const QRectF seen(420.4, 700.8, 300, 300);
    const int heading =
        *editor->addItem(newItemRecord(CategoryYear, 0, editor->document().page), seen);
    const LayoutItem& placed = at(editor->document(), heading);
    EXPECT_EQ(QPointF(placed.Left, placed.Top), QPointF(420, 700));
    EXPECT_EQ(editor->document().anchor(heading), (LockAnchor{420, 700}));
    const auto drawn = ItemMeasure().contentSize(placed, 2027, 4, QString());
    ASSERT_TRUE(drawn.has_value());
    EXPECT_NEAR(placed.Width, drawn->width(), 0.01);
    EXPECT_NEAR(placed.Height, drawn->height(), 0.01);
    EXPECT_EQ(editor->undoStack().undoText(), QStringLiteral("追加"));

    // The corner seen is taken by the year heading at (10, 20): the new item goes below it.
    const int below = *editor->addItem(newItemRecord(CategoryYear, 0, editor->document().page),
                                       QRectF(0, 0, 150, 150));
    EXPECT_GE(at(editor->document(), below).Top, 20 + 60 + kItemFrame);

    // A picture larger than the paper is made to fit it, its shape kept, and stays that size.
    LayoutItem huge = newItemRecord(CategoryPicture, 0, editor->document().page);
    huge.Width = 4000;
    huge.Height = 3000;
    const int fitted = *editor->addItem(huge, QRectF(0, 0, kCanvasWidth, kCanvasHeight));
    const LayoutItem& box = at(editor->document(), fitted);
    EXPECT_LE(box.Width + kItemFrame, kCanvasWidth);
    EXPECT_NEAR(box.Width / box.Height, 4000.0 / 3000, 0.01);
    EXPECT_TRUE(isTrue(box.FitToRect));
    EXPECT_FALSE(isTrue(box.FreeAspect));

    // Outside the page nothing is seen: the page's own corner is the start.
    editor->undoStack().undo();
    editor->undoStack().undo();
    const int corner = *editor->addItem(newItemRecord(CategoryYear, 0, editor->document().page),
                                        QRectF(-500, -500, 100, 100));
    EXPECT_EQ(at(editor->document(), corner).Left, 0.f);
    EXPECT_GE(at(editor->document(), corner).Top, 20 + 60 + kItemFrame);
}

// What the editor marks on a box: a lost picture, and a month box that its size cuts off.
TEST(ItemMarks, LostPicturesAndCutOffMonthBoxes) {
    QTemporaryDir dir;
    LayoutItem picture = newItemRecord(CategoryPicture, 0, PageValues{});
    EXPECT_TRUE(itemWarning(picture, dir.path()).isEmpty()) << "no picture chosen yet";
    picture.PictureFile.setText(QStringLiteral("C:\\Photos\\gone.jpg"));
    EXPECT_EQ(itemWarning(picture, dir.path()), QStringLiteral("画像が見つかりません: gone.jpg"));

    LayoutItem box = newItemRecord(CategoryMonthFamily, VariantBox6, PageValues{});
    box.FitToRect = kFalse;
    box.Width = static_cast<float>(box.DesignWidth);
    box.Height = static_cast<float>(box.DesignHeight);
    EXPECT_TRUE(itemWarning(box, {}).isEmpty());
    box.Height -= 6; // what the grid trims anyway
    EXPECT_TRUE(itemWarning(box, {}).isEmpty());
    box.Height -= 40; // a row's worth
    EXPECT_FALSE(itemWarning(box, {}).isEmpty());
    box.FitToRect = kTrue; // drawn into its size: nothing is cut
    EXPECT_TRUE(itemWarning(box, {}).isEmpty());
    box.FitToRect = kFalse;
    box.Height = static_cast<float>(box.DesignHeight);
    box.Width -= 3; // the seven columns trim it anyway
    EXPECT_TRUE(itemWarning(box, {}).isEmpty());
    box.Width -= 30;
    EXPECT_FALSE(itemWarning(box, {}).isEmpty());
}
