// A family with no probability below 0 (lognormal, gamma, Weibull), optionally truncated to
// [min, max]: its moments from closed forms, or, when truncated, from its partial moments
// E[X^k; lo < X < hi].
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "boost_model.hpp"

namespace vorn::numerics {

template <class Dist>
class PositiveModel : public BoostModel<Dist> {
 public:
  PositiveModel(Dist dist, const std::optional<double>& min, const std::optional<double>& max)
      : BoostModel<Dist>(dist, std::max(min.value_or(0.0), 0.0),
                         max.value_or(std::numeric_limits<double>::infinity()),
                         BoostScale::support),
        min_(min),
        max_(max) {}

  double mean() const override {
    if (this->untruncated()) return untruncated_moments().mean;
    return raw_moment(1) / raw_moment(0);
  }
  double sd() const override {
    if (this->untruncated()) return std::sqrt(untruncated_moments().var);
    const double mass = raw_moment(0), m = raw_moment(1) / mass;
    const double var = raw_moment(2) / mass - m * m;
    return std::sqrt(std::max(var, 0.0));
  }

 protected:
  struct Moments {
    double mean, var;
  };
  // Call from the family's constructor, once its parameters are set.
  void cut() { this->truncate(true, min_, max_); }
  virtual Moments untruncated_moments() const = 0;
  // E[X^k; lo < X < hi] of the untruncated family, k = 0 (the kept mass), 1 or 2.
  virtual double raw_moment(int k) const = 0;

 private:
  std::optional<double> min_, max_;
};

}  // namespace vorn::numerics
