// Shards of a probabilistic run against the whole run.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "support/test_support.hpp"

namespace vorn::test {

// For each K of `shard_counts`: runs shards 1/K .. K/K in a shuffled order through `mc`
// (given the extra arguments "--shard I/K --part pIofK.json --threads 2"), merges the parts
// in that order with vorn mc-merge and expects its JSON and CSV (and HTML, when
// dir/whole.html exists) to equal dir/whole.json and dir/whole.csv byte for byte. The parts
// stay in `dir`.
void expect_shards_merge_to_whole(const ScratchDir& dir,
                                  const std::function<ProcessResult(std::vector<std::string>)>& mc,
                                  const std::vector<int>& shard_counts);

}  // namespace vorn::test
