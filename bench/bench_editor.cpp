// Editor responsiveness: the time from start to a usable window with examples/wall-calendar.CLF
// open (measured once, cold, as the program starts), opening the layout again in a warm process,
// redrawing every preview after a month change, opening the item property dialog and the
// font dialog on the layout's month box, panning and dragging over the page with the finest
// usual grid (4 pixels), reading the examples as templates with their small page previews, the
// batch export of a year of PNG pages and month changes with a photo in the layout.
#include "app/EditorStartup.h"
#include "document/LayoutFile.h"
#include "render/NewItemDefaults.h"
#include "ui/dialogs/DayCellLayoutDialog.h"
#include "ui/dialogs/FontSettingsDialog.h"
#include "ui/dialogs/ItemDialogRules.h"
#include "ui/dialogs/ItemPropertiesDialog.h"
#include "ui/dialogs/UserPrompts.h"
#include "ui/editing/ItemMeasure.h"
#include "ui/main/CanvasView.h"
#include "ui/main/EditorWindowSetup.h"
#include "ui/main/ExportRunner.h"
#include "ui/main/ItemView.h"
#include "ui/main/LayoutFiles.h"
#include "ui/main/LayoutTemplates.h"
#include "ui/main/MainWindow.h"
#include "ui/main/Translations.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

using namespace tobirae;
using Clock = std::chrono::steady_clock;

const QString kWallCalendar = QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/wall-calendar.CLF");

// Seconds since the process was started, from /proc (10 ms resolution); -1 when unknown.
double processAgeSeconds() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray s = stat.readAll();
    const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 20)
        return -1;
    const double started = fields[19].toDouble() / static_cast<double>(sysconf(_SC_CLK_TCK));
    return uptime.readAll().split(' ').value(0).toDouble() - started;
}

// No questions: the benchmark never closes a window through the user.
class SilentPrompts final : public UserPrompts {
public:
    PromptAnswer ask(const QString&, PromptButtons) override { return PromptAnswer::No; }
    void message(const QString& text, PromptIcon) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    QString openFileName(const FileRequest&) override { return {}; }
    QString saveFileName(const FileRequest&) override { return {}; }
    QString folderName(const FileRequest&) override { return folder; }
    std::optional<QColor> pickColour(const QColor&, const QString&) override {
        return std::nullopt;
    }
    QString folder; // the folder every folder dialog chooses
};

SilentPrompts prompts;
QTemporaryDir* settingsDir = nullptr;

std::unique_ptr<MainWindow> openEditor(const QString& layout = kWallCalendar) {
    auto start = startEditor(settingsDir->filePath(QStringLiteral("Tobirae.ini")), localToday());
    auto window = std::make_unique<MainWindow>(std::move(*start), prompts);
    showEditorWindow(*window);
    window->files().openLayout(layout);
    // Usable: everything painted once.
    QCoreApplication::processEvents();
    window->grab();
    return window;
}

void BM_OpenWallCalendarWarm(benchmark::State& state) {
    for (auto _ : state) {
        auto window = openEditor();
        benchmark::DoNotOptimize(window.get());
    }
}
BENCHMARK(BM_OpenWallCalendarWarm)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// Each iteration picks the next month of 2027 and paints the canvas.
void redrawMonthAfterMonth(benchmark::State& state, MainWindow& window) {
    int month = 0;
    for (auto _ : state) {
        window.editor().setOutputMonth(2027, month % 12 + 1);
        window.canvasView()->viewport()->grab();
        ++month;
    }
}

void BM_MonthChangeRedraw(benchmark::State& state) {
    auto window = openEditor();
    redrawMonthAfterMonth(state, *window);
}
BENCHMARK(BM_MonthChangeRedraw)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(24);

void BM_MonthChangeRedrawAt100Percent(benchmark::State& state) {
    auto window = openEditor();
    window->canvasView()->setZoom(1.0);
    window->redrawAllItems();
    redrawMonthAfterMonth(state, *window);
}
BENCHMARK(BM_MonthChangeRedrawAt100Percent)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(24);

// examples/picture-calendar.CLF with a photo of six megapixels (3000 x 2000, noise: about 3 MB
// as JPEG) in its picture item, written into `folder`; the layout's path.
QString pictureCalendarWithPhoto(const QTemporaryDir& folder) {
    QImage photo(3000, 2000, QImage::Format_RGB32);
    std::uint32_t seed = 1;
    for (int y = 0; y < photo.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            row[x] = (seed = seed * 1664525u + 1013904223u) >> 8;
    }
    const QString photoPath = folder.filePath(QStringLiteral("photo.jpg"));
    ReadResult read =
        readLayoutFile(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples/picture-calendar.CLF"));
    if (!read.document || !photo.save(photoPath, "JPEG", 90))
        return {};
    for (int slot : read.document->liveSlotsInDrawingOrder())
        if (read.document->item(slot).Category == CategoryPicture)
            read.document->item(slot).PictureFile.setText(photoPath);
    const QString layout = folder.filePath(QStringLiteral("photo.CLF"));
    return writeLayoutFile(*read.document, layout) ? QString() : layout;
}

// Month after month with a photo in the layout: the previews redraw it from the picture decoded
// once, not from its file.
void BM_MonthChangeRedrawWithPhoto(benchmark::State& state) {
    QTemporaryDir folder;
    const QString layout = pictureCalendarWithPhoto(folder);
    if (layout.isEmpty()) {
        state.SkipWithError("the layout with a photo could not be written");
        return;
    }
    auto window = openEditor(layout);
    redrawMonthAfterMonth(state, *window);
}
BENCHMARK(BM_MonthChangeRedrawWithPhoto)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(12);

// The first month box of the wall calendar.
LayoutItem wallCalendarMonthBox() {
    const auto read = readLayoutFileContent(kWallCalendar);
    if (read.content) {
        for (const LayoutItem& item : read.content->items) {
            if (item.Category == CategoryMonthFamily && item.LayoutVariant <= VariantBoxMini)
                return item;
        }
    }
    std::fprintf(stderr, "no month box in %s\n", qPrintable(kWallCalendar));
    return {};
}

// From the click to a painted dialog: built, filled from the record, laid out and drawn.
void BM_PropertyDialogOpensOnMonthBox(benchmark::State& state) {
    const LayoutItem item = wallCalendarMonthBox();
    for (auto _ : state) {
        ItemPropertiesDialog dialog(item, false, ItemDialogContext{}, prompts);
        dialog.show();
        QCoreApplication::processEvents();
        dialog.grab();
        benchmark::DoNotOptimize(&dialog);
    }
}
BENCHMARK(BM_PropertyDialogOpensOnMonthBox)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

// The font dialog lists every installed face; the list is gathered once per property dialog.
void BM_FontDialogOpens(benchmark::State& state) {
    const LayoutItem item = wallCalendarMonthBox();
    const QStringList faces = fontDialogFaces();
    for (auto _ : state) {
        FontSettingsDialog dialog(item.element(Day).Font, true, prompts, faces);
        dialog.show();
        QCoreApplication::processEvents();
        dialog.grab();
        benchmark::DoNotOptimize(&dialog);
    }
}
BENCHMARK(BM_FontDialogOpens)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// What the document asks whenever it sizes an item to its contents (auto-sized headings on every
// month change, "基準枠に合わせる", new items): the content size of every item of the wall
// calendar, month after month.
void BM_MeasureEveryItem(benchmark::State& state) {
    const ReadResult read = readLayoutFile(kWallCalendar);
    if (!read.document) {
        state.SkipWithError("cannot read the example");
        return;
    }
    const std::vector<int> liveSlots = read.document->liveSlotsInDrawingOrder();
    ItemMeasure measure;
    int month = 0;
    for (auto _ : state) {
        for (int slot : liveSlots)
            benchmark::DoNotOptimize(
                measure.contentSize(read.document->item(slot), 2027, month % 12 + 1, {}));
        ++month;
    }
    state.counters["items"] = static_cast<double>(liveSlots.size());
}
BENCHMARK(BM_MeasureEveryItem)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(240);

// The day-cell layout editor on a one-month vertical list with all thirteen elements shown: every
// box measured and drawn in its font, the window laid out and painted. Goal: under 200 ms.
void BM_DayCellEditorOpensOnVerticalList(benchmark::State& state) {
    LayoutItem item;
    applyNewItemDefaults(CategoryMonthFamily, VariantVertical, item, 297, 210);
    for (int k = 0; k < kElementCount; ++k)
        item.element(k).Shown = kTrue;
    for (auto _ : state) {
        DayCellLayoutDialog editor(item, ContentEditorContext{}, prompts);
        editor.show();
        QCoreApplication::processEvents();
        editor.grab();
        benchmark::DoNotOptimize(&editor);
    }
}
BENCHMARK(BM_DayCellEditorOpensOnVerticalList)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

// The main grid at 60 twips (4 pixels), shown or not.
void showGrid(MainWindow& window, bool shown) {
    window.settings().GridShown[0] = shown;
    window.settings().GridX[0] = window.settings().GridY[0] = 60;
    window.updateGuides();
}

// The slot of the first month box of the layout.
int monthBoxSlot(const MainWindow& window) {
    for (int slot : window.document().liveSlotsInDrawingOrder())
        if (window.document().item(slot).Category == CategoryMonthFamily)
            return slot;
    return -1;
}

void sendMouse(QWidget* viewport, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, viewport->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

// Arguments: the zoom in per cent and whether the 4-pixel grid is shown.
void BM_DragMonthBox(benchmark::State& state) {
    auto window = openEditor();
    showGrid(*window, state.range(1) != 0);
    CanvasView* canvas = window->canvasView();
    canvas->setZoom(state.range(0) / 100.0);
    window->redrawAllItems();
    const int slot = monthBoxSlot(*window);
    ItemView* view = window->itemView(slot);
    if (!view) {
        state.SkipWithError("no month box in the layout");
        return;
    }
    canvas->centerOn(view);
    QWidget* viewport = canvas->viewport();
    const QPoint start = canvas->mapFromScene(view->sceneBoundingRect().center());
    const qint64 picture = view->preview().image().cacheKey();
    const QPointF from = view->pos();
    double travelled = 0;
    sendMouse(viewport, QEvent::MouseButtonPress, start, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        // Back and forth over 40 pixels so the view stays in sight.
        const int dx = (step / 40) % 2 == 0 ? step % 40 : 40 - step % 40;
        sendMouse(viewport, QEvent::MouseMove, start + QPoint(dx, dx / 2), Qt::LeftButton);
        viewport->repaint();
        travelled = std::max(travelled, view->pos().x() - from.x());
        ++step;
    }
    sendMouse(viewport, QEvent::MouseButtonRelease, start, Qt::NoButton);
    state.counters["frames/s"] = benchmark::Counter(double(step), benchmark::Counter::kIsRate);
    // Moving a view shows the picture it has; it is not drawn again.
    state.counters["preview redrawn"] = view->preview().image().cacheKey() != picture ? 1 : 0;
    state.counters["pixels dragged"] = travelled;
}
BENCHMARK(BM_DragMonthBox)
    ->ArgNames({"zoom", "grid"})
    ->Args({100, 0})
    ->Args({100, 1})
    ->Args({50, 0})
    ->Args({50, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(100);

// "一括出力..." of the twelve PNG pages of 2027 as the editor runs it: the worker threads drawing
// the pages while the window shows their count, at the layout's resolution (300 dpi for the wall
// calendar). Goal: under 2 s on two cores.
void BM_BatchExportYearPng(benchmark::State& state) {
    auto window = openEditor();
    using std::chrono::year;
    window->testHooks().monthRange = [](const QString&, bool, const MonthRangeChoice&) {
        return std::optional<MonthRangeChoice>(
            {year(2027) / 1, year(2027) / 12, PageFileFormat::Png});
    };
    QTemporaryDir out;
    prompts.folder = out.path();
    for (auto _ : state) {
        if (!window->exports().exportMonthRange()) {
            state.SkipWithError("the batch export failed");
            break;
        }
        // The pages are new files each time, as in a fresh folder; removing them is not timed.
        state.PauseTiming();
        for (const QString& name : QDir(out.path()).entryList(QDir::Files))
            QFile::remove(QDir(out.path()).filePath(name));
        state.ResumeTiming();
    }
    prompts.folder.clear();
    state.counters["dpi"] = window->document().page.ResolutionDpi;
}
BENCHMARK(BM_BatchExportYearPng)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// 1,000 moves of the month box by the mouse's end-of-drag step, then all of them undone with the
// canvas following each step.
void BM_Undo1000Edits(benchmark::State& state) {
    auto window = openEditor();
    const int slot = monthBoxSlot(*window);
    EditorDocument& editor = window->editor();
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 1000; ++i)
            editor.dragItem(slot, QPointF(10 + i % 300, 20 + i % 200));
        state.ResumeTiming();
        while (editor.undoStack().canUndo())
            editor.undoStack().undo();
        window->canvasView()->viewport()->repaint();
    }
}
BENCHMARK(BM_Undo1000Edits)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The wall calendar with the main grid at 60 twips (4 pixels) when `grid` is set, at 100 % or
// with the whole page in view (then about 3 device pixels between dots: the most dots drawn).
std::unique_ptr<MainWindow> openWithGrid(const benchmark::State& state) {
    auto window = openEditor();
    showGrid(*window, state.range(0) != 0);
    CanvasView* view = window->canvasView();
    if (state.range(1) != 0)
        view->fitPage(QRectF(0, 0, window->document().page.CanvasWidth,
                             window->document().page.CanvasHeight));
    else
        view->setZoom(1.0);
    window->redrawAllItems();
    QCoreApplication::processEvents();
    return window;
}

// Each iteration scrolls the canvas by 40 pixels and paints the whole visible canvas (more than
// a scroll repaints, so an upper bound).
void BM_PanA4(benchmark::State& state) {
    auto window = openWithGrid(state);
    CanvasView* view = window->canvasView();
    QScrollBar* bar = view->verticalScrollBar();
    int step = 40;
    for (auto _ : state) {
        if (bar->value() + step > bar->maximum() || bar->value() + step < 0)
            step = -step;
        bar->setValue(bar->value() + step);
        benchmark::DoNotOptimize(view->viewport()->grab());
    }
    state.counters["viewport_px"] = view->viewport()->width() * view->viewport()->height();
}
BENCHMARK(BM_PanA4)
    ->ArgNames({"grid", "fit"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Everything the template dialog computes: reading every example and drawing its page at about
// 180 pixels high. Goal: under 300 ms for all of them, or the dialog draws them in the background.
void BM_TemplatePreviews(benchmark::State& state) {
    for (auto _ : state) {
        const auto templates = findTemplates(QStringLiteral(TOBIRAE_SOURCE_DIR "/examples"));
        std::size_t drawn = 0;
        for (const LayoutTemplate& t : templates)
            drawn += t.usable() &&
                     !templatePreview(*t.document, 0x00FFFFFF, 2027, 4, QSize(200, 180)).isNull();
        if (drawn == 0 || drawn != templates.size())
            state.SkipWithError("an example could not be drawn as a template");
        state.counters["templates"] = static_cast<double>(drawn);
    }
}
BENCHMARK(BM_TemplatePreviews)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    const double ageAtMain = processAgeSeconds();
    const auto mainEntered = Clock::now();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    installJapaneseTranslations(app);
    QTemporaryDir dir;
    settingsDir = &dir;
    {
        // The cold start as the program does it: first fonts, first window, first previews.
        auto window = openEditor();
        const double ms =
            std::chrono::duration<double, std::milli>(Clock::now() - mainEntered).count();
        std::printf("cold start to usable window with wall-calendar.CLF: %.0f ms after main() "
                    "(process had run %.0f ms before main)\n",
                    ms, ageAtMain * 1000);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
