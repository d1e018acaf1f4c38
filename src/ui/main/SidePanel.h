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
    std::array<QPushButton*, 6> Cmd_Command{};
    OutputRangePanel* outputRange = nullptr;
    QComboBox* Cmb_Item = nullptr;
    std::array<QLabel*, 4> Lbl_Point{};
    QListWidget* Lst_PrintNo = nullptr;
    QPushButton* orderUp = nullptr;
    QPushButton* orderDown = nullptr;
};

SidePanel buildSidePanel();

} // namespace tobirae
