#include "mc/mc_summary.hpp"

namespace vorn::mc {
namespace {

double share(std::uint64_t part, std::uint64_t whole) {
  return whole == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(whole);
}

PercentileValue percentile_of(const numerics::QuantileSketch& s, double q) {
  const numerics::QuantileSketch::Interval ci = s.confidence_interval(q);
  return PercentileValue{q, s.percentile(q), ci.lower, ci.upper};
}

QuantitySummary quantity(const char* name, QuantityKind kind, double baseline,
                         const numerics::QuantityStats& s, const std::vector<double>& percentiles) {
  QuantitySummary q;
  q.name = name;
  q.kind = kind;
  q.baseline = baseline;
  q.count = s.count();
  q.nan = s.nan_count();
  q.pos_inf = s.pos_inf_count();
  q.neg_inf = s.neg_inf_count();
  q.mean = s.mean(baseline);
  q.sd = s.sd(baseline);
  q.sd_beyond = s.beyond_squares(baseline);
  q.min = s.sketch().lowest();
  q.max = s.sketch().highest();
  for (double p : percentiles) q.percentiles.push_back(percentile_of(s.sketch(), p));
  // NaN is no value: it is neither above nor below the target.
  q.p_above = share(s.above(), s.sketch().ranked_count());
  q.p_above_interval = numerics::wilson_interval(s.above(), s.sketch().ranked_count());
  return q;
}

std::vector<std::pair<std::string, std::uint64_t>> reasons(const FailureCounts& counts) {
  std::vector<std::pair<std::string, std::uint64_t>> out;
  for (std::size_t k = 1; k < counts.size(); ++k)
    if (counts[k] > 0) out.emplace_back(failure_reason(static_cast<FailureKind>(k)), counts[k]);
  return out;
}

Decision decide(const numerics::QuantileSketch& gw, const numerics::QuantileSketch& sf,
                std::uint64_t exceeded, std::uint64_t completed, double p) {
  Decision d;
  d.gw_allowable = percentile_of(gw, 100 - p);
  d.sf_allowable = percentile_of(sf, 100 - p);
  d.p_exceeded = share(exceeded, completed);
  const double allowed = (100 - p) / 100;
  d.exceeded = d.p_exceeded > allowed;
  d.p_interval = numerics::wilson_interval(exceeded, completed);
  d.verdict = completed == 0 ? Verdict::undetermined : verdict_of(d.p_interval, allowed);
  if (d.verdict == Verdict::undetermined && completed > 0)
    d.to_settle = realizations_to_settle(d.p_exceeded, allowed, completed);
  return d;
}

}  // namespace

McSummary summarize(const McBaseline& baseline, const McTally& tally,
                    const std::vector<double>& percentiles, double decision_percentile) {
  McSummary m;
  m.landfill = baseline.landfill;
  m.target_risk = baseline.target_risk;
  m.target_hazard = baseline.target_hazard;
  m.realizations = tally.realizations;
  m.unit_failed = tally.unit_failed;
  m.unit_failures = reasons(tally.unit_failures);
  m.all_completed = tally.all_completed;
  for (std::size_t i = 0; i < tally.chemicals.size(); ++i) {
    const ChemicalTally& t = tally.chemicals[i];
    ChemicalSummary s;
    s.index = i + 1;
    s.name = baseline.names[i];
    s.cas = baseline.cas[i];
    s.completed = t.completed;
    s.gw_waste = baseline.gw_waste[i];
    s.sf_waste = baseline.sf_waste[i];
    FailureCounts failures = t.failures;
    for (std::size_t k = 0; k < failures.size(); ++k) failures[k] += tally.unit_failures[k];
    s.failures = reasons(failures);
    s.failure_share = share(tally.realizations - t.completed, tally.realizations);
    s.p_gw_exceeded = share(t.gw_exceeded, t.completed);
    s.p_sf_exceeded = share(t.sf_exceeded, t.completed);
    s.p_gw_interval = numerics::wilson_interval(t.gw_exceeded, t.completed);
    s.p_sf_interval = numerics::wilson_interval(t.sf_exceeded, t.completed);
    for (std::size_t k = 0; k < kPathways; ++k) {
      s.gw_limit_share[k] = share(t.gw_limit[k], t.completed);
      s.sf_limit_share[k] = share(t.sf_limit[k], t.completed);
    }
    for (std::size_t k = 0; k < kChemicalQuantities; ++k)
      s.quantities.push_back(quantity(kChemicalQuantityInfo[k].name, kChemicalQuantityInfo[k].kind,
                                      baseline.quantities[i][k], t.quantities[k], percentiles));
    s.decision = decide(t.quantities[kTclpMax].sketch(), t.quantities[kSfMax].sketch(), t.exceeded,
                        t.completed, decision_percentile);
    m.chemicals.push_back(std::move(s));
  }
  m.stream_risk =
      quantity("RI_TOT", QuantityKind::risk, baseline.risk, tally.stream_risk, percentiles);
  m.stream_hazard =
      quantity("HI_TOT", QuantityKind::hazard, baseline.hazard, tally.stream_hazard, percentiles);

  // The convergence table: the blocks up to each power of two merged, in order.
  DecisionBlock cumulative;
  for (const auto& [k, block] : tally.blocks) {
    cumulative.merge(block);
    ConvergenceRow row;
    row.realizations = std::uint64_t{1} << k;
    if (row.realizations > tally.realizations) break;
    for (std::size_t i = 0; i < cumulative.tclpmax.size(); ++i)
      row.chemicals.push_back(decide(cumulative.tclpmax[i], cumulative.sfmax[i],
                                     cumulative.exceeded[i], cumulative.completed[i],
                                     decision_percentile));
    m.convergence.push_back(std::move(row));
  }
  return m;
}

}  // namespace vorn::mc
