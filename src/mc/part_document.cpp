#include "mc/part_document.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <nlohmann/json.hpp>

#include "core/json_count.hpp"
#include "core/json_number.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_json.hpp"

namespace vorn::mc {

using Json = nlohmann::ordered_json;

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
  if (!j.at("chemicals").is_array())
    throw std::invalid_argument("baseline.chemicals: not an array");
  for (const Json& c : j.at("chemicals")) {
    b.names.push_back(c.at("name").get<std::string>());
    b.cas.push_back(c.at("cas").get<std::string>());
    const Json& q = c.at("quantities");
    if (!q.is_array() || q.size() != kChemicalQuantities)
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
  if (!j.is_array()) throw std::invalid_argument("shards: not an array");
  std::vector<ShardRange> shards;
  for (std::size_t k = 0; k < j.size(); ++k) {
    const Json& s = j[k];
    const std::string at = "shards[" + std::to_string(k) + "].";
    shards.push_back(ShardRange{json_count(s.at("index"), at + "index"),
                                json_count(s.at("first"), at + "first"),
                                json_count(s.at("last"), at + "last")});
  }
  return shards;
}

std::uint64_t check_shards(const std::vector<ShardRange>& shards, std::uint64_t count,
                           std::uint64_t units, const char* units_word, const std::string& where) {
  if (count == 0 || count > kMaxShards || shards.empty()) throw PartError(where + "holds no shard");
  std::uint64_t covered = 0, previous = 0;
  for (const ShardRange& s : shards) {
    if (s.index <= previous || s.index > count || !(s == shard_range(s.index, count, units)))
      throw PartError(where + "shard " + std::to_string(s.index) + "/" + std::to_string(count) +
                      " does not hold its " + units_word + " in order");
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

}  // namespace vorn::mc
