// The mergeable state of a nested run over some of its outer draws: what a shard writes and
// what merging parts puts together. The shard unit is the outer draw: shard I of K holds
// outer draws floor((I-1)U/K)+1 .. floor(IU/K), each as its record. Like a one-dimensional
// part it needs no VORN.IN, and the parts of one run, merged, give its documents bit for bit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mc/mc_part.hpp"
#include "nested/outer_record.hpp"

namespace vorn::nested {

struct NestedPart {
  std::string scenario_json;  // the resolved scenario, canonical
  std::uint64_t seed = 0, outer = 0, inner = 0;
  std::uint64_t shard_count = 1;
  std::vector<mc::ShardRange> shards;  // over the outer draws, in index order
  mc::McBaseline baseline;
  std::vector<OuterRecord> records;  // in draw order

  bool complete() const { return shards.size() == shard_count; }
};

inline constexpr const char* kNestedPartFormat = "vorn-nested-part";
inline constexpr int kNestedPartVersion = 1;

// The versioned JSON document; holds no thread count, time, host or path.
std::string nested_part_json(const NestedPart& part);
// Throws mc::PartError naming `source` and what is wrong.
NestedPart parse_nested_part(std::string_view json, std::string_view source);
// Adds `other`'s outer draws to `into`. Throws mc::PartError (naming `source`) when they
// belong to different runs or share a shard.
void merge_nested_part(NestedPart& into, const NestedPart& other, std::string_view source);

}  // namespace vorn::nested
