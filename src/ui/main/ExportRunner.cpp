#include "ui/main/ExportRunner.h"

#include "app/AppSettings.h"
#include "render/MissingPictures.h"
#include "render/PageExport.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/editing/EditorDocument.h"
#include "ui/main/ExportMessagePanel.h"
#include "ui/main/MonthRangeDialog.h"
#include "ui/main/WindowTestHooks.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <thread>

namespace tobirae {

namespace {

using std::chrono::year_month;

const QString kBitmapFilter = QStringLiteral("ビットマップファイル (*.BMP)|*.BMP");

QString failedMessage(const QString& what, const ExportResult& result) {
    return what + QStringLiteral("を作成できませんでした。\r\n") + result.error;
}

// The line a result gets when its pages were drawn without some pictures: every page shows every
// picture item, so it is every page written.
QString pagesWithoutPictures(const std::vector<year_month>& months, int written) {
    if (written <= 0 || months.empty())
        return {};
    const auto last = months[static_cast<std::size_t>(
        std::min<std::size_t>(static_cast<std::size_t>(written), months.size()) - 1)];
    const QString span = months.front() == last
                             ? monthName(last)
                             : monthName(months.front()) + QStringLiteral("～") + monthName(last);
    return QStringLiteral("\r\n画像なしで作成したページ: %1 (%2ページ)").arg(span).arg(written);
}

} // namespace

ExportRunner::ExportRunner(QMainWindow& window, const EditorDocument& editor, AppSettings& settings,
                           UserPrompts& prompts, const WindowTestHooks& hooks)
    : QObject(&window), window_(window), editor_(editor), settings_(settings), prompts_(prompts),
      hooks_(hooks), messagePanel_(new ExportMessagePanel(&window)) {}

PageJob ExportRunner::pageJob() const {
    return pageJobFromDocument(editor_.document(), settings_.Page.PageBackColor);
}

PageJob ExportRunner::exportJob() {
    PageJob job = pageJob();
    // The pages are drawn without what could not be read, and the user is told what that was.
    if (!job.ownDaysProblems.isEmpty())
        prompts_.message(
            QStringLiteral("予定・休日の読めなかったところは使わずに作成します。\r\n") +
            job.ownDaysProblems.mid(0, 20).join(QStringLiteral("\r\n")));
    return job;
}

void ExportRunner::setBusy(bool busy) {
    window_.centralWidget()->setEnabled(!busy);
    window_.menuBar()->setEnabled(!busy);
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool ExportRunner::readyToExport() {
    if (exporting_)
        return false;
    if (editor_.document().drawingOrder().empty()) {
        prompts_.message(QStringLiteral("作成するデータがありません。"));
        return false;
    }
    return true;
}

bool ExportRunner::mayDrawWithoutPictures(const PageJob& job, bool& without) {
    const std::vector<MissingPicture> missing = missingPictures(job);
    without = !missing.empty();
    if (!without)
        return true;
    return prompts_.ask(QStringLiteral("次の画像を使えません。画像なしで作成すると、その場所には"
                                       "「ここに画像を貼り付けます。」と出力されます。\r\n") +
                            missingPictureLines(missing) +
                            QStringLiteral("\r\n画像なしで続行しますか？"),
                        PromptButtons::ContinueCancel) == PromptAnswer::Yes;
}

std::optional<MonthRangeChoice> ExportRunner::chooseMonths(const QString& title, bool withFormat) {
    if (!readyToExport())
        return std::nullopt;
    const year_month now = outputMonthOf(editor_);
    const MonthRangeChoice initial =
        initialMonthRange(settings_, now, pageShowsAYear(editor_.document()));
    std::optional<MonthRangeChoice> chosen;
    if (hooks_.monthRange) {
        chosen = hooks_.monthRange(title, withFormat, initial);
    } else {
        MonthRangeDialog dialog(title, initial, withFormat, &window_);
        if (dialog.exec() == QDialog::Accepted)
            chosen = dialog.choice();
    }
    if (chosen) {
        rememberMonthRange(settings_, *chosen, withFormat);
        emit settingsChanged();
    }
    return chosen;
}

ExportResult ExportRunner::run(int steps, bool cancellable, const QString& firstText, int firstStep,
                               const Work& work) {
    exporting_ = true;
    setBusy(true);
    messagePanel_->start(steps, cancellable);
    messagePanel_->setStep(firstText, firstStep);
    std::atomic<bool> cancel{false};
    const auto cancelling = connect(messagePanel_, &ExportMessagePanel::cancelRequested, this,
                                    [&cancel] { cancel = true; });
    const Progress progress = [this](const QString& text, int step) {
        QMetaObject::invokeMethod(
            this, [this, text, step] { messagePanel_->setStep(text, step); }, Qt::QueuedConnection);
    };
    ExportResult result;
    QEventLoop loop;
    std::thread worker([&] {
        result = work(cancel, progress);
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    QCoreApplication::sendPostedEvents(this); // the last progress steps
    disconnect(cancelling);
    messagePanel_->finish();
    setBusy(false);
    exporting_ = false;
    return result;
}

ExportResult ExportRunner::runPages(
    int pages, const std::function<ExportResult(const std::atomic<bool>&, const PageDone&)>& work) {
    const auto counted = [pages](int n) {
        return QStringLiteral("%1 / %2 ページ").arg(n).arg(pages);
    };
    return run(pages, true, counted(0), 0,
               [&](const std::atomic<bool>& cancel, const Progress& progress) {
                   std::atomic<int> done{0};
                   const PageDone onPage = [&](std::size_t, const ExportResult& page) {
                       if (!page.ok)
                           return;
                       const int n = ++done;
                       progress(counted(n), n);
                   };
                   return work(cancel, onPage);
               });
}

bool ExportRunner::exportPageBitmap() {
    if (!readyToExport())
        return false;
    const LayoutDocument& document = editor_.document();
    // A name taken from the layout has no folder: propose it beside the layout.
    QString proposal = exportName_;
    if (!proposal.isEmpty() && QFileInfo(proposal).fileName() == proposal &&
        !document.path().isEmpty())
        proposal = QFileInfo(document.path()).dir().filePath(proposal);
    const QString path = prompts_.saveFileName(
        {kBitmapFilter, proposal, QStringLiteral("bmp"), QStringLiteral("画像ファイルの保存先")});
    if (path.isEmpty())
        return false;

    const PageJob job = exportJob();
    bool without = false;
    if (!mayDrawWithoutPictures(job, without))
        return false;
    const int drawn = static_cast<int>(std::count_if(job.entries.begin(), job.entries.end(),
                                                     [](const auto& e) { return e.drawn; }));
    const year_month shown = outputMonthOf(editor_);
    const int year = static_cast<int>(shown.year());
    const int month = static_cast<int>(unsigned(shown.month()));
    const ExportResult result =
        run(drawn + 4, false, QStringLiteral("ビットマップの作成中"), 1,
            [&](const std::atomic<bool>&, const Progress& progress) {
                ExportOptions options;
                options.progress = [&](const ExportProgress& p) { progress(p.text, p.step); };
                return exportPage(job, year, month, path, options);
            });
    if (!result.ok) {
        prompts_.message(QStringLiteral("画像ファイルを作成できませんでした。\r\n") + result.error);
        emit exportFinished(false, path);
        return false;
    }
    exportName_ = path;
    prompts_.message(QStringLiteral("作成しました。") +
                     (without ? QStringLiteral("\r\n画像なしで作成したページ: %1\r\n%2")
                                    .arg(monthName(std::chrono::year(year) /
                                                   std::chrono::month(static_cast<unsigned>(month))),
                                         path)
                              : QString()));
    emit exportFinished(true, path);
    return true;
}

bool ExportRunner::exportPdfRange() {
    const auto choice = chooseMonths(QStringLiteral("PDF出力"), false);
    if (!choice)
        return false;
    const LayoutDocument& document = editor_.document();
    const QString base =
        QFileInfo(exportName_.isEmpty() ? document.path() : exportName_).completeBaseName();
    QString proposal = base.isEmpty() ? QString() : base + QStringLiteral(".pdf");
    if (!proposal.isEmpty() && !document.path().isEmpty())
        proposal = QFileInfo(document.path()).dir().filePath(proposal);
    const QString path = prompts_.saveFileName(
        {QStringLiteral("PDFファイル (*.PDF)|*.PDF"), proposal, QStringLiteral("pdf"),
         QStringLiteral("PDFの保存先")});
    if (path.isEmpty())
        return false;

    const PageJob job = exportJob();
    bool without = false;
    if (!mayDrawWithoutPictures(job, without))
        return false;
    const auto months = monthRange(choice->from, choice->to);
    const ExportResult result =
        runPages(static_cast<int>(months.size()),
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
        QStringLiteral("%1ページのPDFを作成しました。\r\n%2").arg(result.pages).arg(path) +
        (without ? pagesWithoutPictures(months, result.pages) : QString()));
    return true;
}

bool ExportRunner::exportMonthRange() {
    const auto choice = chooseMonths(QStringLiteral("一括出力"), true);
    if (!choice)
        return false;
    const LayoutDocument& document = editor_.document();
    const QString proposal =
        document.path().isEmpty() ? QString() : QFileInfo(document.path()).absolutePath();
    const QString folder = prompts_.folderName({QString(), proposal, QString(), QStringLiteral("一括出力の保存先フォルダー")});
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
    QStringList taken;
    for (const QString& p : paths)
        if (QFileInfo::exists(p))
            taken << QDir::toNativeSeparators(p);
    if (!taken.isEmpty()) {
        QString names = taken.mid(0, 5).join(QStringLiteral("\r\n"));
        if (taken.size() > 5)
            names += QStringLiteral("\r\nほか %1 件").arg(taken.size() - 5);
        // Overwriting loses the files: No is the default.
        if (prompts_.ask(QStringLiteral("同じ名前のファイルがあります。\r\n") + names +
                             QStringLiteral("\r\n上書きしますか?"),
                         PromptButtons::YesNoKeep) != PromptAnswer::Yes)
            return false;
    }

    const PageJob job = exportJob();
    bool without = false;
    if (!mayDrawWithoutPictures(job, without))
        return false;
    const ExportResult result =
        runPages(static_cast<int>(months.size()), [&](const std::atomic<bool>& cancel,
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
        QStringLiteral("%1ページを作成しました。\r\n%2").arg(result.pages).arg(folder) +
        (without ? pagesWithoutPictures(months, result.pages) : QString()));
    return true;
}

bool ExportRunner::printMonths(bool preview) {
    const auto choice =
        chooseMonths(preview ? QStringLiteral("印刷プレビュー") : QStringLiteral("印刷"), false);
    if (!choice)
        return false;
    const PageJob job = exportJob();
    bool without = false;
    if (!mayDrawWithoutPictures(job, without))
        return false;
    const auto months = monthRange(choice->from, choice->to);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(pageLayoutOf(job));
    printer.setDocName(QFileInfo(editor_.document().path()).completeBaseName());
    ExportResult result;
    result.ok = true;
    auto print = [&](QPrinter* target) {
        setBusy(true);
        result = paintPages(job, months, *target);
        setBusy(false);
    };
    if (preview) {
        QPrintPreviewDialog dialog(&printer, &window_);
        connect(&dialog, &QPrintPreviewDialog::paintRequested, this, print);
        dialog.exec();
    } else {
        QPrintDialog dialog(&printer, &window_);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        print(&printer);
    }
    if (!result.ok && !result.cancelled) {
        prompts_.message(QStringLiteral("印刷できませんでした。\r\n") + result.error);
        return false;
    }
    if (without && !preview)
        prompts_.message(QStringLiteral("印刷しました。") +
                         pagesWithoutPictures(months, static_cast<int>(months.size())));
    return true;
}

} // namespace tobirae
