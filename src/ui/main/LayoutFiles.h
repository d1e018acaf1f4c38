// The file commands of the main window: reading, saving, new layouts, templates, recent files,
// the recovery offer, dropped layout files and the question before unsaved changes are lost.
// Each layout read or made new goes to the editor document; the window follows its signals and
// layoutAdopted(). The window's title names the layout's file.
#pragma once

#include "ui/editing/UnsavedChanges.h"

#include <QObject>
#include <QString>
#include <memory>

class QMainWindow;

namespace tobirae {

struct AppSettings;
class EditorDocument;
class ExportRunner;
class LayoutDocument;
struct MainMenus;
struct ReadResult;
class RecoveryKeeper;
class SettingsKeeper;
class UserPrompts;
struct WindowTestHooks;

class LayoutFiles final : public QObject {
    Q_OBJECT
public:
    // Messages and dialogs are over `window`; nothing is read or written while `exports` runs.
    LayoutFiles(QMainWindow& window, EditorDocument& editor, AppSettings& settings,
                SettingsKeeper& settingsKeeper, RecoveryKeeper& recovery, ExportRunner& exports,
                const MainMenus& menus, UserPrompts& prompts, const WindowTestHooks& hooks);

    // Reads a layout file; an empty name asks with the open dialog.
    bool openLayout(const QString& fileName = {});
    bool saveLayoutAs();
    // "上書き保存": saves to the layout's own file; a new layout asks for a name first.
    bool saveLayoutOverwrite();
    // "新規作成" (unless the user keeps the layout).
    void newLayout();
    // "テンプレートから新規作成...": a copy of a chosen template becomes a new, unnamed document.
    bool newFromTemplate();
    // Files dropped on the window: the first one is read when it is a layout file.
    void dropFiles(const QStringList& paths);
    // At start-up: offers the recovery copies left by editors that ended without saving, newest
    // first; an accepted one becomes the layout, with its own file name and unsaved. True when
    // one was taken back.
    bool offerRecovery();
    // Asks before the layout is replaced or the window closed, only when there are unsaved
    // changes (quitting without them asks the plain confirmation); false when the command stops:
    // cancelled, or the save asked for did not happen.
    bool mayReplaceLayout(ReplacingCommand command);
    // Where "テンプレートから新規作成..." finds its layouts.
    void setTemplateFolder(const QString& folder) { templateFolder_ = folder; }

signals:
    // A layout read from a file, a template or a recovery copy is now the document; its page
    // may differ from the one before.
    void layoutAdopted();

private:
    // Takes a layout read from a file or a recovery copy, or says why not (after `failure`);
    // shows the notice of a damaged extension block.
    bool adoptReadLayout(ReadResult result, const QString& path, const QString& failure);
    // Makes a document the one being edited: the paper is cut to what the page-size dialog
    // allows. `path` becomes the document's path (empty: a new, unnamed document).
    void adoptDocument(std::unique_ptr<LayoutDocument> document, const QString& path);
    // One message naming the pictures of the layout just read that cannot be drawn.
    void tellMissingPictures();
    bool writeLayout(const QString& path);
    // The title names the layout's file; the bitmap export proposes its name.
    void updateCaption();
    // "最近使ったファイル": the path goes first; the menu follows.
    void rememberRecentFile(const QString& path);
    void showRecentFiles();

    QMainWindow& window_;
    EditorDocument& editor_;
    AppSettings& settings_;
    SettingsKeeper& settingsKeeper_;
    RecoveryKeeper& recovery_;
    ExportRunner& exports_;
    const MainMenus& menus_;
    UserPrompts& prompts_;
    const WindowTestHooks& hooks_;
    QString templateFolder_;
};

} // namespace tobirae
