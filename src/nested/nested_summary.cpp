#include "nested/nested_summary.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_json.hpp"

namespace vorn::nested {
namespace {

// Rank ceil(q n / 100), at least 1, as QuantileSketch::percentile takes it.
std::size_t nearest_rank(double q, std::size_t n) {
  const double exact = q * static_cast<double>(n) / 100;
  const double rank = std::ceil(exact - 1e-12 * std::max(exact, 1.0));
  return static_cast<std::size_t>(std::max(rank, 1.0));
}

// The bands of the values at one position of every record.
class Bands {
 public:
  explicit Bands(const std::vector<OuterRecord>& records) : records_(records) {}
  Band at(std::size_t position) {
    values_.clear();
    for (const OuterRecord& r : records_) values_.push_back(r.values[position]);
    return band_of(values_);
  }
  std::vector<double>& last_values() { return values_; }

 private:
  const std::vector<OuterRecord>& records_;
  std::vector<double> values_;
};

QuantityBands quantity(const char* name, mc::QuantityKind kind, double baseline,
                       std::size_t position, std::size_t percentiles, Bands& bands) {
  QuantityBands q{name, kind, baseline, {}, {}};
  for (std::size_t p = 0; p < percentiles; ++p) q.percentiles.push_back(bands.at(position + p));
  q.p_above = bands.at(position + percentiles);
  return q;
}

}  // namespace

Band band_of(std::vector<double>& values) {
  const auto numbers =
      std::partition(values.begin(), values.end(), [](double x) { return !std::isnan(x); });
  const std::size_t n = static_cast<std::size_t>(numbers - values.begin());
  std::sort(values.begin(), numbers);
  Band band;
  band.missing = values.size() - n;
  for (std::size_t k = 0; k < kBandLevels.size(); ++k)
    band.at[k] = n == 0 ? std::numeric_limits<double>::quiet_NaN()
                        : values[nearest_rank(kBandLevels[k], n) - 1];
  return band;
}

NestedSummary summarize_nested(const NestedPart& part) {
  const scenario::ResolvedScenario scenario = scenario::from_json(part.scenario_json);
  const NestedDesign design = design_of(scenario);
  const RecordLayout layout = design.layout(part.baseline.names.size());
  NestedSummary m;
  m.outer = design.outer;
  m.inner = design.inner;
  m.percentiles = design.percentiles;
  m.decision_percentile = design.decision_percentile;
  m.target_risk = part.baseline.target_risk;
  m.target_hazard = part.baseline.target_hazard;
  m.gw_waste = part.baseline.gw_waste;
  m.sf_waste = part.baseline.sf_waste;
  Bands bands(part.records);
  const double threshold = (100 - design.decision_percentile) / 100;
  for (std::size_t i = 0; i < layout.chemicals; ++i) {
    ChemicalBands c;
    c.index = i + 1;
    c.name = part.baseline.names[i];
    c.cas = part.baseline.cas[i];
    for (std::size_t k = 0; k < mc::kChemicalQuantities; ++k)
      c.quantities.push_back(quantity(
          mc::kChemicalQuantityInfo[k].name, mc::kChemicalQuantityInfo[k].kind,
          part.baseline.quantities[i][k], layout.quantity(i, k), layout.percentiles, bands));
    c.failure_share = bands.at(layout.decision(i, RecordLayout::failure_share));
    c.gw_allowable = bands.at(layout.decision(i, RecordLayout::gw_allowable));
    c.sf_allowable = bands.at(layout.decision(i, RecordLayout::sf_allowable));
    c.p_exceeded = bands.at(layout.decision(i, RecordLayout::p_exceeded));
    for (std::size_t k = 0; k < kBandLevels.size(); ++k)
      c.exceeded[k] = c.p_exceeded.at[k] > threshold;
    const std::vector<double>& p = bands.last_values();
    const std::size_t given = p.size() - c.p_exceeded.missing;
    const auto exceeded =
        std::count_if(p.begin(), p.end(), [&](double x) { return x > threshold; });
    c.exceeded_share = given == 0 ? std::numeric_limits<double>::quiet_NaN()
                                  : static_cast<double>(exceeded) / static_cast<double>(given);
    m.chemicals.push_back(std::move(c));
  }
  m.stream_risk = quantity("RI_TOT", mc::QuantityKind::risk, part.baseline.risk, layout.stream(0),
                           layout.percentiles, bands);
  m.stream_hazard = quantity("HI_TOT", mc::QuantityKind::hazard, part.baseline.hazard,
                             layout.stream(1), layout.percentiles, bands);
  return m;
}

}  // namespace vorn::nested
