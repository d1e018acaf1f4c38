// The enabled states, captions and check marks of the main window's actions, kept to what the
// editor document and the edit lines say. The commands themselves are connected elsewhere.
#pragma once

#include <QObject>

namespace tobirae {

class CanvasGuides;
class EditorDocument;
struct MainMenus;

class LayoutActions final : public QObject {
    Q_OBJECT
public:
    LayoutActions(const MainMenus& menus, EditorDocument& editor, const CanvasGuides& guides,
                  QObject* parent = nullptr);

    // Everything for the current item (none: the item entries are disabled).
    void update();
    // The item popup for the slot: its captions, check marks and the guide entries.
    void prepareItemPopup(int slot);
    // The canvas popup: mouse lock, re-stack and paste.
    void prepareCanvasPopup();

private:
    // Enabled states of the guide entries of the "位置" and "編集ライン" submenus.
    void prepareGuideEntries(int slot);

    const MainMenus& menus_;
    const EditorDocument& editor_;
    const CanvasGuides& guides_;
};

} // namespace tobirae
