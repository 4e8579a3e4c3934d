#include "mc/mc_part.hpp"

#include <nlohmann/json.hpp>

#include "core/text.hpp"
#include "input/chemical_derivation.hpp"
#include "mc/part_document.hpp"
#include "mc/realization.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_json.hpp"

namespace vorn::mc {
namespace {

using Json = nlohmann::ordered_json;

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
  j["format"] = kPartFormat;
  j["version"] = kPartVersion;
  j["scenario"] = Json::parse(part.scenario_json);
  j["seed"] = part.seed;
  j["realizations"] = part.realizations;
  j["shard_count"] = part.shard_count;
  j["shards"] = shards_to_json(part.shards);
  j["baseline"] = baseline_to_json(part.baseline);
  part.tally.to_json(j["state"]);
  part.rows.to_json(j["rows"]);
  return j.dump() + '\n';
}

McPart parse_part(std::string_view json, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  const Json j =
      parse_part_document(json, where, kPartFormat, kPartVersion, "a part of a probabilistic run");
  McPart part;
  read_part_fields(where, "part", [&] {
    const scenario::ResolvedScenario scenario = scenario::from_json(j.at("scenario").dump());
    part.scenario_json = scenario::to_json(scenario);
    part.seed = j.at("seed").get<std::uint64_t>();
    part.realizations = j.at("realizations").get<std::uint64_t>();
    part.shard_count = j.at("shard_count").get<std::uint64_t>();
    part.shards = shards_from_json(j.at("shards"));
    part.baseline = baseline_from_json(j.at("baseline"));
    part.tally = McTally::from_json(j.at("state"));
    part.rows = SampleRows::from_json(j.at("rows"));

    if (scenario.nested()) throw PartError(where + "its scenario is of a nested run");
    if (part.seed != scenario.seed || part.realizations != scenario.realizations)
      throw PartError(where + "seed or realizations differ from its scenario's");
    const std::uint64_t covered =
        check_shards(part.shards, part.shard_count, part.realizations, where);
    check_rows(part, where);
    const std::size_t n = scenario.chemical_count;
    if (part.baseline.names.size() != n || part.tally.chemicals.size() != n)
      throw PartError(where + "its chemicals do not match its scenario's " + std::to_string(n));
    if (part.tally.realizations != covered)
      throw PartError(where + "its state holds " + std::to_string(part.tally.realizations) +
                      " realizations, its shards " + std::to_string(covered));
  });
  return part;
}

void merge_part(McPart& into, const McPart& other, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  check_same_run(into.scenario_json, other.scenario_json, into.shard_count, other.shard_count,
                 into.baseline, other.baseline, where);
  if (into.seed != other.seed || into.realizations != other.realizations)
    throw PartError(where + "its seed or realizations differ from the other parts'");
  into.shards = merged_shards(into.shards, other.shards, into.shard_count, where);
  into.tally.merge(other.tally);
  into.rows.merge(other.rows);
}

}  // namespace vorn::mc
