#include "ui/dialogs/BackgroundColourDialog.h"

#include "render/RuleBlock.h"
#include "ui/dialogs/ColourConversion.h"
#include "ui/dialogs/ColourSwatch.h"
#include "ui/dialogs/DialogButtons.h"
#include "ui/dialogs/UserPrompts.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tobirae {

namespace {

constexpr int kYearEntry = 0;
constexpr int kMonthEntry = 1;
constexpr int kFirstHeaderEntry = 2;
constexpr int kFirstDayEntry = 9;
constexpr int kDayCells = 42;
constexpr int kRegionButtons = 11;

QString regionCaption(int index) {
    return QStringLiteral("領域") + QChar(0x2460 + index); // ①..⑪
}

} // namespace

BackgroundColourDialog::BackgroundColourDialog(const LayoutItem& item, UserPrompts& prompts, QWidget* parent)
    : QDialog(parent), item_(item), prompts_(prompts), colours_(item.CellBackColor) {
    setWindowTitle(QStringLiteral("背景色詳細設定"));
    auto* layout = new QVBoxLayout(this);
    if (isMonthBox(item.Category, item.LayoutVariant))
        layout->addWidget(buildMonthBoxFrame());
    else if (isDayList(item.Category, item.LayoutVariant))
        layout->addWidget(buildRegionFrame(item.LayoutVariant == VariantVertical));
    auto* buttons = okCancelButtons(this, QStringLiteral("OK"), QStringLiteral("キャンセル(&C)"));
    connect(buttons, &QDialogButtonBox::accepted, this, &BackgroundColourDialog::acceptEntries);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* BackgroundColourDialog::addRegion(const QString& caption, const QString& name, int entry,
                                       bool enabled, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setEnabled(enabled);
    if (enabled)
        paintButtonFace(button, colours_[static_cast<std::size_t>(entry)]);
    const int index = static_cast<int>(regions_.size());
    regions_.append({button, entry, enabled});
    connect(button, &QPushButton::clicked, this, [this, index] { pick(index); });
    return button;
}

QWidget* BackgroundColourDialog::buildMonthBoxFrame() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("regionFrame1"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(
        addRegion(QStringLiteral("年領域"), QStringLiteral("yearButton"), kYearEntry, true, frame), 0,
        0, 1, 7);
    grid->addWidget(
        addRegion(QStringLiteral("月領域"), QStringLiteral("monthButton"), kMonthEntry, true, frame),
        1, 0, 1, 7);
    const std::array<const char16_t*, 7> weekdays{u"日", u"月", u"火", u"水", u"木", u"金", u"土"};
    for (int d = 0; d < 7; ++d)
        grid->addWidget(addRegion(QString::fromUtf16(weekdays[static_cast<std::size_t>(d)]),
                                  QStringLiteral("weekButton%1").arg(d), kFirstHeaderEntry + d, true,
                                  frame),
                        2, d);
    // A five-row box never shows a sixth row of cells.
    const int shownCells = item_.LayoutVariant == VariantBox5 ? 35 : kDayCells;
    for (int c = 0; c < kDayCells; ++c) {
        QPushButton* cell = addRegion(QString(), QStringLiteral("dateButton%1").arg(c),
                                      kFirstDayEntry + c, c < shownCells, frame);
        cell->setFixedSize(40, 28);
        grid->addWidget(cell, 3 + c / 7, c % 7);
    }
    auto* all = new QHBoxLayout;
    auto* dayButton = new QPushButton(QStringLiteral("日付領域"), frame);
    dayButton->setObjectName(QStringLiteral("dayColourButton"));
    connect(dayButton, &QPushButton::clicked, this,
            [this] { paintAll(kFirstDayEntry, kFirstDayEntry + kDayCells - 1); });
    auto* weekButton = new QPushButton(QStringLiteral("曜日領域"), frame);
    weekButton->setObjectName(QStringLiteral("weekColourButton"));
    connect(weekButton, &QPushButton::clicked, this,
            [this] { paintAll(kFirstHeaderEntry, kFirstHeaderEntry + 6); });
    all->addWidget(dayButton);
    all->addWidget(weekButton);
    grid->addLayout(all, 9, 0, 1, 7);
    return frame;
}

QWidget* BackgroundColourDialog::buildRegionFrame(bool vertical) {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(vertical ? QStringLiteral("regionFrame3") : QStringLiteral("regionFrame2"));
    auto* layout = new QVBoxLayout(frame);
    auto* note = new QLabel(
        vertical ? QStringLiteral("縦罫線で区切られた領域を示します。<領域①>は最も左の領域です。")
                 : QStringLiteral("横罫線で区切られた領域を示します。<領域①>は最も上の領域です。"),
        frame);
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    layout->addWidget(note);
    const RuleBlockReader rules = ruleBlock(item_);
    const int lines = std::min(vertical ? rules.vLineCountClamped() : rules.hLineCountClamped(),
                               kRegionButtons - 1);
    auto* row = vertical ? static_cast<QBoxLayout*>(new QHBoxLayout)
                         : static_cast<QBoxLayout*>(new QVBoxLayout);
    const QString prefix = vertical ? QStringLiteral("colourButton2_") : QStringLiteral("colourButton1_");
    for (int r = 0; r < kRegionButtons; ++r)
        row->addWidget(
            addRegion(regionCaption(r), prefix + QString::number(r), r, r <= lines, frame));
    layout->addLayout(row);
    return frame;
}

void BackgroundColourDialog::pick(int regionIndex) {
    const Region& region = regions_[regionIndex];
    const auto entry = static_cast<std::size_t>(region.entry);
    if (const auto chosen =
            prompts_.pickColour(qColorFromBgr(colours_[entry]), colourPickerTitle())) {
        colours_[entry] = bgrFromQColor(*chosen);
        paintButtonFace(region.button, colours_[entry]);
    }
}

void BackgroundColourDialog::paintAll(int firstEntry, int lastEntry) {
    const auto first = static_cast<std::size_t>(firstEntry);
    const auto chosen = prompts_.pickColour(qColorFromBgr(colours_[first]), colourPickerTitle());
    if (!chosen)
        return;
    for (const Region& region : regions_) {
        if (region.entry < firstEntry || region.entry > lastEntry)
            continue;
        colours_[static_cast<std::size_t>(region.entry)] = bgrFromQColor(*chosen);
        paintButtonFace(region.button, bgrFromQColor(*chosen));
    }
}

void BackgroundColourDialog::acceptEntries() {
    // Only the regions the item shows are stored; the others keep their values.
    for (const Region& region : regions_) {
        if (region.stored) {
            const auto entry = static_cast<std::size_t>(region.entry);
            item_.CellBackColor[entry] = colours_[entry];
        }
    }
    accept();
}

} // namespace tobirae
