// Realizations through the model entry: constant inputs give back the deterministic run's
// values exactly, and the tally does not depend on the number of threads.
#include <gtest/gtest.h>

#include <cstring>

#include "mc/mc_engine.hpp"
#include "support/model_input.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

mc::McInput landfill_input() {
  ModelInput m = read_model_input(read_text(data_dir() / "reference" / "landfill" / "VORN.IN"));
  mc::McInput in;
  in.unit = m.unit_read;
  in.chemicals = m.chemicals;
  *in.daf = *m.daf;
  EXPECT_TRUE(mc::prepare_input(in));
  return in;
}

numerics::Distribution constant(double v) {
  numerics::DistributionParameters p;
  p.value = v;
  return numerics::Distribution(numerics::Family::constant, p);
}

TEST(McEngine, ConstantInputsReproduceTheDeterministicValuesExactly) {
  const mc::McInput in = landfill_input();
  scenario::SamplingPlan plan;
  plan.seed = 7;
  plan.realizations = 40;
  scenario::PlanParameter volume;
  volume.unit_field = &WasteUnit::WU_WASTEVOL;
  volume.distribution = constant(in.unit.WU_WASTEVOL);
  plan.parameters.push_back(volume);
  scenario::PlanParameter daf;
  daf.target = scenario::PlanParameter::Target::daf_factor;
  daf.distribution = constant(1.0);
  daf.stream = 1;
  plan.streams = 2;
  for (std::size_t i = 0; i < in.chemicals.size(); ++i) daf.chemicals.push_back(i);
  plan.parameters.push_back(daf);

  const mc::McTally one = mc::run_realizations(in, plan, 1, 40, 1);
  const mc::McTally two = mc::run_realizations(in, plan, 1, 40, 2);
  EXPECT_TRUE(one == two);
  ASSERT_EQ(one.all_completed, 40u);

  const MemoryRun run = run_text(read_text(data_dir() / "reference" / "landfill" / "VORN.IN"));
  const Results& r = *run.outcome.results;
  for (std::size_t i = 0; i < in.chemicals.size(); ++i) {
    EXPECT_EQ(in.baseline[i][mc::kTclpMax], r.report[i].TCLPMAX);
    EXPECT_EQ(in.baseline[i][10], r.results[i].R_GWING);
    for (std::size_t k = 0; k < mc::kChemicalQuantities; ++k) {
      const numerics::QuantityStats& s = one.chemicals[i].quantities[k];
      const double b = in.baseline[i][k];
      SCOPED_TRACE(mc::kChemicalQuantityInfo[k].name);
      EXPECT_EQ(s.count(), 40u);
      EXPECT_EQ(s.mean(b), b);
      EXPECT_EQ(s.sd(b), 0.0);
      EXPECT_EQ(s.sketch().percentile(5), b);
      EXPECT_EQ(s.sketch().percentile(95), b);
    }
  }
  // Constant inputs put every realization on the same side of its target: the risks are
  // compared with the target risk, the hazard quotients with the target hazard quotient.
  // Values between the two targets tell the two apart.
  std::size_t between_targets = 0;
  for (std::size_t i = 0; i < in.chemicals.size(); ++i) {
    for (std::size_t k = 0; k < mc::kChemicalQuantities; ++k) {
      const mc::QuantityKind kind = mc::kChemicalQuantityInfo[k].kind;
      if (kind != mc::QuantityKind::risk && kind != mc::QuantityKind::hazard) continue;
      const double target =
          kind == mc::QuantityKind::risk ? in.unit.WU_RISKFACT : in.unit.WU_HQFACT;
      const double b = in.baseline[i][k];
      SCOPED_TRACE(mc::kChemicalQuantityInfo[k].name);
      EXPECT_EQ(one.chemicals[i].quantities[k].above(), b > target ? 40u : 0u);
      between_targets += b > in.unit.WU_RISKFACT && b <= in.unit.WU_HQFACT;
    }
  }
  EXPECT_GT(between_targets, 0u);
  EXPECT_EQ(one.stream_risk.above(), in.baseline_risk > in.unit.WU_RISKFACT ? 40u : 0u);
  EXPECT_EQ(one.stream_risk.mean(in.baseline_risk), r.totals.RI_TOT());
  EXPECT_EQ(one.stream_hazard.mean(in.baseline_hazard), r.totals.HI_TOT());
}

}  // namespace
}  // namespace vorn::test
