// The checks the families make of their parameters, each adding one short sentence to the
// problems ("min (5) is greater than max (3)").
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "numerics/distribution.hpp"

namespace vorn::numerics {

class ParameterChecker {
 public:
  explicit ParameterChecker(const DistributionParameters& p) : p_(p) {}

  // A required parameter; false when it is missing or not finite.
  bool need(const std::optional<double>& v, const char* name);
  // False when it is given and not finite.
  bool finite(const std::optional<double>& v, const char* name);
  void positive(const std::optional<double>& v, const char* name);
  void ordered(const std::optional<double>& lo, const std::optional<double>& hi);
  // min and max both given, finite and min < max.
  void bounded();
  // mode given and inside [min, max].
  void mode_inside();
  // Optional truncation bounds: finite and ordered when given.
  void truncation();
  void add(std::string problem) { problems.push_back(std::move(problem)); }

  std::vector<std::string> problems;

 private:
  const DistributionParameters& p_;
};

}  // namespace vorn::numerics
