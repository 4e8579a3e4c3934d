#include "nested/outer_sampler.hpp"

namespace vorn::nested {

OuterSampler::OuterSampler(const scenario::SamplingPlan& plan, std::uint64_t outer)
    : plan_(plan),
      outer_plan_(std::make_unique<scenario::SamplingPlan>(plan)),
      uniforms_(plan.streams) {
  outer_plan_->realizations = outer;
  sampler_ = std::make_unique<scenario::PlanSampler>(*outer_plan_);
}

scenario::SamplingPlan OuterSampler::inner_plan(std::uint64_t u) {
  sampler_->uniforms(u, uniforms_.data());
  scenario::SamplingPlan inner = plan_;
  for (scenario::PlanParameter& p : inner.parameters) {
    if (!p.uncertain) continue;
    const double x = p.distribution.quantile(uniforms_[p.stream]);
    p.distribution =
        numerics::Distribution(numerics::Family::constant, scenario::constant_parameters(x));
  }
  return inner;
}

}  // namespace vorn::nested
