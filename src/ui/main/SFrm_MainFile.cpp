// The main window's layout file commands: read, save, new document and dropped files.
#include "document/LayoutFile.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/ItemView.h"
#include "ui/main/SFrm_Main.h"

#include <QAction>
#include <QFileInfo>

namespace tobirae {

namespace {

const QString kLayoutFilter = QStringLiteral("レイアウトファイル (*.CLF)|*.CLF");

} // namespace

void SFrm_Main::replaceDocument(std::unique_ptr<LayoutDocument> document) {
    document->carrySessionStateFrom(*document_);
    document_ = std::move(document);
    previewGuard_ = {};
}

bool SFrm_Main::Fnc_LayOutRead(const QString& fileName) {
    QString path = fileName.trimmed();
    if (path.isEmpty()) {
        path = prompts_.openFileName({kLayoutFilter, document_->path(), QStringLiteral("CLF")});
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
    replaceDocument(std::move(result.document));
    const PageValues& page = document_->page;
    settings_.Page.PaperSize = page.PaperSize;
    settings_.Page.PaperWidth = page.PaperWidth;
    settings_.Page.PaperHeight = page.PaperHeight;
    settings_.Page.Portrait = toB16(page.Portrait);
    settings_.Page.Resolution = page.ResolutionDpi;

    document_->setEventsSuppressed(true);
    Fnc_LayOutPageSizeChange(true);
    syncViewsWithDocument();
    Fnc_RefreshAllItem();
    showItemLists();
    document_->setEventsSuppressed(false);
    document_->setPath(QFileInfo(path).absoluteFilePath());
    Fnc_SetMyCaption();
    return true;
}

bool SFrm_Main::Fnc_LayOutSave() {
    if (document_->drawingOrder().empty()) {
        prompts_.message(QStringLiteral("保存するデータがありません。"));
        return false;
    }
    const QString path =
        prompts_.saveFileName({kLayoutFilter, document_->path(), QStringLiteral("CLF")});
    if (path.isEmpty())
        return false;
    // The views hold the positions the user sees; the items take them before they are written.
    for (int slot : document_->liveSlotsInDrawingOrder()) {
        if (const ItemView* view = itemView(slot)) {
            LayoutItem& item = document_->item(slot);
            item.Left = static_cast<float>(view->pos().x());
            item.Top = static_cast<float>(view->pos().y());
        }
    }
    if (const auto error = writeLayoutFile(*document_, path)) {
        prompts_.message(QStringLiteral("レイアウトファイルを保存できませんでした。\r\n") + *error);
        return false;
    }
    document_->setPath(QFileInfo(path).absoluteFilePath());
    Fnc_SetMyCaption();
    prompts_.message(QStringLiteral("保存しました。"));
    return true;
}

bool SFrm_Main::Fnc_NewData() {
    if (!document_->itemList().empty()) {
        const PromptAnswer answer = prompts_.ask(QStringLiteral("編集中のデータを保存しますか？"),
                                                 PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Cancel)
            return true;
        if (answer == PromptAnswer::Yes)
            Fnc_LayOutSave();
    }
    document_->clearForNewDocument();
    syncViewsWithDocument();
    showItemLists();
    Fnc_PageRePrint();
    Fnc_SetMyCaption();
    document_->setCurrentSlot(-1);
    return true;
}

void SFrm_Main::dropFiles(const QStringList& paths) {
    if (paths.isEmpty() || exporting_)
        return;
    const QString& path = paths.constFirst();
    if (!isLayoutFileName(path))
        return;
    if (!document_->itemList().empty()) {
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
