// The constant, uniform and loguniform families: closed forms throughout.
#include <algorithm>
#include <cmath>

#include "family_functions.hpp"

namespace vorn::numerics {
namespace {

class ConstantModel final : public FamilyModel {
 public:
  explicit ConstantModel(double value) : value_(value) {}
  double lo() const override { return value_; }
  double hi() const override { return value_; }
  double quantile(double) const override { return value_; }
  double cdf_inside(double) const override { return 1; }
  double density(double x) const override { return x == value_ ? 1 : 0; }  // a point mass
  double mean() const override { return value_; }
  double sd() const override { return 0; }

 private:
  double value_;
};

// Where max - min overflows (bounds near the largest doubles, of opposite signs) the forms
// that cannot take over: (1 - u) min + u max, and the halves of the bounds. Elsewhere the
// arithmetic is the plain one, so those draws keep their bits.
class UniformModel final : public FamilyModel {
 public:
  UniformModel(double lo, double hi) : lo_(lo), hi_(hi), wide_(!std::isfinite(hi - lo)) {}
  double lo() const override { return lo_; }
  double hi() const override { return hi_; }
  double quantile(double u) const override {
    if (wide_) return std::clamp((1 - u) * lo_ + u * hi_, lo_, hi_);
    return std::clamp(lo_ + u * (hi_ - lo_), lo_, hi_);
  }
  double cdf_inside(double x) const override {
    if (wide_) return (0.5 * x - 0.5 * lo_) / half_width();
    return (x - lo_) / (hi_ - lo_);
  }
  double density(double x) const override {
    if (!(x >= lo_ && x <= hi_)) return 0;
    return wide_ ? 0.5 / half_width() : 1 / (hi_ - lo_);
  }
  double mean() const override {
    const double sum = lo_ + hi_;
    return std::isfinite(sum) ? 0.5 * sum : 0.5 * lo_ + 0.5 * hi_;
  }
  double sd() const override {
    return wide_ ? half_width() / std::sqrt(3.0) : (hi_ - lo_) / std::sqrt(12.0);
  }

 private:
  double half_width() const { return 0.5 * hi_ - 0.5 * lo_; }

  double lo_, hi_;
  bool wide_;
};

// Where max / min overflows (bounds many hundred decades apart) the logarithms of the bounds
// take its place: log max - log min cannot overflow. Elsewhere the plain arithmetic stays.
class LoguniformModel final : public FamilyModel {
 public:
  LoguniformModel(double lo, double hi)
      : lo_(lo), hi_(hi), wide_(!std::isfinite(hi / lo)), log_width_(log_width()) {}
  double lo() const override { return lo_; }
  double hi() const override { return hi_; }
  double quantile(double u) const override {
    return std::clamp(std::exp(std::log(lo_) + u * log_width_), lo_, hi_);
  }
  double cdf_inside(double x) const override {
    if (wide_) return (std::log(x) - std::log(lo_)) / log_width_;
    return std::log(x / lo_) / log_width_;
  }
  double density(double x) const override {
    return x >= lo_ && x <= hi_ ? 1 / (x * log_width_) : 0;
  }
  double mean() const override { return (hi_ - lo_) / log_width_; }
  double sd() const override {
    const double m = mean();
    if (!std::isfinite(hi_ * hi_)) {
      // In units of max, whose square overflows.
      const double r = lo_ / hi_, mr = m / hi_;
      return hi_ * std::sqrt(std::max((1 - r * r) / (2 * log_width_) - mr * mr, 0.0));
    }
    const double var = (hi_ * hi_ - lo_ * lo_) / (2 * log_width_) - m * m;
    return std::sqrt(std::max(var, 0.0));
  }

 private:
  double log_width() const { return wide_ ? std::log(hi_) - std::log(lo_) : std::log(hi_ / lo_); }

  double lo_, hi_;
  bool wide_;
  double log_width_;  // log(max / min)
};

}  // namespace

void check_constant(ParameterChecker& c, const DistributionParameters& p) {
  c.need(p.value, "value");
}
ModelPtr make_constant(const DistributionParameters& p) {
  return std::make_shared<ConstantModel>(*p.value);
}

void check_uniform(ParameterChecker& c, const DistributionParameters&) {
  c.bounded();
}
ModelPtr make_uniform(const DistributionParameters& p) {
  return std::make_shared<UniformModel>(*p.min, *p.max);
}

void check_loguniform(ParameterChecker& c, const DistributionParameters& p) {
  c.bounded();
  c.positive(p.min, "min");
}
ModelPtr make_loguniform(const DistributionParameters& p) {
  return std::make_shared<LoguniformModel>(*p.min, *p.max);
}

}  // namespace vorn::numerics
