#include "cli/command_line.hpp"

#include <cstdio>

#include "cli/help_style.hpp"
#include "cli/subcommands.hpp"

namespace vorn::cli {
namespace {

// The command as typed: "vorn mc", "vorn chem show".
std::string command_of(const CLI::App& app) {
  const CLI::App* parent = app.get_parent();
  return parent ? command_of(*parent) + " " + app.get_name() : app.get_name();
}

}  // namespace

int usage_error(const CLI::App& app, const std::string& what) {
  std::fprintf(stderr, "%s: %s\n%ssee %s --help\n", command_of(app).c_str(), what.c_str(),
               usage_lines(app).c_str(), command_of(app).c_str());
  return kUsageError;
}

std::optional<int> parse_command_line(CLI::App& app, int argc, char** argv) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::fputs(app.help().c_str(), stdout);
    return 0;
  } catch (const CLI::CallForVersion& e) {
    std::fprintf(stdout, "%s\n", e.what());
    return 0;
  } catch (const CLI::ParseError& e) {
    // An error of a subcommand (vorn chem show) names that subcommand.
    const CLI::App* failed = &app;
    for (const CLI::App* s = &app; s != nullptr;) {
      const auto parsed = s->get_subcommands();
      s = parsed.empty() ? nullptr : parsed.back();
      if (s) failed = s;
    }
    return usage_error(*failed, e.what());
  }
  return std::nullopt;
}

}  // namespace vorn::cli
