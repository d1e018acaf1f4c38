// The main window: start-up and shutdown, reading, saving and dropping layouts, new documents,
// the output month, the item lists and the page-size and options commands.
#include "MainWindowFixture.h"
#include "document/LayoutFile.h"
#include "render/RenderFrame.h"
#include "ui/dialogs/PageSizeDialog.h"
#include "ui/dialogs/OptionsDialog.h"
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
#include <QStatusBar>
#include <QSignalSpy>
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

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs `act` on the modal dialog of type D that `open` opens.
template <typename D, typename Open, typename Act> void onModal(Open open, Act act) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        seen = true;
        act(*dialog);
    });
    open();
    QVERIFY(seen);
}

// Menu shortcuts reach an active window only.
bool activate(QWidget& window) {
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

// Sends a left-button drag over the canvas from one scene point to another, in several moves.
void dragOnCanvas(CanvasView* canvas, QPointF from, QPointF to) {
    QWidget* viewport = canvas->viewport();
    const QPoint start = canvas->mapFromScene(from);
    const QPoint end = canvas->mapFromScene(to);
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, start);
    for (int i = 1; i <= 5; ++i) {
        const QPoint at = start + (end - start) * i / 5;
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
    }
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, end);
}

// Two pictures: their size never changes by drawing, so positions and sizes stay exact.
const std::vector<TestItem> kTwoPictures{{CategoryPicture, 0, 30, 40, 12},
                                         {CategoryPicture, 0, 300, 400, 12}};

// A templates folder: "picture.CLF" with one picture item naming "pic.png" (64 x 48) beside it,
// "b-list.clf" with two items, a damaged "a-broken.CLF" sorting first and a file that is no
// layout.
QString writeTemplates(const MainWindowFixture& f) {
    const QDir folder(f.path("templates"));
    if (!folder.mkpath(QStringLiteral(".")))
        return {};
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    auto document = makeTestDocument({{CategoryPicture, 0, 30, 40, 12}});
    document->item(0).PictureFile.setText(QStringLiteral("pic.png"));
    QFile broken(folder.filePath(QStringLiteral("a-broken.CLF")));
    QFile notes(folder.filePath(QStringLiteral("notes.txt")));
    const bool written =
        picture.save(folder.filePath(QStringLiteral("pic.png"))) &&
        !writeLayoutFile(*document, folder.filePath(QStringLiteral("picture.CLF"))) &&
        writeTestLayout(folder.filePath(QStringLiteral("b-list.clf")),
                        {{CategoryMonthDisplay, 0, 30, 40, 12}, {CategoryYear, 0, 200, 300, 12}}) &&
        broken.open(QIODevice::WriteOnly) && broken.write("not a layout") > 0 &&
        notes.open(QIODevice::WriteOnly);
    return written ? folder.path() : QString();
}

const std::vector<TestItem> kTwoItems{{CategoryMonthDisplay, 0, 30, 40, 12},
                                      {CategoryYear, 0, 200, 300, 12}};

} // namespace

class MainWindowTests : public QObject {
    Q_OBJECT
private slots:
    void startupWithoutSettingsFile();
    void startupWithEmptySettingsFile();
    void startupWithHandWrittenSettings_data();
    void startupWithHandWrittenSettings();
    void startupYearOutsideList();
    void windowPlacement_data();
    void windowPlacement();
    void layoutNamedAtStartIsFittedAfterLoading();

    void shutdownWritesSettings();
    void shutdownAnsweredNoKeepsWindow();
    void shutdownQuestionWithItems();

    void readLayoutByMenu();
    void readLayoutWithHugePaperCutsItDown();
    void readLayoutCancelled();
    void readDamagedLayoutKeepsDocument();
    void dropLayout_data();
    void dropLayout();
    void dropOtherFileIgnored();
    void dropOnCanvasReadsLayout();
    void dropPictureOnPictureItem();
    void picturesMoveWithTheLayoutsFolder();
    void missingPicturesAreNamedOnOpenAndMarked();
    void previewsHoldOnlyThePaper();

    void saveWithoutItems();
    void saveWritesTheSameLayout();
    void newData_data();
    void newData();
    void templateBecomesUnnamedCopy();
    void templateFolderMissingOrEmpty();
    void templatePicturePaths_data();
    void templatePicturePaths();

    void monthButtonsChooseTheMonth();
    void monthChangeRedrawsPreviews();
    void pictureSizeIsRememberedOnFirstDraw();
    void previewsDecodeAPictureOnceUntilItsFileChanges();
    void linkedDaysFilesAreReadOffTheInterfaceThread();
    void itemListSelectionShowsPosition();
    void drawingOrderMoves();

    void centreLockedHeadingsFollowTheirPreview();
    void zoomRedrawsPreviewsFiner();
    void pageSizeCommandResizesCanvas();
    void optionsCommandShowsGrid();
    void menuEntries();
    void helpOpensTheFileOrSaysWhereItIs();
    void translationsFromTheProgramsCopyFirst();

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
    void overwriteSaveWritesWhatTheCanvasShows();
    void overwriteSaveOnAFullDisk();
    void saveOntoAReadOnlyPlaceNamesIt();

    void alignmentToolbarAndKeys();
    void paperChangeOffersToScale();
    void newItemsStartInSightAndFitThePaper();
};

void MainWindowTests::startupWithoutSettingsFile() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae"));
    QCOMPARE(outputYear(w), 2005);
    QCOMPARE(outputMonth(w), 1);
    QComboBox* years = w.sidePanel().outputRange()->yearList();
    QCOMPARE(years->count(), 100);
    QCOMPARE(years->itemText(0), QStringLiteral("1950"));
    QCOMPARE(years->itemText(99), QStringLiteral("2049"));
    QCOMPARE(years->currentText(), QStringLiteral("2005"));
    // Its list opens with about twenty years, the chosen one among them.
    years->showPopup();
    QAbstractItemView* popup = years->view();
    QVERIFY(popup->isVisible());
    const int row = popup->sizeHintForRow(0);
    QVERIFY2(popup->height() <= 21 * row + 8, qPrintable(QString::number(popup->height())));
    QVERIFY(popup->height() >= 15 * row);
    QVERIFY(popup->visualRect(years->model()->index(2005 - 1950, 0)).intersects(popup->rect()));
    years->hidePopup();
    QPushButton* january = w.sidePanel().outputRange()->monthButton(0);
    QCOMPARE(january->text(), QStringLiteral("1月"));
    QVERIFY(january->font().bold());
    QCOMPARE(january->font().pointSize(), 12);
    QVERIFY(!w.sidePanel().outputRange()->monthButton(1)->font().bold());

    const PageValues& page = w.document().page;
    QCOMPARE(page.PaperSize, 0);
    QCOMPARE(page.PaperWidth, 210.f);
    QCOMPARE(page.PaperHeight, 297.f);
    QVERIFY(page.Portrait);
    QCOMPARE(page.ResolutionDpi, 300);
    QCOMPARE(page.ResolutionIndex, 4);
    QVERIFY(qAbs(page.CanvasWidth - 794) <= 1);
    QVERIFY(qAbs(page.CanvasHeight - 1123) <= 1);
    QCOMPARE(w.paper()->boundingRect().size(), QSizeF(page.CanvasWidth, page.CanvasHeight));
    QCOMPARE(w.paper()->backColor(), 0x00FFFFFF);
    QVERIFY(!w.paper()->gridShown());
    QCOMPARE(w.document().currentSlot(), -1);
    QVERIFY(!w.menus().paste->isEnabled());
    QCOMPARE(w.sidePanel().itemList()->count(), 0);
    QVERIFY(f.prompts.messages.isEmpty());
}

void MainWindowTests::startupWithEmptySettingsFile() {
    MainWindowFixture f;
    QVERIFY(writeSettingsFile(f.settingsPath(), {}));
    MainWindow& w = f.start();
    QCOMPARE(w.editor().document().page.PaperWidth, 210.f);
    QCOMPARE(w.editor().document().page.ResolutionDpi, 300);
    QCOMPARE(w.settings().GridX[0], 60);
    QVERIFY(!w.settings().FormLeft.has_value());
}

void MainWindowTests::startupWithHandWrittenSettings_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("backColor");
    QTest::addColumn<bool>("grid");
    QTest::addColumn<int>("gridX");
    QTest::newRow("A4 landscape, grey, grid")
        << QStringList{"[grid]", "mainGRIDx = 40",  "MainGridDisp=1", "[ページ]",
                       "DPIX=1", "背景色=&HC0C0C0", "PageSize=0",     "Orientation=0"}
        << 297.f << 210.f << false << 300 << 0xC0C0C0 << true << 40;
    QTest::newRow("user size") << QStringList{"[ページ]",       "PageSize=1",    "Width=100",
                                              "Height=150",     "Orientation=0", "DPI=150",
                                              "背景色=12632256"}
                               << 100.f << 150.f << false << 150 << 0xC0C0C0 << false << 60;
    QTest::newRow("later section does not count")
        << QStringList{"[ページ]", "PageSize=0", "[Other]", "DPI=72", "Orientation=0"} << 210.f
        << 297.f << true << 300 << 0xFFFFFF << false << 60;
}

void MainWindowTests::startupWithHandWrittenSettings() {
    QFETCH(QStringList, lines);
    QFETCH(float, width);
    QFETCH(float, height);
    QFETCH(bool, portrait);
    QFETCH(int, dpi);
    QFETCH(int, backColor);
    QFETCH(bool, grid);
    QFETCH(int, gridX);
    MainWindowFixture f;
    QVERIFY(writeSettingsFile(f.settingsPath(), lines));
    MainWindow& w = f.start();
    const PageValues& page = w.document().page;
    QCOMPARE(page.PaperWidth, width);
    QCOMPARE(page.PaperHeight, height);
    QCOMPARE(page.Portrait, portrait);
    QCOMPARE(page.ResolutionDpi, dpi);
    QCOMPARE(page.CanvasWidth > page.CanvasHeight, width > height);
    QCOMPARE(w.paper()->backColor(), backColor);
    QCOMPARE(w.paper()->gridShown(), grid);
    QCOMPARE(w.settings().GridX[0], gridX);
}

void MainWindowTests::startupYearOutsideList() {
    MainWindowFixture f;
    MainWindow& w = f.start(std::chrono::year{2050} / 3 / 1);
    QCOMPARE(outputYear(w), 2049);
    QCOMPARE(outputMonth(w), 3);
}

void MainWindowTests::windowPlacement_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QPoint>("expected");
    // Window 400 x 300 on a 1920 x 1080 screen.
    QTest::newRow("no position: centred") << QStringList{} << QPoint(760, 390);
    QTest::newRow("remembered, twips")
        << QStringList{"[Form]", "Form_Left=1500", "Form_Top=&H5DC"} << QPoint(100, 100);
    QTest::newRow("far right pulled back")
        << QStringList{"[Form]", "Form_Left=150000", "Form_Top=300"} << QPoint(1919 - 48, 20);
    QTest::newRow("above the screen pulled down")
        << QStringList{"[Form]", "Form_Left=300", "Form_Top=-3000"} << QPoint(20, 0);
    QTest::newRow("left only: top centred")
        << QStringList{"[Form]", "Form_Left=1500"} << QPoint(100, 390);
    QTest::newRow("top only: left centred")
        << QStringList{"[Form]", "Form_Top=1500"} << QPoint(760, 100);
}

void MainWindowTests::windowPlacement() {
    QFETCH(QStringList, lines);
    QFETCH(QPoint, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tobirae.ini"));
    QVERIFY(writeSettingsFile(path, lines));
    const AppSettings settings = loadAppSettings(path);
    QCOMPARE(windowPosition(settings, QSize(400, 300), QRect(0, 0, 1920, 1080)), expected);
}

void MainWindowTests::layoutNamedAtStartIsFittedAfterLoading() {
    MainWindowFixture f;
    // The settings' paper fits the view; the layout's landscape A4 does not.
    QVERIFY(writeSettingsFile(f.settingsPath(),
                              {QStringLiteral("[ページ]"), QStringLiteral("PageSize=1"),
                               QStringLiteral("Width=50"), QStringLiteral("Height=50")}));
    QVERIFY(writeTestLayout(f.path("wide.CLF"), {{CategoryYear, 0, 10, 10, 12}}, false));
    MainWindow& w = f.start();
    QCOMPARE(w.canvasView()->zoom(), 1.0);
    showEditorWindow(w, f.path("wide.CLF"));
    QTRY_VERIFY(!w.document().path().isEmpty());
    const QRectF page = w.paper()->boundingRect();
    QVERIFY(page.width() > 1000);
    const QSize area = w.canvasView()->maximumViewportSize();
    QVERIFY2(page.width() * w.canvasView()->zoom() <= area.width() &&
                 page.height() * w.canvasView()->zoom() <= area.height(),
             qPrintable(QString::number(w.canvasView()->zoom())));
}

void MainWindowTests::shutdownWritesSettings() {
    MainWindowFixture f;
    QVERIFY(writeSettingsFile(f.settingsPath(), {"; kept comment", "[ページ]", "背景色=&HC0C0C0",
                                                 "PageSize=0", "Orientation=0"}));
    MainWindow& w = f.start();
    w.move(150, 90);
    f.prompts.answers.push_back(PromptAnswer::Yes);
    QVERIFY(w.close());
    QCOMPARE(f.prompts.questionTexts(),
             QStringList{QStringLiteral("終了します。\r\nよろしいですか？")});
    QCOMPARE(f.prompts.questions[0].buttons, PromptButtons::YesNo);
    const QString written = readSettingsFile(f.settingsPath());
    QVERIFY2(written.contains(QStringLiteral("; kept comment")), qPrintable(written));
    QVERIFY(written.contains(QStringLiteral("背景色=12632256")));
    QVERIFY(written.contains(QStringLiteral("Width=297")));
    QVERIFY(written.contains(QStringLiteral("Height=210")));
    QVERIFY(written.contains(QStringLiteral("Orientation=0")));
    QVERIFY(written.contains(QStringLiteral("DPI=300")));
    QVERIFY(written.contains(QStringLiteral("MainGridX=60")));
    QVERIFY(written.contains(QStringLiteral("Form_Left=%1").arg(w.pos().x() * 15)));
    QVERIFY(written.contains(QStringLiteral("Form_Top=%1").arg(w.pos().y() * 15)));

    // The next start finds the window where it was left.
    const AppSettings again = loadAppSettings(f.settingsPath());
    QCOMPARE(windowPosition(again, QSize(400, 300), QRect(0, 0, 1920, 1080)), w.pos());
}

void MainWindowTests::shutdownAnsweredNoKeepsWindow() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    f.prompts.answers.push_back(PromptAnswer::No);
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QVERIFY(!QFile::exists(f.settingsPath()));
    // Escape asks the same question.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_Escape);
    QCOMPARE(f.prompts.questions.size(), std::size_t{2});
    QVERIFY(w.isVisible());
}

void MainWindowTests::shutdownQuestionWithItems() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), kTwoItems));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    // A layout as it was read loses nothing: the plain confirmation.
    f.prompts.answers = {PromptAnswer::No};
    QVERIFY(!w.close());
    QCOMPARE(f.prompts.questionTexts(),
             QStringList{QStringLiteral("終了します。\r\nよろしいですか？")});
    // An edit: 保存 / 破棄 / キャンセル naming the layout. キャンセル and a failed save keep the
    // window; 破棄 closes it and leaves no recovery copy.
    QVERIFY(w.items().moveItemToEdge(0, Edge::Right));
    QTRY_VERIFY(!QDir(f.recoveryFolder()).entryList({"*.recovery"}).isEmpty());
    QFile::setPermissions(f.path("a.CLF"), QFile::ReadOwner);
    f.prompts.answers = {PromptAnswer::Cancel, PromptAnswer::Yes, PromptAnswer::No};
    QVERIFY(!w.close());
    QVERIFY(!w.close());
    QVERIFY(f.prompts.messages.last().contains(QStringLiteral("権限がありません")));
    QVERIFY(w.close());
    QCOMPARE(f.prompts.questions.size(), std::size_t{4});
    for (std::size_t i = 1; i < 4; ++i) {
        QCOMPARE(f.prompts.questions[i].text,
                 QStringLiteral("終了します。\r\n「a.CLF」は変更されています。\r\n"
                                "編集中のデータを保存しますか？"));
        QCOMPARE(f.prompts.questions[i].buttons, PromptButtons::SaveDiscardCancel);
    }
    QVERIFY(QFile::exists(f.settingsPath()));
    QVERIFY(QDir(f.recoveryFolder()).entryList({"*.recovery"}).isEmpty());
}

void MainWindowTests::readLayoutByMenu() {
    MainWindowFixture f;
    const QString file = f.path("cal2005.CLF");
    QVERIFY(writeTestLayout(file, kTwoItems, false));
    MainWindow& w = f.start();
    f.prompts.files.push_back(file);
    w.menus().layoutRead->trigger();

    QCOMPARE(f.prompts.fileDialogs.size(), std::size_t{1});
    QVERIFY(!f.prompts.fileDialogs[0].save);
    QCOMPARE(f.prompts.fileDialogs[0].request.filter,
             QStringLiteral("レイアウトファイル (*.CLF)|*.CLF"));
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - cal2005.CLF"));
    QCOMPARE(w.exports().exportName(), QStringLiteral("cal2005"));
    QCOMPARE(w.document().itemList().size(), std::size_t{2});
    QCOMPARE(w.sidePanel().itemList()->count(), 2);
    QCOMPARE(w.sidePanel().itemList()->itemText(0), w.document().itemList()[0].text);
    QCOMPARE(w.sidePanel().drawingOrderList()->count(), 2);
    // The landscape page of the file becomes the document's and the settings' page.
    QVERIFY(!w.editor().document().page.Portrait);
    QVERIFY(w.editor().document().page.CanvasWidth > w.editor().document().page.CanvasHeight);
    QCOMPARE(w.settings().Page.PaperWidth, 297.f);
    QVERIFY(!isTrue(w.settings().Page.Portrait));
    for (int slot = 0; slot < 2; ++slot) {
        ItemView* view = w.itemView(slot);
        QVERIFY(view);
        QVERIFY(view->isVisible());
        QCOMPARE(view->pos(), QPointF(w.document().item(slot).Left, w.document().item(slot).Top));
    }
    QVERIFY(!w.itemView(2));
    QVERIFY(f.prompts.messages.isEmpty());
}

void MainWindowTests::readLayoutWithHugePaperCutsItDown() {
    MainWindowFixture f;
    auto document = makeTestDocument({{CategoryYear, 0, 10, 10, 12}});
    document->page.PaperSize = 1;
    document->page.PaperWidth = 100000; // 100 m
    document->page.PaperHeight = 100000;
    QVERIFY(!writeLayoutFile(*document, f.path("huge.CLF")).has_value());
    MainWindow& w = f.start();
    w.paper()->setGrid(true, 120, 120);
    QVERIFY(w.files().openLayout(f.path("huge.CLF")));
    QCOMPARE(f.prompts.messages.size(), 1);
    QVERIFY(f.prompts.messages[0].contains(QStringLiteral("5000 mm")));
    QCOMPARE(w.editor().document().page.PaperWidth, 5000.f);
    QCOMPARE(w.editor().document().page.PaperHeight, 5000.f);
    QVERIFY(w.paper()->boundingRect().width() < 19000);
}

void MainWindowTests::readLayoutCancelled() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    QVERIFY(!w.files().openLayout());
    QCOMPARE(f.prompts.fileDialogs.size(), std::size_t{1});
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae"));
    QVERIFY(f.prompts.messages.isEmpty());
}

void MainWindowTests::readDamagedLayoutKeepsDocument() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("good.CLF"), kTwoItems));
    QFile bad(f.path("bad.CLF"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write(fileBytes(f.path("good.CLF")).left(500)); // header promises two whole items
    bad.close();
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("good.CLF")));
    QVERIFY(!w.files().openLayout(f.path("bad.CLF")));
    QCOMPARE(f.prompts.messages.size(), 1);
    QVERIFY(f.prompts.messages[0].startsWith(
        QStringLiteral("レイアウトファイルを読み込めませんでした。")));
    QCOMPARE(w.document().itemList().size(), std::size_t{2});
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - good.CLF"));
    QVERIFY(w.itemView(0)->isVisible());
}

void MainWindowTests::dropLayout_data() {
    QTest::addColumn<bool>("withItems");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<QList<int>>("answers"); // PromptAnswer values
    QTest::addColumn<bool>("saveDialog");
    QTest::addColumn<bool>("named"); // the save dialog is given a name
    QTest::addColumn<bool>("read");
    const int yes = int(PromptAnswer::Yes);
    const int no = int(PromptAnswer::No);
    const int cancel = int(PromptAnswer::Cancel);
    QTest::newRow("empty document reads at once")
        << false << false << QList<int>{} << false << false << true;
    QTest::newRow("a layout as read is replaced unasked")
        << true << false << QList<int>{} << false << false << true;
    QTest::newRow("cancel keeps the edit")
        << true << true << QList<int>{cancel} << false << false << false;
    QTest::newRow("discard reads without saving")
        << true << true << QList<int>{no} << false << false << true;
    QTest::newRow("save writes the layout's own file first")
        << true << true << QList<int>{yes} << false << false << true;
    QTest::newRow("an unnamed layout is saved through the dialog")
        << false << true << QList<int>{yes} << true << true << true;
    QTest::newRow("save cancelled keeps the edit")
        << false << true << QList<int>{yes} << true << false << false;
}

void MainWindowTests::dropLayout() {
    QFETCH(bool, withItems);
    QFETCH(bool, edited);
    QFETCH(QList<int>, answers);
    QFETCH(bool, saveDialog);
    QFETCH(bool, named);
    QFETCH(bool, read);
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("first.CLF"), {{CategoryYear, 0, 10, 10, 12}}));
    QVERIFY(writeTestLayout(f.path("dropped.clf"), kTwoItems));
    const QByteArray first = fileBytes(f.path("first.CLF"));
    MainWindow& w = f.start();
    if (withItems)
        QVERIFY(w.files().openLayout(f.path("first.CLF")));
    if (edited) {
        QVERIFY(withItems ? w.items().moveItemToEdge(0, Edge::Right)
                          : w.editor()
                                .addItem(newItemRecord(CategoryYear, 0, w.document().page))
                                .has_value());
        QCOMPARE(shownCaption(w).endsWith(QStringLiteral("*")), true);
    }
    for (int a : answers)
        f.prompts.answers.push_back(PromptAnswer(a));
    if (named)
        f.prompts.files.push_back(f.path("saved.CLF"));
    w.files().dropFiles(
        {QStringLiteral("  ") + f.path("dropped.clf") + QStringLiteral(" "), f.path("first.CLF")});

    QCOMPARE(f.prompts.questions.size(), std::size_t(answers.size()));
    if (!answers.isEmpty()) {
        QCOMPARE(f.prompts.questions[0].text,
                 QStringLiteral("「%1」は変更されています。\r\n編集中のデータを保存しますか？")
                     .arg(withItems ? QStringLiteral("first.CLF") : QStringLiteral("無題")));
        QCOMPARE(f.prompts.questions[0].buttons, PromptButtons::SaveDiscardCancel);
    }
    const bool saveShown = std::any_of(f.prompts.fileDialogs.begin(), f.prompts.fileDialogs.end(),
                                       [](const auto& d) { return d.save; });
    QCOMPARE(saveShown, saveDialog);
    QCOMPARE(QFileInfo::exists(f.path("saved.CLF")), named);
    const bool savedOwnFile = answers == QList<int>{int(PromptAnswer::Yes)} && withItems;
    QCOMPARE(fileBytes(f.path("first.CLF")) != first, savedOwnFile);
    QCOMPARE(w.document().itemList().size(), std::size_t(read ? 2 : 1));
    QCOMPARE(shownCaption(w).endsWith(QStringLiteral("dropped.clf")), read);
}

void MainWindowTests::dropOtherFileIgnored() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF.bak"), kTwoItems));
    MainWindow& w = f.start();
    w.files().dropFiles({f.path("a.CLF.bak")});
    QVERIFY(f.prompts.questions.empty());
    QVERIFY(w.document().itemList().empty());
}

void MainWindowTests::dropOnCanvasReadsLayout() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("dropped.CLF"), kTwoItems));
    MainWindow& w = f.start();
    QWidget* viewport = w.canvasView()->viewport();
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(f.path("dropped.CLF"))});
    const QPoint at(50, 50);
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
    // The file is read after the drop event has returned.
    QVERIFY(w.document().itemList().empty());
    QTRY_COMPARE(w.document().itemList().size(), std::size_t{2});
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - dropped.CLF"));
}

void MainWindowTests::dropPictureOnPictureItem() {
    MainWindowFixture f;
    // A picture item at (30, 40) and a month heading at (300, 400).
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryPicture, 0, 30, 40, 12},
                                              {CategoryMonthDisplay, 0, 300, 400, 12}}));
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(f.path("red.bmp")));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    w.canvasView()->setZoom(1.0);
    w.canvasView()->ensureVisible(QRectF(0, 0, 500, 500), 0, 0);
    const LayoutItem heading = w.document().item(1);
    const auto dropAt = [&](QPointF scenePoint) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(f.path("red.bmp"))});
        const QPoint at = w.canvasView()->mapFromScene(scenePoint);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.canvasView()->viewport(), &enter);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w.canvasView()->viewport(), &drop);
    };
    dropAt({320, 410}); // on the heading: ignored
    dropAt({50, 50});
    QTRY_COMPARE(w.document().item(0).PictureFile.text(), f.path("red.bmp"));
    QVERIFY(w.document().item(1) == heading);
    QCOMPARE(w.editor().undoStack().count(), 1);
    // The view shows the picture.
    const QImage shown = w.itemView(0)->preview().image();
    QCOMPARE(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::red));
    w.menus().undo->trigger();
    QVERIFY(w.document().item(0).PictureFile.text().isEmpty());
}

// A picture inside the layout's folder is saved relative to it: the folder can be moved.
void MainWindowTests::picturesMoveWithTheLayoutsFolder() {
    MainWindowFixture f;
    QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("cal/photos")));
    QVERIFY(QDir(f.dir.path()).mkpath(QStringLiteral("elsewhere")));
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(f.path("cal/photos/red.png")));
    QVERIFY(picture.save(f.path("elsewhere/outside.png")));
    auto document = makeTestDocument({{CategoryPicture, 0, 30, 40, 12},
                                      {CategoryPicture, 0, 300, 400, 12},
                                      {CategoryPicture, 0, 30, 600, 12}});
    document->item(0).PictureFile.setText(f.path("cal/photos/red.png"));
    document->item(1).PictureFile.setText(f.path("elsewhere/outside.png"));
    document->item(2).PictureFile.setText(QStringLiteral("C:\\Pictures\\gone.bmp"));
    QVERIFY(!writeLayoutFile(*document, f.path("start.CLF")));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("start.CLF")));
    f.prompts.files.push_back(f.path("cal/year.CLF"));
    QVERIFY(w.files().saveLayoutAs());
    const auto stored = [](const QString& path) {
        QStringList pictures;
        const auto read = readLayoutFile(path);
        for (const ListEntry& entry : read.document->drawingOrder())
            pictures << read.document->item(entry.slot).PictureFile.text();
        return pictures;
    };
    // Inside: relative; outside: whole; never found: as it was.
    QCOMPARE(stored(f.path("cal/year.CLF")),
             (QStringList{QStringLiteral("photos/red.png"), f.path("elsewhere/outside.png"),
                          QStringLiteral("C:\\Pictures\\gone.bmp")}));

    // The folder moved: its picture is still found, and "save as" elsewhere keeps it.
    QVERIFY(QDir(f.dir.path()).rename(QStringLiteral("cal"), QStringLiteral("moved")));
    f.prompts.messages.clear();
    QVERIFY(w.files().openLayout(f.path("moved/year.CLF")));
    QVERIFY(w.itemView(0)->warning().isEmpty());
    QCOMPARE(w.document().item(0).PictureFile.text(), f.path("moved/photos/red.png"));
    f.prompts.files.push_back(f.path("elsewhere/copy.CLF"));
    QVERIFY(w.files().saveLayoutAs());
    QCOMPARE(stored(f.path("elsewhere/copy.CLF")).mid(0, 2),
             (QStringList{f.path("moved/photos/red.png"), QStringLiteral("outside.png")}));
}

void MainWindowTests::missingPicturesAreNamedOnOpenAndMarked() {
    MainWindowFixture f;
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(f.path("red.png")));
    auto document = makeTestDocument({{CategoryPicture, 0, 30, 40, 12},
                                      {CategoryPicture, 0, 300, 400, 12},
                                      {CategoryPicture, 0, 30, 600, 12},
                                      {CategoryPicture, 0, 300, 700, 12}});
    document->item(0).PictureFile.setText(f.path("red.png"));
    document->item(1).PictureFile.setText(QStringLiteral("C:\\Pictures\\gone.bmp"));
    document->item(3).PictureFile.setText(QStringLiteral("photo.jpg"));
    QVERIFY(!writeLayoutFile(*document, f.path("a.CLF")));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    // One message for both lost files; the empty picture item (2) is not one.
    QCOMPARE(f.prompts.messages,
             QStringList{QStringLiteral("次の画像を使えません。そのアイテムは赤い枠で示しています。"
                                        "\r\n・C:\\Pictures\\gone.bmp (見つかりません)\r\n"
                                        "・photo.jpg (見つかりません)")});
    QVERIFY(w.itemView(0)->warning().isEmpty());
    QCOMPARE(w.itemView(1)->warning(), QStringLiteral("画像が見つかりません: gone.bmp"));
    QVERIFY(w.itemView(2)->warning().isEmpty());
    QVERIFY(!w.itemView(3)->warning().isEmpty());
    // The mark goes once the picture is there.
    QVERIFY(picture.save(f.path("photo.jpg"), "JPG"));
    w.redrawAllItems();
    QVERIFY(w.itemView(3)->warning().isEmpty());
}

// A linked days file reaches the previews once a worker has read it; a FIFO among the links
// holds up nothing.
void MainWindowTests::linkedDaysFilesAreReadOffTheInterfaceThread() {
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
void MainWindowTests::previewsDecodeAPictureOnceUntilItsFileChanges() {
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
void MainWindowTests::previewsHoldOnlyThePaper() {
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

void MainWindowTests::saveWithoutItems() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    QVERIFY(!w.files().saveLayoutAs());
    QCOMPARE(f.prompts.messages, QStringList{QStringLiteral("保存するデータがありません。")});
    QVERIFY(f.prompts.fileDialogs.empty());
}

void MainWindowTests::saveWritesTheSameLayout() {
    MainWindowFixture f;
    // Picture items keep the size they were given, so the saved records match byte for byte.
    QVERIFY(writeTestLayout(
        f.path("a.CLF"), {{CategoryPicture, 0, 30, 40, 12}, {CategoryPicture, 0, 200, 300, 12}}));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    f.prompts.files.push_back(f.path("b.CLF"));
    w.menus().layoutSave->trigger();
    QCOMPARE(f.prompts.fileDialogs.back().request.initialPath,
             QFileInfo(f.path("a.CLF")).absoluteFilePath());
    // Told in the status bar, not by a box to close.
    QVERIFY(f.prompts.messages.isEmpty());
    QCOMPARE(w.statusBar()->currentMessage(),
             QStringLiteral("保存しました: ") + QDir::toNativeSeparators(f.path("b.CLF")));
    QCOMPARE(fileBytes(f.path("b.CLF")), fileBytes(f.path("a.CLF")));
    QCOMPARE(f.prompts.fileDialogs.back().request.title, QStringLiteral("レイアウトの保存先"));
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - b.CLF"));
    QCOMPARE(w.document().path(), QFileInfo(f.path("b.CLF")).absoluteFilePath());

    // Cancelling the dialog writes nothing and keeps the path.
    QVERIFY(!w.files().saveLayoutAs());
    QVERIFY(f.prompts.messages.isEmpty());
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - b.CLF"));
}

void MainWindowTests::newData_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("readOnly"); // the layout's file cannot be written
    QTest::addColumn<bool>("cleared");
    QTest::newRow("cancel") << int(PromptAnswer::Cancel) << false << false;
    QTest::newRow("discard") << int(PromptAnswer::No) << false << true;
    QTest::newRow("save writes the layout's file first") << int(PromptAnswer::Yes) << false << true;
    QTest::newRow("a failed save keeps the items") << int(PromptAnswer::Yes) << true << false;
}

void MainWindowTests::newData() {
    QFETCH(int, answer);
    QFETCH(bool, readOnly);
    QFETCH(bool, cleared);
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), kTwoItems));
    const QByteArray before = fileBytes(f.path("a.CLF"));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    // Right after reading nothing would be lost: nothing is asked.
    w.menus().newData->trigger();
    QVERIFY(f.prompts.questions.empty());
    QVERIFY(w.document().itemList().empty());
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    QVERIFY(w.items().moveItemToEdge(0, Edge::Right));
    if (readOnly)
        QFile::setPermissions(f.path("a.CLF"), QFile::ReadOwner);
    f.prompts.answers.push_back(PromptAnswer(answer));
    w.menus().newData->trigger();
    QCOMPARE(f.prompts.questionTexts(),
             QStringList{QStringLiteral(
                 "「a.CLF」は変更されています。\r\n編集中のデータを保存しますか？")});
    QCOMPARE(f.prompts.questions[0].buttons, PromptButtons::SaveDiscardCancel);
    QVERIFY(f.prompts.fileDialogs.empty());
    const bool saved = answer == int(PromptAnswer::Yes) && !readOnly;
    QCOMPARE(fileBytes(f.path("a.CLF")) != before, saved);
    QCOMPARE(w.document().itemList().empty(), cleared);
    QCOMPARE(w.sidePanel().itemList()->count(), cleared ? 0 : 2);
    QCOMPARE(w.sidePanel().drawingOrderList()->count(), cleared ? 0 : 2);
    QCOMPARE(w.itemView(0)->isVisible(), !cleared);
    QCOMPARE(shownCaption(w),
             cleared ? QStringLiteral("Tobirae") : QStringLiteral("Tobirae - a.CLF*"));
    if (cleared)
        QCOMPARE(w.document().currentSlot(), -1);

    // A new document without items asks nothing.
    if (cleared) {
        w.menus().newData->trigger();
        QCOMPARE(f.prompts.questions.size(), std::size_t{1});
    }
}

void MainWindowTests::templateBecomesUnnamedCopy() {
    MainWindowFixture f;
    const QString folder = writeTemplates(f);
    QVERIFY(writeTestLayout(f.path("a.CLF"), kTwoPictures));
    const QByteArray templateBytes = fileBytes(folder + QStringLiteral("/picture.CLF"));
    MainWindow& w = f.start();
    w.editor().setOutputMonth(2027, 4);
    w.files().setTemplateFolder(folder);
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    QVERIFY(w.items().moveItemToEdge(0, Edge::Right));
    QStringList listed;
    bool brokenChosen = true;
    QString preselected;
    bool okAtOpening = false;
    bool confirm = false;
    int previews = 0;
    std::chrono::year_month month{};
    w.testHooks().templateDialog = [&](TemplateDialog& dialog) {
        listed.clear();
        for (int row = 0; row < dialog.templateList()->count(); ++row)
            listed << dialog.templateList()->item(row)->text().section(u'\n', 0, 0);
        // The first template that can be read is chosen on opening, OK ready.
        preselected = dialog.chosenPath();
        okAtOpening = dialog.okButton()->isEnabled();
        brokenChosen = dialog.selectTemplate(QStringLiteral("a-broken"));
        QSignalSpy drawn(&dialog, &TemplateDialog::previewsFinished);
        previews = drawn.wait(5000) ? dialog.previewsDrawn() : -1;
        month = dialog.previewMonth();
        dialog.selectTemplate(QStringLiteral("picture"));
        (confirm ? dialog.okButton() : dialog.findChild<QPushButton*>(QStringLiteral("cancelButton")))
            ->click();
        return dialog.result() == QDialog::Accepted;
    };
    // Cancelling the dialog asks nothing; the save question comes after a choice, and its Cancel
    // keeps the items, the file name and the step that can be undone.
    f.prompts.answers = {PromptAnswer::Cancel, PromptAnswer::No};
    for (const bool ok : {false, true}) {
        confirm = ok;
        w.menus().newFromTemplate->trigger();
        QCOMPARE(f.prompts.questionTexts(),
                 QStringList(ok ? 1 : 0, QStringLiteral("「a.CLF」は変更されています。\r\n"
                                                        "編集中のデータを保存しますか？")));
        QCOMPARE(w.document().itemList().size(), std::size_t{2});
        QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - a.CLF*"));
        QCOMPARE(w.editor().undoStack().count(), 1);
    }
    QCOMPARE(f.prompts.questions[0].buttons, PromptButtons::SaveDiscardCancel);
    QCOMPARE(listed, (QStringList{"a-broken", "b-list", "picture"}));
    QCOMPARE(preselected, QDir(folder).absoluteFilePath(QStringLiteral("b-list.clf")));
    QVERIFY(okAtOpening);
    QVERIFY(!brokenChosen);
    QCOMPARE(previews, 2);
    QCOMPARE(month, std::chrono::year(2027) / std::chrono::April);

    // "No": the template's copy is a new document without a name.
    w.menus().newFromTemplate->trigger();
    QCOMPARE(w.document().path(), QString());
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae*")); // no file holds it yet
    QCOMPARE(w.document().itemList().size(), std::size_t{1});
    QCOMPARE(w.editor().undoStack().count(), 0);
    const QString picture = QDir(folder).absoluteFilePath(QStringLiteral("pic.png"));
    QCOMPARE(w.document().item(0).PictureFile.text(), picture);
    // The unnamed document finds the picture: its size is taken on the first draw.
    QCOMPARE(w.document().item(0).DesignWidth, 64);

    // "上書き保存" asks for a name; the template stays as it was.
    f.prompts.files.push_back(f.path("mine.CLF"));
    w.menus().overwriteSave->trigger();
    QCOMPARE(f.prompts.fileDialogs.size(), std::size_t{1});
    QVERIFY(f.prompts.fileDialogs[0].save);
    QCOMPARE(fileBytes(folder + QStringLiteral("/picture.CLF")), templateBytes);
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae - mine.CLF"));
}

void MainWindowTests::templateFolderMissingOrEmpty() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    w.files().setTemplateFolder(f.path("none"));
    QVERIFY(!w.files().newFromTemplate());
    QVERIFY(QDir().mkpath(f.path("empty")));
    QFile other(f.path("empty/notes.txt"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    w.files().setTemplateFolder(f.path("empty"));
    QVERIFY(!w.files().newFromTemplate());
    QCOMPARE(f.prompts.messages,
             (QStringList{QStringLiteral("テンプレートのフォルダーが見つかりません。\r\n") +
                              f.path("none"),
                          QStringLiteral("テンプレートがありません。\r\n") + f.path("empty")}));

    // A template whose picture path would not fit into its record is refused, not cut short.
    const QString deep = f.path(QString(200, u'd') + QStringLiteral("/") + QString(60, u'e'));
    QVERIFY(QDir().mkpath(deep));
    auto document = makeTestDocument({{CategoryPicture, 0, 30, 40, 12}});
    document->item(0).PictureFile.setText(QStringLiteral("pic.png"));
    QVERIFY(!writeLayoutFile(*document, deep + QStringLiteral("/deep.CLF")));
    QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(deep + QStringLiteral("/pic.png")));
    const auto found = findTemplates(deep);
    QCOMPARE(found.size(), std::size_t{1});
    QVERIFY(!found[0].usable());
    QVERIFY(found[0].problem.contains(QStringLiteral("画像ファイル名")));
}

void MainWindowTests::templatePicturePaths_data() {
    // "{t}" stands for the template folder, "{o}" for another folder; both hold pictures.
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("anchored");
    QTest::newRow("name beside the template") << "pic.png"
                                              << "{t}/pic.png";
    QTest::newRow("relative sub folder") << "sub/in.png"
                                         << "{t}/sub/in.png";
    QTest::newRow("Windows path, other case") << "C:\\Calendars\\PIC.PNG"
                                              << "{t}/pic.png";
    QTest::newRow("missing absolute path, name there") << "/gone/pic.png"
                                                       << "{t}/pic.png";
    QTest::newRow("existing file elsewhere stays") << "{o}/pic.png"
                                                   << "{o}/pic.png";
    QTest::newRow("missing stays") << "gone.png"
                                   << "gone.png";
    QTest::newRow("blank stays") << "  "
                                 << "  ";
}

void MainWindowTests::templatePicturePaths() {
    QFETCH(QString, stored);
    QFETCH(QString, anchored);
    QTemporaryDir templates;
    QTemporaryDir other;
    QVERIFY(QDir(templates.path()).mkpath(QStringLiteral("sub")));
    for (const QString& file : {templates.filePath(QStringLiteral("pic.png")),
                                templates.filePath(QStringLiteral("sub/in.png")),
                                other.filePath(QStringLiteral("pic.png"))})
        QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(file));
    const auto expand = [&](QString text) {
        return text.replace(QStringLiteral("{t}"), templates.path())
            .replace(QStringLiteral("{o}"), other.path());
    };
    QCOMPARE(anchoredPicturePath(expand(stored), templates.path()), expand(anchored));
}

void MainWindowTests::monthButtonsChooseTheMonth() {
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

void MainWindowTests::monthChangeRedrawsPreviews() {
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

void MainWindowTests::pictureSizeIsRememberedOnFirstDraw() {
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

void MainWindowTests::itemListSelectionShowsPosition() {
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
    QCOMPARE(w.sidePanel().positionLabel(3)->text(), QStringLiteral("高さ=%1").arg(second.Height + 4));
    QVERIFY(w.itemView(1)->focusBorder());
    QVERIFY(!w.itemView(0)->focusBorder());
}

void MainWindowTests::drawingOrderMoves() {
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
}

void MainWindowTests::centreLockedHeadingsFollowTheirPreview() {
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
    // Its box (the view, 4 pixels larger than the drawing) is centred, as the page draws it.
    QCOMPARE(centred.Left, (w.editor().document().page.CanvasWidth - centred.Width - 4) / 2);
    QCOMPARE(w.itemView(0)->pos().x(), double(centred.Left));
    QCOMPARE(w.itemView(0)->viewSize(), QSize(int(centred.Width) + 4, int(centred.Height) + 4));
    QCOMPARE(w.document().item(1).Left, 10.f);
    QCOMPARE(w.document().item(2).Top, 400.f);
}

void MainWindowTests::zoomRedrawsPreviewsFiner() {
    QCOMPARE(nextZoomStep(1.0, true), 1.25);
    QCOMPARE(nextZoomStep(1.0, false), 0.75);
    QCOMPARE(nextZoomStep(0.8, true), 1.0);
    QCOMPARE(nextZoomStep(8.0, true), 8.0);
    QCOMPARE(nextZoomStep(0.1, false), 0.1);

    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryMonthFamily, VariantBoxMini, 30, 40, 12}}));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    CanvasView* view = w.canvasView();
    view->setZoom(1.0);
    const LayoutItem before = w.document().item(0);
    const QSize layoutSize = w.itemView(0)->viewSize();
    const double ratio = view->devicePixelRatioF();
    w.menus().zoomIn->trigger();
    QCOMPARE(view->zoom(), 1.25);
    view->setZoom(2.0);
    QTRY_COMPARE(w.itemView(0)->preview().image().width(),
                 int(std::lround(layoutSize.width() * 2 * ratio)));
    // Zoom is a way of looking: the item keeps its size and place in layout pixels.
    QCOMPARE(w.itemView(0)->viewSize(), layoutSize);
    QVERIFY(w.document().item(0) == before);

    w.menus().zoomFit->trigger();
    const QSize area = view->maximumViewportSize();
    QVERIFY(w.editor().document().page.CanvasHeight * view->zoom() <= area.height());
    QVERIFY(w.editor().document().page.CanvasWidth * view->zoom() <= area.width());
    QVERIFY(w.editor().document().page.CanvasHeight * view->zoom() > area.height() * 0.9 ||
            w.editor().document().page.CanvasWidth * view->zoom() > area.width() * 0.9);
    w.menus().zoomActual->trigger();
    QCOMPARE(view->zoom(), 1.0);
}

void MainWindowTests::pageSizeCommandResizesCanvas() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    const int a4Width = w.document().page.CanvasWidth;
    onModal<PageSizeDialog>(
        [&] { w.sidePanel().commandButton(0)->click(); },
        [](PageSizeDialog& d) {
            d.findChild<QComboBox*>("sizeCombo")->setCurrentText(QStringLiteral("サイズ指定"));
            d.findChild<QLineEdit*>("sizeEdit0")->setText(QStringLiteral("150"));
            d.findChild<QLineEdit*>("sizeEdit1")->setText(QStringLiteral("100"));
            d.findChild<QComboBox*>("dpiCombo")->setCurrentIndex(2);
            d.findChild<QPushButton*>("okButton")->click();
        });
    const PageValues& page = w.document().page;
    QCOMPARE(page.PaperSize, 1);
    QCOMPARE(page.PaperWidth, 100.f);
    QCOMPARE(page.PaperHeight, 150.f);
    QCOMPARE(page.ResolutionDpi, 150);
    const QSize expected = canvasSizeForPaper(100, 150);
    QCOMPARE(QSize(page.CanvasWidth, page.CanvasHeight), expected);
    QVERIFY(page.CanvasWidth < a4Width);
    QCOMPARE(w.paper()->boundingRect().size(), QSizeF(expected));
    QCOMPARE(w.settings().Page.PaperWidth, 100.f);
    QCOMPARE(w.settings().Page.Resolution, 150);

    // Cancel changes nothing.
    onModal<PageSizeDialog>([&] { w.menus().pageSize->trigger(); },
                         [](PageSizeDialog& d) { d.reject(); });
    QCOMPARE(w.editor().document().page.PaperWidth, 100.f);
    QCOMPARE(w.editor().undoStack().count(), 1);

    // The change is a step: undoing it gives back the page, the canvas and the settings.
    w.menus().undo->trigger();
    QCOMPARE(w.editor().document().page.CanvasWidth, a4Width);
    QCOMPARE(w.paper()->boundingRect().width(), qreal(a4Width));
    QCOMPARE(w.settings().Page.PaperWidth, 210.f);
    QCOMPARE(w.settings().Page.Resolution, 300);
}

void MainWindowTests::optionsCommandShowsGrid() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    onModal<OptionsDialog>([&] { w.menus().options->trigger(); },
                         [](OptionsDialog& d) {
                             d.findChild<QCheckBox*>("gridCheck0")->setChecked(true);
                             d.findChild<QLineEdit*>("gridEdit0")->setText(QStringLiteral("120"));
                             d.findChild<QLineEdit*>("gridEdit1")->setText(QStringLiteral("300"));
                             d.findChild<QPushButton*>("okButton")->click();
                         });
    QVERIFY(w.paper()->gridShown());
    QVERIFY(w.settings().GridShown[0]);
    QCOMPARE(w.settings().GridX[0], 120);
    QCOMPARE(w.settings().GridY[0], 300);
    // Dots every 8 pixels across (120 twips) and every 20 down (300 twips).
    QImage paper(100, 100, QImage::Format_RGB32);
    QPainter painter(&paper);
    QStyleOptionGraphicsItem option;
    option.exposedRect = QRectF(0, 0, 100, 100);
    w.paper()->paint(&painter, &option, nullptr);
    painter.end();
    QCOMPARE(paper.pixelColor(16, 40), QColor(Qt::black));
    QCOMPARE(paper.pixelColor(88, 80), QColor(Qt::black));
    QCOMPARE(paper.pixelColor(16, 8), QColor(Qt::white));
    QCOMPARE(paper.pixelColor(20, 40), QColor(Qt::white));
}

void MainWindowTests::helpOpensTheFileOrSaysWhereItIs() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    const QString help = f.path("index.html");
    QFile(help).open(QIODevice::WriteOnly);
    w.dialogs().setHelpFile(help);
    QList<QUrl> opened;
    bool browserStarts = true;
    w.testHooks().openUrl = [&](const QUrl& url) {
        opened << url;
        return browserStarts;
    };
    w.menus().help->trigger();
    QCOMPARE(opened, QList<QUrl>{QUrl::fromLocalFile(help)});
    QVERIFY(f.prompts.messages.isEmpty());

    // Without a browser the user learns where the help file is.
    browserStarts = false;
    w.menus().help->trigger();
    QCOMPARE(f.prompts.messages.size(), 1);
    QVERIFY(f.prompts.messages[0].contains(QStringLiteral("ブラウザー")));
    QVERIFY(f.prompts.messages[0].endsWith(help));
}

void MainWindowTests::menuEntries() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    const MainMenus& m = w.menus();
    QCOMPARE(m.layoutRead->text(), QStringLiteral("レイアウト読込"));
    QCOMPARE(m.exit->text(), QStringLiteral("終了(&X)"));
    QCOMPARE(m.options->text(), QStringLiteral("オプション(&O)..."));
    QCOMPARE(m.about->text(), QStringLiteral("バージョン情報(&V)..."));
    QVERIFY(m.itemAdd->isEnabled());
    QVERIFY(w.sidePanel().commandButton(1)->isEnabled());
    // Nothing to paste or undo yet.
    QVERIFY(!m.paste->isEnabled());
    QVERIFY(!m.undo->isEnabled());
    QVERIFY(!m.redo->isEnabled());
    QCOMPARE(m.undo->text(), QStringLiteral("元に戻す(&U)"));
    QCOMPARE(m.redo->text(), QStringLiteral("やり直し(&R)"));
    QCOMPARE(m.overwriteSave->text(), QStringLiteral("上書き保存"));
    const QList<QAction*> file = w.findChild<QMenu*>(QStringLiteral("fileMenu"))->actions();
    QCOMPARE(file.indexOf(m.newFromTemplate), file.indexOf(m.newData) + 1);
    QCOMPARE(m.newFromTemplate->text(), QStringLiteral("テンプレートから新規作成..."));
    QCOMPARE(m.undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(m.redo->shortcuts(),
             (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")),
                                  QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
    QCOMPARE(m.overwriteSave->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    QVERIFY(m.makeBitmap->isEnabled());
    QCOMPARE(w.sidePanel().commandButton(5)->text(), QStringLiteral("画像プレビュー"));
}

void MainWindowTests::translationsFromTheProgramsCopyFirst() {
    const QDir system(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!system.exists(QStringLiteral("qtbase_ja.qm")))
        QSKIP("Qt's Japanese translations are not installed");
    // What an installation ships: the catalogue "qt" without all of its parts, and "qtbase".
    QTemporaryDir own;
    for (const char* name : {"qt_ja.qm", "qtbase_ja.qm"})
        QVERIFY(
            QFile::copy(system.filePath(QLatin1String(name)), own.filePath(QLatin1String(name))));
    for (const auto& [folder, loaded] :
         {std::pair{own.path(), own.filePath(QStringLiteral("qtbase_ja.qm"))},
          std::pair{own.filePath(QStringLiteral("none")),
                    system.filePath(QStringLiteral("qt_ja.qm"))}}) {
        QTranslator* translator =
            installJapaneseTranslations(*QCoreApplication::instance(), folder);
        QVERIFY(translator);
        QCOMPARE(translator->filePath(), loaded);
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

void MainWindowTests::addUndoRedoByKeys() {
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
void MainWindowTests::alignmentToolbarAndKeys() {
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
    QCOMPARE(item.Left, (w.document().page.CanvasWidth - item.Width - 4) / 2);
    QTest::keyClick(&w, Qt::Key_Down, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(item.Top + item.Height + 4, float(w.document().page.CanvasHeight));
    QCOMPARE(w.editor().undoStack().count(), 2);

    // The next start keeps it hidden.
    QCOMPARE(saveAppSettings(w.settings()), std::nullopt);
    f.window.reset();
    MainWindow& again = f.start();
    QVERIFY(!again.findChild<QToolBar*>(QStringLiteral("alignToolbar"))->isVisible());
}

// Changing the paper asks whether the items follow it: yes scales them in one step, no leaves
// every item as it was.
void MainWindowTests::paperChangeOffersToScale() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), kTwoItems));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    const LayoutItem before = w.document().item(1);
    const auto chooseA5 = [&] {
        onModal<PageSizeDialog>([&] { w.menus().pageSize->trigger(); },
                             [](PageSizeDialog& d) {
                                 d.findChild<QComboBox*>("sizeCombo")
                                     ->setCurrentText(QStringLiteral("A5(148x210 mm)"));
                                 d.findChild<QPushButton*>("okButton")->click();
                             });
    };
    f.prompts.answers = {PromptAnswer::No};
    chooseA5();
    QCOMPARE(f.prompts.questions.size(), std::size_t{1});
    QCOMPARE(w.document().page.PaperWidth, 148.f);
    QCOMPARE(w.document().item(1), before);
    w.menus().undo->trigger();
    QCOMPARE(w.document().page.PaperWidth, 210.f);

    f.prompts.answers = {PromptAnswer::Yes};
    chooseA5();
    const LayoutItem& after = w.document().item(1);
    const double factor = double(w.document().page.CanvasWidth) / 794;
    QVERIFY(std::abs(after.Left - before.Left * factor) < 2);
    QVERIFY(std::abs(after.element(Year1).Font.Size - before.element(Year1).Font.Size * factor) <=
            0.5);
    QVERIFY(after.Top < before.Top);
    QCOMPARE(w.editor().undoStack().count(), 1);
    w.menus().undo->trigger();
    QCOMPARE(w.document().item(1).Left, before.Left);
    QCOMPARE(w.document().item(1).element(Year1).Font.Size, before.element(Year1).Font.Size);
}

// A new item starts at the top-left of the visible part of the page; a picture larger than the
// paper arrives fitted, its shape kept.
void MainWindowTests::newItemsStartInSightAndFitThePaper() {
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

void MainWindowTests::cancelledAddKeepsCurrentItem() {
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

void MainWindowTests::dragWithTheMouse_data() {
    QTest::addColumn<double>("zoom");
    QTest::addColumn<bool>("xLocked");
    QTest::addColumn<int>("scrolled"); // the item's left edge scrolled out of sight
    QTest::newRow("100 %") << 1.0 << false << 0;
    QTest::newRow("200 %") << 2.0 << false << 0;
    QTest::newRow("50 %") << 0.5 << false << 0;
    QTest::newRow("X locked") << 1.0 << true << 0;
    QTest::newRow("partly in sight") << 1.0 << false << 50;
}

void MainWindowTests::dragWithTheMouse() {
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

void MainWindowTests::arrowKeysAndDeleteKey_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("はい") << int(PromptAnswer::Yes);
    QTest::newRow("いいえ") << int(PromptAnswer::No);
}

void MainWindowTests::arrowKeysAndDeleteKey() {
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

void MainWindowTests::enterOpensTheCurrentItem() {
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

void MainWindowTests::resizeHandles() {
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

void MainWindowTests::popupMenuStates() {
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

void MainWindowTests::copyPasteAtCanvasPoint() {
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

void MainWindowTests::overwriteSaveWritesWhatTheCanvasShows() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), kTwoPictures));
    MainWindow& w = f.start();
    QVERIFY(activate(w));
    // A new layout asks for a name first.
    w.menus().itemAdd->trigger();
    f.prompts.files.push_back(f.path("new.CLF"));
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(f.prompts.fileDialogs.size(), std::size_t{1});
    QVERIFY(w.editor().undoStack().isClean());

    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    dragOnCanvas(w.canvasView(), {60, 60}, {110, 90});
    QVERIFY(!w.editor().undoStack().isClean());
    w.menus().overwriteSave->trigger();
    QCOMPARE(f.prompts.fileDialogs.size(), std::size_t{1}); // no dialog this time
    QVERIFY(f.prompts.messages.isEmpty());
    QCOMPARE(w.statusBar()->currentMessage(),
             QStringLiteral("保存しました: ") + QDir::toNativeSeparators(f.path("a.CLF")));
    QVERIFY(w.editor().undoStack().isClean());
    const ReadResult read = readLayoutFile(f.path("a.CLF"));
    QVERIFY(read.document);
    QCOMPARE(read.document->item(0).Left, w.document().item(0).Left);
    QCOMPARE(read.document->item(0).Top, w.document().item(0).Top);
    QCOMPARE(read.document->item(0).Left, float(w.itemView(0)->pos().x()));
}

// A full disk: 上書き保存 says so instead of 「保存しました」, the layout's file keeps what was
// saved before and the edit stays unsaved. The disk is a private 64 KB file system, so this needs
// the right to mount one.
void MainWindowTests::overwriteSaveOnAFullDisk() {
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        QSKIP("no private mounts here");
    MainWindowFixture f;
    const QString disk = f.path(QStringLiteral("disk"));
    QVERIFY(QDir().mkpath(disk));
    QCOMPARE(mount("tmpfs", disk.toLocal8Bit().constData(), "tmpfs", 0, "size=64k"), 0);
    const auto unmount = qScopeGuard([&] { umount(disk.toLocal8Bit().constData()); });
    const QString layout = disk + QStringLiteral("/a.CLF");
    QVERIFY(writeTestLayout(layout, kTwoPictures));
    const QByteArray saved = fileBytes(layout);
    {
        QFile filler(disk + QStringLiteral("/filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(layout));
    for (int i = 0; i < 12; ++i)
        QVERIFY(w.editor().addItem(newItemRecord(CategoryYear, 0, w.document().page),
                                   QPointF(10 * i, 10 * i), true));
    w.menus().overwriteSave->trigger();
    QVERIFY(!f.prompts.messages.isEmpty());
    QVERIFY2(f.prompts.messages.last().contains(QStringLiteral("ディスクの空きが足りません")),
             qPrintable(f.prompts.messages.last()));
    QCOMPARE(fileBytes(layout), saved);
    QVERIFY(!w.editor().undoStack().isClean());
    QVERIFY(w.isWindowModified());
    QCOMPARE(QDir(disk).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({QStringLiteral("a.CLF"), QStringLiteral("filler")}));
}

void MainWindowTests::saveOntoAReadOnlyPlaceNamesIt() {
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        QSKIP("no private mounts here");
    MainWindowFixture f;
    const QString disk = f.path(QStringLiteral("disk"));
    QVERIFY(QDir().mkpath(disk));
    QCOMPARE(mount("tmpfs", disk.toLocal8Bit().constData(), "tmpfs", 0, "size=64k"), 0);
    const auto unmount = qScopeGuard([&] { umount(disk.toLocal8Bit().constData()); });
    const QString layout = disk + QStringLiteral("/a.CLF");
    QVERIFY(writeTestLayout(layout, kTwoPictures));
    const QByteArray saved = fileBytes(layout);
    QCOMPARE(mount(nullptr, disk.toLocal8Bit().constData(), nullptr, MS_REMOUNT | MS_RDONLY,
                   nullptr),
             0);
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(layout));
    QVERIFY(w.items().moveItemToEdge(0, Edge::Right));
    // 上書き保存 and レイアウト保存 onto the same place: the message says where and why.
    f.prompts.files.push_back(disk + QStringLiteral("/b.CLF"));
    for (QAction* save : {w.menus().overwriteSave, w.menus().layoutSave}) {
        f.prompts.messages.clear();
        save->trigger();
        QCOMPARE(f.prompts.messages.size(), 1);
        const QString message = f.prompts.messages.last();
        QVERIFY2(message.contains(QStringLiteral("読み取り専用")),
                 qPrintable(QString(message).replace(QStringLiteral("\r\n"), QStringLiteral(" | "))));
        QVERIFY2(message.contains(QDir::toNativeSeparators(disk)), qPrintable(message));
    }
    QCOMPARE(fileBytes(layout), saved);
    QVERIFY(w.isWindowModified());
}

QTEST_MAIN(MainWindowTests)
#include "tst_mainwindow.moc"
