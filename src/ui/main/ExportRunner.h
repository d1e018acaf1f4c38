// The page outputs of the main window: "画像ファイル作成" (one bitmap of the output month),
// "PDF出力...", "一括出力..." and printing. Files are written on a worker thread while the message
// panel shows the progress and the window stays responsive; at most one output runs at a time.
#pragma once

#include "render/PageExport.h"
#include "render/PdfExport.h"

#include <QObject>
#include <atomic>
#include <functional>
#include <optional>

class QMainWindow;

namespace tobirae {

struct AppSettings;
class EditorDocument;
class ExportMessagePanel;
struct MonthRangeChoice;
class UserPrompts;
struct WindowTestHooks;

class ExportRunner final : public QObject {
    Q_OBJECT
public:
    // `window` is disabled while an output runs; the message panel is centred over it.
    ExportRunner(QMainWindow& window, const EditorDocument& editor, AppSettings& settings,
                 UserPrompts& prompts, const WindowTestHooks& hooks);

    bool exporting() const { return exporting_; }
    ExportMessagePanel* messagePanel() const { return messagePanel_; }
    // The name the bitmap export proposes: the layout's name or the last file written.
    QString exportName() const { return exportName_; }
    void setExportName(const QString& name) { exportName_ = name; }

    // The page as the outputs draw it: the document's items, the settings' background.
    PageJob pageJob() const;

    // "画像ファイル作成": returns once the file is written or the export failed.
    bool exportPageBitmap();
    // "PDF出力...": a month range as one PDF file.
    bool exportPdfRange();
    // "一括出力...": a month range as BMP or PNG files, or one PDF, into a folder.
    bool exportMonthRange();
    // "印刷..." / "印刷プレビュー...": one page per month of a range, fitted to the paper.
    bool printMonths(bool preview);

signals:
    void exportFinished(bool ok, const QString& path);
    // A month range or format was remembered in the settings.
    void settingsChanged();

private:
    // Reports a step of the work to the message panel; callable from the worker.
    using Progress = std::function<void(const QString& text, int step)>;
    using Work = std::function<ExportResult(const std::atomic<bool>& cancel, const Progress&)>;

    // Whether an output may start: none is running and there is something to draw.
    bool readyToExport();
    // The months of a range output, once it may start (nullopt: it may not, or cancelled).
    std::optional<MonthRangeChoice> chooseMonths(const QString& title, bool withFormat);
    // Runs `work` on a worker thread with the window disabled and the message panel counting
    // `steps` from the first text; the panel offers to cancel when `cancellable`.
    ExportResult run(int steps, bool cancellable, const QString& firstText, int firstStep,
                     const Work& work);
    // A month range's pages counted "n / N ページ" on the panel.
    ExportResult
    runPages(int pages,
             const std::function<ExportResult(const std::atomic<bool>&, const PageDone&)>& work);
    void setBusy(bool busy);
    // Names the pictures the job would be drawn without and asks whether to go on; `without`
    // tells the caller whether any are missing.
    bool mayDrawWithoutPictures(const PageJob& job, bool& without);
    // pageJob() for an output; days files that could not be read are named to the user first.
    PageJob exportJob();

    QMainWindow& window_;
    const EditorDocument& editor_;
    AppSettings& settings_;
    UserPrompts& prompts_;
    const WindowTestHooks& hooks_;
    ExportMessagePanel* messagePanel_ = nullptr;
    QString exportName_;
    bool exporting_ = false;
};

} // namespace tobirae
