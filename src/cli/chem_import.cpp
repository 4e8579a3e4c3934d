#include "cli/chem_import.hpp"

#include <cstdio>

#include "chemicals/data_error.hpp"
#include "chemicals/fill_files.hpp"
#include "chemicals/library_changes.hpp"
#include "chemicals/library_file.hpp"
#include "chemicals/library_import.hpp"
#include "chemicals/library_snapshot.hpp"
#include "chemicals/source_table.hpp"
#include "cli/chem_libraries.hpp"
#include "cli/command_line.hpp"
#include "core/output_file.hpp"

namespace vorn::cli {
namespace {

bool digits(const std::string& text, std::size_t from, std::size_t count) {
  for (std::size_t k = from; k < from + count; ++k)
    if (k >= text.size() || text[k] < '0' || text[k] > '9') return false;
  return true;
}

// YYYY-MM-DD with a month 01..12 and a day 01..31.
bool calendar_date(const std::string& d) {
  if (d.size() != 10 || d[4] != '-' || d[7] != '-' || !digits(d, 0, 4) || !digits(d, 5, 2) ||
      !digits(d, 8, 2))
    return false;
  const int month = std::stoi(d.substr(5, 2)), day = std::stoi(d.substr(8, 2));
  return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

void report_table(const chemicals::SourceTable& t) {
  std::printf("%s: %s, %zu rows loaded, %zu not loaded\n", t.file.c_str(), t.layout->table,
              t.rows.size(), t.skipped.size());
  for (const chemicals::SkippedRow& s : t.skipped)
    std::printf("  record %zu %s: %s\n", s.record, s.name.c_str(), s.reason.c_str());
  for (const auto& [token, count] : t.special_counts)
    std::printf("  %zu cells read \"%s\": %s\n", count, token->token, token->meaning);
}

}  // namespace

CLI::App* add_import_command(CLI::App& chem, ImportArgs& args) {
  CLI::App* app = chem.add_subcommand(
      "import", "turn newer tables (saved as CSV) into a library file, and list what changed");
  app->add_option("FILE", args.files, "a table of a known layout, saved as CSV")->required();
  app->add_option("-o,--output", args.output, "the library file to write")
      ->type_name("LIB.csv")
      ->required();
  app->add_option("--date", args.date, "the tables' date (a CSV carries none)")
      ->type_name("YYYY-MM-DD");
  app->add_option("--as", args.as, "the name the values give their table")->type_name("NAME");
  app->add_flag("--snapshot", args.snapshot,
                "the tables of the compiled snapshot: their own names and dates");
  app->footer(
      "Columns are found by their headers; a table of another layout is refused, with the\n"
      "headers each layout needs. Several tables of different layouts may be given: where two\n"
      "give a value, the first layout's is kept (the RSL parameter and summary tables, the\n"
      "volatile-chemical table, the toxicity characteristic levels) and the other noted.\n"
      "The changes are listed against the compiled snapshot, value by value.");
  return app;
}

int import_command(const CLI::App& command, const ImportArgs& args) {
  if (args.snapshot == !args.date.empty())
    return usage_error(command, "give either --date YYYY-MM-DD or --snapshot");
  if (args.snapshot && !args.as.empty())
    return usage_error(command, "--as names newer tables; the snapshot's have their own names");
  if (!args.snapshot && !calendar_date(args.date))
    return usage_error(command, "--date " + args.date + ": a date as YYYY-MM-DD");

  std::vector<chemicals::SourceTable> tables;
  for (const std::string& file : args.files) {
    std::string bytes, why;
    if (!read_file(file, bytes, why))
      throw chemicals::DataError("cannot read " + file + ": " + why);
    tables.push_back(chemicals::read_source_table(bytes, file));
  }
  const chemicals::ImportNaming naming{args.as, args.date};
  const chemicals::Library library = chemicals::import_tables(tables, naming, args.output);
  std::string why;
  if (!chemicals::write_atomically(args.output, chemicals::library_csv(library), why))
    throw chemicals::DataError(why);

  for (const chemicals::SourceTable& t : tables) report_table(t);
  std::vector<std::string> compared;
  for (const chemicals::SourceTable& t : tables) compared.emplace_back(t.layout->table);
  const auto changes = chemicals::library_changes(chemicals::snapshot_library(), library, compared);
  std::printf("%s: %zu chemicals, %zu rows; against the compiled snapshot: ", args.output.c_str(),
              library.entries().size(), library.values().size());
  if (changes.empty()) {
    std::printf("no value changed\n");
  } else {
    std::printf("%zu values differ\n", changes.size());
    for (const chemicals::ValueChange& c : changes)
      std::printf("  %s\n", chemicals::change_line(c).c_str());
  }
  return 0;
}

}  // namespace vorn::cli
