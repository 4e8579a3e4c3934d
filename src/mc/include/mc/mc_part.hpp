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
#include "mc/part_header.hpp"
#include "mc/sample_rows.hpp"

namespace vorn::mc {

struct McPart : PartHeader {
  std::uint64_t realizations = 0;
  McTally tally;
  // The stored rows of its realizations within 1..kSampleRowLimit: one block a shard.
  SampleRows rows;
};

inline constexpr const char* kPartFormat = "vorn-mc-part";
// 2: parts carry the rows stored for rank sensitivity. 3: the sums of the squares' rounding
// errors; the Sobol design from point 0; the SHA-256 of the part's bytes ends it, and its counts
// are checked on reading.
inline constexpr int kPartVersion = 3;
inline constexpr PartKind kMcPartKind{kPartFormat, kPartVersion, "a part of a probabilistic run",
                                      "a one-dimensional run", "realizations"};

// The versioned JSON document of a part; holds no thread count, time, host or path.
std::string part_json(const McPart& part);
// Throws PartError naming `source` and what is wrong.
McPart parse_part(std::string_view json, std::string_view source);

// Adds `other` to `into`. Throws PartError (naming `source`) when they belong to different
// runs (scenario, seed, realizations, shard count or baseline differ) or share a shard.
void merge_part(McPart& into, const McPart& other, std::string_view source);

}  // namespace vorn::mc
