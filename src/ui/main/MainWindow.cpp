#include "ui/main/MainWindow.h"

#include "ui/dialogs/UserPrompts.h"
#include "ui/main/AlignmentToolbar.h"
#include "ui/main/CanvasGuides.h"
#include "ui/main/CanvasScene.h"
#include "ui/main/CanvasView.h"
#include "ui/main/ExportRunner.h"
#include "ui/main/ItemCommands.h"
#include "ui/main/LayoutActions.h"
#include "ui/main/LayoutFiles.h"
#include "ui/main/OutputRangePanel.h"
#include "ui/main/PaperItem.h"
#include "ui/main/PrintShopCommands.h"
#include "ui/main/RecoveryKeeper.h"
#include "ui/main/SidePanel.h"
#include "ui/main/WindowDialogs.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <cmath>

namespace tobirae {

namespace {

// The panels keep this distance from the window's right edge (150 twips).
constexpr int kRightMargin = 150 / kTwipsPerPixel;

} // namespace

MainWindow::MainWindow(EditorStartState start, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), editor_(new EditorDocument(std::move(start.document), this)),
      settings_(std::move(start.settings)), prompts_(prompts) {
    setObjectName(QStringLiteral("MainWindow"));
    recovery_ = new RecoveryKeeper(*editor_, start.recoveryFolder, this);
    settingsKeeper_ = new SettingsKeeper(
        [this] {
            AppSettings now = settings_;
            if (isVisible() && !isMinimized())
                rememberWindowPosition(now, pos());
            return now;
        },
        this);
    buildParts(prompts);
    connectCommands();
    connectDocument();

    setWindowTitle(applicationTitle() + QStringLiteral("[*]"));
    editor_->setOutputMonth(start.outputYear, start.outputMonth);
    editor_->fitCanvasToPaper();
    showPage();
    editor_->setCurrentSlot(-1);
}

MainWindow::~MainWindow() {
    // A change of the last moments is written while the settings still exist.
    settingsKeeper_->flush();
}

ItemView* MainWindow::itemView(int slot) const {
    return scene_->itemView(slot);
}

PaperItem* MainWindow::paper() const {
    return scene_->paper();
}

void MainWindow::buildParts(UserPrompts& prompts) {
    scene_ = new CanvasScene(*editor_, this);
    canvasView_ = new CanvasView(scene_);
    guides_ = new CanvasGuides(*scene_, *editor_, settings_, this);
    menus_ = buildMainMenus(*this);
    QToolBar* alignBar = buildAlignmentToolbar(*this, menus_);
    if (!settings_.AlignToolbarShown)
        alignBar->hide();
    connect(alignBar->toggleViewAction(), &QAction::toggled, this, [this](bool shown) {
        settings_.AlignToolbarShown = shown;
        settingsKeeper_->changed();
    });
    panel_ = new SidePanel(*editor_);
    buildCentralWidget();
    actions_ = new LayoutActions(menus_, *editor_, *guides_, this);
    exports_ = new ExportRunner(*this, *editor_, settings_, prompts, hooks_);
    printShop_ = new PrintShopCommands(*this, *scene_, *editor_, settings_, *exports_, prompts,
                                       menus_.printShopPdf, menus_.bleedGuide, menus_.safetyGuide);
    files_ = new LayoutFiles(*this, *editor_, settings_, *settingsKeeper_, *recovery_, *exports_,
                             menus_, prompts, hooks_);
    items_ = new ItemCommands({*this, *editor_, *scene_, *canvasView_, *guides_, menus_, *actions_,
                               *panel_, *files_, *exports_, settings_, prompts, hooks_});
    dialogs_ = new WindowDialogs(*this, *editor_, settings_, *settingsKeeper_, *exports_, prompts,
                                 hooks_, scene_->daysCache());
}

void MainWindow::buildCentralWidget() {
    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("centralView"));
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, kRightMargin, 0);
    layout->addWidget(canvasView_, 1);
    layout->addWidget(panel_);
    setCentralWidget(central);

    zoomLabel_ = new QLabel(this);
    zoomLabel_->setObjectName(QStringLiteral("zoomLabel"));
    statusBar()->addPermanentWidget(zoomLabel_);
    zoomLabel_->setText(QStringLiteral("100%"));
}

void MainWindow::connectCommands() {
    connect(panel_, &SidePanel::commandClicked, this, [this](SidePanel::Command command) {
        switch (command) {
        case SidePanel::PageSize:
            return dialogs_->changePageSize();
        case SidePanel::AddItem:
            items_->addItemFromDialog();
            return;
        case SidePanel::MakeBitmap:
            exports_->exportPageBitmap();
            return;
        case SidePanel::OpenLayout:
            files_->openLayout();
            return;
        case SidePanel::SaveLayout:
            files_->saveLayoutAs();
            return;
        case SidePanel::Preview:
            return dialogs_->showPreview();
        }
    });
    connect(menus_.pageSize, &QAction::triggered, dialogs_, &WindowDialogs::changePageSize);
    connect(menus_.makeBitmap, &QAction::triggered, exports_, &ExportRunner::exportPageBitmap);
    connect(menus_.exportPdf, &QAction::triggered, exports_, &ExportRunner::exportPdfRange);
    connect(menus_.exportRange, &QAction::triggered, exports_, &ExportRunner::exportMonthRange);
    connect(menus_.print, &QAction::triggered, this, [this] { exports_->printMonths(false); });
    connect(menus_.printPreview, &QAction::triggered, this,
            [this] { exports_->printMonths(true); });
    connect(exports_, &ExportRunner::settingsChanged, settingsKeeper_, &SettingsKeeper::changed);
    connect(menus_.exit, &QAction::triggered, this, &QWidget::close);
    connect(menus_.options, &QAction::triggered, dialogs_, &WindowDialogs::showOptions);
    connect(menus_.ownDays, &QAction::triggered, dialogs_, &WindowDialogs::showOwnDays);
    connect(menus_.help, &QAction::triggered, dialogs_, &WindowDialogs::showHelp);
    connect(menus_.about, &QAction::triggered, dialogs_, &WindowDialogs::showAbout);
    connect(dialogs_, &WindowDialogs::optionsClosed, this, &MainWindow::updateGuides);

    connect(menus_.zoomIn, &QAction::triggered, canvasView_, &CanvasView::zoomIn);
    connect(menus_.zoomOut, &QAction::triggered, canvasView_, &CanvasView::zoomOut);
    connect(menus_.zoomActual, &QAction::triggered, this, [this] { canvasView_->setZoom(1.0); });
    connect(menus_.zoomFit, &QAction::triggered, this,
            [this] { canvasView_->fitPage(paper()->boundingRect()); });
    connect(canvasView_, &CanvasView::zoomChanged, this, &MainWindow::zoomChanged);
    connect(canvasView_, &CanvasView::visibleAreaChanged, scene_, &CanvasScene::setVisibleArea);

    connect(panel_->outputRange(), &OutputRangePanel::outputMonthRequested, editor_,
            &EditorDocument::setOutputMonth);
    connect(panel_, &SidePanel::itemChosen, this, [this](int slot) { items_->selectItem(slot); });
    // A row chosen in the drawing order, by click or by key, is the current item.
    connect(panel_, &SidePanel::drawingOrderRowChosen, editor_, &EditorDocument::setCurrentSlot);
    connect(panel_, &SidePanel::drawingOrderClicked, this,
            [this](int slot) { items_->selectItem(slot); });
    connect(panel_, &SidePanel::drawingOrderDoubleClicked, items_,
            &ItemCommands::openItemProperties);
    connect(panel_, &SidePanel::drawingOrderMoveRequested, items_, &ItemCommands::moveDrawingOrder);


}

void MainWindow::connectDocument() {
    connect(editor_, &EditorDocument::modifiedChanged, this,
            [this] { setWindowModified(editor_->isModified()); });
    connect(editor_, &EditorDocument::outputMonthChanged, panel_->outputRange(),
            &OutputRangePanel::showOutputMonth);
    // The canvas scene follows the same signals first: its views are in place when these run.
    const auto showCurrent = [this](int slot) {
        panel_->showCurrentSlot(slot);
        items_->showCurrentSlot(slot);
    };
    connect(editor_, &EditorDocument::currentSlotChanged, this, showCurrent);
    connect(editor_, &EditorDocument::itemRemoved, this, [this, showCurrent](int) {
        // The scene took the focus border off a removed focused item.
        if (scene_->focusedSlot() < 0)
            showCurrent(-1);
    });
    connect(editor_, &EditorDocument::itemChanged, this, [this](int slot) {
        if (slot == scene_->focusedSlot())
            panel_->showItemPosition(slot);
    });
    connect(editor_, &EditorDocument::listsChanged, panel_, &SidePanel::showItemLists);
    connect(editor_, &EditorDocument::pageChanged, this, &MainWindow::showPage);
    connect(editor_, &EditorDocument::documentReplaced, this, [this, showCurrent] {
        panel_->showItemLists();
        showCurrent(-1);
        updateGuides();
    });
    connect(files_, &LayoutFiles::layoutAdopted, this, &MainWindow::showPage);
}

void MainWindow::showPage() {
    const PageValues& page = document().page;
    settings_.Page.PaperSize = page.PaperSize;
    settings_.Page.PaperWidth = page.PaperWidth;
    settings_.Page.PaperHeight = page.PaperHeight;
    settings_.Page.Resolution = page.ResolutionDpi;
    settings_.Page.Portrait = toB16(page.Portrait);
    settingsKeeper_->changed();
    scene_->showPage();
    updateGuides();
}

void MainWindow::updateGuides() {
    paper()->setBackColor(settings_.Page.PageBackColor);
    guides_->showGrid();
    editor_->setGridSnap(guides_->gridSnap());
    guides_->updateRulers();
    actions_->update();
}

void MainWindow::redrawAllItems() {
    scene_->redrawAllItems();
    if (scene_->focusedSlot() >= 0)
        panel_->showItemPosition(scene_->focusedSlot());
}

void MainWindow::zoomChanged() {
    zoomLabel_->setText(QStringLiteral("%1%").arg(std::lround(canvasView_->zoom() * 100)));
    guides_->setZoom(canvasView_->zoom());
    scene_->setDeviceScale(static_cast<float>(canvasView_->deviceScale()));
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (settingsKeeper_ && isVisible())
        settingsKeeper_->changed();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (exports_->exporting() || !files_->mayReplaceLayout(ReplacingCommand::Quit)) {
        event->ignore();
        return;
    }
    // Saved, deliberately thrown away, or never changed: nothing is left to recover.
    recovery_->layoutKept();
    recovery_->flush();
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    if (!isMinimized())
        rememberWindowPosition(settings_, pos());
    // The last background write must not land after this one.
    settingsKeeper_->flush();
    if (const auto error = saveAppSettings(settings_))
        prompts_.message(QStringLiteral("設定ファイルを保存できませんでした。\r\n") + *error);
    event->accept();
}

} // namespace tobirae
