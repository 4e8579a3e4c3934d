// The two levels of a nested run's sampling. Outer draw u (1..U) takes the uncertainty
// inputs from realization u's random numbers in a design over U realizations (LHS over U);
// its inner realizations v = 1..V take the variability inputs from realization v's numbers
// over V, the same for every outer draw (common random numbers), so the variability inputs
// differ between outer draws only through what the uncertainty inputs change.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "scenario/sampling_plan.hpp"

namespace vorn::nested {

class OuterSampler {
 public:
  // `plan` is the run's plan over V realizations, its uncertainty parameters marked.
  OuterSampler(const scenario::SamplingPlan& plan, std::uint64_t outer);
  // The plan of outer draw u's inner realizations: `plan` with every uncertainty
  // parameter a constant at its draw u.
  scenario::SamplingPlan inner_plan(std::uint64_t u);

 private:
  const scenario::SamplingPlan& plan_;
  std::unique_ptr<scenario::SamplingPlan> outer_plan_;  // kept in place: the sampler refers to it
  std::unique_ptr<scenario::PlanSampler> sampler_;
  std::vector<double> uniforms_;
};

}  // namespace vorn::nested
