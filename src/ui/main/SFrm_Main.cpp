#include "ui/main/SFrm_Main.h"

#include "app/ProgramFolders.h"
#include "bitmap/Primitives.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/AlignmentToolbar.h"
#include "ui/main/CanvasView.h"
#include "ui/main/ExportMessagePanel.h"
#include "ui/main/ItemView.h"
#include "ui/main/OutputRangePanel.h"
#include "ui/main/PaperItem.h"
#include "ui/main/RecoveryKeeper.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGraphicsScene>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace tobirae {

namespace {

// The panels keep this distance from the window's right edge (150 twips).
constexpr int kRightMargin = 150 / kTwipsPerPixel;
constexpr int kPanelWidth = 236;

} // namespace

SFrm_Main::SFrm_Main(EditorStartState start, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent), editor_(new EditorDocument(std::move(start.document), this)),
      settings_(std::move(start.settings)), prompts_(prompts) {
    setObjectName(QStringLiteral("SFrm_Main"));
    recovery_ = new RecoveryKeeper(*editor_, start.recoveryFolder, this);
    connect(editor_, &EditorDocument::modifiedChanged, this,
            [this] { setWindowModified(editor_->isModified()); });
    Fnc_BmpInit(previewContext_);

    scene_ = new QGraphicsScene(this);
    paper_ = new PaperItem;
    paper_->setZValue(-1);
    scene_->addItem(paper_);
    canvasView_ = new CanvasView(scene_);
    buildEditLines();
    menus_ = buildMainMenus(*this);
    QToolBar* alignBar = buildAlignmentToolbar(*this, menus_);
    if (!settings_.AlignToolbarShown)
        alignBar->hide();
    connect(alignBar->toggleViewAction(), &QAction::toggled, this,
            [this](bool shown) { settings_.AlignToolbarShown = shown; });
    buildPanels();
    messagePanel_ = new ExportMessagePanel(this);

    repaintTimer_ = new QTimer(this);
    repaintTimer_->setSingleShot(true);
    connect(repaintTimer_, &QTimer::timeout, editor_, &EditorDocument::settleCentreLocks);
    zoomTimer_ = new QTimer(this);
    zoomTimer_->setSingleShot(true);
    zoomTimer_->setInterval(60);
    connect(zoomTimer_, &QTimer::timeout, this, [this] { Fnc_RefreshAllItem(); });
    connectCommands();
    connectEditing();

    // Start-up: the year list and month buttons ignore clicks until the window is ready.
    outputRange_->setInitialising(true);
    baseCaption_ = applicationTitle();
    setWindowTitle(baseCaption_ + QStringLiteral("[*]"));
    outputRange_->setOutputMonth(start.outputYear, start.outputMonth);
    outputRange_->setInitialising(false);
    prgInit();
    showRecentFiles();
    helpFile_ = QDir(dataFolder(QStringLiteral("help"))).filePath(QStringLiteral("index.html"));
    templateFolder_ = dataFolder(QStringLiteral("templates"));
}

SFrm_Main::~SFrm_Main() = default;

int SFrm_Main::outputYear() const {
    return outputRange_->year();
}
int SFrm_Main::outputMonth() const {
    return outputRange_->month();
}

ItemView* SFrm_Main::itemView(int slot) const {
    if (slot < 0 || slot >= kSlotCount)
        return nullptr;
    return views_[static_cast<std::size_t>(slot)];
}

void SFrm_Main::buildPanels() {
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("Pic_Panel"));
    panel->setFixedWidth(kPanelWidth);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);

    auto* commands = new QGridLayout;
    const std::array<QString, 6> captions{
        QStringLiteral("用紙サイズ変更"),   QStringLiteral("アイテム追加"),
        QStringLiteral("画像ファイル作成"), QStringLiteral("レイアウト読込"),
        QStringLiteral("レイアウト保存"),   QStringLiteral("画像プレビュー")};
    for (int i = 0; i < 6; ++i) {
        auto* button = new QPushButton(captions[static_cast<std::size_t>(i)], panel);
        button->setObjectName(QStringLiteral("Cmd_Command%1").arg(i));
        Cmd_Command[static_cast<std::size_t>(i)] = button;
        commands->addWidget(button, i / 2, i % 2);
    }
    panelLayout->addLayout(commands);

    outputRange_ = new OutputRangePanel(panel);
    panelLayout->addWidget(outputRange_);

    auto* itemFrame = new QGroupBox(QStringLiteral("アイテム"), panel);
    auto* itemLayout = new QVBoxLayout(itemFrame);
    Cmb_Item = new QComboBox(itemFrame);
    Cmb_Item->setObjectName(QStringLiteral("Cmb_Item"));
    itemLayout->addWidget(Cmb_Item);
    auto* pointGrid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(itemFrame);
        label->setObjectName(QStringLiteral("Lbl_Point%1").arg(i));
        Lbl_Point[static_cast<std::size_t>(i)] = label;
        pointGrid->addWidget(label, i / 2, i % 2);
    }
    itemLayout->addLayout(pointGrid);
    panelLayout->addWidget(itemFrame);

    auto* orderFrame = new QGroupBox(QStringLiteral("描画順"), panel);
    auto* orderLayout = new QHBoxLayout(orderFrame);
    Lst_PrintNo = new QListWidget(orderFrame);
    Lst_PrintNo->setObjectName(QStringLiteral("Lst_PrintNo"));
    orderLayout->addWidget(Lst_PrintNo, 1);
    auto* moveButtons = new QVBoxLayout;
    auto* up = new QPushButton(QStringLiteral("▲"), orderFrame);
    up->setObjectName(QStringLiteral("Cmd_OrderUp"));
    up->setToolTip(QStringLiteral("描画順を前へ"));
    auto* down = new QPushButton(QStringLiteral("▼"), orderFrame);
    down->setObjectName(QStringLiteral("Cmd_OrderDown"));
    down->setToolTip(QStringLiteral("描画順を後へ"));
    for (QPushButton* b : {up, down})
        b->setFixedWidth(32);
    connect(up, &QPushButton::clicked, this, [this] { moveDrawingOrder(-1); });
    connect(down, &QPushButton::clicked, this, [this] { moveDrawingOrder(1); });
    moveButtons->addWidget(up);
    moveButtons->addWidget(down);
    moveButtons->addStretch();
    orderLayout->addLayout(moveButtons);
    panelLayout->addWidget(orderFrame, 1);

    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("Pic_Central"));
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, kRightMargin, 0);
    layout->addWidget(canvasView_, 1);
    layout->addWidget(panel);
    setCentralWidget(central);

    Lbl_Zoom = new QLabel(this);
    Lbl_Zoom->setObjectName(QStringLiteral("Lbl_Zoom"));
    statusBar()->addPermanentWidget(Lbl_Zoom);
    Lbl_Zoom->setText(QStringLiteral("100%"));
}

void SFrm_Main::connectCommands() {
    connect(Cmd_Command[0], &QPushButton::clicked, this, [this] {
        if (Fnc_LayOutPageSizeChange(false))
            repaintTimer_->start(10);
    });
    connect(menus_.pageSize, &QAction::triggered, Cmd_Command[0], &QPushButton::click);
    connect(Cmd_Command[2], &QPushButton::clicked, this, [this] { Fnc_MakeBmpFile(); });
    connect(menus_.makeBitmap, &QAction::triggered, this, [this] { Fnc_MakeBmpFile(); });
    connect(menus_.exportPdf, &QAction::triggered, this, [this] { exportPdfRange(); });
    connect(menus_.exportRange, &QAction::triggered, this, [this] { exportMonthRange(); });
    connect(menus_.print, &QAction::triggered, this, [this] { printMonths(false); });
    connect(menus_.printPreview, &QAction::triggered, this, [this] { printMonths(true); });
    connect(Cmd_Command[3], &QPushButton::clicked, this, [this] { Fnc_LayOutRead(); });
    connect(menus_.layoutRead, &QAction::triggered, this, [this] { Fnc_LayOutRead(); });
    connect(Cmd_Command[4], &QPushButton::clicked, this, [this] { Fnc_LayOutSave(); });
    connect(menus_.layoutSave, &QAction::triggered, this, [this] { Fnc_LayOutSave(); });
    connect(menus_.overwriteSave, &QAction::triggered, this, [this] { saveLayoutOverwrite(); });
    connect(Cmd_Command[5], &QPushButton::clicked, this, &SFrm_Main::showPreview);
    connect(menus_.newData, &QAction::triggered, this, [this] { Fnc_NewData(); });
    connect(menus_.newFromTemplate, &QAction::triggered, this, [this] { newFromTemplate(); });
    connect(menus_.exit, &QAction::triggered, this, &QWidget::close);
    connect(menus_.options, &QAction::triggered, this, &SFrm_Main::showOptions);
    connect(menus_.help, &QAction::triggered, this, [this] { showHelp(); });
    connect(menus_.about, &QAction::triggered, this, &SFrm_Main::showAbout);

    connectGuideCommands();

    connect(menus_.zoomIn, &QAction::triggered, canvasView_, &CanvasView::zoomIn);
    connect(menus_.zoomOut, &QAction::triggered, canvasView_, &CanvasView::zoomOut);
    connect(menus_.zoomActual, &QAction::triggered, this, [this] { canvasView_->setZoom(1.0); });
    connect(menus_.zoomFit, &QAction::triggered, this,
            [this] { canvasView_->fitPage(paper_->boundingRect()); });
    connect(canvasView_, &CanvasView::zoomChanged, this, &SFrm_Main::zoomChanged);
    // Modal questions must not run inside the drop event itself.
    connect(canvasView_, &CanvasView::filesDropped, this, &SFrm_Main::dropOnItem,
            Qt::QueuedConnection);

    connect(outputRange_, &OutputRangePanel::outputMonthChanged, this,
            [this](int, int) { Fnc_RefreshAllItem(); });
    connect(Cmb_Item, &QComboBox::activated, this, [this](int index) {
        const auto& list = document().itemList();
        if (index >= 0 && index < static_cast<int>(list.size()))
            selectItem(list[static_cast<std::size_t>(index)].slot);
    });
    connect(Lst_PrintNo, &QListWidget::itemClicked, this, [this](QListWidgetItem* entry) {
        const int slot = entry->data(Qt::UserRole).toInt();
        const int position = document().listPosition(slot);
        if (position >= 0)
            Cmb_Item->setCurrentIndex(position);
        selectItem(slot);
    });

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

// The part of start-up that prepares the document's canvas (Fnc_PrgInit).
void SFrm_Main::prgInit() {
    Fnc_LayOutPageSizeChange(true);
    menus_.paste->setEnabled(false);
    Fnc_PageRePrint();
    editor_->setCurrentSlot(-1);
}

void SFrm_Main::setOutputMonth(int year, int month) {
    outputRange_->setOutputMonth(year, month);
    Fnc_RefreshAllItem();
}

void SFrm_Main::closeEvent(QCloseEvent* event) {
    if (exporting_) {
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
