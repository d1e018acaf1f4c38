// "画像ファイル作成" from the main window: messages, the file dialog, the progress panel, errors,
// and the same bytes as tobirae-cli render.
#include "MainWindowFixture.h"
#include "bitmap/PictureFile.h"
#include "bitmap/Primitives.h"
#include "document/LayoutFile.h"
#include "render/PageExport.h"
#include "render/PdfExport.h"
#include "ui/dialogs/PagePreviewDialog.h"
#include "ui/main/ExportMessagePanel.h"
#include "ui/main/ItemView.h"
#include "ui/main/OutputRangePanel.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tobirae;
using namespace tobirae::test;

namespace {

const QString kWallCalendar = QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/wall-calendar.CLF");
const QString kFiscalYear = QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/fiscal-year.CLF");

// The text layer of a PDF, pages separated by form feeds (empty without pdftotext).
QString pdfText(const QString& path) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

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
    void printerPagesAreThePdfPages();
    void pdfOfAMonthRange();
    void monthRangeIntoAFolder();
    void monthRangeDialogRunsForward();
    void missingPicturesAreAskedAndNamedInTheResult();
    void aCentredPictureIsCentredOnThePage();
};

void ExportTests::nothingToExport() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    QVERIFY(!w.exports().exportPageBitmap());
    QCOMPARE(f.prompts.messages, QStringList{QStringLiteral("作成するデータがありません。")});
    QVERIFY(f.prompts.fileDialogs.empty());
}

void ExportTests::dialogCancelled() {
    MainWindowFixture f;
    QVERIFY(writeTestLayout(f.path("a.CLF"), {{CategoryMonthDisplay, 0, 10, 10, 12}}));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    QVERIFY(!w.exports().exportPageBitmap());
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
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(layout));
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
        QVERIFY(w.files().saveLayoutAs());
        layout = f.path("saved.CLF");
        f.prompts.messages.clear();
    }
    w.editor().setOutputMonth(2005, 3);
    const QString editorFile = f.path("editor.BMP");
    f.prompts.files.push_back(editorFile);
    QSignalSpy finished(&w.exports(), &ExportRunner::exportFinished);
    w.sidePanel().commandButton(2)->click();

    QCOMPARE(f.prompts.messages, QStringList{QStringLiteral("作成しました。")});
    QCOMPARE(finished.size(), 1);
    QVERIFY(finished[0][0].toBool());
    QVERIFY(!w.exports().messagePanel()->isVisible());
    QVERIFY(w.centralWidget()->isEnabled());
    QVERIFY(w.menuBar()->isEnabled());
    QVERIFY(!w.exports().exporting());
    const int items = static_cast<int>(w.document().liveSlotsInDrawingOrder().size());
    QCOMPARE(w.exports().messagePanel()->maximum(), items + 4);
    QCOMPARE(w.exports().messagePanel()->value(), items + 4);
    QCOMPARE(w.exports().exportName(), editorFile);
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
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("cal2005.CLF")));
    const QString first = f.path("first.BMP");
    f.prompts.files.push_back(first);
    QVERIFY(w.exports().exportPageBitmap());
    QCOMPARE(QFileInfo(f.prompts.fileDialogs[0].request.initialPath).fileName(),
             QStringLiteral("cal2005"));
    QCOMPARE(QFileInfo(f.prompts.fileDialogs[0].request.initialPath).absolutePath(),
             QFileInfo(f.path("cal2005.CLF")).absolutePath());
    QVERIFY(QFile::exists(first));
    QVERIFY(!w.exports().exportPageBitmap()); // cancelled
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
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    PageValues page = w.document().page;
    page.PaperSize = 1;
    page.PaperWidth = paperMillimetres;
    page.PaperHeight = paperMillimetres;
    w.editor().setPage(page);
    QVERIFY(!w.editor().canvasSize().isEmpty());
    f.prompts.files.push_back(f.path(target));
    QSignalSpy finished(&w.exports(), &ExportRunner::exportFinished);
    QVERIFY(!w.exports().exportPageBitmap());
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
    QVERIFY(!w.exports().messagePanel()->isVisible());
    QVERIFY(w.exports().exportName().isEmpty() || w.exports().exportName() == QStringLiteral("a"));
}

// The preview draws the page through the renderer at its own size and steps through the months
// within the calendar's years.
void ExportTests::previewDrawsThePage() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(kWallCalendar));
    PagePreviewDialog zoom(w.exports().pageJob(), 2049, 11, &w);
    zoom.resize(420, 640);
    zoom.show();
    QVERIFY(QTest::qWaitForWindowExposed(&zoom));
    zoom.grab();
    const QImage& page = zoom.pageImage();
    QVERIFY(!page.isNull());
    // Drawn at the resolution that makes A4 as wide as the page area, not scaled to it.
    const QRectF area = PagePreviewDialog::pageRect(
        QSizeF(420, 640 - zoom.monthLabel()->parentWidget()->height()), 210, 297);
    const int pixels = static_cast<int>(area.width() * zoom.devicePixelRatioF());
    QCOMPARE(zoom.pageDpi(), static_cast<int>(pixels / (210 / 25.4)));
    // Whole dots per inch: the page is at most one inch's step of dots narrower than the area.
    QVERIFY(page.width() <= pixels + 1 && page.width() >= pixels - 210 / 25.4 - 1);
    bool inked = false;
    for (int y = 0; y < page.height() / 4 && !inked; ++y)
        for (int x = 0; x < page.width() && !inked; ++x)
            inked = page.pixelColor(x, y) != QColor(Qt::white);
    QVERIFY(inked);

    // An empty page is the blank paper in the page colour of the settings.
    MainWindowFixture empty;
    QVERIFY(writeSettingsFile(empty.settingsPath(),
                              {QStringLiteral("[ページ]"), QStringLiteral("背景色=255")}));
    MainWindow& blankWindow = empty.start();
    PagePreviewDialog blankZoom(blankWindow.exports().pageJob(), 2027, 5, &blankWindow);
    blankZoom.resize(420, 640);
    blankZoom.grab();
    const QImage& blank = blankZoom.pageImage();
    QVERIFY(!blank.isNull());
    QCOMPARE(blank.pixelColor(blank.width() / 2, blank.height() / 2), QColor(Qt::red));

    QCOMPARE(zoom.monthLabel()->text(), QStringLiteral("2049年11月"));
    QTest::keyClick(&zoom, Qt::Key_Right);
    QCOMPARE(zoom.monthLabel()->text(), QStringLiteral("2049年12月"));
    QVERIFY(!zoom.nextButton()->isEnabled());
    QTest::keyClick(&zoom, Qt::Key_Right); // the last month stays
    QCOMPARE(zoom.monthLabel()->text(), QStringLiteral("2049年12月"));
    zoom.previousButton()->click();
    zoom.previousButton()->click();
    QCOMPARE(zoom.monthLabel()->text(), QStringLiteral("2049年10月"));
    zoom.grab();
    QCOMPARE(zoom.pageImage().size(), page.size());
}

// A printer in PDF mode gets the pages the PDF export writes, one per month, fitted to its paper.
void ExportTests::printerPagesAreThePdfPages() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(kWallCalendar));
    const PageJob job = w.exports().pageJob();
    using std::chrono::year;
    const auto months = monthRange(year(2027) / 12, year(2028) / 1);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(f.path("printed.pdf"));
    printer.setPageLayout(pageLayoutOf(job));
    const ExportResult printed = paintPages(job, months, printer);
    QVERIFY2(printed.ok, qPrintable(printed.error));
    QCOMPARE(printed.pages, 2);
    QVERIFY(exportPdf(job, months, f.path("export.pdf")).ok);
    QCOMPARE(pdfText(f.path(QStringLiteral("printed.pdf"))),
             pdfText(f.path(QStringLiteral("export.pdf"))));
    QCOMPARE(pdfText(f.path(QStringLiteral("printed.pdf"))).count(QLatin1Char('\f')), 2);
}

void ExportTests::pdfOfAMonthRange() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(kWallCalendar));
    using std::chrono::year;
    w.editor().setOutputMonth(2027, 9);
    QStringList titles;
    bool formatAsked = false;
    std::vector<MonthRangeChoice> offered;
    w.testHooks().monthRange = [&](const QString& title, bool withFormat,
                                   const MonthRangeChoice& initial) {
        titles << title;
        formatAsked = withFormat;
        offered.push_back(initial);
        return std::optional<MonthRangeChoice>({year(2027) / 4, year(2027) / 6});
    };
    f.prompts.files.push_back(f.path(QStringLiteral("spring.pdf")));
    QVERIFY(w.exports().exportPdfRange());
    QCOMPARE(titles, QStringList{QStringLiteral("PDF出力")});
    QVERIFY(!formatAsked);
    QCOMPARE(f.prompts.fileDialogs.back().request.filter,
             QStringLiteral("PDFファイル (*.PDF)|*.PDF"));
    QCOMPARE(f.prompts.messages.last(), QStringLiteral("3ページのPDFを作成しました。\r\n") +
                                            f.path(QStringLiteral("spring.pdf")));
    QVERIFY(fileBytes(f.path(QStringLiteral("spring.pdf"))).startsWith("%PDF-"));
    QVERIFY(!w.exports().messagePanel()->isVisible());
    QVERIFY(w.menuBar()->isEnabled());
    // The first time the range runs from the output month to eleven months later; after that
    // it starts from the range chosen last, kept in the settings.
    QCOMPARE(offered.at(0).from, year(2027) / 9);
    QCOMPARE(offered.at(0).to, year(2028) / 8);
    QCOMPARE(offered.at(0).format, PageFileFormat::Bmp);
    QCOMPARE(w.settings().LastRangeFrom, 202704);
    QCOMPARE(w.settings().LastRangeTo, 202706);
    // Written at once, not only at a clean exit.
    w.settingsKeeper().flush();
    QCOMPARE(loadAppSettings(f.settingsPath()).LastRangeFrom, 202704);
    QCOMPARE(loadAppSettings(f.settingsPath()).LastRangeTo, 202706);
    f.prompts.files.push_back(f.path(QStringLiteral("again.pdf")));
    QVERIFY(w.exports().exportPdfRange());
    QCOMPARE(offered.at(1).from, year(2027) / 4);
    QCOMPARE(offered.at(1).to, year(2027) / 6);

    // A layout whose one page shows a whole 年度 is offered that one page the first time.
    MainWindowFixture fiscal;
    MainWindow& v = fiscal.start();
    QVERIFY(v.files().openLayout(kFiscalYear));
    // Its title graphic and the photo slot beside it are pictures shipped with it: nothing is
    // missing, so nothing is asked before exporting.
    QVERIFY(fiscal.prompts.messages.isEmpty());
    int pictures = 0;
    for (const int slot : v.document().liveSlotsInDrawingOrder())
        if (v.document().item(slot).Category == CategoryPicture) {
            ++pictures;
            QVERIFY(QFileInfo::exists(resolvePicturePath(v.document().item(slot).PictureFile.text(),
                                                         QFileInfo(kFiscalYear).absolutePath())));
        }
    QCOMPARE(pictures, 2);
    v.editor().setOutputMonth(2027, 4);
    QVERIFY(pageShowsAYear(v.document()));
    QVERIFY(!pageShowsAYear(w.document()));
    offered.clear();
    v.testHooks().monthRange = [&](const QString&, bool, const MonthRangeChoice& initial) {
        offered.push_back(initial);
        return std::optional<MonthRangeChoice>();
    };
    QVERIFY(!v.exports().exportPdfRange());
    QCOMPARE(offered.at(0).from, year(2027) / 4);
    QCOMPARE(offered.at(0).to, year(2027) / 4);

    // A cancelled range dialog asks for no file.
    w.testHooks().monthRange = [](const QString&, bool, const MonthRangeChoice&) {
        return std::nullopt;
    };
    const std::size_t dialogs = f.prompts.fileDialogs.size();
    QVERIFY(!w.exports().exportPdfRange());
    QCOMPARE(f.prompts.fileDialogs.size(), dialogs);
}

// Bitmaps of a range across years land in the chosen folder; a cancelled run leaves only
// complete pages, and a cancelled PDF no file at all.
void ExportTests::monthRangeIntoAFolder() {
    MainWindowFixture f;
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(kWallCalendar));
    using std::chrono::year;
    MonthRangeChoice choice{year(2027) / 11, year(2028) / 2, PageFileFormat::Png};
    QStringList titles;
    PageFileFormat offeredFormat = PageFileFormat::Pdf;
    w.testHooks().monthRange = [&](const QString& title, bool withFormat,
                                   const MonthRangeChoice& initial) {
        titles << title + (withFormat ? QStringLiteral(" with format") : QString());
        offeredFormat = initial.format;
        return std::optional<MonthRangeChoice>(choice);
    };
    QDir(f.dir.path()).mkdir(QStringLiteral("out"));
    const QString out = f.path(QStringLiteral("out"));
    f.prompts.files.push_back(out);
    QVERIFY(w.exports().exportMonthRange());
    QCOMPARE(QDir(out).entryList(QDir::Files | QDir::Hidden),
             (QStringList{QStringLiteral("2027-11.png"), QStringLiteral("2027-12.png"),
                          QStringLiteral("2028-01.png"), QStringLiteral("2028-02.png")}));
    QCOMPARE(f.prompts.messages.last(), QStringLiteral("4ページを作成しました。\r\n") + out);
    QCOMPARE(titles, QStringList{QStringLiteral("一括出力 with format")});
    QCOMPARE(offeredFormat, PageFileFormat::Bmp);

    // Files already there are overwritten only when the user agrees.
    f.prompts.files.push_back(out);
    f.prompts.answers.push_back(PromptAnswer::No);
    QVERIFY(!w.exports().exportMonthRange());
    QCOMPARE(offeredFormat, PageFileFormat::Png); // the format chosen last
    // The files are named, and the default answer keeps them.
    QCOMPARE(f.prompts.questions.back().text,
             QStringLiteral("同じ名前のファイルがあります。\r\n%1\r\n%2\r\n%3\r\n%4\r\n上書きしますか?")
                 .arg(QDir::toNativeSeparators(QDir(out).filePath(QStringLiteral("2027-11.png"))),
                      QDir::toNativeSeparators(QDir(out).filePath(QStringLiteral("2027-12.png"))),
                      QDir::toNativeSeparators(QDir(out).filePath(QStringLiteral("2028-01.png"))),
                      QDir::toNativeSeparators(QDir(out).filePath(QStringLiteral("2028-02.png")))));
    QCOMPARE(f.prompts.questions.back().buttons, PromptButtons::YesNoKeep);

    for (const PageFileFormat format : {PageFileFormat::Bmp, PageFileFormat::Pdf}) {
        QDir(out).removeRecursively();
        QDir(f.dir.path()).mkdir(QStringLiteral("out"));
        choice = {year(2027) / 1, year(2027) / 12, format};
        f.prompts.files.push_back(out);
        QTimer::singleShot(0, w.exports().messagePanel()->cancelButton(), &QPushButton::click);
        QVERIFY(!w.exports().exportMonthRange());
        QVERIFY2(f.prompts.messages.last().startsWith(QStringLiteral("中止しました。")),
                 qPrintable(f.prompts.messages.last()));
        const QStringList left = QDir(out).entryList(QDir::Files | QDir::Hidden);
        if (format == PageFileFormat::Pdf)
            QVERIFY2(left.isEmpty(), qPrintable(left.join(QLatin1Char(' '))));
        QVERIFY(left.size() < 12);
        for (const QString& name : left)
            QVERIFY2(!QImage(QDir(out).filePath(name)).isNull(), qPrintable(name));
    }
}

void ExportTests::monthRangeDialogRunsForward() {
    using std::chrono::year;
    AppSettings settings;
    MonthRangeChoice initial = initialMonthRange(settings, year(2027) / 5);
    QCOMPARE(initial.to, year(2028) / 4);
    QCOMPARE(initial.format, PageFileFormat::Bmp);
    // Near the end of the years offered the range stops at 2049-12.
    QCOMPARE(initialMonthRange(settings, year(2049) / 3).to, year(2049) / 12);
    // A confirmed choice is where the next one starts; the format only from 一括出力.
    rememberMonthRange(settings, {year(2027) / 4, year(2028) / 3, PageFileFormat::Png}, true);
    rememberMonthRange(settings, {year(2027) / 6, year(2027) / 8, PageFileFormat::Pdf}, false);
    QCOMPARE(settings.LastRangeFrom, 202706);
    QCOMPARE(settings.LastRangeTo, 202708);
    QCOMPARE(initialMonthRange(settings, year(2030) / 1).from, year(2027) / 6);
    QCOMPARE(initialMonthRange(settings, year(2030) / 1).format, PageFileFormat::Png);
    // A one-month range (from equal to to) survives a restart.
    const QTemporaryDir folder;
    settings.FileName = QDir(folder.path()).filePath(QStringLiteral("Tobirae.ini"));
    rememberMonthRange(settings, {year(2027) / 3, year(2027) / 3, PageFileFormat::Pdf}, true);
    QVERIFY(!saveAppSettings(settings));
    const MonthRangeChoice restarted =
        initialMonthRange(loadAppSettings(settings.FileName), year(2030) / 1);
    QCOMPARE(restarted.from, year(2027) / 3);
    QCOMPARE(restarted.to, year(2027) / 3);
    QCOMPARE(restarted.format, PageFileFormat::Pdf);

    initial.to = year(2027) / 5;
    initial.format = PageFileFormat::Png;
    MonthRangeDialog dialog(QStringLiteral("一括出力"), initial, true);
    QCOMPARE(dialog.choice().from, year(2027) / 5);
    QCOMPARE(dialog.choice().to, year(2027) / 5);
    QCOMPARE(dialog.choice().format, PageFileFormat::Png);
    // The year lists open with about twenty years.
    QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("fromYearCombo"))->maxVisibleItems(), 20);
    QVERIFY(dialog.okButton()->isEnabled());
    dialog.setRange(year(2028) / 3, year(2027) / 4);
    QVERIFY(!dialog.okButton()->isEnabled());
    dialog.setRange(year(2027) / 4, year(2028) / 3);
    QVERIFY(dialog.okButton()->isEnabled());
    // The lists hold 1950 to 2049; the last month can be chosen.
    auto* toYear = dialog.findChild<QComboBox*>(QStringLiteral("toYearCombo"));
    QCOMPARE(toYear->count(), 100);
    toYear->setCurrentIndex(99);
    dialog.findChild<QComboBox*>(QStringLiteral("toMonthCombo"))->setCurrentIndex(11);
    dialog.findChild<QRadioButton*>(QStringLiteral("formatChoice2"))->click();
    QCOMPARE(dialog.choice().to, year(2049) / 12);
    QCOMPARE(dialog.choice().format, PageFileFormat::Pdf);
}

QTEST_MAIN(ExportTests)
#include "tst_export.moc"

// No output draws the placeholder in a picture's place without the user's word, and the result
// says which pages were drawn without it.
void ExportTests::missingPicturesAreAskedAndNamedInTheResult() {
    MainWindowFixture f;
    auto document = makeTestDocument({{CategoryMonthDisplay, 0, 30, 40, 12},
                                      {CategoryPicture, 0, 300, 400, 12}});
    document->item(1).PictureFile.setText(QStringLiteral("C:\\Pictures\\gone.bmp"));
    QVERIFY(!writeLayoutFile(*document, f.path("a.CLF")));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    w.editor().setOutputMonth(2027, 4);
    const QString question =
        QStringLiteral("次の画像を使えません。画像なしで作成すると、その場所には"
                       "「ここに画像を貼り付けます。」と出力されます。\r\n"
                       "・C:\\Pictures\\gone.bmp (見つかりません)\r\n画像なしで続行しますか？");
    const auto asked = [&] {
        QCOMPARE(f.prompts.questions.size(), std::size_t(1));
        QCOMPARE(f.prompts.questions[0].text, question);
        QCOMPARE(f.prompts.questions[0].buttons, PromptButtons::ContinueCancel);
        f.prompts.questions.clear();
        f.prompts.messages.clear();
    };
    f.prompts.messages.clear();

    // 画像ファイル作成: cancelled writes nothing; continued names the page.
    f.prompts.files = {f.path("page.bmp"), f.path("page.bmp")};
    f.prompts.answers = {PromptAnswer::Cancel};
    QVERIFY(!w.exports().exportPageBitmap());
    QVERIFY(!QFileInfo::exists(f.path("page.bmp")));
    QVERIFY(f.prompts.messages.isEmpty());
    asked();
    f.prompts.answers = {PromptAnswer::Yes};
    QVERIFY(w.exports().exportPageBitmap());
    QVERIFY(QFileInfo::exists(f.path("page.bmp")));
    QCOMPARE(f.prompts.messages, QStringList{QStringLiteral("作成しました。\r\n画像なしで作成したペ"
                                                            "ージ: 2027-04\r\n") +
                                             f.path("page.bmp")});
    asked();

    // 一括出力 and PDF: the same question, and the pages in the result.
    const MonthRangeChoice choice{std::chrono::year(2027) / 4, std::chrono::year(2028) / 3,
                                  PageFileFormat::Png};
    w.testHooks().monthRange = [&](const QString&, bool, const MonthRangeChoice&) {
        return std::optional<MonthRangeChoice>(choice);
    };
    QVERIFY(QDir(f.dir.path()).mkdir(QStringLiteral("out")));
    f.prompts.files = {f.path("out")};
    f.prompts.answers = {PromptAnswer::Cancel};
    QVERIFY(!w.exports().exportMonthRange());
    QVERIFY(QDir(f.path("out")).isEmpty());
    asked();
    f.prompts.files = {f.path("out")};
    f.prompts.answers = {PromptAnswer::Yes};
    QVERIFY(w.exports().exportMonthRange());
    QCOMPARE(f.prompts.messages,
             QStringList{QStringLiteral("12ページを作成しました。\r\n%1\r\n画像なしで作成したページ: "
                                        "2027-04～2028-03 (12ページ)")
                             .arg(f.path("out"))});
    asked();
    f.prompts.files = {f.path("a.pdf")};
    f.prompts.answers = {PromptAnswer::Cancel};
    QVERIFY(!w.exports().exportPdfRange());
    QVERIFY(!QFileInfo::exists(f.path("a.pdf")));
    asked();
}

// 左右中央 centres what the page draws: the margins differ by a page pixel at most.
void ExportTests::aCentredPictureIsCentredOnThePage() {
    MainWindowFixture f;
    QImage red(300, 200, QImage::Format_RGB32);
    red.fill(Qt::red);
    QVERIFY(red.save(f.path("red.png")));
    auto document = makeTestDocument({{CategoryPicture, 0, 30, 40, 12}});
    LayoutItem& picture = document->item(0);
    picture.PictureFile.setText(f.path("red.png"));
    picture.Width = 300;
    picture.Height = 200;
    picture.FitToRect = kTrue;
    picture.FreeAspect = kTrue;
    QVERIFY(!writeLayoutFile(*document, f.path("a.CLF")));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    QVERIFY(w.editor().centreItem(0, false));
    QVERIFY(w.editor().centreItem(0, true));
    const QImage page = pageImage(w.exports().pageJob(), 2027, 4, 300);
    QVERIFY(!page.isNull());
    // One row and one column through the picture: where its red starts and ends.
    const auto redSpan = [&](bool vertical) {
        const LayoutItem& item = w.document().item(0);
        const int across = vertical ? roundHalfEven((item.Left + 150) * 300.0 / 96)
                                    : roundHalfEven((item.Top + 100) * 300.0 / 96);
        const int length = vertical ? page.height() : page.width();
        int first = length;
        int last = -1;
        for (int i = 0; i < length; ++i)
            if (page.pixelColor(vertical ? across : i, vertical ? i : across) == QColor(Qt::red)) {
                first = std::min(first, i);
                last = std::max(last, i);
            }
        return std::pair{first, length - 1 - last};
    };
    // A top between two layout pixels is drawn where it falls, and the middle is that of A4's
    // 1122.5 pixels, not of the rounded canvas's 1123: once 7 page pixels apart.
    for (const bool vertical : {false, true}) {
        const auto [before, after] = redSpan(vertical);
        QVERIFY(after < page.width());
        QVERIFY2(std::abs(before - after) <= 1,
                 qPrintable(QStringLiteral("%1: %2 / %3")
                                .arg(vertical ? "top / bottom" : "left / right")
                                .arg(before)
                                .arg(after)));
    }
}
