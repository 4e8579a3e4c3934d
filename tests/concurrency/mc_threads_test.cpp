// A probabilistic run on several threads, in one process (so the thread checker sees it):
// the mergeable state and the samples file are the same bytes as on one thread.
#include <gtest/gtest.h>

#include "mc_run/mc_run.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

TEST(McThreads, StateAndSamplesDoNotDependOnTheThreads) {
  std::string part[2], samples[2];
  const unsigned threads[2] = {1, 3};
  for (int k = 0; k < 2; ++k) {
    mc_run::McRequest request;
    request.scenario = shipped_scenario();
    request.overrides.realizations = 150;
    request.threads = threads[k];
    request.samples = [&, k](const std::string& text) { samples[k] += text; };
    const mc_run::McResult result = mc_run::run_monte_carlo(request);
    ASSERT_EQ(result.baseline.status, Status::completed);
    part[k] = mc::part_json(result.part);
  }
  EXPECT_EQ(part[0], part[1]);
  EXPECT_EQ(samples[0], samples[1]);
  EXPECT_EQ(lines_of(samples[0]).size(), 151u);
}

}  // namespace
}  // namespace vorn::test
