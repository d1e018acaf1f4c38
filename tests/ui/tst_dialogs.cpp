// The small dialogs: page size, options, position, About and preview, and the number rules
// behind them.
#include "ScriptedPrompts.h"
#include "ui/dialogs/NumericText.h"
#include "ui/dialogs/OptionValues.h"
#include "ui/dialogs/PageSizeEntries.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/PageSizeDialog.h"
#include "ui/dialogs/OptionsDialog.h"
#include "ui/dialogs/PositionDialog.h"
#include "ui/dialogs/ScreenFit.h"
#include "ui/dialogs/PagePreviewDialog.h"
#include "ui/main/Translations.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

using namespace tobirae;

class DialogTests : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { installJapaneseTranslations(*QCoreApplication::instance()); }

    void numericValues_data();
    void numericValues();
    void fileFilters();

    void pageSizeRules_data();
    void pageSizeRules();
    void pageSizeDialogOpensWithValues();
    void pageSizeDialogEnablesByPaper();
    void pageSizeDialogOk();
    void pageSizeDialogCancelKeepsValues();
    void pageSizePresets_data();
    void pageSizePresets();

    void gridSpacingRules_data();
    void gridSpacingRules();
    void optionsDialogEnabling();
    void optionsDialogOk();
    void optionsDialogColourPicker();
    void optionsDialogTabs();

    void positionRules_data();
    void positionRules();

    void aboutBox();
    void previewScaling_data();
    void previewScaling();
    void messageBoxButtonsSpeakJapanese();

    void screenFit_data();
    void screenFit();
};

void DialogTests::screenFit_data() {
    QTest::addColumn<QRect>("wanted");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QRect>("fitted");
    // A laptop screen without its 40-pixel taskbar; frames take 4, 32, 4, 4.
    QTest::newRow("fits as it is")
        << QRect(100, 100, 400, 300) << QSize(100, 100) << QRect(100, 100, 400, 300);
    QTest::newRow("too tall: made lower, moved up")
        << QRect(300, 20, 796, 842) << QSize(500, 400) << QRect(300, 32, 796, 692);
    QTest::newRow("off the bottom right: moved in")
        << QRect(1200, 600, 400, 300) << QSize(100, 100) << QRect(962, 424, 400, 300);
    QTest::newRow("off the top left: moved in")
        << QRect(-50, -10, 400, 300) << QSize(100, 100) << QRect(4, 32, 400, 300);
    QTest::newRow("minimum too tall: title bar stays on the screen")
        << QRect(0, 0, 400, 900) << QSize(400, 800) << QRect(4, 32, 400, 800);
}

void DialogTests::screenFit() {
    QFETCH(QRect, wanted);
    QFETCH(QSize, minimum);
    QFETCH(QRect, fitted);
    QCOMPARE(fittedGeometry(wanted, minimum, QRect(0, 0, 1366, 728)), fitted);
}

void DialogTests::numericValues_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "120" << true << 120.0;
    QTest::newRow("blanks around") << "  80 " << true << 80.0;
    QTest::newRow("fraction") << "0.5" << true << 0.5;
    QTest::newRow("leading point") << ".5" << true << 0.5;
    QTest::newRow("negative") << "-12" << true << -12.0;
    QTest::newRow("exponent") << "1e3" << true << 1000.0;
    QTest::newRow("hex") << "&H1F" << true << 31.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << "   " << false << 0.0;
    QTest::newRow("letters") << "abc" << false << 0.0;
    QTest::newRow("unit") << "80mm" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("bare hex prefix") << "&H" << false << 0.0;
}

void DialogTests::numericValues() {
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QFETCH(double, value);
    const auto parsed = numericValue(text);
    QCOMPARE(parsed.has_value(), numeric);
    if (numeric)
        QCOMPARE(*parsed, value);
}

void DialogTests::fileFilters() {
    QCOMPARE(toQtFileFilter(QStringLiteral("レイアウトファイル (*.CLF)|*.CLF")),
             QStringLiteral("レイアウトファイル (*.CLF *.clf)"));
    QCOMPARE(toQtFileFilter(QStringLiteral("ビットマップファイル (*.BMP)|*.BMP")),
             QStringLiteral("ビットマップファイル (*.BMP *.bmp)"));
    QCOMPARE(toQtFileFilter(QStringLiteral("ビットマップ (*.bmp)|*.bmp|JPEG (*.jpg)|*.jpg;*.jpeg")),
             QStringLiteral("ビットマップ (*.bmp *.BMP);;JPEG (*.jpg *.JPG *.jpeg *.JPEG)"));
    QCOMPARE(toQtFileFilter(QStringLiteral("すべて")), QStringLiteral("すべて"));

    // What the file dialogs take: a file in a folder that exists, one that exists to open.
    QTemporaryDir dir;
    const QString existing = dir.filePath(QStringLiteral("a.CLF"));
    QFile(existing).open(QIODevice::WriteOnly);
    const QString missingFolder = dir.filePath(QStringLiteral("none/b.CLF"));
    QCOMPARE(fileChoiceProblem(existing, false), QString());
    QCOMPARE(fileChoiceProblem(existing, true), QString());
    QCOMPARE(fileChoiceProblem(dir.filePath(QStringLiteral("new.BMP")), true), QString());
    QCOMPARE(fileChoiceProblem(missingFolder, true),
             QStringLiteral("フォルダーが見つかりません: ") + dir.filePath(QStringLiteral("none")));
    QCOMPARE(fileChoiceProblem(dir.filePath(QStringLiteral("b.CLF")), false),
             QStringLiteral("ファイルが見つかりません: ") + dir.filePath(QStringLiteral("b.CLF")));
    QVERIFY(fileChoiceProblem(dir.path(), true).contains(dir.path()));
}

// --- page size -------------------------------------------------------------------------------

void DialogTests::pageSizeRules_data() {
    QTest::addColumn<int>("paper");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("width");
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<float>("expectWidth");
    QTest::addColumn<float>("expectHeight");
    // Before: user size 120 x 180.
    QTest::newRow("40 x 300 raised to 50") << 1 << "300"
                                           << "40" << true << 50.f << 300.f;
    QTest::newRow("80 x 300 kept") << 1 << "300"
                                   << "80" << true << 80.f << 300.f;
    QTest::newRow("negative raised") << 1 << "-5"
                                     << "60" << true << 60.f << 50.f;
    QTest::newRow("100 m cut to 5 m") << 1 << "100000"
                                      << "5001" << true << 5000.f << 5000.f;
    QTest::newRow("non-numeric keeps old") << 1 << "abc"
                                           << "" << true << 120.f << 180.f;
    QTest::newRow("user size ignores orientation") << 1 << "150"
                                                   << "100" << false << 100.f << 150.f;
    QTest::newRow("A4 portrait") << 0 << "0"
                                 << "0" << true << 210.f << 297.f;
    QTest::newRow("A4 landscape") << 0 << "0"
                                  << "0" << false << 297.f << 210.f;
}

void DialogTests::pageSizeRules() {
    QFETCH(int, paper);
    QFETCH(QString, height);
    QFETCH(QString, width);
    QFETCH(bool, portrait);
    QFETCH(float, expectWidth);
    QFETCH(float, expectHeight);
    PageValues before;
    before.PaperSize = 1;
    before.PaperWidth = 120;
    before.PaperHeight = 180;
    const PageValues after = applyPageSizeEntries(before, {paper, height, width, 2, portrait}, 96);
    QCOMPARE(after.PaperSize, paper);
    QCOMPARE(after.PaperWidth, expectWidth);
    QCOMPARE(after.PaperHeight, expectHeight);
    QCOMPARE(after.Portrait, portrait);
    QCOMPARE(after.ResolutionIndex, 2);
    QCOMPARE(after.ResolutionDpi, 150);
}

void DialogTests::pageSizeDialogOpensWithValues() {
    PageValues user;
    user.PaperSize = 1;
    user.PaperWidth = 100;
    user.PaperHeight = 150.5f;
    user.ResolutionIndex = 1;
    PageSizeDialog dialog(user, 96);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("用紙サイズ変更"));
    QCOMPARE(dialog.findChild<QComboBox*>("sizeCombo")->currentText(), QStringLiteral("サイズ指定"));
    QCOMPARE(dialog.findChild<QLineEdit*>("sizeEdit0")->text(), QStringLiteral("150.5"));
    QCOMPARE(dialog.findChild<QLineEdit*>("sizeEdit1")->text(), QStringLiteral("100"));
    auto* dpi = dialog.findChild<QComboBox*>("dpiCombo");
    QCOMPARE(dpi->currentText(), QStringLiteral("100"));
    QCOMPARE(dpi->itemText(5), QStringLiteral(" 画面解像度"));

    PageValues a4; // A4 landscape
    a4.Portrait = false;
    PageSizeDialog second(a4, 96);
    // A named paper shows its sides as oriented, so "サイズ指定" starts from them.
    QCOMPARE(second.findChild<QLineEdit*>("sizeEdit0")->text(), QStringLiteral("210"));
    QCOMPARE(second.findChild<QLineEdit*>("sizeEdit1")->text(), QStringLiteral("297"));
    QVERIFY(second.findChild<QRadioButton*>("orientationChoice1")->isChecked());
    QCOMPARE(second.findChild<QComboBox*>("sizeCombo")->currentText(),
             QStringLiteral("A4(210x297 mm)"));
}

void DialogTests::pageSizeDialogEnablesByPaper() {
    PageSizeDialog dialog(PageValues{}, 96);
    auto* size = dialog.findChild<QComboBox*>("sizeCombo");
    auto* box = dialog.findChild<QLineEdit*>("sizeEdit0");
    auto* portrait = dialog.findChild<QRadioButton*>("orientationChoice0");
    QVERIFY(!box->isEnabled());
    QVERIFY(portrait->isEnabled());
    size->setCurrentText(QStringLiteral("サイズ指定"));
    QVERIFY(box->isEnabled());
    QVERIFY(!portrait->isEnabled());
    size->setCurrentText(QStringLiteral("ハガキ(100x148 mm)"));
    QVERIFY(!box->isEnabled());
    QVERIFY(portrait->isEnabled());
}

void DialogTests::pageSizeDialogOk() {
    PageSizeDialog dialog(PageValues{}, 96);
    dialog.findChild<QComboBox*>("sizeCombo")->setCurrentText(QStringLiteral("サイズ指定"));
    dialog.findChild<QLineEdit*>("sizeEdit0")->setText(QStringLiteral("300"));
    dialog.findChild<QLineEdit*>("sizeEdit1")->setText(QStringLiteral("40"));
    dialog.findChild<QComboBox*>("dpiCombo")->setCurrentIndex(5);
    QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.values().PaperSize, 1);
    QCOMPARE(dialog.values().PaperWidth, 50.f);
    QCOMPARE(dialog.values().PaperHeight, 300.f);
    QCOMPARE(dialog.values().ResolutionIndex, 5);
    QCOMPARE(dialog.values().ResolutionDpi, 96);
}

void DialogTests::pageSizeDialogCancelKeepsValues() {
    PageSizeDialog dialog(PageValues{}, 96);
    dialog.findChild<QComboBox*>("sizeCombo")->setCurrentText(QStringLiteral("サイズ指定"));
    dialog.findChild<QLineEdit*>("sizeEdit0")->setText(QStringLiteral("300"));
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.values(), PageValues{});
}

void DialogTests::pageSizePresets_data() {
    QTest::addColumn<QString>("paper");
    QTest::addColumn<bool>("portrait");
    QTest::addColumn<int>("paperSize");
    QTest::addColumn<float>("width");
    QTest::addColumn<float>("height");
    QTest::newRow("A3") << "A3(297x420 mm)" << true << 1 << 297.f << 420.f;
    QTest::newRow("A3 landscape") << "A3(297x420 mm)" << false << 1 << 420.f << 297.f;
    QTest::newRow("A4") << "A4(210x297 mm)" << true << 0 << 210.f << 297.f;
    QTest::newRow("A5") << "A5(148x210 mm)" << true << 1 << 148.f << 210.f;
    QTest::newRow("B4 landscape") << "B4 JIS(257x364 mm)" << false << 1 << 364.f << 257.f;
    QTest::newRow("B5") << "B5 JIS(182x257 mm)" << true << 1 << 182.f << 257.f;
    QTest::newRow("postcard") << "ハガキ(100x148 mm)" << true << 1 << 100.f << 148.f;
    QTest::newRow("Letter") << "Letter(215.9x279.4 mm)" << true << 1 << 215.9f << 279.4f;
}

// A named paper other than A4 is stored as a user size with its sides; reopened, the dialog
// shows the same paper again and gives the values back unchanged.
void DialogTests::pageSizePresets() {
    QFETCH(QString, paper);
    QFETCH(bool, portrait);
    QFETCH(int, paperSize);
    QFETCH(float, width);
    QFETCH(float, height);
    PageSizeDialog dialog(PageValues{}, 96);
    auto* list = dialog.findChild<QComboBox*>("sizeCombo");
    list->setCurrentText(paper);
    QCOMPARE(list->currentText(), paper);
    dialog.findChild<QRadioButton*>(portrait ? "orientationChoice0" : "orientationChoice1")
        ->setChecked(true);
    dialog.findChild<QPushButton*>("okButton")->click();
    const PageValues stored = dialog.values();
    QCOMPARE(stored.PaperSize, paperSize);
    QCOMPARE(stored.PaperWidth, width);
    QCOMPARE(stored.PaperHeight, height);
    QCOMPARE(bool(stored.Portrait), portrait);

    PageSizeDialog again(stored, 96);
    QCOMPARE(again.findChild<QComboBox*>("sizeCombo")->currentText(), paper);
    again.findChild<QPushButton*>("okButton")->click();
    QCOMPARE(again.values(), stored);

    // The same sides under the other orientation flag are the user's own size.
    PageValues turned = stored;
    turned.Portrait = !stored.Portrait;
    turned.PaperSize = 1;
    PageSizeDialog own(turned, 96);
    QCOMPARE(own.findChild<QComboBox*>("sizeCombo")->currentText(), QStringLiteral("サイズ指定"));
}

// --- options ---------------------------------------------------------------------------------

void DialogTests::gridSpacingRules_data() {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("in range") << QStringList{"24", "1188", "60", "100"}
                              << QList<int>{24, 1188, 60, 100};
    QTest::newRow("too small, too large")
        << QStringList{"20", "2000", "23", "1189"} << QList<int>{30, 30, 30, 30};
    QTest::newRow("empty first") << QStringList{"", "60", "60", "60"} << QList<int>{30, 60, 60, 60};
    QTest::newRow("text takes previous")
        << QStringList{"100", "abc", "", "90"} << QList<int>{100, 100, 100, 90};
    QTest::newRow("previous out of range")
        << QStringList{"2000", "x", "50", "50"} << QList<int>{30, 30, 50, 50};
    QTest::newRow("rounded to even")
        << QStringList{"24.5", "25.5", "60", "60"} << QList<int>{24, 26, 60, 60};
    QTest::newRow("ties to even, fraction below half")
        << QStringList{"26.5", "27.5", "24.4", "60"} << QList<int>{26, 28, 24, 60};
    // A negative tie rounds to -2, never into range; a huge entry must not overflow.
    QTest::newRow("negative tie, huge value")
        << QStringList{"-2.5", "60", "1e300", "60"} << QList<int>{30, 60, 30, 60};
}

void DialogTests::gridSpacingRules() {
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, expected);
    const auto spacings = gridSpacingsFromTexts({texts[0], texts[1], texts[2], texts[3]});
    for (int i = 0; i < 4; ++i)
        QCOMPARE(spacings[static_cast<std::size_t>(i)], expected[i]);
}

void DialogTests::optionsDialogEnabling() {
    ScriptedPrompts prompts;
    OptionValues values;
    values.vBarShown = true;
    values.grids[0].shown = false;
    OptionsDialog dialog(values, prompts);
    auto* showX = dialog.findChild<QCheckBox*>("verticalEditLineCheck0");
    auto* symX = dialog.findChild<QCheckBox*>("verticalEditLineCheck1");
    auto* symY = dialog.findChild<QCheckBox*>("horizontalEditLineCheck1");
    QVERIFY(symX->isEnabled());
    QVERIFY(!symY->isEnabled());
    showX->setChecked(false);
    QVERIFY(!symX->isEnabled());

    auto* gridShown = dialog.findChild<QCheckBox*>("gridCheck0");
    auto* gridSnap = dialog.findChild<QCheckBox*>("gridCheck1");
    auto* gridWidth = dialog.findChild<QLineEdit*>("gridEdit0");
    QVERIFY(!gridSnap->isEnabled());
    QVERIFY(!gridWidth->isEnabled());
    gridShown->setChecked(true);
    QVERIFY(gridSnap->isEnabled());
    QVERIFY(gridWidth->isEnabled());

    // The spacing in twips is shown in millimetres beside the box, and follows the typing.
    QCOMPARE(symX->text(), QStringLiteral("左右対称に移動する"));
    auto* millimetres = dialog.findChild<QLabel*>("gridMmLabel0");
    QCOMPARE(millimetres->text(), QStringLiteral("= 1.06 mm"));
    gridWidth->setText(QStringLiteral("567"));
    QCOMPARE(millimetres->text(), QStringLiteral("= 10.00 mm"));
    gridWidth->setText(QStringLiteral("x"));
    QCOMPARE(millimetres->text(), QString());
}

void DialogTests::optionsDialogOk() {
    ScriptedPrompts prompts;
    {
        // Every box shows its own setting: OK on an untouched dialog gives the values back.
        OptionValues values;
        values.pageBackColor = 0x00102030;
        values.vBarShown = values.vBarSymmetric = values.hBarShown = true;
        values.grids[0] = {true, true, 120, 300};
        values.grids[1] = {false, true, 48, 600};
        OptionsDialog untouched(values, prompts);
        QTest::mouseClick(untouched.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        QCOMPARE(untouched.result(), int(QDialog::Accepted));
        QCOMPARE(untouched.values().grids[0].spacingX, 120);
        QCOMPARE(untouched.values().grids[0].spacingY, 300);
        QVERIFY(untouched.values() == values);
    }
    OptionValues values;
    OptionsDialog dialog(values, prompts);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("オプション"));
    dialog.findChild<QCheckBox*>("horizontalEditLineCheck0")->setChecked(true);
    dialog.findChild<QCheckBox*>("horizontalEditLineCheck1")->setChecked(true);
    dialog.findChild<QCheckBox*>("gridCheck0")->setChecked(true);
    dialog.findChild<QCheckBox*>("gridCheck1")->setChecked(true);
    dialog.findChild<QLineEdit*>("gridEdit0")->setText(QStringLiteral("20"));
    dialog.findChild<QLineEdit*>("gridEdit1")->setText(QStringLiteral("120"));
    dialog.findChild<QLineEdit*>("gridEdit2")->setText(QString());
    dialog.findChild<QLineEdit*>("gridEdit3")->setText(QStringLiteral("2000"));
    QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const OptionValues& out = dialog.values();
    QVERIFY(out.hBarShown && out.hBarSymmetric);
    QVERIFY(!out.vBarShown && !out.vBarSymmetric);
    QVERIFY(out.grids[0].shown && out.grids[0].snap);
    QCOMPARE(out.grids[0].spacingX, 30);
    QCOMPARE(out.grids[0].spacingY, 120);
    QCOMPARE(out.grids[1].spacingX, 120); // empty: the number of the box before it
    QCOMPARE(out.grids[1].spacingY, 30);
    QVERIFY(!out.grids[1].shown);
}

void DialogTests::optionsDialogColourPicker() {
    ScriptedPrompts prompts;
    OptionValues values;
    values.pageBackColor = 0x00C0C0C0;
    {
        prompts.colours.push_back(std::nullopt); // cancelled
        OptionsDialog dialog(values, prompts);
        QTest::mouseClick(dialog.findChild<QPushButton*>("backColourButton"), Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        QCOMPARE(dialog.values().pageBackColor, 0x00C0C0C0);
    }
    {
        prompts.colours.push_back(QColor(0x11, 0x22, 0x33));
        OptionsDialog dialog(values, prompts);
        QTest::mouseClick(dialog.findChild<QPushButton*>("backColourButton"), Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        QCOMPARE(dialog.values().pageBackColor, 0x00332211); // 0x00BBGGRR
    }
    {
        prompts.colours.push_back(QColor(0x11, 0x22, 0x33));
        OptionsDialog dialog(values, prompts);
        QTest::mouseClick(dialog.findChild<QPushButton*>("backColourButton"), Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(dialog.values().pageBackColor, 0x00C0C0C0);
    }
}

void DialogTests::optionsDialogTabs() {
    ScriptedPrompts prompts;
    OptionsDialog dialog(OptionValues{}, prompts);
    dialog.show();
    auto* tabs = dialog.findChild<QTabBar*>("gridTabs");
    QCOMPARE(tabs->tabText(0), QStringLiteral("メイン画面"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("日付設定画面"));
    auto* main = dialog.findChild<QCheckBox*>("gridCheck0");
    auto* sub = dialog.findChild<QCheckBox*>("gridCheck2");
    QVERIFY(main->isVisible());
    QVERIFY(!sub->isVisible());
    tabs->setCurrentIndex(1);
    QVERIFY(!main->isVisible());
    QVERIFY(sub->isVisible());
}

// --- position ----------------------------------------------------------------------------------

void DialogTests::positionRules_data() {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QList<float>>("expected");
    // Before: 10, 20, 30, 40.
    QTest::newRow("all taken") << QStringList{"1", "2", "3", "4"} << QList<float>{1, 2, 3, 4};
    QTest::newRow("width below 1 ignored")
        << QStringList{"1", "2", "0.5", "4"} << QList<float>{1, 2, 30, 4};
    QTest::newRow("negative x accepted")
        << QStringList{"-7", "2", "3", "4"} << QList<float>{-7, 2, 3, 4};
    QTest::newRow("negative height ignored")
        << QStringList{"1", "2", "3", "-4"} << QList<float>{1, 2, 3, 40};
    QTest::newRow("text ignored") << QStringList{"x", "", "3", "4"} << QList<float>{10, 20, 3, 4};
    QTest::newRow("huge numbers bounded")
        << QStringList{"1e30", "-1e30", "99999", "4"} << QList<float>{32767, -32767, 32767, 4};
}

void DialogTests::positionRules() {
    QFETCH(QStringList, texts);
    QFETCH(QList<float>, expected);
    const BoxValues after =
        applyBoxEntries({10, 20, 30, 40}, {texts[0], texts[1], texts[2], texts[3]});
    QCOMPARE(after, (BoxValues{expected[0], expected[1], expected[2], expected[3]}));
}

// --- About and preview -------------------------------------------------------------------------

void DialogTests::aboutBox() {
    QCOMPARE(versionLabelText(0, 1), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 0.01"));
    QCOMPARE(versionLabelText(2, 15), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 2.15"));
    ScriptedPrompts prompts;
    AboutDialog about(prompts);
    QCOMPARE(about.windowTitle(), QStringLiteral("Tobirae のﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(about.findChild<QLabel*>("titleLabel")->text(), QStringLiteral("Tobirae"));
    QTest::mouseClick(about.findChild<QPushButton*>("systemInfoButton"), Qt::LeftButton);
    QCOMPARE(prompts.messages,
             QStringList{QStringLiteral("この環境ではシステム情報を使用できません。")});
}

void DialogTests::previewScaling_data() {
    QTest::addColumn<QSizeF>("window");
    QTest::addColumn<QRectF>("expected");
    // A4 portrait, 210 x 297 mm.
    QTest::newRow("tall window") << QSizeF(210, 600) << QRectF(0, 151.5, 210, 297);
    QTest::newRow("wide window") << QSizeF(1000, 297) << QRectF(395, 0, 210, 297);
    QTest::newRow("scaled up") << QSizeF(420, 594) << QRectF(0, 0, 420, 594);
}

void DialogTests::previewScaling() {
    QFETCH(QSizeF, window);
    QFETCH(QRectF, expected);
    QCOMPARE(PagePreviewDialog::pageRect(window, 210, 297), expected);
}

void DialogTests::messageBoxButtonsSpeakJapanese() {
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    auto plain = [&](QMessageBox::StandardButton which) {
        QString text = box.button(which)->text();
        text.remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
        return text;
    };
    QCOMPARE(plain(QMessageBox::Yes), QStringLiteral("はい"));
    QCOMPARE(plain(QMessageBox::No), QStringLiteral("いいえ"));
    QCOMPARE(plain(QMessageBox::Cancel), QStringLiteral("キャンセル"));
}

QTEST_MAIN(DialogTests)
#include "tst_dialogs.moc"
