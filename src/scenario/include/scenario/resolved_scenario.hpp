// A scenario bound to the chemicals of its VORN.IN: selectors become chemical indices
// and every draw gets its parameter number.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "numerics/gaussian_copula.hpp"
#include "scenario/scenario.hpp"
#include "scenario/vary_target.hpp"
#include "vorn/records.hpp"

namespace vorn::scenario {

enum class SelectorKind {
  unit,   // a unit input: no chemical
  index,  // one chemical
  all,    // "*": one draw for every chemical
  each,   // a draw per chemical
};

struct ResolvedVary {
  std::string field;
  VaryTarget target = VaryTarget::unit;
  SelectorKind selector = SelectorKind::unit;
  std::size_t chemical = 0;   // 0-based, for SelectorKind::index
  bool keyed_by_cas = false;  // "each" on DAF: chemicals sharing a CAS share the draw
  VaryMode mode = VaryMode::value;
  VaryKind kind = VaryKind::variability;
  numerics::Family family = numerics::Family::constant;
  numerics::DistributionParameters parameters;
  std::string note;  // the user's reason for the entry; "" none
  std::uint32_t first_parameter = 0;
};

// One end of a correlation: the [[vary]] entry whose draw it names.
struct CorrelationEnd {
  std::size_t vary = 0;                   // 0-based
  std::optional<std::size_t> chemical{};  // one chemical's draw of an "each" entry, 0-based
};

struct ResolvedCorrelation {
  CorrelationEnd a, b;
  double spearman = 0.0;
};

// Random streams are keyed by (seed, realization, parameter). The parameters are
// numbered 0..parameter_count() - 1 in file order: an entry takes one number, an "each"
// entry a block of one per chemical (chemical i drawing first_parameter + i). So the
// numbers depend on the scenario and the chemical count alone, never on the chemicals'
// contents; an "each" keyed by CAS leaves the numbers of later sharers of a CAS unused.
struct ResolvedScenario {
  std::string input_sha256;            // of the VORN.IN bytes
  std::uint64_t realizations = 10000;  // 0 in a nested run
  std::uint64_t outer = 0, inner = 0;  // a nested run's draws; 0 in a one-dimensional one
  std::uint64_t seed = 1;
  numerics::Sampling sampling = numerics::Sampling::lhs;
  std::vector<double> percentiles;
  double decision_percentile = 90;
  std::optional<double> target_precision{};
  std::size_t chemical_count = 0;
  // Per chemical, the first chemical with the same trimmed CAS; a blank CAS is its own.
  std::vector<std::size_t> cas_group;
  std::vector<ResolvedVary> vary;
  std::vector<ResolvedCorrelation> correlate;

  bool nested() const { return outer > 0; }
  std::uint32_t parameter_count() const;
  // The parameter whose draw `entry` applies to chemical `chemical` (ignored for unit
  // inputs).
  std::uint32_t parameter(const ResolvedVary& entry, std::size_t chemical) const;
  // The stream pairs the correlations ask for. An "each" end without a chemical stands
  // for every chemical's draw: chemical i's is paired with chemical i's draw of the other
  // end when that is such an end too, else with the other end's one draw. A pair met
  // again within one correlation (chemicals sharing a CAS share a DAF draw) counts once.
  std::vector<numerics::StreamCorrelation> stream_correlations() const;
  // Whether a draw of vary[k] is correlated: it then keeps no LHS stratum or Sobol net.
  bool correlated(std::size_t k) const;
};

// Numbers the parameters as ResolvedScenario describes; returns how many there are.
std::uint64_t number_parameters(ResolvedScenario& scenario);

// Throw ScenarioError listing every selector that names no chemical or several, and
// every correlation end that names no [[vary]] draw or several, and the
// correlation_problems(). The
// first form hashes the file at scenario.input; the second the bytes given.
ResolvedScenario resolve_scenario(const Scenario& scenario,
                                  const std::vector<Chemical>& chemicals_as_read);
ResolvedScenario resolve_scenario(const Scenario& scenario,
                                  const std::vector<Chemical>& chemicals_as_read,
                                  std::string_view input_bytes);

}  // namespace vorn::scenario
