// "画像ファイル作成" from the main window: messages, the file dialog, the progress panel, errors,
// and the same bytes as tobirae-cli render.
#include "MainWindowFixture.h"
#include "bitmap/Primitives.h"
#include "ui/main/ExportMessagePanel.h"
#include "ui/main/ItemView.h"
#include "ui/main/OutputRangePanel.h"

#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace tobirae;
using namespace tobirae::test;

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QString kWallCalendar = QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/wall-calendar.CLF");

} // namespace

class ExportTests : public QObject {
    Q_OBJECT
private slots:
    void nothingToExport();
    void dialogCancelled();
    void exportMatchesCommandLine_data();
    void exportMatchesCommandLine();
    void dialogProposesLayoutNameThenLastFile();
    void failuresAreReported_data();
    void failuresAreReported();
    void previewDrawsThePage();
};

void ExportTests::nothingToExport() {
    MainWindowFixture f;
    SFrm_Main& w = f.start();
    QVERIFY(!w.Fnc_MakeBmpFile());
    QCOMPARE(f.prompts.messages, QStringList{QStringLiteral("作成するデータがありません。")});
    QVERIFY(f.prompts.fileDialogs.empty());
}

void ExportTests::dialogCancelled() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryMonthDisplay, 0, 10, 10, 12}}));
    SFrm_Main& w = f.start();
    QVERIFY(w.Fnc_LayOutRead(f.path("a.CLF")));
    QVERIFY(!w.Fnc_MakeBmpFile());
    QCOMPARE(f.prompts.fileDialogs.size(), std::size_t{1});
    QVERIFY(f.prompts.fileDialogs[0].save);
    QCOMPARE(f.prompts.fileDialogs[0].request.filter,
             QStringLiteral("ビットマップファイル (*.BMP)|*.BMP"));
    QVERIFY(f.prompts.messages.isEmpty());
}

void ExportTests::exportMatchesCommandLine_data() {
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("saveFirst");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<QString>("pageColour"); // the settings' page background, empty: white
    // Centre-locked year and month headings move to the editor's centre and auto-size when
    // previewed, so the command line gets the layout as the editor saves it.
    QTest::newRow("wall calendar as saved by the editor")
        << kWallCalendar << true << false << QString();
    QTest::newRow("month boxes and lists as written") << QString() << false << false << QString();
    // Items moved, resized, pasted and deleted on the canvas are saved where the canvas shows them.
    QTest::newRow("month boxes and lists edited") << QString() << true << true << QString();
    // The command line always draws on white: here the page itself tells the colour.
    QTest::newRow("yellow page of the settings")
        << kWallCalendar << false << false << QStringLiteral("&H00FFFF");
}

void ExportTests::exportMatchesCommandLine() {
#ifndef TOBIRAE_CLI
    QSKIP("tobirae-cli is not built");
#else
    QFETCH(QString, layout);
    QFETCH(bool, saveFirst);
    QFETCH(bool, edited);
    QFETCH(QString, pageColour);
    MainWindowFixture f;
    if (!pageColour.isEmpty())
        QVERIFY(writeSettingsFile(f.settingsPath(), {QStringLiteral("[ページ]"),
                                                     QStringLiteral("背景色=") + pageColour}));
    if (layout.isEmpty()) {
        layout = f.path("lists.CLF");
        QVERIFY(writeTestLayout(layout, {{CategoryMonthFamily, VariantBox5, 40, 60, 12},
                                         {CategoryMonthFamily, VariantVertical, 420, 60, 13},
                                         {CategoryMonthFamily, VariantBoxMini, 40, 700, 11}}));
    }
    SFrm_Main& w = f.start();
    QVERIFY(w.Fnc_LayOutRead(layout));
    if (edited) {
        EditorDocument& editor = w.editor();
        QVERIFY(editor.dragItem(0, {70, 90}));
        QVERIFY(editor.nudgeItem(0, 1, 1));
        const LayoutItem& list = w.document().item(1);
        QVERIFY(
            editor.resizeItem(1, QRectF(list.Left, list.Top, list.Width - 40, list.Height + 4)));
        QVERIFY(editor.copyItem(2));
        QVERIFY(editor.pasteItem(QPointF(500, 900)));
        QVERIFY(editor.deleteItem(2));
    }
    if (saveFirst) {
        f.prompts.files.push_back(f.path("saved.CLF"));
        QVERIFY(w.Fnc_LayOutSave());
        layout = f.path("saved.CLF");
        f.prompts.messages.clear();
    }
    w.setOutputMonth(2005, 3);
    const QString editorFile = f.path("editor.BMP");
    f.prompts.files.push_back(editorFile);
    QSignalSpy finished(&w, &SFrm_Main::exportFinished);
    w.commandButton(2)->click();

    QCOMPARE(f.prompts.messages, QStringList{QStringLiteral("作成しました。")});
    QCOMPARE(finished.size(), 1);
    QVERIFY(finished[0][0].toBool());
    QVERIFY(!w.messagePanel()->isVisible());
    QVERIFY(w.centralWidget()->isEnabled());
    QVERIFY(w.menuBar()->isEnabled());
    QVERIFY(!w.exporting());
    const int items = static_cast<int>(w.document().liveSlotsInDrawingOrder().size());
    QCOMPARE(w.messagePanel()->maximum(), items + 4);
    QCOMPARE(w.messagePanel()->value(), items + 4);
    QCOMPARE(w.exportName(), editorFile);
    if (!pageColour.isEmpty()) {
        const QImage page(editorFile);
        QCOMPARE(page.pixelColor(0, page.height() - 1), QColor(Qt::yellow));
        return;
    }

    const QString cliFile = f.path("cli.bmp");
    QProcess cli;
    cli.start(QStringLiteral(TOBIRAE_CLI),
              {QStringLiteral("render"), layout, QStringLiteral("--year"), QStringLiteral("2005"),
               QStringLiteral("--month"), QStringLiteral("3"), QStringLiteral("-o"), cliFile});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);
    const QByteArray editorBytes = fileBytes(editorFile);
    QVERIFY(editorBytes.size() > 1000);
    QVERIFY(editorBytes == fileBytes(cliFile));
#endif
}

void ExportTests::dialogProposesLayoutNameThenLastFile() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("cal2005.CLF"), {{CategoryYear, 0, 10, 10, 12}}));
    SFrm_Main& w = f.start();
    QVERIFY(w.Fnc_LayOutRead(f.path("cal2005.CLF")));
    const QString first = f.path("first.BMP");
    f.prompts.files.push_back(first);
    QVERIFY(w.Fnc_MakeBmpFile());
    QCOMPARE(QFileInfo(f.prompts.fileDialogs[0].request.initialPath).fileName(),
             QStringLiteral("cal2005"));
    QCOMPARE(QFileInfo(f.prompts.fileDialogs[0].request.initialPath).absolutePath(),
             QFileInfo(f.path("cal2005.CLF")).absolutePath());
    QVERIFY(QFile::exists(first));
    QVERIFY(!w.Fnc_MakeBmpFile()); // cancelled
    QCOMPARE(f.prompts.fileDialogs[1].request.initialPath, first);
}

void ExportTests::failuresAreReported_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<float>("paperMillimetres");
    QTest::newRow("missing folder") << QStringLiteral("no/such/folder/x.BMP") << 210.f;
    QTest::newRow("page too large") << QStringLiteral("big.BMP") << 5000.f;
}

void ExportTests::failuresAreReported() {
    QFETCH(QString, target);
    QFETCH(float, paperMillimetres);
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryMonthDisplay, 0, 10, 10, 12}}));
    SFrm_Main& w = f.start();
    QVERIFY(w.Fnc_LayOutRead(f.path("a.CLF")));
    w.document().page.PaperSize = 1;
    w.document().page.PaperWidth = paperMillimetres;
    w.document().page.PaperHeight = paperMillimetres;
    QVERIFY(w.Fnc_LayOutPageSizeChange(true));
    f.prompts.files.push_back(f.path(target));
    QSignalSpy finished(&w, &SFrm_Main::exportFinished);
    QVERIFY(!w.Fnc_MakeBmpFile());
    QCOMPARE(f.prompts.messages.size(), 1);
    QVERIFY2(f.prompts.messages[0].startsWith(
                 QStringLiteral("画像ファイルを作成できませんでした。\r\n")),
             qPrintable(f.prompts.messages[0]));
    QVERIFY(f.prompts.messages[0].size() >
            QStringLiteral("画像ファイルを作成できませんでした。\r\n").size());
    QCOMPARE(finished.size(), 1);
    QVERIFY(!finished[0][0].toBool());
    QVERIFY(!QFile::exists(f.path(target)));
    QVERIFY(w.centralWidget()->isEnabled());
    QVERIFY(!w.messagePanel()->isVisible());
    QVERIFY(w.exportName().isEmpty() || w.exportName() == QStringLiteral("a"));
}

void ExportTests::previewDrawsThePage() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryMonthDisplay, 0, 10, 10, 12}}));
    SFrm_Main& w = f.start();
    QVERIFY(w.Fnc_LayOutRead(f.path("a.CLF")));
    const QImage page = w.renderPageImage(1.0);
    QCOMPARE(page.size(),
             Fnc_PageBitmapSize(static_cast<float>(w.document().page.CanvasWidth),
                                static_cast<float>(w.document().page.CanvasHeight), 1, 1));
    // Something other than the white page background is drawn near the item.
    bool inked = false;
    for (int y = 10; y < 60 && !inked; ++y)
        for (int x = 10; x < 120 && !inked; ++x)
            inked = page.pixelColor(x, y) != QColor(Qt::white);
    QVERIFY(inked);

    // An empty page is the blank paper in the page colour of the settings.
    MainWindowFixture empty;
    QVERIFY(writeSettingsFile(empty.settingsPath(),
                              {QStringLiteral("[ページ]"), QStringLiteral("背景色=255")}));
    SFrm_Main& blankWindow = empty.start();
    const QImage blank = blankWindow.renderPageImage(1.0);
    QCOMPARE(blank.size(), page.size());
    QCOMPARE(blank.pixelColor(blank.width() / 2, blank.height() / 2), QColor(Qt::red));
}

QTEST_MAIN(ExportTests)
#include "tst_export.moc"
