#include "ui/main/SidePanel.h"

#include "document/ItemFrame.h"
#include "ui/editing/EditorDocument.h"
#include "ui/main/OutputRangePanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

namespace tobirae {

namespace {

constexpr int kPanelWidth = 236;

// VB-style number text for the position labels: integers without a fraction.
QString coordinateText(double value) {
    return QString::number(value, 'g', 8);
}

} // namespace

SidePanel::SidePanel(const EditorDocument& editor, QWidget* parent)
    : QWidget(parent), editor_(editor) {
    setObjectName(QStringLiteral("panelView"));
    setFixedWidth(kPanelWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    buildCommands();
    outputRange_ = new OutputRangePanel(this);
    layout->addWidget(outputRange_);
    buildItemFrame();
    buildDrawingOrder();
}

void SidePanel::buildCommands() {
    auto* commands = new QGridLayout;
    const std::array<QString, 6> captions{
        QStringLiteral("用紙サイズ変更"),   QStringLiteral("アイテム追加"),
        QStringLiteral("画像ファイル作成"), QStringLiteral("レイアウト読込"),
        QStringLiteral("レイアウト保存"),   QStringLiteral("画像プレビュー")};
    for (int i = 0; i < 6; ++i) {
        auto* button = new QPushButton(captions[static_cast<std::size_t>(i)], this);
        button->setObjectName(QStringLiteral("commandButton%1").arg(i));
        commandButton_[static_cast<std::size_t>(i)] = button;
        commands->addWidget(button, i / 2, i % 2);
        connect(button, &QPushButton::clicked, this,
                [this, i] { emit commandClicked(static_cast<Command>(i)); });
    }
    static_cast<QVBoxLayout*>(layout())->addLayout(commands);
}

void SidePanel::buildItemFrame() {
    auto* itemFrame = new QGroupBox(QStringLiteral("アイテム"), this);
    auto* itemLayout = new QVBoxLayout(itemFrame);
    itemList_ = new QComboBox(itemFrame);
    itemList_->setObjectName(QStringLiteral("itemCombo"));
    itemLayout->addWidget(itemList_);
    auto* pointGrid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(itemFrame);
        label->setObjectName(QStringLiteral("pointLabel%1").arg(i));
        positionLabel_[static_cast<std::size_t>(i)] = label;
        pointGrid->addWidget(label, i / 2, i % 2);
    }
    itemLayout->addLayout(pointGrid);
    layout()->addWidget(itemFrame);
    connect(itemList_, &QComboBox::activated, this, [this](int index) {
        const auto& list = editor_.document().itemList();
        if (index >= 0 && index < static_cast<int>(list.size()))
            emit itemChosen(list[static_cast<std::size_t>(index)].slot);
    });
}

void SidePanel::buildDrawingOrder() {
    auto* orderFrame = new QGroupBox(QStringLiteral("描画順"), this);
    auto* orderLayout = new QHBoxLayout(orderFrame);
    drawingOrderList_ = new QListWidget(orderFrame);
    drawingOrderList_->setObjectName(QStringLiteral("drawingOrderList"));
    orderLayout->addWidget(drawingOrderList_, 1);
    auto* moveButtons = new QVBoxLayout;
    auto* up = new QPushButton(QStringLiteral("▲"), orderFrame);
    up->setObjectName(QStringLiteral("orderUpButton"));
    up->setToolTip(QStringLiteral("描画順を前へ"));
    auto* down = new QPushButton(QStringLiteral("▼"), orderFrame);
    down->setObjectName(QStringLiteral("orderDownButton"));
    down->setToolTip(QStringLiteral("描画順を後へ"));
    for (QPushButton* b : {up, down}) {
        b->setFixedWidth(32);
        moveButtons->addWidget(b);
    }
    moveButtons->addStretch();
    orderLayout->addLayout(moveButtons);
    static_cast<QVBoxLayout*>(layout())->addWidget(orderFrame, 1);
    connect(up, &QPushButton::clicked, this, [this] { orderMoveClicked(-1); });
    connect(down, &QPushButton::clicked, this, [this] { orderMoveClicked(1); });

    const auto slotOf = [](QListWidgetItem* entry) { return entry->data(Qt::UserRole).toInt(); };
    connect(drawingOrderList_, &QListWidget::currentRowChanged, this, [this](int row) {
        const auto& order = editor_.document().drawingOrder();
        if (row >= 0 && row < static_cast<int>(order.size()))
            emit drawingOrderRowChosen(order[static_cast<std::size_t>(row)].slot);
    });
    connect(drawingOrderList_, &QListWidget::itemClicked, this,
            [this, slotOf](QListWidgetItem* entry) { emit drawingOrderClicked(slotOf(entry)); });
    connect(
        drawingOrderList_, &QListWidget::itemDoubleClicked, this,
        [this, slotOf](QListWidgetItem* entry) { emit drawingOrderDoubleClicked(slotOf(entry)); });
}

void SidePanel::orderMoveClicked(int step) {
    const int row = drawingOrderList_->currentRow();
    const bool selected = row >= 0 && drawingOrderList_->currentItem() &&
                          drawingOrderList_->currentItem()->isSelected();
    emit drawingOrderMoveRequested(selected ? row : -1, step);
}

void SidePanel::showItemLists() {
    const LayoutDocument& document = editor_.document();
    const QSignalBlocker blockItems(itemList_);
    const QSignalBlocker blockOrder(drawingOrderList_);
    itemList_->clear();
    for (const ListEntry& entry : document.itemList())
        itemList_->addItem(entry.text, entry.slot);
    const int current = document.currentSlot();
    itemList_->setCurrentIndex(document.isLive(current) ? document.listPosition(current) : -1);
    drawingOrderList_->clear();
    for (const ListEntry& entry : document.drawingOrder()) {
        auto* row = new QListWidgetItem(entry.text, drawingOrderList_);
        row->setData(Qt::UserRole, entry.slot);
    }
    showDrawingOrderRow();
}

void SidePanel::showCurrentSlot(int slot) {
    const LayoutDocument& document = editor_.document();
    showDrawingOrderRow();
    const QSignalBlocker block(itemList_);
    if (!document.isLive(slot)) {
        itemList_->setCurrentIndex(-1);
        for (QLabel* label : positionLabel_)
            label->clear();
        return;
    }
    const int position = document.listPosition(slot);
    if (position >= 0 && itemList_->currentIndex() != position)
        itemList_->setCurrentIndex(position);
    showItemPosition(slot);
}

void SidePanel::showDrawingOrderRow() {
    const LayoutDocument& document = editor_.document();
    const QSignalBlocker block(drawingOrderList_);
    const int slot = document.currentSlot();
    const auto& order = document.drawingOrder();
    const auto entry = std::find_if(order.begin(), order.end(),
                                    [slot](const ListEntry& e) { return e.slot == slot; });
    if (!document.isLive(slot) || entry == order.end()) {
        drawingOrderList_->setCurrentRow(-1);
        drawingOrderList_->clearSelection();
        return;
    }
    drawingOrderList_->setCurrentRow(static_cast<int>(entry - order.begin()));
}

void SidePanel::showItemPosition(int slot) {
    if (!editor_.document().isLive(slot))
        return;
    const LayoutItem& item = editor_.document().item(slot);
    showPosition(QRectF(item.Left, item.Top, item.Width + kItemFrame, item.Height + kItemFrame));
}

void SidePanel::showPosition(const QRectF& view) {
    positionLabel_[0]->setText(QStringLiteral("X=") + coordinateText(view.x()));
    positionLabel_[1]->setText(QStringLiteral("Y=") + coordinateText(view.y()));
    positionLabel_[2]->setText(QStringLiteral("幅=") + coordinateText(view.width()));
    positionLabel_[3]->setText(QStringLiteral("高さ=") + coordinateText(view.height()));
}

} // namespace tobirae
