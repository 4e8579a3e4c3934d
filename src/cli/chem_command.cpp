// vorn chem show|search|check|import: the chemical library, its values and their sources.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "chemicals/chemical_id.hpp"
#include "chemicals/consistency_report.hpp"
#include "chemicals/decimal_text.hpp"
#include "chemicals/dermal_constants.hpp"
#include "chemicals/library_fields.hpp"
#include "chemicals/library_import.hpp"
#include "chemicals/library_snapshot.hpp"
#include "cli/chem_import.hpp"
#include "cli/chem_libraries.hpp"
#include "cli/command_line.hpp"
#include "cli/help_style.hpp"
#include "cli/subcommands.hpp"

namespace vorn::cli {
namespace {

using chemicals::EntryKey;
using chemicals::FoundValue;
using chemicals::LibraryStack;

constexpr const char* kFooter =
    "Values come from the --library files in the order given (the first that holds a value\n"
    "gives it), then from the snapshot compiled into vorn. A chemical is named by its CAS\n"
    "number or registry id, with :variant where several rows share one (7440-43-9:water).\n"
    "\n"
    "exit status: 0 done (chem check: its report ran, whatever it lists), 3 a library that\n"
    "             cannot be read, or a chemical that cannot be found (file:line and why);\n"
    "             64 usage error";

struct ChemArgs {
  std::vector<std::string> libraries;
  std::string chemical, text;
  ImportArgs import;
};

// A text that names a chemical by id rather than by name.
bool names_an_id(const std::string& text) {
  const chemicals::ChemicalKey key = chemicals::parse_key(text);
  return chemicals::is_cas_shaped(key.id) || chemicals::is_registry_id(key.id) ||
         (!key.id.empty() && key.id.find_first_not_of("0123456789-") == std::string::npos);
}

std::string source_text(const FoundValue& found) {
  const chemicals::LibraryValue& v = *found.value;
  std::string text = v.source.empty() ? v.table : v.source + ", " + v.table;
  text += " (" + v.date + ")";
  if (found.library->origin() != chemicals::kSnapshotOrigin)
    text += " from " + found.library->origin();
  if (!v.derivation.empty()) text += "; " + v.derivation;
  if (!v.note.empty()) text += "; " + v.note;
  if (chemicals::in_conflict(v)) text += "; the " + v.other_table + " gives " + v.other;
  return text;
}

void print_row(const std::string& field, const std::string& value, const std::string& unit,
               const std::string& source) {
  const std::string shown = unit.empty() ? value : value + " " + unit;
  std::printf("  %-9s %-28s %s\n", field.c_str(), shown.c_str(), source.c_str());
}

void show(const LibraryStack& stack, const EntryKey& entry) {
  const FoundValue name = stack.find(entry, "CHEMNAME");
  std::printf("%s  %s\n", chemicals::ChemicalKey{entry.id, entry.variant}.text().c_str(),
              name ? name.value->value.c_str() : "");
  for (const chemicals::LibraryField& f : chemicals::kLibraryFields) {
    if (std::string_view(f.name) == "CHEMNAME") continue;
    if (const FoundValue found = stack.find(entry, f.name))
      print_row(f.name, found.value->value, found.value->unit, source_text(found));
  }
  const FoundValue koc = stack.find(entry, "KOC");
  const FoundValue mw = stack.find(entry, "MW");
  const FoundValue kp = stack.find(entry, "KPW");
  std::printf("derived by vorn fill:\n");
  print_row("ORGANIC", koc ? "1" : "?", "",
            koc ? "a Koc is given: organic (the sheet may say otherwise)"
                : "no Koc: the sheet must give ORGANIC");
  const auto positive = [&](const char* field) {
    const FoundValue found = stack.find(entry, field);
    return found && *chemicals::decimal_value(found.value->value) > 0.0;
  };
  print_row("CARCTYPE", positive("CSFO") || positive("CSFI") ? "C" : "N", "",
            "C when CSFO or CSFI is above 0");
  if (koc && mw && kp) {
    const double m = *chemicals::decimal_value(mw.value->value);
    const double k = *chemicals::decimal_value(kp.value->value);
    if (m > 0.0 && k > 0.0) {
      const chemicals::DermalConstants d = chemicals::dermal_constants(m, k);
      print_row("TAU", chemicals::shortest_text(d.TAU), "h", "from MW and KPW (organic)");
      print_row("TSTAR", chemicals::shortest_text(d.TSTAR), "h", "from MW and KPW (organic)");
      print_row("BUNGE", chemicals::shortest_text(d.BUNGE), "", "from MW and KPW (organic)");
    }
  }
  std::printf(
      "given in the stream sheet only: BCF, BAF, ECOCHRON, LOGKOW, and KDSW "
      "(or f_oc, for Koc x f_oc)\n");
}

int show_command(const ChemArgs& args) {
  const ChemicalLibraries libraries(args.libraries);
  const LibraryStack& stack = libraries.stack();
  if (names_an_id(args.chemical)) {
    try {
      show(stack, stack.resolve(chemicals::parse_key(args.chemical)));
    } catch (const chemicals::LookupError& e) {
      std::fprintf(stderr, "vorn chem show: %s\n", e.what());
      return kBadInput;
    }
    return 0;
  }
  const std::vector<EntryKey> found = stack.by_name(args.chemical);
  if (found.size() != 1) {
    std::fprintf(
        stderr, "vorn chem show: %s\n",
        found.empty()
            ? ("no chemical is named \"" + args.chemical +
               "\": vorn chem search lists the names that hold a text")
                  .c_str()
            : ("\"" + args.chemical + "\" names several chemicals: give one of them").c_str());
    for (const EntryKey& e : found)
      std::fprintf(stderr, "  %s\n", chemicals::ChemicalKey{e.id, e.variant}.text().c_str());
    return kBadInput;
  }
  show(stack, found.front());
  return 0;
}

int search_command(const ChemArgs& args) {
  const ChemicalLibraries libraries(args.libraries);
  const std::vector<EntryKey> found = libraries.stack().search(args.text);
  for (const EntryKey& e : found) {
    const FoundValue name = libraries.stack().find(e, "CHEMNAME");
    std::printf("%-24s %s\n", chemicals::ChemicalKey{e.id, e.variant}.text().c_str(),
                name ? name.value->value.c_str() : "");
  }
  if (found.empty()) std::printf("no chemical's name or id holds \"%s\"\n", args.text.c_str());
  return 0;
}

int check_command(const ChemArgs& args) {
  const ChemicalLibraries libraries(args.libraries);
  std::fputs(chemicals::consistency_report(libraries.stack()).c_str(), stdout);
  return 0;
}

CLI::App* with_libraries(CLI::App* command, ChemArgs& args) {
  command->add_option("--library", args.libraries, "a library file, before the snapshot")
      ->type_name("FILE");
  return command;
}

}  // namespace

int chem_main(int argc, char** argv) {
  CLI::App app{"The chemical library: values, units and where each comes from.", "vorn chem"};
  app.footer(kFooter);
  app.require_subcommand(1);
  ChemArgs args;
  CLI::App* show_app = with_libraries(
      app.add_subcommand("show", "print a chemical's values, units and sources"), args);
  show_app->add_option("CHEMICAL", args.chemical, "CAS[:variant], registry id or name")->required();
  CLI::App* search_app = with_libraries(
      app.add_subcommand("search", "list the chemicals whose name or id holds TEXT"), args);
  search_app->add_option("TEXT", args.text, "part of a name or an id")->required();
  CLI::App* check_app = with_libraries(
      app.add_subcommand("check", "the consistency report: conflicts, ids, unit pins"), args);
  CLI::App* import_app = add_import_command(app, args.import);
  use_house_style(app);

  if (const auto status = parse_command_line(app, argc, argv)) return *status;
  try {
    if (show_app->parsed()) return show_command(args);
    if (search_app->parsed()) return search_command(args);
    if (check_app->parsed()) return check_command(args);
    if (import_app->parsed()) return import_command(*import_app, args.import);
  } catch (const chemicals::DataError& e) {
    print_problems("vorn chem", e);
    return kBadInput;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorn chem: internal error: %s\n", e.what());
    return kBadInput;
  }
  return kUsageError;
}

}  // namespace vorn::cli
