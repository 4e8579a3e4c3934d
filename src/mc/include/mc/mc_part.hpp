// The mergeable state of a probabilistic run over some of its realizations: what a shard
// writes and what merging parts adds up. A part needs no VORN.IN: it carries the scenario as
// resolved, the deterministic values the statistics are taken around and the chemicals'
// names, so the parts of one run, merged, give the statistics of the whole run bit for bit.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "mc/decision_quantities.hpp"
#include "mc/mc_tally.hpp"
#include "mc/sample_rows.hpp"

namespace vorn::mc {

struct McInput;

// What the statistics show beside the realizations: the deterministic run's values, the
// chemicals' names (trailing blanks trimmed), the targets and the waste concentrations.
struct McBaseline {
  std::vector<std::string> names, cas;
  std::vector<ChemicalQuantities> quantities;
  double risk = 0.0, hazard = 0.0;  // the stream totals
  bool landfill = true;
  double target_risk = 0.0, target_hazard = 0.0;  // as read
  // The waste concentrations the limits are compared with (as derived: floored).
  std::vector<double> gw_waste, sf_waste;
  bool operator==(const McBaseline&) const = default;
};
McBaseline baseline_of(const McInput& input);

inline constexpr std::uint64_t kMaxShards = 0xFFFFFFFFu;

// Shard `index` of `count` (1 <= index <= count <= kMaxShards) runs realizations first..last:
// floor((I-1)N/K)+1 .. floor(IN/K) (none when first > last).
struct ShardRange {
  std::uint64_t index = 1, first = 1, last = 0;
  bool operator==(const ShardRange&) const = default;
};
ShardRange shard_range(std::uint64_t index, std::uint64_t count, std::uint64_t realizations);

struct McPart {
  std::string scenario_json;  // the resolved scenario, canonical
  std::uint64_t seed = 0, realizations = 0;
  std::uint64_t shard_count = 1;
  std::vector<ShardRange> shards;  // the shards held, in index order
  McBaseline baseline;
  McTally tally;
  // The stored rows of its realizations within 1..kSampleRowLimit: one block a shard.
  SampleRows rows;

  // Every shard 1..shard_count is held.
  bool complete() const { return shards.size() == shard_count; }
};

// A part that cannot be read, or parts that cannot be merged; the message says why.
class PartError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* kPartFormat = "vorn-mc-part";
// 2: parts carry the rows stored for rank sensitivity.
inline constexpr int kPartVersion = 2;

// The versioned JSON document of a part; holds no thread count, time, host or path.
std::string part_json(const McPart& part);
// Throws PartError naming `source` and what is wrong.
McPart parse_part(std::string_view json, std::string_view source);

// Adds `other` to `into`. Throws PartError (naming `source`) when they belong to different
// runs (scenario, seed, realizations, shard count or baseline differ) or share a shard.
void merge_part(McPart& into, const McPart& other, std::string_view source);

}  // namespace vorn::mc
