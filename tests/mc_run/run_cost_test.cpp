// What a run says of its size: the model evaluations it makes, on standard error whenever
// they reach a million (here standard error is no terminal), and the limits of a design.
#include <gtest/gtest.h>

#include <string>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

// A VORN.IN without chemicals: a realization is the unit's derivation alone.
void write_cheap_run(const ScratchDir& dir, const std::string& sizes, bool nested) {
  write_text(dir / "VORN.IN", "1\nLF\n1.0E-5\n1.0\n10000\n0\n20\n0\n0\nh\nh\nh\n");
  write_text(dir / "s.toml", "input = \"VORN.IN\"\n" + sizes +
                                 "\n[[vary]]\nfield = \"WU_WASTEVOL\"\n" +
                                 (nested ? "kind = \"uncertainty\"\n" : "") +
                                 "dist = { type = \"uniform\", min = 1, max = 2 }\n"
                                 "[[vary]]\nfield = \"WU_ACTLIFE\"\n"
                                 "dist = { type = \"uniform\", min = 10, max = 20 }\n");
}

ProcessResult mc(const ScratchDir& dir, std::vector<std::string> options) {
  std::vector<std::string> argv = {VORN_CLI, "mc", (dir / "s.toml").string(), "--threads", "2"};
  argv.insert(argv.end(), options.begin(), options.end());
  return run_process(argv, dir.path());
}

TEST(RunCost, AMillionEvaluationsOrMoreAreAnnouncedAndFewerAreNot) {
  ScratchDir dir;
  write_cheap_run(dir, "realizations = 1000000", false);
  ProcessResult r = mc(dir, {"--json", "mc.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "vorn mc: 1000000 evaluations (1000000 realizations)\n");
  r = mc(dir, {"--realizations", "999999", "--json", "mc.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  r = mc(dir, {"--realizations", "3000000", "--shard", "2/3", "--part", "p.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "vorn mc: 1000000 evaluations (realizations 1000001..2000000 of 3000000)\n");
}

TEST(RunCost, ANestedRunCountsOuterTimesInner) {
  ScratchDir dir;
  write_cheap_run(dir, "outer = 4\ninner = 250000", true);
  const ProcessResult r = mc(dir, {"--json", "n.json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "vorn mc: 1000000 evaluations (4 outer draws x 250000 inner realizations)\n");
}

TEST(RunCost, ADesignOfMoreThan2To31BaseRowsIsAUsageError) {
  ScratchDir dir;
  write_cheap_run(dir, "realizations = 10", false);
  const ProcessResult r = mc(dir, {"--sobol", "--base-samples", "4294967296", "--json", "b.json"});
  EXPECT_EQ(r.status, 64);
  EXPECT_NE(r.err.find("--base-samples 4294967296: give a power of two from 2 to 2^31 (the limit "
                       "is 4294967295 (2^32 - 1))"),
            std::string::npos)
      << r.err;
}

}  // namespace
}  // namespace vorn::test
