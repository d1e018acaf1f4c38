// The panel on the right of the main window: the command buttons, the output month, the item
// list with the position display, and the drawing order with its move buttons. It shows what the
// editor document holds and tells the user's choices by its signals; it changes nothing itself.
#pragma once

#include <QRectF>
#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tobirae {

class EditorDocument;
class OutputRangePanel;

class SidePanel final : public QWidget {
    Q_OBJECT
public:
    // The six command buttons, in their order on the panel.
    enum Command { PageSize, AddItem, MakeBitmap, OpenLayout, SaveLayout, Preview };

    explicit SidePanel(const EditorDocument& editor, QWidget* parent = nullptr);

    QPushButton* commandButton(int index) const {
        return commandButton_.at(static_cast<std::size_t>(index));
    }
    OutputRangePanel* outputRange() const { return outputRange_; }
    QComboBox* itemList() const { return itemList_; }
    QListWidget* drawingOrderList() const { return drawingOrderList_; }
    QLabel* positionLabel(int index) const {
        return positionLabel_.at(static_cast<std::size_t>(index));
    }

    // The item list and the drawing order as the document has them.
    void showItemLists();
    // The current item's entries are highlighted, or none; the position labels follow.
    void showCurrentSlot(int slot);
    // "X=", "Y=", "幅=", "高さ=" of an item's view (4 pixels larger than its drawing).
    void showPosition(const QRectF& view);
    void showItemPosition(int slot);

signals:
    void commandClicked(tobirae::SidePanel::Command command);
    // An entry of the item list was chosen.
    void itemChosen(int slot);
    // A drawing-order row became current (click or key); clicked: the row was clicked.
    void drawingOrderRowChosen(int slot);
    void drawingOrderClicked(int slot);
    void drawingOrderDoubleClicked(int slot);
    // "▲" / "▼": the selected drawing-order row (-1: none is selected) one place earlier (-1)
    // or later (+1).
    void drawingOrderMoveRequested(int row, int step);

private:
    void buildCommands();
    void buildItemFrame();
    void buildDrawingOrder();
    void showDrawingOrderRow();
    void orderMoveClicked(int step);

    const EditorDocument& editor_;
    std::array<QPushButton*, 6> commandButton_{};
    OutputRangePanel* outputRange_ = nullptr;
    QComboBox* itemList_ = nullptr;
    std::array<QLabel*, 4> positionLabel_{};
    QListWidget* drawingOrderList_ = nullptr;
};

} // namespace tobirae
