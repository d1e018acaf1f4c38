// The panels on the right of the main window: the command buttons, the output month, the item
// list with the position display, and the drawing order with its move buttons.
#pragma once

#include <QString>
#include <array>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace tobirae {

class OutputRangePanel;

struct SidePanel {
    QWidget* widget = nullptr;
    std::array<QPushButton*, 6> commandButton_{};
    OutputRangePanel* outputRange = nullptr;
    QComboBox* itemCombo_ = nullptr;
    std::array<QLabel*, 4> pointLabel_{};
    QListWidget* drawingOrderList_ = nullptr;
    QPushButton* orderUp = nullptr;
    QPushButton* orderDown = nullptr;
};

SidePanel buildSidePanel();

} // namespace tobirae
