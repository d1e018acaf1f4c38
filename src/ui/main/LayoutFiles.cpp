#include "ui/main/LayoutFiles.h"

#include "app/AppSettings.h"
#include "app/ProgramFolders.h"
#include "app/RecentFiles.h"
#include "app/SettingsKeeper.h"
#include "document/LayoutFile.h"
#include "files/AtomicFile.h"
#include "render/MissingPictures.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/editing/EditorDocument.h"
#include "ui/editing/PicturePaths.h"
#include "ui/main/ExportRunner.h"
#include "ui/main/LayoutTemplates.h"
#include "ui/main/MainMenus.h"
#include "ui/main/RecoveryKeeper.h"
#include "ui/main/TemplateDialog.h"
#include "ui/main/WindowTestHooks.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>
#include <algorithm>

namespace tobirae {

namespace {

const QString kLayoutFilter = QStringLiteral("レイアウトファイル (*.CLF)|*.CLF");

} // namespace

LayoutFiles::LayoutFiles(QMainWindow& window, EditorDocument& editor, AppSettings& settings,
                         SettingsKeeper& settingsKeeper, RecoveryKeeper& recovery,
                         ExportRunner& exports, const MainMenus& menus, UserPrompts& prompts,
                         const WindowTestHooks& hooks)
    : QObject(&window), window_(window), editor_(editor), settings_(settings),
      settingsKeeper_(settingsKeeper), recovery_(recovery), exports_(exports), menus_(menus),
      prompts_(prompts), hooks_(hooks), templateFolder_(dataFolder(QStringLiteral("templates"))) {
    connect(menus.layoutRead, &QAction::triggered, this, [this] { openLayout(); });
    connect(menus.layoutSave, &QAction::triggered, this, &LayoutFiles::saveLayoutAs);
    connect(menus.overwriteSave, &QAction::triggered, this, &LayoutFiles::saveLayoutOverwrite);
    connect(menus.newData, &QAction::triggered, this, &LayoutFiles::newLayout);
    connect(menus.newFromTemplate, &QAction::triggered, this, &LayoutFiles::newFromTemplate);
    connect(&recovery, &RecoveryKeeper::copyFailed, this, [this](const QString& message) {
        window_.statusBar()->showMessage(
            QString(message).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
        prompts_.message(message);
    });
    showRecentFiles();
}

void LayoutFiles::updateCaption() {
    // Paths use "/" here; a name typed with "\" still counts as a folder separator.
    QString name = editor_.document().path();
    name = name.mid(
        std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\'))) + 1);
    const QString base = applicationTitle();
    // "[*]" is where Qt shows the unsaved-change mark.
    window_.setWindowTitle((name.isEmpty() ? base : base + QStringLiteral(" - ") + name) +
                           QStringLiteral("[*]"));
    window_.setWindowModified(editor_.isModified());
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    exports_.setExportName(dot < 0 ? name : name.left(dot));
}

bool LayoutFiles::openLayout(const QString& fileName) {
    if (exports_.exporting() || !mayReplaceLayout(ReplacingCommand::Replace))
        return false;
    QString path = fileName.trimmed();
    if (path.isEmpty()) {
        path = prompts_.openFileName({kLayoutFilter, editor_.document().path(),
                                      QStringLiteral("CLF"), QStringLiteral("レイアウトを開く")});
        if (path.isEmpty())
            return false;
    }
    if (!adoptReadLayout(readLayoutFile(path, kLayoutDpi), QFileInfo(path).absoluteFilePath(),
                         QStringLiteral("レイアウトファイルを読み込めませんでした。\r\n")))
        return false;
    rememberRecentFile(editor_.document().path());
    return true;
}

bool LayoutFiles::adoptReadLayout(ReadResult result, const QString& path, const QString& failure) {
    if (!result.document) {
        // The document stays as it was; the user learns why nothing happened.
        prompts_.message(failure + result.error);
        return false;
    }
    // Pictures stored relative to the layout are held with their whole path, so they are still
    // found when the layout is saved somewhere else.
    anchorPictures(*result.document, QFileInfo(path).absolutePath());
    adoptDocument(std::move(result.document), path);
    if (!result.extensionNotice.isEmpty())
        prompts_.message(result.extensionNotice);
    tellMissingPictures();
    return true;
}

void LayoutFiles::tellMissingPictures() {
    std::vector<MissingPicture> missing =
        missingPictures(editor_.document(), editor_.layoutFolder());
    // Picture items not filled yet show their own placeholder; only lost files are news.
    std::erase_if(missing, [](const MissingPicture& p) { return p.path.isEmpty(); });
    if (missing.empty())
        return;
    prompts_.message(QStringLiteral("次の画像を使えません。そのアイテムは赤い枠で示しています。"
                                    "\r\n") +
                     missingPictureLines(missing));
}

void LayoutFiles::adoptDocument(std::unique_ptr<LayoutDocument> document, const QString& path) {
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
    editor_.replaceDocument(std::move(document));
    emit layoutAdopted();
    updateCaption();
}

bool LayoutFiles::saveLayoutAs() {
    if (editor_.document().drawingOrder().empty()) {
        prompts_.message(QStringLiteral("保存するデータがありません。"));
        return false;
    }
    const QString path =
        prompts_.saveFileName({kLayoutFilter, editor_.document().path(), QStringLiteral("CLF"),
                               QStringLiteral("レイアウトの保存先")});
    if (path.isEmpty())
        return false;
    return writeLayout(path);
}

bool LayoutFiles::saveLayoutOverwrite() {
    if (editor_.document().path().isEmpty())
        return saveLayoutAs();
    if (editor_.document().drawingOrder().empty()) {
        prompts_.message(QStringLiteral("保存するデータがありません。"));
        return false;
    }
    return writeLayout(editor_.document().path());
}

bool LayoutFiles::writeLayout(const QString& path) {
    // The file holds settings this program could not read; writing over it loses them.
    const bool sameFile = QFileInfo(path).absoluteFilePath() == editor_.document().path();
    if (sameFile && !editor_.document().extensionNotice.isEmpty() &&
        prompts_.ask(editor_.document().extensionNotice +
                         QStringLiteral("\r\n上書きすると、読み込めなかった設定は失われます。"
                                        "上書きしますか？"),
                     PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;
    LayoutFileContent content = layoutFromDocument(editor_.document());
    storePicturesRelativeTo(content, QFileInfo(path).absolutePath());
    if (const auto error = writeFileAtomically(path, serializeLayout(content))) {
        prompts_.message(QStringLiteral("レイアウトファイルを保存できませんでした。\r\n") + *error);
        return false;
    }
    editor_.markSaved(path);
    updateCaption();
    rememberRecentFile(editor_.document().path());
    // Said where the eye already is, without a box to close on every save.
    window_.statusBar()->showMessage(QStringLiteral("保存しました: ") +
                                         QDir::toNativeSeparators(editor_.document().path()),
                                     8000);
    return true;
}

bool LayoutFiles::mayReplaceLayout(ReplacingCommand command) {
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
    return tobirae::mayReplaceLayout(editor_.isModified(), layoutLabel(editor_.document()), command,
                                     hooks);
}

void LayoutFiles::newLayout() {
    if (!mayReplaceLayout(ReplacingCommand::Replace))
        return;
    editor_.newDocument();
    updateCaption();
}

bool LayoutFiles::newFromTemplate() {
    if (exports_.exporting())
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
    TemplateDialog dialog(std::move(templates), outputMonthOf(editor_),
                          settings_.Page.PageBackColor, &window_);
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

void LayoutFiles::dropFiles(const QStringList& paths) {
    if (paths.isEmpty() || exports_.exporting())
        return;
    const QString& path = paths.constFirst();
    if (!isLayoutFileName(path))
        return;
    openLayout(path);
}

void LayoutFiles::rememberRecentFile(const QString& path) {
    settings_.RecentFiles = withRecentFile(settings_.RecentFiles, path);
    settingsKeeper_.changed();
    showRecentFiles();
}

void LayoutFiles::showRecentFiles() {
    QMenu* menu = menus_.recentFiles;
    menu->clear();
    const QStringList& files = settings_.RecentFiles;
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString path = files.at(i);
        // Layouts of the same name in different folders are told apart by the folder.
        const QFileInfo info(path);
        QAction* action = menu->addAction(
            QStringLiteral("&%1 %2  (%3)")
                .arg(i + 1)
                .arg(info.fileName().replace(QLatin1Char('&'), QStringLiteral("&&")),
                     QDir::toNativeSeparators(info.absolutePath())
                         .replace(QLatin1Char('&'), QStringLiteral("&&"))));
        action->setToolTip(QDir::toNativeSeparators(path));
        action->setStatusTip(QDir::toNativeSeparators(path));
        connect(action, &QAction::triggered, this, [this, path] { openLayout(path); });
    }
    menu->setEnabled(!files.isEmpty());
}

bool LayoutFiles::offerRecovery() {
    for (const RecoveryCopy& copy : recovery_.store().orphanedCopies()) {
        if (!copy.damage.isEmpty()) {
            // Kept when the user says no: it may be looked at before it goes.
            if (prompts_.ask(QStringLiteral("復元用のコピーが壊れているため復元できません。\r\n"
                                            "%1\r\n%2\r\n削除しますか？")
                                 .arg(QDir::toNativeSeparators(copy.copyPath), copy.damage),
                             PromptButtons::YesNo) == PromptAnswer::Yes)
                RecoveryStore::removeCopy(copy);
            continue;
        }
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
        // Read exactly as its layout file would be, notice of a damaged block included.
        if (!adoptReadLayout(
                layoutDocumentOf(parseLayoutBytes(copy.layoutBytes), copy.layoutPath, kLayoutDpi),
                copy.layoutPath, QStringLiteral("復元できませんでした。\r\n"))) {
            RecoveryStore::removeCopy(copy);
            continue;
        }
        editor_.markModified();
        RecoveryStore::removeCopy(copy);
        // The copy is ours now: it is written again under this editor's name.
        recovery_.flush();
        return true;
    }
    return false;
}

} // namespace tobirae
