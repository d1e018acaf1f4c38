#include "cli/Commands.h"

#include <algorithm>
#include <cstdio>

namespace tobirae {

int usageError(const std::string& message) {
    std::fprintf(stderr, "tobirae-cli: %s\n", message.c_str());
    return kExitUsage;
}

bool isHelpOption(const std::string& arg) {
    return arg == "-h" || arg == "--help";
}

bool asksForHelp(const std::vector<std::string>& args) {
    return std::any_of(args.begin(), args.end(), isHelpOption);
}

bool writeStdout(const std::string& text) {
    const bool ok =
        std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
    if (!ok)
        std::fprintf(stderr, "tobirae-cli: 出力を書き込めませんでした\n");
    return ok;
}

} // namespace tobirae
