#include "mc/unit_values.hpp"

#include <algorithm>
#include <iterator>
#include <nlohmann/json.hpp>

#include "core/json_count.hpp"
#include "core/json_number.hpp"
#include "mc/part_document.hpp"

namespace vorn::mc {

using Json = nlohmann::ordered_json;

void append_unit_values(std::string& text, const std::vector<UnitValues>& records,
                        const char* unit_key) {
  text += '[';
  for (std::size_t k = 0; k < records.size(); ++k) {
    text += k > 0 ? ",{\"" : "{\"";
    text += unit_key;
    text += "\":" + std::to_string(records[k].unit) + ",\"values\":[";
    for (std::size_t v = 0; v < records[k].values.size(); ++v) {
      if (v > 0) text += ',';
      append_json_number(text, records[k].values[v]);
    }
    text += "]}";
  }
  text += ']';
}

std::vector<UnitValues> unit_values_from_json(const Json& array, const char* unit_key,
                                              std::size_t size, const std::string& unit_name,
                                              const std::string& where) {
  if (!array.is_array()) throw PartError(where + "its " + unit_name + "s are not an array");
  std::vector<UnitValues> records;
  for (std::size_t k = 0; k < array.size(); ++k) {
    const Json& r = array[k];
    UnitValues& record = records.emplace_back();
    record.unit = json_count(r.at(unit_key),
                             std::string(unit_key) + " (record " + std::to_string(k + 1) + ")");
    const Json& values = r.at("values");
    if (!values.is_array())
      throw PartError(where + unit_name + " " + std::to_string(record.unit) +
                      ": its values are not an array");
    record.values.reserve(values.size());
    for (const Json& x : values) record.values.push_back(real_from_json(x));
    if (record.values.size() != size)
      throw PartError(where + unit_name + " " + std::to_string(record.unit) + " holds " +
                      std::to_string(record.values.size()) + " values, not " +
                      std::to_string(size));
  }
  return records;
}

void check_records(const std::vector<UnitValues>& records, const std::vector<ShardRange>& shards,
                   std::uint64_t covered, const std::string& units, const std::string& where) {
  std::size_t k = 0;
  for (const ShardRange& s : shards)
    for (std::uint64_t u = s.first; u <= s.last; ++u, ++k)
      if (k >= records.size() || records[k].unit != u)
        throw PartError(where + "its records are not the " + units + " of its shards");
  if (records.size() != covered)
    throw PartError(where + "it holds " + std::to_string(records.size()) + " " + units +
                    ", its shards " + std::to_string(covered));
}

void merge_records(std::vector<UnitValues>& into, const std::vector<UnitValues>& other) {
  std::vector<UnitValues> records;
  records.reserve(into.size() + other.size());
  std::merge(std::make_move_iterator(into.begin()), std::make_move_iterator(into.end()),
             other.begin(), other.end(), std::back_inserter(records),
             [](const UnitValues& a, const UnitValues& b) { return a.unit < b.unit; });
  into = std::move(records);
}

}  // namespace vorn::mc
