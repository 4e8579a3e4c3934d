// What every part document of a probabilistic run holds before its kind's own state: the
// run it belongs to (the scenario as resolved, the seed, the shard count, the deterministic
// values) and the shards it holds. One reader, one check and one merge serve every kind of
// part: a one-dimensional run's realizations, a nested run's outer draws, a Sobol design's
// base rows.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <nlohmann/json_fwd.hpp>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "mc/decision_quantities.hpp"
#include "scenario/resolved_scenario.hpp"

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

// A part that cannot be read, or parts that cannot be merged; the message says why.
class PartError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The "format" of a part document: "" unless it is a JSON object with one. Tells the kinds
// of parts apart before one is read in full.
std::string part_format(std::string_view json);

// A kind of part: its document's format and version, and the words messages use for it.
struct PartKind {
  const char* format;  // "vorn-mc-part"
  int version;
  const char* document;  // "a part of a probabilistic run"
  const char* run;       // "a one-dimensional run"
  const char* units;     // what its shards cut: "realizations"
};

struct PartHeader {
  std::string scenario_json;  // the resolved scenario, canonical
  std::uint64_t seed = 0;
  std::uint64_t shard_count = 1;
  std::vector<ShardRange> shards;  // the shards held, in index order
  McBaseline baseline;

  // Every shard 1..shard_count is held.
  bool complete() const { return shards.size() == shard_count; }
};

// The header as the first keys of a part document: format, version, scenario, seed, the
// kind's counts (`counts`, in order), shard_count, shards, baseline.
nlohmann::ordered_json part_header_json(
    const PartKind& kind, const PartHeader& header,
    std::initializer_list<std::pair<const char*, std::uint64_t>> counts);

// The document as written: a part's compact JSON (an object) with the SHA-256 of those bytes
// added as its last key, "sha256", and a line end. The digest tells a damaged or edited part
// from the one written; it is a check, not a signature: anyone can compute it again.
std::string sealed_part(std::string compact);

// The JSON of a document of `kind`. Throws PartError, prefixed by `where`, when it is not
// one, of another version ("rerun the shard with this vorn"), or its bytes do not match
// their SHA-256.
nlohmann::ordered_json parse_part_document(std::string_view json, const std::string& where,
                                           const PartKind& kind);

// Reads the header of a parsed document into `header` and returns its scenario. Throws what
// the JSON library throws on a missing key or a value of another type (read_part_fields
// turns that into the part's error), PartError on the scenario.
scenario::ResolvedScenario read_part_header(const nlohmann::ordered_json& j, PartHeader& header);

// Throws PartError (prefixed by `where`) unless the header fits its scenario (seed, chemicals)
// and its shards are some of `shard_count` shards of `units`; returns how many units they
// hold.
std::uint64_t check_part_header(const PartHeader& header,
                                const scenario::ResolvedScenario& scenario, std::uint64_t units,
                                const PartKind& kind, const std::string& where);

// Adds `other`'s shards to `into`. Throws PartError (prefixed by `where`) unless both are of
// one run (scenario, seed, shard count, deterministic values) and share no shard.
void merge_part_header(PartHeader& into, const PartHeader& other, const std::string& where);

// Runs `read`, which reads a part's fields: a PartError passes as it is, any other failure
// (a missing key, a value of another type) becomes "<where>not a valid <what>: ...".
template <class Read>
void read_part_fields(const std::string& where, const std::string& what, Read&& read) {
  try {
    read();
  } catch (const PartError&) {
    throw;
  } catch (const std::exception& e) {
    throw PartError(where + "not a valid " + what + ": " + e.what());
  }
}

}  // namespace vorn::mc
