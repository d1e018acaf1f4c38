// Sizes the editing layer decides: items scaled to a new paper, auto-sized headings for the month shown, page-size changes,
// content steps measured in the same step, new items placed where the user looks, and the marks
// of lost pictures and cut-off month boxes.
#include "EditorTestSupport.h"
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
using namespace editortest;

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
