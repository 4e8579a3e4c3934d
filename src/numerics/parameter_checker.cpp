#include "parameter_checker.hpp"

#include <cmath>

#include "core/number_text.hpp"

namespace vorn::numerics {

bool ParameterChecker::need(const std::optional<double>& v, const char* name) {
  if (!v) {
    problems.push_back(std::string("missing ") + name);
    return false;
  }
  return finite(v, name);
}

bool ParameterChecker::finite(const std::optional<double>& v, const char* name) {
  if (v && !std::isfinite(*v)) {
    problems.push_back(std::string(name) + " (" + shortest_text(*v) + ") is not a finite number");
    return false;
  }
  return true;
}

void ParameterChecker::positive(const std::optional<double>& v, const char* name) {
  if (v && std::isfinite(*v) && !(*v > 0)) {
    problems.push_back(std::string(name) + " (" + shortest_text(*v) + ") must be positive");
  }
}

void ParameterChecker::ordered(const std::optional<double>& lo, const std::optional<double>& hi) {
  if (!lo || !hi || !std::isfinite(*lo) || !std::isfinite(*hi)) return;
  if (*lo > *hi) {
    problems.push_back("min (" + shortest_text(*lo) + ") is greater than max (" +
                       shortest_text(*hi) + ")");
  } else if (*lo == *hi) {
    problems.push_back("min and max are both " + shortest_text(*lo) + "; use a constant");
  }
}

void ParameterChecker::bounded() {
  const bool has_min = need(p_.min, "min");
  const bool has_max = need(p_.max, "max");
  if (has_min && has_max) ordered(p_.min, p_.max);
}

void ParameterChecker::mode_inside() {
  if (!need(p_.mode, "mode") || !p_.min || !p_.max) return;
  if (*p_.mode < *p_.min || *p_.mode > *p_.max) {
    problems.push_back("mode (" + shortest_text(*p_.mode) + ") is outside [min, max] = [" +
                       shortest_text(*p_.min) + ", " + shortest_text(*p_.max) + "]");
  }
}

void ParameterChecker::truncation() {
  finite(p_.min, "min");
  finite(p_.max, "max");
  ordered(p_.min, p_.max);
}

}  // namespace vorn::numerics
