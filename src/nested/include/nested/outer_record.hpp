// What a nested run keeps of one outer draw: the tally of its inner realizations, reduced at
// once to the numbers whose spread over the outer draws the outputs show. Per chemical, for
// each decision quantity the requested percentiles and P(above target); then P(exceeded),
// the allowable concentrations at the decision percentile (TCLPMAX and SF_MAX) and the
// share of failed realizations; last the stream's total risk and hazard index, each with
// its percentiles and P(above target). Its size does not depend on V: 8 bytes a value,
// 14,336 bytes for ten chemicals and five percentiles.
#pragma once

#include <cstdint>
#include <vector>

#include "mc/decision_quantities.hpp"
#include "mc/mc_tally.hpp"
#include "mc/unit_values.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_json.hpp"

namespace vorn::nested {

struct RecordLayout {
  std::size_t chemicals = 0, percentiles = 0;

  static constexpr std::size_t kDecisionValues = 4;
  enum Decision : std::size_t { p_exceeded, gw_allowable, sf_allowable, failure_share };

  // A quantity's values: its percentiles in the requested order, then P(above target).
  std::size_t per_quantity() const { return percentiles + 1; }
  std::size_t quantity(std::size_t chemical, std::size_t k) const {
    return chemical * per_chemical() + k * per_quantity();
  }
  std::size_t decision(std::size_t chemical, Decision d) const {
    return chemical * per_chemical() + mc::kChemicalQuantities * per_quantity() + d;
  }
  // 0: the stream's total risk, 1: its hazard index.
  std::size_t stream(std::size_t which) const {
    return chemicals * per_chemical() + which * per_quantity();
  }
  std::size_t size() const { return stream(2); }

 private:
  std::size_t per_chemical() const {
    return mc::kChemicalQuantities * per_quantity() + kDecisionValues;
  }
};

// A value is NaN where the draw gave none: a percentile of a quantity with no finite value,
// a probability over no completed realization.
// Its unit is the outer draw u.
using OuterRecord = mc::UnitValues;

// What the reduction reads: the percentiles and the decision percentile of the scenario.
struct NestedDesign {
  std::uint64_t outer = 0, inner = 0;
  std::vector<double> percentiles;
  double decision_percentile = 90;
  RecordLayout layout(std::size_t chemicals) const { return {chemicals, percentiles.size()}; }
};
NestedDesign design_of(const scenario::ResolvedScenario& scenario);

// The percentiles, probabilities and decision of `tally`, defined as a one-dimensional
// run's statistics define them.
OuterRecord reduce(std::uint64_t draw, const mc::McTally& tally, const NestedDesign& design);

}  // namespace vorn::nested
