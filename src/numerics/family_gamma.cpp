// The gamma and Weibull families, by shape and scale; optionally truncated to [min, max].
#include <boost/math/distributions/gamma.hpp>
#include <boost/math/distributions/weibull.hpp>

#include "family_functions.hpp"
#include "math_policy.hpp"
#include "positive_model.hpp"
#include "tail_mass.hpp"

namespace vorn::numerics {
namespace {

using Gamma = boost::math::gamma_distribution<double, MathPolicy>;
using Weibull = boost::math::weibull_distribution<double, MathPolicy>;

class GammaModel final : public PositiveModel<Gamma> {
 public:
  explicit GammaModel(const DistributionParameters& p)
      : PositiveModel(Gamma(*p.shape, *p.scale), p.min, p.max), shape_(*p.shape), scale_(*p.scale) {
    cut();
  }

 private:
  Moments untruncated_moments() const override {
    return {shape_ * scale_, shape_ * scale_ * scale_};
  }
  double raw_moment(int k) const override {
    // x^k times the gamma(s) density is theta^k s(s+1)..(s+k-1) times the gamma(s+k) density.
    const double s = shape_, theta = scale_;
    double factor = 1;
    for (int j = 0; j < k; ++j) factor *= theta * (s + j);
    return factor * gamma_mass(s + k, lo_ / theta, hi_ / theta);
  }

  double shape_, scale_;
};

class WeibullModel final : public PositiveModel<Weibull> {
 public:
  explicit WeibullModel(const DistributionParameters& p)
      : PositiveModel(Weibull(*p.shape, *p.scale), p.min, p.max),
        shape_(*p.shape),
        scale_(*p.scale) {
    cut();
  }

 private:
  Moments untruncated_moments() const override {
    const double g1 = std::tgamma(1 + 1 / shape_), g2 = std::tgamma(1 + 2 / shape_);
    const double l2 = scale_ * scale_;
    return {scale_ * g1, l2 * (g2 - g1 * g1)};
  }
  double raw_moment(int k) const override {
    // Y = (X / lambda)^s is a unit exponential; X^k = lambda^k Y^(k/s).
    const double s = shape_, lambda = scale_;
    const double a = 1 + k / s;
    return std::pow(lambda, k) * std::tgamma(a) *
           gamma_mass(a, std::pow(lo_ / lambda, s), std::pow(hi_ / lambda, s));
  }

  double shape_, scale_;
};

void check_shape_scale(ParameterChecker& c, const DistributionParameters& p) {
  if (c.need(p.shape, "shape")) c.positive(p.shape, "shape");
  if (c.need(p.scale, "scale")) c.positive(p.scale, "scale");
  c.truncation();
}

}  // namespace

void check_gamma(ParameterChecker& c, const DistributionParameters& p) {
  check_shape_scale(c, p);
}
ModelPtr make_gamma(const DistributionParameters& p) {
  return std::make_shared<GammaModel>(p);
}

void check_weibull(ParameterChecker& c, const DistributionParameters& p) {
  check_shape_scale(c, p);
}
ModelPtr make_weibull(const DistributionParameters& p) {
  return std::make_shared<WeibullModel>(p);
}

}  // namespace vorn::numerics
