#include "nested/outer_sampler.hpp"

namespace vorn::nested {

OuterSampler::OuterSampler(const mc::SamplingPlan& plan, std::uint64_t outer)
    : plan_(plan), outer_plan_(std::make_unique<mc::SamplingPlan>(plan)), uniforms_(plan.streams) {
  outer_plan_->realizations = outer;
  sampler_ = std::make_unique<mc::PlanSampler>(*outer_plan_);
}

mc::SamplingPlan OuterSampler::inner_plan(std::uint64_t u) {
  sampler_->uniforms(u, uniforms_.data());
  mc::SamplingPlan inner = plan_;
  for (mc::PlanParameter& p : inner.parameters) {
    if (!p.uncertain) continue;
    const double x = p.distribution.quantile(uniforms_[p.stream]);
    p.distribution = numerics::Distribution(numerics::Family::constant, mc::constant_parameters(x));
  }
  return inner;
}

}  // namespace vorn::nested
