// Scenario files: reading, resolving selectors against the chemicals, the canonical form.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "core/nearest_word.hpp"
#include "numerics/sha256.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario.hpp"
#include "scenario/scenario_json.hpp"
#include "scenario/scenario_overrides.hpp"
#include "scenario/scenario_reader.hpp"
#include "scenario/vary_target.hpp"

namespace vorn::scenario {
namespace {

constexpr const char* kExample = R"(input = "../landfill/VORN.IN"
realizations = 10000
seed = 20261208
sampling = "sobol"
percentiles = [5, 50, 90, 95, 99.5]
decision_percentile = 95
target_precision = 0.05

[[vary]]
field = "WU_WASTEVOL"
dist = { type = "triangular", min = 4000, mode = 6000, max = 9000 }

[[vary]]
chemical = "71-43-2"
field = "TCLPCONC"
dist = { type = "lognormal", gm = 0.012, gsd = 2.0, max = 0.5 }

[[vary]]
chemical = "*"
field = "DAF"
mode = "factor"
dist = { type = "lognormal", gm = 1.0, gsd = 1.5 }
)";

// As the reader leaves them: blank-padded to the column widths.
Chemical chemical(const std::string& name, const std::string& cas) {
  Chemical c;
  c.CHEMNAME = (" " + name).append(kNameWidth - name.size() - 1, ' ');
  c.CHEMCAS = (cas + "  ").append(kCasWidth - cas.size() - 2, ' ');
  return c;
}

std::vector<std::string> problems(const std::string& toml, const std::vector<Chemical>* chemicals) {
  try {
    const Scenario s = parse_scenario(toml, "s.toml");
    if (chemicals) resolve_scenario(s, *chemicals, "bytes");
  } catch (const ScenarioError& e) {
    return e.messages();
  }
  return {};
}

TEST(Scenario, TheExampleReadsWithItsValuesAndAnEmptyOneWithTheDefaults) {
  const auto dir = std::filesystem::temp_directory_path() / "vorn_scenario_test";
  std::filesystem::create_directories(dir / "runs");
  std::ofstream(dir / "runs" / "scenario.toml") << kExample;
  const Scenario s = read_scenario(dir / "runs" / "scenario.toml");
  EXPECT_EQ(s.input, (dir / "landfill" / "VORN.IN").lexically_normal());
  EXPECT_EQ(s.realizations, 10000u);
  EXPECT_EQ(s.seed, 20261208u);
  EXPECT_EQ(s.sampling, numerics::Sampling::sobol);
  EXPECT_EQ(s.percentiles, (std::vector<double>{5, 50, 90, 95, 99.5}));
  EXPECT_EQ(s.decision_percentile, 95);
  EXPECT_EQ(s.target_precision, 0.05);
  ASSERT_EQ(s.vary.size(), 3u);
  EXPECT_EQ(s.vary[0].field, "WU_WASTEVOL");
  EXPECT_EQ(s.vary[0].chemical.kind, ChemicalSelector::Kind::none);
  EXPECT_EQ(s.vary[0].family, numerics::Family::triangular);
  EXPECT_EQ(s.vary[0].parameters.mode, 6000);
  EXPECT_EQ(s.vary[1].chemical.kind, ChemicalSelector::Kind::text);
  EXPECT_EQ(s.vary[1].chemical.text, "71-43-2");
  EXPECT_EQ(s.vary[1].mode, VaryMode::value);
  EXPECT_EQ(s.vary[1].parameters.gsd, 2.0);
  EXPECT_EQ(s.vary[1].parameters.max, 0.5);
  EXPECT_FALSE(s.vary[1].parameters.min);
  EXPECT_EQ(s.vary[2].chemical.kind, ChemicalSelector::Kind::all);
  EXPECT_EQ(s.vary[2].mode, VaryMode::factor);
  std::filesystem::remove_all(dir);

  Scenario d = parse_scenario("input = 'a/VORN.IN'\nvary = []", "d.toml");
  EXPECT_EQ(d.input, "a/VORN.IN");
  EXPECT_EQ(d.realizations, 10000u);
  EXPECT_EQ(d.seed, 1u);
  EXPECT_EQ(d.sampling, numerics::Sampling::lhs);
  EXPECT_EQ(d.percentiles, (std::vector<double>{5, 50, 90, 95, 99}));
  EXPECT_EQ(d.decision_percentile, 90);
  EXPECT_FALSE(d.target_precision);
  EXPECT_TRUE(d.vary.empty());

  apply_overrides(d, {.realizations = 20, .seed = 7});
  EXPECT_EQ(d.realizations, 20u);
  EXPECT_EQ(d.seed, 7u);
  EXPECT_THROW(apply_overrides(d, {.realizations = 0}), ScenarioError);
  EXPECT_EQ(d.realizations, 20u);
}

TEST(Scenario, EveryProblemIsListedWithItsPositionAndKey) {
  const std::string toml = R"(realizations = 0
sampling = "stratified"
percentiles = [5, 100]
[[vary]]
field = "TCLPCON"
chemical = 1
dist = { type = "lognormal", gm = 0.01, gsd = 0.5 }
[[vary]]
field = "WU_WASTEVOL"
chemical = "*"
colour = "red"
dist = { type = "normal", mean = 1, sd = 1, shape = 2 }
[[vary]]
chemical = "each"
field = "DAF"
dist = { type = "triangular", min = 5, mode = 1, max = 3 }
[[vary]]
field = "ORGANIC"
chemical = 2
dist = { type = "poisson", value = 1 }
)";
  const std::string fields = " (the fields that can vary: " + word_list(varied_fields()) + ")";
  const std::vector<std::string> expected = {
      "s.toml:1:1: realizations: must be at least 1",
      "s.toml:1:1: input: missing: name the VORN.IN to run",
      "s.toml:2:1: sampling: must be \"random\", \"lhs\" or \"sobol\"",
      "s.toml:3:1: percentiles: 100 is not inside (0, 100)",
      "s.toml:5:1: vary[1].field: unknown field \"TCLPCON\": did you mean TCLPCONC?" + fields,
      "s.toml:7:41: vary[1].dist.gsd: gsd (0.5) must be greater than 1",
      "s.toml:10:1: vary[2].chemical: WU_WASTEVOL is a unit input: it takes no chemical",
      "s.toml:11:1: vary[2].colour: unknown key \"colour\" (a [[vary]] takes: field, chemical, "
      "dist, mode or kind)",
      "s.toml:12:45: vary[2].dist.shape: not a parameter of normal (normal takes: mean, sd, min "
      "or max)",
      "s.toml:13:1: vary[3].mode: missing: DAF takes mode = \"factor\"",
      "s.toml:16:31: vary[3].dist.min: min (5) is greater than max (3)",
      "s.toml:16:40: vary[3].dist.mode: mode (1) is outside [min, max] = [5, 3]",
      "s.toml:18:1: vary[4].field: unknown field \"ORGANIC\"" + fields,
      "s.toml:20:10: vary[4].dist.type: unknown type \"poisson\" (the families: constant, uniform, "
      "loguniform, triangular, pert, normal, lognormal, beta, gamma, weibull or empirical)",
  };
  EXPECT_EQ(problems(toml, nullptr), expected);

  const auto syntax = problems("input = 'x'\nseed = = 3\n", nullptr);
  ASSERT_EQ(syntax.size(), 1u);
  EXPECT_EQ(syntax[0].rfind("s.toml:2:8: ", 0), 0u) << syntax[0];
}

TEST(Scenario, SelectorsNameChemicalsByIndexCasOrNameAndNumberTheDraws) {
  const std::vector<Chemical> chemicals = {
      chemical("Benzene", "71-43-2"), chemical("Toluene", "108-88-3"),
      chemical("Xylene", "1330-20-7"), chemical("Toluene", "108-88-3")};
  const std::string head = "input = 'x'\n";
  auto entry = [](const std::string& chemical, const std::string& field) {
    return "[[vary]]\nchemical = " + chemical + "\nfield = '" + field + "'\n" +
           (field == "DAF" ? "mode = 'factor'\n" : "") +
           "dist = { type = 'uniform', min = 1, max = 2 }\n";
  };
  const Scenario s = parse_scenario(head + entry("3", "TOTC") + entry("' 71-43-2 '", "MCL") +
                                        entry("'Xylene'", "CSFO") + entry("'*'", "DAF") +
                                        entry("'each'", "TCLPCONC") + entry("'each'", "DAF"),
                                    "s.toml");
  const ResolvedScenario r = resolve_scenario(s, chemicals, "bytes");
  ASSERT_EQ(r.vary.size(), 6u);
  EXPECT_EQ(r.vary[0].selector, SelectorKind::index);
  EXPECT_EQ(r.vary[0].chemical, 2u);
  EXPECT_EQ(r.vary[1].chemical, 0u);
  EXPECT_EQ(r.vary[2].chemical, 2u);
  EXPECT_EQ(r.vary[3].selector, SelectorKind::all);
  EXPECT_EQ(r.vary[4].selector, SelectorKind::each);
  EXPECT_FALSE(r.vary[4].keyed_by_cas);
  EXPECT_TRUE(r.vary[5].keyed_by_cas);

  // One number per entry, a block per "each": 0 1 2 3 | 4..7 | 8..11.
  EXPECT_EQ(r.parameter_count(), 12u);
  EXPECT_EQ(r.parameter(r.vary[3], 3), 3u);
  EXPECT_EQ(r.parameter(r.vary[4], 3), 7u);
  EXPECT_EQ(r.parameter(r.vary[5], 2), 10u);
  EXPECT_EQ(r.parameter(r.vary[5], 3), 9u);  // shares toluene's draw with chemical 2

  const std::vector<std::string> expected = {
      "s.toml:8:1: vary[2].field: vary[1] already replaces TOTC of chemical 1",
      "s.toml:11:1: vary[3].chemical: \"Toluene\" matches chemicals 2 and 4",
      "s.toml:15:1: vary[4].chemical: chemical 9 is outside 1..4",
      "s.toml:19:1: vary[5].chemical: no chemical has the CAS number or name \"lead\" (the "
      "chemicals: \"Benzene\", \"Toluene\", \"Xylene\" and \"Toluene\")",
      "s.toml:23:1: vary[6].chemical: \"108-88-3\" matches chemicals 2 and 4",
      "s.toml:29:1: vary[7].field: vary[1] already replaces TOTC",
  };
  EXPECT_EQ(problems(head + entry("'Benzene'", "TOTC") + entry("1", "TOTC") +
                         entry("'Toluene'", "TOTC") + entry("9", "TOTC") + entry("'lead'", "TOTC") +
                         entry("'108-88-3'", "DAF") + entry("'*'", "TOTC"),
                     &chemicals),
            expected);
}

TEST(Scenario, TheCanonicalFormRoundTripsAndDecidesEquality) {
  const std::vector<Chemical> chemicals = {chemical("Benzene", "71-43-2")};
  const std::string extra = R"(
[[vary]]
field = "WU_HQFACT"
dist = { type = "pert", min = 0, mode = 1, max = 3 }
[[vary]]
field = "LOGKOW"
chemical = "each"
dist = { type = "empirical", cdf = [[1, 0], [2, 0.25], [4, 1]] }
)";
  const Scenario s = parse_scenario(std::string(kExample) + extra, "s.toml");
  const ResolvedScenario r = resolve_scenario(s, chemicals, "VORN.IN bytes");
  const std::string json = to_json(r);
  const ResolvedScenario back = from_json(json);
  EXPECT_EQ(to_json(back), json);
  EXPECT_TRUE(back == r);
  EXPECT_EQ(back.parameter_count(), 5u);

  const auto j = nlohmann::json::parse(json);
  EXPECT_FALSE(j.contains("input"));
  EXPECT_EQ(j["input_sha256"], numerics::sha256_hex("VORN.IN bytes"));
  EXPECT_EQ(j["vary"][1]["chemical"], nlohmann::json::parse(R"({"kind":"index","index":1})"));
  EXPECT_EQ(j["vary"][2]["chemical"]["kind"], "all");
  EXPECT_EQ(j["vary"][3]["dist"]["lambda"], 4.0);

  // A default written out is the same scenario; another seed or input is not.
  std::string with_lambda = std::string(kExample) + extra;
  with_lambda.replace(with_lambda.find("max = 3 }"), 9, "max = 3, lambda = 4 }");
  EXPECT_TRUE(resolve_scenario(parse_scenario(with_lambda, "t.toml"), chemicals, "VORN.IN bytes") ==
              r);
  EXPECT_FALSE(resolve_scenario(s, chemicals, "other bytes") == r);
  Scenario reseeded = s;
  apply_overrides(reseeded, {.seed = 2});
  EXPECT_FALSE(resolve_scenario(reseeded, chemicals, "VORN.IN bytes") == r);

  EXPECT_THROW(from_json("{}"), ScenarioError);
  std::string bad_type = json;
  bad_type.replace(bad_type.find("\"pert\""), 6, "\"perty\"");
  EXPECT_THROW(from_json(bad_type), ScenarioError);
}

TEST(Sha256, StandardVectors) {
  EXPECT_EQ(numerics::sha256_hex(""),
            "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(numerics::sha256_hex("abc"),
            "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  // 56 bytes: the length no longer fits the first padded block.
  EXPECT_EQ(numerics::sha256_hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(numerics::sha256_hex(std::string(1000000, 'a')),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

}  // namespace
}  // namespace vorn::scenario
