// The item property dialog: list contents, what each kind shows, the reset questions, that a
// record survives open + OK untouched, bounds of typed sizes and picture paths.
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
    void choiceLists();
    void styleSamplesFollowTheBuilders();
    void panelsPerKind_data();
    void panelsPerKind();
    void kindChangeResets();
    void declinedLayoutChangeAdjustsRows();
    void controlsWriteTheirFields();
    void colourButtonsAndTabs();
    void openOkKeepsExampleItems();
    void openOkKeepsRandomRecords();
    void cancelLeavesNoTrace();
    void storedValuesNoListOffers();
    void designSizeBounds_data();
    void designSizeBounds();
    void picturePaths();
};

void ItemDialogTests::choiceLists() {
    QCOMPARE(captions(categoryChoices()), QStringList({"年表示", "1ヶ月単位表示", "月表示",
                                                       "週単位表示", "画像表示", "テキスト"}));
    QCOMPARE(captions(layoutChoices(1)), QStringList({"Box表示(5段)", "Box表示(6段)",
                                                      "Box表示(Mini 6段)", "縦表示", "横表示"}));
    QCOMPARE(layoutChoices(3), QList<StyleChoice>({{3, "縦表示"}, {4, "横表示"}}));
    QVERIFY(layoutChoices(0).isEmpty());
    const auto months = monthSelectorChoices();
    QCOMPARE(months.size(), 37);
    QCOMPARE(months[0].caption, QStringLiteral("－12ヶ月"));
    QCOMPARE(months[11].caption, QStringLiteral("前月"));
    QCOMPARE(months[12].caption, QStringLiteral("当月"));
    QCOMPARE(months[14].caption, QStringLiteral("＋2ヶ月"));
    QCOMPARE(months[25], (StyleChoice{25, "1月"}));
    QCOMPARE(months[36], (StyleChoice{36, "12月"}));
    const auto years = yearSelectorChoices();
    QCOMPARE(years.size(), 25);
    QCOMPARE(years[0].caption, QStringLiteral("－12ヶ月の年"));
    QCOMPARE(years[12].caption, QStringLiteral("当月の年"));
    QCOMPARE(years[24].caption, QStringLiteral("＋12ヶ月の年"));
    QCOMPARE(
        captions(weekRangeChoices()),
        QStringList({"第1週", "第2週", "第3週", "第4週", "第5週", "1～ 7日", "8～14日", "15～21日",
                     "22～28日", "29～末日", "1～16日", "17～末日", "1～15日", "16～末日"}));
    QCOMPARE(captions(weekdayStyleChoices()),
             QStringList({"月曜日", "月曜", "月", "Monday", "MONDAY", "MON", "Mon", "英語1文字"}));
    QCOMPARE(captions(sekkiChoices()),
             QStringList({"二十四節気", "二十四節気+雑節", "雑節", "二十四節気(春分、秋分なし)",
                          "二十四節気(春分、秋分なし)+雑節"}));
    for (const auto& list : {months, years, weekRangeChoices(), weekdayStyleChoices()}) {
        for (int i = 0; i < list.size(); ++i)
            QCOMPARE(list[i].value, i);
    }

    // The dialog's lists are these tables.
    ScriptedPrompts prompts;
    ItemPropertiesDialog dialog(defaultsOf(3, 3), false, kContext, prompts);
    QCOMPARE(comboTexts(child<QComboBox>(dialog, "categoryCombo")), captions(categoryChoices()));
    QCOMPARE(comboTexts(child<QComboBox>(dialog, "calendarCombo0")), captions(layoutChoices(3)));
    QCOMPARE(comboTexts(child<QComboBox>(dialog, "calendarCombo2")), captions(weekdayStyleChoices()));
    QCOMPARE(comboTexts(child<QComboBox>(dialog, "calendarCombo3")), captions(months));
    QCOMPARE(comboTexts(child<QComboBox>(dialog, "calendarCombo4")), captions(weekRangeChoices()));
    auto* rows = child<QTreeWidget>(dialog, "calendarList");
    QStringList labels;
    for (int r = 0; r < rows->topLevelItemCount(); ++r)
        labels << rows->topLevelItem(r)->text(0);
    QCOMPARE(labels, QStringList({"年①", "年②", "月①", "月②", "月③", "月④", "六曜", "干支", "旧暦",
                                  "二十四節気", "祝日"}));
    rows->setCurrentItem(rows->topLevelItem(8));
    QCOMPARE(comboTexts(child<QComboBox>(dialog, "yearMonthCombo")),
             captions(oldCalendarStyleChoices(2027)));
    rows->setCurrentItem(rows->topLevelItem(7));
    QVERIFY(!child<QComboBox>(dialog, "yearMonthCombo")->isEnabled());
    QCOMPARE(child<QComboBox>(dialog, "yearMonthCombo")->count(), 0);
}

void ItemDialogTests::styleSamplesFollowTheBuilders() {
    const auto date = year{2027} / September / 1;
    const auto years = yearStyleChoices(date);
    QCOMPARE(years.size(), 34);
    QCOMPARE(years[30], (StyleChoice{40, QStringLiteral("年度(2027年度)")}));
    QCOMPARE(years[31].caption, QStringLiteral("年度(令和9年度)"));
    QCOMPARE(years[33], (StyleChoice{43, QStringLiteral("年度括弧付き(令和9年度)")}));
    QCOMPARE(years[0].caption, QStringLiteral("西暦(2027)"));
    QCOMPARE(years[1].caption, QStringLiteral("和暦(令和 09)"));
    QCOMPARE(years[5].caption, QStringLiteral("西暦(2027年)"));
    QCOMPARE(years[10].caption, QStringLiteral("西暦2桁(27)"));
    QCOMPARE(years[12].caption, QStringLiteral("和暦年のみ(九)"));
    QCOMPARE(years[16].caption, QStringLiteral("西暦(2027/)"));
    QCOMPARE(years[24].caption, QStringLiteral("西暦括弧付き(2027)"));
    QCOMPARE(years[28].caption, QStringLiteral("和暦括弧付き(令和九)"));
    QCOMPARE(years[29].caption, QStringLiteral("西暦括弧付き(2027年)"));
    const auto months = monthStyleChoices(9);
    QCOMPARE(months.size(), 22);
    QCOMPARE(months[2].caption, QStringLiteral("数字(9月)"));
    QCOMPARE(months[3].caption, QStringLiteral("漢字(九月)"));
    QCOMPARE(months[5].caption, QStringLiteral("英語(SEPTEMBER)"));
    QCOMPARE(months[9].caption, QStringLiteral("異名(ながつき)"));
    QCOMPARE(months[16].caption, QStringLiteral("英語括弧付き(September)"));
    QCOMPARE(months[21].caption, QStringLiteral("異名括弧付き(ながつき)"));
    const auto old = oldCalendarStyleChoices(2027);
    QCOMPARE(old.size(), 16);
    QCOMPARE(old[0].caption, QStringLiteral("旧 2027/閏01/01"));
    QCOMPARE(old[7].caption, QStringLiteral("旧閏1/1"));
    QCOMPARE(old[15].caption, QStringLiteral("(旧2027/閏1/1)"));
    for (int i = 0; i < old.size(); ++i) {
        const bool showsYear = (i <= 3) || i == 8 || i == 9 || i >= 12;
        QVERIFY2(old[i].caption.contains(QStringLiteral("2027")) == showsYear,
                 qPrintable(old[i].caption));
    }
    // Values the lists do not offer still get a description in the element list.
    QCOMPARE(oldCalendarStyleCaption(16, 2027), QStringLiteral("(旧 閏01/01)"));
    QCOMPARE(oldCalendarStyleCaption(23, 2027), QStringLiteral("(閏1/1)"));
    QVERIFY(oldCalendarStyleCaption(24, 2027).isEmpty());
    QCOMPARE(yearStyleCaption(34, date), QStringLiteral("(27)"));
    QVERIFY(monthStyleCaption(22, 9).isEmpty());
}

void ItemDialogTests::panelsPerKind_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("panel");
    QTest::addColumn<bool>("placeX");
    QTest::addColumn<bool>("placeY");
    QTest::addColumn<bool>("weekList");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("selectorCaption");
    for (const Kind& kind : kKinds) {
        const int panel = kind.category == 0 || kind.category == 2 ? 0 : kind.category == 4 ? 2 : 1;
        const int rows = panel != 1 ? 0 : kind.variant == 2 ? 6 : 11;
        const QString caption = kind.category == 0   ? "年設定"
                                : kind.category == 2 ? "月設定"
                                : kind.category == 1 ? "月指定"
                                : kind.category == 3 ? "単位設定"
                                                     : QString();
        QTest::newRow(kind.name) << kind.category << kind.variant << panel << (kind.category != 0)
                                 << (kind.category != 0 && kind.category != 2)
                                 << (kind.category == 3) << rows << caption;
    }
}

void ItemDialogTests::panelsPerKind() {
    QFETCH(int, category);
    QFETCH(int, variant);
    QFETCH(int, panel);
    QFETCH(bool, placeX);
    QFETCH(bool, placeY);
    QFETCH(bool, weekList);
    QFETCH(int, rows);
    QFETCH(QString, selectorCaption);
    ScriptedPrompts prompts;
    ItemPropertiesDialog dialog(defaultsOf(category, variant), false, kContext, prompts);
    dialog.show();
    for (int p = 0; p < 3; ++p) {
        auto* frame = child<QGroupBox>(dialog, QStringLiteral("panelGroup%1").arg(p));
        QCOMPARE(frame->isVisible(), p == panel);
        QCOMPARE(frame->isEnabled(), p == panel);
    }
    QCOMPARE(child<QGroupBox>(dialog, QStringLiteral("panelGroup%1").arg(panel))->title(),
             categoryChoices()[category].caption);
    QCOMPARE(child<QGroupBox>(dialog, "horizontalPlacementGroup")->isEnabled(), placeX);
    QCOMPARE(child<QGroupBox>(dialog, "verticalPlacementGroup")->isEnabled(), placeY);
    QCOMPARE(child<QComboBox>(dialog, "calendarCombo4")->isVisible(), weekList);
    QCOMPARE(child<QComboBox>(dialog, "calendarCombo4")->isEnabled(), weekList);
    if (panel == 1) {
        QCOMPARE(child<QTreeWidget>(dialog, "calendarList")->topLevelItemCount(), rows);
        QCOMPARE(child<QLabel>(dialog, "calendarLabel3")->text(), selectorCaption);
        QCOMPARE(child<QComboBox>(dialog, "calendarCombo0")->currentData().toInt(), variant);
    }
    if (panel == 0)
        QCOMPARE(child<QLabel>(dialog, "headingStyleLabel1")->text(), selectorCaption);
    // The day-cell layout editor and the ruled-line dialog are for day kinds.
    QCOMPARE(child<QPushButton>(dialog, "contentLayoutButton")->isEnabled(), panel == 1);
    QCOMPARE(child<QPushButton>(dialog, "wholeRulesButton")->isEnabled(), panel == 1);
    QVERIFY(prompts.questions.empty());
}

void ItemDialogTests::kindChangeResets() {
    // A new item takes the new kind's defaults without a question.
    ScriptedPrompts prompts;
    LayoutItem box = defaultsOf(1, 0);
    box.Top = 40;
    ItemPropertiesDialog fresh(box, true, kContext, prompts);
    choose(child<QComboBox>(fresh, "categoryCombo"), 3);
    choose(child<QComboBox>(fresh, "calendarCombo0"), 1);
    QVERIFY(prompts.questions.empty());
    LayoutItem expected = box;
    applyNewItemDefaults(3, 3, expected, 210, 297); // weekly takes its first layout
    applyNewItemDefaults(3, 4, expected, 210, 297);
    QCOMPARE(fresh.workingCopy(), expected);
    QCOMPARE(fresh.workingCopy().Top, 40.f);

    // An existing item asks once per change; No keeps everything but the kind.
    LayoutItem year = defaultsOf(0, 0);
    year.BackColor = 0x123456;
    ItemPropertiesDialog existing(year, false, kContext, prompts);
    prompts.answers = {PromptAnswer::No};
    choose(child<QComboBox>(existing, "categoryCombo"), 2);
    QCOMPARE(prompts.questionTexts(), QStringList{"設定を初期化します。\r\nよろしいですか?"});
    LayoutItem declined = year;
    declined.Category = 2;
    QCOMPARE(existing.workingCopy(), declined);
    prompts.answers = {PromptAnswer::Yes};
    choose(child<QComboBox>(existing, "categoryCombo"), 4);
    QCOMPARE(prompts.questions.size(), 2u);
    LayoutItem reset = declined;
    applyNewItemDefaults(4, 0, reset, 210, 297);
    QCOMPARE(existing.workingCopy(), reset);

    // "初期化" always asks, with its own wording.
    prompts.answers = {PromptAnswer::No};
    existing.findChild<QPushButton*>("resetButton")->click();
    QCOMPARE(prompts.questions.back().text, QStringLiteral("初期化します。\r\nよろしいですか？"));
    QCOMPARE(existing.workingCopy(), reset);
    ItemPropertiesDialog freshReset(box, true, kContext, prompts);
    prompts.answers = {PromptAnswer::Yes};
    freshReset.findChild<QPushButton*>("resetButton")->click();
    QCOMPARE(prompts.questions.size(), 4u);
}

void ItemDialogTests::declinedLayoutChangeAdjustsRows() {
    ScriptedPrompts prompts;
    ItemPropertiesDialog dialog(defaultsOf(1, 0), false, kContext, prompts);
    auto* layout = child<QComboBox>(dialog, "calendarCombo0");
    auto* rows = child<QTreeWidget>(dialog, "calendarList");
    prompts.answers = {PromptAnswer::No, PromptAnswer::No};
    choose(layout, 2);
    QCOMPARE(rows->topLevelItemCount(), 6);
    choose(layout, 3);
    QCOMPARE(rows->topLevelItemCount(), 11);
    QCOMPARE(prompts.questions.size(), 2u);
    QTest::mouseClick(child<QPushButton>(dialog, "acceptButton"), Qt::LeftButton);
    LayoutItem expected = defaultsOf(1, 0);
    expected.LayoutVariant = 3;
    QCOMPARE(dialog.item(), expected);
}

void ItemDialogTests::controlsWriteTheirFields() {
    ScriptedPrompts prompts;
    LayoutItem weekly = defaultsOf(3, 3);
    ItemPropertiesDialog dialog(weekly, false, kContext, prompts);
    FontSpec seenFont;
    bool seenLock = false;
    dialog.setFontEditor([&](const FontSpec& font, bool locked) -> std::optional<FontSpec> {
        seenFont = font;
        seenLock = locked;
        FontSpec edited = font;
        edited.Size = 30;
        return edited;
    });
    choose(child<QComboBox>(dialog, "calendarCombo4"), 9);
    choose(child<QComboBox>(dialog, "calendarCombo3"), 25);
    choose(child<QComboBox>(dialog, "calendarCombo2"), 7);
    child<QCheckBox>(dialog, "drawRulesCheck")->click();
    QVERIFY(child<QCheckBox>(dialog, "ownNamesCheck")->isChecked());
    child<QCheckBox>(dialog, "ownNamesCheck")->click();
    auto* rows = child<QTreeWidget>(dialog, "calendarList");
    rows->setCurrentItem(rows->topLevelItem(3)); // 月②
    choose(child<QComboBox>(dialog, "yearMonthCombo"), 20);
    child<QRadioButton>(dialog, "alignmentChoice2")->click();
    rows->topLevelItem(3)->setCheckState(0, Qt::Checked);
    child<QPushButton>(dialog, "rowFontButton")->click();
    QCOMPARE(seenLock, false);
    QCOMPARE(rows->topLevelItem(3)->text(1), QStringLiteral("ＭＳ ゴシック 30Point"));
    QCOMPARE(rows->topLevelItem(3)->text(2), QStringLiteral("異名括弧付き(長月)"));
    QCOMPARE(rows->topLevelItem(3)->text(3), QStringLiteral("右寄せ"));
    rows->setCurrentItem(rows->topLevelItem(9)); // 二十四節気
    choose(child<QComboBox>(dialog, "yearMonthCombo"), 4);
    child<QPushButton>(dialog, "calendarButton12")->click();
    QCOMPARE(seenLock, true);
    QCOMPARE(seenFont, weekly.element(Day).Font);
    child<QRadioButton>(dialog, "verticalPlacementChoice2")->click();
    child<QCheckBox>(dialog, "sizeCheck0")->click();
    QVERIFY(child<QCheckBox>(dialog, "sizeCheck1")->isEnabled());
    child<QCheckBox>(dialog, "sizeCheck1")->click();
    child<QLineEdit>(dialog, "shownSizeEdit0")->setText("12.6");
    QTest::mouseClick(child<QPushButton>(dialog, "acceptButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    LayoutItem expected = weekly;
    expected.WeekRange = 9;
    expected.MonthSelector = 25;
    expected.WeekdayStyle = 7;
    ruleBlock(expected).setDrawRules(false);
    expected.element(Month2).Style = 20;
    expected.element(Month2).Shown = kTrue;
    expected.element(Month2).Font.Size = 30;
    expected.Align[Month2] = 2;
    expected.SekkiSelection = 4;
    expected.element(Day).Font.Size = 30;
    expected.VPlacement = 2;
    expected.FitToRect = kTrue;
    expected.FreeAspect = kTrue;
    expected.DesignWidth = 13;
    expected.Ext.hideOwnNames = true;
    QCOMPARE(dialog.item(), expected);
}

void ItemDialogTests::colourButtonsAndTabs() {
    ScriptedPrompts prompts;
    LayoutItem box = defaultsOf(1, 1);
    ItemPropertiesDialog dialog(box, false, kContext, prompts);
    dialog.show();
    prompts.colours = {QColor(1, 2, 3), QColor(4, 5, 6), QColor(7, 8, 9), QColor(10, 11, 12),
                       QColor(13, 14, 15)};
    child<QPushButton>(dialog, "colourButton0")->click(); // Sunday
    child<QPushButton>(dialog, "colourButton7")->click(); // holiday
    child<QTabBar>(dialog, "colourTabs")->setCurrentIndex(1);
    QVERIFY(!child<QPushButton>(dialog, "colourButton7")->isEnabled());
    QVERIFY(!child<QWidget>(dialog, "colourSwatch7")->isVisible());
    child<QPushButton>(dialog, "colourButton1")->click(); // Monday name
    child<QPushButton>(dialog, "backColourButton0")->click();
    child<QCheckBox>(dialog, "transparentCheck1")->click();
    QVERIFY(child<QPushButton>(dialog, "backColourButton3")->isEnabled());
    child<QPushButton>(dialog, "backColourButton3")->click();
    prompts.colours = {std::nullopt};
    child<QPushButton>(dialog, "colourButton6")->click(); // cancelled: nothing changes
    QCOMPARE(prompts.colourRequests.size(), 6u);
    for (const auto& request : prompts.colourRequests)
        QCOMPARE(request.title, QStringLiteral("色の選択"));
    QCOMPARE(prompts.colourRequests[0].initial, QColor(255, 0, 0)); // preset to the colour
    child<QTabBar>(dialog, "colourTabs")->setCurrentIndex(0);
    QVERIFY(child<QPushButton>(dialog, "colourButton7")->isEnabled());
    QTest::mouseClick(child<QPushButton>(dialog, "acceptButton"), Qt::LeftButton);

    LayoutItem expected = box;
    expected.DateColor[6] = 0x030201;
    expected.DateColor[8] = 0x060504;
    expected.WeekdayNameColor[0] = 0x090807;
    expected.BackColor = 0x0C0B0A;
    expected.Transparent = kTrue;
    expected.TransparentColor = 0x0F0E0D;
    QCOMPARE(dialog.item(), expected);
}

void ItemDialogTests::openOkKeepsExampleItems() {
    const QDir examples(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples"));
    int checked = 0;
    for (const QString& name : examples.entryList({"*.CLF"})) {
        const auto read = readLayoutFileContent(examples.filePath(name));
        QVERIFY2(read.content, qPrintable(name));
        for (const LayoutItem& item : read.content->items) {
            for (const bool isNew : {false, true}) {
                ScriptedPrompts prompts;
                ItemPropertiesDialog dialog(item, isNew, kContext, prompts);
                QTest::mouseClick(child<QPushButton>(dialog, "acceptButton"), Qt::LeftButton);
                QCOMPARE(dialog.result(), int(QDialog::Accepted));
                QCOMPARE(recordBytes(dialog.item()), recordBytes(item));
                QVERIFY(prompts.questions.empty() && prompts.messages.isEmpty());
                ++checked;
            }
        }
    }
    QVERIFY(checked >= 20);
}

void ItemDialogTests::openOkKeepsRandomRecords() {
    QRandomGenerator rng(20270901);
    for (int n = 0; n < 60; ++n) {
        LayoutItem item;
        RandomFields visitor{rng};
        detail::visitLayoutItem(item, visitor);
        // Mostly real kinds, sometimes none at all.
        item.Category = static_cast<std::int32_t>(rng.bounded(-1, 6));
        item.LayoutVariant = static_cast<std::int32_t>(rng.bounded(-1, 6));
        item.MonthSelector = static_cast<std::int32_t>(rng.bounded(-2, 40));
        item.Ext.hideOwnNames = n % 3 == 1;
        ScriptedPrompts prompts;
        ItemPropertiesDialog dialog(item, n % 2 == 0, kContext, prompts);
        // Walking the element list and the colour tabs is looking, not changing.
        auto* rows = child<QTreeWidget>(dialog, "calendarList");
        for (int r = 0; r < rows->topLevelItemCount(); ++r)
            rows->setCurrentItem(rows->topLevelItem(r));
        child<QTabBar>(dialog, "colourTabs")->setCurrentIndex(1);
        QTest::mouseClick(child<QPushButton>(dialog, "acceptButton"), Qt::LeftButton);
        QCOMPARE(recordBytes(dialog.item()), recordBytes(item));
        QVERIFY(dialog.item() == item);

        // The font and background-colour dialogs give their records back untouched too.
        FontSettingsDialog font(item.element(n % kElementCount).Font, n % 3 == 0, prompts, kContext.faces);
        QTest::mouseClick(child<QPushButton>(font, "okButton"), Qt::LeftButton);
        QCOMPARE(font.result(), int(QDialog::Accepted));
        QVERIFY(font.font() == item.element(n % kElementCount).Font);
        BackgroundColourDialog back(item, prompts);
        QTest::mouseClick(child<QPushButton>(back, "okButton"), Qt::LeftButton);
        QVERIFY(back.item() == item);
        QVERIFY(prompts.messages.isEmpty());
    }
}

void ItemDialogTests::cancelLeavesNoTrace() {
    ScriptedPrompts prompts;
    const LayoutItem box = defaultsOf(1, 0);
    ItemPropertiesDialog dialog(box, false, kContext, prompts);
    dialog.setFontEditor([](const FontSpec& font, bool) -> std::optional<FontSpec> {
        FontSpec edited = font;
        edited.Bold = kTrue;
        return edited;
    });
    dialog.setBackColorEditor([](const LayoutItem& item) -> std::optional<LayoutItem> {
        LayoutItem edited = item;
        edited.CellBackColor.fill(0x00FF00);
        return edited;
    });
    prompts.colours = {QColor(Qt::red)};
    prompts.answers = {PromptAnswer::Yes};
    child<QPushButton>(dialog, "calendarButton13")->click();
    child<QPushButton>(dialog, "backColourButton4")->click();
    child<QPushButton>(dialog, "backColourButton0")->click();
    choose(child<QComboBox>(dialog, "calendarCombo0"), 4);
    QVERIFY(!(dialog.workingCopy() == box));
    QTest::mouseClick(child<QPushButton>(dialog, "rejectButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(recordBytes(dialog.item()), recordBytes(box));
}

void ItemDialogTests::storedValuesNoListOffers() {
    ScriptedPrompts prompts;
    // A year heading keeps its stored placement; the group only shows it.
    LayoutItem year = defaultsOf(0, 0);
    year.HPlacement = 2;
    year.element(Year1).Style = 35; // the builder knows it, the list does not offer it
    year.MonthSelector = 30;        // a month value on a year heading
    ItemPropertiesDialog yearDialog(year, false, kContext, prompts);
    QVERIFY(child<QRadioButton>(yearDialog, "horizontalPlacementChoice2")->isChecked());
    QCOMPARE(child<QComboBox>(yearDialog, "headingStyleCombo0")->currentIndex(), -1);
    QCOMPARE(child<QComboBox>(yearDialog, "headingStyleCombo1")->currentIndex(), -1);
    QTest::mouseClick(child<QPushButton>(yearDialog, "acceptButton"), Qt::LeftButton);
    QCOMPARE(yearDialog.item(), year);

    // A month heading shows the placement it is drawn with, not its 月① alignment.
    LayoutItem month = defaultsOf(2, 0);
    month.HPlacement = 0;
    month.Align[Month1] = 1;
    month.HPlacement = 7; // no button stands for it
    ItemPropertiesDialog monthDialog(month, false, kContext, prompts);
    auto* group = child<QRadioButton>(monthDialog, "horizontalPlacementChoice0")->group();
    QCOMPARE(group->checkedId(), -1);
    QTest::mouseClick(child<QPushButton>(monthDialog, "acceptButton"), Qt::LeftButton);
    QCOMPARE(monthDialog.item().HPlacement, 7);
    month.HPlacement = 1;
    ItemPropertiesDialog centred(month, false, kContext, prompts);
    QVERIFY(child<QRadioButton>(centred, "horizontalPlacementChoice1")->isChecked());

    // An old-calendar style beyond the list is described in the element list and kept.
    LayoutItem box = defaultsOf(1, 0);
    box.OldCalendarStyle = 18;
    box.Align[OldCalendar] = 5;
    box.WeekdayStyle = 9;
    ItemPropertiesDialog boxDialog(box, false, kContext, prompts);
    auto* rows = child<QTreeWidget>(boxDialog, "calendarList");
    QCOMPARE(rows->topLevelItem(8)->text(2), QStringLiteral("(旧 閏1/1)"));
    QCOMPARE(rows->topLevelItem(8)->text(3), QString());
    rows->setCurrentItem(rows->topLevelItem(8));
    QCOMPARE(child<QComboBox>(boxDialog, "yearMonthCombo")->currentIndex(), -1);
    QCOMPARE(child<QComboBox>(boxDialog, "calendarCombo2")->currentIndex(), -1);
    QTest::mouseClick(child<QPushButton>(boxDialog, "acceptButton"), Qt::LeftButton);
    QCOMPARE(boxDialog.item(), box);
}

void ItemDialogTests::designSizeBounds_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("refused");
    QTest::newRow("rounded") << "12.6" << true << 13 << false;
    QTest::newRow("half to even") << "12.5" << true << 12 << false;
    QTest::newRow("zero") << "0" << true << 0 << false;
    QTest::newRow("largest") << "9999" << true << 9999 << false;
    QTest::newRow("not numeric is ignored") << "abc" << true << 700 << false;
    QTest::newRow("empty is ignored") << "" << true << 700 << false;
    QTest::newRow("too large") << "99999" << false << 700 << true;
    QTest::newRow("overflow") << "1e12" << false << 700 << true;
    QTest::newRow("negative") << "-5" << false << 700 << true;
}

void ItemDialogTests::designSizeBounds() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(int, stored);
    QFETCH(bool, refused);
    ScriptedPrompts prompts;
    ItemPropertiesDialog dialog(defaultsOf(1, 0), false, kContext, prompts);
    auto* width = child<QLineEdit>(dialog, "shownSizeEdit0");
    width->setText(text);
    QTest::mouseClick(child<QPushButton>(dialog, "acceptButton"), Qt::LeftButton);
    QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
    QCOMPARE(dialog.workingCopy().DesignWidth, stored);
    QCOMPARE(prompts.messages.size(), refused ? 1 : 0);
    if (refused) {
        QCOMPARE(prompts.messages.first(),
                 QStringLiteral("幅と高さには0から9999までの数値を入力してください。"));
        QCOMPARE(width->text(), QStringLiteral("700")); // the old value is back in the box
    }
}

void ItemDialogTests::picturePaths() {
    ScriptedPrompts prompts;
    LayoutItem picture = defaultsOf(4, 0);
    picture.PictureFile.setText(QStringLiteral("/pictures/old.bmp"));
    picture.DesignWidth = 320;
    picture.DesignHeight = 200;
    ItemPropertiesDialog dialog(picture, false, kContext, prompts);
    const QString longPath = QStringLiteral("/") + QString(300, QLatin1Char('a')) + ".png";
    prompts.files = {longPath, QStringLiteral("/写真/夏😀.png"), QString(),
                     QStringLiteral("/写真/山.jpg")};
    auto* browse = child<QPushButton>(dialog, "fileButton");
    for (int i = 0; i < 4; ++i)
        browse->click();
    QCOMPARE(prompts.messages,
             QStringList({"画像ファイル名は半角256文字(全角128文字)以内にしてください。",
                          "画像ファイル名にはシフトJISで表せる文字だけを使ってください。"}));
    QCOMPARE(prompts.fileDialogs.front().request.initialPath, QStringLiteral("/pictures/old.bmp"));
    const QString filter = toQtFileFilter(prompts.fileDialogs.front().request.filter);
    QCOMPARE(filter.split(";;").size(), 4);
    QVERIFY(filter.contains("ビットマップ (*.bmp *.BMP)"));
    QVERIFY(filter.contains("JPEG (*.jpg *.JPG *.jpeg *.JPEG)"));
    QCOMPARE(child<QLineEdit>(dialog, "picturePathEdit")->text(), QStringLiteral("/写真/山.jpg"));
    QTest::mouseClick(child<QPushButton>(dialog, "acceptButton"), Qt::LeftButton);
    QCOMPARE(dialog.item().PictureFile.text(), QStringLiteral("/写真/山.jpg"));
    QCOMPARE(dialog.item().PictureFile.bytes.back(), std::uint8_t(' '));
    QCOMPARE(dialog.item().DesignWidth, 0); // the new picture takes its own size
    QCOMPARE(dialog.item().DesignHeight, 0);

    // A file dropped on the name box takes the box; one the record cannot hold does not.
    ItemPropertiesDialog dropped(picture, false, kContext, prompts);
    dropped.show();
    auto* name = child<QLineEdit>(dropped, "picturePathEdit");
    for (const QString& path : {QStringLiteral("/写真/海.png"), longPath}) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(name, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(name, &drop);
    }
    QCOMPARE(name->text(), QStringLiteral("/写真/海.png"));
    QCOMPARE(prompts.messages.size(), 3);

    // The chosen picture is shown small, its shape kept; a missing one says so.
    QTemporaryDir folder;
    QImage wide(400, 100, QImage::Format_RGB32);
    wide.fill(Qt::red);
    QVERIFY(wide.save(folder.filePath(QStringLiteral("wide.png"))));
    ItemDialogContext inFolder = kContext;
    inFolder.layoutFolder = folder.path();
    LayoutItem relative = picture;
    relative.PictureFile.setText(QStringLiteral("wide.png"));
    ItemPropertiesDialog shown(relative, false, inFolder, prompts);
    auto* thumbnail = child<QLabel>(shown, "pictureThumbnail");
    QCOMPARE(thumbnail->pixmap().size(), QSize(160, 40));
    QCOMPARE(thumbnail->pixmap().toImage().pixelColor(80, 20), QColor(Qt::red));
    child<QLineEdit>(shown, "picturePathEdit")->setText(QStringLiteral("gone.png"));
    QVERIFY(thumbnail->pixmap().isNull());
    QCOMPARE(thumbnail->text(), QStringLiteral("見つかりません"));

    // A path typed into the box is checked on OK as well.
    ItemPropertiesDialog typed(picture, false, kContext, prompts);
    child<QLineEdit>(typed, "picturePathEdit")->setText(longPath);
    QTest::mouseClick(child<QPushButton>(typed, "acceptButton"), Qt::LeftButton);
    QCOMPARE(typed.result(), int(QDialog::Rejected));
    QCOMPARE(prompts.messages.size(), 4);
}

// --- font dialog --------------------------------------------------------------------------------

QTEST_MAIN(ItemDialogTests)
#include "tst_itemdialog.moc"
