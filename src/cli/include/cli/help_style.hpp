// Every command's help in the style of `vorn --help`: the usage lines, what it does, its
// arguments and options in two columns, then the rest it has to say; and --version on every
// command.
#pragma once

#include <CLI/CLI.hpp>
#include <string>

namespace vorn::cli {

// Gives `app` and the subcommands it has so far the house help and a --version flag.
void use_house_style(CLI::App& app);

// The usage lines of `app`: "usage: vorn mc SCENARIO [OPTIONS]" and the --help line.
std::string usage_lines(const CLI::App& app);

}  // namespace vorn::cli
