// vorn mc on the shipped scenario: the same JSON whatever the number of threads, the
// verdict on standard output when no output is asked for, and a scenario's problems
// reported with their place.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

const std::filesystem::path kScenario = shipped_scenario();

TEST(McCommand, ThreadsDoNotChangeABitOfTheResults) {
  ScratchDir dir;
  std::string json[3];
  const char* threads[] = {"1", "2", "8"};
  for (int k = 0; k < 3; ++k) {
    const auto out = dir / ("mc" + std::to_string(k) + ".json");
    const ProcessResult r = run_process({VORN_CLI, "mc", kScenario.string(), "--realizations",
                                         "300", "--threads", threads[k], "--json", out.string()},
                                        dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    json[k] = read_text(out);
  }
  EXPECT_EQ(json[0], json[1]);
  EXPECT_EQ(json[0], json[2]);
  EXPECT_NE(json[0].find("\"realizations\": 300"), std::string::npos);
}

// With no output option the run prints, per chemical in input order, the verdict its JSON
// gives, and writes no file; the 100 realizations leave some verdict undetermined.
TEST(McCommand, WithoutAnOutputOptionItPrintsEachChemicalsVerdict) {
  ScratchDir dir;
  const std::vector<std::string> run = {VORN_CLI, "mc", kScenario.string(), "--realizations",
                                        "100"};
  const ProcessResult shown = run_process(run, dir.path());
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  std::vector<std::string> with_json = run;
  with_json.insert(with_json.end(), {"--json", (dir / "mc.json").string()});
  ASSERT_EQ(run_process(with_json, dir.path()).status, 0);
  const auto doc = nlohmann::json::parse(read_text(dir / "mc.json"));
  const auto lines = lines_of(shown.out);
  ASSERT_EQ(lines.size(), doc["chemicals"].size() + 2) << shown.out;
  EXPECT_EQ(lines[0].rfind("Verdict at decision percentile 90, 100 realizations", 0), 0u);
  std::size_t undetermined = 0;
  for (std::size_t i = 0; i < doc["chemicals"].size(); ++i) {
    const auto& c = doc["chemicals"][i];
    const std::string& line = lines[i + 2];
    const std::string verdict = c["decision"]["verdict"];
    EXPECT_EQ(
        line.rfind(c["CHEMNAME"].get<std::string>() + " (" + c["CHEMCAS"].get<std::string>() + ")",
                   0),
        0u)
        << line;
    const std::string shown_verdict = line.substr(line.rfind("  ") + 2);
    if (verdict == "undetermined") {
      ++undetermined;
      EXPECT_EQ(shown_verdict.rfind("undetermined: about ", 0), 0u) << line;
    } else {
      EXPECT_EQ(shown_verdict, verdict) << line;
    }
    EXPECT_NE(line.find(" to "), std::string::npos) << line;  // the interval
  }
  EXPECT_GE(undetermined, 1u);
  // The percentiles' order-statistic intervals are exact for independent draws only; this
  // run's LHS strata make them conservative, and the document says so.
  EXPECT_NE(doc["percentile_interval_method"].get<std::string>().find(
                "conservative (wider than the percentiles' spread) under the stratified lhs"),
            std::string::npos);
  EXPECT_EQ(doc["chemicals"][0]["decision"]["interval_method"], "Wilson score, 95 %");

  // A nested run has no such table: it says where its results would go.
  const ProcessResult nested =
      run_process({VORN_CLI, "mc", (kScenario.parent_path() / "nested.toml").string(), "--outer",
                   "3", "--inner", "10"},
                  dir.path());
  EXPECT_EQ(nested.status, 0) << nested.err;
  EXPECT_EQ(nested.out, "");
  EXPECT_NE(nested.err.find("no output option was given"), std::string::npos) << nested.err;
}

TEST(McCommand, ScenarioProblemsAreListedWithTheirPlaceAndStatusThree) {
  ScratchDir dir;
  write_text(
      dir / "bad.toml",
      "input = \"" + (kScenario.parent_path().parent_path() / "landfill" / "VORN.IN").string() +
          "\"\n[[vary]]\nfield = \"WU_WASTEVOL\"\ndist = { type = \"normal\", mean = 1, sd = -2 }\n"
          "[[vary]]\nfield = \"NOSUCH\"\ndist = { type = \"constant\", value = 1 }\n");
  const ProcessResult r = run_process({VORN_CLI, "mc", (dir / "bad.toml").string()}, dir.path());
  EXPECT_EQ(r.status, 3);
  const auto lines = lines_of(r.err);
  ASSERT_EQ(lines.size(), 2u) << r.err;
  EXPECT_NE(lines[0].find("bad.toml:4:"), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find("NOSUCH"), std::string::npos) << lines[1];
}

}  // namespace
}  // namespace vorn::test
