#include "mc/part_document.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <nlohmann/json.hpp>

#include "core/json_number.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_json.hpp"

namespace vorn::mc {

using Json = nlohmann::ordered_json;

std::string part_format(std::string_view json) {
  const Json j = Json::parse(json, nullptr, false);
  if (!j.is_object()) return "";
  const auto found = j.find("format");
  return found != j.end() && found->is_string() ? found->get<std::string>() : "";
}

Json parse_part_document(std::string_view json, const std::string& where, const char* format,
                         int version, const char* kind) {
  Json j;
  try {
    j = Json::parse(json);
  } catch (const Json::parse_error& e) {
    throw PartError(where + "not JSON: " + e.what());
  }
  if (!j.is_object() || j.value("format", "") != format)
    throw PartError(where + "not " + kind + " (format \"" + format + "\")");
  const auto found = j.find("version");
  if (found == j.end() || !found->is_number_integer() || found->get<int>() != version)
    throw PartError(where + "version " + (found == j.end() ? "none" : found->dump()) +
                    ", this program reads " + std::to_string(version));
  return j;
}

void check_same_run(const std::string& scenario, const std::string& other_scenario,
                    std::uint64_t shard_count, std::uint64_t other_shard_count,
                    const McBaseline& baseline, const McBaseline& other_baseline,
                    const std::string& where) {
  if (!(scenario::from_json(scenario) == scenario::from_json(other_scenario)))
    throw PartError(where + "its scenario differs from the other parts'");
  if (shard_count != other_shard_count)
    throw PartError(where + "it is one of " + std::to_string(other_shard_count) +
                    " shards, the other parts of " + std::to_string(shard_count));
  if (!same_baseline(baseline, other_baseline))
    throw PartError(where + "its deterministic values differ from the other parts'");
}

double real_from_json(const Json& j) {
  if (j.is_number()) return j.get<double>();
  const std::string text = j.get<std::string>();
  if (text == "NaN") return std::nan("");
  if (text == "Infinity") return HUGE_VAL;
  if (text == "-Infinity") return -HUGE_VAL;
  throw std::invalid_argument("\"" + text + "\" is not a number");
}

Json baseline_to_json(const McBaseline& b) {
  Json chems = Json::array();
  for (std::size_t i = 0; i < b.names.size(); ++i) {
    Json c = Json::object();
    c["name"] = b.names[i];
    c["cas"] = b.cas[i];
    Json q = Json::array();
    for (const double x : b.quantities[i]) q.push_back(json_number(x));
    c["quantities"] = std::move(q);
    c["gw_waste"] = json_number(b.gw_waste[i]);
    c["sf_waste"] = json_number(b.sf_waste[i]);
    chems.push_back(std::move(c));
  }
  Json j = Json::object();
  j["chemicals"] = std::move(chems);
  j["risk"] = json_number(b.risk);
  j["hazard"] = json_number(b.hazard);
  j["landfill"] = b.landfill;
  j["target_risk"] = json_number(b.target_risk);
  j["target_hazard"] = json_number(b.target_hazard);
  return j;
}

McBaseline baseline_from_json(const Json& j) {
  McBaseline b;
  for (const Json& c : j.at("chemicals")) {
    b.names.push_back(c.at("name").get<std::string>());
    b.cas.push_back(c.at("cas").get<std::string>());
    const Json& q = c.at("quantities");
    if (q.size() != kChemicalQuantities)
      throw std::invalid_argument("a chemical's baseline holds " + std::to_string(q.size()) +
                                  " quantities, not " + std::to_string(kChemicalQuantities));
    ChemicalQuantities& values = b.quantities.emplace_back();
    for (std::size_t k = 0; k < kChemicalQuantities; ++k) values[k] = real_from_json(q[k]);
    b.gw_waste.push_back(real_from_json(c.at("gw_waste")));
    b.sf_waste.push_back(real_from_json(c.at("sf_waste")));
  }
  b.risk = real_from_json(j.at("risk"));
  b.hazard = real_from_json(j.at("hazard"));
  b.landfill = j.at("landfill").get<bool>();
  b.target_risk = real_from_json(j.at("target_risk"));
  b.target_hazard = real_from_json(j.at("target_hazard"));
  return b;
}

namespace {

bool same_bits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

bool same_baseline(const McBaseline& a, const McBaseline& b) {
  if (a.names != b.names || a.cas != b.cas || a.quantities.size() != b.quantities.size())
    return false;
  for (std::size_t i = 0; i < a.quantities.size(); ++i) {
    for (std::size_t k = 0; k < kChemicalQuantities; ++k)
      if (!same_bits(a.quantities[i][k], b.quantities[i][k])) return false;
    if (!same_bits(a.gw_waste[i], b.gw_waste[i]) || !same_bits(a.sf_waste[i], b.sf_waste[i]))
      return false;
  }
  return same_bits(a.risk, b.risk) && same_bits(a.hazard, b.hazard) && a.landfill == b.landfill &&
         same_bits(a.target_risk, b.target_risk) && same_bits(a.target_hazard, b.target_hazard);
}

Json shards_to_json(const std::vector<ShardRange>& shards) {
  Json j = Json::array();
  for (const ShardRange& s : shards)
    j.push_back(Json{{"index", s.index}, {"first", s.first}, {"last", s.last}});
  return j;
}

std::vector<ShardRange> shards_from_json(const Json& j) {
  std::vector<ShardRange> shards;
  for (const Json& s : j)
    shards.push_back(ShardRange{s.at("index").get<std::uint64_t>(),
                                s.at("first").get<std::uint64_t>(),
                                s.at("last").get<std::uint64_t>()});
  return shards;
}

std::uint64_t check_shards(const std::vector<ShardRange>& shards, std::uint64_t count,
                           std::uint64_t units, const std::string& where) {
  if (count == 0 || count > kMaxShards || shards.empty()) throw PartError(where + "holds no shard");
  std::uint64_t covered = 0, previous = 0;
  for (const ShardRange& s : shards) {
    if (s.index <= previous || s.index > count || !(s == shard_range(s.index, count, units)))
      throw PartError(where + "shard " + std::to_string(s.index) + "/" + std::to_string(count) +
                      " does not hold its realizations in order");
    previous = s.index;
    covered += s.last + 1 - s.first;
  }
  return covered;
}

std::vector<ShardRange> merged_shards(const std::vector<ShardRange>& into,
                                      const std::vector<ShardRange>& other, std::uint64_t count,
                                      const std::string& where) {
  std::vector<ShardRange> shards;
  std::size_t a = 0, b = 0;
  while (a < into.size() || b < other.size()) {
    if (b == other.size() || (a < into.size() && into[a].index < other[b].index)) {
      shards.push_back(into[a++]);
    } else if (a == into.size() || other[b].index < into[a].index) {
      shards.push_back(other[b++]);
    } else {
      throw PartError(where + "shard " + std::to_string(other[b].index) + "/" +
                      std::to_string(count) + " is given twice");
    }
  }
  return shards;
}

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
  std::vector<UnitValues> records;
  for (const Json& r : array) {
    UnitValues& record = records.emplace_back();
    record.unit = r.at(unit_key).get<std::uint64_t>();
    for (const Json& x : r.at("values")) record.values.push_back(real_from_json(x));
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
