// The values a varied input can take and still run as what it is. A concentration at or
// below 0, or a negative toxicity value, runs by the engine's missing-value rule: a draw
// there would silently run as "missing" instead of as a number.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "scenario/resolved_scenario.hpp"
#include "scenario/scenario.hpp"
#include "vorn/records.hpp"

namespace vorn::scenario {

// x > bound (open) or x >= bound.
struct FieldDomain {
  double bound = 0;
  bool open = true;
  bool holds(double x) const { return open ? x > bound : x >= bound; }
  std::string text() const;  // "> 0", ">= 0", "> -999"
};

// The domain of a [[vary]] field: a unit input, a chemical's real column, or DAF (the
// factor itself).
FieldDomain field_domain(std::string_view field);

// Every entry's draws against its field's domain: a value drawn, or (mode = "factor") the
// value read times the factor drawn, for every chemical whose value as read lies inside the
// domain. A factor on a chemical whose value lies outside (missing) leaves it as read: a
// factor over "*" or "each" names such chemicals once in a note, a factor on that chemical
// alone is an error. Throws ScenarioError listing each entry that can draw outside, with
// the field, the domain and the bound that keeps it inside; returns the notes, each
// "file:line:column: vary[k]: ...".
std::vector<std::string> check_domains(const Scenario& scenario, const ResolvedScenario& resolved,
                                       const WasteUnit& unit_read,
                                       const std::vector<Chemical>& chemicals_read);

// Whether a factor on `field` multiplies the value `x` read: only inside its domain.
bool factor_applies(std::string_view field, double x);

}  // namespace vorn::scenario
