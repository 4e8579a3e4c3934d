// The lognormal family, by its geometric mean and standard deviation (ln X ~ N(ln gm, ln gsd))
// or by its arithmetic mean and sd; optionally truncated to [min, max].
#include <boost/math/distributions/lognormal.hpp>
#include <vector>

#include "core/number_text.hpp"
#include "family_functions.hpp"
#include "math_policy.hpp"
#include "positive_model.hpp"
#include "tail_mass.hpp"

namespace vorn::numerics {
namespace {

using Lognormal = boost::math::lognormal_distribution<double, MathPolicy>;

struct LogScale {
  double mu, sigma;
};

LogScale log_scale(const DistributionParameters& p) {
  if (p.gm) return {std::log(*p.gm), std::log(*p.gsd)};
  const double cv = *p.sd / *p.mean;
  const double var = std::log1p(cv * cv);
  return {std::log(*p.mean) - var / 2, std::sqrt(var)};
}

class LognormalModel final : public PositiveModel<Lognormal> {
 public:
  LognormalModel(const DistributionParameters& p, LogScale s)
      : PositiveModel(Lognormal(s.mu, s.sigma), p.min, p.max), mu_(s.mu), sigma_(s.sigma) {
    cut();
  }

 private:
  Moments untruncated_moments() const override {
    const double s2 = sigma_ * sigma_;
    const double m = std::exp(mu_ + s2 / 2);
    return {m, m * m * std::expm1(s2)};
  }
  double raw_moment(int k) const override {
    // E[X^k; a < X < b] = e^(k mu + k^2 sigma^2 / 2) P(a' < Z < b'), shifted by k sigma.
    const double za = (std::log(lo_) - mu_) / sigma_ - k * sigma_;
    const double zb = (std::log(hi_) - mu_) / sigma_ - k * sigma_;
    return std::exp(k * mu_ + 0.5 * k * k * sigma_ * sigma_) * normal_mass(za, zb);
  }

  double mu_, sigma_;
};

}  // namespace

void check_lognormal(ParameterChecker& c, const DistributionParameters& p) {
  const bool geometric = p.gm || p.gsd;
  const bool arithmetic = p.mean || p.sd;
  if (geometric && arithmetic) {
    c.add("give gm and gsd, or mean and sd, not both");
  } else if (!geometric && !arithmetic) {
    c.add("missing gm and gsd (or mean and sd)");
  } else if (geometric) {
    if (c.need(p.gm, "gm")) c.positive(p.gm, "gm");
    if (c.need(p.gsd, "gsd") && !(*p.gsd > 1)) {
      c.add("gsd (" + shortest_text(*p.gsd) + ") must be greater than 1");
    }
  } else {
    if (c.need(p.mean, "mean")) c.positive(p.mean, "mean");
    if (c.need(p.sd, "sd")) c.positive(p.sd, "sd");
  }
  c.truncation();
}
std::vector<DerivedParameter> derived_lognormal(const DistributionParameters& p) {
  if (p.gm) return {};  // ln gsd, gsd > 1 as checked
  return {{"the sigma of ln X", log_scale(p).sigma, "mean and sd"}};
}
ModelPtr make_lognormal(const DistributionParameters& p) {
  return std::make_shared<LognormalModel>(p, log_scale(p));
}

}  // namespace vorn::numerics
