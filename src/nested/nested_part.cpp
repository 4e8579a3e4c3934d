#include "nested/nested_part.hpp"

#include <nlohmann/json.hpp>

#include <cmath>

#include "core/json_count.hpp"
#include "core/number_text.hpp"

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
  return mc::sealed_part(text + "}");
}

namespace {

// A share (P(above target), P(exceeded), the share of failed realizations) is a
// probability, or NaN where no realization completed.
void check_shares(const std::vector<OuterRecord>& records, const RecordLayout& layout,
                  const std::string& where) {
  std::vector<std::size_t> shares;
  const auto above = [&](std::size_t first) { shares.push_back(first + layout.percentiles); };
  for (std::size_t i = 0; i < layout.chemicals; ++i) {
    for (std::size_t k = 0; k < mc::kChemicalQuantities; ++k) above(layout.quantity(i, k));
    shares.push_back(layout.decision(i, RecordLayout::p_exceeded));
    shares.push_back(layout.decision(i, RecordLayout::failure_share));
  }
  above(layout.stream(0));
  above(layout.stream(1));
  for (const OuterRecord& r : records)
    for (const std::size_t k : shares) {
      const double p = r.values[k];
      if (!(std::isnan(p) || (p >= 0 && p <= 1)))
        throw PartError(where + "records: outer draw " + std::to_string(r.unit) + ", value " +
                        std::to_string(k + 1) + ": a share of " + shortest_text(p) +
                        ", not between 0 and 1");
    }
}

}  // namespace

NestedPart parse_nested_part(std::string_view json, std::string_view source) {
  const std::string where = std::string(source) + ": ";
  const Json j = mc::parse_part_document(json, where, kNestedPartKind);
  NestedPart part;
  mc::read_part_fields(where, "nested part", [&] {
    const scenario::ResolvedScenario scenario = mc::read_part_header(j, part);
    part.outer = json_count_at(j, "outer");
    part.inner = json_count_at(j, "inner");
    if (!scenario.nested() || part.outer != scenario.outer || part.inner != scenario.inner)
      throw PartError(where + "its outer or inner draws differ from its scenario's");
    const std::uint64_t covered =
        mc::check_part_header(part, scenario, part.outer, kNestedPartKind, where);
    part.records = mc::unit_values_from_json(
        j.at("records"), "draw", design_of(scenario).layout(scenario.chemical_count).size(),
        "outer draw", where);
    mc::check_records(part.records, part.shards, covered, "outer draws", where);
    check_shares(part.records, design_of(scenario).layout(scenario.chemical_count), where);
  });
  return part;
}

void merge_nested_part(NestedPart& into, const NestedPart& other, std::string_view source) {
  mc::merge_part_header(into, other, std::string(source) + ": ");
  mc::merge_records(into.records, other.records);
}

}  // namespace vorn::nested
