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
// Any command line through the shell, e.g. a tool that reads what tobirae-cli wrote.
CliResult runShell(const std::string& commandLine);

} // namespace tobirae::test
