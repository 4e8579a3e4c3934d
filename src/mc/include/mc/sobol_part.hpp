// The mergeable state of a Saltelli design over some of its base rows: what a shard writes and
// what merging parts puts together. The shard unit is the base row: shard I of K holds base
// rows floor((I-1)M/K)+1 .. floor(IM/K), each with the outputs of all p + 2 of its points.
// Like the other parts it needs no VORN.IN, and the parts of one design, merged, give the
// indices of the whole design bit for bit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mc/part_header.hpp"
#include "mc/unit_values.hpp"

namespace vorn::mc {

// The outputs of base row j in every block: values[block * outputs + o], block 0 A, 1 B,
// 2 + i A_B^i; output o the limiting quantity of chemical o, then RI_TOT and HI_TOT of the
// stream. NaN where the evaluation gave none.
// Its unit is the base row j, 1..M.
using SobolRow = UnitValues;

// Its shards are over the base rows; its baseline gives the chemicals' names, and tells
// runs apart.
struct SobolPart : PartHeader {
  std::uint64_t base_rows = 0;
  std::vector<std::string> groups;  // the labels of the input groups, one per [[vary]] entry
  std::vector<SobolRow> rows;       // in base row order

  std::size_t blocks() const { return groups.size() + 2; }
  std::size_t outputs() const { return baseline.names.size() + 2; }
};

inline constexpr const char* kSobolPartFormat = "vorn-sobol-part";
// 2: the design starts at Sobol point 0; the SHA-256 of the part's bytes ends it.
inline constexpr int kSobolPartVersion = 2;
inline constexpr PartKind kSobolPartKind{kSobolPartFormat, kSobolPartVersion,
                                         "a part of a Sobol design", "a Sobol design", "base rows"};

// The versioned JSON document; holds no thread count, time, host or path.
std::string sobol_part_json(const SobolPart& part);
// Throws mc::PartError naming `source` and what is wrong.
SobolPart parse_sobol_part(std::string_view json, std::string_view source);
// Adds `other`'s base rows to `into`. Throws mc::PartError (naming `source`) when they
// belong to different designs or share a shard.
void merge_sobol_part(SobolPart& into, const SobolPart& other, std::string_view source);

}  // namespace vorn::mc
