// The main window's page output: "画像ファイル作成" and the page picture of the preview window.
#include "bitmap/ImageCanvas.h"
#include "bitmap/Primitives.h"
#include "render/PageExport.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/ExportMessagePanel.h"
#include "ui/main/ItemView.h"
#include "ui/main/SFrm_Main.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QImageReader>
#include <QMenuBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <thread>

namespace tobirae {

namespace {

const QString kBitmapFilter = QStringLiteral("ビットマップファイル (*.BMP)|*.BMP");

} // namespace

// The page as the export draws it: the items' geometry from the document, the settings' background.
static PageJob pageJobOf(const SFrm_Main&, const LayoutDocument& document, Colour pageBackColor) {
    return pageJobFromDocument(document, pageBackColor);
}

void SFrm_Main::setBusy(bool busy) {
    centralWidget()->setEnabled(!busy);
    menuBar()->setEnabled(!busy);
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool SFrm_Main::Fnc_MakeBmpFile() {
    if (exporting_)
        return false;
    if (document().drawingOrder().empty()) {
        prompts_.message(QStringLiteral("作成するデータがありません。"));
        return false;
    }
    // A name taken from the layout has no folder: propose it beside the layout.
    QString proposal = exportName_;
    if (!proposal.isEmpty() && QFileInfo(proposal).fileName() == proposal &&
        !document().path().isEmpty())
        proposal = QFileInfo(document().path()).dir().filePath(proposal);
    const QString path = prompts_.saveFileName({kBitmapFilter, proposal, QStringLiteral("BMP")});
    if (path.isEmpty())
        return false;

    const PageJob job = pageJobOf(*this, document(), settings_.Page.PageBackColor);
    const int drawn = static_cast<int>(std::count_if(job.entries.begin(), job.entries.end(),
                                                     [](const auto& e) { return e.drawn; }));
    exporting_ = true;
    setBusy(true);
    messagePanel_->start(drawn + 4);
    messagePanel_->setStep(QStringLiteral("ビットマップの作成中"), 1);

    // The page is drawn on a worker thread so the window keeps repainting and showing progress.
    ExportOptions options;
    options.progress = [this](const ExportProgress& p) {
        QMetaObject::invokeMethod(
            this, [this, p] { messagePanel_->setStep(p.text, p.step); }, Qt::QueuedConnection);
    };
    ExportResult result;
    QEventLoop loop;
    const int year = outputYear();
    const int month = outputMonth();
    std::thread worker([&] {
        result = exportPage(job, year, month, path, options);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    QCoreApplication::sendPostedEvents(this); // the last progress steps

    messagePanel_->finish();
    setBusy(false);
    exporting_ = false;
    if (!result.ok) {
        prompts_.message(QStringLiteral("画像ファイルを作成できませんでした。\r\n") + result.error);
        emit exportFinished(false, path);
        return false;
    }
    exportName_ = path;
    prompts_.message(QStringLiteral("作成しました。"));
    emit exportFinished(true, path);
    return true;
}

QImage SFrm_Main::renderPageImage(double scale) {
    // Drawn by the export itself, so the preview is exactly the page a file would get.
    QTemporaryDir dir;
    if (!dir.isValid())
        return {};
    const QString file = dir.filePath(QStringLiteral("preview.bmp"));
    ExportOptions options;
    options.dpi = static_cast<int>(std::lround(kLayoutDpi * scale));
    const PageJob job = pageJobOf(*this, document(), settings_.Page.PageBackColor);
    // A page without items is the blank paper.
    if (std::none_of(job.entries.begin(), job.entries.end(),
                     [](const ExportEntry& e) { return e.drawn; })) {
        const float s = static_cast<float>(*options.dpi) / kLayoutDpi;
        const QSize size = Fnc_PageBitmapSize(static_cast<float>(job.canvas.width()),
                                              static_cast<float>(job.canvas.height()), s, s);
        if (size.isEmpty() || Fnc_PageBitmapBytes(size, -1) > kMaxPageBytes)
            return {};
        QImage blank(size, QImage::Format_RGB32);
        blank.fill(rgbFromColour(job.pageBackColor));
        return blank;
    }
    const ExportResult result = exportPage(job, outputYear(), outputMonth(), file, options);
    if (!result.ok)
        return {};
    return QImage(file);
}

} // namespace tobirae
