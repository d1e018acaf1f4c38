// Runs tobirae-cli with arguments and captures what it printed and its exit status.
#pragma once

#include <string>

namespace tobirae::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Arguments are passed through the shell: keep them free of quotes.
CliResult runCli(const std::string& arguments);

} // namespace tobirae::test
