#include "ui/main/SidePanel.h"

#include "ui/main/OutputRangePanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tobirae {

namespace {

constexpr int kPanelWidth = 236;

} // namespace

SidePanel buildSidePanel() {
    SidePanel p;
    auto* panel = new QWidget;
    p.widget = panel;
    panel->setObjectName(QStringLiteral("panelView"));
    panel->setFixedWidth(kPanelWidth);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);

    auto* commands = new QGridLayout;
    const std::array<QString, 6> captions{
        QStringLiteral("用紙サイズ変更"),   QStringLiteral("アイテム追加"),
        QStringLiteral("画像ファイル作成"), QStringLiteral("レイアウト読込"),
        QStringLiteral("レイアウト保存"),   QStringLiteral("画像プレビュー")};
    for (int i = 0; i < 6; ++i) {
        auto* button = new QPushButton(captions[static_cast<std::size_t>(i)], panel);
        button->setObjectName(QStringLiteral("commandButton%1").arg(i));
        p.commandButton_[static_cast<std::size_t>(i)] = button;
        commands->addWidget(button, i / 2, i % 2);
    }
    panelLayout->addLayout(commands);

    p.outputRange = new OutputRangePanel(panel);
    panelLayout->addWidget(p.outputRange);

    auto* itemFrame = new QGroupBox(QStringLiteral("アイテム"), panel);
    auto* itemLayout = new QVBoxLayout(itemFrame);
    p.itemCombo_ = new QComboBox(itemFrame);
    p.itemCombo_->setObjectName(QStringLiteral("itemCombo"));
    itemLayout->addWidget(p.itemCombo_);
    auto* pointGrid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(itemFrame);
        label->setObjectName(QStringLiteral("pointLabel%1").arg(i));
        p.pointLabel_[static_cast<std::size_t>(i)] = label;
        pointGrid->addWidget(label, i / 2, i % 2);
    }
    itemLayout->addLayout(pointGrid);
    panelLayout->addWidget(itemFrame);

    auto* orderFrame = new QGroupBox(QStringLiteral("描画順"), panel);
    auto* orderLayout = new QHBoxLayout(orderFrame);
    p.drawingOrderList_ = new QListWidget(orderFrame);
    p.drawingOrderList_->setObjectName(QStringLiteral("drawingOrderList"));
    orderLayout->addWidget(p.drawingOrderList_, 1);
    auto* moveButtons = new QVBoxLayout;
    p.orderUp = new QPushButton(QStringLiteral("▲"), orderFrame);
    p.orderUp->setObjectName(QStringLiteral("orderUpButton"));
    p.orderUp->setToolTip(QStringLiteral("描画順を前へ"));
    p.orderDown = new QPushButton(QStringLiteral("▼"), orderFrame);
    p.orderDown->setObjectName(QStringLiteral("orderDownButton"));
    p.orderDown->setToolTip(QStringLiteral("描画順を後へ"));
    for (QPushButton* b : {p.orderUp, p.orderDown})
        b->setFixedWidth(32);
    moveButtons->addWidget(p.orderUp);
    moveButtons->addWidget(p.orderDown);
    moveButtons->addStretch();
    orderLayout->addLayout(moveButtons);
    panelLayout->addWidget(orderFrame, 1);
    return p;
}

} // namespace tobirae
