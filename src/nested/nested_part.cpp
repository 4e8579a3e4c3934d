#include "nested/nested_part.hpp"

#include <nlohmann/json.hpp>

#include "mc/unit_values.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_json.hpp"

namespace vorn::nested {
namespace {

using Json = nlohmann::ordered_json;
using mc::PartError;

}  // namespace

std::string nested_part_json(const NestedPart& part) {
  const Json j =
      mc::part_header_json(kNestedPartKind, part, {{"outer", part.outer}, {"inner", part.inner}});
  std::string text = j.dump();
  text.pop_back();  // the object's closing brace: the records follow
  text += ",\"records\":";
  mc::append_unit_values(text, part.records, "draw");
  return text + "}\n";
}

NestedPart parse_nested_part(std::string_view json, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  const Json j = mc::parse_part_document(json, where, kNestedPartKind);
  NestedPart part;
  mc::read_part_fields(where, "nested part", [&] {
    const scenario::ResolvedScenario scenario = mc::read_part_header(j, part);
    part.outer = j.at("outer").get<std::uint64_t>();
    part.inner = j.at("inner").get<std::uint64_t>();
    if (!scenario.nested() || part.outer != scenario.outer || part.inner != scenario.inner)
      throw PartError(where + "its outer or inner draws differ from its scenario's");
    const std::uint64_t covered =
        mc::check_part_header(part, scenario, part.outer, kNestedPartKind, where);
    part.records = mc::unit_values_from_json(
        j.at("records"), "draw", design_of(scenario).layout(scenario.chemical_count).size(),
        "outer draw", where);
    mc::check_records(part.records, part.shards, covered, "outer draws", where);
  });
  return part;
}

void merge_nested_part(NestedPart& into, const NestedPart& other, std::string_view source) {
  mc::merge_part_header(into, other, std::string(source) + ": ");
  mc::merge_records(into.records, other.records);
}

}  // namespace vorn::nested
