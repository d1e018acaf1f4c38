// The main window's page output: "画像ファイル作成" and the page picture of the preview window.
#include "bitmap/Primitives.h"
#include "render/RenderFrame.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/ExportMessagePanel.h"
#include "ui/main/SFrm_Main.h"

#include <QFileInfo>
#include <cmath>

namespace tobirae {

QImage SFrm_Main::renderPageImage(double scale) {
    RenderContext ctx;
    Fnc_BmpInit(ctx);
    Fnc_SetPageDpi(ctx, static_cast<int>(std::lround(kLayoutDpi * scale)));
    const PageValues& page = document_->page;
    if (!Fnc_CreatePageBitmap(ctx, static_cast<float>(page.CanvasWidth),
                              static_cast<float>(page.CanvasHeight), -1))
        return {};
    Fnc_FillSurface(ctx, ctx.pageBitmap.get(), ClipSize, settings_.Page.PageBackColor, BrushSolid,
                    0, false);
    const QString folder = layoutFolder();
    // Drawing order, so the preview overlaps items as the exported page does.
    for (int slot : document_->liveSlotsInDrawingOrder()) {
        DateRange range = pageDateRange(outputYear(), outputMonth());
        Fnc_LayOutItemDraw(ctx, document_->item(slot), nullptr, range, false, DrawSurface{}, 0, 0,
                           folder);
    }
    const QImage* image = ctx.pageBitmap ? ctx.pageBitmap->image() : nullptr;
    return image ? image->copy() : QImage();
}

bool SFrm_Main::Fnc_MakeBmpFile() {
    if (document_->drawingOrder().empty()) {
        prompts_.message(QStringLiteral("作成するデータがありません。"));
        return false;
    }
    prompts_.message(QStringLiteral("画像ファイルを作成できませんでした。"));
    return false;
}

} // namespace tobirae
