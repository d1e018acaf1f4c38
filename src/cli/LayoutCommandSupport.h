// Helpers shared by the layout-file subcommands.
#pragma once

#include <QString>
#include <string>

namespace tobirae {

// A path argument as the file functions take it (arguments arrive in the locale's encoding).
QString pathArgument(const std::string& arg);

// Writes "tobirae-cli: <reason>" as one line on stderr and returns kExitFailure.
int fileError(const QString& reason);

} // namespace tobirae
