// The day-cell content layout editor: the rules behind it, what each kind shows, keys and mouse,
// that what it hands back reaches the item (and nothing else), and dialogs that fit a laptop.
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

class DayCellDialogTests : public QObject {
    Q_OBJECT
private slots:
    void contentAreasPerKind_data();
    void contentAreasPerKind();
    void contentRules();
    void contentEditorIdentity();
    void contentKeysAndMouse();
    void contentLocksAndSnapping();
    void contentDividingLines();
    void contentResetAndRules();
    void contentEditorFromPropertyDialog();
    void contentExtraElementsAndWeekNumbers();
    void movedBoxIsWhereThePageDraws();

    void dialogsFitALaptop_data();
    void dialogsFitALaptop();
};

namespace {

// Every element shown, so every box the kind has is there.
LayoutItem allShown(int category, int variant) {
    LayoutItem item = defaultsOf(category, variant);
    for (int k = 0; k < kElementCount; ++k)
        item.element(k).Shown = kTrue;
    return item;
}

const ContentEditorContext kEditorContext{year{2027} / September / 1, {}};

int boxIndex(ContentAreaView* view, int element, BoxSlot slot = BoxSlot::Normal) {
    const auto& boxes = view->boxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        if (boxes[i].key == ContentBoxKey{element, slot})
            return static_cast<int>(i);
    qFatal("no box for element %d", element);
    return -1;
}

QPoint boxPosition(ContentAreaView* view, int box) {
    return view->boxes()[static_cast<std::size_t>(box)].position;
}

// Triggers the entry of the popup menu that the next right click opens.
void chooseFromPopup(const QString& entry) {
    QTimer::singleShot(0, [entry] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            qFatal("no popup");
        for (QAction* action : menu->actions())
            if (action->text() == entry)
                action->trigger();
        menu->close();
    });
}

void dragMouse(QWidget* widget, QPoint from, QPoint to) {
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(to), widget->mapToGlobal(QPointF(to)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}

// The texts an item draws on a screen view of its own size for September 2027.
std::vector<DrawCall> drawnTexts(const LayoutItem& item) {
    struct View final : PreviewTarget {
        QSize size_;
        RecordingCanvas canvas_;
        explicit View(QSize s) : size_(s), canvas_(s.width(), s.height()) {}
        QSize size() const override { return size_; }
        void resize(QSize s) {
            size_ = s;
            canvas_ = RecordingCanvas(s.width(), s.height());
        }
        Canvas* canvas() override { return &canvas_; }
        void clear(Colour) override { canvas_.clearCalls(); }
    };
    RenderContext ctx;
    useRecordingSurfaces(ctx);
    View view(QSize(static_cast<int>(item.Width) + 4, static_cast<int>(item.Height) + 4));
    DateRange range = pageDateRange(2027, 9);
    if (!drawLayoutItem(ctx, item, &view, range, DrawSurface{}, 0, 0))
        qFatal("drawing failed");
    return view.canvas_.texts();
}

} // namespace

void DayCellDialogTests::contentAreasPerKind_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("variant");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<int>("dayBoxes");
    QTest::addColumn<QStringList>("locks"); // lock entries of the day area's popup
    const QStringList none;
    const QStringList h{"左右中央ロック"};
    const QStringList v{"上下中央ロック"};
    QTest::newRow("year") << 0 << 0 << none << 0 << none;
    QTest::newRow("box5") << 1 << 0 << QStringList{"年月設定", "日付設定①", "日付設定②"} << 9 << h;
    QTest::newRow("box6") << 1 << 1 << QStringList{"年月設定", "日付設定"} << 9 << h;
    QTest::newRow("mini") << 1 << 2 << QStringList{"年月設定", "日付設定"} << 6 << none;
    QTest::newRow("list vertical") << 1 << 3 << QStringList{"日付設定"} << 16 << v;
    QTest::newRow("list horizontal") << 1 << 4 << QStringList{"日付設定"} << 16 << h;
    QTest::newRow("month") << 2 << 0 << none << 0 << none;
    QTest::newRow("weekly vertical") << 3 << 3 << QStringList{"日付設定"} << 16 << v;
    QTest::newRow("weekly horizontal") << 3 << 4 << QStringList{"日付設定"} << 16 << h;
    QTest::newRow("picture") << 4 << 0 << none << 0 << none;
}

void DayCellDialogTests::contentAreasPerKind() {
    QFETCH(int, category);
    QFETCH(int, variant);
    QFETCH(QStringList, labels);
    QFETCH(int, dayBoxes);
    QFETCH(QStringList, locks);
    QStringList shownLabels;
    for (ContentArea area : contentAreas(category, variant))
        shownLabels << contentAreaLabel(area, variant);
    QCOMPARE(shownLabels, labels);
    if (dayBoxes == 0)
        return;
    QCOMPARE(static_cast<int>(contentBoxesOf(ContentArea::Day, category, variant).size()),
             dayBoxes);
    QStringList lockTexts;
    for (LockAxis axis : lockChoices(ContentArea::Day, category, variant))
        lockTexts << (axis == LockAxis::Horizontal ? "左右中央ロック" : "上下中央ロック");
    QCOMPARE(lockTexts, locks);

    // Every shown element has a box and a picker entry; a hidden one neither.
    LayoutItem item = allShown(category, variant);
    item.element(Eto).Shown = kFalse;
    for (ContentElement& e : item.ExtraElements)
        e.Shown = kTrue; // boxes only where the kind prints them
    ScriptedPrompts prompts;
    DayCellLayoutDialog editor(item, kEditorContext, prompts);
    ContentAreaView* day = editor.areaView(ContentArea::Day);
    QVERIFY(day);
    QCOMPARE(static_cast<int>(day->boxes().size()), dayBoxes - 1);
    QCOMPARE(editor.picker(ContentArea::Day)->count(), dayBoxes - 1);
    QCOMPARE(editor.picker(ContentArea::Day)->findText("干支"), -1);
    const bool list = variant >= 3;
    QCOMPARE(editor.picker(ContentArea::Day)->findText("曜日") >= 0, list);
    QCOMPARE(editor.picker(ContentArea::Day)->findText("年①") >= 0, list);
    QCOMPARE(editor.areaView(ContentArea::Heading) != nullptr, !list);
    if (ContentAreaView* second = editor.areaView(ContentArea::SecondDay)) {
        // 干支 hidden in both halves; 選日, 月齢 and the moon phase after them.
        QCOMPARE(second->boxes().size(), std::size_t(16));
        QCOMPARE(editor.picker(ContentArea::SecondDay)->itemText(0), QStringLiteral("日(上段)"));
        QCOMPARE(editor.picker(ContentArea::SecondDay)->itemData(5).toInt(), 19);
        QCOMPARE(second->boxes()[5].tooltip, QStringLiteral("日(下段)の数字です。"));
    }
    QCOMPARE(child<QPushButton>(editor, "addLineButton0")->isVisibleTo(&editor), list);
    QCOMPARE(day->boxes()[static_cast<std::size_t>(boxIndex(day, Holiday))].tooltip,
             QStringLiteral("祝日です。"));
    // Boxes are the renderer's measure of the sample in the element's font.
    RenderContext ctx;
    selectFont(ctx, item.element(OldCalendar).Font);
    const TextExtent sample =
        measureScaledText(ctx, nullptr, 1, oldDateSample(item.OldCalendarStyle));
    QCOMPARE(day->boxes()[static_cast<std::size_t>(boxIndex(day, OldCalendar))].size,
             QSize(sample.width, sample.height));
}

void DayCellDialogTests::contentRules() {
    const QSize box(20, 10), area(100, 30);
    QCOMPARE(keyStep({5, 5}, box, area, Qt::Key_Up), QPoint(5, 4));
    QCOMPARE(keyStep({5, -9}, box, area, Qt::Key_Up), QPoint(5, -9));
    QCOMPARE(keyStep({5, 25}, box, area, Qt::Key_Down), QPoint(5, 26));
    QCOMPARE(keyStep({5, 26}, box, area, Qt::Key_Down), QPoint(5, 27)); // area height − 3
    QCOMPARE(keyStep({5, 27}, box, area, Qt::Key_Down), QPoint(5, 27));
    QCOMPARE(keyStep({5, 60}, box, area, Qt::Key_Down), QPoint(5, 27));
    QCOMPARE(keyStep({-19, 0}, box, area, Qt::Key_Left), QPoint(-19, 0));
    QCOMPARE(keyStep({98, 0}, box, area, Qt::Key_Right), QPoint(99, 0));
    QCOMPARE(keyStep({99, 0}, box, area, Qt::Key_Right), QPoint(99, 0));

    // The canvas's rule (the line at or before), kept to whole pixels.
    QCOMPARE(snapToGridPixel(101, 60), 100);
    QCOMPARE(snapToGridPixel(103, 60), 100);
    QCOMPARE(snapToGridPixel(104, 60), 104);
    QCOMPARE(snapToGridPixel(10, 24), 10); // 150 twips → 144 → 9.6 px
    QCOMPARE(snapToGridPixel(-7, 60), -8); // -105 twips: the line before is -120
    QCOMPARE(snapToGridPixel(37, 0), 37);  // no grid: no division by zero
    QCOMPARE(snapToGridPixel(37, -60), 37);

    LayoutItem item = defaultsOf(1, 3);
    for (auto [element, axis] : {std::pair{Year1, LockAxis::Vertical},
                                 {Day, LockAxis::Vertical},
                                 {Holiday, LockAxis::Horizontal},
                                 {Holiday, LockAxis::Vertical},
                                 {Rokuyo, LockAxis::Horizontal}}) {
        LayoutItem locked = item;
        setLocked(locked, element, axis, !isLocked(item, element, axis));
        QCOMPARE(isLocked(locked, element, axis), !isLocked(item, element, axis));
        QVERIFY(recordBytes(locked) != recordBytes(item));
    }
    setLocked(item, Holiday, LockAxis::Horizontal, true);
    setLocked(item, Holiday, LockAxis::Vertical, false);
    QCOMPARE(item.VCenterLock[7], std::int16_t(-1));
    QCOMPARE(item.VCenterLock[6], std::int16_t(0));
    setLocked(item, Month2, LockAxis::Vertical, true);
    QCOMPARE(item.VCenterLock[3], std::int16_t(-1));
    setLocked(item, Weekday, LockAxis::Vertical, true);
    QCOMPARE(item.element(Weekday).VCenterLock, std::int16_t(-1));

    // Dividing lines: numeric order, inside the area, the rest of the list cleared.
    storeDividingLines(item, LineOrientation::Vertical, {300, 40, 1200}, 1300);
    QCOMPARE(storedDividingLines(item, LineOrientation::Vertical),
             (std::vector<int>{40, 300, 1200}));
    storeDividingLines(item, LineOrientation::Vertical, {-10, 1500, -2, 5}, 600);
    QCOMPARE(storedDividingLines(item, LineOrientation::Vertical),
             (std::vector<int>{0, 0, 5, 600}));
    QCOMPARE(ruleBlock(item).vLinePos(4), 0);
    storeDividingLines(item, LineOrientation::Horizontal, {9, 3}, 20);
    QCOMPARE(storedDividingLines(item, LineOrientation::Horizontal), (std::vector<int>{3, 9}));

    // Two lines added to two: regions 3 and 4 are new, region 2 keeps its colour.
    item.CellBackColor.fill(0x123456);
    whitenNewRegions(item, 2, 4);
    QCOMPARE(item.CellBackColor[2], 0x123456);
    QCOMPARE(item.CellBackColor[3], 0xFFFFFF);
    QCOMPARE(item.CellBackColor[4], 0xFFFFFF);
    QCOMPARE(item.CellBackColor[5], 0x123456);
    whitenNewRegions(item, 4, 3);
    QCOMPARE(item.CellBackColor[4], 0xFFFFFF);

    QCOMPARE(lineLimitMessage(LineOrientation::Vertical),
             QStringLiteral("これ以上、縦罫線は追加できません。"));
    QCOMPARE(lineLimitMessage(LineOrientation::Horizontal),
             QStringLiteral("これ以上、横罫線は追加できません。"));
    QCOMPARE(contentSample(defaultsOf(1, 3), Day, year{2027} / 9 / 1), QStringLiteral("31"));
    LayoutItem kanji = defaultsOf(1, 3);
    kanji.DayTextMode = 1;
    QCOMPARE(contentSample(kanji, Day, year{2027} / 9 / 1), QStringLiteral("三十一"));
    QCOMPARE(contentSample(kanji, Rokuyo, year{2027} / 9 / 1), QStringLiteral("六曜"));
}

void DayCellDialogTests::contentEditorIdentity() {
    for (const Kind& kind : kKinds) {
        if (contentAreas(kind.category, kind.variant).empty())
            continue;
        LayoutItem item = allShown(kind.category, kind.variant);
        // A locked element stored off centre and unsorted lines out of the area stay as stored.
        setLocked(item, Day, LockAxis::Horizontal, true);
        setLocked(item, Day, LockAxis::Vertical, true);
        item.element(Day).Pos = {3, 2};
        RuleBlockWriter rules = ruleBlock(item);
        rules.setVLineCount(3);
        rules.setVLinePos(0, 900);
        rules.setVLinePos(1, -5);
        rules.setVLinePos(2, 40);
        for (bool ok : {true, false}) {
            ScriptedPrompts prompts;
            DayCellLayoutDialog editor(item, kEditorContext, prompts);
            for (ContentArea area : contentAreas(kind.category, kind.variant)) {
                ContentAreaView* view = editor.areaView(area);
                for (int b = 0; b < static_cast<int>(view->boxes().size()); ++b)
                    view->select(b);
            }
            if (ok)
                QTest::mouseClick(child<QPushButton>(editor, "acceptButton"), Qt::LeftButton);
            else
                QTest::keyClick(&editor, Qt::Key_Escape);
            QCOMPARE(editor.result(), ok ? int(QDialog::Accepted) : int(QDialog::Rejected));
            QVERIFY2(recordBytes(editor.sharedCopy()) == recordBytes(item), kind.name);
        }
    }
}

// 選日, 月齢 and the moon phase are switched on in the editor, get boxes of their own (in both
// halves of the shared cell too) and come back with the week numbers.
void DayCellDialogTests::contentExtraElementsAndWeekNumbers() {
    LayoutItem item = allShown(1, 0);
    ScriptedPrompts prompts;
    DayCellLayoutDialog editor(item, kEditorContext, prompts);
    ContentAreaView* day = editor.areaView(ContentArea::Day);
    const int before = static_cast<int>(day->boxes().size());
    QVERIFY(editor.picker(ContentArea::Day)->findText(QStringLiteral("選日")) < 0);
    child<QCheckBox>(editor, "showSelectedDays")->click();
    child<QCheckBox>(editor, "showMoonPhase")->click();
    QCOMPARE(static_cast<int>(day->boxes().size()), before + 2);
    QVERIFY(editor.picker(ContentArea::Day)->findText(QStringLiteral("選日")) >= 0);
    QVERIFY(editor.picker(ContentArea::SecondDay)->findText(QStringLiteral("月の満ち欠け(下段)")) >=
            0);
    auto* style = child<QComboBox>(editor, "moonPhaseStyle");
    style->setCurrentIndex(1);
    emit style->activated(1);
    auto* weeks = child<QComboBox>(editor, "weekNumbers");
    weeks->setCurrentIndex(1);
    emit weeks->activated(1);
    // 寅の日 named as well as the first use's 一粒万倍日 and 天赦日.
    const auto actions = child<QMenu>(editor, "selectedDayMenu")->actions();
    actions.at(2)->setChecked(true);
    QTest::mouseClick(child<QPushButton>(editor, "acceptButton"), Qt::LeftButton);
    const LayoutItem& back = editor.sharedCopy();
    const ContentElement& senjitsu = back.ExtraElements[ExtraSelectedDays];
    QVERIFY(isTrue(senjitsu.Shown));
    QCOMPARE(senjitsu.Style, 0b111);
    QVERIFY(senjitsu.Font == item.element(Rokuyo).Font);
    QVERIFY(!isTrue(back.ExtraElements[ExtraMoonAge].Shown));
    QCOMPARE(back.ExtraElements[ExtraMoonPhase].Style, 1);
    QCOMPARE(back.Ext.weekNumbers, WeekNumberColumn::Iso);
    LayoutItem work = item;
    takeBackContentLayout(work, back);
    QVERIFY(work.ExtraElements == back.ExtraElements);
    QCOMPARE(work.Ext.weekNumbers, WeekNumberColumn::Iso);
}

void DayCellDialogTests::contentKeysAndMouse() {
    LayoutItem item = allShown(1, 0);
    setLocked(item, Year1, LockAxis::Horizontal, false);
    setLocked(item, Year1, LockAxis::Vertical, false);
    ScriptedPrompts prompts;
    DayCellLayoutDialog editor(item, kEditorContext, prompts);
    ContentAreaView* day = editor.areaView(ContentArea::Day);
    const int rokuyo = boxIndex(day, Rokuyo);
    const QPoint start = boxPosition(day, rokuyo);

    // Choosing in the picker selects the box; the arrow keys move it one unit.
    QComboBox* picker = editor.picker(ContentArea::Day);
    picker->setCurrentIndex(picker->findText("六曜"));
    emit picker->activated(picker->currentIndex());
    QCOMPARE(day->selected(), rokuyo);
    QTest::keyClick(day, Qt::Key_Right);
    QTest::keyClick(day, Qt::Key_Right);
    QTest::keyClick(day, Qt::Key_Down);
    QCOMPARE(boxPosition(day, rokuyo), start + QPoint(2, 1));
    QCOMPARE(editor.status(ContentArea::Day)->text(),
             QStringLiteral("X = %1  Y = %2").arg(start.x() + 2).arg(start.y() + 1));
    for (int i = 0; i < 200; ++i)
        QTest::keyClick(day, Qt::Key_Down);
    QCOMPARE(boxPosition(day, rokuyo).y(), day->areaSize().height() - 3);

    // The mouse drags a box by where it was grabbed.
    const int eto = boxIndex(day, Eto);
    const QRect etoRect = day->boxRect(eto);
    const QPoint grab = etoRect.topLeft() + QPoint(2, 2);
    const QPoint etoStart = boxPosition(day, eto);
    dragMouse(day, grab, grab + QPoint(7, -3));
    QCOMPARE(day->selected(), eto);
    QCOMPARE(boxPosition(day, eto), etoStart + QPoint(7, -3));

    // The heading draws its texts 4 pixels under the stored Y, and its boxes move the same way.
    ContentAreaView* heading = editor.areaView(ContentArea::Heading);
    const int year1 = boxIndex(heading, Year1);
    QCOMPARE(heading->boxRect(year1).topLeft(),
             heading->toWidget(boxPosition(heading, year1) + QPoint(0, kHeadingTextTop)));
    heading->select(year1); // in front of the boxes it overlaps
    const QPoint yearStart = boxPosition(heading, year1);
    const QPoint headGrab = heading->boxRect(year1).center();
    dragMouse(heading, headGrab, headGrab + QPoint(5, 6));
    QCOMPARE(boxPosition(heading, year1), yearStart + QPoint(5, 6));

    QTest::mouseClick(child<QPushButton>(editor, "acceptButton"), Qt::LeftButton);
    LayoutItem expected = item;
    expected.element(Rokuyo).Pos = {start.x() + 2, day->areaSize().height() - 3};
    expected.element(Eto).Pos = {etoStart.x() + 7, etoStart.y() - 3};
    expected.element(Year1).Pos = {yearStart.x() + 5, yearStart.y() + 6};
    QCOMPARE(recordBytes(editor.sharedCopy()), recordBytes(expected));
}

void DayCellDialogTests::contentLocksAndSnapping() {
    LayoutItem item = allShown(1, 1);
    ContentEditorContext context = kEditorContext;
    context.grid = {true, true, 60, 60}; // 4-pixel grid
    ScriptedPrompts prompts;
    DayCellLayoutDialog editor(item, context, prompts);
    editor.show();
    ContentAreaView* day = editor.areaView(ContentArea::Day);
    const int d = boxIndex(day, Day);
    const QSize size = day->boxes()[static_cast<std::size_t>(d)].size;
    const QPoint before = boxPosition(day, d);

    // The lock from the popup centres the box at once and keeps it on that axis.
    chooseFromPopup("左右中央ロック");
    QTest::mouseClick(day, Qt::RightButton, {}, day->boxRect(d).center());
    const int centred = (day->areaSize().width() - size.width()) / 2;
    QCOMPARE(boxPosition(day, d).x(), centred);
    QVERIFY(isLocked(editor.sharedCopy(), Day, LockAxis::Horizontal) ==
            isLocked(item, Day, LockAxis::Horizontal)); // only OK hands it over
    const QPoint grab = day->boxRect(d).topLeft() + QPoint(1, 1);
    dragMouse(day, grab, grab + QPoint(13, 9));
    QCOMPARE(boxPosition(day, d).x(), centred);
    QCOMPARE(boxPosition(day, d).y(), snapToGridPixel(before.y() + 9, 60));
    QCOMPARE(boxPosition(day, d).y() % 4, 0);

    // The heading offers both locks; the second day area and Mini's day cell none.
    chooseFromPopup("上下中央ロック");
    ContentAreaView* heading = editor.areaView(ContentArea::Heading);
    const int month = boxIndex(heading, Month1);
    QTest::mouseClick(heading, Qt::RightButton, {}, heading->boxRect(month).center());
    QCOMPARE(boxPosition(heading, month).y(),
             (heading->areaSize().height() -
              heading->boxes()[static_cast<std::size_t>(month)].size.height()) /
                 2);

    QTest::mouseClick(child<QPushButton>(editor, "acceptButton"), Qt::LeftButton);
    QVERIFY(isLocked(editor.sharedCopy(), Day, LockAxis::Horizontal));
    QVERIFY(isLocked(editor.sharedCopy(), Month1, LockAxis::Vertical));
    QCOMPARE(editor.sharedCopy().element(Day).Pos.Y, boxPosition(day, d).y());
}

void DayCellDialogTests::contentDividingLines() {
    LayoutItem item = allShown(1, 3);
    storeDividingLines(item, LineOrientation::Vertical, {}, 0);
    item.DesignWidth = 1400;
    item.CellBackColor.fill(0x00FF00);
    ScriptedPrompts prompts;
    {
        DayCellLayoutDialog editor(item, kEditorContext, prompts);
        editor.show();
        ContentAreaView* day = editor.areaView(ContentArea::Day);
        QCOMPARE(day->areaSize().width(), 1400);
        auto* add = child<QPushButton>(editor, "addLineButton0");
        for (int i = 0; i < 3; ++i)
            add->click();
        QCOMPARE(day->lines(), (std::vector<int>{700, 700, 700}));
        // Dropped at 300, 40 and 1200 (one by the mouse), one dragged beyond the area's end.
        dragMouse(day, day->linePoint(2), day->linePoint(2) + QPoint(-400, 0)); // the topmost
        QCOMPARE(day->lines()[2], 300);
        day->dragLine(0, 40, true);
        day->dragLine(1, 1200, true);
        add->click();
        day->dragLine(3, 5000, true);
        QCOMPARE(day->lines().back(), 1400);
        // The popup deletes a line.
        chooseFromPopup("削除");
        QTest::mouseClick(day, Qt::RightButton, {}, day->linePoint(3));
        QCOMPARE(day->lines().size(), std::size_t(3));
        QTest::mouseClick(child<QPushButton>(editor, "acceptButton"), Qt::LeftButton);
        const LayoutItem& stored = editor.sharedCopy();
        QCOMPARE(storedDividingLines(stored, LineOrientation::Vertical),
                 (std::vector<int>{40, 300, 1200}));
        // Regions 1..3 are new and white; region 0 keeps its colour.
        QCOMPARE(stored.CellBackColor[0], 0x00FF00);
        for (int r = 1; r <= 3; ++r)
            QCOMPARE(stored.CellBackColor[static_cast<std::size_t>(r)], 0xFFFFFF);
        QCOMPARE(stored.CellBackColor[4], 0x00FF00);
    }
    // Ten lines are the most this editor adds.
    for (auto [variant, text] : {std::pair{3, "これ以上、縦罫線は追加できません。"},
                                 {4, "これ以上、横罫線は追加できません。"}}) {
        LayoutItem full = allShown(3, variant);
        storeDividingLines(full, dividingLineOrientation(3, variant),
                           {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 500);
        ScriptedPrompts refusals;
        DayCellLayoutDialog editor(full, kEditorContext, refusals);
        child<QPushButton>(editor, "addLineButton0")->click();
        QCOMPARE(refusals.messages, QStringList{QString::fromUtf8(text)});
        QCOMPARE(editor.areaView(ContentArea::Day)->lines().size(), std::size_t(10));
    }
}

void DayCellDialogTests::contentResetAndRules() {
    LayoutItem item = allShown(1, 4);
    item.element(Rokuyo).Pos = {77, 5};
    item.element(Rokuyo).Style = 3;
    item.element(Holiday).Shown = kFalse;
    LayoutItem defaults = item;
    setDefaultContentLayout(defaults);
    ScriptedPrompts prompts;
    prompts.answers = {PromptAnswer::No, PromptAnswer::Yes};
    DayCellLayoutDialog editor(item, kEditorContext, prompts);
    int ruleEdits = 0;
    editor.setRuleEditor([&](const LayoutItem& record) -> std::optional<LayoutItem> {
        ++ruleEdits;
        LayoutItem edited = record;
        ruleBlock(edited).setRuleColor(4, 0x0000FF);
        return edited;
    });
    child<QPushButton>(editor, "addLineButton1")->click();
    QCOMPARE(ruleEdits, 1);
    auto* reset = child<QPushButton>(editor, "defaultsButton");
    reset->click(); // No
    QCOMPARE(recordBytes(editor.sharedCopy()), recordBytes(item));
    reset->click(); // Yes
    QCOMPARE(prompts.questionTexts(),
             QStringList(2, QStringLiteral("初期化状態にします。\r\nよろしいですか?")));
    ContentAreaView* day = editor.areaView(ContentArea::Day);
    QCOMPARE(boxPosition(day, boxIndex(day, Rokuyo)).y(), defaults.element(Rokuyo).Pos.Y);
    // Cancel keeps the reset in the shared copy but not the ruled lines.
    QTest::keyClick(&editor, Qt::Key_Escape);
    QCOMPARE(recordBytes(editor.sharedCopy()), recordBytes(defaults));
}

void DayCellDialogTests::contentEditorFromPropertyDialog() {
    for (const Kind& kind : kKinds) {
        const LayoutItem item = defaultsOf(kind.category, kind.variant);
        ScriptedPrompts prompts;
        ItemPropertiesDialog dialog(item, false, kContext, prompts);
        auto* button = child<QPushButton>(dialog, "contentLayoutButton");
        const bool dayKind = kind.category == 1 || kind.category == 3;
        QCOMPARE(button->isEnabled(), dayKind);
        if (!dayKind)
            continue;
        // The editor's copy comes back accepted or not; only the layout values are taken.
        dialog.setContentEditor([&](const LayoutItem& shared) {
            LayoutItem edited = shared;
            edited.element(Day).Pos = {11, 12};
            edited.element(Rokuyo).Shown = toB16(!isTrue(shared.element(Rokuyo).Shown));
            edited.element(Rokuyo).Style = 5;
            edited.WeekdayStyle = 4;
            return edited;
        });
        button->click();
        QTest::mouseClick(child<QPushButton>(dialog, "acceptButton"), Qt::LeftButton);
        LayoutItem expected = item;
        expected.element(Day).Pos = {11, 12};
        QVERIFY2(recordBytes(dialog.item()) == recordBytes(expected), kind.name);
    }
}

// Boxes moved by keys and mouse in the real editor, OK there and in the property dialog: the
// record holds exactly the new positions and the page draws the texts there.
void DayCellDialogTests::movedBoxIsWhereThePageDraws() {
    for (const Kind kind : {kKinds[1], kKinds[4], kKinds[8]}) {
        LayoutItem item = allShown(kind.category, kind.variant);
        setLocked(item, Day, LockAxis::Horizontal, false);
        setLocked(item, Day, LockAxis::Vertical, false);
        item.FitToRect = kFalse;
        item.Width = static_cast<float>(item.DesignWidth);
        item.Height = static_cast<float>(item.DesignHeight);
        ScriptedPrompts prompts;
        ItemPropertiesDialog dialog(item, false, kContext, prompts);
        QPoint moved;
        dialog.setContentEditor([&](const LayoutItem& shared) {
            DayCellLayoutDialog editor(shared, kEditorContext, prompts);
            editor.show();
            ContentAreaView* day = editor.areaView(ContentArea::Day);
            const int d = boxIndex(day, Day);
            day->select(d);
            for (int key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down})
                QTest::keyClick(day, Qt::Key(key));
            const QPoint grab = day->boxRect(d).topLeft() + QPoint(1, 1);
            dragMouse(day, grab, grab + QPoint(4, 0));
            moved = boxPosition(day, d);
            QTest::mouseClick(child<QPushButton>(editor, "acceptButton"), Qt::LeftButton);
            return editor.sharedCopy();
        });
        child<QPushButton>(dialog, "contentLayoutButton")->click();
        QTest::mouseClick(child<QPushButton>(dialog, "acceptButton"), Qt::LeftButton);
        LayoutItem expected = item;
        expected.element(Day).Pos = {moved.x(), moved.y()};
        QCOMPARE(moved, QPoint(item.element(Day).Pos.X + 7, item.element(Day).Pos.Y + 1));
        QVERIFY2(recordBytes(dialog.item()) == recordBytes(expected), kind.name);

        // The first day's number is drawn at the cell's origin plus the new position.
        const std::vector<DrawCall> before = drawnTexts(item);
        const std::vector<DrawCall> after = drawnTexts(dialog.item());
        auto dayOne = [](const std::vector<DrawCall>& texts) {
            for (const DrawCall& t : texts)
                if (t.text.trimmed() == QStringLiteral("1") || t.text.endsWith(u'一'))
                    return QPoint(t.x1, t.y1);
            qFatal("day 1 not drawn");
            return QPoint();
        };
        QCOMPARE(dayOne(after) - dayOne(before), QPoint(7, 1));
    }
}

QTEST_MAIN(DayCellDialogTests)
void DayCellDialogTests::dialogsFitALaptop_data() {
    QTest::addColumn<int>("category");
    QTest::addColumn<int>("variant");
    for (const Kind& kind : kKinds)
        QTest::newRow(kind.name) << kind.category << kind.variant;
}

// A 1366 x 768 screen less a taskbar (48) and a title bar (32): every dialog an item opens fits
// at the size it asks for, buttons included. The day-cell editor, whose cell can be as tall as a
// page, scrolls within the screen it opens on and can be made as small as the laptop's.
void DayCellDialogTests::dialogsFitALaptop() {
    QFETCH(int, category);
    QFETCH(int, variant);
    const QSize laptop(1366, 768 - 48 - 32);
    const auto fits = [&](QDialog& dialog, const char* what, bool scrolls = false) {
        dialog.show();
        if (scrolls) {
            const QRect screen = dialog.screen()->availableGeometry();
            QVERIFY(dialog.height() <= screen.height() - 80);
        }
        const QSize size =
            scrolls ? dialog.minimumSizeHint() : dialog.size().expandedTo(dialog.minimumSizeHint());
        QVERIFY2(size.width() <= laptop.width() && size.height() <= laptop.height(),
                 qPrintable(QStringLiteral("%1: %2 x %3")
                                .arg(QLatin1String(what))
                                .arg(size.width())
                                .arg(size.height())));
        dialog.hide();
    };
    const LayoutItem item = defaultsOf(category, variant);
    ScriptedPrompts prompts;
    {
        ItemPropertiesDialog dialog(item, false, ItemDialogContext{}, prompts);
        dialog.adjustSize();
        fits(dialog, "アイテム詳細設定");
    }
    if (contentAreas(category, variant).empty())
        return;
    DayCellLayoutDialog editor(item, kEditorContext, prompts);
    fits(editor, "日付表示設定", true);
    RuledLinesDialog rules(item, prompts);
    fits(rules, "罫線設定");
    BackgroundColourDialog colours(item, prompts);
    fits(colours, "背景色詳細設定");
    FontSettingsDialog font(item.element(Day).Font, false, prompts, {QStringLiteral("IPAGothic")});
    fits(font, "フォントの設定");
}

#include "tst_daycelldialogs.moc"
