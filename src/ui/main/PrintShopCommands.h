// The print-shop commands of the main window: "入稿用PDF出力..." and the bleed and safety guides
// of "表示", kept in the settings. The window only hands over its parts.
#pragma once

#include <QObject>

class QAction;
class QMainWindow;

namespace tobirae {

struct AppSettings;
class CanvasScene;
class EditorDocument;
class ExportRunner;
class PrintGuidesItem;
class UserPrompts;

class PrintShopCommands final : public QObject {
    Q_OBJECT
public:
    PrintShopCommands(QMainWindow& window, CanvasScene& scene, const EditorDocument& editor,
                      AppSettings& settings, ExportRunner& exports, UserPrompts& prompts,
                      QAction* dialogEntry, QAction* bleedGuide, QAction* safetyGuide);

    // "入稿用PDF出力...": true when a file was written.
    bool showDialog();
    PrintGuidesItem* guides() const { return guides_; }

private:
    void showGuides();

    QMainWindow& window_;
    CanvasScene& scene_;
    const EditorDocument& editor_;
    AppSettings& settings_;
    ExportRunner& exports_;
    UserPrompts& prompts_;
    QAction* bleedGuide_;
    QAction* safetyGuide_;
    PrintGuidesItem* guides_;
};

} // namespace tobirae
