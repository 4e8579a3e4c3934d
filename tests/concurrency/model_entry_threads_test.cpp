// Two threads evaluate the same chemicals through the model entry at once, on shared
// read-only inputs, and get the run's values.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>

#include "support/model_input.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

TEST(ModelEntryThreads, TwoThreadsOnSharedInputsGetTheRunsValues) {
  const std::string text = read_text(data_dir() / "reference" / "landfill" / "VORN.IN");
  const MemoryRun run = run_text(text);
  ASSERT_EQ(run.outcome.status, Status::completed);
  const Results& expected = *run.outcome.results;
  const ModelInput m = read_model_input(text);

  auto evaluate_all = [&](int rounds, bool& same) {
    ChemicalEvaluation ev;
    same = true;
    for (int round = 0; round < rounds; ++round) {
      for (std::size_t k = 0; k < m.chemicals.size(); ++k) {
        const Chemical& c = m.chemicals[k];
        evaluate_chemical(m.site(), match_daf_rows(*m.daf, c), static_cast<int>(k) + 1, c, ev);
        same = same && !ev.failure &&
               std::memcmp(&ev.slots, &expected.results[k], sizeof ev.slots) == 0 &&
               ev.limits.TCLPMAX == expected.report[k].TCLPMAX &&
               ev.chemical.ORDI == expected.chemicals[k].ORDI;
      }
    }
  };
  bool first = false, second = false;
  std::thread a(evaluate_all, 20, std::ref(first));
  std::thread b(evaluate_all, 20, std::ref(second));
  a.join();
  b.join();
  EXPECT_TRUE(first);
  EXPECT_TRUE(second);
}

}  // namespace
}  // namespace vorn::test
