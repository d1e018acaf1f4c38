#include "ui/main/MainWindow.h"

#include "app/ProgramFolders.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/AlignmentToolbar.h"
#include "ui/main/CanvasGuides.h"
#include "ui/main/CanvasScene.h"
#include "ui/main/CanvasView.h"
#include "ui/main/ExportMessagePanel.h"
#include "ui/main/ExportRunner.h"
#include "ui/main/ItemView.h"
#include "ui/main/OutputRangePanel.h"
#include "ui/main/PaperItem.h"
#include "ui/main/PrintShopCommands.h"
#include "ui/main/RecoveryKeeper.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>

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
    connect(editor_, &EditorDocument::modifiedChanged, this,
            [this] { setWindowModified(editor_->isModified()); });

    scene_ = new CanvasScene(*editor_, this);
    canvasView_ = new CanvasView(scene_);
    guides_ = new CanvasGuides(*scene_, *editor_, settings_, this);
    connect(scene_, &CanvasScene::viewCreated, this, &MainWindow::connectView);
    menus_ = buildMainMenus(*this);
    QToolBar* alignBar = buildAlignmentToolbar(*this, menus_);
    if (!settings_.AlignToolbarShown)
        alignBar->hide();
    connect(alignBar->toggleViewAction(), &QAction::toggled, this,
            [this](bool shown) { settings_.AlignToolbarShown = shown; });
    buildPanels();
    exports_ = new ExportRunner(*this, *editor_, settings_, *panel_.outputRange, prompts_, hooks_);
    connect(exports_, &ExportRunner::exportFinished, this, &MainWindow::exportFinished);
    printShop_ =
        new PrintShopCommands(*this, *scene_, *editor_, settings_, *exports_, *panel_.outputRange,
                              prompts_, menus_.printShopPdf, menus_.bleedGuide, menus_.safetyGuide);

    connectCommands();
    connectEditing();

    // Start-up: the year list and month buttons ignore clicks until the window is ready.
    OutputRangePanel* range = panel_.outputRange;
    range->setInitialising(true);
    baseCaption_ = applicationTitle();
    setWindowTitle(baseCaption_ + QStringLiteral("[*]"));
    range->setOutputMonth(start.outputYear, start.outputMonth);
    editor_->setOutputMonth(range->year(), range->month());
    range->setInitialising(false);
    prepareCanvas();
    showRecentFiles();
    helpFile_ = QDir(dataFolder(QStringLiteral("help"))).filePath(QStringLiteral("index.html"));
    templateFolder_ = dataFolder(QStringLiteral("templates"));
}

MainWindow::~MainWindow() = default;

int MainWindow::outputYear() const {
    return panel_.outputRange->year();
}
int MainWindow::outputMonth() const {
    return panel_.outputRange->month();
}

ItemView* MainWindow::itemView(int slot) const {
    return scene_->itemView(slot);
}

PaperItem* MainWindow::paper() const {
    return scene_->paper();
}

QString MainWindow::exportName() const {
    return exports_->exportName();
}

bool MainWindow::exporting() const {
    return exports_->exporting();
}

ExportMessagePanel* MainWindow::messagePanel() const {
    return exports_->messagePanel();
}

void MainWindow::buildPanels() {
    panel_ = buildSidePanel();
    connect(panel_.orderUp, &QPushButton::clicked, this, [this] { moveDrawingOrder(-1); });
    connect(panel_.orderDown, &QPushButton::clicked, this, [this] { moveDrawingOrder(1); });

    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("centralView"));
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, kRightMargin, 0);
    layout->addWidget(canvasView_, 1);
    layout->addWidget(panel_.widget);
    setCentralWidget(central);

    zoomLabel_ = new QLabel(this);
    zoomLabel_->setObjectName(QStringLiteral("zoomLabel"));
    statusBar()->addPermanentWidget(zoomLabel_);
    zoomLabel_->setText(QStringLiteral("100%"));
}

void MainWindow::connectCommands() {
    connect(panel_.commandButton_[0], &QPushButton::clicked, this,
            [this] { changePageSize(false); });
    connect(menus_.pageSize, &QAction::triggered, panel_.commandButton_[0], &QPushButton::click);
    connect(panel_.commandButton_[2], &QPushButton::clicked, this, [this] { exportPageBitmap(); });
    connect(menus_.makeBitmap, &QAction::triggered, this, [this] { exportPageBitmap(); });
    connect(menus_.exportPdf, &QAction::triggered, this, [this] { exportPdfRange(); });
    connect(menus_.exportRange, &QAction::triggered, this, [this] { exportMonthRange(); });
    connect(menus_.print, &QAction::triggered, this, [this] { printMonths(false); });
    connect(menus_.printPreview, &QAction::triggered, this, [this] { printMonths(true); });
    connect(panel_.commandButton_[3], &QPushButton::clicked, this, [this] { openLayout(); });
    connect(menus_.layoutRead, &QAction::triggered, this, [this] { openLayout(); });
    connect(panel_.commandButton_[4], &QPushButton::clicked, this, [this] { saveLayoutAs(); });
    connect(menus_.layoutSave, &QAction::triggered, this, [this] { saveLayoutAs(); });
    connect(menus_.overwriteSave, &QAction::triggered, this, [this] { saveLayoutOverwrite(); });
    connect(panel_.commandButton_[5], &QPushButton::clicked, this, &MainWindow::showPreview);
    connect(menus_.newData, &QAction::triggered, this, [this] { newLayout(); });
    connect(menus_.newFromTemplate, &QAction::triggered, this, [this] { newFromTemplate(); });
    connect(menus_.exit, &QAction::triggered, this, &QWidget::close);
    connect(menus_.options, &QAction::triggered, this, &MainWindow::showOptions);
    connect(menus_.ownDays, &QAction::triggered, this, [this] { showOwnDays(); });
    connect(menus_.help, &QAction::triggered, this, [this] { showHelp(); });
    connect(menus_.about, &QAction::triggered, this, &MainWindow::showAbout);

    connectGuideCommands();

    connect(menus_.zoomIn, &QAction::triggered, canvasView_, &CanvasView::zoomIn);
    connect(menus_.zoomOut, &QAction::triggered, canvasView_, &CanvasView::zoomOut);
    connect(menus_.zoomActual, &QAction::triggered, this, [this] { canvasView_->setZoom(1.0); });
    connect(menus_.zoomFit, &QAction::triggered, this,
            [this] { canvasView_->fitPage(paper()->boundingRect()); });
    connect(canvasView_, &CanvasView::zoomChanged, this, &MainWindow::zoomChanged);
    connect(canvasView_, &CanvasView::visibleAreaChanged, scene_, &CanvasScene::setVisibleArea);
    // Modal questions must not run inside the drop event itself.
    connect(canvasView_, &CanvasView::filesDropped, this, &MainWindow::dropOnItem,
            Qt::QueuedConnection);

    connect(panel_.outputRange, &OutputRangePanel::outputMonthChanged, this,
            [this](int year, int month) { editor_->setOutputMonth(year, month); });
    connect(panel_.itemCombo_, &QComboBox::activated, this, [this](int index) {
        const auto& list = document().itemList();
        if (index >= 0 && index < static_cast<int>(list.size()))
            selectItem(list[static_cast<std::size_t>(index)].slot);
    });
    connect(panel_.drawingOrderList_, &QListWidget::itemClicked, this, [this](QListWidgetItem* entry) {
        const int slot = entry->data(Qt::UserRole).toInt();
        const int position = document().listPosition(slot);
        if (position >= 0)
            panel_.itemCombo_->setCurrentIndex(position);
        selectItem(slot);
    });

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

// The part of start-up that prepares the document's canvas (prepareCanvas).
void MainWindow::prepareCanvas() {
    changePageSize(true);
    menus_.paste->setEnabled(false);
    updateGuides();
    editor_->setCurrentSlot(-1);
}

void MainWindow::setOutputMonth(int year, int month) {
    panel_.outputRange->setOutputMonth(year, month);
    editor_->setOutputMonth(outputYear(), outputMonth());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (exporting()) {
        event->ignore();
        return;
    }
    if (!mayReplaceLayout(ReplacingCommand::Quit)) {
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
    if (const auto error = saveAppSettings(settings_))
        prompts_.message(QStringLiteral("設定ファイルを保存できませんでした。\r\n") + *error);
    event->accept();
}

} // namespace tobirae
