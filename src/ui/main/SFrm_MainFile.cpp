// The main window's layout file commands: read, save, new document, new document from a template
// and dropped files.
#include "document/LayoutFile.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/LayoutTemplates.h"
#include "ui/main/SFrm_Main.h"
#include "ui/main/TemplateDialog.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace tobirae {

namespace {

const QString kLayoutFilter = QStringLiteral("レイアウトファイル (*.CLF)|*.CLF");

} // namespace

bool SFrm_Main::Fnc_LayOutRead(const QString& fileName) {
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
    return true;
}

void SFrm_Main::adoptDocument(std::unique_ptr<LayoutDocument> document, const QString& path) {
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
    editor_->replaceDocument(std::move(document));
    Fnc_LayOutPageSizeChange(true);
    Fnc_RefreshAllItem();
    Fnc_SetMyCaption();
}

bool SFrm_Main::Fnc_LayOutSave() {
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

bool SFrm_Main::saveLayoutOverwrite() {
    if (document().path().isEmpty())
        return Fnc_LayOutSave();
    if (document().drawingOrder().empty()) {
        prompts_.message(QStringLiteral("保存するデータがありません。"));
        return false;
    }
    return writeLayout(document().path());
}

bool SFrm_Main::writeLayout(const QString& path) {
    if (const auto error = writeLayoutFile(document(), path)) {
        prompts_.message(QStringLiteral("レイアウトファイルを保存できませんでした。\r\n") + *error);
        return false;
    }
    editor_->document().setPath(QFileInfo(path).absoluteFilePath());
    editor_->markSaved();
    Fnc_SetMyCaption();
    prompts_.message(QStringLiteral("保存しました。"));
    return true;
}

bool SFrm_Main::saveBeforeReplacing() {
    if (document().itemList().empty())
        return true;
    const PromptAnswer answer =
        prompts_.ask(QStringLiteral("編集中のデータを保存しますか？"), PromptButtons::YesNoCancel);
    // A save that was asked for but did not happen must not cost the items.
    return answer == PromptAnswer::No || (answer == PromptAnswer::Yes && Fnc_LayOutSave());
}

bool SFrm_Main::Fnc_NewData() {
    if (!saveBeforeReplacing())
        return true;
    editor_->newDocument();
    Fnc_PageRePrint();
    Fnc_SetMyCaption();
    return true;
}

bool SFrm_Main::newFromTemplate() {
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
    if (!accepted || chosen.isEmpty() || !saveBeforeReplacing())
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

void SFrm_Main::dropFiles(const QStringList& paths) {
    if (paths.isEmpty() || exporting())
        return;
    const QString& path = paths.constFirst();
    if (!isLayoutFileName(path))
        return;
    if (!document().itemList().empty()) {
        if (prompts_.ask(QStringLiteral("編集中データがありますが、データを読み込みますか？"),
                         PromptButtons::YesNo) != PromptAnswer::Yes)
            return;
        if (prompts_.ask(QStringLiteral("編集中のデータを保存しますか？"), PromptButtons::YesNo) ==
                PromptAnswer::Yes &&
            !Fnc_LayOutSave())
            return;
    }
    Fnc_LayOutRead(path);
}

} // namespace tobirae
