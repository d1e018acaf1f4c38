// The main window builds its parts and wires them: the editor document, the canvas with the item
// views and the guides, the side panel, the action states, the file, item and dialog commands and
// the outputs. Geometry flows one way, from the document to the views.
#pragma once

#include "app/EditorStartup.h"
#include "app/SettingsKeeper.h"
#include "ui/editing/EditorDocument.h"
#include "ui/main/MainMenus.h"
#include "ui/main/WindowTestHooks.h"

#include <QMainWindow>

class QLabel;

namespace tobirae {

class CanvasGuides;
class CanvasScene;
class CanvasView;
class ExportRunner;
class ItemCommands;
class ItemView;
class LayoutActions;
class LayoutFiles;
class PaperItem;
class PrintShopCommands;
class RecoveryKeeper;
class SidePanel;
class UserPrompts;
class WindowDialogs;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    // Runs the start-up steps that need the window: caption, output month, the canvas for the
    // start-up document.
    MainWindow(EditorStartState start, UserPrompts& prompts, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The layout as it stands; every change goes through editor().
    const LayoutDocument& document() const { return editor_->document(); }
    EditorDocument& editor() { return *editor_; }
    AppSettings& settings() { return settings_; }
    // Tests answer the dialogs and the desktop through these.
    WindowTestHooks& testHooks() { return hooks_; }

    const MainMenus& menus() const { return menus_; }
    CanvasView* canvasView() const { return canvasView_; }
    CanvasGuides& guides() const { return *guides_; }
    ItemView* itemView(int slot) const;
    PaperItem* paper() const;
    SidePanel& sidePanel() const { return *panel_; }
    LayoutActions& actions() const { return *actions_; }
    LayoutFiles& files() const { return *files_; }
    ItemCommands& items() const { return *items_; }
    WindowDialogs& dialogs() const { return *dialogs_; }
    ExportRunner& exports() const { return *exports_; }
    PrintShopCommands& printShop() const { return *printShop_; }
    RecoveryKeeper& recovery() { return *recovery_; }
    // Writes the settings file in the background whenever a setting changes.
    SettingsKeeper& settingsKeeper() { return *settingsKeeper_; }

    // The paper's colour, the grid, the edit lines and their menu entries as the settings say.
    void updateGuides();
    void redrawAllItems();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Esc that no part of the window took (an open list or menu takes its own) closes it.
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildParts(UserPrompts& prompts);
    void buildCentralWidget();
    void connectCommands();
    void connectDocument();
    // The canvas and the page settings follow the document's page.
    void showPage();
    void zoomChanged();

    EditorDocument* editor_ = nullptr;
    RecoveryKeeper* recovery_ = nullptr;
    SettingsKeeper* settingsKeeper_ = nullptr;
    AppSettings settings_;
    UserPrompts& prompts_;
    WindowTestHooks hooks_;
    MainMenus menus_;
    CanvasScene* scene_ = nullptr;
    CanvasView* canvasView_ = nullptr;
    CanvasGuides* guides_ = nullptr;
    SidePanel* panel_ = nullptr;
    LayoutActions* actions_ = nullptr;
    ExportRunner* exports_ = nullptr;
    PrintShopCommands* printShop_ = nullptr;
    LayoutFiles* files_ = nullptr;
    ItemCommands* items_ = nullptr;
    WindowDialogs* dialogs_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
};

} // namespace tobirae
