#include "cli/subcommands.hpp"

#include <algorithm>

namespace vorn::cli {
namespace {

const Subcommand kSubcommands[] = {
    {"batch", "many waste streams at once, with a summary and an index page", batch_main},
    {"chem", "the chemical library: show, search, check, import", chem_main},
    {"fill", "a complete VORN.IN from a stream sheet and the chemical library", fill_main},
    {"mc", "a probabilistic run over the inputs a scenario varies", mc_main},
    {"mc-merge", "the parts of a probabilistic run that ran in shards, merged", mc_merge_main},
};

}  // namespace

const Subcommand* find_subcommand(const std::string& name) {
  for (const Subcommand& s : kSubcommands)
    if (name == s.name) return &s;
  return nullptr;
}

std::string subcommand_lines() {
  std::string text;
  for (const Subcommand& s : kSubcommands) {
    std::string line = std::string("vorn ") + s.name + " --help";
    line.resize(std::max<std::size_t>(line.size() + 2, 20), ' ');
    text += line + s.summary + "\n";
  }
  return text;
}

}  // namespace vorn::cli
