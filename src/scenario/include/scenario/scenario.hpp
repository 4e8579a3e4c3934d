// The scenario file of a probabilistic run, as read: what it varies and how, checked as
// far as it can be without the VORN.IN it names.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "numerics/distribution.hpp"
#include "numerics/sampling.hpp"
#include "scenario/scenario_error.hpp"

namespace vorn::scenario {

// The most realizations, outer or inner draws (and Sobol base rows) a run takes: a
// percentile sketch's bucket counts to 2^32 - 1, and Latin hypercube strata keep their jitter
// well below 2^53.
inline constexpr std::uint64_t kMaxDraws = 0xFFFFFFFFu;
inline constexpr const char* kMaxDrawsText = "4294967295 (2^32 - 1)";

enum class VaryMode { value, factor };  // replace the value read, or multiply it

// An input that varies truly between places, years or batches (variability), or one with a
// single true value known only roughly (uncertainty). Uncertainty inputs make a run nested.
enum class VaryKind { variability, uncertainty };
const char* vary_kind_name(VaryKind kind);

// Which chemicals an entry varies, as written.
struct ChemicalSelector {
  enum class Kind {
    none,   // a unit input
    index,  // `number`, 1-based
    text,   // CHEMCAS, else CHEMNAME
    all,    // "*": one draw shared by every chemical
    each,   // "each": an independent draw per chemical
  };
  Kind kind = Kind::none;
  std::int64_t number = 0;
  std::string text;
  SourcePosition at;
};

// One [[vary]] table.
struct VaryEntry {
  std::string field;
  ChemicalSelector chemical;
  VaryMode mode = VaryMode::value;
  VaryKind kind = VaryKind::variability;
  numerics::Family family = numerics::Family::constant;
  numerics::DistributionParameters parameters;  // defaults filled: pert lambda, beta min and max
  std::string note;                             // why the input is not the tables'; "" none
  SourcePosition at;                            // the table
  SourcePosition field_at;
  SourcePosition dist_at;
};

// One end of a [[correlate]] pair, as written: a field and its chemical, as in [[vary]].
struct CorrelationEndEntry {
  std::string field;
  ChemicalSelector chemical;
  SourcePosition at;  // the key `a` or `b`
};

// One [[correlate]] table: a rank (Spearman) correlation between two varied inputs.
struct CorrelateEntry {
  CorrelationEndEntry a, b;
  double spearman = 0.0;
  SourcePosition at;  // the table
};

struct Scenario {
  std::string file_name;  // as messages name it
  // read_scenario() makes a relative path relative to the scenario file's directory;
  // parse_scenario() keeps it as written.
  std::filesystem::path input;
  SourcePosition input_at;
  std::uint64_t realizations = 10000;
  std::uint64_t seed = 1;
  numerics::Sampling sampling = numerics::Sampling::lhs;
  std::vector<double> percentiles{5, 50, 90, 95, 99};
  double decision_percentile = 90;
  std::optional<double> target_precision{};  // relative; none: run all realizations
  // A nested run (an input of kind uncertainty) draws the uncertainty inputs `outer` times
  // and runs `inner` realizations of the variability inputs for each, in place of
  // `realizations`.
  std::uint64_t outer = 100, inner = 1000;
  SourcePosition realizations_at, outer_at, inner_at;  // line 0: not in the file
  std::vector<VaryEntry> vary;
  std::vector<CorrelateEntry> correlate;
  // What the file says that the run takes as written but likely did not mean, each
  // "file:line:column: key: message".
  std::vector<std::string> warnings;

  bool nested() const {
    return std::any_of(vary.begin(), vary.end(),
                       [](const VaryEntry& e) { return e.kind == VaryKind::uncertainty; });
  }
};

}  // namespace vorn::scenario
