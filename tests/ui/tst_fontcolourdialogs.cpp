// The font dialog and the background-colour dialog opened from the item property dialog: what they
// show, what they write back and what they refuse.
#include "ItemDialogSupport.h"
#include "MainWindowFixture.h"
#include "ScriptedPrompts.h"
#include "TestLayouts.h"
#include "document/LayoutFields.h"
#include "document/LayoutFile.h"
#include "render/NewItemDefaults.h"
#include "render/RuleBlock.h"
#include "ui/dialogs/ItemDialogRules.h"
#include "ui/dialogs/ItemPropertiesDialog.h"
#include "ui/dialogs/BackgroundColourDialog.h"
#include "ui/dialogs/FontSettingsDialog.h"
#include "ui/main/CanvasView.h"
#include "ui/main/ItemView.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTabBar>
#include <QTemporaryDir>
#include <QImage>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

using namespace itemdialogtest;

class ItemDialogTests : public QObject {
    Q_OBJECT
private slots:
    void fontDialogOpening();
    void fontDialogEditing();
    void fontDialogLabelsAndLargeSample();
    void fontDialogRefusals_data();
    void fontDialogRefusals();
    void faceMatching_data();
    void faceMatching();

    void backColourRegions();
    void backColourMonthBox();
};

void ItemDialogTests::fontDialogOpening() {
    ScriptedPrompts prompts;
    FontSpec font;
    font.FaceName.setText(QStringLiteral("ＭＳ 明朝"));
    FontSettingsDialog zero(font, false, prompts, kContext.faces);
    QCOMPARE(child<QLineEdit>(zero, "sizeEdit")->text(), QString());
    QCOMPARE(child<QListWidget>(zero, "sizeList")->currentRow(), -1);
    QCOMPARE(child<QListWidget>(zero, "nameList")->currentRow(), 1);
    QVERIFY(child<QRadioButton>(zero, "directionChoice0")->isChecked());
    QVERIFY(child<QPushButton>(zero, "colourButton0")->isEnabled());
    QCOMPARE(zero.windowTitle(), QStringLiteral("フォントの設定"));
    QVERIFY(child<QLabel>(zero, "drawnWithLabel")->text().contains("IPAMincho"));

    font.Size = 14;
    font.Vertical = 1;
    FontSettingsDialog locked(font, true, prompts, kContext.faces);
    QCOMPARE(child<QListWidget>(locked, "sizeList")->currentItem()->text(), QStringLiteral("14"));
    QVERIFY(child<QRadioButton>(locked, "directionChoice1")->isChecked());
    QVERIFY(!child<QPushButton>(locked, "colourButton0")->isEnabled());
    QVERIFY(child<QPushButton>(locked, "colourButton1")->isEnabled());
}

void ItemDialogTests::fontDialogEditing() {
    ScriptedPrompts prompts;
    FontSpec font;
    setDefaultFontSpec(font);
    font.Vertical = 2;
    font.Underline = kTrue;
    font.Angle = 90;
    {
        // Untouched: every byte stays, also the "&HFFFFFF" colour text and direction 2.
        FontSettingsDialog dialog(font, false, prompts, kContext.faces);
        QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(dialog.font(), font);
    }
    FontSettingsDialog dialog(font, false, prompts, kContext.faces);
    auto* names = child<QListWidget>(dialog, "nameList");
    names->setCurrentRow(2);
    emit names->itemClicked(names->currentItem());
    QCOMPARE(child<QLineEdit>(dialog, "nameEdit")->text(), QStringLiteral("IPAGothic"));
    auto* sizes = child<QListWidget>(dialog, "sizeList");
    sizes->setCurrentRow(16);
    emit sizes->itemClicked(sizes->currentItem());
    QCOMPARE(child<QLineEdit>(dialog, "sizeEdit")->text(), QStringLiteral("72"));
    child<QCheckBox>(dialog, "boldCheck")->click();
    child<QRadioButton>(dialog, "directionChoice1")->click();
    prompts.colours = {QColor(0x12, 0x34, 0x56)};
    child<QPushButton>(dialog, "colourButton0")->click();
    QCOMPARE(prompts.colourRequests.back().title, QStringLiteral("色の選択"));
    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    FontSpec expected = font;
    expected.FaceName.setText(QStringLiteral("IPAGothic"));
    expected.Size = 72;
    expected.Bold = kTrue;
    expected.Vertical = 1;
    expected.ForeColor.setText(QString::number(0x563412));
    QCOMPARE(dialog.font(), expected);
}

// The labels carry their mnemonics to the boxes, and a 72-point sample stays inside the preview.
void ItemDialogTests::fontDialogLabelsAndLargeSample() {
    ScriptedPrompts prompts;
    FontSpec font;
    setDefaultFontSpec(font);
    font.Size = 72;
    font.Bold = kTrue;
    FontSettingsDialog dialog(font, false, prompts, kContext.faces);
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->text().contains('&'))
            QVERIFY2(label->buddy(), qPrintable(label->text()));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QVERIFY(child<QLabel>(dialog, "drawnWithLabel")->text().contains(QStringLiteral("縮小")));
    const QImage shot = dialog.findChild<QWidget*>("previewView")->grab().toImage();
    const QRgb white = qRgb(255, 255, 255);
    bool inked = false;
    for (int y = 0; y < shot.height(); ++y) {
        QCOMPARE(shot.pixel(1, y), white);
        QCOMPARE(shot.pixel(shot.width() - 2, y), white);
        for (int x = 0; x < shot.width(); ++x)
            inked = inked || shot.pixel(x, y) != white;
    }
    QVERIFY(inked);

    font.Size = 12;
    FontSettingsDialog small(font, false, prompts, kContext.faces);
    QVERIFY(!child<QLabel>(small, "drawnWithLabel")->text().contains(QStringLiteral("縮小")));
}

void ItemDialogTests::fontDialogRefusals_data() {
    QTest::addColumn<QString>("face");
    QTest::addColumn<QString>("size");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("storedSize");
    QTest::addColumn<QString>("message");
    const QString sizeMessage = "サイズには1から999までの数値を入力してください。";
    QTest::newRow("typed size") << ""
                                << "100" << true << 100 << "";
    QTest::newRow("empty size stores 0") << ""
                                         << "" << true << 0 << "";
    QTest::newRow("overflowing size") << ""
                                      << "99999" << false << 11 << sizeMessage;
    QTest::newRow("exponent") << ""
                              << "1e12" << false << 11 << sizeMessage;
    QTest::newRow("not a number") << ""
                                  << "big" << false << 11 << sizeMessage;
    QTest::newRow("face too long") << QString(65, QLatin1Char('F')) << "" << false << 11
                                   << "フォント名は半角64文字(全角32文字)以内にしてください。";
    QTest::newRow("face not storable")
        << "Noto Sans 한국어"
        << "" << false << 11 << "フォント名にはシフトJISで表せる文字だけを使ってください。";
}

void ItemDialogTests::fontDialogRefusals() {
    QFETCH(QString, face);
    QFETCH(QString, size);
    QFETCH(bool, accepted);
    QFETCH(int, storedSize);
    QFETCH(QString, message);
    ScriptedPrompts prompts;
    FontSpec font;
    setDefaultFontSpec(font);
    FontSettingsDialog dialog(font, false, prompts, kContext.faces);
    if (!face.isEmpty())
        child<QLineEdit>(dialog, "nameEdit")->setText(face);
    else {
        // Typed one key after the other: "9" of "99999" selects 9 in the list on the way.
        auto* box = child<QLineEdit>(dialog, "sizeEdit");
        for (const QString& typed : {size.left(1), size}) {
            box->setText(typed);
            emit box->textEdited(typed);
        }
    }
    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
    QCOMPARE(dialog.font().Size, storedSize);
    QCOMPARE(prompts.messages.join(QString()), message);
    QCOMPARE(dialog.font().FaceName, font.FaceName);
    if (!accepted && face.isEmpty()) // the old size is back, in the box and the list
        QCOMPARE(child<QListWidget>(dialog, "sizeList")->currentItem()->text(),
                 child<QLineEdit>(dialog, "sizeEdit")->text());
}

void ItemDialogTests::faceMatching_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("row");
    QTest::newRow("exact") << "ＭＳ 明朝" << 1;
    QTest::newRow("halfwidth lower case") << "ms ゴシック" << 0;
    QTest::newRow("halfwidth katakana") << "MS ｺﾞｼｯｸ" << 0;
    QTest::newRow("case only") << "ipagothic" << 2;
    QTest::newRow("no match keeps the selection") << "Helvetica" << 1;
}

void ItemDialogTests::faceMatching() {
    QFETCH(QString, typed);
    QFETCH(int, row);
    ScriptedPrompts prompts;
    FontSpec font;
    font.FaceName.setText(QStringLiteral("ＭＳ 明朝"));
    FontSettingsDialog dialog(font, false, prompts, kContext.faces);
    auto* name = child<QLineEdit>(dialog, "nameEdit");
    name->setText(typed);
    emit name->textEdited(typed);
    QCOMPARE(child<QListWidget>(dialog, "nameList")->currentRow(), row);
    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    QCOMPARE(dialog.font().FaceName.text(), typed); // stored as typed, even when not installed
}

// --- background colours -------------------------------------------------------------------------

void ItemDialogTests::backColourRegions() {
    ScriptedPrompts prompts;
    LayoutItem list = defaultsOf(1, 3);
    ruleBlock(list).setVLineCount(2);
    BackgroundColourDialog dialog(list, prompts);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("背景色詳細設定"));
    QStringList enabled;
    for (const auto& region : dialog.regions()) {
        if (region.button->isEnabled())
            enabled << region.button->text();
    }
    QCOMPARE(enabled, QStringList({"領域①", "領域②", "領域③"}));
    prompts.colours = {QColor(0, 0, 255)};
    dialog.regions()[2].button->click();
    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    LayoutItem expected = list;
    expected.CellBackColor[2] = 0xFF0000;
    QCOMPARE(dialog.item(), expected);

    LayoutItem row = defaultsOf(3, 4);
    ruleBlock(row).setHLineCount(40); // a damaged count enables all eleven, no more
    BackgroundColourDialog rows(row, prompts);
    QVERIFY(rows.findChild<QGroupBox*>("regionFrame2"));
    QCOMPARE(std::count_if(rows.regions().begin(), rows.regions().end(),
                           [](const auto& r) { return r.button->isEnabled(); }),
             11);
}

void ItemDialogTests::backColourMonthBox() {
    ScriptedPrompts prompts;
    const LayoutItem box = defaultsOf(1, 0);
    BackgroundColourDialog dialog(box, prompts);
    prompts.colours = {QColor(0, 255, 0), QColor(1, 1, 1)};
    child<QPushButton>(dialog, "dayColourButton")->click();
    child<QPushButton>(dialog, "weekButton3")->click();
    QVERIFY(!child<QPushButton>(dialog, "dateButton35")->isEnabled());
    QVERIFY(child<QPushButton>(dialog, "dateButton41")->styleSheet().contains("#00ff00"));
    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    LayoutItem expected = box;
    for (int e = 9; e < 44; ++e)
        expected.CellBackColor[static_cast<std::size_t>(e)] = 0x00FF00;
    expected.CellBackColor[5] = 0x010101;
    QCOMPARE(dialog.item(), expected);

    BackgroundColourDialog cancelled(defaultsOf(1, 1), prompts);
    prompts.colours = {QColor(0, 255, 0)};
    child<QPushButton>(cancelled, "dayColourButton")->click();
    cancelled.reject();
    QCOMPARE(cancelled.item(), defaultsOf(1, 1));
}

// --- through the main window --------------------------------------------------------------------

QTEST_MAIN(ItemDialogTests)
#include "tst_fontcolourdialogs.moc"
