// The units of a part that keeps one record a unit: a nested run's outer draws, a Sobol
// design's base rows.
#pragma once

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <vector>

#include "mc/part_header.hpp"

namespace vorn::mc {

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

}  // namespace vorn::mc
