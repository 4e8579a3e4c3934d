// vorn mc on the shipped scenario: the same JSON whatever the number of threads, and a
// scenario's problems reported with their place.
#include <gtest/gtest.h>

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
