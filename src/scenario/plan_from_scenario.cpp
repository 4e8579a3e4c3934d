#include "scenario/plan_from_scenario.hpp"

#include <map>
#include <stdexcept>
#include <string_view>

#include "core/text.hpp"
#include "scenario/input_domains.hpp"
#include "scenario/vary_target.hpp"

namespace vorn::scenario {
namespace {

std::string chemical_label(const std::string& field, const Chemical& c) {
  std::string id(trim_blanks(c.CHEMCAS));
  if (id.empty()) id = trim_blanks(c.CHEMNAME);
  return field + " of " + id;
}

}  // namespace

SamplingPlan plan_from_scenario(const ResolvedScenario& scenario,
                                const std::vector<Chemical>& chemicals, ChemicalValues values) {
  SamplingPlan plan;
  plan.seed = scenario.seed;
  plan.realizations = scenario.nested() ? scenario.inner : scenario.realizations;
  plan.sampling = scenario.sampling;
  plan.streams = scenario.parameter_count();
  plan.copula = numerics::GaussianCopula(scenario.stream_correlations());
  if (!plan.copula.indefinite_groups().empty())
    throw std::invalid_argument("the scenario's correlations are not positive definite");
  for (const ResolvedVary& v : scenario.vary) {
    PlanParameter p;
    p.field = v.field;
    p.factor = v.mode == VaryMode::factor;
    p.distribution = numerics::Distribution(v.family, v.parameters);
    p.stream = v.first_parameter;
    p.uncertain = v.kind == VaryKind::uncertainty;
    switch (v.target) {
      case VaryTarget::unit:
        p.target = PlanParameter::Target::unit;
        p.unit_field = unit_member(v.field);
        p.label = v.field;
        plan.parameters.push_back(p);
        continue;
      case VaryTarget::chemical:
        p.target = PlanParameter::Target::chemical;
        p.chemical_field = chemical_member(v.field);
        break;
      case VaryTarget::daf:
        p.target = PlanParameter::Target::daf_factor;
        break;
    }
    switch (v.selector) {
      case SelectorKind::unit:
        break;
      case SelectorKind::index:
        p.chemicals = {v.chemical};
        // Chemicals that share a CAS share their DAF rows, and so the factor on them.
        if (v.target == VaryTarget::daf) {
          p.chemicals.clear();
          for (std::size_t i = 0; i < chemicals.size(); ++i)
            if (scenario.cas_group[i] == scenario.cas_group[v.chemical]) p.chemicals.push_back(i);
        }
        p.label = chemical_label(v.field, chemicals[v.chemical]);
        plan.parameters.push_back(p);
        break;
      case SelectorKind::all:
        for (std::size_t i = 0; i < chemicals.size(); ++i) p.chemicals.push_back(i);
        p.label = v.field + " of every chemical";
        plan.parameters.push_back(p);
        break;
      case SelectorKind::each:
        for (std::size_t i = 0; i < chemicals.size(); ++i) {
          PlanParameter one = p;
          one.chemicals = {i};
          one.stream = scenario.parameter(v, i);
          one.label = chemical_label(v.field, chemicals[i]) + " (" + std::to_string(i + 1) + ")";
          plan.parameters.push_back(std::move(one));
        }
        break;
    }
  }
  for (PlanParameter& p : plan.parameters) {
    p.correlated = plan.copula.correlates(p.stream);
    if (values != ChemicalValues::read || !p.factor || p.target != PlanParameter::Target::chemical)
      continue;
    // A missing value stays missing: the factor leaves it as read.
    std::erase_if(p.chemicals, [&](std::size_t i) {
      return !factor_applies(p.field, chemicals[i].*p.chemical_field);
    });
  }
  return plan;
}

}  // namespace vorn::scenario
