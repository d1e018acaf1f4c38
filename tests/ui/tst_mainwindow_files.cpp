// The main window's file commands: reading, saving and dropping layouts, new documents and
// templates, and the pictures a layout names.
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

class MainWindowFileTests : public QObject {
    Q_OBJECT
private slots:
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
    void saveWithoutItems();
    void saveWritesTheSameLayout();
    void newData_data();
    void newData();
    void templateBecomesUnnamedCopy();
    void templateFolderMissingOrEmpty();
    void templatePicturePaths_data();
    void templatePicturePaths();
    void overwriteSaveWritesWhatTheCanvasShows();
    void overwriteSaveOnAFullDisk();
    void saveOntoAReadOnlyPlaceNamesIt();
};

void MainWindowFileTests::readLayoutByMenu() {
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

void MainWindowFileTests::readLayoutWithHugePaperCutsItDown() {
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

void MainWindowFileTests::readLayoutCancelled() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    QVERIFY(!w.files().openLayout());
    QCOMPARE(f.prompts.fileDialogs.size(), std::size_t{1});
    QCOMPARE(shownCaption(w), QStringLiteral("Tobirae"));
    QVERIFY(f.prompts.messages.isEmpty());
}

void MainWindowFileTests::readDamagedLayoutKeepsDocument() {
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

void MainWindowFileTests::dropLayout_data() {
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

void MainWindowFileTests::dropLayout() {
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

void MainWindowFileTests::dropOtherFileIgnored() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF.bak"), kTwoItems));
    MainWindow& w = f.start();
    w.files().dropFiles({f.path("a.CLF.bak")});
    QVERIFY(f.prompts.questions.empty());
    QVERIFY(w.document().itemList().empty());
}

void MainWindowFileTests::dropOnCanvasReadsLayout() {
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

void MainWindowFileTests::dropPictureOnPictureItem() {
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
void MainWindowFileTests::picturesMoveWithTheLayoutsFolder() {
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

void MainWindowFileTests::missingPicturesAreNamedOnOpenAndMarked() {
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

void MainWindowFileTests::saveWithoutItems() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    QVERIFY(!w.files().saveLayoutAs());
    QCOMPARE(f.prompts.messages, QStringList{QStringLiteral("保存するデータがありません。")});
    QVERIFY(f.prompts.fileDialogs.empty());
}

void MainWindowFileTests::saveWritesTheSameLayout() {
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

void MainWindowFileTests::newData_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("readOnly"); // the layout's file cannot be written
    QTest::addColumn<bool>("cleared");
    QTest::newRow("cancel") << int(PromptAnswer::Cancel) << false << false;
    QTest::newRow("discard") << int(PromptAnswer::No) << false << true;
    QTest::newRow("save writes the layout's file first") << int(PromptAnswer::Yes) << false << true;
    QTest::newRow("a failed save keeps the items") << int(PromptAnswer::Yes) << true << false;
}

void MainWindowFileTests::newData() {
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

void MainWindowFileTests::templateBecomesUnnamedCopy() {
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
        (confirm ? dialog.okButton()
                 : dialog.findChild<QPushButton*>(QStringLiteral("cancelButton")))
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

void MainWindowFileTests::templateFolderMissingOrEmpty() {
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

void MainWindowFileTests::templatePicturePaths_data() {
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

void MainWindowFileTests::templatePicturePaths() {
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

void MainWindowFileTests::overwriteSaveWritesWhatTheCanvasShows() {
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

namespace {

// Mounts made from here on are this process's own.
bool enterPrivateMounts() {
    return unshare(CLONE_NEWNS) == 0 &&
           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// A private 64 KB file system at `path`, unmounted when it goes.
struct SmallDisk {
    explicit SmallDisk(const QString& at) : path(at) {
        mounted = QDir().mkpath(path) &&
                  mount("tmpfs", path.toLocal8Bit().constData(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted)
            umount(path.toLocal8Bit().constData());
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    QString path;
    bool mounted = false;
};

} // namespace

// A full disk: 上書き保存 says so instead of 「保存しました」, the layout's file keeps what was
// saved before and the edit stays unsaved. The disk is a private 64 KB file system, so this needs
// the right to mount one.
void MainWindowFileTests::overwriteSaveOnAFullDisk() {
    if (!enterPrivateMounts())
        QSKIP("no private mounts here");
    MainWindowFixture f;
    const SmallDisk small(f.path(QStringLiteral("disk")));
    QVERIFY(small.mounted);
    const QString& disk = small.path;
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

void MainWindowFileTests::saveOntoAReadOnlyPlaceNamesIt() {
    if (!enterPrivateMounts())
        QSKIP("no private mounts here");
    MainWindowFixture f;
    const SmallDisk small(f.path(QStringLiteral("disk")));
    QVERIFY(small.mounted);
    const QString& disk = small.path;
    const QString layout = disk + QStringLiteral("/a.CLF");
    QVERIFY(writeTestLayout(layout, kTwoPictures));
    const QByteArray saved = fileBytes(layout);
    QCOMPARE(
        mount(nullptr, disk.toLocal8Bit().constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr),
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
        QVERIFY2(
            message.contains(QStringLiteral("読み取り専用")),
            qPrintable(QString(message).replace(QStringLiteral("\r\n"), QStringLiteral(" | "))));
        QVERIFY2(message.contains(QDir::toNativeSeparators(disk)), qPrintable(message));
    }
    QCOMPARE(fileBytes(layout), saved);
    QVERIFY(w.isWindowModified());
}

QTEST_MAIN(MainWindowFileTests)
#include "tst_mainwindow_files.moc"
