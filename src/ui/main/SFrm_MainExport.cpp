// The main window's page output: "画像ファイル作成" and the page job the other outputs share.
#include "render/PageExport.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/ExportMessagePanel.h"
#include "ui/main/ItemView.h"
#include "ui/main/SFrm_Main.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMenuBar>
#include <algorithm>
#include <thread>

namespace tobirae {

namespace {

const QString kBitmapFilter = QStringLiteral("ビットマップファイル (*.BMP)|*.BMP");

} // namespace

// The page as the export draws it: the items' geometry from the document, the settings' background.
static PageJob pageJobOf(const SFrm_Main&, const LayoutDocument& document, Colour pageBackColor) {
    return pageJobFromDocument(document, pageBackColor);
}

PageJob SFrm_Main::pageJob() const {
    return pageJobOf(*this, document(), settings_.Page.PageBackColor);
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

} // namespace tobirae
