// A family behind a Boost.Math distribution. It samples by inversion inside the kept part of
// the cdf, u' = F(lo) + u (F(hi) - F(lo)), never by rejection, so one uniform makes one sample
// and LHS / Sobol strata survive; whichever tail u' lies in is inverted through that tail's own
// probability, which keeps full relative accuracy in the upper tail as well. A rescaled family
// (beta, pert) lives on [0, 1] and [lo, hi] stretches it.
#pragma once

#include <algorithm>
#include <boost/math/distributions/complement.hpp>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/number_text.hpp"
#include "numerics/family_model.hpp"

namespace vorn::numerics {

enum class BoostScale {
  support,   // the distribution's own, cut to [lo, hi] when they lie inside it
  rescaled,  // [0, 1] stretched to [lo, hi]
};

template <class Dist>
class BoostModel : public FamilyModel {
 public:
  BoostModel(Dist dist, double lo, double hi, BoostScale scale)
      : dist_(dist), lo_(lo), hi_(hi), rescaled_(scale == BoostScale::rescaled) {}

  double lo() const override { return lo_; }
  double hi() const override { return hi_; }

  double quantile(double u) const override {
    // Invert through the tail u' falls in: the upper tail by its own probability, so that
    // quantiles near 1 keep their relative accuracy.
    double x;
    const double p = cdf_lo_ + u * (cdf_hi_ - cdf_lo_);
    if (p <= 0.5) {
      x = p > 0 ? base_quantile(p) : lo_;
    } else {
      const double q = sf_hi_ + (1 - u) * (sf_lo_ - sf_hi_);
      x = q > 0 ? base_quantile_upper(q) : hi_;
    }
    return std::clamp(x, lo_, hi_);
  }

  double cdf_inside(double x) const override {
    if (cdf_lo_ < 0.5) return (base_cdf(x) - cdf_lo_) / (cdf_hi_ - cdf_lo_);
    return (sf_lo_ - base_sf(x)) / (sf_lo_ - sf_hi_);
  }

  double density(double x) const override {
    if (!(x >= lo_ && x <= hi_)) return 0;
    if (rescaled_) return boost::math::pdf(dist_, (x - lo_) / (hi_ - lo_)) / (hi_ - lo_);
    return boost::math::pdf(dist_, x) / kept_mass();
  }

 protected:
  // Cuts the distribution to [lo, hi] (support scale only). `positive`: a family with no
  // probability below 0, whose cdf is not asked for at a bound of 0 or less. Throws
  // std::invalid_argument when the bounds keep no probability, naming `min` and `max` as
  // given (the bounds where they were not).
  void truncate(bool positive, const std::optional<double>& min, const std::optional<double>& max) {
    const bool hi_inside = !positive || hi_ > 0;
    cdf_lo_ = std::isfinite(lo_) ? base_cdf(lo_) : 0.0;
    sf_lo_ = std::isfinite(lo_) ? base_sf(lo_) : 1.0;
    cdf_hi_ = !std::isfinite(hi_) ? 1.0 : hi_inside ? base_cdf(hi_) : 0.0;
    sf_hi_ = !std::isfinite(hi_) ? 0.0 : hi_inside ? base_sf(hi_) : 1.0;
    if (!(kept_mass() > 0)) {
      throw std::invalid_argument("min (" + shortest_text(min.value_or(lo_)) + ") and max (" +
                                  shortest_text(max.value_or(hi_)) + ") leave no probability");
    }
  }
  // Bounds that cut no probability in double precision count as none.
  bool untruncated() const { return cdf_lo_ == 0 && sf_hi_ == 0; }
  double kept_mass() const { return cdf_lo_ < 0.5 ? cdf_hi_ - cdf_lo_ : sf_lo_ - sf_hi_; }

  Dist dist_;
  double lo_, hi_;

 private:
  double on_scale(double x) const {
    return rescaled_ ? std::clamp((x - lo_) / (hi_ - lo_), 0.0, 1.0) : x;
  }
  double base_cdf(double x) const { return boost::math::cdf(dist_, on_scale(x)); }
  double base_sf(double x) const {
    return boost::math::cdf(boost::math::complement(dist_, on_scale(x)));
  }
  double base_quantile(double p) const {
    const double x = boost::math::quantile(dist_, p);
    return rescaled_ ? lo_ + x * (hi_ - lo_) : x;
  }
  double base_quantile_upper(double q) const {
    const double x = boost::math::quantile(boost::math::complement(dist_, q));
    return rescaled_ ? lo_ + x * (hi_ - lo_) : x;
  }

  bool rescaled_;
  double cdf_lo_ = 0, cdf_hi_ = 1, sf_lo_ = 1, sf_hi_ = 0;
};

}  // namespace vorn::numerics
