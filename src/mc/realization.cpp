#include "mc/realization.hpp"

#include <algorithm>

namespace vorn::mc {
namespace {

// Evaluates the records as they are; false on a failure.
bool evaluate_all(const McInput& in, const WasteUnit& unit, const std::vector<Chemical>& chems,
                  const double* daf_factors, UnitModel& model_unit, Failure& unit_failure,
                  ChemicalBatch& batch, std::vector<ChemicalEvaluation>& evs) {
  unit_failure = derive_unit(unit, model_unit);
  if (unit_failure) return false;
  evs.resize(chems.size());
  batch.evaluate(ModelSite{model_unit, *in.daf}, chems.size(), chems.data(), in.rows.data(), 1,
                 evs.data(), daf_factors);
  return true;
}

}  // namespace

bool prepare_input(McInput& in) {
  in.rows.clear();
  for (const Chemical& c : in.chemicals) in.rows.push_back(match_daf_rows(*in.daf, c));
  UnitModel unit;
  Failure failure;
  ChemicalBatch batch;
  std::vector<ChemicalEvaluation> evs;
  if (!evaluate_all(in, in.unit, in.chemicals, nullptr, unit, failure, batch, evs)) return false;
  in.baseline.assign(in.chemicals.size(), ChemicalQuantities{});
  in.baseline_risk = in.baseline_hazard = 0.0;
  double rgw = 0, rsf = 0, hgw = 0, hsf = 0;
  for (std::size_t i = 0; i < evs.size(); ++i) {
    if (evs[i].failure) return false;
    chemical_quantities(unit.wu, evs[i], in.baseline[i]);
    rgw += evs[i].limits.RI_GW;
    rsf += evs[i].limits.RI_SF;
    hgw += evs[i].limits.HI_GW;
    hsf += evs[i].limits.HI_SF;
  }
  in.baseline_risk = rgw + rsf;
  in.baseline_hazard = hgw + hsf;
  return true;
}

RealizationEvaluator::RealizationEvaluator(const McInput& input, const scenario::SamplingPlan& plan)
    : input_(input),
      plan_(plan),
      sampler_(plan),
      uniforms_(plan.streams),
      values_(plan.parameters.size()),
      unit_(input.unit),
      chemicals_(input.chemicals),
      daf_factors_(input.chemicals.size(), 1.0) {}

const std::vector<double>& RealizationEvaluator::draw(std::uint64_t r) {
  sampler_.uniforms(r, uniforms_.data());
  for (std::size_t k = 0; k < values_.size(); ++k)
    values_[k] = plan_.parameters[k].distribution.quantile(uniforms_[plan_.parameters[k].stream]);
  scenario::apply_values(plan_, values_.data(), input_.unit, input_.chemicals, unit_, chemicals_,
                         daf_factors_);
  return values_;
}

void RealizationEvaluator::evaluate(std::uint64_t r, McTally& tally) {
  draw(r);
  ++tally.realizations;
  all_completed_ = false;
  const std::size_t n = chemicals_.size();
  DecisionBlock& block = tally.block(block_of(r));
  if (!evaluate_all(input_, unit_, chemicals_, daf_factors_.data(), model_unit_, unit_failure_,
                    batch_, evs_)) {
    ++tally.unit_failed;
    ++tally.unit_failures[static_cast<std::size_t>(unit_failure_.kind)];
    return;
  }
  const WasteUnit& wu = model_unit_.wu;
  // The quantities of every chemical and their sketches' counters first, so that the
  // memory fetches them all at once; then the adds.
  pending_.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    if (evs_[i].failure) continue;
    Pending& p = pending_[i];
    chemical_quantities(wu, evs_[i], p.quantities);
    for (std::size_t k = 0; k < kChemicalQuantities; ++k)
      p.counters[k] = tally.chemicals[i].quantities[k].counter(p.quantities[k]);
    p.tclpmax = block.tclpmax[i].counter(p.quantities[kTclpMax]);
    p.sfmax = block.sfmax[i].counter(p.quantities[kSfMax]);
  }
  bool all = true;
  double rgw = 0, rsf = 0, hgw = 0, hsf = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const ChemicalEvaluation& ev = evs_[i];
    ChemicalTally& t = tally.chemicals[i];
    if (ev.failure) {
      ++t.failures[static_cast<std::size_t>(ev.failure.kind)];
      all = false;
      continue;
    }
    ++t.completed;
    const Pending& p = pending_[i];
    const ChemicalQuantities& b = input_.baseline[i];
    for (std::size_t k = 0; k < kChemicalQuantities; ++k) {
      numerics::QuantityStats& s = t.quantities[k];
      const double x = p.quantities[k];
      s.add(x, b[k], p.counters[k]);
      const QuantityKind kind = kChemicalQuantityInfo[k].kind;
      if ((kind == QuantityKind::risk && x > wu.WU_RISKFACT) ||
          (kind == QuantityKind::hazard && x > wu.WU_HQFACT))
        s.count_above();
    }
    const ChemicalReport& w = ev.limits;
    t.gw_exceeded += w.GW_EXCEEDED;
    t.sf_exceeded += w.SF_EXCEEDED;
    const bool exceeded = w.GW_EXCEEDED || w.SF_EXCEEDED;
    t.exceeded += exceeded;
    ++t.gw_limit[static_cast<std::size_t>(w.GW_LIMIT - 1)];
    ++t.sf_limit[static_cast<std::size_t>(w.SF_LIMIT - 1)];
    block.tclpmax[i].add(p.quantities[kTclpMax], p.tclpmax);
    block.sfmax[i].add(p.quantities[kSfMax], p.sfmax);
    ++block.completed[i];
    block.exceeded[i] += exceeded;
    rgw += w.RI_GW;
    rsf += w.RI_SF;
    hgw += w.HI_GW;
    hsf += w.HI_SF;
  }
  if (!all) return;
  ++tally.all_completed;
  const double risk = rgw + rsf, hazard = hgw + hsf;
  all_completed_ = true;
  stream_risk_ = risk;
  stream_hazard_ = hazard;
  tally.stream_risk.add(risk, input_.baseline_risk);
  tally.stream_hazard.add(hazard, input_.baseline_hazard);
  if (risk > wu.WU_RISKFACT) tally.stream_risk.count_above();
  if (hazard > wu.WU_HQFACT) tally.stream_hazard.count_above();
}

void RealizationEvaluator::evaluate_at(const double* uniforms) {
  std::copy_n(uniforms, uniforms_.size(), uniforms_.begin());
  for (std::size_t k = 0; k < values_.size(); ++k)
    values_[k] = plan_.parameters[k].distribution.quantile(uniforms_[plan_.parameters[k].stream]);
  scenario::apply_values(plan_, values_.data(), input_.unit, input_.chemicals, unit_, chemicals_,
                         daf_factors_);
  all_completed_ = false;
  if (!evaluate_all(input_, unit_, chemicals_, daf_factors_.data(), model_unit_, unit_failure_,
                    batch_, evs_))
    return;
  // Summed as evaluate() sums them.
  double rgw = 0, rsf = 0, hgw = 0, hsf = 0;
  for (const ChemicalEvaluation& ev : evs_) {
    if (ev.failure) return;
    rgw += ev.limits.RI_GW;
    rsf += ev.limits.RI_SF;
    hgw += ev.limits.HI_GW;
    hsf += ev.limits.HI_SF;
  }
  all_completed_ = true;
  stream_risk_ = rgw + rsf;
  stream_hazard_ = hgw + hsf;
}

}  // namespace vorn::mc
