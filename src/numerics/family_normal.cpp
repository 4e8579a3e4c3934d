// The normal family, optionally truncated to [min, max].
#include <boost/math/distributions/normal.hpp>
#include <limits>

#include "boost_model.hpp"
#include "family_functions.hpp"
#include "math_policy.hpp"
#include "tail_mass.hpp"

namespace vorn::numerics {
namespace {

using Normal = boost::math::normal_distribution<double, MathPolicy>;
constexpr double kInf = std::numeric_limits<double>::infinity();

class NormalModel final : public BoostModel<Normal> {
 public:
  NormalModel(const DistributionParameters& p)
      : BoostModel(Normal(*p.mean, *p.sd), p.min.value_or(-kInf), p.max.value_or(kInf),
                   BoostScale::support),
        mean_(*p.mean),
        sd_(*p.sd) {
    truncate(false, p.min, p.max);
  }
  double mean() const override {
    const double za = (lo_ - mean_) / sd_, zb = (hi_ - mean_) / sd_;
    return mean_ + sd_ * (normal_density(za) - normal_density(zb)) / normal_mass(za, zb);
  }
  double sd() const override {
    const double za = (lo_ - mean_) / sd_, zb = (hi_ - mean_) / sd_;
    const double z = normal_mass(za, zb);
    const double ta = std::isfinite(za) ? za * normal_density(za) : 0;
    const double tb = std::isfinite(zb) ? zb * normal_density(zb) : 0;
    const double shift = (normal_density(za) - normal_density(zb)) / z;
    const double var = sd_ * sd_ * (1 + (ta - tb) / z - shift * shift);
    return std::sqrt(std::max(var, 0.0));
  }

 private:
  double mean_, sd_;
};

}  // namespace

void check_normal(ParameterChecker& c, const DistributionParameters& p) {
  c.need(p.mean, "mean");
  if (c.need(p.sd, "sd")) c.positive(p.sd, "sd");
  c.truncation();
}
ModelPtr make_normal(const DistributionParameters& p) {
  return std::make_shared<NormalModel>(p);
}

}  // namespace vorn::numerics
