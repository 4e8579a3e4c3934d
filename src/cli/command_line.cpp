#include "cli/command_line.hpp"

#include <cstdio>

#include "cli/subcommands.hpp"

namespace vorn::cli {

int usage_error(const CLI::App& app, const std::string& what) {
  std::fprintf(stderr, "%s: %s\n%s", app.get_name().c_str(), what.c_str(), app.help().c_str());
  return kUsageError;
}

std::optional<int> parse_command_line(CLI::App& app, int argc, char** argv) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::fputs(app.help().c_str(), stdout);
    return 0;
  } catch (const CLI::ParseError& e) {
    return usage_error(app, e.what());
  }
  return std::nullopt;
}

}  // namespace vorn::cli
