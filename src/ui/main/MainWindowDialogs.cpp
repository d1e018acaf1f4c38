// The main window's small dialogs: options, own days, page preview, About box and the help page.
#include "ui/dialogs/AboutDialog.h"
#include "ui/dialogs/OptionsDialog.h"
#include "ui/dialogs/OwnDaysDialog.h"
#include "ui/dialogs/PagePreviewDialog.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/MainWindow.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace tobirae {

void MainWindow::showOptions() {
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
    OptionsDialog dialog(values, prompts_, this);
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
        settingsKeeper_->changed();
    }
    updateGuides();
}

bool MainWindow::showOwnDays() {
    OwnDaysDialog dialog(document().extension.ownDays, prompts_, this);
    dialog.countLinkedFiles(editor_->layoutFolder(), scene_->daysCache());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return editor_->setOwnDays(dialog.settings());
}

void MainWindow::showPreview() {
    PagePreviewDialog zoom(pageJob(), outputYear(), outputMonth(), this);
    zoom.exec();
}

void MainWindow::showAbout() {
    AboutDialog about(prompts_, this);
    about.exec();
}

bool MainWindow::showHelp() {
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
