// The statistics of a nested run, from its outer draws' records: for every value a record
// keeps, its uncertainty band, the 5th, 50th and 95th percentile over the outer draws
// (nearest rank, as a one-dimensional run's percentiles, over the draws that gave a value).
// "The 90th-percentile total risk is 3.1e-6 (median over uncertainty), and with 95 %
// confidence below 8.4e-6" reads the 50 and 95 of the 90th percentile's band.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "nested/nested_part.hpp"

namespace vorn::nested {

inline constexpr std::array<double, 3> kBandLevels{5, 50, 95};

struct Band {
  std::array<double, kBandLevels.size()> at{};  // NaN when no outer draw gave a value
  std::uint64_t missing = 0;                    // outer draws that gave no value
};

struct QuantityBands {
  const char* name = "";
  mc::QuantityKind kind = mc::QuantityKind::risk;
  double baseline = 0.0;          // the deterministic run's value
  std::vector<Band> percentiles;  // one per requested variability percentile
  Band p_above;                   // P(above target)
};

struct ChemicalBands {
  std::size_t index = 0;  // 1-based
  std::string name, cas;
  std::vector<QuantityBands> quantities;
  Band failure_share;
  // The decision at the decision percentile P: the allowable concentrations, P(exceeded),
  // and the verdict at each band level (P(exceeded) > (100 - P) %).
  Band gw_allowable, sf_allowable, p_exceeded;
  std::array<bool, kBandLevels.size()> exceeded{};
  double exceeded_share = 0.0;  // of the outer draws that gave P(exceeded), those exceeded
};

struct NestedSummary {
  std::uint64_t outer = 0, inner = 0;
  std::vector<double> percentiles;
  double decision_percentile = 90;
  std::vector<ChemicalBands> chemicals;
  QuantityBands stream_risk, stream_hazard;
  double target_risk = 0.0, target_hazard = 0.0;  // the unit's, as read
  std::vector<double> gw_waste, sf_waste;         // per chemical, as the limits see them
};

// The band of `values` (NaN for no value); reorders them.
Band band_of(std::vector<double>& values);

// `part` must be complete.
NestedSummary summarize_nested(const NestedPart& part);

}  // namespace vorn::nested
