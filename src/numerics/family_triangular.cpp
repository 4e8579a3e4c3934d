// The triangular family on [min, max] with its peak at mode.
#include <boost/math/distributions/triangular.hpp>

#include "boost_model.hpp"
#include "family_functions.hpp"
#include "math_policy.hpp"

namespace vorn::numerics {
namespace {

using Triangular = boost::math::triangular_distribution<double, MathPolicy>;

class TriangularModel final : public BoostModel<Triangular> {
 public:
  TriangularModel(double lo, double mode, double hi)
      : BoostModel(Triangular(lo, mode, hi), lo, hi, BoostScale::support), mode_(mode) {}
  double mean() const override { return (lo_ + mode_ + hi_) / 3; }
  double sd() const override {
    const double a = lo_, b = hi_, c = mode_;
    const double var = (a * a + b * b + c * c - a * b - a * c - b * c) / 18;
    return std::sqrt(std::max(var, 0.0));
  }

 private:
  double mode_;
};

}  // namespace

void check_triangular(ParameterChecker& c, const DistributionParameters&) {
  c.bounded();
  c.mode_inside();
}
ModelPtr make_triangular(const DistributionParameters& p) {
  return std::make_shared<TriangularModel>(*p.min, *p.mode, *p.max);
}

}  // namespace vorn::numerics
