// The empirical family: values with optional weights (a discrete distribution), or the
// points (x, p) of a cdf, linear between them.
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "core/number_text.hpp"
#include "family_functions.hpp"

namespace vorn::numerics {
namespace {

class EmpiricalModel final : public FamilyModel {
 public:
  explicit EmpiricalModel(const DistributionParameters& p) : discrete_(p.cdf.empty()) {
    if (!p.values.empty()) {
      std::vector<std::size_t> order(p.values.size());
      std::iota(order.begin(), order.end(), std::size_t{0});
      std::stable_sort(order.begin(), order.end(),
                       [&](std::size_t a, std::size_t b) { return p.values[a] < p.values[b]; });
      double total = 0;
      for (std::size_t i : order) {
        const double w = p.weights.empty() ? 1.0 : p.weights[i];
        total += w;
        if (!xs_.empty() && xs_.back() == p.values[i]) {
          cum_.back() = total;
        } else {
          xs_.push_back(p.values[i]);
          cum_.push_back(total);
        }
      }
      for (double& c : cum_) c /= total;
    } else {
      for (const auto& [x, q] : p.cdf) {
        xs_.push_back(x);
        cum_.push_back(q);
      }
    }
    cum_.back() = 1.0;
  }

  double lo() const override { return xs_.front(); }
  double hi() const override { return xs_.back(); }

  double quantile(double u) const override {
    const auto it = std::lower_bound(cum_.begin(), cum_.end(), u);
    const std::size_t i = std::min<std::size_t>(it - cum_.begin(), cum_.size() - 1);
    if (discrete_ || i == 0) return xs_[i];
    const double t = (u - cum_[i - 1]) / (cum_[i] - cum_[i - 1]);
    return std::clamp(xs_[i - 1] + t * (xs_[i] - xs_[i - 1]), xs_[i - 1], xs_[i]);
  }

  double cdf_inside(double x) const override {
    const auto it = std::upper_bound(xs_.begin(), xs_.end(), x);
    const std::size_t i = static_cast<std::size_t>(it - xs_.begin()) - 1;  // xs_[i] <= x
    if (discrete_) return cum_[i];
    return cum_[i] + (x - xs_[i]) / (xs_[i + 1] - xs_[i]) * (cum_[i + 1] - cum_[i]);
  }

  double density(double x) const override {
    if (!(x >= xs_.front() && x <= xs_.back())) return 0;
    const auto it = std::upper_bound(xs_.begin(), xs_.end(), x);
    std::size_t i = static_cast<std::size_t>(it - xs_.begin()) - 1;  // xs_[i] <= x
    if (discrete_) return xs_[i] == x ? mass(i) : 0;                 // the probability mass at x
    if (i + 1 == xs_.size()) --i;                                    // x is the last point
    return (cum_[i + 1] - cum_[i]) / (xs_[i + 1] - xs_[i]);
  }

  double mean() const override {
    double m = 0;
    if (discrete_) {
      for (std::size_t i = 0; i < xs_.size(); ++i) m += xs_[i] * mass(i);
      return m;
    }
    // Uniform between consecutive points, with the probability the segment carries.
    for (std::size_t i = 1; i < xs_.size(); ++i) {
      m += (cum_[i] - cum_[i - 1]) * 0.5 * (xs_[i - 1] + xs_[i]);
    }
    return m;
  }

  double sd() const override {
    const double m = mean();
    double m2 = 0;
    if (discrete_) {
      for (std::size_t i = 0; i < xs_.size(); ++i) m2 += (xs_[i] - m) * (xs_[i] - m) * mass(i);
      return std::sqrt(m2);
    }
    for (std::size_t i = 1; i < xs_.size(); ++i) {
      const double a = xs_[i - 1] - m, b = xs_[i] - m;
      m2 += (cum_[i] - cum_[i - 1]) * (a * a + a * b + b * b) / 3;
    }
    return std::sqrt(m2);
  }

 private:
  double mass(std::size_t i) const { return cum_[i] - (i ? cum_[i - 1] : 0); }

  bool discrete_;
  std::vector<double> xs_, cum_;  // sorted values (or cdf x) and the cumulative probability
};

}  // namespace

void check_empirical(ParameterChecker& c, const DistributionParameters& p) {
  if (!p.values.empty() && !p.cdf.empty()) {
    c.add("give values or cdf points, not both");
    return;
  }
  if (p.values.empty() && p.cdf.empty()) {
    c.add("missing values (or cdf points)");
    return;
  }
  if (!p.values.empty()) {
    for (double v : p.values) c.finite(v, "value");
    if (p.weights.empty()) return;
    if (p.weights.size() != p.values.size()) {
      c.add(std::to_string(p.weights.size()) + " weights for " + std::to_string(p.values.size()) +
            " values");
      return;
    }
    double total = 0;
    for (double w : p.weights) {
      if (!std::isfinite(w) || w < 0) {
        c.add("weight (" + shortest_text(w) + ") is negative or not finite");
        return;
      }
      total += w;
    }
    if (!(total > 0)) c.add("all weights are zero");
    return;
  }
  if (p.cdf.size() < 2) {
    c.add("cdf needs at least 2 points");
    return;
  }
  for (std::size_t i = 0; i < p.cdf.size(); ++i) {
    const auto [x, q] = p.cdf[i];
    if (!c.finite(x, "cdf x") || !c.finite(q, "cdf p")) return;
    if (q < 0 || q > 1) {
      c.add("cdf p (" + shortest_text(q) + ") is outside [0, 1]");
      return;
    }
    if (i > 0 && !(x > p.cdf[i - 1].first)) {
      c.add("cdf x (" + shortest_text(x) + ") does not increase after " +
            shortest_text(p.cdf[i - 1].first));
      return;
    }
    if (i > 0 && q < p.cdf[i - 1].second) {
      c.add("cdf p (" + shortest_text(q) + ") decreases after " +
            shortest_text(p.cdf[i - 1].second));
      return;
    }
  }
  if (p.cdf.front().second != 0) c.add("cdf must start at p = 0");
  if (p.cdf.back().second != 1) c.add("cdf must end at p = 1");
}
ModelPtr make_empirical(const DistributionParameters& p) {
  return std::make_shared<EmpiricalModel>(p);
}

}  // namespace vorn::numerics
