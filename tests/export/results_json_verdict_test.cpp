// The document's verdict: per chemical, with the stream's totals beside it; a run that did
// not complete is not assessed and says why.
#include <gtest/gtest.h>

#include "core/number_text.hpp"
#include "export/export_checks.hpp"
#include "support/test_support.hpp"
#include "vorn/results_json.hpp"

namespace vorn::test {
namespace {

std::vector<std::string> keys_of(const OrderedJson& object) {
  std::vector<std::string> keys;
  for (const auto& item : object.items()) keys.push_back(item.key());
  return keys;
}

// The verdict is per chemical. Risks do not depend on the target, and a chemical's every
// pathway risk is at most its total, so with the target between one chemical's total and
// twice it the chemical is within its limits alone and twice over, while the stream's total
// risk, exactly twice the chemical's, passes the target.
TEST(ResultsJson, TheVerdictIsPerChemicalAndTheTotalsStandBeside) {
  const std::string benzene =
      "Benzene @ 71-43-2 0.005 0.055 0.0273 0.004 0.03 12.6 1820 0.5 5.55E-3 1.03E-5 0.0895 "
      "1790 0 0 0.70 0.0149 0.29 0.051 1 -1 0.114 C 78.11 0.125 0.29 2.13";
  const auto stream_of = [&](const std::string& target_risk, int copies) {
    InputBuilder in;
    in.site = "1\nLF\n" + target_risk + "\n1.0\n10000\n0\n20\n0\n";
    for (int k = 0; k < copies; ++k) {
      in.properties.push_back(benzene);
      in.concentrations.push_back("1.0E-4 N 0.05 N");
    }
    const auto r = run_text(in.text());
    EXPECT_EQ(r.outcome.status, Status::completed);
    return OrderedJson::parse(results_json(r.outcome));
  };
  const double risk = number_of(stream_of("1.0E-5", 1)["stream"]["RI_TOT"]["value"]);
  ASSERT_GT(risk, 0.0);
  const std::string target = shortest_text(1.5 * risk);

  const OrderedJson one = stream_of(target, 1);
  EXPECT_EQ(one["verdict"], "within limits");
  EXPECT_EQ(one["exceeding"], 0);
  EXPECT_TRUE(same_double(number_of(one["stream"]["RI_TOT"]["value"]), risk));
  EXPECT_EQ(one["stream"]["RI_TOT"]["above_target"], false);

  const OrderedJson two = stream_of(target, 2);
  EXPECT_EQ(two["verdict"], "within limits");
  EXPECT_EQ(two["exceeding"], 0);
  const OrderedJson& total = two["stream"]["RI_TOT"];
  EXPECT_TRUE(same_double(number_of(total["value"]), 2 * risk)) << total;
  EXPECT_TRUE(same_double(number_of(total["target"]), 1.5 * risk)) << total;
  EXPECT_EQ(total["above_target"], true);
  const OrderedJson& hazard = two["stream"]["HI_TOT"];
  EXPECT_TRUE(
      same_double(number_of(hazard["value"]), 2 * number_of(one["stream"]["HI_TOT"]["value"])));
  EXPECT_EQ(hazard["above_target"], number_of(hazard["value"]) > 1.0);
}

TEST(ResultsJson, RunsThatDidNotCompleteGiveStatusVerdictMessageAndExplanationOnly) {
  const std::vector<std::string> keys = {"version", "status", "verdict", "message", "explanation"};

  InputBuilder bad_type;
  bad_type.site = "1\nXX\n1.0E-5\n1.0\n10000\n0\n20\n0\n";
  auto r = run_text(bad_type.text());
  ASSERT_EQ(r.outcome.status, Status::stopped);
  OrderedJson doc = OrderedJson::parse(results_json(r.outcome));
  EXPECT_EQ(keys_of(doc), keys);
  EXPECT_EQ(doc["version"], 2);
  EXPECT_EQ(doc["status"], "stopped");
  EXPECT_EQ(doc["verdict"], "not assessed");
  // The label ends in a blank, and a blank joins it to the value.
  EXPECT_EQ(doc["message"], "Stop, Error: WMUTYPE=  XX");
  EXPECT_EQ(doc["explanation"],
            "VORN.IN line 2, unit line 2, WU_WMUTYPE (the unit type): must be LF (landfill) or SI "
            "(surface impoundment); found \"XX\"");

  // A stop of two lines keeps them as two lines.
  InputBuilder bad_unit;
  bad_unit.site = "1\nLF\n1.0E-5\n1.0\n10000\n7\n20\n0\n";
  r = run_text(bad_unit.text());
  ASSERT_EQ(r.outcome.status, Status::stopped);
  doc = OrderedJson::parse(results_json(r.outcome));
  EXPECT_EQ(doc["message"],
            "Stop, Error: Illegal vol.unit= 7\n0-Cubic Yards, 1-Cubic Feet, 2-Cubic Meters");

  // The offending input text of a fatal error shows bytes outside printable ASCII escaped.
  r = run_text("x\xE9\nLF\n");
  ASSERT_EQ(r.outcome.status, Status::fatal_input_error);
  doc = OrderedJson::parse(results_json(r.outcome));
  EXPECT_EQ(keys_of(doc), keys);
  EXPECT_EQ(doc["status"], "fatal input error");
  EXPECT_EQ(doc["message"],
            "vorn: fatal input error on unit 1 (VORN.IN), line 1: \"x\\xe9\" is not an integer");

  MemoryFiles none;
  const Outcome missing = run(none);
  doc = OrderedJson::parse(results_json(missing));
  EXPECT_EQ(keys_of(doc), (std::vector<std::string>{"version", "status", "verdict", "message"}));
  EXPECT_EQ(doc["status"], "input missing");
  EXPECT_EQ(doc["message"], "vorn: cannot open unit 1 (VORN.IN): no input");
}

}  // namespace
}  // namespace vorn::test
