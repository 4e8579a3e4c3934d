#include "support/shard_merge.hpp"

#include <gtest/gtest.h>

namespace vorn::test {

namespace {

// Shards 1..k in an order that puts most parts between two merged before them: the even
// ones downwards, then the odd ones upwards (6 4 2 1 3 5 7).
std::vector<int> shuffled(int k) {
  std::vector<int> order;
  for (int i = k / 2 * 2; i >= 2; i -= 2) order.push_back(i);
  for (int i = 1; i <= k; i += 2) order.push_back(i);
  return order;
}

}  // namespace

void expect_shards_merge_to_whole(const ScratchDir& dir,
                                  const std::function<ProcessResult(std::vector<std::string>)>& mc,
                                  const std::vector<int>& shard_counts) {
  for (const int k : shard_counts) {
    std::vector<std::string> merge = {VORN_CLI, "mc-merge"};
    for (const int i : shuffled(k)) {
      const std::string part = "p" + std::to_string(i) + "of" + std::to_string(k) + ".json";
      const auto shard = std::to_string(i) + "/" + std::to_string(k);
      const ProcessResult r = mc({"--shard", shard, "--part", part, "--threads", "2"});
      ASSERT_EQ(r.status, 0) << r.err;
      merge.push_back(part);
    }
    merge.insert(merge.end(), {"--json", "merged.json", "--csv", "merged.csv"});
    const bool page = std::filesystem::exists(dir / "whole.html");
    if (page) merge.insert(merge.end(), {"--html", "merged.html"});
    const ProcessResult r = run_process(merge, dir.path());
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(read_text(dir / "merged.json"), read_text(dir / "whole.json")) << k << " shards";
    EXPECT_EQ(read_text(dir / "merged.csv"), read_text(dir / "whole.csv")) << k << " shards";
    if (page) {
      EXPECT_EQ(read_text(dir / "merged.html"), read_text(dir / "whole.html")) << k << " shards";
    }
  }
}

}  // namespace vorn::test
