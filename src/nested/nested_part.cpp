#include "nested/nested_part.hpp"

#include <nlohmann/json.hpp>

#include "mc/part_document.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_json.hpp"

namespace vorn::nested {
namespace {

using Json = nlohmann::ordered_json;
using mc::PartError;

}  // namespace

std::string nested_part_json(const NestedPart& part) {
  Json j = Json::object();
  j["format"] = kNestedPartFormat;
  j["version"] = kNestedPartVersion;
  j["scenario"] = Json::parse(part.scenario_json);
  j["seed"] = part.seed;
  j["outer"] = part.outer;
  j["inner"] = part.inner;
  j["shard_count"] = part.shard_count;
  j["shards"] = mc::shards_to_json(part.shards);
  j["baseline"] = mc::baseline_to_json(part.baseline);
  std::string text = j.dump();
  text.pop_back();  // the object's closing brace: the records follow
  text += ",\"records\":";
  mc::append_unit_values(text, part.records, "draw");
  return text + "}\n";
}

NestedPart parse_nested_part(std::string_view json, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  const Json j = mc::parse_part_document(json, where, kNestedPartFormat, kNestedPartVersion,
                                         "a part of a nested run");
  NestedPart part;
  mc::read_part_fields(where, "nested part", [&] {
    const scenario::ResolvedScenario scenario = scenario::from_json(j.at("scenario").dump());
    part.scenario_json = scenario::to_json(scenario);
    part.seed = j.at("seed").get<std::uint64_t>();
    part.outer = j.at("outer").get<std::uint64_t>();
    part.inner = j.at("inner").get<std::uint64_t>();
    part.shard_count = j.at("shard_count").get<std::uint64_t>();
    part.shards = mc::shards_from_json(j.at("shards"));
    part.baseline = mc::baseline_from_json(j.at("baseline"));
    if (!scenario.nested() || part.seed != scenario.seed || part.outer != scenario.outer ||
        part.inner != scenario.inner)
      throw PartError(where + "seed, outer or inner draws differ from its scenario's");
    const std::uint64_t covered =
        mc::check_shards(part.shards, part.shard_count, part.outer, where);
    const std::size_t n = scenario.chemical_count;
    if (part.baseline.names.size() != n)
      throw PartError(where + "its chemicals do not match its scenario's " + std::to_string(n));
    part.records = mc::unit_values_from_json(
        j.at("records"), "draw", design_of(scenario).layout(n).size(), "outer draw", where);
    mc::check_records(part.records, part.shards, covered, "outer draws", where);
  });
  return part;
}

void merge_nested_part(NestedPart& into, const NestedPart& other, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  mc::check_same_run(into.scenario_json, other.scenario_json, into.shard_count, other.shard_count,
                     into.baseline, other.baseline, where);
  into.shards = mc::merged_shards(into.shards, other.shards, into.shard_count, where);
  mc::merge_records(into.records, other.records);
}

}  // namespace vorn::nested
