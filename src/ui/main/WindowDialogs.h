// The main window's dialogs that are not about one item: page size, options, the layout's own
// days, the page preview, the help page and the About box. Changes to the layout go through the
// editor document; changed options are announced for the guides to follow.
#pragma once

#include "ui/editing/PaperScale.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QWidget;

namespace tobirae {

struct AppSettings;
class DaysFileCache;
class EditorDocument;
class ExportRunner;
class SettingsKeeper;
class UserPrompts;
struct WindowTestHooks;

class WindowDialogs final : public QObject {
    Q_OBJECT
public:
    WindowDialogs(QWidget& window, EditorDocument& editor, AppSettings& settings,
                  SettingsKeeper& settingsKeeper, const ExportRunner& exports, UserPrompts& prompts,
                  const WindowTestHooks& hooks, std::shared_ptr<DaysFileCache> daysCache);

    // "用紙サイズ変更": the page-size dialog; a confirmed change is one step.
    void changePageSize();
    // "オプション(&O)...": optionsClosed() follows, confirmed or not.
    void showOptions();
    // "予定・休日の設定": the layout's own days; OK is one step.
    bool showOwnDays();
    void showPreview();
    void showAbout();
    bool showHelp();
    void setHelpFile(const QString& file) { helpFile_ = file; }

signals:
    void optionsClosed();

private:
    // Asks whether the items follow a new paper; the scale when they do.
    std::optional<PaperScale> askPaperScale(QSize from, QSize to);

    QWidget& window_;
    EditorDocument& editor_;
    AppSettings& settings_;
    SettingsKeeper& settingsKeeper_;
    const ExportRunner& exports_;
    UserPrompts& prompts_;
    const WindowTestHooks& hooks_;
    // The linked days files the previews read, for the 年度 counts of "予定・休日の設定".
    std::shared_ptr<DaysFileCache> daysCache_;
    QString helpFile_;
};

} // namespace tobirae
