#include "cli/help_style.hpp"

#include <memory>
#include <vector>

#include "vorn/version.hpp"

namespace vorn::cli {
namespace {

constexpr std::size_t kNameColumn = 20;  // where the descriptions start, after 2 blanks
constexpr std::size_t kWidth = 78;

// The command as typed: "vorn mc", "vorn chem show".
std::string command_of(const CLI::App& app) {
  const CLI::App* parent = app.get_parent();
  return parent ? command_of(*parent) + " " + app.get_name() : app.get_name();
}

// "N" of "N:POSITIVE", "NAME" of "NAME:{a4,letter}".
std::string label(const CLI::Option& opt) {
  const std::string type = opt.get_type_name();
  return type.substr(0, type.find(':'));
}

std::vector<const CLI::Option*> positionals(const CLI::App& app) {
  return app.get_options([](const CLI::Option* o) { return o->get_positional(); });
}

std::vector<const CLI::Option*> options(const CLI::App& app) {
  return app.get_options([&app](const CLI::Option* o) {
    return o->nonpositional() && o != app.get_help_ptr() && o->get_name() != "--version";
  });
}

// `text` wrapped at kWidth, its lines after the first indented to the description column.
std::string wrapped(const std::string& text) {
  std::string out, line;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    if (!line.empty() && kNameColumn + 2 + line.size() + 1 + word.size() > kWidth) {
      out += line + "\n" + std::string(kNameColumn + 2, ' ');
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
    start = end + 1;
  }
  return out + line;
}

std::string row(std::string name, const std::string& description) {
  name = "  " + name;
  if (name.size() + 2 > kNameColumn + 2)
    return name + "\n" + std::string(kNameColumn + 2, ' ') + wrapped(description) + "\n";
  name.resize(kNameColumn + 2, ' ');
  return name + wrapped(description) + "\n";
}

std::string help_text(const CLI::App& app) {
  std::vector<std::string> sections{usage_lines(app)};
  if (!app.get_description().empty()) sections.push_back(app.get_description() + "\n");
  std::string rows;
  for (const CLI::Option* p : positionals(app))
    rows += row(p->get_name(true), p->get_description());
  for (const CLI::Option* o : options(app)) {
    const std::string type = o->get_type_size() != 0 ? " " + label(*o) : "";
    rows += row(o->get_name() + type, o->get_description());
  }
  if (!rows.empty()) sections.push_back(rows);
  std::string commands;
  for (const CLI::App* s : app.get_subcommands([](const CLI::App*) { return true; }))
    commands += row(s->get_name(), s->get_description() + " (" + command_of(*s) + " --help)");
  if (!commands.empty()) sections.push_back(commands);
  if (!app.get_footer().empty()) sections.push_back(app.get_footer() + "\n");
  std::string out;
  for (const std::string& section : sections) out += (out.empty() ? "" : "\n") + section;
  return out;
}

}  // namespace

std::string usage_lines(const CLI::App& app) {
  const std::string command = command_of(app);
  std::string usage = "usage: " + command;
  const auto subcommands = app.get_subcommands([](const CLI::App*) { return true; });
  if (!subcommands.empty()) usage += " COMMAND";
  for (const CLI::Option* p : positionals(app)) {
    const bool required = p->get_required();
    const std::string name = p->get_name(true) + (p->get_expected_max() > 1 ? "..." : "");
    usage += required ? " " + name : " [" + name + "]";
  }
  if (!options(app).empty()) usage += " [OPTIONS]";
  return usage + "\n       " + command + " --help | --version\n";
}

void use_house_style(CLI::App& app) {
  app.formatter(std::make_shared<CLI::FormatterLambda>(
      [](const CLI::App* a, const std::string&, CLI::AppFormatMode) { return help_text(*a); }));
  app.set_version_flag("--version", std::string("vorn ") + kVersion, "print the version and exit");
  for (CLI::App* sub : app.get_subcommands([](CLI::App*) { return true; })) use_house_style(*sub);
}

}  // namespace vorn::cli
