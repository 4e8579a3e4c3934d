// vorn mc-merge PART...: the parts of a probabilistic run, merged into its documents.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "cli/command_line.hpp"
#include "cli/help_style.hpp"
#include "cli/mc_output.hpp"
#include "cli/subcommands.hpp"
#include "core/output_file.hpp"
#include "mc/unit_pool.hpp"
#include "mc_run/any_part.hpp"
#include "mc_run/part_documents.hpp"

namespace vorn::cli {
namespace {

constexpr const char* kFooter =
    "Each PART is a file written by vorn mc --shard I/K --part FILE. The parts must come from\n"
    "one run (the same scenario as resolved, seed and VORN.IN) and hold every shard 1..K\n"
    "exactly once; their VORN.IN is not needed. The documents equal those of one vorn mc run\n"
    "over all realizations, byte for byte (with SOURCE_DATE_EPOCH set, or apart from the date\n"
    "line). A FILE of - is standard output. The parts of a nested run hold outer draws, those\n"
    "of a Sobol design (vorn mc --sobol) base rows; they merge the same way, into the\n"
    "documents of the whole design.\n"
    "\n"
    "exit status: 0 merged, 3 a part that cannot be read or merged, or a document that\n"
    "             cannot be written; 64 usage error; 69 no PDF could be made while all else\n"
    "             succeeded";

// The parts merged into their documents; kFatalError, said on standard error, when a file
// cannot be read. Throws mc::PartError when a part cannot be read or merged, or the parts do
// not cover the run.
int merge(const std::vector<std::string>& files, const McDocumentFiles& documents) {
  std::optional<mc_run::AnyPart> merged;
  for (const std::string& file : files) {
    std::string bytes, why;
    if (!read_file(file, bytes, why)) {
      std::fprintf(stderr, "vorn mc-merge: cannot read %s: %s\n", file.c_str(), why.c_str());
      return kFatalError;
    }
    mc_run::AnyPart part = mc_run::read_part(bytes, file);
    if (merged) {
      mc_run::merge_parts(*merged, part, file);
    } else {
      merged = std::move(part);
    }
  }
  const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
  return write_documents(documents, mc_run::PartDocuments(*merged, threads));
}

}  // namespace

int mc_merge_main(int argc, char** argv) {
  CLI::App app{"Merges the parts of a probabilistic run that ran in shards.", "vorn mc-merge"};
  use_house_style(app);
  app.footer(kFooter);
  std::vector<std::string> files;
  McDocumentFiles documents;
  app.add_option("PART", files, "the parts (JSON)")->required()->type_name("");
  add_document_options(app, documents);
  if (const auto status = parse_command_line(app, argc, argv)) return *status;
  if (std::string why = document_conflict(app, documents); !why.empty())
    return usage_error(app, why);
  if (!date_documents("vorn mc-merge", documents)) return kUsageError;
  try {
    return merge(files, documents);
  } catch (const mc::PartError& e) {
    std::fprintf(stderr, "vorn mc-merge: %s\n", e.what());
    return kFatalError;
  } catch (const mc::UnitFailure& e) {
    std::fprintf(stderr, "vorn mc-merge: %s\n", e.what());
    return kFatalError;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorn mc-merge: internal error: %s\n", e.what());
    return kFatalError;
  }
}

}  // namespace vorn::cli
