// The pieces of part documents in JSON: the baseline, reals that may be NaN or infinite, and
// the shards a document holds, checked and merged.
#pragma once

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "mc/part_header.hpp"

namespace vorn::mc {

nlohmann::ordered_json baseline_to_json(const McBaseline& baseline);
McBaseline baseline_from_json(const nlohmann::ordered_json& j);
// Compared as bits, so that NaN baselines match.
bool same_baseline(const McBaseline& a, const McBaseline& b);

// A number, or "NaN", "Infinity", "-Infinity" as json_number writes them.
double real_from_json(const nlohmann::ordered_json& j);

nlohmann::ordered_json shards_to_json(const std::vector<ShardRange>& shards);
std::vector<ShardRange> shards_from_json(const nlohmann::ordered_json& j);

// Throws PartError (prefixed by `where`) unless `shards` are some of the `count` shards of
// `units` (`units_word`: "realizations"), in index order, each with its range; returns how
// many units they hold.
std::uint64_t check_shards(const std::vector<ShardRange>& shards, std::uint64_t count,
                           std::uint64_t units, const char* units_word, const std::string& where);

// The shards of both, in index order. Throws PartError when one is in both.
std::vector<ShardRange> merged_shards(const std::vector<ShardRange>& a,
                                      const std::vector<ShardRange>& b, std::uint64_t count,
                                      const std::string& where);

}  // namespace vorn::mc
