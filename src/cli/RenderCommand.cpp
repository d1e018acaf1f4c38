// tobirae-cli render: pages of a layout file as image files or one PDF, one month, a whole year or
// any range of months.
#include "cli/Commands.h"
#include "cli/LayoutCommandSupport.h"
#include "document/LayoutFile.h"
#include "render/MissingPictures.h"
#include "render/PageExport.h"
#include "render/PdfExport.h"
#include "render/Preflight.h"
#include "render/PrintShopPdf.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <unistd.h>

namespace tobirae {

namespace {

constexpr const char* kRenderHelp =
    "Usage: tobirae-cli render LAYOUT.CLF --year Y --month M -o OUT.bmp [OPTIONS]\n"
    "       tobirae-cli render LAYOUT.CLF --year Y --all-months -o DIR [OPTIONS]\n"
    "       tobirae-cli render LAYOUT.CLF --from YYYY-MM --to YYYY-MM -o DIR [OPTIONS]\n"
    "       tobirae-cli render LAYOUT.CLF ... --format pdf -o OUT.pdf\n"
    "\n"
    "Draws the page of a layout for a month (1950-01..2049-12) and writes it as an image file at\n"
    "the layout's paper size and resolution. With --all-months (the twelve pages of the year) or\n"
    "--from/--to (every month of the range, across years) the pages are written to DIR/Y-MM.bmp,\n"
    "rendered in parallel on all cores. With --format pdf all pages go into one PDF file in month\n"
    "order: texts stay searchable text, lines stay sharp at any zoom.\n"
    "\n"
    "Options:\n"
    "  --year Y             the year of the pages (1950..2049)\n"
    "  --month M            one month of that year (1..12); -o names the file\n"
    "  --all-months         the twelve months of that year; -o names a folder\n"
    "  --from YYYY-MM       the first month of a range; -o names a folder\n"
    "  --to YYYY-MM         the last month of the range (the same or a later month)\n"
    "  -o, --output PATH    the file or folder written\n"
    "  --dpi N              resolution in dots per inch instead of the layout's (1..4800)\n"
    "  --format bmp|png|pdf file format (default bmp)\n"
    "  --depth 32|24        bits per pixel of a bitmap file (default 32)\n"
    "  --days FILE          a days file (CSV or iCalendar) added to the layout's own days;\n"
    "                       repeatable. What cannot be read is named on stderr\n"
    "  --allow-missing-pictures\n"
    "                       draw pages whose picture files are missing or unreadable (each\n"
    "                       is named on stderr); without it such a layout is refused\n"
    "  -h, --help           this text\n"
    "\n"
    "A progress line per page goes to stderr when it is a terminal. With --bleed, --marks or\n"
    "--pdfx the PDF gets TrimBox and BleedBox, and a preflight (pictures under 350 ppi, texts\n"
    "in the 3 mm safety margin, RGB colour, missing pictures and days files) goes to stderr;\n"
    "its warnings do not change the exit status, a failed conversion does.\n";

std::optional<int> parseInt(const std::string& text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

struct RenderRequest {
    QString layout;
    std::vector<std::chrono::year_month> months;
    bool onePage = false; // --month: the output is the file itself
    bool pdf = false;
    QString output;
    std::optional<int> dpi;
    ImageFileOptions file;
    QStringList daysFiles; // --days, added to the layout's own days
    PrintShopOptions shop; // --bleed, --marks, --pdfx
    bool allowMissingPictures = false;
};

constexpr std::chrono::year_month kFirstMonth{std::chrono::year(1950), std::chrono::January};
constexpr std::chrono::year_month kLastMonth{std::chrono::year(2049), std::chrono::December};

// "YYYY-MM" within the calendar's years.
std::optional<std::chrono::year_month> parseYearMonth(const std::string& text) {
    const auto dash = text.find('-');
    if (dash == std::string::npos)
        return std::nullopt;
    const auto year = parseInt(text.substr(0, dash));
    const auto month = parseInt(text.substr(dash + 1));
    if (!year || !month || *month < 1 || *month > 12)
        return std::nullopt;
    const std::chrono::year_month ym{std::chrono::year(*year),
                                     std::chrono::month(static_cast<unsigned>(*month))};
    if (ym < kFirstMonth || ym > kLastMonth)
        return std::nullopt;
    return ym;
}

// Parses the arguments; an error message when they do not make a request.
std::optional<std::string> parseRequest(const std::vector<std::string>& args, RenderRequest& r) {
    std::vector<std::string> positional;
    std::optional<int> year;
    std::optional<int> month;
    bool allMonths = false;
    std::optional<std::chrono::year_month> from;
    std::optional<std::chrono::year_month> to;
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
                return arg + " には数値を指定してください";
            const auto number = parseInt(*text);
            if (!number)
                return arg + " には数値を指定してください (「" + *text + "」は数値ではありません)";
            if (arg == "--year") {
                if (*number < 1950 || *number > 2049)
                    return "--year は 1950～2049 で指定してください";
                year = *number;
            } else if (arg == "--month") {
                if (*number < 1 || *number > 12)
                    return "--month は 1～12 で指定してください";
                month = *number;
            } else {
                if (*number < 1 || *number > 4800)
                    return "--dpi は 1～4800 で指定してください";
                r.dpi = *number;
            }
        } else if (arg == "--allow-missing-pictures") {
            r.allowMissingPictures = true;
        } else if (arg == "--all-months") {
            allMonths = true;
        } else if (arg == "--from" || arg == "--to") {
            const auto text = value(arg.c_str());
            const auto ym = text ? parseYearMonth(*text) : std::nullopt;
            if (!ym)
                return arg + " には 1950-01～2049-12 の月を YYYY-MM で指定してください";
            (arg == "--from" ? from : to) = ym;
        } else if (arg == "-o" || arg == "--output") {
            const auto text = value(arg.c_str());
            if (!text || text->empty())
                return arg + " にはパスを指定してください";
            r.output = pathArgument(*text);
        } else if (arg == "--format") {
            const auto text = value(arg.c_str());
            if (text && *text == "bmp")
                r.file.format = ImageFileFormat::Bmp;
            else if (text && *text == "png")
                r.file.format = ImageFileFormat::Png;
            else if (text && *text == "pdf")
                r.pdf = true;
            else
                return "--format は bmp、png、pdf のいずれかです";
        } else if (arg == "--depth") {
            const auto text = value(arg.c_str());
            const auto number = text ? parseInt(*text) : std::nullopt;
            if (!number || (*number != 32 && *number != 24))
                return "--depth は 32 か 24 です";
            r.file.bitDepth = *number;
        } else if (arg == "--bleed") {
            const auto text = value(arg.c_str());
            bool ok = false;
            const double mm = text ? QString::fromStdString(*text).toDouble(&ok) : 0;
            if (!ok || !(mm >= 0 && mm <= kMaxBleedMm))
                return "--bleed には 0〜10 の mm を指定してください";
            r.shop.bleedMm = mm;
        } else if (arg == "--marks") {
            r.shop.marks = true;
        } else if (arg == "--pdfx") {
            const auto text = value(arg.c_str());
            if (!text || text->empty())
                return "--pdfx には ICC プロファイルのファイルか default を指定してください";
            r.shop.pdfx = true;
            r.shop.profile = *text == "default" ? QString() : pathArgument(*text);
        } else if (arg == "--days") {
            const auto text = value(arg.c_str());
            if (!text)
                return arg + " にはファイルを指定してください";
            r.daysFiles << QString::fromLocal8Bit(*text);
        } else if (arg.starts_with("-")) {
            return "不明なオプションです: " + arg;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 1)
        return "render にはレイアウトファイルを1つ指定してください";
    r.layout = pathArgument(positional[0]);
    if (from || to) {
        if (year || month || allMonths)
            return "--from/--to は --year、--month、--all-months と同時には使えません";
        if (!from || !to)
            return "範囲には --from と --to の両方が必要です";
        if (*to < *from)
            return "--to が --from より前の月です";
        r.months = monthRange(*from, *to);
    } else {
        if (!year)
            return "render には --year (または --from と --to) が必要です";
        if (allMonths == month.has_value())
            return "render には --month か --all-months のどちらかが必要です";
        const std::chrono::year y{*year};
        if (month)
            r.months = {y / std::chrono::month(static_cast<unsigned>(*month))};
        else
            r.months = monthRange(y / std::chrono::January, y / std::chrono::December);
        r.onePage = month.has_value();
    }
    if (r.output.isEmpty())
        return "render には -o が必要です";
    if ((r.file.format == ImageFileFormat::Png || r.pdf) && r.file.bitDepth != 32)
        return "--depth はビットマップファイルにだけ使えます";
    if (!r.shop.plain() && !r.pdf)
        return "--bleed, --marks と --pdfx は --format pdf のときだけ使えます";
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

void writeStderrLine(const QString& line) {
    std::fprintf(stderr, "tobirae-cli: %s\n", line.toLocal8Bit().constData());
}

QString pageFileName(std::chrono::year_month month, ImageFileFormat format) {
    return monthName(month) +
           (format == ImageFileFormat::Png ? QStringLiteral(".png") : QStringLiteral(".bmp"));
}

} // namespace

int runRender(const std::vector<std::string>& args) {
    if (asksForHelp(args))
        return writeStdout(kRenderHelp) ? kExitOk : kExitFailure;
    RenderRequest request;
    if (const auto error = parseRequest(args, request))
        return usageError(*error + " (tobirae-cli render --help を参照)");

    const auto gui = startGui();
    // The font database takes longer to set up than reading the layout and preparing the page,
    // which need no fonts: it is set up beside them, and the first text measured waits for it.
    std::jthread fontDatabase([] { QFontDatabase::families(); });
    ReadResult read = readLayoutFile(request.layout);
    if (!read.document)
        return fileError(QStringLiteral("%1: %2").arg(request.layout, read.error));
    PageJob job = pageJobFromDocument(*read.document, 0x00FFFFFF);
    addDaysFiles(job, request.daysFiles);
    // Pages are never printed with a placeholder in a picture's place unless the user said so.
    const std::vector<MissingPicture> missing = missingPictures(job);
    if (!missing.empty() && !request.allowMissingPictures)
        return fileError(QStringLiteral("画像ファイルを使えないため作成しません。画像なしで作成"
                                        "するには --allow-missing-pictures を指定してください。"
                                        "\n") +
                         missingPictureLines(missing, static_cast<int>(missing.size())));
    for (const MissingPicture& picture : missing)
        writeStderrLine(QStringLiteral("警告: 画像なしで作成します: %1 (%2)")
                            .arg(picture.path.isEmpty() ? QStringLiteral("画像未設定")
                                                        : QDir::toNativeSeparators(picture.path),
                                 picture.reason));
    for (const QString& problem : job.ownDaysProblems)
        writeStderrLine(QStringLiteral("警告: ") + problem);

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

    const int count = static_cast<int>(request.months.size());
    std::atomic<int> done{0};
    if (request.pdf && !request.shop.plain()) {
        for (const PreflightWarning& warning : preflight(job, request.months, request.shop))
            std::fprintf(stderr, "tobirae-cli: 入稿チェック: %s\n",
                         warning.text().toLocal8Bit().constData());
        const PrintShopResult result = exportPrintShopPdf(
            job, request.months, request.output, request.shop, options,
            [&](std::size_t i, const ExportResult& page) {
                if (page.ok)
                    report(QStringLiteral("%1 (%2 / %3)")
                               .arg(monthName(request.months[i]))
                               .arg(++done)
                               .arg(count));
            },
            [&](const QString& stage) { report(stage); });
        if (!result.pages.ok)
            return fileError(result.pages.cancelled ? QStringLiteral("中止しました。")
                                                    : result.pages.error);
        for (const QString& note : result.notes)
            std::fprintf(stderr, "tobirae-cli: %s\n", note.toLocal8Bit().constData());
        report(QStringLiteral("%1: %2 ページ").arg(request.output).arg(result.pages.pages));
        return kExitOk;
    }
    if (request.pdf) {
        const ExportResult result = exportPdf(job, request.months, request.output, options,
                                              [&](std::size_t i, const ExportResult& page) {
                                                  if (page.ok)
                                                      report(QStringLiteral("%1 (%2 / %3)")
                                                                 .arg(monthName(request.months[i]))
                                                                 .arg(++done)
                                                                 .arg(count));
                                              });
        if (!result.ok)
            return fileError(result.error);
        report(QStringLiteral("%1: %2 ページ").arg(request.output).arg(result.pages));
        return kExitOk;
    }

    if (request.onePage) {
        const std::chrono::year_month month = request.months.front();
        const ExportResult result = exportPage(
            job, static_cast<int>(month.year()),
            static_cast<int>(static_cast<unsigned>(month.month())), request.output, options);
        if (!result.ok)
            return fileError(result.error);
        report(QStringLiteral("%1: %2 x %3")
                   .arg(request.output)
                   .arg(result.pixels.width())
                   .arg(result.pixels.height()));
        return kExitOk;
    }

    if (!QDir().mkpath(request.output))
        return fileError(QStringLiteral("フォルダーを作成できません: %1").arg(request.output));
    std::vector<QString> paths;
    for (const std::chrono::year_month month : request.months)
        paths.push_back(QDir(request.output).filePath(pageFileName(month, request.file.format)));
    const std::vector<ExportResult> results = exportPages(
        job, request.months, paths, options, 0, [&](std::size_t i, const ExportResult& result) {
            if (result.ok)
                report(QStringLiteral("%1 (%2 / %3)").arg(paths[i]).arg(++done).arg(count));
        });
    // Every month not written is named.
    int status = kExitOk;
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (!results[i].ok)
            status = fileError(QStringLiteral("%1: %2").arg(
                monthName(request.months[i]), results[i].cancelled
                                                  ? QStringLiteral("書き込まれませんでした。")
                                                  : results[i].error));
    }
    return status;
}

} // namespace tobirae
