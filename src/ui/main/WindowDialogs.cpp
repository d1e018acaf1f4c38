#include "ui/main/WindowDialogs.h"

#include "app/AppSettings.h"
#include "app/ProgramFolders.h"
#include "app/SettingsKeeper.h"
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/OptionsDialog.h"
#include "ui/dialogs/OwnDaysDialog.h"
#include "ui/dialogs/PagePreviewDialog.h"
#include "ui/dialogs/PageSizeDialog.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/editing/EditorDocument.h"
#include "ui/main/ExportRunner.h"
#include "ui/main/WindowTestHooks.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace tobirae {
WindowDialogs::WindowDialogs(QWidget& window, EditorDocument& editor, AppSettings& settings,
                             SettingsKeeper& settingsKeeper, const ExportRunner& exports,
                             UserPrompts& prompts, const WindowTestHooks& hooks,
                             std::shared_ptr<DaysFileCache> daysCache)
    : QObject(&window), window_(window), editor_(editor), settings_(settings),
      settingsKeeper_(settingsKeeper), exports_(exports), prompts_(prompts), hooks_(hooks),
      daysCache_(std::move(daysCache)),
      helpFile_(QDir(dataFolder(QStringLiteral("help"))).filePath(QStringLiteral("index.html"))) {}

void WindowDialogs::changePageSize() {
    PageSizeDialog dialog(editor_.document().page, kLayoutDpi, &window_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const PageValues page = dialog.values();
    const QSize canvas = EditorDocument::canvasSizeFor(page);
    if (canvas.isEmpty())
        return;
    // The canvas follows through pageChanged, also when the change is undone.
    editor_.setPage(page, askPaperScale(editor_.canvasSize(), canvas));
}

std::optional<PaperScale> WindowDialogs::askPaperScale(QSize from, QSize to) {
    if (from == to || editor_.document().itemList().empty())
        return std::nullopt;
    const PromptAnswer answer =
        prompts_.ask(QStringLiteral("アイテムを新しい用紙の大きさに合わせて拡大・縮小しますか？\r\n"
                                    "「いいえ」では、アイテムは今の位置と大きさのままです。"),
                     PromptButtons::YesNo);
    if (answer != PromptAnswer::Yes)
        return std::nullopt;
    return paperScale(from, to);
}

void WindowDialogs::showOptions() {
    OptionValues values;
    values.pageBackColor = settings_.Page.PageBackColor;
    values.vBarShown = settings_.EditLineShown[0];
    values.vBarSymmetric = settings_.EditLineSnap[0];
    values.hBarShown = settings_.EditLineShown[1];
    values.hBarSymmetric = settings_.EditLineSnap[1];
    for (std::size_t g = 0; g < 2; ++g) {
        values.grids[g] = GridValues{settings_.GridShown[g], settings_.GridSnap[g],
                                     settings_.GridX[g], settings_.GridY[g]};
    }
    OptionsDialog dialog(values, prompts_, &window_);
    if (dialog.exec() == QDialog::Accepted) {
        const OptionValues& chosen = dialog.values();
        settings_.Page.PageBackColor = chosen.pageBackColor;
        settings_.EditLineShown = {chosen.vBarShown, chosen.hBarShown};
        settings_.EditLineSnap = {chosen.vBarSymmetric, chosen.hBarSymmetric};
        for (std::size_t g = 0; g < 2; ++g) {
            settings_.GridShown[g] = chosen.grids[g].shown;
            settings_.GridSnap[g] = chosen.grids[g].snap;
            settings_.GridX[g] = chosen.grids[g].spacingX;
            settings_.GridY[g] = chosen.grids[g].spacingY;
        }
        settingsKeeper_.changed();
    }
    emit optionsClosed();
}

bool WindowDialogs::showOwnDays() {
    OwnDaysDialog dialog(editor_.document().extension.ownDays, prompts_, &window_);
    dialog.countLinkedFiles(editor_.layoutFolder(), daysCache_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return editor_.setOwnDays(dialog.settings());
}

void WindowDialogs::showPreview() {
    const std::chrono::year_month month = outputMonthOf(editor_);
    PagePreviewDialog zoom(exports_.pageJob(), static_cast<int>(month.year()),
                           static_cast<int>(unsigned(month.month())), &window_);
    zoom.exec();
}

void WindowDialogs::showAbout() {
    AboutDialog about(prompts_, &window_);
    about.exec();
}

bool WindowDialogs::showHelp() {
    if (!QFileInfo::exists(helpFile_)) {
        prompts_.message(QStringLiteral("ヘルプファイルが見つかりません。\r\n") + helpFile_);
        return false;
    }
    const QUrl url = QUrl::fromLocalFile(helpFile_);
    if (hooks_.openUrl ? hooks_.openUrl(url) : QDesktopServices::openUrl(url))
        return true;
    prompts_.message(QStringLiteral("ヘルプを表示するブラウザーを起動できませんでした。\r\n"
                                    "ヘルプファイル: ") +
                     helpFile_);
    return false;
}

} // namespace tobirae
