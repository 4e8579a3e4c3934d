// The model entry on its own: a failed drinking-water check comes back as a value, and
// the run turns it into the stop it always was.
#include <gtest/gtest.h>

#include "support/model_input.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

// Benzene, then arsenic without toxicity values whose curve holds a NaN that only the
// drinking-water check (MCL 1) meets.
std::string input_with_failing_mcl_check() {
  InputBuilder in;
  std::vector<std::string> benzene = {"0.005", "0.055",   "0.0273", "0.004", "0.03", "5.2", "1820",
                                      "0.5",   "5.55e-3", "9.8e-6", "0.088", "1750", "0",   "0",
                                      "0.7",   "0.015",   "0.29",   "0.051", "1",    "-1",  "0.13",
                                      "C",     "78.11",   "0.125",  "-1",    "2.13"};
  std::vector<std::string> arsenic = benzene;
  arsenic[0] = "1";
  arsenic[1] = arsenic[2] = arsenic[3] = arsenic[4] = "-1";
  arsenic[18] = "0";
  in.properties = {property_line("Benzene", "71-43-2", benzene),
                   property_line("Arsenic", "7440-38-2", arsenic)};
  in.concentrations = {"0.5 N 50 N", "0.5 N 50 N"};
  in.daf_rows = {"7440-38-2 1 10 10 1 1 1", "7440-38-2 2 NaN NaN 1 1 1",
                 "7440-38-2 100 10 10 1 1 1"};
  return in.text();
}

TEST(ModelEntry, FailedDrinkingWaterCheckComesBackAsAValueAndTheRunStopsAtItsRow) {
  const std::string text = input_with_failing_mcl_check();
  const ModelInput m = read_model_input(text);
  ChemicalEvaluation ev;
  for (int i : {1, 2}) {
    const Chemical& c = m.chemicals[static_cast<std::size_t>(i - 1)];
    evaluate_chemical(m.site(), match_daf_rows(*m.daf, c), i, c, ev);
    if (i == 1) {
      EXPECT_FALSE(ev.failure);
    }
  }
  ASSERT_EQ(ev.failure.kind, FailureKind::backward_interpolation);
  EXPECT_EQ(ev.stage, EvaluationStage::limits);
  EXPECT_EQ(ev.slots.DAFC, 10.0);  // the pathway values stand: the DAF at TCLP 0.5

  const MemoryRun r = run_text(text);
  ASSERT_EQ(r.outcome.status, Status::stopped);
  EXPECT_EQ(r.outcome.message_file, "VORN.OUT");
  const std::vector<std::string> out = lines_of(r.files.report.value());
  ASSERT_GE(out.size(), 3u);
  EXPECT_EQ(out.back(), " FAILED DAF 1D INTERPOLATION IN BACKWARD CALC");
  EXPECT_EQ(out[out.size() - 2].substr(0, 7), "Benzene");  // Table 6's row before arsenic's
  EXPECT_EQ(out[out.size() - 3], std::string(120, '-'));
}

}  // namespace
}  // namespace vorn::test
