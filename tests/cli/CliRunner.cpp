#include "CliRunner.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace tobirae::test {

CliResult runShell(const std::string& commandLine) {
    char errPath[] = "/tmp/tobirae-cli-stderr-XXXXXX";
    const int fd = mkstemp(errPath);
    if (fd >= 0)
        close(fd);
    const std::string command = commandLine + " 2>" + errPath;
    CliResult result;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[65536];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
            result.out.append(buffer, n);
        const int raw = pclose(pipe);
        result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    std::ifstream err(errPath);
    std::stringstream text;
    text << err.rdbuf();
    result.err = text.str();
    std::remove(errPath);
    return result;
}

CliResult runCli(const std::string& arguments) {
    return runShell(std::string(TOBIRAE_CLI_PATH) + " " + arguments);
}

} // namespace tobirae::test
