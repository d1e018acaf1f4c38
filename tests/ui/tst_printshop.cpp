// "入稿用PDF出力...": the dialog's record, its preflight before writing, the file it writes, and
// the print guides of "表示" kept in the settings.
#include "MainWindowFixture.h"
#include "app/AppSettings.h"
#include "document/LayoutFile.h"
#include "render/PdfBoxes.h"
#include "ui/main/PaperItem.h"
#include "ui/main/PrintGuidesItem.h"
#include "ui/main/PrintShopCommands.h"
#include "ui/main/PrintShopPdfDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace tobirae;
using namespace tobirae::test;

namespace {

using std::chrono::year;

PageJob pictureCalendar() {
    ReadResult read =
        readLayoutFile(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/picture-calendar.CLF"));
    return read.document ? pageJobFromDocument(*read.document, 0x00FFFFFF) : PageJob{};
}

QStringList listed(const QListWidget* list) {
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

} // namespace

class PrintShopTests : public QObject {
    Q_OBJECT
private slots:
    void confirmedWithoutChangeGivesBackItsRecord();
    void preflightIsShownBeforeWriting();
    void writesTheFileWithItsBoxes();
    void guidesFollowTheMenuAndTheSettings();
};

void PrintShopTests::confirmedWithoutChangeGivesBackItsRecord() {
    AppSettings settings;
    settings.LastRangeFrom = 202704;
    settings.LastRangeTo = 202803;
    settings.PrintBleedTenthsMm = 25;
    settings.PrintMarks = false;
    settings.PrintPdfx = true;
    settings.PrintProfile = QStringLiteral("/icc/shop.icc");
    const PrintShopChoice initial = initialPrintShopChoice(settings, year(2026) / 1);
    QCOMPARE(static_cast<int>(initial.from.year()), 2027);
    QCOMPARE(initial.shop.bleedMm, 2.5);
    ScriptedPrompts prompts;
    PrintShopPdfDialog dialog(pictureCalendar(), initial, QString(), prompts);
    AppSettings back = settings;
    rememberPrintShopChoice(back, dialog.choice());
    QCOMPARE(back.LastRangeFrom, settings.LastRangeFrom);
    QCOMPARE(back.LastRangeTo, settings.LastRangeTo);
    QCOMPARE(back.PrintBleedTenthsMm, 25);
    QCOMPARE(back.PrintMarks, false);
    QCOMPARE(back.PrintPdfx, true);
    QCOMPARE(back.PrintProfile, settings.PrintProfile);
    // A typed bleed beyond 10 mm is bounded before it reaches the record.
    auto* bleed = dialog.findChild<QDoubleSpinBox*>(QStringLiteral("bleed"));
    QVERIFY(bleed);
    bleed->setValue(25);
    QCOMPARE(dialog.choice().shop.bleedMm, 10.0);
}

void PrintShopTests::preflightIsShownBeforeWriting() {
    AppSettings settings;
    ScriptedPrompts prompts;
    PrintShopPdfDialog dialog(pictureCalendar(), initialPrintShopChoice(settings, year(2027) / 4),
                              QString(), prompts);
    const QStringList rows = listed(dialog.preflightList());
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows[0].contains(QStringLiteral("アイテム3")));
    QVERIFY(rows[0].contains(QStringLiteral("ppi")));
    QVERIFY(rows[1].contains(QStringLiteral("RGB")));
    dialog.findChild<QCheckBox*>(QStringLiteral("pdfx"))->setChecked(true);
    QCOMPARE(listed(dialog.preflightList()).size(), 1); // the RGB hint is gone
    QVERIFY(prompts.fileDialogs.empty());               // nothing asked, nothing written
}

void PrintShopTests::writesTheFileWithItsBoxes() {
    QTemporaryDir dir;
    AppSettings settings;
    settings.LastRangeFrom = 202704;
    settings.LastRangeTo = 202706;
    ScriptedPrompts prompts;
    PrintShopPdfDialog dialog(pictureCalendar(), initialPrintShopChoice(settings, year(2027) / 4),
                              QString(), prompts);
    // Cancelled file dialog: nothing happens.
    QVERIFY(!dialog.writeFile());
    QCOMPARE(prompts.fileDialogs.size(), std::size_t{1});
    const QString path = dir.filePath(QStringLiteral("shop.pdf"));
    prompts.files.push_back(path);
    QVERIFY(dialog.writeFile());
    QCOMPARE(dialog.writtenPath(), path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const auto pages = readPageBoxes(file.readAll());
    QCOMPARE(pages.size(), std::size_t{3});
    QVERIFY(!pages[0].trim.isNull());
    QVERIFY(pages[0].media.width() > pages[0].bleed.width()); // marks are on by default
    QVERIFY(prompts.messages.isEmpty()); // the result is shown in the dialog itself
}

void PrintShopTests::guidesFollowTheMenuAndTheSettings() {
    MainWindowFixture f;
    MainWindow& window = f.start();
    PrintGuidesItem* guides = window.printShop().guides();
    QVERIFY(!guides->isVisible());
    auto* bleed = window.findChild<QAction*>(QStringLiteral("bleedGuideAction"));
    auto* safety = window.findChild<QAction*>(QStringLiteral("safetyGuideAction"));
    QVERIFY(bleed && safety);
    bleed->trigger();
    QVERIFY(guides->isVisible());
    QVERIFY(guides->bleedShown());
    QVERIFY(!guides->safetyShown());
    QVERIFY(window.settings().BleedGuideShown);
    safety->trigger();
    QVERIFY(window.settings().SafetyGuideShown);
    // The bleed line lies outside the paper, the safety line inside it.
    const QRectF paper = window.paper()->boundingRect();
    QVERIFY(guides->rects().bleed.contains(paper));
    QVERIFY(paper.contains(guides->rects().safety));
    f.prompts.answers.push_back(PromptAnswer::Yes); // "終了します。"
    QVERIFY(window.close());
    QCOMPARE(loadAppSettings(f.settingsPath()).BleedGuideShown, true);
    QCOMPARE(loadAppSettings(f.settingsPath()).SafetyGuideShown, true);
}

QTEST_MAIN(PrintShopTests)
#include "tst_printshop.moc"
