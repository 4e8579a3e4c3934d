// A part of any kind, as `vorn mc-merge` and the Python module read, merge and report it: one
// policy for every caller. A new kind of part is one more alternative here and in
// PartDocuments.
#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "mc/mc_part.hpp"
#include "mc/part_header.hpp"
#include "mc/sobol_part.hpp"
#include "nested/nested_part.hpp"

namespace vorn::mc_run {

using AnyPart = std::variant<mc::McPart, nested::NestedPart, mc::SobolPart>;

// The kind of a part document, by its format; nullptr when it names none.
const mc::PartKind* part_kind_of(std::string_view bytes);

// The part a document holds. A document of no known kind is read as a one-dimensional part,
// whose reader says what is wrong with it. Throws mc::PartError naming `source`.
AnyPart read_part(std::string_view bytes, std::string_view source);

// The part document, as `vorn mc --part` writes it.
std::string part_text(const AnyPart& part);

const mc::PartKind& kind_of(const AnyPart& part);
const mc::PartHeader& header_of(const AnyPart& part);

// Adds `other`'s shards to `into`. Throws mc::PartError naming `source` when it is a part of
// another kind ("<source>: a part of a nested run, <into_name> of a one-dimensional run") or
// of another run, or shares a shard.
void merge_parts(AnyPart& into, const AnyPart& other, std::string_view source,
                 std::string_view into_name = "the others");

// What a part lacks to be complete: "shard 2 of 3 is missing", "shards 1 and 3 of 4 are
// missing"; "" when it holds every shard.
std::string missing_shards(const mc::PartHeader& header);

}  // namespace vorn::mc_run
