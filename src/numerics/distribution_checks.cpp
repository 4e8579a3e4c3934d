#include <charconv>
#include <cmath>
#include <stdexcept>

#include "core/number_text.hpp"
#include "numerics/distribution.hpp"

namespace vorn::numerics {

namespace {

class Checker {
 public:
  explicit Checker(const DistributionParameters& p) : p_(p) {}

  // A required parameter; false when it is missing or not finite.
  bool need(const std::optional<double>& v, const char* name) {
    if (!v) {
      problems.push_back(std::string("missing ") + name);
      return false;
    }
    return finite(v, name);
  }
  bool finite(const std::optional<double>& v, const char* name) {
    if (v && !std::isfinite(*v)) {
      problems.push_back(std::string(name) + " (" + shortest_text(*v) + ") is not a finite number");
      return false;
    }
    return true;
  }
  void positive(const std::optional<double>& v, const char* name) {
    if (v && std::isfinite(*v) && !(*v > 0)) {
      problems.push_back(std::string(name) + " (" + shortest_text(*v) + ") must be positive");
    }
  }
  void ordered(const std::optional<double>& lo, const std::optional<double>& hi) {
    if (!lo || !hi || !std::isfinite(*lo) || !std::isfinite(*hi)) return;
    if (*lo > *hi) {
      problems.push_back("min (" + shortest_text(*lo) + ") is greater than max (" +
                         shortest_text(*hi) + ")");
    } else if (*lo == *hi) {
      problems.push_back("min and max are both " + shortest_text(*lo) + "; use a constant");
    }
  }
  void bounded() {
    const bool has_min = need(p_.min, "min");
    const bool has_max = need(p_.max, "max");
    if (has_min && has_max) ordered(p_.min, p_.max);
  }
  void mode_inside() {
    if (!need(p_.mode, "mode") || !p_.min || !p_.max) return;
    if (*p_.mode < *p_.min || *p_.mode > *p_.max) {
      problems.push_back("mode (" + shortest_text(*p_.mode) + ") is outside [min, max] = [" +
                         shortest_text(*p_.min) + ", " + shortest_text(*p_.max) + "]");
    }
  }
  void truncation() {
    finite(p_.min, "min");
    finite(p_.max, "max");
    ordered(p_.min, p_.max);
  }
  void ignored(const std::optional<double>& v, const char* name, Family family) {
    if (v) problems.push_back(std::string(name) + " is not a parameter of " + family_name(family));
  }

  std::vector<std::string> problems;

 private:
  const DistributionParameters& p_;
};

void check_empirical(const DistributionParameters& p, Checker& c) {
  if (!p.values.empty() && !p.cdf.empty()) {
    c.problems.push_back("give values or cdf points, not both");
    return;
  }
  if (p.values.empty() && p.cdf.empty()) {
    c.problems.push_back("missing values (or cdf points)");
    return;
  }
  if (!p.values.empty()) {
    for (double v : p.values) c.finite(v, "value");
    if (p.weights.empty()) return;
    if (p.weights.size() != p.values.size()) {
      c.problems.push_back(std::to_string(p.weights.size()) + " weights for " +
                           std::to_string(p.values.size()) + " values");
      return;
    }
    double total = 0;
    for (double w : p.weights) {
      if (!std::isfinite(w) || w < 0) {
        c.problems.push_back("weight (" + shortest_text(w) + ") is negative or not finite");
        return;
      }
      total += w;
    }
    if (!(total > 0)) c.problems.push_back("all weights are zero");
    return;
  }
  if (p.cdf.size() < 2) {
    c.problems.push_back("cdf needs at least 2 points");
    return;
  }
  for (std::size_t i = 0; i < p.cdf.size(); ++i) {
    const auto [x, q] = p.cdf[i];
    if (!c.finite(x, "cdf x") || !c.finite(q, "cdf p")) return;
    if (q < 0 || q > 1) {
      c.problems.push_back("cdf p (" + shortest_text(q) + ") is outside [0, 1]");
      return;
    }
    if (i > 0 && !(x > p.cdf[i - 1].first)) {
      c.problems.push_back("cdf x (" + shortest_text(x) + ") does not increase after " +
                           shortest_text(p.cdf[i - 1].first));
      return;
    }
    if (i > 0 && q < p.cdf[i - 1].second) {
      c.problems.push_back("cdf p (" + shortest_text(q) + ") decreases after " +
                           shortest_text(p.cdf[i - 1].second));
      return;
    }
  }
  if (p.cdf.front().second != 0) c.problems.push_back("cdf must start at p = 0");
  if (p.cdf.back().second != 1) c.problems.push_back("cdf must end at p = 1");
}

}  // namespace

const char* family_name(Family family) {
  switch (family) {
    case Family::constant:
      return "constant";
    case Family::uniform:
      return "uniform";
    case Family::loguniform:
      return "loguniform";
    case Family::triangular:
      return "triangular";
    case Family::pert:
      return "pert";
    case Family::normal:
      return "normal";
    case Family::lognormal:
      return "lognormal";
    case Family::beta:
      return "beta";
    case Family::gamma:
      return "gamma";
    case Family::weibull:
      return "weibull";
    case Family::empirical:
      return "empirical";
  }
  return "unknown";
}

namespace detail {

std::vector<std::string> parameter_problems(Family family, const DistributionParameters& p) {
  Checker c(p);
  switch (family) {
    case Family::constant:
      c.need(p.value, "value");
      break;
    case Family::uniform:
      c.bounded();
      break;
    case Family::loguniform:
      c.bounded();
      c.positive(p.min, "min");
      break;
    case Family::triangular:
      c.bounded();
      c.mode_inside();
      break;
    case Family::pert:
      c.bounded();
      c.mode_inside();
      c.finite(p.lambda, "lambda");
      c.positive(p.lambda, "lambda");
      break;
    case Family::normal:
      c.need(p.mean, "mean");
      if (c.need(p.sd, "sd")) c.positive(p.sd, "sd");
      c.truncation();
      break;
    case Family::lognormal: {
      const bool geometric = p.gm || p.gsd;
      const bool arithmetic = p.mean || p.sd;
      if (geometric && arithmetic) {
        c.problems.push_back("give gm and gsd, or mean and sd, not both");
      } else if (!geometric && !arithmetic) {
        c.problems.push_back("missing gm and gsd (or mean and sd)");
      } else if (geometric) {
        if (c.need(p.gm, "gm")) c.positive(p.gm, "gm");
        if (c.need(p.gsd, "gsd") && !(*p.gsd > 1)) {
          c.problems.push_back("gsd (" + shortest_text(*p.gsd) + ") must be greater than 1");
        }
      } else {
        if (c.need(p.mean, "mean")) c.positive(p.mean, "mean");
        if (c.need(p.sd, "sd")) c.positive(p.sd, "sd");
      }
      c.truncation();
      break;
    }
    case Family::beta:
      if (c.need(p.alpha, "alpha")) c.positive(p.alpha, "alpha");
      if (c.need(p.beta, "beta")) c.positive(p.beta, "beta");
      // min and max rescale [0, 1]; either may be left at its default.
      c.finite(p.min, "min");
      c.finite(p.max, "max");
      c.ordered(p.min.value_or(0.0), p.max.value_or(1.0));
      break;
    case Family::gamma:
    case Family::weibull:
      if (c.need(p.shape, "shape")) c.positive(p.shape, "shape");
      if (c.need(p.scale, "scale")) c.positive(p.scale, "scale");
      c.truncation();
      break;
    case Family::empirical:
      check_empirical(p, c);
      break;
  }
  if (family != Family::constant) c.ignored(p.value, "value", family);
  if (family != Family::pert) c.ignored(p.lambda, "lambda", family);
  if (family != Family::triangular && family != Family::pert) c.ignored(p.mode, "mode", family);
  if (family == Family::empirical) {
    c.ignored(p.min, "min", family);
    c.ignored(p.max, "max", family);
  }
  return c.problems;
}

}  // namespace detail

std::vector<std::string> distribution_problems(Family family, const DistributionParameters& p) {
  auto problems = detail::parameter_problems(family, p);
  if (problems.empty()) {
    // What remains needs the distribution itself: a truncation that keeps no probability.
    try {
      Distribution d(family, p);
    } catch (const std::invalid_argument& e) {
      problems.emplace_back(e.what());
    }
  }
  return problems;
}

}  // namespace vorn::numerics
