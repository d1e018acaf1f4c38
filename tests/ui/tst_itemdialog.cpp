// The item property dialog, its font dialog and the background-colour dialog: list contents,
// what each kind shows, the reset questions, and that a record survives open + OK untouched.
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

using namespace tobirae;
using namespace std::chrono;

namespace {

const ItemDialogContext kContext{
    210,
    297,
    year{2027} / September / 1,
    {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAGothic")},
    {}};

LayoutItem defaultsOf(int category, int variant) {
    LayoutItem item;
    item.Live = kTrue;
    applyNewItemDefaults(category, variant, item, 210, 297);
    return item;
}

template <class T> T* child(QObject& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (!found)
        qFatal("no child %s", qPrintable(name));
    return found;
}

void choose(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

QStringList captions(const QList<StyleChoice>& choices) {
    QStringList list;
    for (const StyleChoice& c : choices)
        list << c.caption;
    return list;
}

QStringList comboTexts(QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

QByteArray recordBytes(const LayoutItem& item) {
    LayoutFileContent content;
    content.items.push_back(item);
    return serializeLayout(content);
}

// Fills every field of a record with random values, texts with random printable bytes.
struct RandomFields {
    QRandomGenerator& rng;
    template <class T> void field(const char*, T& value) {
        if constexpr (std::is_integral_v<T>)
            value = static_cast<T>(rng.generate());
        else if constexpr (std::is_floating_point_v<T>)
            value = static_cast<T>(rng.bounded(2000.0));
        else if constexpr (std::is_same_v<T, QByteArray>)
            value.clear(); // STR fields are never set by the program
        else
            randomArray(value);
    }
    template <std::size_t N> void randomArray(FixedText<N>& text) {
        for (auto& b : text.bytes)
            b = static_cast<std::uint8_t>(rng.bounded(0x20, 0x7F));
        if (rng.bounded(3) == 0) // sometimes a never-assigned field
            text.bytes.fill(0);
    }
    template <class E, std::size_t N> void randomArray(std::array<E, N>& values) {
        for (auto& v : values)
            v = static_cast<E>(rng.generate());
    }
    void begin(const char*) {}
    void end() {}
};

using test::Kind;
using test::kKinds;

} // namespace

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

    void fontDialogOpening();
    void fontDialogEditing();
    void fontDialogLabelsAndLargeSample();
    void fontDialogRefusals_data();
    void fontDialogRefusals();
    void faceMatching_data();
    void faceMatching();

    void backColourRegions();
    void backColourMonthBox();

    void everyKindAddedThroughTheDialog();
    void weekStartOfferedWhereWeeksCount();
    void textItemMadeSavedAndReadBack();
    void editingIsOneStepWithLabels();
    void cancelAndUnchangedOkLeaveNoStep();
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

namespace {

// Chooses a kind as a person does: the category, then the layout.
void chooseKind(ItemPropertiesDialog& dialog, int category, int variant) {
    choose(child<QComboBox>(dialog, "categoryCombo"), category);
    auto* layout = child<QComboBox>(dialog, "calendarCombo0");
    if (const int index = layout->findData(variant); index > 0)
        choose(layout, index);
}

QStringList listTexts(MainWindow& w) {
    QStringList texts;
    for (int i = 0; i < w.sidePanel().itemList()->count(); ++i)
        texts << w.sidePanel().itemList()->itemText(i);
    for (int i = 0; i < w.sidePanel().drawingOrderList()->count(); ++i)
        texts << w.sidePanel().drawingOrderList()->item(i)->text();
    return texts;
}

} // namespace

void ItemDialogTests::everyKindAddedThroughTheDialog() {
    test::MainWindowFixture f;
    MainWindow& w = f.start();
    w.editor().setOutputMonth(2005, 3);
    const QString picture = QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/mountains.png");
    for (const Kind& kind : kKinds) {
        f.dialogScripts.push_back([&](ItemPropertiesDialog& dialog) {
            chooseKind(dialog, kind.category, kind.variant);
            if (kind.category == CategoryPicture)
                child<QLineEdit>(dialog, "picturePathEdit")->setText(picture);
            child<QPushButton>(dialog, "acceptButton")->click();
        });
        QVERIFY(w.items().addItemFromDialog());
    }
    QVERIFY(f.prompts.questions.empty()); // new items change kind without a question
    QCOMPARE(w.editor().undoStack().count(), 10);
    QCOMPARE(w.sidePanel().itemList()->count(), 10);
    QCOMPARE(listTexts(w).mid(0, 10),
             QStringList({" 1 年表示", " 2 月Box5段", " 3 月Box6段", " 4 月BoxMini", " 5 1ヶ月縦",
                          " 6 1ヶ月横", " 7 月表示", " 8 週単位縦", " 9 週単位横", "10 画像表示"}));
    for (const int slot : w.document().liveSlotsInDrawingOrder()) {
        const LayoutItem& item = w.document().item(slot);
        LayoutItem defaults;
        applyNewItemDefaults(item.Category, item.LayoutVariant, defaults, 210, 297);
        if (item.Category != CategoryPicture) // a picture's design frame follows the picture
            QCOMPARE(item.DesignWidth, defaults.DesignWidth);
        QVERIFY(w.itemView(slot)->isVisible());
    }

    // The saved layout draws on the command line exactly as the editor exports it.
    f.prompts.files = {f.path("kinds.CLF"), f.path("editor.bmp")};
    QVERIFY(w.files().saveLayoutAs());
    QVERIFY(w.exports().exportPageBitmap());
    QCOMPARE(f.prompts.messages, QStringList({"作成しました。"}));
#ifdef TOBIRAE_CLI
    QProcess cli;
    cli.start(QStringLiteral(TOBIRAE_CLI), {"render", f.path("kinds.CLF"), "--year", "2005",
                                            "--month", "3", "-o", f.path("cli.bmp")});
    QVERIFY(cli.waitForFinished(120000));
    QCOMPARE(cli.exitCode(), 0);
    const QByteArray editorBytes = test::fileBytes(f.path("editor.bmp"));
    QVERIFY(editorBytes.size() > 1000);
    QVERIFY(editorBytes == test::fileBytes(f.path("cli.bmp")));
#endif
}

void ItemDialogTests::weekStartOfferedWhereWeeksCount() {
    const struct {
        int category, variant;
        bool offered;
    } kinds[] = {{1, VariantBox5, true},        {1, VariantBox6, true},
                 {1, VariantBoxMini, true},     {1, VariantVertical, false},
                 {1, VariantHorizontal, false}, {3, VariantVertical, true},
                 {3, VariantHorizontal, true}};
    for (const auto& kind : kinds) {
        ScriptedPrompts prompts;
        ItemPropertiesDialog dialog(defaultsOf(kind.category, kind.variant), false, kContext, prompts);
        auto* weekStart = child<QComboBox>(dialog, "calendarCombo1");
        QCOMPARE(comboTexts(weekStart), QStringList({"日曜", "月曜"}));
        QCOMPARE(weekStart->currentIndex(), 0);
        QCOMPARE(weekStart->isEnabled(), kind.offered);
    }
    ScriptedPrompts prompts;
    const LayoutItem box = defaultsOf(1, VariantBox5);
    ItemPropertiesDialog dialog(box, false, kContext, prompts);
    choose(child<QComboBox>(dialog, "calendarCombo1"), 1);
    child<QPushButton>(dialog, "acceptButton")->click();
    LayoutItem expected = box;
    expected.Ext.weekStart = WeekStart::Monday;
    QCOMPARE(dialog.item(), expected);
}

void ItemDialogTests::textItemMadeSavedAndReadBack() {
    test::MainWindowFixture f;
    MainWindow& w = f.start();
    w.editor().setOutputMonth(2028, 2);
    f.dialogScripts.push_back([](ItemPropertiesDialog& dialog) {
        choose(child<QComboBox>(dialog, "categoryCombo"), CategoryText);
        QVERIFY(child<QGroupBox>(dialog, "panelGroup3")->isEnabled());
        child<QPlainTextEdit>(dialog, "textEdit")->setPlainText("{和暦年度} 年間行事\n総務部");
        child<QCheckBox>(dialog, "textBackgroundCheck")->click();
        child<QRadioButton>(dialog, "horizontalPlacementChoice1")->click();
        child<QPushButton>(dialog, "acceptButton")->click();
    });
    QVERIFY(w.items().addItemFromDialog());
    f.dialogScripts.push_back([](ItemPropertiesDialog& dialog) {
        chooseKind(dialog, CategoryMonthFamily, VariantBox5);
        choose(child<QComboBox>(dialog, "calendarCombo1"), 1);
        child<QPushButton>(dialog, "acceptButton")->click();
    });
    QVERIFY(w.items().addItemFromDialog());
    QCOMPARE(listTexts(w).mid(0, 2), QStringList({" 1 テキスト", " 2 月Box5段"}));
    const int textSlot = w.document().liveSlotsInDrawingOrder().front();
    const LayoutItem text = w.document().item(textSlot);
    QCOMPARE(text.Ext.text, QStringLiteral("{和暦年度} 年間行事\n総務部"));
    QVERIFY(text.Ext.textBackground);
    QCOMPARE(text.HPlacement, 1);
    QVERIFY(text.Width > 100); // a text item keeps its own size, not a design frame's

    f.prompts.files = {f.path("year.CLF")};
    QVERIFY(w.files().saveLayoutAs());
    const LayoutParseResult saved = readLayoutFileContent(f.path("year.CLF"));
    QVERIFY(saved.content);
    QCOMPARE(saved.content->header.ItemCount, 1); // other readers see the month box only
    QCOMPARE(saved.content->items.size(), std::size_t(2));
    QCOMPARE(saved.content->items[0].Ext.text, text.Ext.text);
    QCOMPARE(saved.content->items[1].Ext.weekStart, WeekStart::Monday);

    // Undo takes the month box away; the text item stays with its text.
    w.editor().undoStack().undo();
    QCOMPARE(w.document().liveCount(), 1);
    QCOMPARE(w.document().item(textSlot).Ext.text, text.Ext.text);

    // A damaged extension: the fixed part is read, the user is told, and saving over asks.
    QByteArray bytes = test::fileBytes(f.path("year.CLF"));
    bytes[bytes.size() - 2] = char(bytes.at(bytes.size() - 2) ^ 0x55);
    QFile damaged(f.path("damaged.CLF"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(bytes);
    damaged.close();
    f.prompts.messages.clear();
    f.prompts.answers = {PromptAnswer::No};
    QVERIFY(w.files().openLayout(f.path("damaged.CLF")));
    QCOMPARE(w.document().liveCount(), 1);
    QCOMPARE(f.prompts.messages.size(), 1);
    QVERIFY(f.prompts.messages.front().contains("壊れて"));
    f.prompts.files = {f.path("damaged.CLF")};
    QVERIFY(!w.files().saveLayoutAs());
    QCOMPARE(test::fileBytes(f.path("damaged.CLF")), bytes);
}

void ItemDialogTests::editingIsOneStepWithLabels() {
    test::MainWindowFixture f;
    QVERIFY(
        test::writeTestLayout(f.path("a.CLF"), {{CategoryYear, 0, 20, 20, 12},
                                                {CategoryMonthFamily, VariantBox5, 40, 200, 12}}));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    const LayoutItem before = w.document().item(1);
    const QStringList labelsBefore = listTexts(w);
    QCOMPARE(labelsBefore, QStringList({" 1 年表示", " 2 月Box5段", " 1 年表示", " 2 月Box5段"}));

    // A double click opens the dialog; a change of kind answered with Yes resets the item.
    f.dialogScripts.push_back([](ItemPropertiesDialog& dialog) {
        chooseKind(dialog, CategoryWeekly, VariantHorizontal);
        child<QPushButton>(dialog, "acceptButton")->click();
    });
    f.prompts.answers = {PromptAnswer::Yes, PromptAnswer::Yes};
    QWidget* viewport = w.canvasView()->viewport();
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier,
                       w.canvasView()->mapFromScene(QPointF(60, 220)));
    QCOMPARE(f.dialogsOpened, 1);
    QCOMPARE(w.editor().undoStack().count(), 1);
    QCOMPARE(w.editor().undoStack().undoText(), QStringLiteral("詳細設定の変更"));
    const LayoutItem after = w.document().item(1);
    QCOMPARE(after.Category, int(CategoryWeekly));
    QCOMPARE(after.LayoutVariant, int(VariantHorizontal));
    const QStringList labelsAfter{" 1 年表示", " 2 週単位横", " 1 年表示", " 2 週単位横"};
    QCOMPARE(listTexts(w), labelsAfter);

    w.menus().undo->trigger();
    QCOMPARE(w.document().item(1), before);
    QCOMPARE(listTexts(w), labelsBefore);
    w.menus().redo->trigger();
    QCOMPARE(w.document().item(1), after);
    QCOMPARE(listTexts(w), labelsAfter);

    // Enter on the current item opens it too.
    f.dialogScripts.push_back([](ItemPropertiesDialog& dialog) {
        child<QCheckBox>(dialog, "sizeCheck0")->click();
        child<QPushButton>(dialog, "acceptButton")->click();
    });
    QTest::keyClick(viewport, Qt::Key_Return);
    QCOMPARE(f.dialogsOpened, 2);
    QCOMPARE(w.editor().undoStack().count(), 2);
    QVERIFY(isTrue(w.document().item(1).FitToRect));
}

void ItemDialogTests::cancelAndUnchangedOkLeaveNoStep() {
    test::MainWindowFixture f;
    QVERIFY(test::writeTestLayout(f.path("a.CLF"), {{CategoryMonthDisplay, 0, 20, 20, 12}}));
    MainWindow& w = f.start();
    QVERIFY(w.files().openLayout(f.path("a.CLF")));
    const LayoutItem before = w.document().item(0);
    f.dialogScripts.push_back([&](ItemPropertiesDialog& dialog) {
        f.prompts.answers = {PromptAnswer::Yes};
        chooseKind(dialog, CategoryPicture, 0);
        child<QPushButton>(dialog, "rejectButton")->click();
    });
    f.dialogScripts.push_back([](ItemPropertiesDialog&) {}); // closed without a button: cancelled
    w.items().openItemProperties(0);
    w.items().openItemProperties(0);
    w.items().openItemProperties(0); // OK without a change
    QCOMPARE(f.dialogsOpened, 3);
    QCOMPARE(w.document().item(0), before);
    QCOMPARE(w.editor().undoStack().count(), 0);

    // A cancelled add leaves document and history alone; add + OK is one step.
    f.dialogScripts.push_back([](ItemPropertiesDialog& dialog) {
        chooseKind(dialog, CategoryMonthFamily, VariantBoxMini);
        dialog.reject();
    });
    QVERIFY(!w.items().addItemFromDialog());
    QCOMPARE(w.document().liveCount(), 1);
    QCOMPARE(w.editor().undoStack().count(), 0);
    f.dialogScripts.push_back([](ItemPropertiesDialog& dialog) {
        chooseKind(dialog, CategoryMonthFamily, VariantBoxMini);
        child<QPushButton>(dialog, "acceptButton")->click();
    });
    QVERIFY(w.items().addItemFromDialog());
    QCOMPARE(w.editor().undoStack().count(), 1);
    QCOMPARE(w.sidePanel().itemList()->itemText(1), QStringLiteral(" 2 月BoxMini"));
    w.menus().undo->trigger();
    QCOMPARE(w.document().liveCount(), 1);
}

QTEST_MAIN(ItemDialogTests)
#include "tst_itemdialog.moc"
