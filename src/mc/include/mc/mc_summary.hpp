// The statistics of a probabilistic run, from its tally: what the outputs show.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "mc/mc_part.hpp"
#include "mc/mc_tally.hpp"
#include "mc/verdict.hpp"
#include "numerics/wilson_interval.hpp"

namespace vorn::mc {

struct PercentileValue {
  double q = 0.0;
  double value = 0.0;
  double lower = 0.0, upper = 0.0;  // 95 % confidence interval
};

struct QuantitySummary {
  const char* name = "";
  QuantityKind kind = QuantityKind::risk;
  double baseline = 0.0;  // the deterministic run's value
  std::uint64_t count = 0, nan = 0, pos_inf = 0, neg_inf = 0;
  double mean = 0.0, sd = 0.0, min = 0.0, max = 0.0;
  bool sd_beyond = false;  // sd is NaN: a value's square leaves the range sd is computed in
  std::vector<PercentileValue> percentiles;
  double p_above = 0.0;  // of the values that are numbers, the share above the target
  numerics::ShareInterval p_above_interval;
};

// The allowable concentration at the decision percentile P: the (100 - P)th percentile of
// the realizations' allowable concentrations.
struct Decision {
  PercentileValue gw_allowable, sf_allowable;
  double p_exceeded = 0.0;
  bool exceeded = false;               // P(exceeded) > (100 - P) %: the point estimate's rule
  numerics::ShareInterval p_interval;  // of P(exceeded), 95 %, Wilson
  Verdict verdict = Verdict::undetermined;
  // For an undetermined verdict: the realizations more that would settle it at this
  // estimate; nothing when none would.
  std::optional<std::uint64_t> to_settle;
};

struct ChemicalSummary {
  std::size_t index = 0;  // 1-based
  std::string name, cas;  // trailing blanks trimmed
  std::uint64_t completed = 0;
  // The waste concentrations the allowables are compared with, as read and floored:
  // TCLPCONC (mg/L) for groundwater; TOTC (mg/kg, landfill) or TCLPCONC for surface.
  double gw_waste = 0.0, sf_waste = 0.0;
  std::vector<std::pair<std::string, std::uint64_t>> failures;  // reason, count
  double failure_share = 0.0;                                   // of the realizations
  double p_gw_exceeded = 0.0, p_sf_exceeded = 0.0;
  numerics::ShareInterval p_gw_interval, p_sf_interval;
  std::array<double, kPathways> gw_limit_share{}, sf_limit_share{};
  std::vector<QuantitySummary> quantities;
  Decision decision;
};

struct ConvergenceRow {
  std::uint64_t realizations = 0;  // 2^k
  std::vector<Decision> chemicals;
};

struct McSummary {
  // The unit as read: its type and the targets the charts draw (WU_RISKFACT, WU_HQFACT).
  bool landfill = false;
  double target_risk = 0.0, target_hazard = 0.0;
  std::uint64_t realizations = 0;
  std::uint64_t unit_failed = 0;
  std::vector<std::pair<std::string, std::uint64_t>> unit_failures;
  std::uint64_t all_completed = 0;
  std::vector<ChemicalSummary> chemicals;
  QuantitySummary stream_risk, stream_hazard;
  std::vector<ConvergenceRow> convergence;
};

McSummary summarize(const McBaseline& baseline, const McTally& tally,
                    const std::vector<double>& percentiles, double decision_percentile);

}  // namespace vorn::mc
