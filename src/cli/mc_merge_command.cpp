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
#include "cli/mc_output.hpp"
#include "cli/subcommands.hpp"
#include "core/output_file.hpp"
#include "mc/part_document.hpp"

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

// "1, 3 and 4".
std::string listed(const std::vector<std::uint64_t>& numbers) {
  std::string text;
  for (std::size_t k = 0; k < numbers.size(); ++k) {
    if (k > 0) text += k + 1 == numbers.size() ? " and " : ", ";
    text += std::to_string(numbers[k]);
  }
  return text;
}

// The kinds of parts, told apart by their format.
struct PartKind {
  const char* format;
  const char* run;  // what the part is of
};
constexpr PartKind kOneDimensional{mc::kPartFormat, "a one-dimensional run"};
constexpr PartKind kNested{nested::kNestedPartFormat, "a nested run"};
constexpr PartKind kSobol{sensitivity::kSobolPartFormat, "a Sobol design"};

// None when the document names no kind of part; reading it as a part will say why.
const PartKind* kind_of(std::string_view bytes) {
  const std::string format = mc::part_format(bytes);
  for (const PartKind* k : {&kOneDimensional, &kNested, &kSobol})
    if (format == k->format) return k;
  return nullptr;
}

// The parts, all of `kind`, merged; none, said on standard error, when one cannot be read
// or they do not hold every shard. Throws mc::PartError when they cannot be merged.
template <class Part>
std::optional<Part> merged(const std::vector<std::string>& files, const PartKind& kind,
                           Part (*parse)(std::string_view, std::string_view),
                           void (*add)(Part&, const Part&, std::string_view)) {
  Part merged;
  for (std::size_t k = 0; k < files.size(); ++k) {
    std::string bytes, why;
    if (!read_file(files[k], bytes, why)) {
      std::fprintf(stderr, "vorn mc-merge: cannot read %s: %s\n", files[k].c_str(), why.c_str());
      return std::nullopt;
    }
    if (const PartKind* other = kind_of(bytes); other != nullptr && other != &kind)
      throw mc::PartError(files[k] + ": a part of " + other->run + ", the others of " + kind.run);
    Part part = parse(bytes, files[k]);
    if (k == 0) {
      merged = std::move(part);
    } else {
      add(merged, part, files[k]);
    }
  }
  if (!merged.complete()) {
    std::vector<std::uint64_t> missing;
    std::size_t held = 0;
    for (std::uint64_t i = 1; i <= merged.shard_count; ++i) {
      if (held < merged.shards.size() && merged.shards[held].index == i) {
        ++held;
      } else {
        missing.push_back(i);
      }
    }
    std::fprintf(stderr, "vorn mc-merge: the parts do not cover the run: shard%s %s of %llu %s\n",
                 missing.size() > 1 ? "s" : "", listed(missing).c_str(),
                 static_cast<unsigned long long>(merged.shard_count),
                 missing.size() > 1 ? "are missing" : "is missing");
    return std::nullopt;
  }
  return merged;
}

// The parts of the kind of the first; a first part of no known kind is read as a
// one-dimensional one.
int merge(const std::vector<std::string>& files, const McDocumentFiles& documents) {
  std::string first, why;
  const PartKind* kind = read_file(files.front(), first, why) ? kind_of(first) : nullptr;
  if (kind == &kNested) {
    const auto part = merged(files, kNested, nested::parse_nested_part, nested::merge_nested_part);
    return part ? write_documents(documents, mc::report_of(*part)) : kFatalError;
  }
  if (kind == &kSobol) {
    const auto part =
        merged(files, kSobol, sensitivity::parse_sobol_part, sensitivity::merge_sobol_part);
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    return part ? write_documents(documents, mc::report_of(*part, threads)) : kFatalError;
  }
  const auto part = merged(files, kOneDimensional, mc::parse_part, mc::merge_part);
  return part ? write_documents(documents, mc::report_of(*part)) : kFatalError;
}

}  // namespace

int mc_merge_main(int argc, char** argv) {
  CLI::App app{"Merges the parts of a probabilistic run that ran in shards.", "vorn mc-merge"};
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
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vorn mc-merge: internal error: %s\n", e.what());
    return kFatalError;
  }
}

}  // namespace vorn::cli
