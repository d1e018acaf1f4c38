// The commands on the items of the canvas: adding, pasting, copying and deleting, the property
// dialog, the gestures and keys on the item views, the two popup menus, the moves to the page
// edges and edit lines and the position dialog. Every change goes through the EditorDocument;
// the views follow its signals.
#pragma once

#include "ui/editing/Guides.h"

#include <QObject>
#include <QPointF>
#include <optional>

class QWidget;

namespace tobirae {

struct AppSettings;
class CanvasGuides;
class CanvasScene;
class CanvasView;
class EditorDocument;
class ExportRunner;
class ItemView;
class LayoutActions;
class LayoutFiles;
struct LayoutItem;
struct MainMenus;
class SidePanel;
class UserPrompts;
struct WindowTestHooks;

// What the item commands work with; all of it outlives them.
struct ItemCommandParts {
    QWidget& window; // parent of their dialogs
    EditorDocument& editor;
    CanvasScene& scene;
    CanvasView& view;
    CanvasGuides& guides;
    const MainMenus& menus;
    LayoutActions& actions;
    SidePanel& panel;
    LayoutFiles& files;
    const ExportRunner& exports;
    const AppSettings& settings;
    UserPrompts& prompts;
    const WindowTestHooks& hooks;
};

class ItemCommands final : public QObject {
    Q_OBJECT
public:
    explicit ItemCommands(const ItemCommandParts& parts);

    // The item list's choice: the slot becomes current, visible and focused. A click on the
    // canvas selects without scrolling, so the item stays under the pointer.
    void selectItem(int slot, bool scrollIntoView = true);
    // The scene's focus follows the current item; no item: no view keeps the keyboard.
    void showCurrentSlot(int slot);
    // Moves the drawing-order row one place earlier (-1) or later (+1); -1: none selected.
    void moveDrawingOrder(int row, int step);

    // "アイテム追加": new-item defaults, confirmed through confirmNewItem.
    bool addItemFromDialog();
    // "貼り付け" at the canvas popup's point, or at the corner when there is none.
    bool pasteCopiedItem();
    // "削除" with its confirmation.
    bool deleteItemAsked(int slot);
    void toggleResizeMode(int slot);
    // The property dialog for a new item: true when the user confirmed; the item then holds
    // what the dialog made of it.
    bool confirmNewItem(LayoutItem& item);
    // "詳細編集" (double click, Enter) for the slot: OK with a change is one step.
    void openItemProperties(int slot);
    // The canvas popup's states; `pastePoint` is where "貼り付け" puts the copy.
    void prepareCanvasPopup(std::optional<QPointF> pastePoint);

    // "左端に移動" … and "左端に合わせる" …: one step each; the locks are not consulted.
    bool moveItemToEdge(int slot, Edge edge);
    bool moveItemToEditLine(int slot, Edge edge);
    // "配置指定": the position dialog for the slot's view; confirmed values are one step.
    bool placeItemByDialog(int slot);

private:
    void connectMenus();
    void connectGuideMenus();
    void connectView(ItemView* view);
    void itemKey(int key);
    void itemPressed(int slot, Qt::MouseButton button, bool onHandle);
    void showItemPopup(int slot, QPoint screenPos);
    void showCanvasPopup(QPointF scenePos, QPoint screenPos);
    void dropOnItem(const QStringList& paths, QPointF scenePos);
    // Runs the property dialog on the record; true and the edited record when accepted.
    bool runPropertyDialog(LayoutItem& item, bool isNew);

    ItemCommandParts p_;
    std::optional<QPointF> pastePoint_;
};

} // namespace tobirae
