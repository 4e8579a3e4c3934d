// vorn: one run, or a subcommand named by the first argument; `vorn help [COMMAND]` is that
// command's --help.
#include <cstdio>
#include <string>

#include "cli/subcommands.hpp"

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "help") {
    char help[] = "--help";
    if (argc == 2) {
      char* args[] = {argv[0], help};
      return vorn::cli::run_main(2, args);
    }
    const vorn::cli::Subcommand* sub = vorn::cli::find_subcommand(argv[2]);
    if (sub == nullptr || argc > 3) {
      std::fprintf(stderr, "vorn help: %s is not a command\nsee vorn --help\n", argv[2]);
      return vorn::cli::kUsageError;
    }
    char* args[] = {argv[2], help};
    return sub->main(2, args);
  }
  if (argc > 1) {
    if (const vorn::cli::Subcommand* sub = vorn::cli::find_subcommand(argv[1]))
      return sub->main(argc - 1, argv + 1);
  }
  return vorn::cli::run_main(argc, argv);
}
