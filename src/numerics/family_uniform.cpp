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

class UniformModel final : public FamilyModel {
 public:
  UniformModel(double lo, double hi) : lo_(lo), hi_(hi) {}
  double lo() const override { return lo_; }
  double hi() const override { return hi_; }
  double quantile(double u) const override { return std::clamp(lo_ + u * (hi_ - lo_), lo_, hi_); }
  double cdf_inside(double x) const override { return (x - lo_) / (hi_ - lo_); }
  double density(double x) const override { return x >= lo_ && x <= hi_ ? 1 / (hi_ - lo_) : 0; }
  double mean() const override { return 0.5 * (lo_ + hi_); }
  double sd() const override { return (hi_ - lo_) / std::sqrt(12.0); }

 private:
  double lo_, hi_;
};

class LoguniformModel final : public FamilyModel {
 public:
  LoguniformModel(double lo, double hi) : lo_(lo), hi_(hi) {}
  double lo() const override { return lo_; }
  double hi() const override { return hi_; }
  double quantile(double u) const override {
    return std::clamp(std::exp(std::log(lo_) + u * std::log(hi_ / lo_)), lo_, hi_);
  }
  double cdf_inside(double x) const override { return std::log(x / lo_) / std::log(hi_ / lo_); }
  double density(double x) const override {
    return x >= lo_ && x <= hi_ ? 1 / (x * std::log(hi_ / lo_)) : 0;
  }
  double mean() const override { return (hi_ - lo_) / std::log(hi_ / lo_); }
  double sd() const override {
    const double m = mean();
    const double var = (hi_ * hi_ - lo_ * lo_) / (2 * std::log(hi_ / lo_)) - m * m;
    return std::sqrt(std::max(var, 0.0));
  }

 private:
  double lo_, hi_;
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
