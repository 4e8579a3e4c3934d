// A nested run against the one-dimensional run it must reduce to: with every uncertainty
// input constant, each outer draw's inner realizations are the one-dimensional run with
// N = V, so every band is that run's statistic, exactly. And the nested keys' problems.
#include <gtest/gtest.h>

#include "mc_run/mc_run.hpp"
#include "scenario/scenario_overrides.hpp"
#include "scenario/scenario_reader.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

const std::filesystem::path kLandfill =
    std::filesystem::path(VORN_TEST_DATA).parent_path().parent_path() / "examples" / "landfill" /
    "VORN.IN";

// The run's size, then [[vary]] tables: the third and fifth carry `kind`.
std::string scenario(const std::string& size, const std::string& kind) {
  return "input = \"" + kLandfill.string() + "\"\n" + size +
         "seed = 99\npercentiles = [5, 50, 90, 99]\ndecision_percentile = 95\n"
         "[[vary]]\nfield = \"WU_WASTEVOL\"\n"
         "dist = { type = \"triangular\", min = 4000, mode = 6000, max = 9000 }\n"
         "[[vary]]\nchemical = \"each\"\nfield = \"TCLPCONC\"\nmode = \"factor\"\n"
         "dist = { type = \"lognormal\", gm = 1.0, gsd = 1.8 }\n"
         "[[vary]]\nchemical = \"*\"\nfield = \"DAF\"\nmode = \"factor\"\n" +
         kind + "dist = { type = \"constant\", value = 1.25 }\n" +
         "[[vary]]\nchemical = \"71-43-2\"\nfield = \"HENRY\"\nmode = \"factor\"\n"
         "dist = { type = \"uniform\", min = 0.7, max = 1.3 }\n"
         "[[vary]]\nchemical = \"each\"\nfield = \"TOTC\"\nmode = \"factor\"\n" +
         kind + "dist = { type = \"constant\", value = 0.8 }\n";
}

mc_run::McResult run_scenario(const ScratchDir& dir, const std::string& name,
                              const std::string& text) {
  write_text(dir / name, text);
  mc_run::McRequest request;
  request.scenario = dir / name;
  return mc_run::run_monte_carlo(request);
}

void expect_band_is(const nested::Band& band, double value, const std::string& what) {
  for (std::size_t k = 0; k < nested::kBandLevels.size(); ++k)
    EXPECT_EQ(band.at[k], value) << what << " at band level " << nested::kBandLevels[k];
  EXPECT_EQ(band.missing, 0u) << what;
}

void expect_quantity(const nested::QuantityBands& bands, const mc::QuantitySummary& flat,
                     const std::string& who) {
  const std::string what = who + " " + flat.name;
  EXPECT_EQ(bands.baseline, flat.baseline) << what;
  ASSERT_EQ(bands.percentiles.size(), flat.percentiles.size());
  for (std::size_t p = 0; p < flat.percentiles.size(); ++p)
    expect_band_is(bands.percentiles[p], flat.percentiles[p].value,
                   what + " p" + std::to_string(flat.percentiles[p].q));
  expect_band_is(bands.p_above, flat.p_above, what + " P_above");
}

TEST(NestedRun, ConstantUncertaintyGivesTheOneDimensionalRunWithNEqualToV) {
  ScratchDir dir;
  const mc_run::McResult flat =
      run_scenario(dir, "flat.toml", scenario("realizations = 300\n", ""));
  const mc_run::McResult nested = run_scenario(
      dir, "nested.toml", scenario("outer = 3\ninner = 300\n", "kind = \"uncertainty\"\n"));
  ASSERT_FALSE(flat.nested);
  ASSERT_TRUE(nested.nested);
  ASSERT_EQ(nested.nested->records.size(), 3u);
  const mc::McSummary f = mc_run::report_of(flat.part).summary;
  const nested::NestedSummary n = mc_run::report_of(*nested.nested).summary;
  EXPECT_EQ(n.outer, 3u);
  EXPECT_EQ(n.inner, 300u);
  ASSERT_EQ(n.chemicals.size(), f.chemicals.size());
  int exceeded = 0;
  for (std::size_t i = 0; i < f.chemicals.size(); ++i) {
    const mc::ChemicalSummary& a = f.chemicals[i];
    const nested::ChemicalBands& b = n.chemicals[i];
    ASSERT_EQ(b.quantities.size(), a.quantities.size());
    for (std::size_t k = 0; k < a.quantities.size(); ++k)
      expect_quantity(b.quantities[k], a.quantities[k], a.cas);
    expect_band_is(b.gw_allowable, a.decision.gw_allowable.value, a.cas + " TCLPMAX decision");
    expect_band_is(b.sf_allowable, a.decision.sf_allowable.value, a.cas + " SF_MAX decision");
    expect_band_is(b.p_exceeded, a.decision.p_exceeded, a.cas + " P_EXCEEDED");
    expect_band_is(b.failure_share, a.failure_share, a.cas + " failures");
    for (const bool verdict : b.exceeded) EXPECT_EQ(verdict, a.decision.exceeded) << a.cas;
    EXPECT_EQ(b.exceeded_share, a.decision.exceeded ? 1.0 : 0.0) << a.cas;
    exceeded += a.decision.exceeded;
  }
  EXPECT_GT(exceeded, 0);  // the verdicts compared are not all alike
  expect_quantity(n.stream_risk, f.stream_risk, "stream");
  expect_quantity(n.stream_hazard, f.stream_hazard, "stream");
}

TEST(NestedRun, NestedKeysInTheWrongRunAreListedWithTheirPlace) {
  const std::string input = "input = \"VORN.IN\"\n";
  const std::string uncertain =
      "[[vary]]\nfield = \"WU_WASTEVOL\"\nkind = \"uncertainty\"\n"
      "dist = { type = \"uniform\", min = 1, max = 2 }\n";
  std::vector<std::string> messages;
  try {
    scenario::parse_scenario(input + "realizations = 5\ntarget_precision = 0.1\n" + uncertain +
                                 "[[vary]]\nfield = \"WU_ACTLIFE\"\nkind = \"sometimes\"\n"
                                 "dist = { type = \"constant\", value = 3 }\n",
                             "n.toml");
  } catch (const scenario::ScenarioError& e) {
    messages = e.messages();
  }
  EXPECT_EQ(messages, (std::vector<std::string>{
                          "n.toml:2:1: realizations: an input of kind \"uncertainty\" makes the "
                          "run nested: give outer and inner",
                          "n.toml:3:1: target_precision: a nested run runs all its draws",
                          "n.toml:10:1: vary[2].kind: must be \"variability\" or \"uncertainty\"",
                      }));
  const std::string flat_vary =
      "[[vary]]\nfield = \"WU_ACTLIFE\"\ndist = { type = \"constant\", value = 3 }\n";
  try {
    scenario::parse_scenario(input + "outer = 4\n" + flat_vary, "f.toml");
    ADD_FAILURE() << "outer without an uncertainty input";
  } catch (const scenario::ScenarioError& e) {
    EXPECT_EQ(
        e.messages(),
        (std::vector<std::string>{"f.toml:2:1: outer: needs an input of kind \"uncertainty\""}));
  }
  scenario::Scenario flat = scenario::parse_scenario(input + flat_vary, "f.toml");
  EXPECT_THROW(scenario::apply_overrides(flat, {.inner = 10}), scenario::ScenarioError);
  scenario::Scenario nested = scenario::parse_scenario(input + uncertain, "n.toml");
  EXPECT_THROW(scenario::apply_overrides(nested, {.realizations = 10}), scenario::ScenarioError);
  scenario::apply_overrides(nested, {.outer = 7, .inner = 11});
  EXPECT_EQ(nested.outer, 7u);
  EXPECT_EQ(nested.inner, 11u);
}

}  // namespace
}  // namespace vorn::test
