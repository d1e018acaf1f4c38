#include "ui/dialogs/DayCellLayoutDialog.h"

#include "bitmap/ImageCanvas.h"
#include "bitmap/Primitives.h"
#include "calendar/SelectedDays.h"
#include "render/NewItemDefaults.h"
#include "render/RenderFrame.h"
#include "ui/dialogs/ColourConversion.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/ItemDialogRules.h"
#include "ui/dialogs/FontSettingsDialog.h"
#include "ui/dialogs/RuledLinesDialog.h"
#include "ui/dialogs/UserPrompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>

namespace tobirae {

namespace {

const QString kAskResetContents = QStringLiteral("初期化状態にします。\r\nよろしいですか?");
constexpr Colour kSelectedBack = 0xC0FFFF;
constexpr int kLowerSlotNumber = 13; // picker numbers of the lower day: 19, 21..25

QImage renderFace(RenderContext& ctx, const FontSpec& font, const QString& sample, QSize size,
                  Colour back) {
    ImageCanvas canvas(size.width(), size.height(), back);
    if (canvas.isNull())
        return {};
    selectFont(ctx, font);
    drawScaledText(ctx, DrawSurface{&canvas, 1, 1}, 1, sample, 0, 0,
                 colourFromText(font.ForeColor.text(), 0), true);
    return *canvas.image();
}

int pickerNumber(ContentBoxKey key) {
    return key.slot == BoxSlot::Lower ? key.element + kLowerSlotNumber : key.element;
}

} // namespace

DayCellLayoutDialog::DayCellLayoutDialog(const LayoutItem& shared,
                                             const ContentEditorContext& context,
                                             UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), shared_(shared), work_(shared), context_(context), prompts_(prompts) {
    setWindowTitle(QStringLiteral("日付表示設定"));
    ruleEditor_ = [this](const LayoutItem& record) -> std::optional<LayoutItem> {
        RuledLinesDialog dialog(record, prompts_, this);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.item();
    };
    openingLineCount_ = static_cast<int>(
        storedDividingLines(work_, dividingLineOrientation(work_.Category, work_.LayoutVariant))
            .size());
    buildAreas();
    rebuildBoxes();

    addLineButton0_ = new QPushButton(QStringLiteral("罫線を追加"), this);
    addLineButton0_->setObjectName(QStringLiteral("addLineButton0"));
    const bool lists =
        dividingLineOrientation(work_.Category, work_.LayoutVariant) != LineOrientation::None;
    addLineButton0_->setVisible(lists);
    addLineButton0_->setEnabled(lists);
    auto* rules = new QPushButton(QStringLiteral("全体の罫線設定"), this);
    rules->setObjectName(QStringLiteral("addLineButton1"));
    auto* reset = new QPushButton(QStringLiteral("初期状態に戻す"), this);
    reset->setObjectName(QStringLiteral("defaultsButton"));
    auto* buttons = okCancelButtons(this, QStringLiteral("&OK"), QStringLiteral("キャンセル(&C)"));
    buttons->findChild<QPushButton*>(QStringLiteral("okButton"))
        ->setObjectName(QStringLiteral("acceptButton"));
    buttons->findChild<QPushButton*>(QStringLiteral("cancelButton"))
        ->setObjectName(QStringLiteral("rejectButton"));
    // Enter in an area must not close the editor.
    for (QPushButton* b : buttons->findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(addLineButton0_, &QPushButton::clicked, this, &DayCellLayoutDialog::addLine);
    connect(rules, &QPushButton::clicked, this, &DayCellLayoutDialog::editRules);
    connect(reset, &QPushButton::clicked, this, &DayCellLayoutDialog::resetLayout);
    connect(buttons, &QDialogButtonBox::accepted, this, &DayCellLayoutDialog::acceptEdits);

    if ((isMonthBox(work_.Category, work_.LayoutVariant) &&
         work_.LayoutVariant != VariantBoxMini) ||
        isDayList(work_.Category, work_.LayoutVariant))
        static_cast<QVBoxLayout*>(layout())->addWidget(buildExtrasPanel());
    auto* row = new QHBoxLayout;
    row->addWidget(addLineButton0_);
    row->addWidget(rules);
    row->addWidget(reset);
    row->addStretch();
    row->addWidget(buttons);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    // As large as the areas need, but never larger than the free part of the screen, where
    // the areas scroll instead.
    QWidget* content = findChild<QScrollArea*>()->widget();
    // The boxes gave the areas their margins since the layout last measured them.
    for (QLayout* l : content->findChildren<QLayout*>())
        l->invalidate();
    content->layout()->invalidate();
    const QSize wanted = content->sizeHint() + QSize(32, 32 + row->sizeHint().height() + 24);
    const QRect room = (parent ? parent->screen() : screen())->availableGeometry();
    resize(std::clamp(wanted.width(), 520, std::max(520, room.width() - 80)),
           std::clamp(wanted.height(), 260, std::max(260, room.height() - 80)));

    // The title band first for the boxes, the day cell otherwise.
    if (!areas_.empty())
        areas_.front().view->setFocus(Qt::OtherFocusReason);
}

DayCellLayoutDialog::~DayCellLayoutDialog() = default;

const DayCellLayoutDialog::Area* DayCellLayoutDialog::find(ContentArea area) const {
    for (const Area& a : areas_)
        if (a.area == area)
            return &a;
    return nullptr;
}

ContentAreaView* DayCellLayoutDialog::areaView(ContentArea area) const {
    const Area* a = find(area);
    return a ? a->view : nullptr;
}
QComboBox* DayCellLayoutDialog::picker(ContentArea area) const {
    const Area* a = find(area);
    return a ? a->picker : nullptr;
}
QLabel* DayCellLayoutDialog::status(ContentArea area) const {
    const Area* a = find(area);
    return a ? a->status : nullptr;
}

void DayCellLayoutDialog::buildAreas() {
    const ContentAreaSizes sizes = contentAreaSizes(render_, work_, context_.today);
    auto* content = new QWidget;
    // The title band across the top, the day cells side by side under it: the editor stays
    // low enough for a laptop screen.
    auto* grid = new QGridLayout(content);
    int dayColumn = 0;
    for (ContentArea area : contentAreas(work_.Category, work_.LayoutVariant)) {
        const bool heading = area == ContentArea::Heading;
        Area a{area};
        a.view = new ContentAreaView(area, heading ? sizes.heading : sizes.day,
                                     heading ? kHeadingTextTop : 0, context_.grid, content);
        a.picker = new QComboBox(content);
        a.status = new QLabel(content);
        const char* names[] = {"", "", "2", "3"};
        const QString suffix = QString::fromLatin1(names[static_cast<int>(area)]);
        a.view->setObjectName(QStringLiteral("contentAreaView") + suffix);
        a.picker->setObjectName(QStringLiteral("baseCombo") + suffix);
        a.status->setObjectName(QStringLiteral("statusLabel") + suffix);
        auto* head = new QHBoxLayout;
        head->addWidget(new QLabel(contentAreaLabel(area, work_.LayoutVariant), content));
        head->addWidget(a.picker);
        head->addWidget(a.status);
        head->addStretch();
        auto* cell = new QVBoxLayout;
        cell->addLayout(head);
        cell->addWidget(a.view, 0, Qt::AlignLeft | Qt::AlignTop);
        cell->addStretch();
        if (heading)
            grid->addLayout(cell, 0, 0, 1, 2);
        else
            grid->addLayout(cell, 1, dayColumn++);
        areas_.push_back(a);
    }
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);
    for (const Area& a : areas_) {
        connect(a.view, &ContentAreaView::selectionChanged, this, [this, area = a.area](int box) {
            const Area* found = find(area);
            lastArea_ = area;
            found->picker->setCurrentIndex(found->picker->findData(
                pickerNumber(found->view->boxes()[static_cast<std::size_t>(box)].key)));
            showStatus(*found, box);
        });
        connect(a.view, &ContentAreaView::positionChanged, this,
                [this, area = a.area](int box) { showStatus(*find(area), box); });
        connect(a.picker, &QComboBox::activated, this, [this, area = a.area](int index) {
            const Area* found = find(area);
            const int number = found->picker->itemData(index).toInt();
            const auto& boxes = found->view->boxes();
            for (std::size_t i = 0; i < boxes.size(); ++i)
                if (pickerNumber(boxes[i].key) == number)
                    found->view->select(static_cast<int>(i));
            found->view->setFocus(Qt::OtherFocusReason);
        });
        connect(a.view, &ContentAreaView::boxMenuRequested, this,
                [this, area = a.area](int box, QPoint at) { boxMenu(*find(area), box, at); });
        connect(a.view, &ContentAreaView::lineMenuRequested, this,
                [this, area = a.area](int line, QPoint at) { lineMenu(*find(area), line, at); });
    }
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll);
}

ContentBox DayCellLayoutDialog::makeBox(ContentArea area, ContentBoxKey key) {
    ContentBox box;
    box.key = key;
    const FontSpec& font = editorElement(work_, key.element).Font;
    const QString sample = contentSample(work_, key.element, context_.today);
    selectFont(render_, font);
    const TextExtent extent = measureScaledText(render_, nullptr, 1, sample);
    // An empty sample still leaves something to grab.
    box.size = QSize(std::max(extent.width, 4), std::max(extent.height, 4));
    const TextPos& p = slotPosition(work_, key);
    box.position = QPoint(p.X, p.Y);
    box.tooltip = contentBoxTooltip(key);
    box.face = renderFace(render_, font, sample, box.size,
                          bgrFromQColor(palette().color(QPalette::Window)));
    box.selectedFace = renderFace(render_, font, sample, box.size, kSelectedBack);
    for (LockAxis axis : lockChoices(area, work_.Category, work_.LayoutVariant))
        if (isLocked(work_, key.element, axis))
            box.locks.push_back(axis);
    return box;
}

void DayCellLayoutDialog::rebuildBoxes() {
    const LineOrientation orientation =
        dividingLineOrientation(work_.Category, work_.LayoutVariant);
    for (Area& a : areas_) {
        std::vector<ContentBox> boxes;
        a.picker->clear();
        for (ContentBoxKey key : contentBoxesOf(a.area, work_.Category, work_.LayoutVariant)) {
            if (!isTrue(editorElement(work_, key.element).Shown))
                continue;
            boxes.push_back(makeBox(a.area, key));
            a.picker->addItem(contentBoxName(key), pickerNumber(key));
        }
        a.view->setBoxes(std::move(boxes));
        for (int i = 0; i < static_cast<int>(a.view->boxes().size()); ++i)
            a.view->applyLocks(i);
        if (a.area == ContentArea::Day)
            a.view->setLines(orientation, storedDividingLines(work_, orientation));
        a.status->clear();
    }
}

void DayCellLayoutDialog::showStatus(const Area& area, int box) {
    const QPoint p = area.view->boxes()[static_cast<std::size_t>(box)].position;
    area.status->setText(QStringLiteral("X = ") + QString::number(p.x()) + QStringLiteral("  ") +
                         QStringLiteral("Y = ") + QString::number(p.y()));
}

void DayCellLayoutDialog::boxMenu(const Area& area, int box, QPoint at) {
    const std::vector<LockAxis> choices =
        lockChoices(area.area, work_.Category, work_.LayoutVariant);
    if (choices.empty())
        return;
    const int element = area.view->boxes()[static_cast<std::size_t>(box)].key.element;
    QMenu menu(QStringLiteral("中央に配置"), this);
    menu.setObjectName(QStringLiteral("pointMenu"));
    for (LockAxis axis : choices) {
        QAction* entry =
            menu.addAction(axis == LockAxis::Horizontal ? QStringLiteral("左右中央ロック")
                                                        : QStringLiteral("上下中央ロック"));
        entry->setCheckable(true);
        entry->setChecked(isLocked(work_, element, axis));
        connect(entry, &QAction::triggered, this, [this, &area, box, element, axis](bool on) {
            setLocked(work_, element, axis, on);
            std::vector<LockAxis> locks;
            for (LockAxis a : lockChoices(area.area, work_.Category, work_.LayoutVariant))
                if (isLocked(work_, element, a))
                    locks.push_back(a);
            area.view->setLocks(box, locks);
        });
    }
    menu.exec(at);
}

void DayCellLayoutDialog::lineMenu(const Area& area, int line, QPoint at) {
    QMenu menu(QStringLiteral("罫線"), this);
    menu.setObjectName(QStringLiteral("lineMenu"));
    connect(menu.addAction(QStringLiteral("削除")), &QAction::triggered, this,
            [&area, line] { area.view->deleteLine(line); });
    menu.exec(at);
}

void DayCellLayoutDialog::addLine() {
    const LineOrientation orientation =
        dividingLineOrientation(work_.Category, work_.LayoutVariant);
    ContentAreaView* view = areaView(ContentArea::Day);
    if (orientation == LineOrientation::None || !view)
        return;
    if (static_cast<int>(view->lines().size()) >= kMaxAddedLines) {
        prompts_.message(lineLimitMessage(orientation));
        return;
    }
    const QSize area = view->areaSize();
    view->addLine(orientation == LineOrientation::Vertical ? area.width() / 2 : area.height() / 2);
}

void DayCellLayoutDialog::editRules() {
    if (const auto edited = ruleEditor_(work_))
        work_ = *edited;
}

void DayCellLayoutDialog::resetLayout() {
    if (prompts_.ask(kAskResetContents, PromptButtons::YesNo) != PromptAnswer::Yes)
        return;
    setDefaultContentLayout(shared_);
    setDefaultContentLayout(work_);
    rebuildBoxes();
}

// 選日, 月齢 and the moon phase: shown or not, which 選日 are named, symbol or name, their font;
// and, for month boxes, the week numbers.
QWidget* DayCellLayoutDialog::buildExtrasPanel() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    const char* const names[] = {"選日", "月齢", "月の満ち欠け"};
    const char* const objectNames[] = {"showSelectedDays", "showMoonAge", "showMoonPhase"};
    for (int i = 0; i < kExtraElementCount; ++i) {
        auto* box = new QCheckBox(QString::fromUtf8(names[i]), panel);
        box->setObjectName(QString::fromLatin1(objectNames[i]));
        box->setChecked(isTrue(work_.ExtraElements[static_cast<std::size_t>(i)].Shown));
        connect(box, &QCheckBox::toggled, this, [this, i](bool on) {
            storeMovedBoxes();
            ContentElement& e = work_.ExtraElements[static_cast<std::size_t>(i)];
            e.Shown = toB16(on);
            // A first use starts from the 六曜's font and place, just below it.
            if (on && e.Font == FontSpec{}) {
                e.Font = work_.element(Rokuyo).Font;
                e.Pos = work_.element(Rokuyo).Pos;
                e.Pos.Y += 14 * (i + 1);
                e.UpperPos = e.Pos;
                e.LowerPos = work_.element(Rokuyo).LowerPos;
                if (i == ExtraSelectedDays && e.Style == 0)
                    e.Style = static_cast<std::int32_t>(SelectedDay::Ichiryumanbai) |
                              static_cast<std::int32_t>(SelectedDay::Tensha);
            }
            rebuildBoxes();
        });
        row->addWidget(box);
        if (i == ExtraSelectedDays) {
            auto* choose = new QPushButton(QStringLiteral("選日の種類..."), panel);
            choose->setObjectName(QStringLiteral("chooseSelectedDays"));
            auto* menu = new QMenu(choose);
            menu->setObjectName(QStringLiteral("selectedDayMenu"));
            for (int n = 0; n < kSelectedDayCount; ++n) {
                const std::string_view name = selectedDayName(n);
                QAction* a = menu->addAction(
                    QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
                a->setCheckable(true);
                a->setChecked(work_.ExtraElements[ExtraSelectedDays].Style & (1 << n));
                connect(a, &QAction::toggled, this, [this, n](bool on) {
                    std::int32_t& style = work_.ExtraElements[ExtraSelectedDays].Style;
                    style = on ? (style | (1 << n)) : (style & ~(1 << n));
                });
            }
            choose->setMenu(menu);
            row->addWidget(choose);
        }
    }
    auto* phase = new QComboBox(panel);
    phase->setObjectName(QStringLiteral("moonPhaseStyle"));
    phase->addItems({QStringLiteral("記号 ●◐○◑"), QStringLiteral("名前 新月・上弦…")});
    phase->setCurrentIndex(work_.ExtraElements[ExtraMoonPhase].Style == 1 ? 1 : 0);
    connect(phase, &QComboBox::activated, this, [this](int index) {
        storeMovedBoxes();
        work_.ExtraElements[ExtraMoonPhase].Style = index;
        rebuildBoxes();
    });
    row->addWidget(phase);
    auto* font = new QPushButton(QStringLiteral("フォント..."), panel);
    font->setObjectName(QStringLiteral("extraFont"));
    font->setToolTip(QStringLiteral("選んでいる選日・月齢・月の満ち欠けの文字を設定します。"));
    connect(font, &QPushButton::clicked, this, &DayCellLayoutDialog::editExtraFont);
    row->addWidget(font);
    {
        row->addSpacing(12);
        row->addWidget(new QLabel(QStringLiteral("週番号"), panel));
        auto* weeks = new QComboBox(panel);
        weeks->setObjectName(QStringLiteral("weekNumbers"));
        weeks->addItems({QStringLiteral("なし"), QStringLiteral("ISO 8601"),
                         QStringLiteral("1月1日の週が第1週")});
        weeks->setCurrentIndex(static_cast<int>(work_.Ext.weekNumbers));
        connect(weeks, &QComboBox::activated, this, [this](int index) {
            work_.Ext.weekNumbers = static_cast<WeekNumberColumn>(index);
        });
        row->addWidget(weeks);
    }
    row->addStretch();
    return panel;
}

void DayCellLayoutDialog::editExtraFont() {
    // The extra element of the box selected last, else the first one shown.
    int extra = -1;
    if (const Area* a = find(lastArea_)) {
        const int selected = a->view->selected();
        if (selected >= 0) {
            const int element = a->view->boxes()[static_cast<std::size_t>(selected)].key.element;
            if (element >= kExtraBoxBase)
                extra = element - kExtraBoxBase;
        }
    }
    for (int i = 0; extra < 0 && i < kExtraElementCount; ++i)
        if (isTrue(work_.ExtraElements[static_cast<std::size_t>(i)].Shown))
            extra = i;
    if (extra < 0)
        return;
    ContentElement& e = work_.ExtraElements[static_cast<std::size_t>(extra)];
    FontSettingsDialog dialog(e.Font, false, prompts_, fontDialogFaces(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    storeMovedBoxes();
    e.Font = dialog.font();
    rebuildBoxes();
}

void DayCellLayoutDialog::storeMovedBoxes() {
    for (const Area& a : areas_) {
        for (const ContentBox& box : a.view->boxes()) {
            if (!box.moved)
                continue; // an untouched box leaves its stored position as it was
            TextPos& p = slotPosition(work_, box.key);
            p.X = box.position.x();
            p.Y = box.position.y();
        }
    }
}

void DayCellLayoutDialog::acceptEdits() {
    storeMovedBoxes();
    for (const Area& a : areas_) {
        if (a.area != ContentArea::Day || !a.view->linesChanged())
            continue;
        const LineOrientation orientation =
            dividingLineOrientation(work_.Category, work_.LayoutVariant);
        const QSize area = a.view->areaSize();
        storeDividingLines(work_, orientation, a.view->lines(),
                           orientation == LineOrientation::Vertical ? area.width() : area.height());
        whitenNewRegions(work_, openingLineCount_, static_cast<int>(a.view->lines().size()));
    }
    shared_ = work_;
    accept();
}

} // namespace tobirae
