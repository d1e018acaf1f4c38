// Editing on the main window's canvas: the item lists, the drawing order, adding, dragging,
// keys, resize handles, the popup menus, copy and paste, and the alignment toolbar.
#include "MainWindowFixture.h"
#include "document/LayoutFile.h"
#include "render/RenderFrame.h"
#include "ui/dialogs/OptionsDialog.h"
#include "ui/dialogs/PageSizeDialog.h"
#include "ui/main/CanvasView.h"
#include "ui/main/EditorWindowSetup.h"
#include "ui/main/ItemView.h"
#include "ui/main/LayoutTemplates.h"
#include "ui/main/OutputRangePanel.h"
#include "ui/main/PaperItem.h"
#include "ui/main/TemplateDialog.h"
#include "ui/main/Translations.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyleOptionGraphicsItem>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTranslator>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace tobirae;
using namespace tobirae::test;

class MainWindowEditingTests : public QObject {
    Q_OBJECT
private slots:
    void itemListSelectionShowsPosition();
    void drawingOrderMoves();
    void addUndoRedoByKeys();
    void cancelledAddKeepsCurrentItem();
    void dragWithTheMouse_data();
    void dragWithTheMouse();
    void arrowKeysAndDeleteKey_data();
    void arrowKeysAndDeleteKey();
    void enterOpensTheCurrentItem();
    void resizeHandles();
    void popupMenuStates();
    void copyPasteAtCanvasPoint();
    void alignmentToolbarAndKeys();
    void newItemsStartInSightAndFitThePaper();
};

void MainWindowEditingTests::itemListSelectionShowsPosition() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(
        f.path("a.CLF"), {{CategoryPicture, 0, 30, 40, 12}, {CategoryPicture, 0, 200, 300, 12}}));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    const LayoutItem& second = w.document().item(1);
    w.sidePanel().itemList()->setCurrentIndex(1);
    emit w.sidePanel().itemList()->activated(1);
    QCOMPARE(w.document().currentSlot(), 1);
    QCOMPARE(w.sidePanel().positionLabel(0)->text(), QStringLiteral("X=200"));
    QCOMPARE(w.sidePanel().positionLabel(1)->text(), QStringLiteral("Y=300"));
    QCOMPARE(w.sidePanel().positionLabel(2)->text(), QStringLiteral("幅=%1").arg(second.Width + 4));
    QCOMPARE(w.sidePanel().positionLabel(3)->text(),
             QStringLiteral("高さ=%1").arg(second.Height + 4));
    QVERIFY(w.itemView(1)->focusBorder());
    QVERIFY(!w.itemView(0)->focusBorder());
}

void MainWindowEditingTests::drawingOrderMoves() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryYear, 0, 0, 0, 12},
                                              {CategoryMonthDisplay, 0, 0, 200, 12},
                                              {CategoryPicture, 0, 0, 400, 12}}));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    QListWidget* order = w.sidePanel().drawingOrderList();
    auto up = w.findChild<QPushButton*>("orderUpButton");
    auto down = w.findChild<QPushButton*>("orderDownButton");

    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(f.prompts.messages,
             QStringList{QStringLiteral("順序を移動させるアイテム名を選択してください。")});

    order->setCurrentRow(0);
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(order->currentRow(), 1);
    QCOMPARE(w.document().drawingOrder()[0].slot, 1);
    QCOMPARE(w.document().drawingOrder()[1].slot, 0);
    QCOMPARE(order->item(0)->text(), w.document().drawingOrder()[0].text);
    QCOMPARE(order->item(1)->text(), w.document().drawingOrder()[1].text);
    // Later entries lie on top on the canvas as on the page.
    QVERIFY(w.itemView(0)->zValue() > w.itemView(1)->zValue());

    order->setCurrentRow(0);
    QTest::mouseClick(up, Qt::LeftButton); // first entry earlier: nothing
    QCOMPARE(w.document().drawingOrder()[0].slot, 1);
    order->setCurrentRow(2);
    QTest::mouseClick(down, Qt::LeftButton); // last entry later: nothing
    QCOMPARE(w.document().drawingOrder()[2].slot, 2);
    QCOMPARE(f.prompts.messages.size(), 1);

    // 最前面へ / 最背面へ serve the current item and are offered only where it can go.
    const MainMenus& m = w.menus();
    w.items().selectItem(2); // drawn last already
    QVERIFY(!m.bringToFront->isEnabled());
    QVERIFY(m.sendToBack->isEnabled());
    w.items().selectItem(1); // drawn first
    QVERIFY(m.bringToFront->isEnabled());
    QVERIFY(!m.sendToBack->isEnabled());
    const int steps = w.editor().undoStack().count();
    m.bringToFront->trigger();
    QCOMPARE(w.document().drawingOrder()[2].slot, 1);
    QCOMPARE(order->item(2)->text(), w.document().drawingOrder()[2].text);
    QVERIFY(w.itemView(1)->zValue() > w.itemView(2)->zValue());
    QVERIFY(!m.bringToFront->isEnabled());
    QVERIFY(m.sendToBack->isEnabled());
    QCOMPARE(w.editor().undoStack().count(), steps + 1);
    m.sendToBack->trigger();
    QCOMPARE(w.document().drawingOrder()[0].slot, 1);
    w.menus().undo->trigger();
    QCOMPARE(w.document().drawingOrder()[2].slot, 1);
}

void MainWindowEditingTests::addUndoRedoByKeys() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    QVERIFY(activate(w));
    QTest::mouseClick(w.sidePanel().commandButton(1), Qt::LeftButton);
    QCOMPARE(w.document().liveCount(), 1);
    QCOMPARE(w.sidePanel().itemList()->count(), 1);
    QCOMPARE(w.sidePanel().itemList()->itemText(0), QStringLiteral(" 1 年表示"));
    QCOMPARE(w.sidePanel().drawingOrderList()->count(), 1);
    QCOMPARE(w.document().currentSlot(), 0);
    QVERIFY(w.itemView(0)->isVisible());
    QVERIFY(w.itemView(0)->focusBorder());
    QVERIFY(w.menus().undo->isEnabled());
    w.menus().itemAdd->trigger();
    QCOMPARE(w.sidePanel().itemList()->count(), 2);

    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.sidePanel().itemList()->count(), 1);
    QVERIFY(!w.itemView(1)->isVisible());
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(w.sidePanel().itemList()->count(), 0);
    QVERIFY(!w.itemView(0)->isVisible());
    QVERIFY(!w.menus().undo->isEnabled());
    QVERIFY(w.menus().redo->isEnabled());
    QTest::keyClick(&w, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(w.sidePanel().itemList()->count(), 2);
    QCOMPARE(w.sidePanel().drawingOrderList()->item(1)->text(), QStringLiteral(" 2 年表示"));
    QVERIFY(w.itemView(1)->isVisible());
    QVERIFY(!w.menus().redo->isEnabled());
    // A layout read and a new document start a new history.
    QVERIFY(writeTestLayout(f.path("a.CLF"), kTwoPictures));
    f.prompts.answers = {PromptAnswer::No, PromptAnswer::No};
    w.files().openLayout(f.path("a.CLF"));
    QVERIFY(!w.menus().undo->isEnabled());
    QVERIFY(!w.menus().redo->isEnabled());
    w.menus().itemAdd->trigger();
    QVERIFY(w.menus().undo->isEnabled());
    f.prompts.answers.push_back(PromptAnswer::No);
    w.menus().newData->trigger();
    QVERIFY(!w.menus().undo->isEnabled());
}

// The toolbar holds the menu's own commands with icons; their keys collide with no other key of
// the window, nor with the file keys; hiding it is kept in the settings.
void MainWindowEditingTests::alignmentToolbarAndKeys() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), kTwoItems));
    MainWindow& w = f.start();
    QVERIFY(activate(w));
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    auto* bar = w.findChild<QToolBar*>(QStringLiteral("alignToolbar"));
    QVERIFY(bar);
    QVERIFY(bar->isVisible());
    QList<QAction*> commands;
    for (QAction* a : bar->actions())
        if (!a->isSeparator())
            commands << a;
    QCOMPARE(commands.size(), 13);
    QVERIFY(commands.contains(w.menus().moveHCenter));
    QVERIFY(commands.contains(w.menus().placement));
    QVERIFY(commands.contains(w.menus().zoomFit));
    QMap<QKeySequence, QString> keys;
    for (const QAction* a : w.findChildren<QAction*>()) {
        for (const QKeySequence& key : a->shortcuts()) {
            QVERIFY2(!keys.contains(key),
                     qPrintable(key.toString() + QLatin1Char(' ') + keys.value(key) +
                                QLatin1Char('/') + a->objectName()));
            keys.insert(key, a->objectName());
        }
    }
    const QList<QKeySequence> fileKeys{
        QKeySequence(Qt::CTRL | Qt::Key_N), QKeySequence(Qt::CTRL | Qt::Key_O),
        QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
        QKeySequence(Qt::CTRL | Qt::Key_P), QKeySequence(Qt::CTRL | Qt::Key_Q)};
    for (const QAction* a : commands) {
        QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
        QVERIFY2(!a->shortcut().isEmpty(), qPrintable(a->objectName()));
        QVERIFY2(!fileKeys.contains(a->shortcut()), qPrintable(a->objectName()));
    }

    // Ctrl+Shift+H centres the selected item, also while the toolbar is hidden.
    QAction* shown = w.findChild<QAction*>(QStringLiteral("alignToolbarAction"));
    QVERIFY(shown && shown->isChecked());
    shown->trigger();
    QVERIFY(!bar->isVisible());
    QVERIFY(!w.settings().AlignToolbarShown);
    w.items().selectItem(1);
    QTest::keyClick(&w, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
    const LayoutItem& item = w.document().item(1);
    QCOMPARE(item.Left, float((w.editor().centringArea().width() - item.Width - 4) / 2));
    QTest::keyClick(&w, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(item.Top + item.Height + 4, float(w.document().page.CanvasHeight));
    QCOMPARE(w.editor().undoStack().count(), 2);

    // The next start keeps it hidden.
    QCOMPARE(saveAppSettings(w.settings()), std::nullopt);
    f.window.reset();
    MainWindow& again = f.start();
    QVERIFY(!again.findChild<QToolBar*>(QStringLiteral("alignToolbar"))->isVisible());
}

// A new item starts at the top-left of the visible part of the page; a picture larger than the
// paper arrives fitted, its shape kept.
void MainWindowEditingTests::newItemsStartInSightAndFitThePaper() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    w.canvasView()->setZoom(2);
    w.canvasView()->horizontalScrollBar()->setValue(300);
    w.canvasView()->verticalScrollBar()->setValue(500);
    const QRectF visible = w.canvasView()->visibleSceneRect();
    w.testHooks().newItemConfirmation = [](LayoutItem& item) {
        return item.Category == CategoryYear;
    };
    QVERIFY(w.items().addItemFromDialog());
    const int year = w.document().currentSlot();
    QCOMPARE(w.document().item(year).Left, float(std::floor(visible.left())));
    QCOMPARE(w.document().item(year).Top, float(std::floor(visible.top())));

    const QString picture = f.path(QStringLiteral("large.png"));
    QImage large(4000, 3000, QImage::Format_RGB32);
    large.fill(Qt::darkGreen);
    QVERIFY(large.save(picture));
    w.canvasView()->setZoom(1);
    w.testHooks().newItemConfirmation = [&](LayoutItem& item) {
        item = newItemRecord(CategoryPicture, 0, w.document().page);
        item.PictureFile.setText(picture);
        return true;
    };
    QVERIFY(w.items().addItemFromDialog());
    const LayoutItem& added = w.document().item(w.document().currentSlot());
    QVERIFY(added.Left + added.Width + 4 <= w.document().page.CanvasWidth);
    QVERIFY(added.Top + added.Height + 4 <= w.document().page.CanvasHeight);
    QCOMPARE(added.Width, float(w.document().page.CanvasWidth - 4));
    QVERIFY(std::abs(added.Width / added.Height - 4.0 / 3) < 0.01);
    QCOMPARE(added.DesignWidth, 4000);
    QVERIFY(w.itemView(w.document().currentSlot())->viewSize().width() <=
            w.document().page.CanvasWidth);
}

void MainWindowEditingTests::cancelledAddKeepsCurrentItem() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), kTwoPictures));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    w.editor().document().item(0).Live =
        kFalse; // slot 0 free: the one a cancelled add used to choose
    w.items().selectItem(1);
    bool asked = false;
    w.testHooks().newItemConfirmation = [&](LayoutItem& item) {
        asked = true;
        return item.Category == CategoryYear && false;
    };
    QVERIFY(!w.items().addItemFromDialog());
    QVERIFY(asked);
    QCOMPARE(w.document().currentSlot(), 1);
    QVERIFY(!w.menus().undo->isEnabled());
}

void MainWindowEditingTests::dragWithTheMouse_data() {
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("xLocked");
    QTest::addColumn<int>("scrolled"); // the item's left edge scrolled out of sight
    QTest::newRow("100 %") << 1.0 << false << 0;
    QTest::newRow("200 %") << 2.0 << false << 0;
    QTest::newRow("50 %") << 0.5 << false << 0;
    QTest::newRow("X locked") << 1.0 << true << 0;
    QTest::newRow("partly in sight") << 1.0 << false << 50;
}

void MainWindowEditingTests::dragWithTheMouse() {
    QFETCH(double, zoom);
    QFETCH(bool, xLocked);
    QFETCH(int, scrolled);
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), kTwoPictures));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    w.editor().document().item(0).XLocked = toB16(xLocked);
    w.canvasView()->setZoom(zoom);
    w.canvasView()->ensureVisible(QRectF(0, 0, 300, 300), 0, 0);
    w.canvasView()->horizontalScrollBar()->setValue(scrolled);
    // Pressing on an item does not scroll the canvas under the pointer.
    dragOnCanvas(w.canvasView(), {60, 60}, {110, 90});
    QCOMPARE(w.canvasView()->horizontalScrollBar()->value(), scrolled);
    const LayoutItem& item = w.document().item(0);
    QCOMPARE(item.Left, xLocked ? 30.f : 80.f);
    QCOMPARE(item.Top, 70.f);
    // The view shows the item where the document has it; the labels show it too.
    QCOMPARE(w.itemView(0)->pos(), QPointF(item.Left, item.Top));
    QCOMPARE(w.sidePanel().positionLabel(0)->text(), QStringLiteral("X=%1").arg(item.Left));
    QCOMPARE(w.sidePanel().positionLabel(1)->text(), QStringLiteral("Y=70"));
    QCOMPARE(w.document().currentSlot(), 0);
    QCOMPARE(w.editor().undoStack().undoText(), QStringLiteral("移動"));
    w.menus().undo->trigger();
    QCOMPARE(w.itemView(0)->pos(), QPointF(30, 40));
    // A click whose pointer trembles by a pixel moves nothing.
    dragOnCanvas(w.canvasView(), {60, 60}, {60 + 1 / zoom, 60 + 1 / zoom});
    QCOMPARE(w.document().item(0).Left, 30.f);
    QVERIFY(w.editor().undoStack().canRedo());

    // With every item's mouse movement locked nothing moves.
    w.menus().mouseLockAll->trigger();
    dragOnCanvas(w.canvasView(), {60, 60}, {110, 90});
    QCOMPARE(w.itemView(0)->pos(), QPointF(30, 40));
    QCOMPARE(w.document().item(0).Left, 30.f);
}

void MainWindowEditingTests::arrowKeysAndDeleteKey_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("はい") << int(PromptAnswer::Yes);
    QTest::newRow("いいえ") << int(PromptAnswer::No);
}

void MainWindowEditingTests::arrowKeysAndDeleteKey() {
    QFETCH(int, answer);
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), kTwoPictures));
    MainWindow& w = f.start();
    QVERIFY(activate(w));
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    QTest::mouseClick(w.canvasView()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      w.canvasView()->mapFromScene(QPointF(320, 420)));
    QCOMPARE(w.document().currentSlot(), 1);
    QWidget* viewport = w.canvasView()->viewport();
    QTest::keyClick(viewport, Qt::Key_Right);
    QTest::keyClick(viewport, Qt::Key_Right);
    QTest::keyClick(viewport, Qt::Key_Up);
    QCOMPARE(w.document().item(1).Left, 302.f);
    QCOMPARE(w.document().item(1).Top, 399.f);
    QCOMPARE(w.itemView(1)->pos(), QPointF(302, 399));
    QCOMPARE(w.sidePanel().positionLabel(0)->text(), QStringLiteral("X=302"));
    QCOMPARE(w.editor().undoStack().count(), 1); // the run of arrow keys is one step

    f.prompts.answers.push_back(PromptAnswer(answer));
    QTest::keyClick(viewport, Qt::Key_Delete);
    // The item is named, and the default answer keeps it.
    QCOMPARE(f.prompts.questionTexts(),
             QStringList{QStringLiteral("「%1」を削除します。\r\nよろしいですか？")
                             .arg(w.document().itemList()[1].text)});
    QCOMPARE(f.prompts.questions[0].buttons, PromptButtons::YesNoKeep);
    const bool deleted = answer == int(PromptAnswer::Yes);
    QCOMPARE(w.document().isLive(1), !deleted);
    QCOMPARE(w.itemView(1)->isVisible(), !deleted);
    QCOMPARE(w.sidePanel().drawingOrderList()->count(), deleted ? 1 : 2);
    if (deleted) {
        QCOMPARE(w.editor().undoStack().undoText(), QStringLiteral("削除"));
        QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(w.itemView(1)->isVisible());
        QCOMPARE(w.sidePanel().drawingOrderList()->count(), 2);
        QCOMPARE(w.itemView(1)->pos(), QPointF(302, 399));
    }
}

void MainWindowEditingTests::enterOpensTheCurrentItem() {
    MainWindowFixture f;
    // A big picture below two small ones, as a photo lies under headings.
    const std::vector<TestItem> items{{CategoryPicture, 0, 30, 40, 12},
                                      {CategoryPicture, 0, 300, 400, 12},
                                      {CategoryPicture, 0, 30, 600, 12}};
    QVERIFY(writeTestLayout(f.path("a.CLF"), items));
    MainWindow& w = f.start();
    QVERIFY(activate(w));
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    QListWidget* order = w.sidePanel().drawingOrderList();
    QVERIFY(order->selectedItems().isEmpty());
    std::vector<float> opened; // the Left of the record each dialog got
    const auto recordOpened = [&] {
        f.dialogScripts.push_back([&](ItemPropertiesDialog& dialog) {
            opened.push_back(dialog.item().Left);
            dialog.findChild<QPushButton*>(QStringLiteral("rejectButton"))->click();
        });
    };
    const auto pressEnter = [&] {
        recordOpened();
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, Qt::Key_Return);
        QTRY_VERIFY(f.dialogScripts.empty());
    };
    const auto clickPage = [&](QPointF at) {
        QTest::mouseClick(w.canvasView()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          w.canvasView()->mapFromScene(at));
    };
    const auto clickOrderRow = [&](int row) {
        QTest::mouseClick(order->viewport(), Qt::LeftButton, Qt::NoModifier,
                          order->visualItemRect(order->item(row)).center());
    };
    const auto orderRowOf = [&](int slot) {
        const auto& entries = w.document().drawingOrder();
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].slot == slot)
                return static_cast<int>(i);
        return -1;
    };
    const auto current = [&](int slot) {
        QCOMPARE(w.document().currentSlot(), slot);
        QCOMPARE(order->currentRow(), orderRowOf(slot));
        QCOMPARE(order->selectedItems().size(), 1);
        QCOMPARE(w.sidePanel().itemList()->currentIndex(), w.document().listPosition(slot));
        QVERIFY(w.itemView(slot)->focusBorder());
    };

    // Page, list, page, list: each time Enter opens the item just chosen.
    clickPage(QPointF(320, 420));
    current(1);
    pressEnter();
    clickOrderRow(orderRowOf(2));
    current(2);
    pressEnter();
    clickPage(QPointF(50, 60));
    current(0);
    pressEnter();
    clickOrderRow(orderRowOf(1));
    current(1);
    pressEnter();
    QCOMPARE(opened, (std::vector<float>{300, 30, 30, 300}));
    QCOMPARE(w.document().item(2).Top, 600.f); // the second 30 was the item at the bottom
    // The arrow keys follow the list's choice too.
    clickOrderRow(orderRowOf(2));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(w.document().item(2).Left, 31.f);
    QCOMPARE(w.document().item(1).Left, 300.f);

    // After a reload nothing is current: no highlight, and Enter opens nothing.
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    QCOMPARE(w.document().currentSlot(), -1);
    QVERIFY(order->selectedItems().isEmpty());
    const int dialogs = f.dialogsOpened;
    QTest::keyClick(w.canvasView()->viewport(), Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(f.dialogsOpened, dialogs);
}

void MainWindowEditingTests::resizeHandles() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), kTwoPictures));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    w.canvasView()->setZoom(1.0);
    w.canvasView()->ensureVisible(QRectF(0, 0, 400, 400), 0, 0);
    const LayoutItem before = w.document().item(0);
    w.items().selectItem(0);
    w.menus().sizeChange->trigger();
    QVERIFY(w.itemView(0)->resizeMode());
    QCOMPARE(w.editor().undoStack().count(), 0); // entering resize mode is no edit
    // Drag the bottom-right handle 20 right and 10 down.
    const QPointF corner(before.Left + before.Width + 4 - 2, before.Top + before.Height + 4 - 2);
    dragOnCanvas(w.canvasView(), corner, corner + QPointF(20, 10));
    const LayoutItem& after = w.document().item(0);
    QCOMPARE(after.Width, before.Width + 20);
    QCOMPARE(after.Height, before.Height + 10);
    QCOMPARE(after.Left, before.Left);
    QCOMPARE(w.itemView(0)->viewSize(), QSize(int(after.Width) + 4, int(after.Height) + 4));
    QCOMPARE(w.editor().undoStack().undoText(), QStringLiteral("サイズ変更"));
    // A click inside another item ends resize mode.
    QTest::mouseClick(w.canvasView()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      w.canvasView()->mapFromScene(QPointF(320, 420)));
    QVERIFY(!w.itemView(0)->resizeMode());
    QVERIFY(!isTrue(w.document().item(0).SizeChangeMode));
    w.menus().undo->trigger();
    QCOMPARE(w.document().item(0).Width, before.Width);
    QCOMPARE(w.itemView(0)->viewSize(), QSize(int(before.Width) + 4, int(before.Height) + 4));
}

void MainWindowEditingTests::popupMenuStates() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryPicture, 0, 30, 40, 12}}));
    MainWindow& w = f.start();
    const MainMenus& m = w.menus();
    w.items().prepareCanvasPopup(QPointF(5, 5));
    QVERIFY(!m.mouseLockAll->isEnabled());
    QVERIFY(!m.restack->isEnabled());
    QVERIFY(!m.paste->isEnabled());
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    w.items().prepareCanvasPopup(QPointF(5, 5));
    QVERIFY(m.mouseLockAll->isEnabled());
    QVERIFY(!m.restack->isEnabled());
    w.editor().copyItem(0);
    w.items().pasteCopiedItem();
    w.menus().mouseLockAll->trigger();
    w.items().prepareCanvasPopup(QPointF(5, 5));
    QVERIFY(m.restack->isEnabled());
    QVERIFY(m.paste->isEnabled());
    QVERIFY(m.mouseLockAll->isChecked());

    w.editor().document().item(0).XLocked = kTrue;
    w.actions().prepareItemPopup(0);
    QCOMPARE(m.sizeChange->text(), QStringLiteral("サイズ変更"));
    QCOMPARE(m.moveLock->text(), QStringLiteral("ロック"));
    QVERIFY(m.moveLock->isEnabled());
    QVERIFY(m.xLock->isChecked());
    QVERIFY(!m.yLock->isChecked());
    w.items().selectItem(0);
    m.moveLock->trigger();
    QCOMPARE(w.editor().undoStack().undoText(), QStringLiteral("ロック"));
    m.sizeChange->trigger();
    w.actions().prepareItemPopup(0);
    QCOMPARE(m.sizeChange->text(), QStringLiteral("サイズ変更解除"));
    QCOMPARE(m.moveLock->text(), QStringLiteral("ロック解除"));
    QVERIFY(!m.moveLock->isEnabled());

    // The real popup opens on a right click and shows the same entries.
    bool shown = false;
    QTimer::singleShot(50, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        shown = popup == m.itemMenu;
        if (popup)
            popup->close();
    });
    const QPoint at = w.canvasView()->mapFromScene(QPointF(40, 50));
    QContextMenuEvent click(QContextMenuEvent::Mouse, at,
                            w.canvasView()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(w.canvasView()->viewport(), &click);
    QVERIFY(shown);
}

void MainWindowEditingTests::copyPasteAtCanvasPoint() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), kTwoPictures));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    const LayoutItem source = w.document().item(0);
    w.items().selectItem(0);
    w.menus().copy->trigger();
    QVERIFY(w.document().item(0) == source);
    // The canvas popup's paste puts the copy's centre on the clicked point.
    QTimer::singleShot(50, [&] {
        if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            QVERIFY(popup == w.menus().wholeMenu);
            w.menus().paste->trigger();
            popup->close();
        }
    });
    const QPointF point(500, 700);
    w.canvasView()->ensureVisible(QRectF(point, QSizeF(10, 10)), 0, 0);
    const QPoint at = w.canvasView()->mapFromScene(point);
    QContextMenuEvent click(QContextMenuEvent::Mouse, at,
                            w.canvasView()->viewport()->mapToGlobal(at));
    QApplication::sendEvent(w.canvasView()->viewport(), &click);
    QCOMPARE(w.document().liveCount(), 3);
    const int pasted = w.document().currentSlot();
    const LayoutItem& copy = w.document().item(pasted);
    QCOMPARE(copy.Left, float(std::nearbyint(500 - source.Width / 2)));
    QCOMPARE(copy.Top, float(std::nearbyint(700 - source.Height / 2)));
    QCOMPARE(copy.Width, source.Width);
    QCOMPARE(w.itemView(pasted)->pos(), QPointF(copy.Left, copy.Top));
    QCOMPARE(w.sidePanel().itemList()->currentIndex(), 2);
    // Ctrl+C and Ctrl+V copy the selected item and paste it into the corner, as the Edit menu does.
    QVERIFY(activate(w));
    w.items().selectItem(1);
    QTest::keyClick(&w, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(&w, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(w.document().liveCount(), 4);
    const LayoutItem& cornered = w.document().item(w.document().currentSlot());
    QCOMPARE(QPointF(cornered.Left, cornered.Top), QPointF(0, 0));
    QCOMPARE(cornered.Category, w.document().item(1).Category);
}

QTEST_MAIN(MainWindowEditingTests)
#include "tst_mainwindow_editing.moc"
