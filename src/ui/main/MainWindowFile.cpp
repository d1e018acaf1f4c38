// The main window's layout file commands: read, save, new document, new document from a template
// and dropped files.
#include "app/RecentFiles.h"
#include "document/LayoutFile.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/LayoutTemplates.h"
#include "ui/main/RecoveryKeeper.h"
#include "ui/main/MainWindow.h"
#include "ui/main/TemplateDialog.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <algorithm>

namespace tobirae {

namespace {

const QString kLayoutFilter = QStringLiteral("レイアウトファイル (*.CLF)|*.CLF");

} // namespace

bool MainWindow::openLayout(const QString& fileName) {
    if (exporting() || !mayReplaceLayout(ReplacingCommand::Replace))
        return false;
    QString path = fileName.trimmed();
    if (path.isEmpty()) {
        path = prompts_.openFileName({kLayoutFilter, document().path(), QStringLiteral("CLF")});
        if (path.isEmpty())
            return false;
    }
    ReadResult result = readLayoutFile(path, kLayoutDpi);
    if (!result.document) {
        // The document stays as it was; the user learns why nothing happened.
        prompts_.message(QStringLiteral("レイアウトファイルを読み込めませんでした。\r\n") +
                         result.error);
        return false;
    }
    adoptDocument(std::move(result.document), QFileInfo(path).absoluteFilePath());
    rememberRecentFile(document().path());
    if (!result.extensionNotice.isEmpty())
        prompts_.message(result.extensionNotice);
    return true;
}

void MainWindow::adoptDocument(std::unique_ptr<LayoutDocument> document, const QString& path) {
    // A paper the page-size dialog could not give is cut down before the canvas is made for it.
    PageValues& page = document->page;
    if (page.PaperWidth > kMaxPaperMillimetres || page.PaperHeight > kMaxPaperMillimetres) {
        prompts_.message(QStringLiteral("用紙が大きすぎます (%1 x %2 mm)。縦横とも %3 mm までに"
                                        "縮めました。")
                             .arg(page.PaperWidth)
                             .arg(page.PaperHeight)
                             .arg(kMaxPaperMillimetres));
        page.PaperWidth = std::min(page.PaperWidth, kMaxPaperMillimetres);
        page.PaperHeight = std::min(page.PaperHeight, kMaxPaperMillimetres);
    }
    document->setPath(path);
    // The editor document sizes the canvas and the items; the canvas scene draws them.
    editor_->replaceDocument(std::move(document));
    changePageSize(true);
    updateCaption();
}

bool MainWindow::saveLayoutAs() {
    if (document().drawingOrder().empty()) {
        prompts_.message(QStringLiteral("保存するデータがありません。"));
        return false;
    }
    const QString path =
        prompts_.saveFileName({kLayoutFilter, document().path(), QStringLiteral("CLF")});
    if (path.isEmpty())
        return false;
    return writeLayout(path);
}

bool MainWindow::saveLayoutOverwrite() {
    if (document().path().isEmpty())
        return saveLayoutAs();
    if (document().drawingOrder().empty()) {
        prompts_.message(QStringLiteral("保存するデータがありません。"));
        return false;
    }
    return writeLayout(document().path());
}

bool MainWindow::writeLayout(const QString& path) {
    // The file holds settings this program could not read; writing over it loses them.
    const bool sameFile = QFileInfo(path).absoluteFilePath() == document().path();
    if (sameFile && !document().extensionNotice.isEmpty() &&
        prompts_.ask(document().extensionNotice +
                         QStringLiteral("\r\n上書きすると、読み込めなかった設定は失われます。"
                                        "上書きしますか？"),
                     PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;
    if (const auto error = writeLayoutFile(document(), path)) {
        prompts_.message(QStringLiteral("レイアウトファイルを保存できませんでした。\r\n") + *error);
        return false;
    }
    if (sameFile)
        editor_->document().extensionNotice.clear();
    editor_->document().setPath(QFileInfo(path).absoluteFilePath());
    editor_->markSaved();
    updateCaption();
    rememberRecentFile(document().path());
    prompts_.message(QStringLiteral("保存しました。"));
    return true;
}

bool MainWindow::mayReplaceLayout(ReplacingCommand command) {
    KeepHooks hooks;
    hooks.ask = [this](const KeepQuestion& question) {
        const PromptAnswer answer =
            prompts_.ask(question.text, question.buttons == KeepButtons::YesNo
                                            ? PromptButtons::YesNo
                                            : PromptButtons::SaveDiscardCancel);
        return answer == PromptAnswer::Yes  ? KeepAnswer::Yes
               : answer == PromptAnswer::No ? KeepAnswer::No
                                            : KeepAnswer::Cancel;
    };
    hooks.save = [this] { return saveLayoutOverwrite(); };
    return tobirae::mayReplaceLayout(editor_->isModified(), layoutLabel(document()), command,
                                     hooks);
}

bool MainWindow::newLayout() {
    if (!mayReplaceLayout(ReplacingCommand::Replace))
        return true;
    editor_->newDocument();
    updateGuides();
    updateCaption();
    return true;
}

bool MainWindow::newFromTemplate() {
    if (exporting())
        return false;
    const QDir folder(templateFolder_);
    if (templateFolder_.isEmpty() || !folder.exists()) {
        prompts_.message(QStringLiteral("テンプレートのフォルダーが見つかりません。\r\n") +
                         QDir::toNativeSeparators(templateFolder_));
        return false;
    }
    std::vector<LayoutTemplate> templates = findTemplates(templateFolder_);
    if (templates.empty()) {
        prompts_.message(QStringLiteral("テンプレートがありません。\r\n") +
                         QDir::toNativeSeparators(templateFolder_));
        return false;
    }
    TemplateDialog dialog(std::move(templates),
                          std::chrono::year(outputYear()) /
                              std::chrono::month(static_cast<unsigned>(outputMonth())),
                          settings_.Page.PageBackColor, this);
    const bool accepted =
        hooks_.templateDialog ? hooks_.templateDialog(dialog) : dialog.exec() == QDialog::Accepted;
    const QString chosen = dialog.chosenPath();
    if (!accepted || chosen.isEmpty() || !mayReplaceLayout(ReplacingCommand::Replace))
        return false;
    // Read again: the file may have changed while the dialog was open.
    ReadResult result = readTemplate(chosen);
    if (!result.document) {
        prompts_.message(QStringLiteral("テンプレートを読み込めませんでした。\r\n") + result.error);
        return false;
    }
    adoptDocument(std::move(result.document), QString());
    return true;
}

void MainWindow::dropFiles(const QStringList& paths) {
    if (paths.isEmpty() || exporting())
        return;
    const QString& path = paths.constFirst();
    if (!isLayoutFileName(path))
        return;
    openLayout(path);
}

void MainWindow::rememberRecentFile(const QString& path) {
    settings_.RecentFiles = withRecentFile(settings_.RecentFiles, path);
    showRecentFiles();
}

void MainWindow::showRecentFiles() {
    QMenu* menu = menus_.recentFiles;
    menu->clear();
    const QStringList& files = settings_.RecentFiles;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        QAction* action = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"))));
        action->setToolTip(QDir::toNativeSeparators(path));
        action->setStatusTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { openLayout(path); });
    }
    menu->setEnabled(!files.isEmpty());
}

bool MainWindow::offerRecovery() {
    for (const RecoveryCopy& copy : recovery_->store().orphanedCopies()) {
        const QString name = copy.layoutPath.isEmpty() ? QStringLiteral("無題")
                                                       : QFileInfo(copy.layoutPath).fileName();
        const QString when =
            copy.written.toLocalTime().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
        const PromptAnswer answer = prompts_.ask(
            QStringLiteral("保存されずに終わった編集が残っています。\r\n「%1」(%2 の時点)\r\n"
                           "復元しますか？")
                .arg(name, when),
            PromptButtons::YesNo);
        if (answer != PromptAnswer::Yes) {
            RecoveryStore::removeCopy(copy);
            continue;
        }
        const LayoutParseResult parsed = parseLayoutBytes(copy.layoutBytes);
        if (!parsed.content) {
            prompts_.message(QStringLiteral("復元できませんでした。\r\n") + parsed.error);
            RecoveryStore::removeCopy(copy);
            continue;
        }
        adoptDocument(
            LayoutDocument::fromRecords(parsed.content->header, parsed.content->items, kLayoutDpi),
            copy.layoutPath);
        editor_->markModified();
        RecoveryStore::removeCopy(copy);
        // The copy is ours now: it is written again under this editor's name.
        recovery_->flush();
        return true;
    }
    return false;
}

} // namespace tobirae
