// The main window: the canvas with the item views, the panels on the right (commands, output
// month, item list, position, drawing order), the menu bar and the export message panel. It owns
// the document and the settings for the whole run.
#pragma once

#include "app/EditorStartup.h"
#include "bitmap/RenderContext.h"
#include "render/PdfExport.h"
#include "ui/editing/EditorDocument.h"
#include "ui/editing/GridSnap.h"
#include "ui/editing/Guides.h"
#include "ui/editing/UnsavedChanges.h"
#include "ui/main/MainMenus.h"
#include "ui/main/MonthRangeDialog.h"

#include <QMainWindow>
#include <QUrl>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QGraphicsScene;
class QLabel;
class QListWidget;
class QPushButton;
class QTimer;

namespace tobirae {

class CanvasView;
class EditLineItem;
class ExportMessagePanel;
class ItemView;
class OutputRangePanel;
class PaperItem;
class RecoveryKeeper;
class SFrm_AddCtrl;
class TemplateDialog;
class UserPrompts;

class SFrm_Main final : public QMainWindow {
    Q_OBJECT
public:
    // Runs the start-up steps that need the window: caption, year list and month, the canvas
    // for the start-up document.
    SFrm_Main(EditorStartState start, UserPrompts& prompts, QWidget* parent = nullptr);
    ~SFrm_Main() override;

    LayoutDocument& document() { return editor_->document(); }
    const LayoutDocument& document() const { return editor_->document(); }
    // Every change to the layout goes through the editor document; the canvas follows it.
    EditorDocument& editor() { return *editor_; }
    AppSettings& settings() { return settings_; }
    int outputYear() const;
    int outputMonth() const;
    QString exportName() const { return exportName_; }
    QString baseCaption() const { return baseCaption_; }
    QString helpFile() const { return helpFile_; }
    void setHelpFile(const QString& file) { helpFile_ = file; }
    // Where "テンプレートから新規作成..." finds its layouts.
    QString templateFolder() const { return templateFolder_; }
    void setTemplateFolder(const QString& folder) { templateFolder_ = folder; }
    // How the help page is handed to the desktop (a browser); tests replace it.
    void setUrlOpener(std::function<bool(const QUrl&)> opener) { openUrl_ = std::move(opener); }
    bool exporting() const { return exporting_; }

    const MainMenus& menus() const { return menus_; }
    CanvasView* canvasView() const { return canvasView_; }
    OutputRangePanel* outputRange() const { return outputRange_; }
    ExportMessagePanel* messagePanel() const { return messagePanel_; }
    QComboBox* itemList() const { return Cmb_Item; }
    QListWidget* drawingOrderList() const { return Lst_PrintNo; }
    QPushButton* commandButton(int index) const {
        return Cmd_Command.at(static_cast<std::size_t>(index));
    }
    QLabel* positionLabel(int index) const { return Lbl_Point.at(static_cast<std::size_t>(index)); }
    ItemView* itemView(int slot) const;
    PaperItem* paper() const { return paper_; }

    // --- Commands ---
    // Reads a layout file; an empty name asks with the open dialog.
    bool Fnc_LayOutRead(const QString& fileName = {});
    bool Fnc_LayOutSave();
    // "上書き保存": saves to the layout's own file; a new layout asks for a name first.
    bool saveLayoutOverwrite();
    bool Fnc_NewData();
    // "テンプレートから新規作成...": a copy of a chosen template becomes a new, unnamed document.
    bool newFromTemplate();
    // Tests work the template dialog instead of a person (the runner returns whether it was
    // accepted).
    void setTemplateDialogRunner(std::function<bool(TemplateDialog&)> runner) {
        templateDialogRunner_ = std::move(runner);
    }
    // Files dropped on the window: the first one is read when it is a layout file.
    void dropFiles(const QStringList& paths);
    // At start-up: offers the recovery copies left by editors that ended without saving, newest
    // first; an accepted one becomes the layout, with its own file name and unsaved. True when
    // one was taken back.
    bool offerRecovery();
    RecoveryKeeper& recovery() { return *recovery_; }
    // "画像ファイル作成": returns once the export has ended; the window stays responsive meanwhile.
    bool Fnc_MakeBmpFile();
    bool Fnc_LayOutPageSizeChange(bool skipDialog);
    void showOptions();
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
    bool Fnc_LayOutItemAdd();
    // "貼り付け" at the canvas popup's point, or at the corner when there is none.
    bool Fnc_LayOutItemPasete();
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
    // Tests replace the confirmation of new items, or how the property dialog is run (the
    // runner works the dialog and returns whether it was accepted).
    void setNewItemConfirmation(std::function<bool(LayoutItem&)> confirm) {
        newItemConfirmation_ = std::move(confirm);
    }
    void setPropertyDialogRunner(std::function<bool(SFrm_AddCtrl&)> runner) {
        propertyDialogRunner_ = std::move(runner);
    }

    // --- Previews and canvas ---
    bool Fnc_ItemPrint(bool autoSize);
    bool Fnc_RefreshAllItem();
    bool Fnc_PageRePrint();
    bool Fnc_SetMyCaption();
    bool Fnc_ItemPointDisp(int slot);
    bool Fnc_MoveSenter(bool vertical, int slot);

    // --- Edit lines and grid ---
    // Shows or hides the edit lines by the settings; a shown line at 0 or less starts in the
    // middle of the page.
    bool Fnc_VHBarDisp();
    // Enabled states of the entries that need shown edit lines.
    bool Fnc_SetEditLineMenu();
    // axis 0: the vertical lines V0, V1; 1: the horizontal lines H0, H1.
    EditLineItem* editLine(int axis, int index) const;
    // The lines' positions with the settings' shown and symmetric flags.
    EditLines editLines() const;
    // The main grid's snapping as the settings have it.
    GridSnap gridSnap() const;
    // "編集ラインを左端に合わせる" … for the current item.
    bool moveEditLineToItem(Edge edge);
    // "左端に移動" … and "左端に合わせる" …: one step each; the locks are not consulted.
    bool moveItemToEdge(int slot, Edge edge);
    bool moveItemToEditLine(int slot, Edge edge);
    // "配置指定": the position dialog for the slot's view; confirmed values are one step.
    bool placeItemByDialog(int slot);

    // The page as the export draws it: the views' geometry on the canvas, the settings'
    // background.
    PageJob pageJob() const;

    // --- Pages of several months ---
    // "PDF出力...": a month range as one PDF file.
    bool exportPdfRange();
    // "一括出力...": a month range as BMP or PNG files, or one PDF, into a folder.
    bool exportMonthRange();
    // "印刷..." / "印刷プレビュー...": one page per month of a range, fitted to the paper.
    bool printMonths(bool preview);
    // Tests answer the month-range dialog instead of a person (nullopt: cancelled); `initial` is
    // what the dialog would start from.
    using MonthRangeChooser = std::function<std::optional<MonthRangeChoice>(
        const QString& title, bool withFormat, const MonthRangeChoice& initial)>;
    void setMonthRangeChooser(MonthRangeChooser chooser) {
        monthRangeChooser_ = std::move(chooser);
    }

signals:
    void exportFinished(bool ok, const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildPanels();
    void buildEditLines();
    // Puts the line items where editLinePairs_ says, shown as the settings say.
    void showEditLineItems();
    void editLineReleased(int axis, int index, double position);
    void connectGuideCommands();
    // Enabled states of the guide entries of the "位置" and "編集ライン" submenus.
    void prepareGuideEntries(int slot);
    void connectCommands();
    void prgInit();
    void connectEditing();
    void syncViewsWithDocument();
    void showPage();
    // Asks whether the items follow a new paper; the scale when they do.
    std::optional<PaperScale> askPaperScale(QSize from, QSize to);
    void itemChanged(int slot, ItemChanges what);
    void showCurrentSlot(int slot);
    void itemKey(int slot, int key, Qt::KeyboardModifiers modifiers);
    void itemPressed(int slot, Qt::MouseButton button, bool onHandle);
    void showItemPopup(int slot, QPoint screenPos);
    void showCanvasPopup(QPointF scenePos, QPoint screenPos);
    void dropOnItem(const QStringList& paths, QPointF scenePos);
    void connectView(ItemView* view);
    // Enabled states, captions and check marks of the Edit menu for the current item.
    void updateMenuStates();
    // Draws the slot's preview (Fnc_ItemPrint for that slot; the current slot stays).
    bool drawItem(int slot, bool autoSize);
    bool autoSizes(int slot) const;
    // Runs the property dialog on the record; true and the edited record when accepted.
    bool runPropertyDialog(LayoutItem& item, bool isNew);
    ItemView* ensureView(int slot);
    void placeView(int slot);
    // Views are stacked by drawing order so the canvas shows what the page will show.
    void stackViewsInDrawingOrder();
    void showItemLists();
    void showFocus(int slot);
    void showPosition(const QRectF& view);
    void zoomChanged();
    QString layoutFolder() const;
    void setBusy(bool busy);
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
    std::optional<MonthRangeChoice> chooseMonths(const QString& title, bool withFormat);
    // Runs `work` on a worker thread while the message panel counts the pages and offers to
    // cancel; the window stays responsive.
    ExportResult runPageWork(int pages,
                             const std::function<ExportResult(const std::atomic<bool>& cancel,
                                                              const PageDone& onPage)>& work);

    EditorDocument* editor_ = nullptr;
    RecoveryKeeper* recovery_ = nullptr;
    std::function<bool(LayoutItem&)> newItemConfirmation_;
    std::function<bool(SFrm_AddCtrl&)> propertyDialogRunner_;
    std::function<bool(TemplateDialog&)> templateDialogRunner_;
    MonthRangeChooser monthRangeChooser_;
    std::optional<QPointF> pastePoint_;
    AppSettings settings_;
    UserPrompts& prompts_;
    RenderContext previewContext_;
    std::array<bool, kSlotCount + 1> previewGuard_{};
    std::array<ItemView*, kSlotCount> views_{};
    std::array<EditLinePair, 2> editLinePairs_{};
    std::array<std::array<EditLineItem*, 2>, 2> editLineItems_{};

    QString baseCaption_;
    QString exportName_;
    QString helpFile_;
    QString templateFolder_;
    std::function<bool(const QUrl&)> openUrl_;
    bool exporting_ = false;
    int focusedSlot_ = -1;

    MainMenus menus_;
    QGraphicsScene* scene_ = nullptr;
    PaperItem* paper_ = nullptr;
    CanvasView* canvasView_ = nullptr;
    OutputRangePanel* outputRange_ = nullptr;
    ExportMessagePanel* messagePanel_ = nullptr;
    QComboBox* Cmb_Item = nullptr;
    QListWidget* Lst_PrintNo = nullptr;
    std::array<QPushButton*, 6> Cmd_Command{};
    std::array<QLabel*, 4> Lbl_Point{};
    QLabel* Lbl_Zoom = nullptr;
    QTimer* repaintTimer_ = nullptr;
    QTimer* zoomTimer_ = nullptr;
};

} // namespace tobirae
