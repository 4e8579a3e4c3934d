// The beta family on [min, max] (default [0, 1]), and PERT: a beta on [min, max] shaped by
// its mode and lambda (default 4).
#include <boost/math/distributions/beta.hpp>
#include <utility>
#include <vector>

#include "boost_model.hpp"
#include "family_functions.hpp"
#include "math_policy.hpp"

namespace vorn::numerics {
namespace {

using Beta = boost::math::beta_distribution<double, MathPolicy>;

class BetaModel final : public BoostModel<Beta> {
 public:
  BetaModel(double alpha, double beta, double lo, double hi)
      : BoostModel(Beta(alpha, beta), lo, hi, BoostScale::rescaled), alpha_(alpha), beta_(beta) {}
  double mean() const override { return lo_ + (hi_ - lo_) * alpha_ / (alpha_ + beta_); }
  double sd() const override {
    const double w = hi_ - lo_, a = alpha_, b = beta_;
    const double var = w * w * a * b / ((a + b) * (a + b) * (a + b + 1));
    return std::sqrt(std::max(var, 0.0));
  }

 private:
  double alpha_, beta_;
};

}  // namespace

void default_beta(DistributionParameters& p) {
  if (!p.min) p.min = 0.0;
  if (!p.max) p.max = 1.0;
}
void check_beta(ParameterChecker& c, const DistributionParameters& p) {
  if (c.need(p.alpha, "alpha")) c.positive(p.alpha, "alpha");
  if (c.need(p.beta, "beta")) c.positive(p.beta, "beta");
  // min and max rescale [0, 1]; either may be left at its default.
  c.finite(p.min, "min");
  c.finite(p.max, "max");
  c.ordered(p.min.value_or(0.0), p.max.value_or(1.0));
}
ModelPtr make_beta(const DistributionParameters& p) {
  return std::make_shared<BetaModel>(*p.alpha, *p.beta, p.min.value_or(0.0), p.max.value_or(1.0));
}

void default_pert(DistributionParameters& p) {
  if (!p.lambda) p.lambda = 4.0;
}
void check_pert(ParameterChecker& c, const DistributionParameters& p) {
  c.bounded();
  c.mode_inside();
  c.finite(p.lambda, "lambda");
  c.positive(p.lambda, "lambda");
}
namespace {

// The beta's shape parameters of a PERT.
std::pair<double, double> pert_shape(const DistributionParameters& p) {
  const double lambda = p.lambda.value_or(4.0);
  const double width = *p.max - *p.min;
  return {1 + lambda * (*p.mode - *p.min) / width, 1 + lambda * (*p.max - *p.mode) / width};
}

}  // namespace

std::vector<DerivedParameter> derived_pert(const DistributionParameters& p) {
  const auto [alpha, beta] = pert_shape(p);
  return {{"the beta's alpha", alpha, "min, mode, max and lambda"},
          {"the beta's beta", beta, "min, mode, max and lambda"}};
}
ModelPtr make_pert(const DistributionParameters& p) {
  const auto [alpha, beta] = pert_shape(p);
  return std::make_shared<BetaModel>(alpha, beta, *p.min, *p.max);
}

}  // namespace vorn::numerics
