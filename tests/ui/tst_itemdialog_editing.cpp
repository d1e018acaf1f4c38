// Items made and edited through the property dialog in the main window: every kind added, the
// week start offered, text items saved and read back, and one undo step per confirmed change.
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
    void everyKindAddedThroughTheDialog();
    void weekStartOfferedWhereWeeksCount();
    void textItemMadeSavedAndReadBack();
    void editingIsOneStepWithLabels();
    void cancelAndUnchangedOkLeaveNoStep();
};

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
#include "tst_itemdialog_editing.moc"
