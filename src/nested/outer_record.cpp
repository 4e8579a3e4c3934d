#include "nested/outer_record.hpp"

#include <limits>

namespace vorn::nested {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double share(std::uint64_t part, std::uint64_t whole) {
  return whole == 0 ? kNaN : static_cast<double>(part) / static_cast<double>(whole);
}

// The percentiles, then the share above the target of every value, numbers or not.
void put_quantity(const numerics::QuantityStats& s, const NestedDesign& design, double* out) {
  for (const double q : design.percentiles) *out++ = s.sketch().percentile(q);
  *out = share(s.above(), s.sketch().ranked_count());  // NaN is neither above nor below
}

}  // namespace

NestedDesign design_of(const scenario::ResolvedScenario& s) {
  return {s.outer, s.inner, s.percentiles, s.decision_percentile};
}

OuterRecord reduce(std::uint64_t draw, const mc::McTally& tally, const NestedDesign& design) {
  const RecordLayout layout = design.layout(tally.chemicals.size());
  OuterRecord record{draw, std::vector<double>(layout.size())};
  double* values = record.values.data();
  const double lower = 100 - design.decision_percentile;
  for (std::size_t i = 0; i < layout.chemicals; ++i) {
    const mc::ChemicalTally& t = tally.chemicals[i];
    for (std::size_t k = 0; k < mc::kChemicalQuantities; ++k)
      put_quantity(t.quantities[k], design, values + layout.quantity(i, k));
    values[layout.decision(i, RecordLayout::p_exceeded)] = share(t.exceeded, t.completed);
    values[layout.decision(i, RecordLayout::gw_allowable)] =
        t.quantities[mc::kTclpMax].sketch().percentile(lower);
    values[layout.decision(i, RecordLayout::sf_allowable)] =
        t.quantities[mc::kSfMax].sketch().percentile(lower);
    values[layout.decision(i, RecordLayout::failure_share)] =
        share(tally.realizations - t.completed, tally.realizations);
  }
  put_quantity(tally.stream_risk, design, values + layout.stream(0));
  put_quantity(tally.stream_hazard, design, values + layout.stream(1));
  return record;
}

}  // namespace vorn::nested
