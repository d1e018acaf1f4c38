// The subcommands of tobirae-cli. Each takes the arguments after its name and returns the
// process exit status.
#pragma once

#include <string>
#include <vector>

namespace tobirae {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // the command ran but could not finish (e.g. I/O)
inline constexpr int kExitUsage = 2;   // bad arguments; nothing was done

int runDays(const std::vector<std::string>& args);
int runInfo(const std::vector<std::string>& args);
int runToJson(const std::vector<std::string>& args);
int runFromJson(const std::vector<std::string>& args);
int runRender(const std::vector<std::string>& args);

// Writes "tobirae-cli: <message>" as one line on stderr and returns kExitUsage.
int usageError(const std::string& message);

// True for "-h" and "--help".
bool isHelpOption(const std::string& arg);

// True when any of a subcommand's arguments asks for its help.
bool asksForHelp(const std::vector<std::string>& args);

// Writes text to stdout and flushes; false (after reporting on stderr) when the output failed.
bool writeStdout(const std::string& text);

} // namespace tobirae
