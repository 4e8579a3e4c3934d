// A draw that two inputs share (an "each" DAF factor on chemicals of one CAS) is ranked once,
// as the input that lists both chemicals: a copy of its column beside it would be collinear
// and show a PRCC of 0, "negligible", beside a strong Spearman.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "mc/run_sensitivity.hpp"
#include "mc/sample_rows.hpp"
#include "numerics/random_stream.hpp"

namespace vorn::mc {
namespace {

TEST(RunSensitivity, ASharedDrawIsRankedOnceForEveryChemicalItMoves) {
  // Inputs: the waste volume, chemical 0's DAF factor, and chemical 1's, the same draw.
  std::vector<RunInput> inputs = {{"WU_WASTEVOL", {}, false, false},
                                  {"DAF of 1-1-1 (1)", {0, 1}, false, false},
                                  {"DAF of 1-1-1 (2)", {1}, false, true}};
  const SampleRowLayout layout{inputs.size(), 2};
  constexpr std::size_t kRows = 400;
  std::vector<float> rows;
  for (std::size_t r = 0; r < kRows; ++r) {
    const double volume = numerics::uniform(5, r + 1, 0), daf = numerics::uniform(5, r + 1, 1);
    const double noise = numerics::uniform(5, r + 1, 2);
    const double ratio0 = volume / daf + 0.1 * noise, ratio1 = 2 * volume / daf;
    std::vector<float> row(layout.columns());
    row[0] = static_cast<float>(volume);
    row[1] = row[2] = static_cast<float>(daf);
    row[layout.limiting(0)] = static_cast<float>(ratio0);
    row[layout.limiting(1)] = static_cast<float>(ratio1);
    row[layout.stream_risk()] = static_cast<float>(ratio0 + ratio1);
    row[layout.stream_hazard()] = static_cast<float>(volume);
    rows.insert(rows.end(), row.begin(), row.end());
  }
  const McSensitivity s = rank_run(inputs, 2, rows, 17);
  for (const RankedOutput* out : {&s.chemicals[0], &s.chemicals[1], &s.stream_risk}) {
    ASSERT_EQ(out->inputs, (std::vector<std::size_t>{0, 1}));
    const numerics::RankIndex& daf = out->ranks.inputs[1];
    EXPECT_EQ(daf.excluded, numerics::Excluded::no);
    EXPECT_LT(daf.prcc, -0.8);  // a larger dilution lowers every ratio
    EXPECT_LT(daf.prcc_upper, 0.0);
    EXPECT_FALSE(daf.negligible);
  }
}

}  // namespace
}  // namespace vorn::mc
