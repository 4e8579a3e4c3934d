// vorn: one run, or a subcommand named by the first argument.
#include "cli/subcommands.hpp"

int main(int argc, char** argv) {
  if (argc > 1) {
    if (const vorn::cli::Subcommand* sub = vorn::cli::find_subcommand(argv[1]))
      return sub->main(argc - 1, argv + 1);
  }
  return vorn::cli::run_main(argc, argv);
}
