// The mergeable state of a nested run over some of its outer draws: what a shard writes and
// what merging parts puts together. The shard unit is the outer draw: shard I of K holds
// outer draws floor((I-1)U/K)+1 .. floor(IU/K), each as its record. Like a one-dimensional
// part it needs no VORN.IN, and the parts of one run, merged, give its documents bit for bit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mc/part_header.hpp"
#include "nested/outer_record.hpp"

namespace vorn::nested {

// Its shards are over the outer draws.
struct NestedPart : mc::PartHeader {
  std::uint64_t outer = 0, inner = 0;
  std::vector<OuterRecord> records;  // in draw order
};

inline constexpr const char* kNestedPartFormat = "vorn-nested-part";
// 2: the SHA-256 of the part's bytes ends it, and its shares are checked on reading.
inline constexpr int kNestedPartVersion = 2;
inline constexpr mc::PartKind kNestedPartKind{
    kNestedPartFormat, kNestedPartVersion, "a part of a nested run", "a nested run", "outer draws"};

// The versioned JSON document; holds no thread count, time, host or path.
std::string nested_part_json(const NestedPart& part);
// Throws mc::PartError naming `source` and what is wrong.
NestedPart parse_nested_part(std::string_view json, std::string_view source);
// Adds `other`'s outer draws to `into`. Throws mc::PartError (naming `source`) when they
// belong to different runs or share a shard.
void merge_nested_part(NestedPart& into, const NestedPart& other, std::string_view source);

}  // namespace vorn::nested
