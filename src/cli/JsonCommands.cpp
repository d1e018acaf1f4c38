// tobirae-cli to-json FILE.CLF / from-json FILE.json OUT.CLF: layouts as JSON and back.
#include "cli/Commands.h"
#include "cli/LayoutCommandSupport.h"
#include "document/LayoutFile.h"
#include "document/LayoutJson.h"
#include "owndays/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace tobirae {

namespace {

constexpr const char* kToJsonHelp =
    "Usage: tobirae-cli to-json FILE.CLF\n"
    "\n"
    "Writes the layout file as JSON to stdout. Keys are the record field names (PageSettings,\n"
    "Items, Top, Category, Year1.Font.FaceName, ...). Texts are strings; a text field whose bytes\n"
    "a string cannot reproduce is {\"Hex\": \"...\"}, a never-assigned one null, byte blocks are\n"
    "hex strings. from-json turns the output back into the identical file.\n"
    "\n"
    "Options:\n"
    "  -h, --help  this text\n";

constexpr const char* kFromJsonHelp =
    "Usage: tobirae-cli from-json FILE.json OUT.CLF\n"
    "\n"
    "Writes the layout described by FILE.json (as to-json prints it; - reads stdin) to OUT.CLF.\n"
    "Every field must be present; an error names the field.\n"
    "\n"
    "Options:\n"
    "  -h, --help  this text\n";

// JSON of a full layout is a few megabytes at most.
constexpr qint64 kMaxJsonSize = qint64(256) << 20;

} // namespace

QString pathArgument(const std::string& arg) {
    return QString::fromLocal8Bit(arg);
}

int fileError(const QString& reason) {
    QString line = reason;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "tobirae-cli: %s\n", line.toStdString().c_str());
    return kExitFailure;
}

int runToJson(const std::vector<std::string>& args) {
    if (asksForHelp(args))
        return writeStdout(kToJsonHelp) ? kExitOk : kExitFailure;
    if (args.size() != 1)
        return usageError("to-json needs one layout file (see tobirae-cli to-json --help)");
    const LayoutParseResult parsed = readLayoutFileContent(pathArgument(args[0]));
    if (!parsed.content)
        return fileError(parsed.error);
    return writeStdout(layoutToJson(*parsed.content).toStdString()) ? kExitOk : kExitFailure;
}

int runFromJson(const std::vector<std::string>& args) {
    if (asksForHelp(args))
        return writeStdout(kFromJsonHelp) ? kExitOk : kExitFailure;
    if (args.size() != 2)
        return usageError(
            "from-json needs a JSON file and an output file (see tobirae-cli from-json --help)");

    QFile input;
    const QString inputPath = pathArgument(args[0]);
    if (args[0] == "-") {
        if (!input.open(stdin, QIODevice::ReadOnly))
            return fileError(QStringLiteral("標準入力を読めません。"));
    } else {
        switch (openRegularFile(input, inputPath)) {
        case OpenProblem::None:
            break;
        case OpenProblem::Missing:
            return fileError(QStringLiteral("ファイルが見つかりません: %1").arg(inputPath));
        case OpenProblem::NotRegular:
            return fileError(
                QStringLiteral("通常のファイルではないため読み込めません: %1").arg(inputPath));
        case OpenProblem::Unreadable:
            return fileError(QStringLiteral("ファイルを開けません: %1").arg(inputPath));
        }
    }
    const QByteArray json = input.read(kMaxJsonSize + 1);
    if (json.size() > kMaxJsonSize)
        return fileError(QStringLiteral("JSON が大きすぎます。"));

    const LayoutJsonResult parsed = layoutFromJson(json);
    if (!parsed.content)
        return fileError(parsed.error);
    // What could not be read back is not written.
    const QByteArray bytes = serializeLayout(*parsed.content);
    if (bytes.size() > kMaxLayoutFileSize)
        return fileError(layoutTooLargeMessage(bytes.size()));
    if (const auto error = writeFileAtomically(pathArgument(args[1]), bytes))
        return fileError(*error);
    return kExitOk;
}

} // namespace tobirae
