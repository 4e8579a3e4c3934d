// What makes a probabilistic run auditable and splittable: shards merge into the single
// run's documents byte for byte, and a realization's own VORN.IN, run normally, gives its
// row of the samples file double for double.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "support/samples_row.hpp"
#include "support/shard_merge.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

const std::filesystem::path kScenario = shipped_scenario();

ProcessResult mc(const ScratchDir& dir, std::vector<std::string> args) {
  args.insert(args.begin(), {VORN_CLI, "mc", kScenario.string(), "--realizations", "300"});
  return run_process(args, dir.path());
}

TEST(McShards, MergedPartsGiveTheSingleRunsDocumentsAndGapsAreRefused) {
  ScratchDir dir;
  ASSERT_EQ(mc(dir, {"--json", "whole.json", "--csv", "whole.csv", "--html", "whole.html"}).status,
            0);
  // The identity covers the ranks of the rows every part carries.
  const auto whole = nlohmann::json::parse(read_text(dir / "whole.json"));
  ASSERT_EQ(whole["sensitivity"]["rows"], 300);
  ASSERT_EQ(whole["chemicals"][0]["sensitivity"]["rows"], 300);
  expect_shards_merge_to_whole(
      dir, [&](std::vector<std::string> args) { return mc(dir, std::move(args)); }, {1, 3, 7});
  const ProcessResult gap =
      run_process({VORN_CLI, "mc-merge", "p1of3.json", "p3of3.json"}, dir.path());
  EXPECT_EQ(gap.status, 3);
  EXPECT_NE(gap.err.find("shard 2 of 3 is missing"), std::string::npos) << gap.err;
  ASSERT_EQ(mc(dir, {"--seed", "7", "--shard", "2/3", "--part", "other.json"}).status, 0);
  const ProcessResult foreign =
      run_process({VORN_CLI, "mc-merge", "p1of3.json", "other.json", "p3of3.json"}, dir.path());
  EXPECT_EQ(foreign.status, 3);
  EXPECT_NE(foreign.err.find("other.json: its scenario differs"), std::string::npos) << foreign.err;
  EXPECT_EQ(mc(dir, {"--shard", "2/3", "--part", "x.json", "--json", "x"}).status, 64);
  EXPECT_EQ(mc(dir, {"--shard", "4/3", "--part", "x.json"}).status, 64);
}

TEST(McAudit, ARealizationsOwnInputReproducesItsSamplesRow) {
  ScratchDir dir;
  const McCommand run = [&](std::vector<std::string> args) { return mc(dir, std::move(args)); };
  const std::vector<std::string> rows = samples_lines(dir, run);
  ASSERT_EQ(rows.size(), 301u);
  for (const int r : {1, 137, 300}) expect_realization_gives_its_row(dir, run, rows, r, 10 * 24);
}

TEST(McPrecision, ARunStopsAtTheFirstPowerOfTwoThatBoundsItsDecisionAndSettlesItsVerdicts) {
  ScratchDir dir;
  std::string text = read_text(kScenario);
  const auto input = text.find("input = \"../");
  ASSERT_NE(input, std::string::npos);
  text.replace(input, 12, "input = \"" + kScenario.parent_path().string() + "/../");
  text.replace(text.find("realizations = 10000"), 20, "realizations = 4096\ntarget_precision = 10");
  write_text(dir / "precise.toml", text);
  const ProcessResult r = run_process(
      {VORN_CLI, "mc", (dir / "precise.toml").string(), "--json", "precise.json"}, dir.path());
  ASSERT_EQ(r.status, 0) << r.err;
  // So loose a precision holds as soon as the 10th percentile's interval lies within the
  // realizations (64), but the run goes on until every chemical's verdict is settled: at 64
  // one is still undetermined (its P(exceeded) interval holds 10 %), at 128 none is.
  const auto doc = nlohmann::json::parse(read_text(dir / "precise.json"));
  EXPECT_EQ(doc["realizations"], 128) << doc["realizations"];
  const auto& rows = doc["convergence"];
  ASSERT_EQ(rows.size(), 8u);  // 1, 2, ..., 128
  auto undetermined = [](const nlohmann::json& row) {
    int n = 0;
    for (const auto& c : row["chemicals"]) n += c["verdict"] == "undetermined";
    return n;
  };
  EXPECT_GT(undetermined(rows[6]), 0);
  EXPECT_EQ(undetermined(rows[7]), 0);
  for (const auto& c : doc["chemicals"]) EXPECT_NE(c["decision"]["verdict"], "undetermined");
}

}  // namespace
}  // namespace vorn::test
