// One realization of a probabilistic run: the plan's values put into the records read,
// the unit derived, every chemical evaluated through the model entry, and what the
// statistics keep added to a tally.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "input/daf_table.hpp"
#include "mc/mc_tally.hpp"
#include "model/chemical_batch.hpp"
#include "scenario/sampling_plan.hpp"

namespace vorn::mc {

// The records a run read from VORN.IN, and what every realization shares.
struct McInput {
  WasteUnit unit;                   // as read
  std::vector<Chemical> chemicals;  // as read
  std::unique_ptr<DafTable> daf = std::make_unique<DafTable>();
  std::vector<DafRowMatch> rows;
  // The deterministic values, around which the sums are taken.
  std::vector<ChemicalQuantities> baseline;
  double baseline_risk = 0.0, baseline_hazard = 0.0;
};

// Finds the DAF rows and computes the baseline: the records evaluated as read. False
// when the unit or a chemical fails as read (the deterministic run says why).
bool prepare_input(McInput& input);

// One per thread; reuses its storage from one realization to the next.
class RealizationEvaluator {
 public:
  RealizationEvaluator(const McInput& input, const scenario::SamplingPlan& plan);
  // The sampled values of realization r, one per parameter.
  const std::vector<double>& draw(std::uint64_t r);
  // Draws realization r, evaluates it and adds it to `tally`.
  void evaluate(std::uint64_t r, McTally& tally);
  // Evaluates the point whose uniforms (one per stream, strictly inside (0, 1)) are given,
  // as a design other than the run's own picks them; adds it to no tally.
  void evaluate_at(const double* uniforms);
  const std::vector<double>& values() const { return values_; }
  // The records of the realization last drawn (for writing its VORN.IN).
  const WasteUnit& unit() const { return unit_; }
  const std::vector<Chemical>& chemicals() const { return chemicals_; }
  const std::vector<double>& daf_factors() const { return daf_factors_; }
  // The evaluations of the realization last evaluated.
  const std::vector<ChemicalEvaluation>& evaluations() const { return evs_; }
  bool unit_failed() const { return static_cast<bool>(unit_failure_); }
  // The stream totals of the realization last evaluated, when every chemical completed.
  bool all_completed() const { return all_completed_; }
  double stream_risk() const { return stream_risk_; }
  double stream_hazard() const { return stream_hazard_; }

 private:
  const McInput& input_;
  const scenario::SamplingPlan& plan_;
  scenario::PlanSampler sampler_;
  std::vector<double> uniforms_, values_;
  WasteUnit unit_;
  std::vector<Chemical> chemicals_;
  std::vector<double> daf_factors_;
  UnitModel model_unit_;
  Failure unit_failure_;
  ChemicalBatch batch_;
  std::vector<ChemicalEvaluation> evs_;
  // A completed chemical's quantities and the counters they go to in the sketches.
  struct Pending {
    ChemicalQuantities quantities{};
    std::array<std::uint32_t*, kChemicalQuantities> counters{};
    std::uint32_t* tclpmax = nullptr;
    std::uint32_t* sfmax = nullptr;
  };
  std::vector<Pending> pending_;
  bool all_completed_ = false;
  double stream_risk_ = 0.0, stream_hazard_ = 0.0;
};

}  // namespace vorn::mc
