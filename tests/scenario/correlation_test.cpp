// [[correlate]] entries: read, bound to [[vary]] draws, checked, and carried in the
// resolved scenario and the sampling plan.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/nearest_word.hpp"
#include "scenario/plan_from_scenario.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario.hpp"
#include "scenario/scenario_json.hpp"
#include "scenario/scenario_reader.hpp"
#include "scenario/vary_target.hpp"

namespace vorn::scenario {
namespace {

Chemical chemical(const std::string& name, const std::string& cas) {
  Chemical c;
  c.CHEMNAME = (" " + name).append(kNameWidth - name.size() - 1, ' ');
  c.CHEMCAS = (cas + "  ").append(kCasWidth - cas.size() - 2, ' ');
  return c;
}

const std::vector<Chemical> kChemicals = {chemical("Benzene", "71-43-2"),
                                          chemical("Toluene", "108-88-3")};

// Lines 1-17.
constexpr const char* kVaried = R"(input = 'x'
sampling = 'lhs'
[[vary]]
chemical = '71-43-2'
field = 'HENRY'
dist = { type = 'uniform', min = 0.5, max = 2 }
[[vary]]
chemical = 'Benzene'
field = 'DIFFA'
dist = { type = 'uniform', min = 0.05, max = 0.1 }
[[vary]]
chemical = 'each'
field = 'TCLPCONC'
dist = { type = 'lognormal', gm = 0.01, gsd = 2 }
[[vary]]
field = 'WU_WASTEVOL'
dist = { type = 'constant', value = 5000 }
)";

std::string pair(const std::string& a, const std::string& b, double rho) {
  return "[[correlate]]\na = { " + a + " }\nb = { " + b + " }\nspearman = " + std::to_string(rho) +
         "\n";
}

std::vector<std::string> problems(const std::string& toml) {
  try {
    resolve_scenario(parse_scenario(toml, "s.toml"), kChemicals, "bytes");
  } catch (const ScenarioError& e) {
    return e.messages();
  }
  return {};
}

TEST(Correlation, WhatTheReaderRefusesIsListedWithPositionsAndKeys) {
  const std::string toml = std::string(kVaried) + R"([[correlate]]
a = { chemical = 1, field = 'HENRI' }
b = 'DIFFA'
spearman = 1.5
weight = 2
[[correlate]]
a = { field = 'WU_WASTEVOL', chemical = 1 }
)";
  const std::string fields = " (the fields that can vary: " + word_list(varied_fields()) + ")";
  const std::vector<std::string> expected = {
      "s.toml:19:21: correlate[1].a.field: unknown field \"HENRI\": did you mean HENRY?" + fields,
      "s.toml:20:1: correlate[1].b: must name a varied input, such as { chemical = "
      "\"71-43-2\", field = \"HENRY\" }",
      "s.toml:21:1: correlate[1].spearman: 1.5 is outside [-1, 1]",
      "s.toml:22:1: correlate[1].weight: unknown key \"weight\" (a [[correlate]] takes: a, b or "
      "spearman)",
      "s.toml:23:1: correlate[2].b: missing: name the second input",
      "s.toml:23:1: correlate[2].spearman: missing: the rank correlation",
      "s.toml:24:30: correlate[2].a.chemical: WU_WASTEVOL is a unit input: it takes no chemical",
  };
  EXPECT_EQ(problems(toml), expected);
}

TEST(Correlation, EveryEndNamesOneVariedDraw) {
  const std::string toml =
      std::string(kVaried) + pair("chemical = 1, field = 'HENRY'", "field = 'WU_ACTLIFE'", 0.5) +
      pair("chemical = 'lead', field = 'HENRY'", "chemical = 1, field = 'DIFFA'", 0.5) +
      pair("chemical = 2, field = 'HENRY'", "chemical = '*', field = 'DAF'", 0.5);
  const std::vector<std::string> expected = {
      "s.toml:20:1: correlate[1].b: no [[vary]] entry varies WU_ACTLIFE",
      "s.toml:23:7: correlate[2].a.chemical: no chemical has the CAS number or name \"lead\" (the "
      "chemicals: \"Benzene\" and \"Toluene\")",
      "s.toml:27:1: correlate[3].a: no [[vary]] entry varies HENRY of chemical 2",
      "s.toml:28:1: correlate[3].b: no [[vary]] entry varies DAF of every chemical (\"*\")",
  };
  EXPECT_EQ(problems(toml), expected);
}

TEST(Correlation, ConstantsRepeatsAndImpossibleMatricesAreRefusedByName) {
  const std::string henry = "chemical = '71-43-2', field = 'HENRY'";
  const std::string diffa = "chemical = 1, field = 'DIFFA'";
  const std::string tclp1 = "chemical = 'Benzene', field = 'TCLPCONC'";
  const std::string toml =
      std::string(kVaried) + pair(henry, diffa, 0.9) + pair(henry, tclp1, 0.9) +
      pair(diffa, tclp1, -0.9) + pair(diffa, henry, 0.2) +
      pair("field = 'WU_WASTEVOL'", "chemical = 2, field = 'TCLPCONC'", 0.3) +
      pair("chemical = 2, field = 'TCLPCONC'", "chemical = '108-88-3', field = 'TCLPCONC'", 0.3);
  const std::vector<std::string> expected = {
      "s.toml:18:1: correlate[1]: the correlations of correlate[1], correlate[2] and "
      "correlate[3] together are not positive definite: no joint distribution has them",
      "s.toml:30:1: correlate[4]: correlate[1] already correlates these draws",
      "s.toml:35:1: correlate[5].a: vary[4] is a constant: only a varied input can be correlated",
      "s.toml:38:1: correlate[6]: a and b name the same draw",
  };
  EXPECT_EQ(problems(toml), expected);
}

// Rank correlations 0.9, 0.9 and 0.63 form a positive definite matrix, but the normals'
// 2 sin(pi rho / 6) do not (0.63 needs 0.6489 or more there): the error says the copula, not
// every joint distribution, cannot have them.
TEST(Correlation, RanksTheCopulaCannotDrawAreNotCalledImpossible) {
  const std::string henry = "chemical = '71-43-2', field = 'HENRY'";
  const std::string diffa = "chemical = 1, field = 'DIFFA'";
  const std::string tclp1 = "chemical = 'Benzene', field = 'TCLPCONC'";
  const auto message = [&](double last) {
    const auto found = problems(std::string(kVaried) + pair(henry, diffa, 0.9) +
                                pair(henry, tclp1, 0.9) + pair(diffa, tclp1, last));
    return found.empty() ? std::string() : found.front();
  };
  EXPECT_EQ(message(0.63),
            "s.toml:18:1: correlate[1]: the correlations of correlate[1], correlate[2] and "
            "correlate[3] together are beyond the Gaussian copula: the normals' correlations "
            "2 sin(pi rho / 6) it needs for them are not positive definite, though the rank "
            "correlations are; move them a little apart");
  EXPECT_NE(message(0.61).find("no joint distribution has them"), std::string::npos);
  EXPECT_EQ(message(0.66), "");
}

// An "each" end pairs every chemical's draw with the other end; the correlated entries
// say in the canonical form that they lost their strata, and the plan's copula covers
// exactly their streams.
TEST(Correlation, TheResolvedFormCarriesThePairsAndTheLostStrata) {
  const std::string toml = std::string(kVaried) + pair("chemical = 'each', field = 'TCLPCONC'",
                                                       "chemical = 1, field = 'HENRY'", -0.4);
  const ResolvedScenario r = resolve_scenario(parse_scenario(toml, "s.toml"), kChemicals, "b");
  ASSERT_EQ(r.correlate.size(), 1u);
  const auto streams = r.stream_correlations();  // HENRY 0, DIFFA 1, TCLPCONC 2 and 3
  ASSERT_EQ(streams.size(), 2u);
  EXPECT_EQ(std::pair(streams[0].a, streams[0].b), std::pair(2u, 0u));
  EXPECT_EQ(std::pair(streams[1].a, streams[1].b), std::pair(3u, 0u));

  const std::string json = to_json(r);
  const auto j = nlohmann::json::parse(json);
  EXPECT_EQ(j["correlate"],
            nlohmann::json::parse(R"([{"a":{"vary":3},"b":{"vary":1},"spearman":-0.4}])"));
  EXPECT_EQ(j["vary"][0]["stratified"], false);
  EXPECT_FALSE(j["vary"][1].contains("stratified"));
  EXPECT_EQ(j["vary"][2]["stratified"], false);
  EXPECT_EQ(to_json(from_json(json)), json);

  const SamplingPlan plan = plan_from_scenario(r, kChemicals);
  std::vector<bool> correlated;
  for (const PlanParameter& p : plan.parameters) correlated.push_back(p.correlated);
  EXPECT_EQ(correlated, (std::vector<bool>{true, false, true, true, false}));

  // Both chemicals' draws at Pearson rho from one HENRY draw: positive definite while
  // 2 rho^2 < 1, so at Spearman -0.6 (rho = -0.618) but not at -0.8 (rho = -0.813).
  std::string changed = json;
  changed.replace(changed.find("-0.4"), 4, "-0.6");
  EXPECT_NO_THROW(from_json(changed));
  changed.replace(changed.find("-0.6"), 4, "-0.8");
  EXPECT_THROW(from_json(changed), ScenarioError);
}

TEST(Correlation, AnUncertainInputCannotFollowAVariableOneInANestedRun) {
  // Lines 1-10, then the pair at 11-14.
  const std::string nested = R"(input = 'x'
outer = 10
inner = 100
[[vary]]
field = 'WU_WASTEVOL'
dist = { type = 'uniform', min = 4000, max = 9000 }
[[vary]]
field = 'WU_ACTLIFE'
kind = 'uncertainty'
dist = { type = 'uniform', min = 15, max = 25 }
)";
  EXPECT_EQ(problems(nested + pair("field = 'WU_ACTLIFE'", "field = 'WU_WASTEVOL'", 0.8)),
            (std::vector<std::string>{
                "s.toml:11:1: correlate[1]: vary[2] is an uncertainty input and vary[1] a "
                "variability input: an uncertain input has one true value per outer draw, which "
                "no draw of the other can follow; correlate inputs of one kind"}));
  // A part's scenario is held to the same rule.
  ResolvedScenario r = resolve_scenario(parse_scenario(nested, "s.toml"), kChemicals, "b");
  r.correlate.push_back({{0}, {1}, 0.8});
  EXPECT_THROW(from_json(to_json(r)), ScenarioError);
}

}  // namespace
}  // namespace vorn::scenario
