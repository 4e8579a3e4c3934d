// The words of a scenario file: what a mistyped one is taken for, a percentile written as a
// fraction, and the reference that lists them against the reader and the README.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/nearest_word.hpp"
#include "numerics/distribution_keys.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_error.hpp"
#include "scenario/scenario_reader.hpp"
#include "scenario/scenario_words.hpp"
#include "scenario/vary_target.hpp"
#include "support/test_support.hpp"

namespace vorn::scenario {
namespace {

std::vector<std::string> problems(const std::string& toml,
                                  const std::vector<Chemical>& chemicals = {}) {
  try {
    const Scenario s = parse_scenario(toml, "s.toml");
    if (!chemicals.empty()) resolve_scenario(s, chemicals, "bytes");
  } catch (const ScenarioError& e) {
    return e.messages();
  }
  return {};
}

Chemical chemical(const std::string& name, const std::string& cas) {
  Chemical c;
  c.CHEMNAME = name + std::string(kNameWidth - name.size(), ' ');
  c.CHEMCAS = cas + std::string(kCasWidth - cas.size(), ' ');
  return c;
}

TEST(NearestWord, CaseThenPrefixThenEditDistanceAndNothingFarAway) {
  EXPECT_EQ(edit_distance("kitten", "sitting"), 3u);
  EXPECT_EQ(edit_distance("", "abc"), 3u);
  EXPECT_EQ(edit_distance("Benzene", "benzene"), 0u);
  const std::vector<std::string> fields = {"TOTC", "TCLPCONC", "TCLPFLAG", "HENRY"};
  // TOTC is nearer by edits (3) than TCLPCONC (4): the prefix wins.
  EXPECT_EQ(nearest_word("TCLP", fields), "TCLPCONC");
  EXPECT_EQ(nearest_word("tclpconc", fields), "TCLPCONC");
  EXPECT_EQ(nearest_word("HENRI", fields), "HENRY");
  EXPECT_EQ(nearest_word("MW", fields), std::nullopt);
  EXPECT_EQ(nearest_word("", fields), std::nullopt);
  EXPECT_EQ(word_list({"a", "b", "c"}), "a, b or c");
  EXPECT_EQ(word_list({"a"}), "a");
}

TEST(ScenarioWords, AMistypedWordListsTheAcceptedOnesAndSuggestsTheNearest) {
  const std::string toml = R"(input = "x"
seedd = 3
[[vary]]
chemical = "benzene"
field = "TCLP"
dist = { type = "normal", mean = 1, sigma = 0.2 }
[[vary]]
chemical = 1
field = "TOTC"
dist = { type = "lognormall", gm = 1, gsd = 2 }
[[vary]]
chemical = 1
field = "MCL"
dist = { type = "lognormal" }
[[vary]]
chemical = 1
field = "CSFO"
colour = 1
dist = { type = "uniform", min = 1, max = 2, mode = 1.5 }
)";
  const std::string fields = "(the fields that can vary: " + word_list(varied_fields()) + ")";
  const std::vector<std::string> expected = {
      "s.toml:2:1: seedd: unknown key \"seedd\": did you mean seed? (the keys: input, "
      "realizations, outer, inner, seed, sampling, percentiles, decision_percentile, "
      "target_precision, vary or correlate)",
      "s.toml:5:1: vary[1].field: unknown field \"TCLP\": did you mean TCLPCONC? " + fields,
      "s.toml:6:37: vary[1].dist.sigma: unknown key \"sigma\": did you mean sd? (normal takes: "
      "mean, sd, min or max)",
      "s.toml:10:10: vary[2].dist.type: unknown type \"lognormall\": did you mean lognormal? (the "
      "families: constant, uniform, loguniform, triangular, pert, normal, lognormal, beta, "
      "gamma, weibull or empirical)",
      "s.toml:14:8: vary[3].dist.gm: missing gm and gsd (or mean and sd)",
      "s.toml:18:1: vary[4].colour: unknown key \"colour\" (a [[vary]] takes: field, chemical, "
      "dist, mode or kind)",
      "s.toml:19:46: vary[4].dist.mode: not a parameter of uniform (uniform takes: min or max)",
  };
  EXPECT_EQ(problems(toml), expected);

  // A chemical no line names: the nearest name or CAS number, and the names.
  const std::vector<Chemical> chemicals = {chemical("Benzene", "71-43-2"),
                                           chemical("Arsenic, inorganic", "7440-38-2")};
  const std::string one =
      "input = 'x'\n[[vary]]\nfield = 'TOTC'\ndist = { type = 'uniform', "
      "min = 1, max = 2 }\nchemical = ";
  EXPECT_EQ(problems(one + "'benzene'\n", chemicals),
            std::vector<std::string>{"s.toml:5:1: vary[1].chemical: no chemical has the CAS "
                                     "number or name \"benzene\": did you mean \"Benzene\"? (the "
                                     "chemicals: \"Benzene\" and \"Arsenic, inorganic\")"});
  EXPECT_EQ(problems(one + "'7440-38'\n", chemicals).front(),
            "s.toml:5:1: vary[1].chemical: no chemical has the CAS number or name \"7440-38\": "
            "did you mean \"7440-38-2\"? (the chemicals: \"Benzene\" and \"Arsenic, inorganic\")");
}

TEST(ScenarioWords, APercentileWrittenAsAFractionIsAnErrorToDecideByAndAWarningToList) {
  EXPECT_EQ(problems("input = 'x'\ndecision_percentile = 0.95\n"),
            std::vector<std::string>{"s.toml:2:1: decision_percentile: 0.95 reads as a fraction: "
                                     "a percentile is in percent: did you mean 95?"});
  EXPECT_EQ(problems("input = 'x'\ndecision_percentile = 0.07\n").front(),
            "s.toml:2:1: decision_percentile: 0.07 reads as a fraction: a percentile is in "
            "percent: did you mean 7?");
  const Scenario s = parse_scenario("input = 'x'\npercentiles = [0.5, 50, 1]\n", "s.toml");
  EXPECT_EQ(s.percentiles, (std::vector<double>{0.5, 50, 1}));
  EXPECT_EQ(s.warnings, std::vector<std::string>{"s.toml:2:1: percentiles: 0.5 reads as a "
                                                 "fraction: a percentile is in percent: did you "
                                                 "mean 50?"});
  EXPECT_TRUE(parse_scenario("input = 'x'\ndecision_percentile = 1\n", "s.toml").warnings.empty());
}

TEST(ScenarioWords, EveryListedWordIsOneTheReaderTakesAndTheReadmeListsThemAll) {
  // Each listed top-level key and [[vary]] key is read, not refused as unknown.
  for (const std::string& key : top_level_keys()) {
    if (key == "input") continue;  // given first
    for (const std::string& p : problems("input = 'x'\n" + key + " = 'q'\n"))
      EXPECT_EQ(p.find("unknown key"), std::string::npos) << key << ": " << p;
  }
  for (const std::string& key : vary_keys()) {
    for (const std::string& p : problems("input = 'x'\n[[vary]]\n" + key + " = 'q'\n"))
      EXPECT_EQ(p.find("unknown key"), std::string::npos) << key << ": " << p;
  }
  const std::vector<std::string> fields = varied_fields();
  for (const std::string& field : fields) EXPECT_TRUE(vary_target(field)) << field;
  EXPECT_EQ(std::count(fields.begin(), fields.end(), "TCLPCONC"), 1);
  EXPECT_EQ(std::count(fields.begin(), fields.end(), "ORGANIC"), 0);
  for (const std::string& family : family_names()) {
    const auto f = numerics::family_named(family);
    ASSERT_TRUE(f) << family;
    for (const std::string& p : family_parameters(*f))
      EXPECT_TRUE(numerics::family_takes(*f, p)) << family << " " << p;
  }
  EXPECT_EQ(family_parameters(numerics::Family::pert),
            (std::vector<std::string>{"min", "mode", "max", "lambda"}));

  // The README's reference is the one the program prints.
  const std::string readme = test::read_text(test::data_dir() / ".." / ".." / "README.md");
  EXPECT_NE(readme.find("```\n" + scenario_reference("") + "```\n"), std::string::npos)
      << "README.md should hold, in a code block:\n"
      << scenario_reference("");
}

}  // namespace
}  // namespace vorn::scenario
