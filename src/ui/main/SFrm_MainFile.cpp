// The main window's layout file commands: read, save, new document and dropped files.
#include "document/LayoutFile.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/ItemView.h"
#include "ui/main/SFrm_Main.h"

#include <QAction>
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
    // A paper the page-size dialog could not give is cut down before the canvas is made for it.
    PageValues& page = result.document->page;
    if (page.PaperWidth > kMaxPaperMillimetres || page.PaperHeight > kMaxPaperMillimetres) {
        prompts_.message(QStringLiteral("用紙が大きすぎます (%1 x %2 mm)。縦横とも %3 mm までに"
                                        "縮めました。")
                             .arg(page.PaperWidth)
                             .arg(page.PaperHeight)
                             .arg(kMaxPaperMillimetres));
        page.PaperWidth = std::min(page.PaperWidth, kMaxPaperMillimetres);
        page.PaperHeight = std::min(page.PaperHeight, kMaxPaperMillimetres);
    }
    previewGuard_ = {};
    editor_->replaceDocument(std::move(result.document));
    document().setEventsSuppressed(true);
    Fnc_LayOutPageSizeChange(true);
    Fnc_RefreshAllItem();
    document().setEventsSuppressed(false);
    document().setPath(QFileInfo(path).absoluteFilePath());
    Fnc_SetMyCaption();
    return true;
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
    document().setPath(QFileInfo(path).absoluteFilePath());
    editor_->markSaved();
    Fnc_SetMyCaption();
    prompts_.message(QStringLiteral("保存しました。"));
    return true;
}

bool SFrm_Main::Fnc_NewData() {
    if (!document().itemList().empty()) {
        const PromptAnswer answer = prompts_.ask(QStringLiteral("編集中のデータを保存しますか？"),
                                                 PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Cancel)
            return true;
        if (answer == PromptAnswer::Yes)
            Fnc_LayOutSave();
    }
    editor_->newDocument();
    Fnc_PageRePrint();
    Fnc_SetMyCaption();
    return true;
}

void SFrm_Main::dropFiles(const QStringList& paths) {
    if (paths.isEmpty() || exporting_)
        return;
    const QString& path = paths.constFirst();
    if (!isLayoutFileName(path))
        return;
    if (!document().itemList().empty()) {
        if (prompts_.ask(QStringLiteral("編集中データがありますが、データを読み込みますか？"),
                         PromptButtons::YesNo) != PromptAnswer::Yes)
            return;
        if (prompts_.ask(QStringLiteral("編集中のデータを保存しますか？"), PromptButtons::YesNo) ==
            PromptAnswer::Yes)
            Fnc_LayOutSave();
    }
    Fnc_LayOutRead(path);
}

} // namespace tobirae
