// Every varied field has a domain, and draws outside it are refused instead of running as
// "missing"; a factor over every chemical leaves a chemical that is missing as read alone.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "scenario/input_domains.hpp"
#include "scenario/plan_from_scenario.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_reader.hpp"
#include "scenario/vary_target.hpp"

namespace vorn::scenario {
namespace {

Chemical chemical(const std::string& cas, double henry, double logkow) {
  Chemical c;
  c.CHEMCAS = cas;
  c.CHEMNAME = cas;
  c.TCLPCONC = 0.01;
  c.TOTC = 2;
  c.HENRY = henry;
  c.LOGKOW = logkow;
  return c;
}

// Benzene and two metals, as the landfill example gives them.
const std::vector<Chemical> kChemicals = {chemical("71-43-2", 5.55e-3, 2.13),
                                          chemical("7440-38-2", -1, -1000),
                                          chemical("7440-43-9", -1, -1000)};

WasteUnit unit() {
  WasteUnit u;
  u.WU_WASTEVOL = 6000;
  u.WU_ACTLIFE = 15;
  u.WU_RISKFACT = 1e-5;
  u.WU_HQFACT = 1;
  return u;
}

struct Checked {
  std::vector<std::string> notes, problems;
};

// The scenario's one [[vary]] table (lines 2 on) checked against the chemicals above.
Checked check(const std::string& vary) {
  Checked out;
  try {
    const Scenario s = parse_scenario("input = 'x'\n[[vary]]\n" + vary, "s.toml");
    out.notes = check_domains(s, resolve_scenario(s, kChemicals, "b"), unit(), kChemicals);
  } catch (const ScenarioError& e) {
    out.problems = e.messages();
  }
  return out;
}

TEST(InputDomains, EveryFieldAScenarioCanVaryHasADomain) {
#define VORN_FIELD_NAME(name, kind) #name,
  const std::string_view columns[] = {VORN_CHEMICAL_FIELDS(VORN_FIELD_NAME)};
#undef VORN_FIELD_NAME
  std::vector<std::string_view> fields = {"WU_WASTEVOL", "WU_ACTLIFE", "WU_RISKFACT", "WU_HQFACT",
                                          "DAF"};
  for (const std::string_view c : columns)
    if (vary_target(c) == VaryTarget::chemical) fields.push_back(c);
  EXPECT_EQ(fields.size(), 5u + 26u);
  for (const std::string_view f : fields) EXPECT_TRUE(std::isfinite(field_domain(f).bound)) << f;
  EXPECT_EQ(field_domain("TCLPCONC").text(), "> 0");
  EXPECT_EQ(field_domain("HENRY").text(), ">= 0");
  EXPECT_EQ(field_domain("LOGKOW").text(), "> -999");
}

TEST(InputDomains, AConcentrationDrawnBelowZeroIsRefusedWithItsFix) {
  // An untruncated normal of mean 0.01 and sd 0.02 draws 31 % negative concentrations.
  EXPECT_EQ(check("chemical = 1\nfield = 'TCLPCONC'\n"
                  "dist = { type = 'normal', mean = 0.01, sd = 0.02 }\n")
                .problems,
            (std::vector<std::string>{
                "s.toml:5:1: vary[1].dist: TCLPCONC must be > 0, and this distribution draws down "
                "to -0.155847: give it a min above 0"}));
  EXPECT_EQ(check("chemical = 1\nfield = 'TCLPCONC'\n"
                  "dist = { type = 'normal', mean = 0.01, sd = 0.02, min = 1e-6 }\n")
                .problems,
            std::vector<std::string>{});
  EXPECT_EQ(check("field = 'WU_WASTEVOL'\nmode = 'factor'\n"
                  "dist = { type = 'normal', mean = 1, sd = 0.5 }\n")
                .problems,
            (std::vector<std::string>{
                "s.toml:5:1: vary[1].dist: WU_WASTEVOL must be > 0, and this factor times its "
                "value read (6000) reaches -18877.1: give the factor a min above 0"}));
  EXPECT_EQ(check("chemical = 'each'\nfield = 'HENRY'\n"
                  "dist = { type = 'empirical', values = [-1, 0, 1] }\n")
                .problems,
            (std::vector<std::string>{
                "s.toml:5:1: vary[1].dist: HENRY must be >= 0, and this distribution draws down "
                "to -1: give it values >= 0"}));
  EXPECT_EQ(check("chemical = '*'\nfield = 'DAF'\nmode = 'factor'\n"
                  "dist = { type = 'uniform', min = -0.5, max = 2 }\n")
                .problems,
            (std::vector<std::string>{
                "s.toml:6:1: vary[1].dist: the DAF factor must be > 0, and this distribution "
                "draws down to -0.5: give it a min above 0"}));
  // A factor's bound is the domain's over the value read: LOGKOW 2.13 stays above -999 for
  // factors above -469.
  EXPECT_EQ(check("chemical = 1\nfield = 'LOGKOW'\nmode = 'factor'\n"
                  "dist = { type = 'uniform', min = -600, max = 1 }\n")
                .problems,
            (std::vector<std::string>{
                "s.toml:6:1: vary[1].dist: LOGKOW of 71-43-2 (1) must be > -999, and this factor "
                "times its value read (2.13) reaches -1278: give the factor a min above "
                "-469.0140845070423"}));
}

TEST(InputDomains, AFactorOverEveryChemicalLeavesTheMissingOnesAsReadAndSaysSoOnce) {
  const std::string henry =
      "chemical = '*'\nfield = 'HENRY'\nmode = 'factor'\n"
      "dist = { type = 'lognormal', gm = 1, gsd = 2 }\n";
  const Checked checked = check(henry);
  EXPECT_EQ(checked.problems, std::vector<std::string>{});
  EXPECT_EQ(checked.notes, (std::vector<std::string>{
                               "s.toml:2:1: vary[1]: HENRY of 7440-38-2 (2) and 7440-43-9 (3) is "
                               "missing as read (not >= 0): the factor leaves them as read"}));
  const Scenario s = parse_scenario("input = 'x'\n[[vary]]\n" + henry, "s.toml");
  const ResolvedScenario r = resolve_scenario(s, kChemicals, "b");
  const SamplingPlan plan = plan_from_scenario(r, kChemicals, ChemicalValues::read);
  const double factor = 3;
  WasteUnit u = unit();
  std::vector<Chemical> drawn = kChemicals;
  std::vector<double> daf(kChemicals.size(), 1.0);
  apply_values(plan, &factor, unit(), kChemicals, u, drawn, daf);
  EXPECT_EQ(drawn[0].HENRY, 5.55e-3 * 3);
  EXPECT_EQ(drawn[1].HENRY, -1);
  EXPECT_EQ(drawn[2].HENRY, -1);
  // A plan from the names alone (a part's) names every chemical the entry selects.
  EXPECT_EQ(plan_from_scenario(r, kChemicals).parameters[0].chemicals.size(), 3u);
}

TEST(InputDomains, AFactorOnOneChemicalThatIsMissingIsAnError) {
  EXPECT_EQ(check("chemical = '7440-38-2'\nfield = 'LOGKOW'\nmode = 'factor'\n"
                  "dist = { type = 'uniform', min = 0.5, max = 2 }\n")
                .problems,
            (std::vector<std::string>{
                "s.toml:3:1: vary[1].chemical: LOGKOW of 7440-38-2 (2) is missing as read (-1000, "
                "not > -999): a factor has nothing to multiply; vary its value (mode = \"value\") "
                "or leave it out"}));
}

}  // namespace
}  // namespace vorn::scenario
