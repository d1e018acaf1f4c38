// The main window: the menus, the side panel (commands, output month, item list, position,
// drawing order) and the wiring between them, the editor document and the parts that own the
// rest: the canvas scene with the item views, the guides and the export runner.
#pragma once

#include "app/EditorStartup.h"
#include "app/SettingsKeeper.h"
#include "ui/editing/EditorDocument.h"
#include "ui/editing/GridSnap.h"
#include "ui/editing/Guides.h"
#include "ui/editing/UnsavedChanges.h"
#include "ui/main/MainMenus.h"
#include "ui/main/SidePanel.h"
#include "ui/main/WindowTestHooks.h"

#include <QMainWindow>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace tobirae {

class CanvasGuides;
class CanvasScene;
class CanvasView;
class EditLineItem;
class ExportMessagePanel;
class ExportRunner;
class ItemView;
class OutputRangePanel;
class PaperItem;
class PrintShopCommands;
class RecoveryKeeper;
struct PageJob;
struct ReadResult;
class UserPrompts;

class MainWindow final : public QMainWindow {
    Q_OBJECT
public:
    // Runs the start-up steps that need the window: caption, year list and month, the canvas
    // for the start-up document.
    MainWindow(EditorStartState start, UserPrompts& prompts, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The layout as it stands; every change goes through editor().
    const LayoutDocument& document() const { return editor_->document(); }
    EditorDocument& editor() { return *editor_; }
    AppSettings& settings() { return settings_; }
    int outputYear() const;
    int outputMonth() const;
    QString exportName() const;
    QString baseCaption() const { return baseCaption_; }
    QString helpFile() const { return helpFile_; }
    void setHelpFile(const QString& file) { helpFile_ = file; }
    // Where "テンプレートから新規作成..." finds its layouts.
    QString templateFolder() const { return templateFolder_; }
    void setTemplateFolder(const QString& folder) { templateFolder_ = folder; }
    // Tests answer the dialogs and the desktop through these.
    WindowTestHooks& testHooks() { return hooks_; }
    bool exporting() const;

    const MainMenus& menus() const { return menus_; }
    CanvasScene& canvasScene() const { return *scene_; }
    CanvasGuides& guides() const { return *guides_; }
    ExportRunner& exports() const { return *exports_; }
    PrintShopCommands& printShop() const { return *printShop_; }
    CanvasView* canvasView() const { return canvasView_; }
    OutputRangePanel* outputRange() const { return panel_.outputRange; }
    ExportMessagePanel* messagePanel() const;
    QComboBox* itemList() const { return panel_.itemCombo_; }
    QListWidget* drawingOrderList() const { return panel_.drawingOrderList_; }
    QPushButton* commandButton(int index) const {
        return panel_.commandButton_.at(static_cast<std::size_t>(index));
    }
    QLabel* positionLabel(int index) const {
        return panel_.pointLabel_.at(static_cast<std::size_t>(index));
    }
    ItemView* itemView(int slot) const;
    PaperItem* paper() const;

    // --- Commands ---
    // Reads a layout file; an empty name asks with the open dialog.
    bool openLayout(const QString& fileName = {});
    bool saveLayoutAs();
    // "上書き保存": saves to the layout's own file; a new layout asks for a name first.
    bool saveLayoutOverwrite();
    bool newLayout();
    // "テンプレートから新規作成...": a copy of a chosen template becomes a new, unnamed document.
    bool newFromTemplate();
    // Files dropped on the window: the first one is read when it is a layout file.
    void dropFiles(const QStringList& paths);
    // At start-up: offers the recovery copies left by editors that ended without saving, newest
    // first; an accepted one becomes the layout, with its own file name and unsaved. True when
    // one was taken back.
    bool offerRecovery();
    RecoveryKeeper& recovery() { return *recovery_; }
    // "画像ファイル作成": returns once the export has ended; the window stays responsive meanwhile.
    bool exportPageBitmap();
    bool changePageSize(bool skipDialog);
    void showOptions();
    // "予定・休日の設定": the layout's own days; OK is one step.
    bool showOwnDays();
    void showPreview();
    void showAbout();
    bool showHelp();
    // Changes the output month as the year list and month buttons do.
    void setOutputMonth(int year, int month);
    // The item list's choice: the slot becomes current, visible and focused. A click on the
    // canvas selects without scrolling, so the item stays under the pointer.
    void selectItem(int slot, bool scrollIntoView = true);
    // Moves the selected drawing-order entry one place earlier (-1) or later (+1).
    void moveDrawingOrder(int step);

    // --- Canvas editing ---
    // "アイテム追加": new-item defaults, confirmed through confirmNewItem.
    bool addItemFromDialog();
    // "貼り付け" at the canvas popup's point, or at the corner when there is none.
    bool pasteCopiedItem();
    bool copyItem(int slot);
    // "削除" with its confirmation.
    bool deleteItemAsked(int slot);
    void toggleResizeMode(int slot);
    // Captions, check marks and enabled states of the two popup menus for an item / the canvas.
    void prepareItemPopup(int slot);
    void prepareCanvasPopup(std::optional<QPointF> pastePoint);
    // The property dialog for a new item: true when the user confirmed; the item then holds
    // what the dialog made of it.
    bool confirmNewItem(LayoutItem& item);
    // "詳細編集" (double click, Enter) for the slot: OK with a change is one step.
    void openItemProperties(int slot);

    // --- Previews and canvas ---
    bool redrawAllItems();
    bool updateGuides();
    bool updateCaption();
    bool showItemPosition(int slot);
    bool centreSelectedItem(bool vertical, int slot);

    // --- Edit lines and grid ---
    // Enabled states of the entries that need shown edit lines.
    bool updateEditLineActions();
    // axis 0: the vertical lines V0, V1; 1: the horizontal lines H0, H1.
    EditLineItem* editLine(int axis, int index) const;
    EditLines editLines() const;
    GridSnap gridSnap() const;
    // "左端に移動" … and "左端に合わせる" …: one step each; the locks are not consulted.
    bool moveItemToEdge(int slot, Edge edge);
    bool moveItemToEditLine(int slot, Edge edge);
    // "配置指定": the position dialog for the slot's view; confirmed values are one step.
    bool placeItemByDialog(int slot);

    // The page as the export draws it.
    PageJob pageJob() const;

    // --- Pages of several months ---
    bool exportPdfRange();
    bool exportMonthRange();
    bool printMonths(bool preview);

    // Writes the settings file in the background whenever a setting changes.
    SettingsKeeper& settingsKeeper() { return *settingsKeeper_; }

signals:
    void exportFinished(bool ok, const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void buildPanels();
    void connectGuideCommands();
    // Enabled states of the guide entries of the "位置" and "編集ライン" submenus.
    void prepareGuideEntries(int slot);
    void connectCommands();
    void prepareCanvas();
    void connectEditing();
    void showPage();
    // Asks whether the items follow a new paper; the scale when they do.
    std::optional<PaperScale> askPaperScale(QSize from, QSize to);
    void itemChanged(int slot, ItemChanges what);
    void showCurrentSlot(int slot);
    // The drawing-order list highlights the current item's entry, or none.
    void showDrawingOrderRow();
    void itemKey(int slot, int key, Qt::KeyboardModifiers modifiers);
    void itemPressed(int slot, Qt::MouseButton button, bool onHandle);
    void showItemPopup(int slot, QPoint screenPos);
    void showCanvasPopup(QPointF scenePos, QPoint screenPos);
    void dropOnItem(const QStringList& paths, QPointF scenePos);
    void connectView(ItemView* view);
    // Enabled states, captions and check marks of the Edit menu for the current item.
    void updateMenuStates();
    // Runs the property dialog on the record; true and the edited record when accepted.
    bool runPropertyDialog(LayoutItem& item, bool isNew);
    void showItemLists();
    void showPosition(const QRectF& view);
    void zoomChanged();
    bool writeLayout(const QString& path);
    // Asks before the layout is replaced or the window closed, only when there are unsaved
    // changes (quitting without them asks the plain confirmation); false when the command stops:
    // cancelled, or the save asked for did not happen.
    bool mayReplaceLayout(ReplacingCommand command);
    // "最近使ったファイル": the path goes first; the menu follows.
    void rememberRecentFile(const QString& path);
    void showRecentFiles();
    // Makes a document read from a file the one being edited: the paper is cut to what the
    // page-size dialog allows, the canvas and previews are made again. `path` becomes the
    // document's path (empty: a new, unnamed document).
    void adoptDocument(std::unique_ptr<LayoutDocument> document, const QString& path);
    // One message naming the pictures of the layout just read that cannot be drawn.
    void tellMissingPictures();
    // Takes a layout read from a file or a recovery copy, or says why not (after `failure`);
    // shows the notice of a damaged extension block.
    bool adoptReadLayout(ReadResult result, const QString& path, const QString& failure);

    EditorDocument* editor_ = nullptr;
    RecoveryKeeper* recovery_ = nullptr;
    SettingsKeeper* settingsKeeper_ = nullptr;
    AppSettings settings_;
    UserPrompts& prompts_;
    WindowTestHooks hooks_;
    MainMenus menus_;
    SidePanel panel_;
    CanvasScene* scene_ = nullptr;
    CanvasView* canvasView_ = nullptr;
    CanvasGuides* guides_ = nullptr;
    ExportRunner* exports_ = nullptr;
    PrintShopCommands* printShop_ = nullptr;
    std::optional<QPointF> pastePoint_;
    QString baseCaption_;
    QString helpFile_;
    QString templateFolder_;
    QLabel* zoomLabel_ = nullptr;
};

} // namespace tobirae
