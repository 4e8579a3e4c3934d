// vorn chem import FILE... -o LIB.csv --date YYYY-MM-DD [--as NAME]: newer tables of the
// known layouts, saved as CSV, turned into a library file.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

namespace vorn::cli {

struct ImportArgs {
  std::vector<std::string> files;
  std::string output, date, as;
  bool snapshot = false;
};

// Adds the import subcommand to `chem`.
CLI::App* add_import_command(CLI::App& chem, ImportArgs& args);
int import_command(const CLI::App& command, const ImportArgs& args);

}  // namespace vorn::cli
