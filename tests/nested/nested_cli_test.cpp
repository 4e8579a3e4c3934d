// vorn mc on a nested scenario: shards of outer draws merge into the single run's documents
// byte for byte, whatever the threads; parts of a nested and a one-dimensional run do not
// mix; and realization (u - 1) V + v's own VORN.IN, run normally, gives its samples row.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "support/samples_row.hpp"
#include "support/shard_merge.hpp"
#include "support/test_support.hpp"

namespace vorn::test {
namespace {

const std::filesystem::path kNested = examples_dir() / "montecarlo" / "nested.toml";

ProcessResult mc(const ScratchDir& dir, std::vector<std::string> args) {
  args.insert(args.begin(), {VORN_CLI, "mc", kNested.string(), "--outer", "7", "--inner", "60"});
  return run_process(args, dir.path());
}

TEST(NestedShards, MergedPartsGiveTheSingleRunsDocuments) {
  ScratchDir dir;
  ASSERT_EQ(mc(dir, {"--threads", "1", "--json", "whole.json", "--csv", "whole.csv", "--html",
                     "whole.html"})
                .status,
            0);
  // The page names every chemical with its verdict, and shows no report-style exponent.
  const std::string page = read_text(dir / "whole.html");
  EXPECT_EQ(page.find("E-0"), std::string::npos);
  EXPECT_NE(page.find("Verdict at the median"), std::string::npos);
  // Three shards run two outer draws side by side; seven run one draw on both threads.
  expect_shards_merge_to_whole(
      dir, [&](std::vector<std::string> args) { return mc(dir, std::move(args)); }, {3, 7});
  const auto doc = nlohmann::json::parse(read_text(dir / "whole.json"));
  EXPECT_EQ(doc["outer"], 7);
  EXPECT_EQ(doc["scenario"]["inner"], 60);

  const ProcessResult flat =
      run_process({VORN_CLI, "mc", (shipped_scenario()).string(), "--realizations", "20", "--shard",
                   "2/3", "--part", "flat.json"},
                  dir.path());
  ASSERT_EQ(flat.status, 0) << flat.err;
  const ProcessResult mixed =
      run_process({VORN_CLI, "mc-merge", "p1of3.json", "flat.json", "p3of3.json"}, dir.path());
  EXPECT_EQ(mixed.status, 3);
  EXPECT_NE(mixed.err.find("flat.json: a part of a one-dimensional run"), std::string::npos)
      << mixed.err;
  EXPECT_EQ(mc(dir, {"--realizations", "10", "--json", "x.json"}).status, 3);
}

TEST(NestedAudit, RealizationUMinusOneTimesVPlusVReproducesItsSamplesRow) {
  ScratchDir dir;
  const McCommand run = [&](std::vector<std::string> args) { return mc(dir, std::move(args)); };
  const std::vector<std::string> rows = samples_lines(dir, run);
  ASSERT_EQ(rows.size(), 1u + 7 * 60);
  const std::vector<std::string> header = csv_fields(rows[0]);

  // Inner realization 1 of outer draw 1, 17 of draw 3, the last of the last.
  for (const int r : {1, 2 * 60 + 17, 7 * 60})
    expect_realization_gives_its_row(dir, run, rows, r, 10 * 24);
  // Outer draws differ in their uncertainty values, and inner realization v draws the same
  // variability values in every outer draw.
  const std::vector<std::string> a = csv_fields(rows[17]), b = csv_fields(rows[2 * 60 + 17]);
  auto column = [&](const std::string& label) {
    return static_cast<std::size_t>(std::find(header.begin(), header.end(), label) -
                                    header.begin());
  };
  for (const char* variability : {"WU_WASTEVOL", "TCLPCONC of 7440-38-2 (6)"})
    EXPECT_EQ(a.at(column(variability)), b.at(column(variability))) << variability;
  for (const char* uncertainty : {"DAF of every chemical", "HENRY of 71-43-2"})
    EXPECT_NE(a.at(column(uncertainty)), b.at(column(uncertainty))) << uncertainty;
  EXPECT_EQ(mc(dir, {"--realization", std::to_string(7 * 60 + 1), "--write-input", "x"}).status,
            64);
}

}  // namespace
}  // namespace vorn::test
