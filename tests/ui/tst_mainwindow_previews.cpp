// The item previews of the main window: the output month they show, the pictures and days files
// they draw, and what they keep in memory.
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

class MainWindowPreviewTests : public QObject {
    Q_OBJECT
private slots:
    void previewsHoldOnlyThePaper();
    void monthButtonsChooseTheMonth();
    void monthChangeRedrawsPreviews();
    void pictureSizeIsRememberedOnFirstDraw();
    void previewsDecodeAPictureOnceUntilItsFileChanges();
    void linkedDaysFilesAreReadOffTheInterfaceThread();
    void centreLockedHeadingsFollowTheirPreview();
};

// A linked days file reaches the previews once a worker has read it; a FIFO among the links
// holds up nothing.
void MainWindowPreviewTests::linkedDaysFilesAreReadOffTheInterfaceThread() {
    using namespace std::chrono;
    MainWindowFixture f;
    QFile csv(f.path("company.csv"));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write(QStringLiteral("2005-01-12..2005-01-14,棚卸し,休日\n").toUtf8());
    csv.close();
    QVERIFY(::mkfifo(QFile::encodeName(f.path("fifo.csv")).constData(), 0600) == 0);
    const auto layout = [&](const QString& name, const OwnDaysSettings& own) {
        auto document = makeTestDocument({{CategoryMonthFamily, VariantBox6, 10, 10, 12}});
        document->extension.ownDays = own;
        return !writeLayoutFile(*document, f.path(name));
    };
    OwnDaysSettings embedded;
    embedded.days = {
        {2005y / 1 / 12, 2005y / 1 / 14, false, QStringLiteral("棚卸し"), OwnDayKind::DayOff}};
    OwnDaysSettings linked;
    linked.files = {QStringLiteral("company.csv"), QStringLiteral("fifo.csv")};
    QVERIFY(layout(QStringLiteral("plain.CLF"), {}));
    QVERIFY(layout(QStringLiteral("embedded.CLF"), embedded));
    QVERIFY(layout(QStringLiteral("linked.CLF"), linked));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("plain.CLF")));
    const QImage plain = w.itemView(0)->preview().image();
    QVERIFY(w.files().openLayout(f.path("embedded.CLF")));
    const QImage expected = w.itemView(0)->preview().image();
    QVERIFY(expected != plain);
    QVERIFY(w.files().openLayout(f.path("linked.CLF")));
    QTRY_COMPARE(w.itemView(0)->preview().image(), expected);
}

// Redrawing previews reuses the decoded picture while its file keeps its size and time; a file
// written again is decoded again.
void MainWindowPreviewTests::previewsDecodeAPictureOnceUntilItsFileChanges() {
    MainWindowFixture f;
    auto document = makeTestDocument({{CategoryPicture, 0, 30, 40, 12}});
    document->item(0).PictureFile.setText(f.path("pic.bmp"));
    QVERIFY(!writeLayoutFile(*document, f.path("a.CLF")));
    const auto paint = [&](Qt::GlobalColor colour) {
        QImage picture(40, 20, QImage::Format_RGB32);
        picture.fill(colour);
        return picture.save(f.path("pic.bmp"));
    };
    QVERIFY(paint(Qt::red));
    const QDateTime written = QFileInfo(f.path("pic.bmp")).lastModified();
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    const auto shownColour = [&] {
        const QImage shown = w.itemView(0)->preview().image();
        return shown.pixelColor(shown.width() / 2, shown.height() / 2);
    };
    QCOMPARE(shownColour(), QColor(Qt::red));
    const auto setTime = [&](const QDateTime& time) {
        QFile file(f.path("pic.bmp"));
        return file.open(QIODevice::ReadWrite) &&
               file.setFileTime(time, QFileDevice::FileModificationTime);
    };
    // The same size and time: the previews of another month still show what was decoded.
    QVERIFY(paint(Qt::blue));
    QVERIFY(setTime(written));
    w.editor().setOutputMonth(2027, 2);
    QCOMPARE(shownColour(), QColor(Qt::red));
    QVERIFY(setTime(written.addSecs(10)));
    w.editor().setOutputMonth(2027, 3);
    QCOMPARE(shownColour(), QColor(Qt::blue));
}

// An item view keeps pixels only for the part of the item on the paper, drawn exactly as the whole
// preview would show them; an item far larger than the paper costs no more than the paper.
void MainWindowPreviewTests::previewsHoldOnlyThePaper() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    const QSize canvas = w.editor().canvasSize();
    LayoutItem box = newItemRecord(CategoryMonthFamily, 0, w.document().page);
    const auto slot = w.editor().addItem(box, QPointF(canvas.width() - 300, 100), true);
    QVERIFY(slot);
    const LayoutItem& placed = w.document().item(*slot);
    QVERIFY(placed.Width > 400);

    const ItemPreview& held = w.itemView(*slot)->preview();
    const QRectF heldRect = held.heldRect();
    QCOMPARE(heldRect.left(), 0.0);
    QCOMPARE(heldRect.width(), canvas.width() - placed.Left);
    QVERIFY(!held.image().isNull());

    ItemPreview whole;
    whole.prepare(held.size(), held.deviceScale());
    RenderContext ctx;
    initRenderContext(ctx);
    const auto month = *w.editor().outputMonth();
    DateRange range =
        pageDateRange(static_cast<int>(month.year()), static_cast<int>(unsigned(month.month())));
    QVERIFY(drawLayoutItem(ctx, placed, &whole, range, DrawSurface{}, 0, 0, {}));
    QCOMPARE(held.image(), whole.image().copy(QRect(QPoint(0, 0), held.image().size())));

    // Much larger than the paper, and half off it: only what is on the paper and near the part
    // in sight is held, at every zoom and wherever the canvas is scrolled to.
    QVERIFY(w.editor().placeItem(*slot, QPointF(placed.Left, placed.Top), QSizeF(10000, 10000),
                                 QStringLiteral("サイズ変更")));
    const QRectF paper(0, 0, canvas.width(), canvas.height());
    CanvasView* canvasView = w.canvasView();
    const auto checkHeld = [&](const char* where) {
        const ItemView* view = w.itemView(*slot);
        const QRectF held = view->preview().heldRect().translated(view->pos());
        const QRectF seen = canvasView->visibleSceneRect();
        const QRectF wanted =
            seen.intersected(paper).intersected(QRectF(view->pos(), QSizeF(view->viewSize())));
        if ((!held.isEmpty() && !paper.adjusted(-1, -1, 1, 1).contains(held)) ||
            (!wanted.isEmpty() && !held.adjusted(-1, -1, 1, 1).contains(wanted)) ||
            held.width() > 1.5 * seen.width() + 2 || held.height() > 1.5 * seen.height() + 2)
            QFAIL(qPrintable(QStringLiteral("%1: held %2,%3 %4x%5, in sight %6,%7 %8x%9")
                                 .arg(QLatin1String(where))
                                 .arg(held.x())
                                 .arg(held.y())
                                 .arg(held.width())
                                 .arg(held.height())
                                 .arg(seen.x())
                                 .arg(seen.y())
                                 .arg(seen.width())
                                 .arg(seen.height())));
    };
    checkHeld("fitted");
    canvasView->setZoom(4.0);
    QTRY_COMPARE(w.itemView(*slot)->preview().deviceScale(), float(canvasView->deviceScale()));
    checkHeld("zoomed in");
    canvasView->horizontalScrollBar()->setValue(canvasView->horizontalScrollBar()->maximum());
    canvasView->verticalScrollBar()->setValue(canvasView->verticalScrollBar()->maximum());
    checkHeld("scrolled to the far corner");
    canvasView->setZoom(1.0);
    QTRY_COMPARE(w.itemView(*slot)->preview().deviceScale(), float(canvasView->deviceScale()));
    checkHeld("zoomed out");

    // Dragged onto the paper, the part that came onto it is drawn.
    QVERIFY(w.editor().placeItem(*slot, QPointF(0, 0), std::nullopt, QStringLiteral("移動")));
    checkHeld("moved");
}

void MainWindowPreviewTests::monthButtonsChooseTheMonth() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    QTest::mouseClick(w.sidePanel().outputRange()->monthButton(5), Qt::LeftButton);
    QCOMPARE(outputMonth(w), 6);
    QVERIFY(w.sidePanel().outputRange()->monthButton(5)->font().bold());
    QCOMPARE(w.sidePanel().outputRange()->monthButton(5)->font().pointSize(), 12);
    QVERIFY(!w.sidePanel().outputRange()->monthButton(0)->font().bold());
    QCOMPARE(w.sidePanel().outputRange()->monthButton(0)->font().pointSize(), 10);
    // The chosen month's button is light green (&HC0FFC0, shaded by the style where it is
    // pressed), the others are not: most of the face is red and blue equal, green well above.
    const auto greenShare = [](QPushButton* button) {
        const QImage face = button->grab().toImage();
        int green = 0;
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x) {
                const QColor c = face.pixelColor(x, y);
                green += qAbs(c.red() - c.blue()) <= 2 && c.green() - c.red() >= 30;
            }
        return double(green) / (face.width() * face.height());
    };
    QVERIFY(greenShare(w.sidePanel().outputRange()->monthButton(5)) > 0.5);
    QCOMPARE(greenShare(w.sidePanel().outputRange()->monthButton(0)), 0.0);
    w.sidePanel().outputRange()->yearList()->setCurrentIndex(2010 - 1950);
    QCOMPARE(outputYear(w), 2010);
    QCOMPARE(outputMonth(w), 6);
}

void MainWindowPreviewTests::monthChangeRedrawsPreviews() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryMonthDisplay, 0, 30, 40, 12}}));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    const QImage january = w.itemView(0)->preview().image();
    QVERIFY(!january.isNull());
    QTest::mouseClick(w.sidePanel().outputRange()->monthButton(1), Qt::LeftButton);
    const QImage february = w.itemView(0)->preview().image();
    QVERIFY(january != february);
    // Back to January draws the same picture again.
    QTest::mouseClick(w.sidePanel().outputRange()->monthButton(0), Qt::LeftButton);
    QCOMPARE(w.itemView(0)->preview().image(), january);
    // The year list redraws too: a year display item shows the chosen year.
    QVERIFY(writeTestLayout(f.path("y.CLF"), {{CategoryYear, 0, 30, 40, 12}}));
    f.prompts.answers = {PromptAnswer::Yes, PromptAnswer::No};
    w.files().dropFiles({f.path("y.CLF")});
    const QImage y2005 = w.itemView(0)->preview().image();
    w.sidePanel().outputRange()->yearList()->setCurrentIndex(2006 - 1950);
    QVERIFY(w.itemView(0)->preview().image() != y2005);
}

void MainWindowPreviewTests::pictureSizeIsRememberedOnFirstDraw() {
    MainWindowFixture f;
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(f.path("p.png")));
    auto document = makeTestDocument({{CategoryPicture, 0, 30, 40, 12}});
    document->item(0).PictureFile.setText(f.path("p.png"));
    QCOMPARE(document->item(0).DesignWidth, 0);
    QVERIFY(!writeLayoutFile(*document, f.path("a.CLF")).has_value());
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    QCOMPARE(w.document().item(0).DesignWidth, 64);
    QCOMPARE(w.document().item(0).DesignHeight, 48);
    // The remembered size stays when the file changes.
    QVERIFY(QImage(10, 10, QImage::Format_RGB32).save(f.path("p.png")));
    QTest::mouseClick(w.sidePanel().outputRange()->monthButton(1), Qt::LeftButton);
    QCOMPARE(w.document().item(0).DesignWidth, 64);
}

void MainWindowPreviewTests::centreLockedHeadingsFollowTheirPreview() {
    MainWindowFixture f;
    auto document = makeTestDocument({{CategoryMonthDisplay, 0, 10, 10, 12},
                                      {CategoryMonthDisplay, 0, 10, 200, 12},
                                      {CategoryPicture, 0, 10, 400, 12}});
    document->item(0).HCenterLocked = kTrue; // auto-sized: centred after its preview
    document->item(1).HCenterLocked = kTrue; // fitted to its box: no auto-size, no centring
    document->item(1).FitToRect = kTrue;
    document->item(2).VCenterLocked = kTrue; // pictures are not centred by their preview
    QVERIFY(!writeLayoutFile(*document, f.path("a.CLF")).has_value());
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    const LayoutItem& centred = w.document().item(0);
    // Its box (the view, 4 pixels larger than the drawing) is centred on the paper, as the page
    // draws it: A4 is 793.7 pixels wide, the canvas that rounded.
    QCOMPARE(w.editor().centringArea().width(), 210 * 96 / 25.4);
    QCOMPARE(centred.Left, float((210 * 96 / 25.4 - centred.Width - 4) / 2));
    QCOMPARE(w.itemView(0)->pos().x(), double(centred.Left));
    QCOMPARE(w.itemView(0)->viewSize(), QSize(int(centred.Width) + 4, int(centred.Height) + 4));
    QCOMPARE(w.document().item(1).Left, 10.f);
    QCOMPARE(w.document().item(2).Top, 400.f);
}

QTEST_MAIN(MainWindowPreviewTests)
#include "tst_mainwindow_previews.moc"
