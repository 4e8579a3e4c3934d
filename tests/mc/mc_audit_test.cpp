// What makes a probabilistic run auditable and splittable: shards merge into the single
// run's documents byte for byte, and a realization's own VORN.IN, run normally, gives its
// row of the samples file double for double.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>

#include "support/test_support.hpp"

namespace vorn::test {
namespace {

const std::filesystem::path kScenario =
    std::filesystem::path(VORN_TEST_DATA).parent_path().parent_path() / "examples" / "montecarlo" /
    "scenario.toml";

ProcessResult mc(const ScratchDir& dir, std::vector<std::string> args) {
  args.insert(args.begin(), {VORN_CLI, "mc", kScenario.string(), "--realizations", "300"});
  return run_process(args, dir.path());
}

std::vector<std::string> fields(const std::string& line) {
  std::vector<std::string> out;
  std::stringstream in(line);
  for (std::string f; std::getline(in, f, ',');) out.push_back(f);
  if (!line.empty() && line.back() == ',') out.emplace_back();
  return out;
}

TEST(McShards, MergedPartsGiveTheSingleRunsDocumentsAndGapsAreRefused) {
  ScratchDir dir;
  ASSERT_EQ(mc(dir, {"--json", "whole.json", "--csv", "whole.csv", "--html", "whole.html"}).status,
            0);
  // The identity covers the ranks of the rows every part carries.
  const auto whole = nlohmann::json::parse(read_text(dir / "whole.json"));
  ASSERT_EQ(whole["sensitivity"]["rows"], 300);
  ASSERT_EQ(whole["chemicals"][0]["sensitivity"]["rows"], 300);
  for (const int k : {1, 3, 7}) {
    std::vector<std::string> merge = {VORN_CLI, "mc-merge"};
    for (int i = k; i >= 1; --i) {  // any order
      const std::string part = "p" + std::to_string(i) + "of" + std::to_string(k) + ".json";
      const auto shard = std::to_string(i) + "/" + std::to_string(k);
      ASSERT_EQ(mc(dir, {"--shard", shard, "--part", part, "--threads", "2"}).status, 0);
      merge.push_back(part);
    }
    merge.insert(merge.end(),
                 {"--json", "merged.json", "--csv", "merged.csv", "--html", "merged.html"});
    const ProcessResult r = run_process(merge, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read_text(dir / "merged.json"), read_text(dir / "whole.json")) << k << " shards";
    EXPECT_EQ(read_text(dir / "merged.csv"), read_text(dir / "whole.csv")) << k << " shards";
    EXPECT_EQ(read_text(dir / "merged.html"), read_text(dir / "whole.html")) << k << " shards";
  }
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
  ASSERT_EQ(mc(dir, {"--samples", "samples.csv", "--json", "with.json"}).status, 0);
  ASSERT_EQ(mc(dir, {"--json", "without.json"}).status, 0);
  EXPECT_EQ(read_text(dir / "with.json"), read_text(dir / "without.json"));
  const std::vector<std::string> rows = lines_of(read_text(dir / "samples.csv"));
  ASSERT_EQ(rows.size(), 301u);
  const std::vector<std::string> header = fields(rows[0]);

  for (const int r : {1, 137, 300}) {
    const std::string in = "r" + std::to_string(r);
    ASSERT_EQ(mc(dir, {"--realization", std::to_string(r), "--write-input", in}).status, 0);
    const ProcessResult run = run_process({VORN_CLI, in, "--json", in + ".json"}, dir.path());
    ASSERT_EQ(run.status, 0) << run.err;
    const auto doc = nlohmann::json::parse(read_text(dir / (in + ".json")));
    const std::vector<std::string> row = fields(rows[static_cast<std::size_t>(r)]);
    ASSERT_EQ(row.size(), header.size());
    ASSERT_EQ(row[0], std::to_string(r));
    int compared = 0;
    for (std::size_t c = 1; c < header.size(); ++c) {
      // "<QUANTITY> of <chemical> (<index>)": the deterministic JSON holds most of them.
      const std::string& h = header[c];
      const auto of = h.find(" of "), open = h.rfind(" (");
      if (of == std::string::npos || open == std::string::npos || h.back() != ')') continue;
      const std::string quantity = h.substr(0, of);
      const int index = std::stoi(h.substr(open + 2));
      const auto& chem = doc["chemicals"][static_cast<std::size_t>(index - 1)];
      const nlohmann::json* value = nullptr;
      for (const char* group : {"results", "report"})
        if (chem[group].contains(quantity)) value = &chem[group][quantity];
      if (value == nullptr) continue;
      ASSERT_TRUE(value->is_number()) << h;
      EXPECT_EQ(std::strtod(row[c].c_str(), nullptr), value->get<double>())
          << "realization " << r << ", " << h;
      ++compared;
    }
    EXPECT_EQ(compared, 10 * 24);  // 24 of the 29 quantities of each of the ten chemicals
  }
}

}  // namespace
}  // namespace vorn::test
