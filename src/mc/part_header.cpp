#include "mc/part_header.hpp"

#include <nlohmann/json.hpp>

#include "core/text.hpp"
#include "input/chemical_derivation.hpp"
#include "mc/part_document.hpp"
#include "mc/realization.hpp"
#include "scenario/scenario_json.hpp"

namespace vorn::mc {

using Json = nlohmann::ordered_json;

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

std::string part_format(std::string_view json) {
  const Json j = Json::parse(json, nullptr, false);
  if (!j.is_object()) return "";
  const auto found = j.find("format");
  return found != j.end() && found->is_string() ? found->get<std::string>() : "";
}

Json part_header_json(const PartKind& kind, const PartHeader& header,
                      std::initializer_list<std::pair<const char*, std::uint64_t>> counts) {
  Json j = Json::object();
  j["format"] = kind.format;
  j["version"] = kind.version;
  j["scenario"] = Json::parse(header.scenario_json);
  j["seed"] = header.seed;
  for (const auto& [key, count] : counts) j[key] = count;
  j["shard_count"] = header.shard_count;
  j["shards"] = shards_to_json(header.shards);
  j["baseline"] = baseline_to_json(header.baseline);
  return j;
}

Json parse_part_document(std::string_view json, const std::string& where, const PartKind& kind) {
  Json j;
  try {
    j = Json::parse(json);
  } catch (const Json::parse_error& e) {
    throw PartError(where + "not JSON: " + e.what());
  }
  if (!j.is_object() || j.value("format", "") != kind.format)
    throw PartError(where + "not " + kind.document + " (format \"" + kind.format + "\")");
  const auto found = j.find("version");
  if (found == j.end() || !found->is_number_integer() || found->get<int>() != kind.version)
    throw PartError(where + "version " + (found == j.end() ? "none" : found->dump()) +
                    ", this program reads " + std::to_string(kind.version) +
                    ": rerun the shard with this vorn");
  return j;
}

scenario::ResolvedScenario read_part_header(const Json& j, PartHeader& header) {
  scenario::ResolvedScenario scenario = scenario::from_json(j.at("scenario").dump());
  header.scenario_json = scenario::to_json(scenario);
  header.seed = j.at("seed").get<std::uint64_t>();
  header.shard_count = j.at("shard_count").get<std::uint64_t>();
  header.shards = shards_from_json(j.at("shards"));
  header.baseline = baseline_from_json(j.at("baseline"));
  return scenario;
}

std::uint64_t check_part_header(const PartHeader& header,
                                const scenario::ResolvedScenario& scenario, std::uint64_t units,
                                const PartKind& kind, const std::string& where) {
  if (header.seed != scenario.seed) throw PartError(where + "its seed differs from its scenario's");
  if (header.baseline.names.size() != scenario.chemical_count)
    throw PartError(where + "its chemicals do not match its scenario's " +
                    std::to_string(scenario.chemical_count));
  return check_shards(header.shards, header.shard_count, units, kind.units, where);
}

void merge_part_header(PartHeader& into, const PartHeader& other, const std::string& where) {
  if (!(scenario::from_json(into.scenario_json) == scenario::from_json(other.scenario_json)))
    throw PartError(where + "its scenario differs from the other parts'");
  if (into.seed != other.seed) throw PartError(where + "its seed differs from the other parts'");
  if (into.shard_count != other.shard_count)
    throw PartError(where + "it is one of " + std::to_string(other.shard_count) +
                    " shards, the other parts of " + std::to_string(into.shard_count));
  if (!same_baseline(into.baseline, other.baseline))
    throw PartError(where + "its deterministic values differ from the other parts'");
  into.shards = merged_shards(into.shards, other.shards, into.shard_count, where);
}

}  // namespace vorn::mc
