#include "scenario/sampling_plan.hpp"

#include "numerics/latin_hypercube.hpp"
#include "numerics/random_stream.hpp"

namespace vorn::scenario {

PlanSampler::PlanSampler(const SamplingPlan& plan) : plan_(plan) {
  if (plan.sampling == numerics::Sampling::sobol && plan.streams > 0)
    sobol_.emplace_back(plan.seed, plan.streams);
}

void PlanSampler::uniforms(std::uint64_t realization, double* u) {
  const std::size_t p = plan_.streams;
  switch (plan_.sampling) {
    case numerics::Sampling::random:
      for (std::size_t k = 0; k < p; ++k)
        u[k] = numerics::uniform(plan_.seed, realization, static_cast<std::uint32_t>(k));
      break;
    case numerics::Sampling::lhs:
      for (std::size_t k = 0; k < p; ++k)
        u[k] = numerics::lhs_uniform(plan_.seed, plan_.realizations, realization,
                                     static_cast<std::uint32_t>(k));
      break;
    case numerics::Sampling::sobol:
      if (p > 0) sobol_.front().point(realization, u);
      break;
  }
  if (!plan_.copula.empty()) plan_.copula.apply(u);
}

void apply_values(const SamplingPlan& plan, const double* values, const WasteUnit& unit_read,
                  const std::vector<Chemical>& read, WasteUnit& unit,
                  std::vector<Chemical>& chemicals, std::vector<double>& daf_factors) {
  for (std::size_t k = 0; k < plan.parameters.size(); ++k) {
    const PlanParameter& p = plan.parameters[k];
    const double x = values[k];
    switch (p.target) {
      case PlanParameter::Target::unit:
        unit.*p.unit_field = p.factor ? unit_read.*p.unit_field * x : x;
        break;
      case PlanParameter::Target::chemical:
        for (std::size_t i : p.chemicals)
          chemicals[i].*p.chemical_field = p.factor ? read[i].*p.chemical_field * x : x;
        break;
      case PlanParameter::Target::daf_factor:
        for (std::size_t i : p.chemicals) daf_factors[i] = x;
        break;
    }
  }
}

}  // namespace vorn::scenario
