// How many draws a run may take: at most 2^32 - 1 realizations, outer or inner draws, in a
// scenario file, on the command line and in a part's scenario.
#include <gtest/gtest.h>

#include <string>

#include "scenario/scenario.hpp"
#include "scenario/scenario_error.hpp"
#include "scenario/scenario_json.hpp"
#include "scenario/scenario_overrides.hpp"
#include "scenario/scenario_reader.hpp"

namespace vorn::scenario {
namespace {

constexpr const char* kVary = R"(
[[vary]]
field = "WU_WASTEVOL"
dist = { type = "uniform", min = 1, max = 2 }
)";

constexpr const char* kUncertain = R"(
[[vary]]
field = "WU_WASTEVOL"
kind = "uncertainty"
dist = { type = "uniform", min = 1, max = 2 }
)";

std::string refusal(const std::string& toml) {
  try {
    parse_scenario(toml, "s.toml", true);
  } catch (const ScenarioError& e) {
    return e.what();
  }
  return "";
}

TEST(RunSize, TheFileTakesUpTo2To32Minus1RealizationsOuterAndInnerDraws) {
  EXPECT_EQ(refusal("realizations = 4294967295\n" + std::string(kVary)), "");
  EXPECT_EQ(refusal("realizations = 4294967296\n" + std::string(kVary)),
            "s.toml:1:1: realizations: 4294967296 is more than the limit, 4294967295 (2^32 - 1)");
  EXPECT_EQ(refusal("realizations = 1000000000000000000\n" + std::string(kVary)),
            "s.toml:1:1: realizations: 1000000000000000000 is more than the limit, "
            "4294967295 (2^32 - 1)");
  EXPECT_EQ(refusal("outer = 4294967295\ninner = 4294967295\n" + std::string(kUncertain)), "");
  EXPECT_EQ(refusal("outer = 4294967296\ninner = 9223372036854775807\n" + std::string(kUncertain)),
            "s.toml:1:1: outer: 4294967296 is more than the limit, 4294967295 (2^32 - 1)\n"
            "s.toml:2:1: inner: 9223372036854775807 is more than the limit, 4294967295 (2^32 - 1)");
}

TEST(RunSize, TheCommandLineTakesTheSameLimit) {
  Scenario plain = parse_scenario(kVary, "s.toml", true);
  EXPECT_NO_THROW(apply_overrides(plain, ScenarioOverrides{.realizations = kMaxDraws}));
  EXPECT_EQ(plain.realizations, kMaxDraws);
  try {
    apply_overrides(plain, ScenarioOverrides{.realizations = kMaxDraws + 1});
    ADD_FAILURE() << "2^32 realizations accepted";
  } catch (const ScenarioError& e) {
    EXPECT_STREQ(e.what(),
                 "command line: realizations: 4294967296 is more than the limit, 4294967295 "
                 "(2^32 - 1)");
  }
  Scenario nested = parse_scenario(kUncertain, "s.toml", true);
  try {
    apply_overrides(nested, ScenarioOverrides{.outer = std::uint64_t{1} << 40,
                                              .inner = std::uint64_t{1} << 33});
    ADD_FAILURE() << "2^40 outer draws accepted";
  } catch (const ScenarioError& e) {
    ASSERT_EQ(e.messages().size(), 2u) << e.what();
    EXPECT_EQ(e.messages()[0],
              "command line: outer: 1099511627776 is more than the limit, 4294967295 (2^32 - 1)");
    EXPECT_EQ(e.messages()[1],
              "command line: inner: 8589934592 is more than the limit, 4294967295 (2^32 - 1)");
  }
}

TEST(RunSize, APartsScenarioOverTheLimitIsRefused) {
  const std::string one =
      R"({"input_sha256":"x","realizations":REALIZATIONS,"seed":1,"sampling":"lhs",)"
      R"("percentiles":[50],"decision_percentile":90,"chemicals":0,"cas_group":[],"vary":[]})";
  const auto with = [&](const std::string& n) {
    std::string text = one;
    return text.replace(text.find("REALIZATIONS"), 12, n);
  };
  EXPECT_EQ(from_json(with("4294967295")).realizations, kMaxDraws);
  EXPECT_THROW(from_json(with("4294967296")), ScenarioError);
}

}  // namespace
}  // namespace vorn::scenario
