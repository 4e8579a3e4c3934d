#include "mc/sobol_part.hpp"

#include <nlohmann/json.hpp>

#include "core/json_count.hpp"

#include "mc/unit_values.hpp"
#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario_json.hpp"

namespace vorn::mc {
namespace {

using Json = nlohmann::ordered_json;

bool power_of_two(std::uint64_t m) {
  return m >= 2 && (m & (m - 1)) == 0 && m <= scenario::kMaxDraws;
}

}  // namespace

std::string sobol_part_json(const SobolPart& part) {
  Json j = part_header_json(kSobolPartKind, part, {{"base_rows", part.base_rows}});
  j["groups"] = part.groups;
  std::string text = j.dump();
  text.pop_back();  // the object's closing brace: the rows follow
  text += ",\"rows\":";
  append_unit_values(text, part.rows, "row");
  return sealed_part(text + "}");
}

SobolPart parse_sobol_part(std::string_view json, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  const Json j = parse_part_document(json, where, kSobolPartKind);
  SobolPart part;
  read_part_fields(where, "part of a Sobol design", [&] {
    const scenario::ResolvedScenario scenario = read_part_header(j, part);
    part.base_rows = json_count_at(j, "base_rows");
    part.groups = j.at("groups").get<std::vector<std::string>>();
    if (scenario.nested() || !scenario.correlate.empty())
      throw PartError(where + "its scenario has uncertainty inputs or correlated ones");
    if (!power_of_two(part.base_rows))
      throw PartError(where + "base rows " + std::to_string(part.base_rows) +
                      ", not a power of two from 2 to 2^31");
    if (part.groups.size() != scenario.vary.size())
      throw PartError(where + "it has " + std::to_string(part.groups.size()) +
                      " input groups, its scenario " + std::to_string(scenario.vary.size()) +
                      " [[vary]] entries");
    const std::uint64_t covered =
        check_part_header(part, scenario, part.base_rows, kSobolPartKind, where);
    part.rows = unit_values_from_json(j.at("rows"), "row", part.blocks() * part.outputs(),
                                      "base row", where);
    check_records(part.rows, part.shards, covered, "base rows", where);
  });
  return part;
}

void merge_sobol_part(SobolPart& into, const SobolPart& other, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  if (into.base_rows != other.base_rows)
    throw PartError(where + "a design of " + std::to_string(other.base_rows) +
                    " base rows, the other parts of " + std::to_string(into.base_rows));
  if (into.groups != other.groups)
    throw PartError(where + "its input groups differ from the other parts'");
  merge_part_header(into, other, where);
  merge_records(into.rows, other.rows);
}

}  // namespace vorn::mc
