// tobirae-cli: command-line access to the calendar engine and layout files.
#include "cli/Commands.h"

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Command {
    std::string_view name;
    int (*run)(const std::vector<std::string>& args);
    std::string_view summary;
};

// One entry per subcommand; usage lists them in this order.
constexpr std::array kCommands{
    Command{"days", tobirae::runDays, "calendar facts of every day in a date range"},
    Command{"info", tobirae::runInfo, "page and items of a layout file (.CLF)"},
    Command{"to-json", tobirae::runToJson, "a layout file as JSON on stdout"},
    Command{"from-json", tobirae::runFromJson, "a layout file from its JSON form"},
    Command{"render", tobirae::runRender, "pages of a layout file as image files"},
};

std::string usage() {
    std::string text = "Usage: tobirae-cli COMMAND [ARGUMENTS...]\n"
                       "       tobirae-cli COMMAND --help\n"
                       "       tobirae-cli --version\n\nCommands:\n";
    for (const Command& command : kCommands) {
        std::string name(command.name);
        name.resize(std::max<std::size_t>(name.size() + 2, 12), ' ');
        text += "  " + name + std::string(command.summary) + "\n";
    }
    text += "\nOptions:\n"
            "  -h, --help  this text; after a command, that command's options\n"
            "  --version   the version of tobirae-cli\n";
    return text;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    if (args.empty())
        return tobirae::usageError("コマンドを指定してください (tobirae-cli --help を参照)");
    if (tobirae::isHelpOption(args.front()))
        return tobirae::writeStdout(usage()) ? tobirae::kExitOk : tobirae::kExitFailure;
    if (args.front() == "--version")
        return tobirae::writeStdout("tobirae-cli " TOBIRAE_VERSION "\n") ? tobirae::kExitOk
                                                                         : tobirae::kExitFailure;

    for (const Command& command : kCommands) {
        if (command.name == args.front())
            return command.run(std::vector<std::string>(args.begin() + 1, args.end()));
    }
    const bool isOption = args.front().starts_with("-");
    return tobirae::usageError((isOption ? "不明なオプションです: " : "不明なコマンドです: ") +
                               args.front() + " (tobirae-cli --help を参照)");
}
