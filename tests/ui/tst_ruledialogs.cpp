// The ruled-line dialog: its lines and groups per kind, the width box, the diagram, colours, that
// an unchanged OK gives the record back, and the dialog opened from the property dialog.
#include "ItemDialogSupport.h"
#include "ScriptedPrompts.h"
#include "TestLayouts.h"
#include "bitmap/RecordingCanvas.h"
#include "document/LayoutFile.h"
#include "render/DayTextBuilders.h"
#include "render/NewItemDefaults.h"
#include "render/PreviewTarget.h"
#include "render/RenderFrame.h"
#include "render/RuleBlock.h"
#include "ui/dialogs/ContentAreaView.h"
#include "ui/dialogs/RuleDiagram.h"
#include "ui/dialogs/RuleDialogRules.h"
#include "ui/dialogs/ItemPropertiesDialog.h"
#include "ui/dialogs/BackgroundColourDialog.h"
#include "ui/dialogs/FontSettingsDialog.h"
#include "ui/dialogs/DayCellLayoutDialog.h"
#include "ui/dialogs/RuledLinesDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace itemdialogtest;

class RuleDialogTests : public QObject {
    Q_OBJECT
private slots:
    void ruleLinesPerKind_data();
    void ruleLinesPerKind();
    void ruleGroups();
    void ruleWidthBox();
    void ruleDiagramPicksAndToggles();
    void ruleColour();
    void ruleDialogIdentity();
    void ruleDialogFromPropertyDialog();
};

void RuleDialogTests::ruleLinesPerKind_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("variant");
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("groupButtons");
    const int lines[] = {0, 17, 16, 16, 6, 6, 0, 6, 6, 0};
    const int groups[] = {0, 8, 8, 8, 4, 4, 0, 4, 4, 0};
    for (std::size_t i = 0; i < kKinds.size(); ++i)
        QTest::newRow(kKinds[i].name)
            << kKinds[i].category << kKinds[i].variant << lines[i] << groups[i];
}

void RuleDialogTests::ruleLinesPerKind() {
    QFETCH(int, category);
    QFETCH(int, variant);
    QFETCH(int, lines);
    QFETCH(int, groupButtons);
    const LayoutItem item = defaultsOf(category, variant);
    QCOMPARE(ruleLineCount(item), lines);
    ScriptedPrompts prompts;
    RuledLinesDialog dialog(item, prompts);
    auto* list = child<QComboBox>(dialog, "ruleNumberCombo");
    QCOMPARE(list->count(), lines);
    if (lines > 0) {
        QCOMPARE(list->itemText(0), QStringLiteral("①"));
        QCOMPARE(list->itemText(lines - 1), ruleNumberLabel(lines - 1));
    }
    if (lines == 17)
        QCOMPARE(list->itemText(16), QStringLiteral("⑰"));
    if (lines == 16)
        QCOMPARE(list->itemText(15), QStringLiteral("⑯"));
    // Every offered line can be picked in the diagram by its number, and no other.
    for (int e = 0; e < 17; ++e) {
        const QRectF label = dialog.diagram()->labelRect(e);
        QCOMPARE(label.isEmpty(), e >= lines);
        if (e < lines)
            QCOMPARE(dialog.diagram()->entryAt(label.center()), e);
    }
    for (int b = 0; b < 8; ++b) {
        auto* button = child<QPushButton>(dialog, QStringLiteral("ruleChoiceButton_%1").arg(b));
        QCOMPARE(button->isEnabled(), b < groupButtons);
        QCOMPARE(button->isVisibleTo(&dialog), b < groupButtons);
    }
}

void RuleDialogTests::ruleGroups() {
    QCOMPARE(ruleGroupCaptions(RuleFamily::MonthBox),
             QStringList({"年表示領域を描画する", "年表示領域を描画しない", "月表示領域を描画する",
                          "月表示領域を描画しない", "外枠を描画する", "外枠を描画しない",
                          "内線を描画する", "内線を描画しない"}));
    QCOMPARE(
        ruleGroupCaptions(RuleFamily::List),
        QStringList({"外枠を描画する", "外枠を描画しない", "内線を描画する", "内線を描画しない"}));

    LayoutItem box = defaultsOf(1, 0);
    RuleBlockWriter rules = ruleBlock(box);
    for (int e = 0; e < kRuleEntryCount; ++e)
        rules.setRuleOn(e, true);
    // "内線を描画しない" also clears the line under the year band; "月表示領域を描画する" sets it.
    applyRuleGroup(box, 7);
    for (int e = 0; e <= 16; ++e)
        QCOMPARE(rules.ruleOn(e), !(e == 8 || e == 9 || (e >= 11 && e <= 14) || e == 16));
    applyRuleGroup(box, 2);
    QVERIFY(rules.ruleOn(RuleUnderYear));
    applyRuleGroup(box, 1);
    QVERIFY(!rules.ruleOn(0) && !rules.ruleOn(4) && !rules.ruleOn(10));
    applyRuleGroup(box, 5);
    for (int e : {0, 1, 2, 3, 4, 5, 6, 7, 10, 15})
        QVERIFY(!rules.ruleOn(e));
    QVERIFY(rules.ruleOn(17)); // entries the dialog does not offer stay as they were

    // The six-row box has no diagonal to switch.
    LayoutItem six = defaultsOf(1, 1);
    ruleBlock(six).setRuleOn(RuleDiagonal, true);
    applyRuleGroup(six, 7);
    QVERIFY(ruleBlock(six).ruleOn(RuleDiagonal));

    LayoutItem list = defaultsOf(3, 4);
    applyRuleGroup(list, 1);
    applyRuleGroup(list, 2);
    for (int e = 0; e < 6; ++e)
        QCOMPARE(ruleBlock(list).ruleOn(e), e == 2 || e == 4);
    QVERIFY(ruleGroupEntries(list, 4).empty());

    // The buttons do the same in the dialog and show the picked entry's new state.
    ScriptedPrompts prompts;
    RuledLinesDialog dialog(defaultsOf(1, 0), prompts);
    child<QPushButton>(dialog, "ruleChoiceButton_5")->click();
    QVERIFY(!child<QCheckBox>(dialog, "lineCheck")->isChecked());
    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    QVERIFY(!ruleBlock(dialog.item()).ruleOn(RuleLeftYear));
    QVERIFY(!ruleBlock(dialog.item()).ruleOn(RuleBottom));
}

void RuleDialogTests::ruleWidthBox() {
    QCOMPARE(ruleWidthText(3), QStringLiteral("3"));
    QCOMPARE(ruleWidthText(12), QStringLiteral("1"));
    QCOMPARE(ruleWidthText(0), QStringLiteral("1"));
    QCOMPARE(typedRuleWidth(QStringLiteral(" 5 ")), std::optional<std::int16_t>(5));
    QCOMPARE(typedRuleWidth(QStringLiteral("9")), std::optional<std::int16_t>(9));
    for (const char* refused : {"0", "10", "20", "x", "", "-1", "1.5"})
        QVERIFY2(!typedRuleWidth(QString::fromLatin1(refused)), refused);

    LayoutItem item = defaultsOf(1, 3);
    ruleBlock(item).setRuleWidth(0, 3);
    ruleBlock(item).setRuleWidth(2, 12);
    ScriptedPrompts prompts;
    RuledLinesDialog dialog(item, prompts);
    auto* width = child<QLineEdit>(dialog, "picturePathEdit");
    QCOMPARE(width->text(), QStringLiteral("3"));
    // Picking an entry with a width the box cannot show shows "1" but stores nothing.
    auto* list = child<QComboBox>(dialog, "ruleNumberCombo");
    list->setCurrentIndex(2);
    emit list->activated(2);
    QCOMPARE(width->text(), QStringLiteral("1"));
    // Typed widths are taken; "2" then "0" cannot make 20.
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("20"));
    QCOMPARE(width->text(), QStringLiteral("2"));
    width->selectAll();
    QTest::keyClick(width, Qt::Key_Backspace); // an empty box stores nothing either
    list->setCurrentIndex(1);
    emit list->activated(1);
    QCOMPARE(width->text(), QStringLiteral("1"));
    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    const RuleBlockReader rules = ruleBlock(dialog.item());
    QCOMPARE(rules.ruleWidth(0), std::int16_t(3));
    QCOMPARE(rules.ruleWidth(1), ruleBlock(item).ruleWidth(1));
    QCOMPARE(rules.ruleWidth(2), std::int16_t(2));
}

void RuleDialogTests::ruleDiagramPicksAndToggles() {
    for (const Kind kind : {kKinds[1], kKinds[4]}) {
        const LayoutItem item = defaultsOf(kind.category, kind.variant);
        ScriptedPrompts prompts;
        RuledLinesDialog dialog(item, prompts);
        RuleDiagram* diagram = dialog.diagram();
        auto* list = child<QComboBox>(dialog, "ruleNumberCombo");
        const int last = ruleLineCount(item) - 1;
        clickOn(diagram, diagram->pointOnLine(last));
        QCOMPARE(dialog.selectedEntry(), last);
        QCOMPARE(list->currentIndex(), last);
        clickOn(diagram, diagram->labelRect(1).center());
        QCOMPARE(dialog.selectedEntry(), 1);
        // A double click on a line toggles its entry; a click on empty space changes nothing.
        const bool wasOn = ruleBlock(item).ruleOn(1);
        clickOn(diagram, diagram->pointOnLine(1), true);
        QCOMPARE(child<QCheckBox>(dialog, "lineCheck")->isChecked(), !wasOn);
        QCOMPARE(diagram->entryAt(QPointF(2, 2)), -1);
        clickOn(diagram, QPointF(2, 2));
        QCOMPARE(dialog.selectedEntry(), 1);
        child<QCheckBox>(dialog, "lineCheck")->click();
        clickOn(diagram, diagram->labelRect(0).center(), true);
        QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(ruleBlock(dialog.item()).ruleOn(1), wasOn);
        QCOMPARE(ruleBlock(dialog.item()).ruleOn(0), !ruleBlock(item).ruleOn(0));
    }
}

void RuleDialogTests::ruleColour() {
    const LayoutItem item = defaultsOf(1, 1);
    ScriptedPrompts prompts;
    prompts.colours = {std::nullopt, QColor(0x12, 0x34, 0x56)};
    RuledLinesDialog dialog(item, prompts);
    auto* list = child<QComboBox>(dialog, "ruleNumberCombo");
    list->setCurrentIndex(RuleBottom);
    emit list->activated(RuleBottom);
    child<QPushButton>(dialog, "colourButton")->click(); // cancelled: nothing changes
    child<QPushButton>(dialog, "colourButton")->click();
    QCOMPARE(prompts.colourRequests.size(), std::size_t(2));
    QCOMPARE(prompts.colourRequests[0].initial, QColor(0, 0, 0));
    QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    LayoutItem expected = item;
    ruleBlock(expected).setRuleColor(RuleBottom, 0x563412);
    QCOMPARE(recordBytes(dialog.item()), recordBytes(expected));
}

void RuleDialogTests::ruleDialogIdentity() {
    for (const Kind& kind : kKinds) {
        LayoutItem item = defaultsOf(kind.category, kind.variant);
        ruleBlock(item).setRuleWidth(3, 40); // outside the box's range: must survive OK
        ruleBlock(item).setRuleOn(4, true);
        item.RuleBlock[6 + 2 * 4] = 1; // "on" stored as 1 by another program
        ScriptedPrompts prompts;
        {
            RuledLinesDialog dialog(item, prompts);
            for (int e = 0; e < ruleLineCount(item); ++e) {
                auto* list = child<QComboBox>(dialog, "ruleNumberCombo");
                list->setCurrentIndex(e);
                emit list->activated(e);
            }
            QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY2(recordBytes(dialog.item()) == recordBytes(item), kind.name);
        }
        if (ruleLineCount(item) == 0)
            continue;
        prompts.colours = {QColor(1, 2, 3)};
        RuledLinesDialog dialog(item, prompts);
        for (int b = 0; b < 4; ++b)
            child<QPushButton>(dialog, QStringLiteral("ruleChoiceButton_%1").arg(b))->click();
        child<QCheckBox>(dialog, "lineCheck")->click();
        child<QPushButton>(dialog, "colourButton")->click();
        QTest::keyClicks(child<QLineEdit>(dialog, "picturePathEdit"), QStringLiteral("7"));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY2(recordBytes(dialog.item()) == recordBytes(item), kind.name);
    }
}

void RuleDialogTests::ruleDialogFromPropertyDialog() {
    for (const Kind& kind : kKinds) {
        const LayoutItem item = defaultsOf(kind.category, kind.variant);
        ScriptedPrompts prompts;
        ItemPropertiesDialog dialog(item, false, kContext, prompts);
        auto* button = child<QPushButton>(dialog, "wholeRulesButton");
        const bool dayKind = kind.category == 1 || kind.category == 3;
        QCOMPARE(button->isEnabled(), dayKind);
        if (!dayKind)
            continue;
        int opened = 0;
        dialog.setRuleEditor([&](const LayoutItem& record) -> std::optional<LayoutItem> {
            ++opened;
            if (opened == 1)
                return std::nullopt;
            LayoutItem edited = record;
            ruleBlock(edited).setRuleColor(2, 0x0000FF);
            edited.DesignWidth += 1; // only the ruled-line table is taken back
            return edited;
        });
        button->click();
        QCOMPARE(recordBytes(dialog.workingCopy()), recordBytes(item));
        button->click();
        QCOMPARE(opened, 2);
        QTest::mouseClick(child<QPushButton>(dialog, "acceptButton"), Qt::LeftButton);
        LayoutItem expected = item;
        ruleBlock(expected).setRuleColor(2, 0x0000FF);
        QVERIFY2(recordBytes(dialog.item()) == recordBytes(expected), kind.name);
    }
}

// ---- day-cell content layout editor --------------------------------------------------------

QTEST_MAIN(RuleDialogTests)
#include "tst_ruledialogs.moc"
