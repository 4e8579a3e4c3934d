#include "mc/mc_part.hpp"

#include <nlohmann/json.hpp>

#include "core/json_count.hpp"

#include "mc/part_document.hpp"
#include "mc/tally_checks.hpp"
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

std::string part_json(const McPart& part) {
  Json j = part_header_json(kMcPartKind, part, {{"realizations", part.realizations}});
  part.tally.to_json(j["state"]);
  part.rows.to_json(j["rows"]);
  return sealed_part(j.dump());
}

McPart parse_part(std::string_view json, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  const Json j = parse_part_document(json, where, kMcPartKind);
  McPart part;
  read_part_fields(where, "part", [&] {
    const scenario::ResolvedScenario scenario = read_part_header(j, part);
    part.realizations = json_count_at(j, "realizations");
    part.tally = McTally::from_json(j.at("state"));
    part.rows = SampleRows::from_json(j.at("rows"));

    if (scenario.nested()) throw PartError(where + "its scenario is of a nested run");
    if (part.realizations != scenario.realizations)
      throw PartError(where + "its realizations differ from its scenario's");
    const std::uint64_t covered =
        check_part_header(part, scenario, part.realizations, kMcPartKind, where);
    check_rows(part, where);
    const std::size_t n = scenario.chemical_count;
    if (part.tally.chemicals.size() != n)
      throw PartError(where + "its chemicals do not match its scenario's " + std::to_string(n));
    if (part.tally.realizations != covered)
      throw PartError(where + "its state holds " + std::to_string(part.tally.realizations) +
                      " realizations, its shards " + std::to_string(covered));
    check_tally(part.tally, part.shards, where);
  });
  return part;
}

void merge_part(McPart& into, const McPart& other, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  if (into.realizations != other.realizations)
    throw PartError(where + "its realizations differ from the other parts'");
  merge_part_header(into, other, where);
  into.tally.merge(other.tally);
  into.rows.merge(other.rows);
}

}  // namespace vorn::mc
