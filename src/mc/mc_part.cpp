#include "mc/mc_part.hpp"

#include <cmath>
#include <cstring>
#include <nlohmann/json.hpp>

#include "core/json_number.hpp"
#include "core/text.hpp"
#include "input/chemical_derivation.hpp"
#include "mc/realization.hpp"
#include "mc/resolved_scenario.hpp"

namespace vorn::mc {
namespace {

using Json = nlohmann::ordered_json;
constexpr const char* kFormat = "vorn-mc-part";

double real_from(const Json& j) {
  if (j.is_number()) return j.get<double>();
  const std::string text = j.get<std::string>();
  if (text == "NaN") return std::nan("");
  if (text == "Infinity") return HUGE_VAL;
  if (text == "-Infinity") return -HUGE_VAL;
  throw std::invalid_argument("\"" + text + "\" is not a number");
}

Json baseline_json(const McBaseline& b) {
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

McBaseline baseline_from(const Json& j) {
  McBaseline b;
  for (const Json& c : j.at("chemicals")) {
    b.names.push_back(c.at("name").get<std::string>());
    b.cas.push_back(c.at("cas").get<std::string>());
    const Json& q = c.at("quantities");
    if (q.size() != kChemicalQuantities)
      throw std::invalid_argument("a chemical's baseline holds " + std::to_string(q.size()) +
                                  " quantities, not " + std::to_string(kChemicalQuantities));
    ChemicalQuantities& values = b.quantities.emplace_back();
    for (std::size_t k = 0; k < kChemicalQuantities; ++k) values[k] = real_from(q[k]);
    b.gw_waste.push_back(real_from(c.at("gw_waste")));
    b.sf_waste.push_back(real_from(c.at("sf_waste")));
  }
  b.risk = real_from(j.at("risk"));
  b.hazard = real_from(j.at("hazard"));
  b.landfill = j.at("landfill").get<bool>();
  b.target_risk = real_from(j.at("target_risk"));
  b.target_hazard = real_from(j.at("target_hazard"));
  return b;
}

// Doubles compared as bits, so that NaN baselines match.
bool same_bits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

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

// One block of stored rows for each shard with realizations up to kSampleRowLimit, and
// none besides.
void check_rows(const McPart& part, const std::string& where) {
  std::size_t blocks = 0;
  for (const ShardRange& s : part.shards) {
    const SampleRowRange range = sample_row_range(s.first, s.last);
    if (range.count() == 0) continue;
    ++blocks;
    const auto it = part.rows.blocks.find(range.first);
    if (it == part.rows.blocks.end() || it->second.size() != range.count() * part.rows.columns)
      throw PartError(where + "shard " + std::to_string(s.index) + " does not hold its " +
                      std::to_string(range.count()) + " stored rows");
  }
  if (blocks != part.rows.blocks.size())
    throw PartError(where + "holds stored rows outside its shards");
}

}  // namespace

McBaseline baseline_of(const McInput& input) {
  McBaseline b;
  for (const Chemical& c : input.chemicals) {
    b.names.emplace_back(trim_blanks(c.CHEMNAME));
    b.cas.emplace_back(trim_blanks(c.CHEMCAS));
  }
  b.quantities = input.baseline;
  b.risk = input.baseline_risk;
  b.hazard = input.baseline_hazard;
  b.landfill = input.unit.is_landfill();
  b.target_risk = input.unit.WU_RISKFACT;
  b.target_hazard = input.unit.WU_HQFACT;
  for (Chemical derived : input.chemicals) {
    derive_chemical(derived);
    b.gw_waste.push_back(derived.TCLPCONC);
    b.sf_waste.push_back(b.landfill ? derived.TOTC : derived.TCLPCONC);
  }
  return b;
}

ShardRange shard_range(std::uint64_t index, std::uint64_t count, std::uint64_t realizations) {
  // floor(iN/K) without overflow for any 64-bit N: N = qK + r, r*i < K^2 <= 2^64.
  if (count == 0 || count > kMaxShards || index > count)
    throw std::invalid_argument("shard " + std::to_string(index) + "/" + std::to_string(count));
  auto bound = [&](std::uint64_t i) {
    const std::uint64_t q = realizations / count, r = realizations % count;
    return q * i + r * i / count;
  };
  return ShardRange{index, bound(index - 1) + 1, bound(index)};
}

std::string part_json(const McPart& part) {
  Json j = Json::object();
  j["format"] = kFormat;
  j["version"] = kPartVersion;
  j["scenario"] = Json::parse(part.scenario_json);
  j["seed"] = part.seed;
  j["realizations"] = part.realizations;
  j["shard_count"] = part.shard_count;
  Json shards = Json::array();
  for (const ShardRange& s : part.shards)
    shards.push_back(Json{{"index", s.index}, {"first", s.first}, {"last", s.last}});
  j["shards"] = std::move(shards);
  j["baseline"] = baseline_json(part.baseline);
  part.tally.to_json(j["state"]);
  part.rows.to_json(j["rows"]);
  return j.dump() + '\n';
}

McPart parse_part(std::string_view json, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  Json j;
  try {
    j = Json::parse(json);
  } catch (const Json::parse_error& e) {
    throw PartError(where + "not JSON: " + e.what());
  }
  McPart part;
  try {
    if (!j.is_object() || j.value("format", "") != kFormat)
      throw PartError(where + "not a part of a probabilistic run (format \"" + kFormat + "\")");
    if (j.at("version").get<int>() != kPartVersion)
      throw PartError(where + "part version " + j.at("version").dump() + ", this program reads " +
                      std::to_string(kPartVersion));
    const ResolvedScenario scenario = from_json(j.at("scenario").dump());
    part.scenario_json = to_json(scenario);
    part.seed = j.at("seed").get<std::uint64_t>();
    part.realizations = j.at("realizations").get<std::uint64_t>();
    part.shard_count = j.at("shard_count").get<std::uint64_t>();
    for (const Json& s : j.at("shards"))
      part.shards.push_back(ShardRange{s.at("index").get<std::uint64_t>(),
                                       s.at("first").get<std::uint64_t>(),
                                       s.at("last").get<std::uint64_t>()});
    part.baseline = baseline_from(j.at("baseline"));
    part.tally = McTally::from_json(j.at("state"));
    part.rows = SampleRows::from_json(j.at("rows"));

    if (part.seed != scenario.seed || part.realizations != scenario.realizations)
      throw PartError(where + "seed or realizations differ from its scenario's");
    if (part.shard_count == 0 || part.shard_count > kMaxShards || part.shards.empty())
      throw PartError(where + "holds no shard");
    std::uint64_t covered = 0, previous = 0;
    for (const ShardRange& s : part.shards) {
      if (s.index <= previous || s.index > part.shard_count ||
          !(s == shard_range(s.index, part.shard_count, part.realizations)))
        throw PartError(where + "shard " + std::to_string(s.index) + "/" +
                        std::to_string(part.shard_count) + " does not hold its realizations " +
                        "in order");
      previous = s.index;
      covered += s.last + 1 - s.first;
    }
    check_rows(part, where);
    const std::size_t n = scenario.chemical_count;
    if (part.baseline.names.size() != n || part.tally.chemicals.size() != n)
      throw PartError(where + "its chemicals do not match its scenario's " + std::to_string(n));
    if (part.tally.realizations != covered)
      throw PartError(where + "its state holds " + std::to_string(part.tally.realizations) +
                      " realizations, its shards " + std::to_string(covered));
  } catch (const PartError&) {
    throw;
  } catch (const std::exception& e) {
    throw PartError(where + "not a valid part: " + e.what());
  }
  return part;
}

void merge_part(McPart& into, const McPart& other, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  if (!(from_json(into.scenario_json) == from_json(other.scenario_json)))
    throw PartError(where + "its scenario differs from the other parts'");
  if (into.seed != other.seed || into.realizations != other.realizations)
    throw PartError(where + "its seed or realizations differ from the other parts'");
  if (into.shard_count != other.shard_count)
    throw PartError(where + "it is one of " + std::to_string(other.shard_count) +
                    " shards, the other parts of " + std::to_string(into.shard_count));
  if (!same_baseline(into.baseline, other.baseline))
    throw PartError(where + "its deterministic values differ from the other parts'");
  std::vector<ShardRange> shards;
  std::size_t a = 0, b = 0;
  while (a < into.shards.size() || b < other.shards.size()) {
    if (b == other.shards.size() ||
        (a < into.shards.size() && into.shards[a].index < other.shards[b].index)) {
      shards.push_back(into.shards[a++]);
    } else if (a == into.shards.size() || other.shards[b].index < into.shards[a].index) {
      shards.push_back(other.shards[b++]);
    } else {
      throw PartError(where + "shard " + std::to_string(other.shards[b].index) + "/" +
                      std::to_string(into.shard_count) + " is given twice");
    }
  }
  into.shards = std::move(shards);
  into.tally.merge(other.tally);
  into.rows.merge(other.rows);
}

}  // namespace vorn::mc
