#include "scenario/plan_from_scenario.hpp"

#include <map>
#include <stdexcept>
#include <string_view>

#include "core/text.hpp"

namespace vorn::scenario {
namespace {

double WasteUnit::*unit_member(std::string_view name) {
  if (name == "WU_WASTEVOL") return &WasteUnit::WU_WASTEVOL;
  if (name == "WU_ACTLIFE") return &WasteUnit::WU_ACTLIFE;
  if (name == "WU_RISKFACT") return &WasteUnit::WU_RISKFACT;
  if (name == "WU_HQFACT") return &WasteUnit::WU_HQFACT;
  throw std::invalid_argument("not a unit input: " + std::string(name));
}

template <class T>
double Chemical::*as_real(T Chemical::*member) {
  if constexpr (std::is_same_v<T, double>)
    return member;
  else
    return nullptr;
}

double Chemical::*chemical_member(std::string_view name) {
  static const std::map<std::string_view, double Chemical::*> members = {
#define VORN_REAL_MEMBER(field, kind) {#field, as_real(&Chemical::field)},
      VORN_CHEMICAL_FIELDS(VORN_REAL_MEMBER)
#undef VORN_REAL_MEMBER
  };
  const auto it = members.find(name);
  if (it == members.end() || it->second == nullptr)
    throw std::invalid_argument("not a real column of a chemical: " + std::string(name));
  return it->second;
}

std::string chemical_label(const std::string& field, const Chemical& c) {
  std::string id(trim_blanks(c.CHEMCAS));
  if (id.empty()) id = trim_blanks(c.CHEMNAME);
  return field + " of " + id;
}

}  // namespace

SamplingPlan plan_from_scenario(const ResolvedScenario& scenario,
                                const std::vector<Chemical>& chemicals) {
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
  for (PlanParameter& p : plan.parameters) p.correlated = plan.copula.correlates(p.stream);
  return plan;
}

}  // namespace vorn::scenario
