// The program's subcommands: `vorn NAME ARGS...`. Without one, `vorn [DIR]` is one run.
#pragma once

#include <string>

namespace vorn::cli {

// Exit status of a usage error, for every command.
inline constexpr int kUsageError = 64;

struct Subcommand {
  const char* name;
  const char* summary;  // one line in `vorn --help`
  // argv[0] is the subcommand's name.
  int (*main)(int argc, char** argv);
};

// A new subcommand is a file of its own and one more entry in subcommands.cpp.
const Subcommand* find_subcommand(const std::string& name);
// The lines `vorn --help` ends with, one per subcommand.
std::string subcommand_lines();

// `vorn [DIR] [--json FILE] ...`: one run.
int run_main(int argc, char** argv);
int batch_main(int argc, char** argv);
int chem_main(int argc, char** argv);
int fill_main(int argc, char** argv);
int mc_main(int argc, char** argv);
int mc_merge_main(int argc, char** argv);

}  // namespace vorn::cli
