// tobirae-cli render: pages of a layout file as image files, one month or a whole year.
#include "cli/Commands.h"
#include "cli/LayoutCommandSupport.h"
#include "document/LayoutFile.h"
#include "render/ImageItem.h"
#include "render/PageExport.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <unistd.h>

namespace tobirae {

namespace {

constexpr const char* kRenderHelp =
    "Usage: tobirae-cli render LAYOUT.CLF --year Y --month M -o OUT.bmp [OPTIONS]\n"
    "       tobirae-cli render LAYOUT.CLF --year Y --all-months -o DIR [OPTIONS]\n"
    "\n"
    "Draws the page of a layout for a month (1950..2049) and writes it as an image file at the\n"
    "layout's paper size and resolution. With --all-months the twelve pages of the year are\n"
    "written to DIR/Y-01.bmp ... DIR/Y-12.bmp, rendered in parallel on all cores.\n"
    "\n"
    "Options:\n"
    "  --dpi N          resolution in dots per inch instead of the layout's (1..4800)\n"
    "  --format bmp|png file format (default bmp)\n"
    "  --depth 32|24    bits per pixel of a bitmap file (default 32)\n"
    "\n"
    "A progress line per page goes to stderr when it is a terminal.\n";

struct RenderRequest {
    QString layout;
    int year = 0;
    int month = 0;
    bool allMonths = false;
    QString output;
    std::optional<int> dpi;
    ImageFileOptions file;
};

std::optional<int> parseInt(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Parses the arguments; an error message when they do not make a request.
std::optional<std::string> parseRequest(const std::vector<std::string>& args, RenderRequest& r) {
    std::vector<std::string> positional;
    bool yearSeen = false;
    bool monthSeen = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](const char* option) -> std::optional<std::string> {
            if (i + 1 >= args.size())
                return std::nullopt;
            (void)option;
            return args[++i];
        };
        if (arg == "--year" || arg == "--month" || arg == "--dpi") {
            const auto text = value(arg.c_str());
            if (!text)
                return arg + " needs a number";
            const auto number = parseInt(*text);
            if (!number)
                return arg + " needs a number, not \"" + *text + "\"";
            if (arg == "--year") {
                if (*number < 1950 || *number > 2049)
                    return "--year must be 1950..2049";
                r.year = *number;
                yearSeen = true;
            } else if (arg == "--month") {
                if (*number < 1 || *number > 12)
                    return "--month must be 1..12";
                r.month = *number;
                monthSeen = true;
            } else {
                if (*number < 1 || *number > 4800)
                    return "--dpi must be 1..4800";
                r.dpi = *number;
            }
        } else if (arg == "--all-months") {
            r.allMonths = true;
        } else if (arg == "-o" || arg == "--output") {
            const auto text = value(arg.c_str());
            if (!text || text->empty())
                return arg + " needs a path";
            r.output = pathArgument(*text);
        } else if (arg == "--format") {
            const auto text = value(arg.c_str());
            if (text && *text == "bmp")
                r.file.format = ImageFileFormat::Bmp;
            else if (text && *text == "png")
                r.file.format = ImageFileFormat::Png;
            else
                return "--format must be bmp or png";
        } else if (arg == "--depth") {
            const auto text = value(arg.c_str());
            const auto number = text ? parseInt(*text) : std::nullopt;
            if (!number || (*number != 32 && *number != 24))
                return "--depth must be 32 or 24";
            r.file.bitDepth = *number;
        } else if (arg.starts_with("-")) {
            return "unknown option: " + arg;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 1)
        return "render needs one layout file";
    r.layout = pathArgument(positional[0]);
    if (!yearSeen)
        return "render needs --year";
    if (r.allMonths == monthSeen)
        return "render needs either --month or --all-months";
    if (r.output.isEmpty())
        return "render needs -o";
    if (r.file.format == ImageFileFormat::Png && r.file.bitDepth != 32)
        return "--depth applies to bitmap files only";
    return std::nullopt;
}

// Qt's note that a headless session has no runtime folder says nothing about the pages.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// Fonts need a Gui application; without a display the offscreen platform serves.
std::unique_ptr<QGuiApplication> startGui() {
    if (QGuiApplication::instance())
        return nullptr;
    qInstallMessageHandler(quietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tobirae-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// A picture that does not show is worth a word on stderr; the pages are still written.
void warnAboutPictures(const PageJob& job) {
    for (std::size_t i = 0; i < job.entries.size(); ++i) {
        const ExportEntry& entry = job.entries[i];
        if (!entry.drawn || entry.item.Category != CategoryPicture)
            continue;
        const PictureItemStatus status = Fnc_PictureItemStatus(entry.item, job.layoutFolder);
        if (status.problem != PictureProblem::None)
            std::fprintf(stderr, "tobirae-cli: warning: item %zu: %s\n", i + 1,
                         status.reason.toLocal8Bit().constData());
    }
}

QString pageFileName(int year, int month, ImageFileFormat format) {
    return QStringLiteral("%1-%2.%3")
        .arg(year)
        .arg(month, 2, 10, QLatin1Char('0'))
        .arg(format == ImageFileFormat::Png ? QStringLiteral("png") : QStringLiteral("bmp"));
}

} // namespace

int runRender(const std::vector<std::string>& args) {
    if (args.size() == 1 && isHelpOption(args[0]))
        return writeStdout(kRenderHelp) ? kExitOk : kExitFailure;
    RenderRequest request;
    if (const auto error = parseRequest(args, request))
        return usageError(*error + " (see tobirae-cli render --help)");

    const auto gui = startGui();
    ReadResult read = readLayoutFile(request.layout);
    if (!read.document)
        return fileError(QStringLiteral("%1: %2").arg(request.layout, read.error));
    const PageJob job = pageJobFromDocument(*read.document, 0x00FFFFFF);
    warnAboutPictures(job);

    ExportOptions options;
    options.dpi = request.dpi;
    options.file = request.file;
    const bool progressLines = isatty(STDERR_FILENO) != 0;
    std::mutex stderrMutex;
    auto report = [&](const QString& line) {
        if (!progressLines)
            return;
        const std::lock_guard lock(stderrMutex);
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    };

    if (!request.allMonths) {
        const ExportResult result =
            exportPage(job, request.year, request.month, request.output, options);
        if (!result.ok)
            return fileError(result.error);
        report(QStringLiteral("%1: %2 x %3")
                   .arg(request.output)
                   .arg(result.pixels.width())
                   .arg(result.pixels.height()));
        return kExitOk;
    }

    if (!QDir().mkpath(request.output))
        return fileError(QStringLiteral("cannot create the folder %1").arg(request.output));
    std::vector<int> months;
    std::vector<QString> paths;
    for (int month = 1; month <= 12; ++month) {
        months.push_back(month);
        paths.push_back(
            QDir(request.output).filePath(pageFileName(request.year, month, request.file.format)));
    }
    std::atomic<int> done{0};
    const std::vector<ExportResult> results = exportMonths(
        job, request.year, months, paths, options, 0, [&](int month, const ExportResult& result) {
            if (result.ok)
                report(QStringLiteral("%1 (%2 of 12)").arg(paths[month - 1]).arg(++done));
        });
    // Every month not written is named.
    int status = kExitOk;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (!results[i].ok)
            status = fileError(
                QStringLiteral("%1-%2: %3")
                    .arg(request.year)
                    .arg(months[i], 2, 10, QLatin1Char('0'))
                    .arg(results[i].cancelled ? QStringLiteral("not written") : results[i].error));
    }
    return status;
}

} // namespace tobirae
