// Parsing a subcommand's command line, and its usage errors.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <string>

namespace vorn::cli {

// "<app name>: <what>" and the usage on standard error; returns the usage error's status.
int usage_error(const CLI::App& app, const std::string& what);

// Parses the command line. The status to end with at once (0 after --help, a usage error),
// or nothing when the command goes on.
std::optional<int> parse_command_line(CLI::App& app, int argc, char** argv);

}  // namespace vorn::cli
