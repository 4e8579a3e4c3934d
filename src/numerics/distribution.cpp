#include "numerics/distribution.hpp"
#include "core/number_text.hpp"

#include <algorithm>
#include <boost/math/distributions/beta.hpp>
#include <boost/math/distributions/gamma.hpp>
#include <boost/math/distributions/lognormal.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/triangular.hpp>
#include <boost/math/distributions/weibull.hpp>
#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>
#include <stdexcept>

#include "math_policy.hpp"

namespace vorn::numerics {

namespace {

namespace bm = boost::math;
constexpr double kInf = std::numeric_limits<double>::infinity();

std::string join(const std::vector<std::string>& items) {
  std::string out;
  for (const auto& item : items) out += (out.empty() ? "" : "; ") + item;
  return out;
}

bool truncatable(Family f) {
  return f == Family::normal || f == Family::lognormal || f == Family::gamma ||
         f == Family::weibull;
}

// Calls fn with the Boost distribution behind a family, on its own scale (beta and pert
// on [0, 1]).
template <class Fn>
double with_boost(Family f, const DistributionParameters& p, double location, double spread,
                  Fn fn) {
  switch (f) {
    case Family::triangular:
      return fn(bm::triangular_distribution<double, MathPolicy>(*p.min, *p.mode, *p.max));
    case Family::pert:
    case Family::beta:
      return fn(bm::beta_distribution<double, MathPolicy>(location, spread));
    case Family::normal:
      return fn(bm::normal_distribution<double, MathPolicy>(location, spread));
    case Family::lognormal:
      return fn(bm::lognormal_distribution<double, MathPolicy>(location, spread));
    case Family::gamma:
      return fn(bm::gamma_distribution<double, MathPolicy>(*p.shape, *p.scale));
    case Family::weibull:
      return fn(bm::weibull_distribution<double, MathPolicy>(*p.shape, *p.scale));
    default:
      throw std::logic_error("no Boost distribution behind this family");
  }
}

bool rescaled(Family f) {
  return f == Family::pert || f == Family::beta;
}

}  // namespace

Distribution::Distribution(Family family, DistributionParameters parameters)
    : family_(family), p_(std::move(parameters)) {
  const auto problems = detail::parameter_problems(family_, p_);
  if (!problems.empty()) throw std::invalid_argument(join(problems));
  switch (family_) {
    case Family::pert: {
      const double lambda = p_.lambda.value_or(4.0);
      const double width = *p_.max - *p_.min;
      location_ = 1 + lambda * (*p_.mode - *p_.min) / width;
      spread_ = 1 + lambda * (*p_.max - *p_.mode) / width;
      lo_ = *p_.min;
      hi_ = *p_.max;
      break;
    }
    case Family::beta:
      location_ = *p_.alpha;
      spread_ = *p_.beta;
      lo_ = p_.min.value_or(0.0);
      hi_ = p_.max.value_or(1.0);
      break;
    case Family::normal:
      location_ = *p_.mean;
      spread_ = *p_.sd;
      lo_ = p_.min.value_or(-kInf);
      hi_ = p_.max.value_or(kInf);
      break;
    case Family::lognormal:
      if (p_.gm) {
        location_ = std::log(*p_.gm);
        spread_ = std::log(*p_.gsd);
      } else {
        const double cv = *p_.sd / *p_.mean;
        const double var = std::log1p(cv * cv);
        location_ = std::log(*p_.mean) - var / 2;
        spread_ = std::sqrt(var);
      }
      [[fallthrough]];
    case Family::gamma:
    case Family::weibull:
      lo_ = std::max(p_.min.value_or(0.0), 0.0);
      hi_ = p_.max.value_or(kInf);
      break;
    case Family::constant:
      lo_ = hi_ = *p_.value;
      break;
    case Family::uniform:
    case Family::loguniform:
    case Family::triangular:
      lo_ = *p_.min;
      hi_ = *p_.max;
      break;
    case Family::empirical:
      if (!p_.values.empty()) {
        std::vector<std::size_t> order(p_.values.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return p_.values[a] < p_.values[b]; });
        double total = 0;
        for (std::size_t i : order) {
          const double w = p_.weights.empty() ? 1.0 : p_.weights[i];
          total += w;
          if (!xs_.empty() && xs_.back() == p_.values[i]) {
            cum_.back() = total;
          } else {
            xs_.push_back(p_.values[i]);
            cum_.push_back(total);
          }
        }
        for (double& c : cum_) c /= total;
      } else {
        for (const auto& [x, q] : p_.cdf) {
          xs_.push_back(x);
          cum_.push_back(q);
        }
      }
      cum_.back() = 1.0;
      lo_ = xs_.front();
      hi_ = xs_.back();
      break;
  }
  if (truncatable(family_)) {
    // lo_ is -inf (normal) or >= 0; positive families have no probability below 0.
    const bool hi_inside = family_ == Family::normal || hi_ > 0;
    cdf_lo_ = std::isfinite(lo_) ? base_cdf(lo_) : 0.0;
    sf_lo_ = std::isfinite(lo_) ? base_sf(lo_) : 1.0;
    cdf_hi_ = !std::isfinite(hi_) ? 1.0 : hi_inside ? base_cdf(hi_) : 0.0;
    sf_hi_ = !std::isfinite(hi_) ? 0.0 : hi_inside ? base_sf(hi_) : 1.0;
    const double mass = cdf_lo_ < 0.5 ? cdf_hi_ - cdf_lo_ : sf_lo_ - sf_hi_;
    if (!(mass > 0)) {
      throw std::invalid_argument("min (" + shortest_text(p_.min.value_or(lo_)) + ") and max (" +
                                  shortest_text(p_.max.value_or(hi_)) + ") leave no probability");
    }
  }
}

double Distribution::base_cdf(double x) const {
  if (rescaled(family_)) x = std::clamp((x - lo_) / (hi_ - lo_), 0.0, 1.0);
  return with_boost(family_, p_, location_, spread_, [x](const auto& d) { return bm::cdf(d, x); });
}

double Distribution::base_sf(double x) const {
  if (rescaled(family_)) x = std::clamp((x - lo_) / (hi_ - lo_), 0.0, 1.0);
  return with_boost(family_, p_, location_, spread_,
                    [x](const auto& d) { return bm::cdf(bm::complement(d, x)); });
}

double Distribution::base_quantile(double q) const {
  const double x = with_boost(family_, p_, location_, spread_,
                              [q](const auto& d) { return bm::quantile(d, q); });
  return rescaled(family_) ? lo_ + x * (hi_ - lo_) : x;
}

double Distribution::base_quantile_upper(double q) const {
  const double x = with_boost(family_, p_, location_, spread_,
                              [q](const auto& d) { return bm::quantile(bm::complement(d, q)); });
  return rescaled(family_) ? lo_ + x * (hi_ - lo_) : x;
}

double Distribution::quantile(double u) const {
  switch (family_) {
    case Family::constant:
      return lo_;
    case Family::uniform:
      return std::clamp(lo_ + u * (hi_ - lo_), lo_, hi_);
    case Family::loguniform:
      return std::clamp(std::exp(std::log(lo_) + u * std::log(hi_ / lo_)), lo_, hi_);
    case Family::empirical: {
      const auto it = std::lower_bound(cum_.begin(), cum_.end(), u);
      const std::size_t i = std::min<std::size_t>(it - cum_.begin(), cum_.size() - 1);
      if (p_.cdf.empty() || i == 0) return xs_[i];
      const double t = (u - cum_[i - 1]) / (cum_[i] - cum_[i - 1]);
      return std::clamp(xs_[i - 1] + t * (xs_[i] - xs_[i - 1]), xs_[i - 1], xs_[i]);
    }
    default:
      break;
  }
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

double Distribution::cdf(double x) const {
  if (x < lo_) return 0;
  if (x >= hi_) return 1;
  switch (family_) {
    case Family::uniform:
      return (x - lo_) / (hi_ - lo_);
    case Family::loguniform:
      return std::log(x / lo_) / std::log(hi_ / lo_);
    case Family::empirical: {
      const auto it = std::upper_bound(xs_.begin(), xs_.end(), x);
      const std::size_t i = static_cast<std::size_t>(it - xs_.begin()) - 1;  // xs_[i] <= x
      if (p_.cdf.empty()) return cum_[i];
      return cum_[i] + (x - xs_[i]) / (xs_[i + 1] - xs_[i]) * (cum_[i + 1] - cum_[i]);
    }
    default:
      break;
  }
  if (cdf_lo_ < 0.5) return (base_cdf(x) - cdf_lo_) / (cdf_hi_ - cdf_lo_);
  return (sf_lo_ - base_sf(x)) / (sf_lo_ - sf_hi_);
}

}  // namespace vorn::numerics
