#include "mc/sobol_part.hpp"

#include <nlohmann/json.hpp>

#include "mc/part_document.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_json.hpp"

namespace vorn::mc {
namespace {

using Json = nlohmann::ordered_json;

bool power_of_two(std::uint64_t m) {
  return m >= 2 && (m & (m - 1)) == 0;
}

}  // namespace

std::string sobol_part_json(const SobolPart& part) {
  Json j = Json::object();
  j["format"] = kSobolPartFormat;
  j["version"] = kSobolPartVersion;
  j["scenario"] = Json::parse(part.scenario_json);
  j["seed"] = part.seed;
  j["base_rows"] = part.base_rows;
  j["shard_count"] = part.shard_count;
  j["shards"] = shards_to_json(part.shards);
  j["baseline"] = baseline_to_json(part.baseline);
  j["groups"] = part.groups;
  std::string text = j.dump();
  text.pop_back();  // the object's closing brace: the rows follow
  text += ",\"rows\":";
  append_unit_values(text, part.rows, "row");
  return text + "}\n";
}

SobolPart parse_sobol_part(std::string_view json, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  const Json j = parse_part_document(json, where, kSobolPartFormat, kSobolPartVersion,
                                     "a part of a Sobol design");
  SobolPart part;
  read_part_fields(where, "part of a Sobol design", [&] {
    const scenario::ResolvedScenario scenario = scenario::from_json(j.at("scenario").dump());
    part.scenario_json = scenario::to_json(scenario);
    part.seed = j.at("seed").get<std::uint64_t>();
    part.base_rows = j.at("base_rows").get<std::uint64_t>();
    part.shard_count = j.at("shard_count").get<std::uint64_t>();
    part.shards = mc::shards_from_json(j.at("shards"));
    part.baseline = mc::baseline_from_json(j.at("baseline"));
    part.groups = j.at("groups").get<std::vector<std::string>>();
    if (scenario.nested() || !scenario.correlate.empty())
      throw PartError(where + "its scenario has uncertainty inputs or correlated ones");
    if (part.seed != scenario.seed) throw PartError(where + "its seed differs from its scenario's");
    if (!power_of_two(part.base_rows))
      throw PartError(where + "base rows " + std::to_string(part.base_rows) +
                      ", not a power of two of at least 2");
    if (part.groups.size() != scenario.vary.size())
      throw PartError(where + "it has " + std::to_string(part.groups.size()) +
                      " input groups, its scenario " + std::to_string(scenario.vary.size()) +
                      " [[vary]] entries");
    if (part.baseline.names.size() != scenario.chemical_count)
      throw PartError(where + "its chemicals do not match its scenario's " +
                      std::to_string(scenario.chemical_count));
    const std::uint64_t covered =
        mc::check_shards(part.shards, part.shard_count, part.base_rows, where);
    part.rows = mc::unit_values_from_json(j.at("rows"), "row", part.blocks() * part.outputs(),
                                          "base row", where);
    mc::check_records(part.rows, part.shards, covered, "base rows", where);
  });
  return part;
}

void merge_sobol_part(SobolPart& into, const SobolPart& other, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  mc::check_same_run(into.scenario_json, other.scenario_json, into.shard_count, other.shard_count,
                     into.baseline, other.baseline, where);
  if (into.base_rows != other.base_rows)
    throw PartError(where + "a design of " + std::to_string(other.base_rows) +
                    " base rows, the other parts of " + std::to_string(into.base_rows));
  if (into.groups != other.groups)
    throw PartError(where + "its input groups differ from the other parts'");
  into.shards = mc::merged_shards(into.shards, other.shards, into.shard_count, where);
  mc::merge_records(into.rows, other.rows);
}

}  // namespace vorn::mc
