// Closed-form means and standard deviations, truncation included.
#include <boost/math/distributions/normal.hpp>
#include <boost/math/special_functions/gamma.hpp>
#include <cmath>
#include <numbers>
#include <numeric>

#include "math_policy.hpp"
#include "numerics/distribution.hpp"

namespace vorn::numerics {

namespace {

namespace bm = boost::math;

double phi(double z) {
  if (!std::isfinite(z)) return 0;
  return std::exp(-0.5 * z * z) / std::sqrt(2 * std::numbers::pi);
}

// P(za < Z < zb) for a standard normal Z, through the tail that keeps the digits.
double normal_mass(double za, double zb) {
  const bm::normal_distribution<double, MathPolicy> n;
  auto lower = [&](double z) { return std::isfinite(z) ? bm::cdf(n, z) : (z > 0 ? 1.0 : 0.0); };
  auto upper = [&](double z) {
    return std::isfinite(z) ? bm::cdf(bm::complement(n, z)) : (z > 0 ? 0.0 : 1.0);
  };
  return za > 0 ? upper(za) - upper(zb) : lower(zb) - lower(za);
}

// The regularized incomplete gamma integral of shape a over (ya, yb).
double gamma_mass(double a, double ya, double yb) {
  auto p = [&](double y) { return std::isfinite(y) ? bm::gamma_p(a, y, MathPolicy()) : 1.0; };
  auto q = [&](double y) { return std::isfinite(y) ? bm::gamma_q(a, y, MathPolicy()) : 0.0; };
  return ya > a ? q(ya) - q(yb) : p(yb) - p(ya);
}

}  // namespace

// E[X^k; lo < X < hi] of the untruncated family, for the families that may be truncated.
double Distribution::raw_moment(int k) const {
  switch (family_) {
    case Family::lognormal: {
      // E[X^k; a < X < b] = e^(k mu + k^2 sigma^2 / 2) P(a' < Z < b'), shifted by k sigma.
      const double mu = location_, sigma = spread_;
      const double za = (std::log(lo_) - mu) / sigma - k * sigma;
      const double zb = (std::log(hi_) - mu) / sigma - k * sigma;
      return std::exp(k * mu + 0.5 * k * k * sigma * sigma) * normal_mass(za, zb);
    }
    case Family::gamma: {
      // x^k times the gamma(s) density is theta^k s(s+1)..(s+k-1) times the gamma(s+k) density.
      const double s = *p_.shape, theta = *p_.scale;
      double factor = 1;
      for (int j = 0; j < k; ++j) factor *= theta * (s + j);
      return factor * gamma_mass(s + k, lo_ / theta, hi_ / theta);
    }
    case Family::weibull: {
      // Y = (X / lambda)^s is a unit exponential; X^k = lambda^k Y^(k/s).
      const double s = *p_.shape, lambda = *p_.scale;
      const double a = 1 + k / s;
      return std::pow(lambda, k) * std::tgamma(a) *
             gamma_mass(a, std::pow(lo_ / lambda, s), std::pow(hi_ / lambda, s));
    }
    default:
      return std::numeric_limits<double>::quiet_NaN();
  }
}

namespace {

struct MeanVar {
  double mean, var;
};

// Beta-like families, by their parameters.

MeanVar beta_moments(double a, double b, double lo, double hi) {
  const double w = hi - lo;
  return {lo + w * a / (a + b), w * w * a * b / ((a + b) * (a + b) * (a + b + 1))};
}

}  // namespace

Distribution::Moments Distribution::untruncated_moments() const {
  switch (family_) {
    case Family::lognormal: {
      const double s2 = spread_ * spread_;
      const double m = std::exp(location_ + s2 / 2);
      return {m, m * m * std::expm1(s2)};
    }
    case Family::gamma:
      return {*p_.shape * *p_.scale, *p_.shape * *p_.scale * *p_.scale};
    case Family::weibull: {
      const double g1 = std::tgamma(1 + 1 / *p_.shape), g2 = std::tgamma(1 + 2 / *p_.shape);
      const double l2 = *p_.scale * *p_.scale;
      return {*p_.scale * g1, l2 * (g2 - g1 * g1)};
    }
    default:
      return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
  }
}

double Distribution::mean() const {
  switch (family_) {
    case Family::constant:
      return lo_;
    case Family::uniform:
      return 0.5 * (lo_ + hi_);
    case Family::loguniform:
      return (hi_ - lo_) / std::log(hi_ / lo_);
    case Family::triangular:
      return (lo_ + *p_.mode + hi_) / 3;
    case Family::pert:
    case Family::beta:
      return beta_moments(location_, spread_, lo_, hi_).mean;
    case Family::normal: {
      const double za = (lo_ - location_) / spread_, zb = (hi_ - location_) / spread_;
      return location_ + spread_ * (phi(za) - phi(zb)) / normal_mass(za, zb);
    }
    case Family::empirical: {
      double m = 0;
      if (p_.cdf.empty()) {
        for (std::size_t i = 0; i < xs_.size(); ++i)
          m += xs_[i] * (cum_[i] - (i ? cum_[i - 1] : 0));
        return m;
      }
      // Uniform between consecutive points, with the probability the segment carries.
      for (std::size_t i = 1; i < xs_.size(); ++i) {
        m += (cum_[i] - cum_[i - 1]) * 0.5 * (xs_[i - 1] + xs_[i]);
      }
      return m;
    }
    default:
      if (untruncated()) return untruncated_moments().mean;
      return raw_moment(1) / raw_moment(0);
  }
}

double Distribution::sd() const {
  double var = 0;
  switch (family_) {
    case Family::constant:
      return 0;
    case Family::uniform:
      return (hi_ - lo_) / std::sqrt(12.0);
    case Family::loguniform: {
      const double m = mean();
      var = (hi_ * hi_ - lo_ * lo_) / (2 * std::log(hi_ / lo_)) - m * m;
      break;
    }
    case Family::triangular: {
      const double a = lo_, b = hi_, c = *p_.mode;
      var = (a * a + b * b + c * c - a * b - a * c - b * c) / 18;
      break;
    }
    case Family::pert:
    case Family::beta:
      var = beta_moments(location_, spread_, lo_, hi_).var;
      break;
    case Family::normal: {
      const double za = (lo_ - location_) / spread_, zb = (hi_ - location_) / spread_;
      const double z = normal_mass(za, zb);
      const double ta = std::isfinite(za) ? za * phi(za) : 0;
      const double tb = std::isfinite(zb) ? zb * phi(zb) : 0;
      const double shift = (phi(za) - phi(zb)) / z;
      var = spread_ * spread_ * (1 + (ta - tb) / z - shift * shift);
      break;
    }
    case Family::empirical: {
      const double m = mean();
      double m2 = 0;
      if (p_.cdf.empty()) {
        for (std::size_t i = 0; i < xs_.size(); ++i) {
          m2 += (xs_[i] - m) * (xs_[i] - m) * (cum_[i] - (i ? cum_[i - 1] : 0));
        }
        return std::sqrt(m2);
      }
      for (std::size_t i = 1; i < xs_.size(); ++i) {
        const double a = xs_[i - 1] - m, b = xs_[i] - m;
        m2 += (cum_[i] - cum_[i - 1]) * (a * a + a * b + b * b) / 3;
      }
      return std::sqrt(m2);
    }
    default: {
      if (untruncated()) return std::sqrt(untruncated_moments().var);
      const double mass = raw_moment(0), m = raw_moment(1) / mass;
      var = raw_moment(2) / mass - m * m;
    }
  }
  return std::sqrt(std::max(var, 0.0));
}

}  // namespace vorn::numerics
