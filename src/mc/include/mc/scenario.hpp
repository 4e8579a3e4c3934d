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

namespace vorn::mc {

// Every problem found in a scenario, each "file:line:column: key: message"; what()
// joins them with newlines. Thrown only after all of them have been collected.
class ScenarioError : public std::runtime_error {
 public:
  explicit ScenarioError(std::vector<std::string> messages);
  const std::vector<std::string>& messages() const { return messages_; }

 private:
  std::vector<std::string> messages_;
};

// 1-based, as editors count; 0 where there is no position (a key that is missing).
struct SourcePosition {
  std::uint32_t line = 0;
  std::uint32_t column = 0;
};

// "file:line:column: key: message"; without the key when it is empty.
std::string located_message(std::string_view file, SourcePosition at, std::string_view key,
                            std::string_view message);

// Collects the problems of one file to throw them together, in the order of the file.
class ScenarioProblems {
 public:
  explicit ScenarioProblems(std::string file) : file_(std::move(file)) {}
  void add(SourcePosition at, std::string_view key, std::string_view message);
  std::size_t count() const { return problems_.size(); }
  // Throws ScenarioError when there are any.
  void throw_if_any();

 private:
  std::string file_;
  std::vector<std::pair<SourcePosition, std::string>> problems_;
};

enum class VaryMode { value, factor };  // replace the value read, or multiply it

// An input that varies truly between places, years or batches (variability), or one with a
// single true value known only roughly (uncertainty). Uncertainty inputs make a run nested.
enum class VaryKind { variability, uncertainty };
const char* vary_kind_name(VaryKind kind);

const char* sampling_name(numerics::Sampling sampling);

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
  SourcePosition at;                            // the table
  SourcePosition field_at;
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

  bool nested() const {
    return std::any_of(vary.begin(), vary.end(),
                       [](const VaryEntry& e) { return e.kind == VaryKind::uncertainty; });
  }
};

// Throw ScenarioError listing every problem. A TOML seed is at most 2^63 - 1 (TOML
// integers are signed); the command line reaches the whole 64 bits.
Scenario read_scenario(const std::filesystem::path& file);
// `input_given`: the caller supplies VORN.IN's text, so the scenario need not name it.
Scenario parse_scenario(std::string_view toml_text, std::string_view file_name_for_messages,
                        bool input_given = false);

// What the command line may change between reading and resolving.
// The initializers let callers name only what they override.
struct ScenarioOverrides {
  std::optional<std::uint64_t> realizations{}, seed{};
  std::optional<std::uint64_t> outer{}, inner{};  // of a nested run
  std::optional<numerics::Sampling> sampling{};
  std::optional<double> target_precision{};
};

// Throws ScenarioError when an override is out of range (realizations 0, a precision
// that is not a positive number) or does not fit the run: realizations or a precision for a
// nested run, outer or inner for one that is not.
void apply_overrides(Scenario& scenario, const ScenarioOverrides& overrides);

// The unit inputs a scenario may vary, a chemical's REAL columns, and DAF (a factor on
// the chemical's dilution-attenuation factors).
enum class VaryTarget { unit, chemical, daf };
std::optional<VaryTarget> vary_target(std::string_view field);

}  // namespace vorn::mc
