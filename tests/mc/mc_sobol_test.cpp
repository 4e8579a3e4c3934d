// vorn mc --sobol on the shipped scenario. Jansen's total index sums (f(A) - f(A_B^i))^2, so an
// input that cannot reach an output has ST exactly 0: benzene's Henry's constant reaches no
// other chemical, and a landfill's surface ratio (TOTC / SF_MAX) depends on the waste volume
// alone. The design and its bootstrap are pure functions of the seed: threads change no byte.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

const std::filesystem::path kExamples =
    std::filesystem::path(VORN_TEST_DATA).parent_path().parent_path() / "examples";

ProcessResult sobol(const ScratchDir& dir, const std::filesystem::path& scenario,
                    std::vector<std::string> args) {
  args.insert(args.begin(),
              {VORN_CLI, "mc", scenario.string(), "--sobol", "--base-samples", "256"});
  return run_process(args, dir.path());
}

TEST(McSobol, InputsThatCannotReachAnOutputHaveNoTotalIndexAndThreadsChangeNothing) {
  ScratchDir dir;
  const auto scenario = kExamples / "montecarlo" / "scenario.toml";
  const ProcessResult one = sobol(dir, scenario, {"--threads", "1", "--json", "one.json"});
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_NE(one.err.find("1536 evaluations (256 base rows x 6 blocks)"), std::string::npos)
      << one.err;  // 4 [[vary]] entries: M (4 + 2)
  ASSERT_EQ(sobol(dir, scenario, {"--threads", "2", "--json", "two.json"}).status, 0);
  EXPECT_EQ(read_text(dir / "one.json"), read_text(dir / "two.json"));

  const auto doc = nlohmann::json::parse(read_text(dir / "one.json"));
  EXPECT_EQ(doc["evaluations"], 1536);
  int surface_limited = 0;
  for (const auto& c : doc["chemicals"]) {
    ASSERT_EQ(c["inputs"].size(), 4u);
    ASSERT_EQ(c["inputs"][3]["input"], "HENRY of 71-43-2");
    if (c["CHEMCAS"] != "71-43-2") {
      EXPECT_EQ(c["inputs"][3]["ST"], 0.0) << c["CHEMCAS"];
    }
    if (c["CHEMCAS"] == "50-32-8" || c["CHEMCAS"] == "22967-92-6") {
      ++surface_limited;
      for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(c["inputs"][i]["ST"], 0.0) << c["CHEMCAS"] << i;
      }
      EXPECT_NEAR(c["inputs"][0]["S1"].get<double>(), 1.0, 0.05) << c["CHEMCAS"];
    } else {
      EXPECT_GT(c["inputs"][1]["ST"].get<double>(), 0.3) << c["CHEMCAS"];  // own TCLPCONC
    }
  }
  EXPECT_EQ(surface_limited, 2);
}

TEST(McSobol, CorrelatedInputsAreRefusedBeforeAnyEvaluation) {
  ScratchDir dir;
  std::ifstream in(kExamples / "montecarlo" / "scenario.toml");
  std::string toml((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto input = (kExamples / "landfill" / "VORN.IN").string();
  toml.replace(toml.find("../landfill/VORN.IN"), 19, input);
  toml +=
      "[[correlate]]\na = { field = 'WU_WASTEVOL' }\nb = { chemical = '*', field = 'DAF' }\n"
      "spearman = 0.5\n";
  write_text(dir / "c.toml", toml);
  const ProcessResult r = sobol(dir, dir / "c.toml", {"--json", "c.json"});
  EXPECT_EQ(r.status, 64);
  EXPECT_NE(r.err.find("Sobol indices assume independent ones"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("evaluations"), std::string::npos) << r.err;
  const ProcessResult odd =
      run_process({VORN_CLI, "mc", (kExamples / "montecarlo" / "scenario.toml").string(), "--sobol",
                   "--base-samples", "300"},
                  dir.path());
  EXPECT_EQ(odd.status, 64);
  EXPECT_NE(odd.err.find("--base-samples 300: give a power of two"), std::string::npos) << odd.err;
}

}  // namespace
}  // namespace vorn::test
