// The main window's commands for pages of several months: "PDF出力...", "一括出力...",
// "印刷..." and "印刷プレビュー...". Files are written on worker threads with a progress bar and
// a cancel button; every page file is complete or absent.
#include "render/PageExport.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/main/ExportMessagePanel.h"
#include "ui/main/SFrm_Main.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <thread>

namespace tobirae {

namespace {

using std::chrono::year_month;

QString failedMessage(const QString& what, const ExportResult& result) {
    return what + QStringLiteral("を作成できませんでした。\r\n") + result.error;
}

} // namespace

std::optional<MonthRangeChoice> SFrm_Main::chooseMonths(const QString& title, bool withFormat) {
    const year_month now =
        std::chrono::year(outputYear()) / std::chrono::month(static_cast<unsigned>(outputMonth()));
    const MonthRangeChoice initial = initialMonthRange(settings_, now);
    std::optional<MonthRangeChoice> chosen;
    if (monthRangeChooser_) {
        chosen = monthRangeChooser_(title, withFormat, initial);
    } else {
        MonthRangeDialog dialog(title, initial, withFormat, this);
        if (dialog.exec() == QDialog::Accepted)
            chosen = dialog.choice();
    }
    if (chosen)
        rememberMonthRange(settings_, *chosen, withFormat);
    return chosen;
}

ExportResult
SFrm_Main::runPageWork(int pages, const std::function<ExportResult(const std::atomic<bool>& cancel,
                                                                   const PageDone& onPage)>& work) {
    exporting_ = true;
    setBusy(true);
    messagePanel_->start(pages, true);
    messagePanel_->setStep(QStringLiteral("0 / %1 ページ").arg(pages), 0);
    std::atomic<bool> cancel{false};
    const auto cancelling = connect(messagePanel_, &ExportMessagePanel::cancelRequested, this,
                                    [&cancel] { cancel = true; });
    std::atomic<int> done{0};
    const PageDone onPage = [this, pages, &done](std::size_t, const ExportResult& page) {
        if (!page.ok)
            return;
        const int n = ++done;
        QMetaObject::invokeMethod(
            this,
            [this, n, pages] {
                messagePanel_->setStep(QStringLiteral("%1 / %2 ページ").arg(n).arg(pages), n);
            },
            Qt::QueuedConnection);
    };
    ExportResult result;
    QEventLoop loop;
    std::thread worker([&] {
        result = work(cancel, onPage);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    QCoreApplication::sendPostedEvents(this);
    disconnect(cancelling);
    messagePanel_->finish();
    setBusy(false);
    exporting_ = false;
    return result;
}

bool SFrm_Main::exportPdfRange() {
    if (exporting_)
        return false;
    if (document().drawingOrder().empty()) {
        prompts_.message(QStringLiteral("作成するデータがありません。"));
        return false;
    }
    const auto choice = chooseMonths(QStringLiteral("PDF出力"), false);
    if (!choice)
        return false;
    const QString base =
        QFileInfo(exportName_.isEmpty() ? document().path() : exportName_).completeBaseName();
    QString proposal = base.isEmpty() ? QString() : base + QStringLiteral(".pdf");
    if (!proposal.isEmpty() && !document().path().isEmpty())
        proposal = QFileInfo(document().path()).dir().filePath(proposal);
    const QString path = prompts_.saveFileName(
        {QStringLiteral("PDFファイル (*.PDF)|*.PDF"), proposal, QStringLiteral("PDF")});
    if (path.isEmpty())
        return false;

    const PageJob job = pageJob();
    const auto months = monthRange(choice->from, choice->to);
    const ExportResult result =
        runPageWork(static_cast<int>(months.size()),
                    [&](const std::atomic<bool>& cancel, const PageDone& onPage) {
                        ExportOptions options;
                        options.cancel = &cancel;
                        return exportPdf(job, months, path, options, onPage);
                    });
    if (result.cancelled) {
        prompts_.message(QStringLiteral("中止しました。"));
        return false;
    }
    if (!result.ok) {
        prompts_.message(failedMessage(QStringLiteral("PDFファイル"), result));
        return false;
    }
    prompts_.message(
        QStringLiteral("%1ページのPDFを作成しました。\r\n%2").arg(result.pages).arg(path));
    return true;
}

bool SFrm_Main::exportMonthRange() {
    if (exporting_)
        return false;
    if (document().drawingOrder().empty()) {
        prompts_.message(QStringLiteral("作成するデータがありません。"));
        return false;
    }
    const auto choice = chooseMonths(QStringLiteral("一括出力"), true);
    if (!choice)
        return false;
    const QString proposal =
        document().path().isEmpty() ? QString() : QFileInfo(document().path()).absolutePath();
    const QString folder = prompts_.folderName({QString(), proposal, QString()});
    if (folder.isEmpty())
        return false;

    const auto months = monthRange(choice->from, choice->to);
    std::vector<QString> paths;
    if (choice->format == PageFileFormat::Pdf) {
        paths.push_back(QDir(folder).filePath(monthName(choice->from) + QStringLiteral("_") +
                                              monthName(choice->to) + QStringLiteral(".pdf")));
    } else {
        const QString suffix =
            choice->format == PageFileFormat::Png ? QStringLiteral(".png") : QStringLiteral(".bmp");
        for (const year_month month : months)
            paths.push_back(QDir(folder).filePath(monthName(month) + suffix));
    }
    const bool taken = std::any_of(paths.begin(), paths.end(),
                                   [](const QString& p) { return QFileInfo::exists(p); });
    if (taken && prompts_.ask(QStringLiteral("同じ名前のファイルがあります。\r\n上書きしますか?"),
                              PromptButtons::YesNo) != PromptAnswer::Yes)
        return false;

    const PageJob job = pageJob();
    const ExportResult result =
        runPageWork(static_cast<int>(months.size()), [&](const std::atomic<bool>& cancel,
                                                         const PageDone& onPage) {
            ExportOptions options;
            options.cancel = &cancel;
            if (choice->format == PageFileFormat::Pdf)
                return exportPdf(job, months, paths.front(), options, onPage);
            options.file.format =
                choice->format == PageFileFormat::Png ? ImageFileFormat::Png : ImageFileFormat::Bmp;
            const std::vector<ExportResult> pages =
                exportPages(job, months, paths, options, 0, onPage);
            ExportResult total;
            total.ok = true;
            for (std::size_t i = 0; i < pages.size(); ++i) {
                if (pages[i].ok) {
                    ++total.pages;
                    continue;
                }
                total.ok = false;
                total.cancelled = total.cancelled || (pages[i].cancelled && cancel);
                if (!pages[i].cancelled && total.error.isEmpty())
                    total.error = monthName(months[i]) + QStringLiteral(": ") + pages[i].error;
            }
            return total;
        });
    if (!result.ok && !result.error.isEmpty()) {
        prompts_.message(failedMessage(QStringLiteral("ファイル"), result) +
                         QStringLiteral("\r\n%1ページは作成しました。").arg(result.pages));
        return false;
    }
    if (result.cancelled) {
        prompts_.message(QStringLiteral("中止しました。\r\n%1ページは作成しました。\r\n%2")
                             .arg(result.pages)
                             .arg(folder));
        return false;
    }
    prompts_.message(
        QStringLiteral("%1ページを作成しました。\r\n%2").arg(result.pages).arg(folder));
    return true;
}

bool SFrm_Main::printMonths(bool preview) {
    if (exporting_)
        return false;
    if (document().drawingOrder().empty()) {
        prompts_.message(QStringLiteral("作成するデータがありません。"));
        return false;
    }
    const auto choice =
        chooseMonths(preview ? QStringLiteral("印刷プレビュー") : QStringLiteral("印刷"), false);
    if (!choice)
        return false;
    const PageJob job = pageJob();
    const auto months = monthRange(choice->from, choice->to);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(pageLayoutOf(job));
    printer.setDocName(QFileInfo(document().path()).completeBaseName());
    ExportResult result;
    result.ok = true;
    auto print = [&](QPrinter* target) {
        setBusy(true);
        result = paintPages(job, months, *target);
        setBusy(false);
    };
    if (preview) {
        QPrintPreviewDialog dialog(&printer, this);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this, print);
        dialog.exec();
    } else {
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        print(&printer);
    }
    if (!result.ok && !result.cancelled) {
        prompts_.message(QStringLiteral("印刷できませんでした。\r\n") + result.error);
        return false;
    }
    return true;
}

} // namespace tobirae
