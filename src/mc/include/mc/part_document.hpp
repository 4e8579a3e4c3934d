// What the mergeable documents of probabilistic runs share: the baseline in JSON, reals
// that may be NaN or infinite, and the shards a document holds, checked and merged.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
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

// Throws PartError (prefixed by `where`) unless `records` are the units of `shards` (some
// `covered` units), each once and in order; `unit(record)` is a record's unit, `units` what
// the units are ("outer draws").
template <class Record, class Unit>
void check_records(const std::vector<Record>& records, const std::vector<ShardRange>& shards,
                   std::uint64_t covered, Unit unit, const std::string& units,
                   const std::string& where) {
  std::size_t k = 0;
  for (const ShardRange& s : shards)
    for (std::uint64_t u = s.first; u <= s.last; ++u, ++k)
      if (k >= records.size() || unit(records[k]) != u)
        throw PartError(where + "its records are not the " + units + " of its shards");
  if (records.size() != covered)
    throw PartError(where + "it holds " + std::to_string(records.size()) + " " + units +
                    ", its shards " + std::to_string(covered));
}

// The records of both, each list in unit order, merged in unit order into `into`.
template <class Record, class Unit>
void merge_records(std::vector<Record>& into, const std::vector<Record>& other, Unit unit) {
  std::vector<Record> records;
  records.reserve(into.size() + other.size());
  std::merge(std::make_move_iterator(into.begin()), std::make_move_iterator(into.end()),
             other.begin(), other.end(), std::back_inserter(records),
             [&unit](const Record& a, const Record& b) { return unit(a) < unit(b); });
  into = std::move(records);
}

}  // namespace vorn::mc
