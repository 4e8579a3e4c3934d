// What the mergeable documents of probabilistic runs share: the baseline in JSON, reals
// that may be NaN or infinite, and the shards a document holds, checked and merged.
#pragma once

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "mc/mc_part.hpp"

namespace vorn::mc {

// The "format" of a part document: "" unless it is a JSON object with one. Tells the kinds
// of parts apart before one is read in full.
std::string part_format(std::string_view json);

// The JSON of a part document whose "format" is `format` and "version" `version`. Throws
// PartError, prefixed by `where`, naming the document a `kind` ("a part of a nested run").
nlohmann::ordered_json parse_part_document(std::string_view json, const std::string& where,
                                           const char* format, int version, const char* kind);

// Throws PartError (prefixed by `where`) unless two parts are of one run: the same resolved
// scenario, shard count and deterministic values.
void check_same_run(const std::string& scenario, const std::string& other_scenario,
                    std::uint64_t shard_count, std::uint64_t other_shard_count,
                    const McBaseline& baseline, const McBaseline& other_baseline,
                    const std::string& where);

nlohmann::ordered_json baseline_to_json(const McBaseline& baseline);
McBaseline baseline_from_json(const nlohmann::ordered_json& j);
// Compared as bits, so that NaN baselines match.
bool same_baseline(const McBaseline& a, const McBaseline& b);

// A number, or "NaN", "Infinity", "-Infinity" as json_number writes them.
double real_from_json(const nlohmann::ordered_json& j);

nlohmann::ordered_json shards_to_json(const std::vector<ShardRange>& shards);
std::vector<ShardRange> shards_from_json(const nlohmann::ordered_json& j);

// Throws PartError (prefixed by `where`) unless `shards` are some of the `count` shards of
// `units`, in index order, each with its range; returns how many units they hold.
std::uint64_t check_shards(const std::vector<ShardRange>& shards, std::uint64_t count,
                           std::uint64_t units, const std::string& where);

// The shards of both, in index order. Throws PartError when one is in both.
std::vector<ShardRange> merged_shards(const std::vector<ShardRange>& a,
                                      const std::vector<ShardRange>& b, std::uint64_t count,
                                      const std::string& where);

// One unit's values in a part: an outer draw's record, a base row's outputs. NaN where the
// unit gave no value.
struct UnitValues {
  std::uint64_t unit = 0;
  std::vector<double> values;
  bool operator==(const UnitValues&) const = default;
};

// Appends the records as a JSON array of {"<unit_key>": unit, "values": [...]}, every value in
// shortest round-trip form (NaN and the infinities as json_number's words).
void append_unit_values(std::string& text, const std::vector<UnitValues>& records,
                        const char* unit_key);
// The records of such an array. Throws PartError (prefixed by `where`) when one does not
// hold `size` values, naming it by `unit_name` ("outer draw").
std::vector<UnitValues> unit_values_from_json(const nlohmann::ordered_json& array,
                                              const char* unit_key, std::size_t size,
                                              const std::string& unit_name,
                                              const std::string& where);

// Throws PartError (prefixed by `where`) unless `records` are the units of `shards` (some
// `covered` units), each once and in order; `units` names them ("outer draws").
void check_records(const std::vector<UnitValues>& records, const std::vector<ShardRange>& shards,
                   std::uint64_t covered, const std::string& units, const std::string& where);

// The records of both, each list in unit order, merged in unit order into `into`.
void merge_records(std::vector<UnitValues>& into, const std::vector<UnitValues>& other);

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
