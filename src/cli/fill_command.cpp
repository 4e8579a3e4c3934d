// vorn fill STREAM.csv [--daf DAF.csv] [--library FILE]... -o DIR [--force]: a complete
// VORN.IN from a stream sheet and the chemical libraries, with the source of every value.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include "chemicals/daf_sheet.hpp"
#include "chemicals/data_error.hpp"
#include "chemicals/field_gates.hpp"
#include "chemicals/fill_files.hpp"
#include "chemicals/stream_fill.hpp"
#include "chemicals/stream_sheet.hpp"
#include "cli/chem_libraries.hpp"
#include "cli/command_line.hpp"
#include "cli/help_style.hpp"
#include "cli/subcommands.hpp"
#include "core/output_file.hpp"

namespace vorn::cli {
namespace {

constexpr const char* kFooter =
    "The stream sheet is one CSV: key,value rows for WU_SITEKEY, WU_WMUTYPE, WU_RISKFACT,\n"
    "WU_HQFACT, WU_WASTEVOL, WU_VOLUNIT, WU_ACTLIFE, WU_SIFLOW (and f_oc, the fraction of\n"
    "organic carbon, optional); one blank line; a header row\n"
    "CAS,TCLPCONC,TCLPFLAG,TOTC,TOTFLAG[,FIELD...][,note] and one row per chemical. CAS may\n"
    "be CAS:variant. FIELD columns override the library with VORN.IN's field names and units\n"
    "(RFCI in mg/m3, MCL in mg/L); an empty cell overrides nothing; note says why. The DAF\n"
    "table is a CSV with the header CAS,LFCONC,LFCAR,LFNON,SICONC,SICAR,SINON.\n"
    "DIR/VORN.IN and DIR/sources.csv are written only when everything is valid; an existing\n"
    "VORN.IN is replaced only with --force.\n"
    "\n"
    "exit status: 0 written, 3 bad input (file:line and why) or a file that cannot be\n"
    "             written, 64 usage error";

struct FillArgs {
  std::string sheet, daf, output;
  std::vector<std::string> libraries;
  bool force = false;
};

std::string read_or_throw(const std::string& file, const char* what) {
  std::string bytes, why;
  if (!read_file(file, bytes, why))
    throw chemicals::DataError(std::string("cannot read the ") + what + " " + file + ": " + why);
  return bytes;
}

// The values the user must still supply or confirm, one line per chemical and action.
void print_actions(const std::vector<chemicals::ValueSource>& sources) {
  std::map<std::size_t, std::pair<std::string, std::string>> lines;  // supply, confirm
  std::map<std::size_t, std::string> names;
  for (const chemicals::ValueSource& s : sources) {
    if (s.action.empty()) continue;
    names[s.index] = s.CHEMNAME + " (" + s.CHEMCAS + ")";
    std::string& line = s.action == "supply" ? lines[s.index].first : lines[s.index].second;
    line += (line.empty() ? "" : "; ") + s.field + " (" + s.pathways + ")";
  }
  if (lines.empty()) return;
  std::printf("To supply (written as missing) or confirm, with the pathways each decides:\n");
  for (const auto& [index, both] : lines) {
    if (!both.first.empty())
      std::printf("  %zu %s: supply %s\n", index, names[index].c_str(), both.first.c_str());
    if (!both.second.empty())
      std::printf("  %zu %s: confirm %s\n", index, names[index].c_str(), both.second.c_str());
  }
}

int fill(const FillArgs& args) {
  const chemicals::StreamSheet sheet =
      chemicals::read_stream_sheet(read_or_throw(args.sheet, "stream sheet"), args.sheet);
  std::vector<chemicals::DafSheetRow> daf;
  if (!args.daf.empty())
    daf = chemicals::read_daf_sheet(read_or_throw(args.daf, "DAF table"), args.daf);
  const ChemicalLibraries libraries(args.libraries);
  const chemicals::FillResult result =
      chemicals::fill_stream(sheet, daf, args.daf, libraries.stack());
  chemicals::write_fill(args.output, result, args.force);
  for (const std::string& notice : result.notices) std::printf("%s\n", notice.c_str());
  print_actions(result.sources);
  std::printf("wrote %s/VORN.IN (%zu chemicals, %d DAF rows) and %s/sources.csv\n",
              args.output.c_str(), result.chemicals.size(), result.daf->NDAF, args.output.c_str());
  return 0;
}

}  // namespace

int fill_main(int argc, char** argv) {
  CLI::App app{"Writes a complete VORN.IN from a stream sheet and the chemical libraries.",
               "vorn fill"};
  use_house_style(app);
  app.footer(kFooter);
  FillArgs args;
  app.add_option("STREAM", args.sheet, "the stream sheet (CSV)")->required()->type_name("");
  app.add_option("--daf", args.daf, "the site's DAF rows (CSV)")->type_name("DAF.csv");
  app.add_option("--library", args.libraries, "a library file, before the snapshot")
      ->type_name("FILE");
  app.add_option("-o,--output", args.output, "the directory of the VORN.IN")
      ->type_name("DIR")
      ->required();
  app.add_flag("--force", args.force, "replace an existing VORN.IN");
  if (const auto status = parse_command_line(app, argc, argv)) return *status;
  try {
    return fill(args);
  } catch (const chemicals::DataError& e) {
    print_problems("vorn fill", e);
    return kBadInput;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorn fill: internal error: %s\n", e.what());
    return kBadInput;
  }
}

}  // namespace vorn::cli
