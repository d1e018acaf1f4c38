// The main window: start-up and shutdown, the zoom, the page-size, options and help commands,
// the menus and the translations.
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
    void zoomRedrawsPreviewsFiner();
    void pageSizeCommandResizesCanvas();
    void optionsCommandShowsGrid();
    void menuEntries();
    void helpOpensTheFileOrSaysWhereItIs();
    void translationsFromTheProgramsCopyFirst();
    void paperChangeOffersToScale();
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
    // The chosen year opens in the middle: years after it are as reachable as those before.
    for (int year : {2005 - 5, 2005 + 5})
        QVERIFY2(popup->viewport()->rect().contains(
                     popup->visualRect(years->model()->index(year - 1950, 0))),
                 qPrintable(QString::number(year)));
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

QTEST_MAIN(MainWindowTests)
#include "tst_mainwindow.moc"
