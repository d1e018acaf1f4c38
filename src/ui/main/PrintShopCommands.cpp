#include "ui/main/PrintShopCommands.h"

#include "app/AppSettings.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/editing/EditorDocument.h"
#include "ui/main/CanvasScene.h"
#include "ui/main/ExportRunner.h"
#include "ui/main/PaperItem.h"
#include "ui/main/PrintGuidesItem.h"
#include "ui/main/PrintShopPdfDialog.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>

namespace tobirae {

PrintShopCommands::PrintShopCommands(QMainWindow& window, CanvasScene& scene,
                                     const EditorDocument& editor, AppSettings& settings,
                                     ExportRunner& exports, UserPrompts& prompts,
                                     QAction* dialogEntry, QAction* bleedGuide,
                                     QAction* safetyGuide)
    : QObject(&window), window_(window), scene_(scene), editor_(editor), settings_(settings),
      exports_(exports), prompts_(prompts), bleedGuide_(bleedGuide), safetyGuide_(safetyGuide),
      guides_(new PrintGuidesItem) {
    scene_.addItem(guides_);
    bleedGuide_->setCheckable(true);
    safetyGuide_->setCheckable(true);
    bleedGuide_->setChecked(settings_.BleedGuideShown);
    safetyGuide_->setChecked(settings_.SafetyGuideShown);
    connect(bleedGuide_, &QAction::toggled, this, [this](bool on) {
        settings_.BleedGuideShown = on;
        showGuides();
    });
    connect(safetyGuide_, &QAction::toggled, this, [this](bool on) {
        settings_.SafetyGuideShown = on;
        showGuides();
    });
    connect(dialogEntry, &QAction::triggered, this, [this] { showDialog(); });
    // After the scene has taken the new paper size.
    connect(&editor_, &EditorDocument::pageChanged, this, &PrintShopCommands::showGuides,
            Qt::QueuedConnection);
    connect(&editor_, &EditorDocument::documentReplaced, this, &PrintShopCommands::showGuides,
            Qt::QueuedConnection);
    showGuides();
}

void PrintShopCommands::showGuides() {
    const QRectF paper = scene_.paper()->boundingRect();
    guides_->setGuides(paper.size(), settings_.PrintBleedTenthsMm / 10.0, settings_.BleedGuideShown,
                       settings_.SafetyGuideShown);
    // The canvas shows the paper; with the bleed line it shows the bleed around it too.
    // A little room beyond the line keeps it off the canvas's own edge.
    scene_.setSceneRect(settings_.BleedGuideShown
                            ? guides_->rects().bleed.adjusted(-8, -8, 8, 8).united(paper)
                            : paper);
}

bool PrintShopCommands::showDialog() {
    if (exports_.exporting())
        return false;
    if (editor_.document().drawingOrder().empty()) {
        prompts_.message(QStringLiteral("作成するデータがありません。"));
        return false;
    }
    const auto output = outputMonthOf(editor_);
    const QString layout = editor_.document().path();
    QString proposal;
    if (!layout.isEmpty())
        proposal = QFileInfo(layout).dir().filePath(QFileInfo(layout).completeBaseName() +
                                                    QStringLiteral("_入稿.pdf"));
    PrintShopPdfDialog dialog(exports_.pageJob(), initialPrintShopChoice(settings_, output),
                              proposal, prompts_, &window_);
    dialog.exec();
    rememberPrintShopChoice(settings_, dialog.choice());
    showGuides(); // the bleed guide follows the bleed chosen
    return !dialog.writtenPath().isEmpty();
}

} // namespace tobirae
