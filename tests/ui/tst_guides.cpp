// The guides on the canvas: the grid dots as drawn, the edit lines shown by the settings, dragged
// with the mouse (snapping and mirroring on release), kept above the items, and moved to an
// item's edges from the "編集ライン" menu; the "位置" moves and the position dialog as steps.
#include "MainWindowFixture.h"
#include "document/LayoutFile.h"
#include "ui/dialogs/PositionDialog.h"
#include "ui/main/CanvasView.h"
#include "ui/main/EditLineItem.h"
#include "ui/main/ItemView.h"
#include "ui/main/PaperItem.h"

#include <QAction>
#include <QApplication>
#include <QGraphicsScene>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUndoStack>

using namespace tobirae;
using namespace tobirae::test;

namespace {

// The page at 100 %, as the canvas paints it.
QImage paperImage(MainWindow& w) {
    const QRectF page = w.paper()->boundingRect();
    QImage image(page.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    w.paper()->scene()->render(&painter, QRectF(QPointF(), page.size()), page);
    return image;
}

bool dark(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) < 128;
}

// Drags an edit line with the mouse to the scene coordinate `to` along its axis.
void dragLine(MainWindow& w, EditLineItem* line, double to) {
    CanvasView* view = w.canvasView();
    const bool vertical = line->orientation() == Qt::Vertical;
    const QPointF grab = vertical ? QPointF(line->position(), 50) : QPointF(50, line->position());
    const QPointF drop = vertical ? QPointF(to, 50) : QPointF(50, to);
    QWidget* viewport = view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, view->mapFromScene(grab));
    QTest::mouseMove(viewport, view->mapFromScene((grab + drop) / 2));
    QTest::mouseMove(viewport, view->mapFromScene(drop));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, view->mapFromScene(drop));
}

const QStringList kGuideSettings{"[GRID]",        "MainGridDisp=1", "MainGridConnect=1",
                                 "MainGridX=60",  "MainGridY=120",  "VBarDisp=1",
                                 "VBarConnect=1", "HBarDisp=1",     "HBarConnect=0"};

} // namespace

class GuideTests : public QObject {
    Q_OBJECT
private slots:
    void gridDotsFollowBothSpacings_data();
    void gridDotsFollowBothSpacings();
    void editLinesFollowTheSettings();
    void draggedLinesSnapAndMirror();
    void linesStayAboveTheItems();
    void linesMoveToAnItemsEdges();
    void positionCommandsAreStepsAndSaved();
};

void GuideTests::gridDotsFollowBothSpacings_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("stepX"); // pixels between dots, 0 for none
    QTest::addColumn<int>("stepY");
    QTest::newRow("4 by 8 px") << QStringList{"[GRID]", "MainGridDisp=1", "MainGridX=60",
                                              "MainGridY=120"}
                               << 4 << 8;
    QTest::newRow("8 by 4 px") << QStringList{"[GRID]", "MainGridDisp=1", "MainGridX=120",
                                              "MainGridY=60"}
                               << 8 << 4;
    QTest::newRow("hidden") << QStringList{"[GRID]", "MainGridDisp=0"} << 0 << 0;
    // A hand-edited file can hold what the options dialog never stores: no grid, no crash.
    QTest::newRow("zero spacing") << QStringList{"[GRID]", "MainGridDisp=1", "MainGridX=0"} << 0
                                  << 0;
    QTest::newRow("negative spacing")
        << QStringList{"[GRID]", "MainGridDisp=1", "MainGridY=-60"} << 0 << 0;
}

void GuideTests::gridDotsFollowBothSpacings() {
    QFETCH(QStringList, lines);
    QFETCH(int, stepX);
    QFETCH(int, stepY);
    MainWindowFixture f;
    QVERIFY(writeSettingsFile(f.settingsPath(), lines));
    MainWindow& w = f.start();
    const QImage page = paperImage(w);
    int darkPixels = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool onGrid = stepX > 0 && x % stepX == 0 && y % stepY == 0;
            darkPixels += dark(page, x, y);
            if (onGrid != dark(page, x, y))
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
        }
    }
    QCOMPARE(darkPixels, stepX > 0 ? (40 / stepX) * (40 / stepY) : 0);
}

void GuideTests::editLinesFollowTheSettings() {
    MainWindowFixture f;
    QVERIFY(writeSettingsFile(f.settingsPath(), kGuideSettings));
    MainWindow& w = f.start();
    const double middleX = w.editor().document().page.CanvasWidth / 2.0;
    const double middleY = w.editor().document().page.CanvasHeight / 2.0;
    // Symmetric vertical lines: both, starting in the middle; a single horizontal one.
    QVERIFY(w.guides().editLine(0, 0)->isVisible());
    QVERIFY(w.guides().editLine(0, 1)->isVisible());
    QVERIFY(w.guides().editLine(1, 0)->isVisible());
    QVERIFY(!w.guides().editLine(1, 1)->isVisible());
    QCOMPARE(w.guides().editLine(0, 0)->position(), middleX);
    QCOMPARE(w.guides().editLine(0, 1)->position(), middleX);
    QCOMPARE(w.guides().editLine(1, 0)->position(), middleY);
    QVERIFY(w.menus().editLineMenu->menuAction()->isVisible());

    // The options turn the horizontal lines off: their entries go with them.
    w.settings().EditLineShown[1] = false;
    w.updateGuides();
    QVERIFY(!w.guides().editLine(1, 0)->isVisible());
    QVERIFY(w.menus().editLineMenu->menuAction()->isVisible());
    w.settings().EditLineShown[0] = false;
    w.updateGuides();
    QVERIFY(!w.guides().editLine(0, 0)->isVisible());
    QVERIFY(!w.guides().editLine(0, 1)->isVisible());
    QVERIFY(!w.menus().editLineMenu->menuAction()->isVisible());
}

void GuideTests::draggedLinesSnapAndMirror() {
    MainWindowFixture f;
    QVERIFY(writeSettingsFile(f.settingsPath(), kGuideSettings));
    MainWindow& w = f.start();
    w.canvasView()->setZoom(1.0);
    w.canvasView()->ensureVisible(QRectF(0, 0, 10, 10), 0, 0);
    const int width = w.editor().document().page.CanvasWidth;

    dragLine(w, w.guides().editLine(0, 0), 102); // snaps to 100, the other line mirrors it
    QCOMPARE(w.guides().editLine(0, 0)->position(), 100.0);
    QCOMPARE(w.guides().editLine(0, 1)->position(), width - 100.0);
    dragLine(w, w.guides().editLine(0, 1), 150); // past the centre: the lines exchange roles
    QCOMPARE(w.guides().editLine(0, 0)->position(), 148.0);
    QCOMPARE(w.guides().editLine(0, 1)->position(), width - 148.0);
    dragLine(w, w.guides().editLine(1, 0), 37); // 8-pixel rows: 37 snaps to 32; no mirror line
    QCOMPARE(w.guides().editLine(1, 0)->position(), 32.0);
    QVERIFY(!w.guides().editLine(1, 1)->isVisible());

    // Without snapping the line stays where it was let go; off the page it stops at the edge.
    w.settings().GridSnap[0] = false;
    dragLine(w, w.guides().editLine(1, 0), 37);
    QCOMPARE(w.guides().editLine(1, 0)->position(), 37.0);
    dragLine(w, w.guides().editLine(0, 0), -40);
    QCOMPARE(w.guides().editLine(0, 0)->position(), 0.0);
    QCOMPARE(w.guides().editLine(0, 1)->position(), double(width));
}

void GuideTests::linesStayAboveTheItems() {
    MainWindowFixture f;
    QVERIFY(writeSettingsFile(f.settingsPath(), kGuideSettings));
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryMonthDisplay, 0, 300, 500, 12},
                                              {CategoryYear, 0, 320, 520, 12}}));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    w.items().selectItem(0);
    const QPointF onLine(w.guides().editLine(0, 0)->position(), 0);
    for (int slot : {0, 1}) {
        ItemView* view = w.itemView(slot);
        view->setPos(onLine.x() - 10, 500);
        const QPointF inside = view->mapToScene(view->boundingRect().center());
        QGraphicsItem* top = w.paper()->scene()->itemAt(QPointF(onLine.x(), inside.y()), {});
        QVERIFY(dynamic_cast<EditLineItem*>(top));
    }
}

void GuideTests::linesMoveToAnItemsEdges() {
    MainWindowFixture f;
    QVERIFY(writeSettingsFile(f.settingsPath(), kGuideSettings));
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryPicture, 0, 50, 60, 12}}));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    w.items().selectItem(0);
    const LayoutItem& item = w.document().item(0);
    const double right = item.Left + item.Width;
    const double bottom = item.Top + item.Height;
    const double v1 = w.guides().editLine(0, 1)->position();

    w.menus().editLineLeft->trigger();
    QCOMPARE(w.guides().editLine(0, 0)->position(), 50.0);
    QCOMPARE(w.guides().editLine(0, 1)->position(), v1); // no mirroring here
    w.menus().editLineRight->trigger();
    QCOMPARE(w.guides().editLine(0, 1)->position(), right);
    w.menus().editLineTop->trigger();
    QCOMPARE(w.guides().editLine(1, 0)->position(), 60.0);
    // Without symmetric move the single horizontal line takes the bottom edge.
    w.menus().editLineBottom->trigger();
    QCOMPARE(w.guides().editLine(1, 0)->position(), bottom);
    QVERIFY(!w.guides().editLine(1, 1)->isVisible());
}

void GuideTests::positionCommandsAreStepsAndSaved() {
    MainWindowFixture f;
    QVERIFY(writeSettingsFile(f.settingsPath(), kGuideSettings));
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryPicture, 0, 50, 60, 12}}));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    w.items().selectItem(0);
    const MainMenus& m = w.menus();
    for (QAction* entry :
         {m.moveLeft, m.moveRight, m.combineLeft, m.combineBottom, m.placement, m.editLineTop})
        QVERIFY2(entry->isEnabled(), qPrintable(entry->text()));
    const LayoutItem& item = w.document().item(0);
    QUndoStack& history = w.editor().undoStack();

    // Locked in X and Y, the item still follows the edge moves and the moves against the lines.
    m.xLock->trigger();
    m.yLock->trigger();
    m.moveRight->trigger();
    QCOMPARE(item.Left, w.editor().document().page.CanvasWidth - (item.Width + 4));
    QCOMPARE(history.undoText(), QStringLiteral("右端に移動"));
    m.combineTop->trigger(); // the single horizontal line, in the middle of the page
    QCOMPARE(double(item.Top), w.guides().editLine(1, 0)->position());
    QCOMPARE(w.itemView(0)->pos(), QPointF(item.Left, item.Top));
    history.undo();
    history.undo();
    QCOMPARE(QPointF(item.Left, item.Top), QPointF(50, 60));

    // The dialog shows the view (4 pixels larger than the drawing) and takes it back as one step.
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<PositionDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        // Named as the menu entry that opens it.
        QCOMPARE(dialog->windowTitle(), QStringLiteral("配置指定"));
        QCOMPARE(dialog->findChild<QLineEdit*>("Text1_2")->text(), QString::number(item.Width + 4));
        dialog->findChild<QLineEdit*>("Text1_0")->setText(QStringLiteral("100.5"));
        dialog->findChild<QLineEdit*>("Text1_2")->setText(QStringLiteral("84"));
        dialog->findChild<QPushButton*>("okButton")->click();
    });
    m.placement->trigger();
    QVERIFY(seen);
    QCOMPARE(history.undoText(), QStringLiteral("配置指定"));
    QCOMPARE(item.Left, 100.5f);
    QCOMPARE(item.Width, 80.f);
    QCOMPARE(w.document().anchor(0), (LockAnchor{100.5f, 60}));

    f.prompts.files.push_back(f.path("b.CLF"));
    QVERIFY(w.files().saveLayoutAs());
    const auto saved = readLayoutFileContent(f.path("b.CLF"));
    QVERIFY(saved.content);
    QCOMPARE(saved.content->items.at(0).Left, 100.5f);
    QCOMPARE(saved.content->items.at(0).Width, 80.f);

    // Entries against lines that are not shown are not offered.
    w.settings().EditLineShown[1] = false;
    w.updateGuides();
    QVERIFY(m.combineRight->isEnabled());
    QVERIFY(m.editLineLeft->isEnabled());
    QVERIFY(!m.combineTop->isEnabled());
    QVERIFY(!m.editLineBottom->isEnabled());
    QVERIFY(!w.items().moveItemToEditLine(0, Edge::Bottom));

    // Without an item nothing of the submenu is offered.
    w.editor().setCurrentSlot(-1);
    QVERIFY(!m.moveLeft->isEnabled());
    QVERIFY(!m.combineLeft->isEnabled());
    QVERIFY(!m.placement->isEnabled());
}

QTEST_MAIN(GuideTests)
#include "tst_guides.moc"
